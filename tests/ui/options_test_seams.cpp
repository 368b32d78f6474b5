#include "options_test_seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>

#include <algorithm>
#include <stdexcept>

namespace kestrin::test {

void RecordingOptionsHost::setMainWindowEnabled(bool enabled)
{
    mainEnabled = enabled;
    calls.push_back(enabled ? "setMainWindowEnabled true" : "setMainWindowEnabled false");
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
    session::SessionServices services;
    services.lockFolder = lockFolder.path().toStdString();
    services.firstCycleAtStart = false;
    services.setAutostart = [this](bool enabled) { autostart.setEnabled(enabled, programPath, programArguments); };
    session = std::make_unique<session::ProgramSession>(folder(), std::move(services));
    window = std::make_unique<ui::Toptions>(*session, host, ui::OptionsServices{prompter, files});
    return *window;
}

session::StartUpResult OptionsWindowFixture::startUp()
{
    window->formCreate();
    return session->startUp();
}

ui::Toptions& OptionsWindowFixture::startWindow()
{
    makeWindow();
    startUp();
    prompter.shown.clear();
    host.calls.clear();
    return *window;
}

} // namespace kestrin::test
