#pragma once
// `Tmain`, the main window: a view over the program session. It keeps the
// toolbar, the tray icon and its menu, the status bar and the page host, shows
// the check cycles' progress, and hands every command to the session. Split
// by concern over main_form*.cpp.
#include "platform/desktop/shell_open.h"
#include "session/program_session.h"
#include "ui/common/prompter.h"
#include "ui/dialogs/options_host.h"
#include "ui/main/tray_action.h"

#include <QMainWindow>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

namespace Ui {
class Tmain;
}
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QTimer;
class QToolBar;

namespace kestrin {
class TerminationSignals;
} // namespace kestrin

namespace kestrin::ui {

using session::ProgramSession;
class NewMailNotice;
class ReportPage;

struct MainServices {
    Prompter& prompter;
    ShellOpen& shell;
    // Ends the event loop after the shutdown; empty = QCoreApplication::quit.
    std::function<void()> quit;
    // Whether the desktop offers a notification area now; empty = QSystemTrayIcon's answer.
    std::function<bool()> trayAvailable;
};

class Tmain : public QMainWindow, public OptionsHost {
    Q_OBJECT

public:
    // programArguments: the command line without the program and without "--home DIR".
    Tmain(ProgramSession& session, QStringList programArguments, MainServices services, QWidget* parent = nullptr);
    ~Tmain() override;

    // The creation steps. False when this copy must end now (another copy runs,
    // or old settings were handed to the converter): nothing was loaded.
    bool FormCreate();

    ProgramSession& session() { return session_; }
    const std::string& programFolder() const { return session_.programFolder(); }
    // The .ico file the tray shows now; empty while it shows the program's own icon.
    const QString& trayIconFile() const { return trayIconFile_; }
    // True while the program lives in the notification area (a tray exists).
    bool trayMode() const { return trayMode_; }
    bool shutDown() const { return shutDown_; }

    // tool_sett shows the settings window through this.
    void setSettingsCommand(std::function<void()> showSettings);
    void setNewMailNotice(NewMailNotice* notice) { notice_ = notice; }
    // The start-up's outcome: its error box, and the program's end when a file was refused.
    void startUpEnded(const session::StartUpResult& result);

    // The tray menu's default item: the action's caption and glyph image.
    void setTrayAction(TrayAction action);
    // Loads the tray icon from an .ico file; throws std::runtime_error with the
    // platform's file error (UTF-8) when the file cannot be read.
    void setTrayIconFile(const QString& icoPath);
    // on: the window is drawn with opacity 0-255; off: fully opaque.
    void setTransparency(bool on, int opacity);

    // OptionsHost
    void setMainWindowEnabled(bool enabled) override;
    QIcon mainWindowIcon() const override;
    double mainWindowOpacity() const override;

public slots:
    void tool_checknowClick();
    void tool_settClick();
    void tool_mailClick();
    void tool_updateClick();
    void pop_updateClick();
    void pop_trayactionClick();
    void pop_showClick();
    void pop_hideClick();
    void pop_mailClick();
    void pop_checknowClick();
    void pop_zakonczClick();
    void updateblink_timerTimer();
    void trayhost_timerTimer();
    // The desktop session ends or a termination signal came: end as pop_zakoncz does.
    void sessionEnding();
    // The shutdown; runs once, whoever asks.
    void FormCloseQuery();
    // The notice part of the new-mail sequence (sound and notice window).
    void showNewMailNotice(const QString& sender, const QString& subject);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Construction (main_form.cpp, main_form_commands.cpp)
    void buildStatusBar();
    void buildTimers();
    void buildToolbar();
    void buildTrayMenu();
    void buildTray();
    void connectSession();
    void buildPages();
    QAction* addToolButton(const char* name, const QString& caption, int glyph, void (Tmain::*handler)());
    QAction* addMenuItem(const char* name, const QString& caption, int glyph, void (Tmain::*handler)());
    void markNotYetAvailable(QAction* action);

    // Creation steps (main_form_create.cpp)
    bool refuseSecondInstance();
    bool handOverOldSettings();
    void layOutWindow();
    void drawLegendImages();
    void startInTray();
    void watchSessionEnd();

    // Tray (main_form_tray.cpp)
    bool trayAvailableNow() const;
    void showTrayIcon(const QString& icoPath);
    void showIdleTrayIcon();
    void setTrayHint(const QString& text);
    void applicationMinimised();
    void centreBeforeFirstShowing();
    void showDeferredError(const QString& text);
    void applyWindowSettings(bool startUp);

    // Cycle (main_form_cycle.cpp)
    void cycleStarted();
    void cycleStatusChanged(const std::string& text);
    void cycleProgressChanged(int percent);
    void cycleEnded();
    void newMailSequence(const QString& sender, const QString& subject);
    void reportSaveFailure(const std::string& text, const std::string& detail);
    void setCheckCommandsEnabled(bool enabled);

    ProgramSession& session_;
    QStringList programArguments_;
    MainServices services_;
    std::unique_ptr<Ui::Tmain> ui_;
    std::unique_ptr<TerminationSignals> stopSignals_;
    std::function<void()> showSettings_;
    NewMailNotice* notice_ = nullptr;
    ReportPage* reportPage_ = nullptr;

    // Controls built in code
    QToolBar* toolbar_ = nullptr;
    QAction* tool_checknow_ = nullptr;
    QAction* tool_sett_ = nullptr;
    QAction* tool_mail_ = nullptr;
    QAction* tool_update_ = nullptr;
    QAction* sep3_ = nullptr;
    QMenu* pop_menu_ = nullptr;
    QAction* pop_update_ = nullptr;
    QAction* pop_update_n_ = nullptr;
    QAction* pop_trayaction_ = nullptr;
    QAction* pop_trayaction_n_ = nullptr;
    QAction* pop_checknow_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QTimer* updateblink_timer_ = nullptr;
    QTimer* trayhost_timer_ = nullptr;
    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;

    TrayAction trayAction_ = TrayAction::None;
    bool updateGlyphShown_ = true;
    QString trayIconFile_;
    QSet<QString> reportedFileErrors_;
    bool trayMode_ = false;
    bool trayWasAvailable_ = false;
    bool centred_ = false;
    bool closeAllowed_ = false;
    bool shutDown_ = false;
};

} // namespace kestrin::ui
