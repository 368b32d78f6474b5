#include "options_test_seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>

#include <algorithm>
#include <stdexcept>

namespace kestrin::test {

void RecordingOptionsHost::setCheckInterval(int milliseconds)
{
    calls.push_back("setCheckInterval " + std::to_string(milliseconds));
}

void RecordingOptionsHost::setTrayAction(const QString& caption, int glyphIndex)
{
    calls.push_back("setTrayAction " + caption.toStdString() + " " + std::to_string(glyphIndex));
}

void RecordingOptionsHost::setTrayIconFile(const QString& icoPath)
{
    QImageReader reader(icoPath);
    if (reader.read().isNull())
        throw std::runtime_error(
            (QStringLiteral("Cannot open ") + icoPath + QStringLiteral(": ") + reader.errorString()).toStdString());
    calls.push_back("setTrayIconFile " + icoPath.toStdString());
}

void RecordingOptionsHost::setTransparency(bool on, int value)
{
    calls.push_back("setTransparency " + std::string(on ? "on " : "off ") + std::to_string(value));
}

void RecordingOptionsHost::setMainWindowEnabled(bool enabled)
{
    mainEnabled = enabled;
    calls.push_back(enabled ? "setMainWindowEnabled true" : "setMainWindowEnabled false");
}

bool RecordingOptionsHost::called(const std::string& call) const
{
    return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(call, 0) == 0; });
}

void QueuedPrompter::show(ui::PromptIcon icon, const QString& caption, const QString& text)
{
    shown.push_back({icon, caption, text});
}

bool QueuedPrompter::ask(const QString& caption, const QString& text)
{
    shown.push_back({ui::PromptIcon::Question, caption, text});
    if (answers.empty())
        throw std::logic_error("a question nobody expected: " + text.toStdString());
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> QueuedFileChooser::chooseExistingFile(QWidget*, const QString& startFolder,
                                                             const QString& filter)
{
    requests.push_back({startFolder, filter});
    if (answers.empty())
        throw std::logic_error("a file dialog nobody expected");
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

void pressKey(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

OptionsWindowFixture::OptionsWindowFixture() : autostart(configHome.path())
{
}

OptionsWindowFixture::~OptionsWindowFixture() = default;

std::string OptionsWindowFixture::folder() const
{
    return QFile::encodeName(programFolder.path()).toStdString();
}

QString OptionsWindowFixture::path(const QString& relative) const
{
    return programFolder.path() + QLatin1Char('/') + relative;
}

void OptionsWindowFixture::writeFile(const QString& relative, const std::string& bytes) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + target.toStdString());
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void OptionsWindowFixture::writeTrayIcon(int number) const
{
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(QColor(number * 15, 80, 160));
    const QString target = path(QStringLiteral("data/tray%1.ico").arg(number));
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!picture.save(target, "ICO"))
        throw std::runtime_error("cannot write " + target.toStdString());
}

void OptionsWindowFixture::writeOptions(const std::vector<std::string>& lines) const
{
    std::string text = "[Options]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    writeFile(QStringLiteral("config/options.ini"), text);
}

void OptionsWindowFixture::writeReport(int count) const
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "error|entry " + std::to_string(i) + "\r\n";
    writeFile(QStringLiteral("config/report.dat"), text);
}

ui::Toptions& OptionsWindowFixture::makeWindow()
{
    window.reset();
    window = std::make_unique<ui::Toptions>(folder(), data, host, ui::OptionsServices{prompter, files, autostart},
                                            programPath, programArguments);
    return *window;
}

ui::Toptions& OptionsWindowFixture::startWindow()
{
    makeWindow().formCreate();
    prompter.shown.clear();
    host.calls.clear();
    return *window;
}

} // namespace kestrin::test
