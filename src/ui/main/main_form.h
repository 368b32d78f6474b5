#pragma once
// `Tmain`, the main window: owner of the program's data, the two identity
// memories and the window state; it schedules the check cycles, shows their
// progress in the status bar and the tray, and runs the start and the end of
// the program. Split by concern over main_form*.cpp.
#include "platform/desktop/shell_open.h"
#include "platform/single_instance.h"
#include "storage/program_data.h"
#include "ui/common/prompter.h"
#include "ui/dialogs/options_host.h"
#include "ui/main/cycle_steps.h"
#include "ui/main/rule_hit_statistics.h"

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
class IdentityMemory;
class TerminationSignals;
} // namespace kestrin

namespace kestrin::ui {

class CycleWorker;
class HandOverGate;
class NewMailNotice;

struct MainServices {
    Prompter& prompter;
    ShellOpen& shell;
    // Ends the event loop after the shutdown; empty = QCoreApplication::quit.
    std::function<void()> quit;
    // Whether the desktop offers a notification area now; empty = QSystemTrayIcon's answer.
    std::function<bool()> trayAvailable;
    // Where the single-instance lock lives; empty = singleInstanceLockFolder().
    std::string lockFolder;
};

// The window-wide state besides ProgramData (whose saveAllEnabled is the
// save-on-close flag).
struct MainWindowState {
    bool checkRunning = false;
    bool updateAvailable = false;
    QString updateVersion;
    QString updateHistory;
    QString updateSetup;
    // Of the last cycle: messages left on the server, and the notice's texts (Windows-1250).
    uint32_t newMailCount = 0;
    std::string newMailSender;
    std::string newMailSubject;
    // Newest report rows drawn bold; negative after a minimise (see applicationMinimised).
    int newEntryCount = 0;
};

class Tmain : public QMainWindow, public OptionsHost, public CycleSteps {
    Q_OBJECT

public:
    // programArguments: the command line without the program and without "--home DIR".
    Tmain(std::string programFolder, QStringList programArguments, MainServices services, QWidget* parent = nullptr);
    ~Tmain() override;

    // The creation steps. False when this copy must end now (another copy runs,
    // or old settings were handed to the converter): nothing was loaded.
    bool FormCreate();

    const std::string& programFolder() const { return programFolder_; }
    ProgramData& data() { return data_; }
    IdentityMemory& checkedMemory();
    IdentityMemory& markedMemory();
    const MainWindowState& state() const { return state_; }
    RuleHitStatistics ruleHitStatistics() const { return ruleHits_; }
    // The .ico file the tray shows now; empty while it shows the program's own icon.
    const QString& trayIconFile() const { return trayIconFile_; }
    // True while the program lives in the notification area (a tray exists).
    bool trayMode() const { return trayMode_; }
    bool shutDown() const { return shutDown_; }

    // tool_sett shows the settings window through this.
    void setSettingsCommand(std::function<void()> showSettings);
    void setNewMailNotice(NewMailNotice* notice) { notice_ = notice; }
    // A newer version was announced; the next end of a cycle shows it.
    void announceUpdate(const QString& version, const QString& history, const QString& setup);

    // OptionsHost
    void setCheckInterval(int milliseconds) override;
    bool checkTimerEnabled() const override;
    void setTrayAction(const QString& caption, int glyphIndex) override;
    void setTrayIconFile(const QString& icoPath) override;
    void setTransparency(bool on, int opacity) override;
    void setMainWindowEnabled(bool enabled) override;
    QIcon mainWindowIcon() const override;
    double mainWindowOpacity() const override;
    void importFriendsSilently() override;
    void statisticsViewChanged() override;
    void restoreListSorting() override;
    void refreshItemCounts() override;
    void reportReplaced() override;
    void startFirstCycle() override;
    void closeMainWindow() override;

    // CycleSteps: the worker's handoffs, on the UI thread.
    void cycleStatus(const std::string& text) override;
    void cycleProgress(uint8_t percent) override;
    void cycleResult(const CycleResult& result) override;
    void cycleEnd(const CycleEnd& end) override;
    void cycleFinished(CycleOutcome outcome) override;

public slots:
    void kill_timerTimer();
    void pop3_checknowClick();
    void stat_resetClick();
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

signals:
    // For the pages: the report list, the counters, the record counts changed;
    // the start-up asks for the statistics view, the saved sorting and the
    // silent address-book import.
    void reportChanged();
    void statisticsChanged();
    void itemCountsChanged();
    void statisticsViewChangeRequested();
    void listSortingRestoreRequested();
    void addressBookImportRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Construction (main_form.cpp, main_form_commands.cpp)
    void buildStatusBar();
    void buildTimers();
    void buildToolbar();
    void buildTrayMenu();
    void buildTray();
    void connectCommands();
    QAction* addToolButton(const char* name, const QString& caption, int glyph);
    QAction* addMenuItem(const char* name, const QString& caption, int glyph);
    void markNotYetAvailable(QAction* action);

    // Creation steps (main_form_create.cpp)
    bool refuseSecondInstance();
    bool handOverOldSettings();
    void resetState();
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

    // Cycle (main_form_cycle.cpp)
    void endOfCycle();
    void newMailSequence(const QString& sender, const QString& subject);
    void saveReport();
    void setCheckCommandsEnabled(bool enabled);

    std::string programFolder_;
    QStringList programArguments_;
    MainServices services_;
    std::unique_ptr<Ui::Tmain> ui_;
    ProgramData data_;
    std::shared_ptr<IdentityMemory> checkedMemory_;
    std::shared_ptr<IdentityMemory> markedMemory_;
    MainWindowState state_;
    RuleHitStatistics ruleHits_;
    std::unique_ptr<SingleInstanceLock> instanceLock_;
    std::unique_ptr<TerminationSignals> stopSignals_;
    std::shared_ptr<HandOverGate> gate_;
    std::unique_ptr<CycleWorker> worker_;
    std::function<void()> showSettings_;
    NewMailNotice* notice_ = nullptr;

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
    QTimer* kill_timer_ = nullptr;
    QTimer* updateblink_timer_ = nullptr;
    QTimer* trayhost_timer_ = nullptr;
    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;

    int trayActionGlyph_ = -1;
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
