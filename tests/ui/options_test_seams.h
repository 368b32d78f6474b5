#pragma once
// What the settings window's tests put around a real Toptions: a main window
// that records what it is told, a prompter that records its boxes and answers
// from a queue, and a file dialog that answers from a queue.
#include "platform/desktop/autostart.h"
#include "session/program_session.h"
#include "ui/common/file_chooser.h"
#include "ui/common/prompter.h"
#include "ui/dialogs/options_form.h"
#include "ui/dialogs/options_host.h"

#include <QTemporaryDir>
#include <QWidget>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrin::test {

class RecordingOptionsHost : public ui::OptionsHost {
public:
    void setMainWindowEnabled(bool enabled) override;
    QIcon mainWindowIcon() const override { return icon; }
    double mainWindowOpacity() const override { return opacity; }

    QIcon icon;
    double opacity = 1.0;
    bool mainEnabled = true;
    std::vector<std::string> calls; // every call, in order, with its arguments
};

struct ShownBox {
    ui::PromptIcon icon;
    QString caption;
    QString text;
};

class QueuedPrompter : public ui::Prompter {
public:
    void show(ui::PromptIcon icon, const QString& caption, const QString& text) override;
    bool ask(const QString& caption, const QString& text) override;

    std::vector<ShownBox> shown;
    std::deque<bool> answers;
};

struct FileRequest {
    QString startFolder;
    QString filter;
};

class QueuedFileChooser : public ui::FileChooser {
public:
    std::optional<QString> chooseExistingFile(QWidget* parent, const QString& startFolder,
                                              const QString& filter) override;

    std::vector<FileRequest> requests;
    std::deque<std::optional<QString>> answers;
};

// Key presses as the user's keyboard sends them.
void typeText(QWidget* widget, const QString& text);
void pressKey(QWidget* widget, Qt::Key key);

// A program folder in a temporary folder, the seams, and a Toptions over them.
class OptionsWindowFixture {
public:
    OptionsWindowFixture();
    ~OptionsWindowFixture();

    std::string folder() const;
    QString path(const QString& relative) const;
    void writeFile(const QString& relative, const std::string& bytes) const;
    // A small .ico picture at data/trayN.ico.
    void writeTrayIcon(int number) const;
    // config/options.ini with these lines in section "Options".
    void writeOptions(const std::vector<std::string>& lines) const;
    // config/report.dat with count "error" entries.
    void writeReport(int count) const;

    // A new session and window (the previous ones are destroyed); formCreate is not run.
    ui::Toptions& makeWindow();
    // makeWindow, formCreate and the session's start-up (which ends with the
    // check timer started instead of a first cycle), its boxes and host calls forgotten.
    ui::Toptions& startWindow();
    // formCreate and the session's start-up of the window made last.
    session::StartUpResult startUp();
    ProgramData& data() { return session->data(); }

    template <typename Control> Control* control(const char* name) const
    {
        return window->findChild<Control*>(QString::fromLatin1(name));
    }

    QTemporaryDir programFolder;
    QTemporaryDir configHome;
    QTemporaryDir lockFolder;
    std::unique_ptr<session::ProgramSession> session;
    RecordingOptionsHost host;
    QueuedPrompter prompter;
    QueuedFileChooser files;
    XdgAutostart autostart;
    QString programPath = QStringLiteral("/opt/kestrin/bin/kestrin");
    QStringList programArguments = {QStringLiteral("--home"), QStringLiteral("/home/ala/poczta")};
    std::unique_ptr<ui::Toptions> window;
};

} // namespace kestrin::test
