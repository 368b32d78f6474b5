#pragma once
// What the main window's tests share: a program folder with the installed
// icons, seams that record the boxes and the shell-open requests, a window
// built on them, and waiting on the event loop.
#include "engine/identity_memory.h"
#include "engine/sweeper.h"
#include "platform/desktop/autostart.h"
#include "platform/desktop/shell_open.h"
#include "storage/records.h"
#include "ui/common/prompter.h"
#include "ui/main/main_form.h"
#include "ui/main/tray_program.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrin::test {

// A window's control by its object name; a missing one fails the test loudly.
template <typename Widget> Widget& control(QWidget& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::logic_error(name);
    return *found;
}

struct Prompt {
    ui::PromptIcon icon;
    QString caption;
    QString text;
};

class RecordingPrompter : public ui::Prompter {
public:
    void show(ui::PromptIcon icon, const QString& caption, const QString& text) override
    {
        shown.push_back({icon, caption, text});
    }
    bool ask(const QString& caption, const QString& text) override
    {
        asked.push_back({ui::PromptIcon::Question, caption, text});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Prompt> shown;
    std::vector<Prompt> asked;
    std::deque<bool> answers;
};

struct ShellRequest {
    QString target;
    QStringList arguments;
};

class RecordingShellOpen : public ShellOpen {
public:
    bool open(const QString& target, const QStringList& arguments) override
    {
        requests.push_back({target, arguments});
        return result;
    }

    std::vector<ShellRequest> requests;
    bool result = true;
};

// A fresh program folder below the temporary folder, removed afterwards, with
// config/, archive/ and every icon file of data/.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

// Writes a one-picture .ico file.
void writeIcon(const std::string& path);

// Runs the event loop until condition holds; false after timeoutMs.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
// Runs the event loop for a while.
void runEventsFor(int ms);

// The window on recording seams. trayAvailable answers the window's question
// whether a notification area exists (the offscreen platform has none).
struct MainWindowHarness {
    explicit MainWindowHarness(const std::string& programFolder, QStringList arguments = {});
    ~MainWindowHarness();

    RecordingPrompter prompter;
    RecordingShellOpen shell;
    int quitRequests = 0;
    bool trayAvailable = false;
    std::unique_ptr<session::ProgramSession> session;
    std::unique_ptr<ui::Tmain> form;
};

// UTF-8 literals as a QStringList.
QStringList texts(std::initializer_list<const char*> items);

// POP3 script rows (tests/peers/scripted_server.h) for user "alice", password
// "secret": the greeting and log-in, and the answer to RETR n with a message.
std::vector<std::string> pop3Login();
std::vector<std::string> pop3Retrieve(int number, const std::string& message);
// A short message with CR LF line ends.
std::string mailMessage(const std::string& from, const std::string& subject, const std::string& messageId);
// An account named "Skrzynka" on 127.0.0.1:port for that user.
AccountRecord loopbackAccount(uint16_t port);
// A check cycle contacts its servers only while a network interface is up.
bool networkPresent();

// The whole program as the executable starts it (main window, then the
// settings window), on recording seams; the autostart entry goes below the
// program folder.
struct ProgramHarness {
    explicit ProgramHarness(const std::string& programFolder, QStringList arguments = {});
    ui::Tmain& form() { return program->mainForm(); }

    RecordingPrompter prompter;
    RecordingShellOpen shell;
    ui::DialogFileChooser files; // no test opens a file dialog
    std::unique_ptr<XdgAutostart> autostart;
    int quitRequests = 0;
    bool trayAvailable = false;
    std::unique_ptr<ui::TrayProgram> program;
};

// The fields of a report line: kind, then the payload split at "|\xA6|".
std::vector<std::string> reportFields(const std::string& line);

// A status-bar panel's text (0 or 1).
QString statusPanel(ui::Tmain& form, int panel);

} // namespace kestrin::test
