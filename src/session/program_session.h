#pragma once
// The program session: the one owner of what the program keeps (records,
// settings, report, counters), the two identity memories, the check timer
// (`kill_timer`), the check-cycle worker with its hand-over gate, and the
// saving. It runs the start-up and the shutdown sequences. Windows and
// kestrin-cli are views over it: every change goes through a method that
// returns what the caller shows, and every kind of change is announced by a
// signal of its own. Qt Core only: no widget is made or shown here.
//
// Split by concern: program_session.cpp (state, settings, the lock),
// session_start.cpp (start-up and shutdown), session_cycle.cpp (the timer, the
// worker and its steps), session_changes.cpp (the changes windows ask for).
#include "engine/bayes_filter.h"
#include "engine/bayes_message_memory.h"
#include "engine/connection_check.h"
#include "engine/friend_import.h"
#include "engine/identity_memory.h"
#include "engine/internet_check.h"
#include "engine/rule_hit_statistics.h"
#include "engine/rule_overlaps.h"
#include "engine/sweeper.h"
#include "mail/line_channel.h"
#include "platform/single_instance.h"
#include "session/change_result.h"
#include "session/cycle_steps.h"
#include "storage/program_data.h"
#include "storage/record_tables.h"

#include <QObject>

#include <functional>
#include <memory>
#include <set>
#include <string>

class QTimer;

namespace kestrin::session {

class CycleWorker;
class HandOverGate;

// What the session asks of the world; each empty member takes the real thing.
struct SessionServices {
    // The POP3/SMTP channels of one cycle, trusting the CA file besides the system's.
    std::function<std::shared_ptr<LineChannelFactory>(const std::string& caFile)> channels;
    std::function<std::shared_ptr<InternetCheck>()> internet;
    std::function<TDateTime()> now;
    // Writes or removes the desktop's autostart entry; throws std::runtime_error (UTF-8 text).
    std::function<void(bool enabled)> setAutostart;
    // Where the single-instance lock lives; empty = singleInstanceLockFolder().
    std::string lockFolder;
    // False only where the program is pictured idle after its start (the
    // screenshot tool): the start-up then ends with the timer started instead.
    bool firstCycleAtStart = true;
};

// The statistics page's three clear commands.
enum class CounterReset { Run, Totals, RunAndTotals };

// What the windows show of the session besides the data.
struct SessionState {
    bool cycleRunning = false;
    // The start-up could not read every stored file: no cycle runs in this run.
    bool cyclesHeld = false;
    bool updateAvailable = false;
    std::string updateVersion;
    std::string updateHistory;
    std::string updateSetup;
    // Of the last cycle: messages left on the server, and the notice's texts (Windows-1250).
    uint32_t newMailCount = 0;
    std::string newMailSender;
    std::string newMailSubject;
    // Newest report rows drawn bold; negative after a minimise (see windowMinimised).
    int newEntryCount = 0;
};

// How the start-up ended.
enum class StartUpOutcome {
    Running,       // everything loaded; the first cycle has started
    CyclesHeld,    // a file could not be read: the program runs, but checks no mail
    VersionRefused // a file of a newer version: the program must end, saving nothing
};

struct StartUpResult {
    StartUpOutcome outcome = StartUpOutcome::Running;
    std::string message;    // the error box's text (Windows-1250), empty when all loaded
    std::string detail;     // what went wrong, for the terminal
    std::string applyError; // the autostart entry could not be written (UTF-8); the start went on
};

class ProgramSession : public QObject, public CycleSteps {
    Q_OBJECT
public:
    explicit ProgramSession(std::string programFolder, SessionServices services = {}, QObject* parent = nullptr);
    ~ProgramSession() override;

    const std::string& programFolder() const { return programFolder_; }
    // The settings window binds its controls to data().settings: they are the live settings.
    ProgramData& data() { return data_; }
    const ProgramData& data() const { return data_; }
    IdentityMemory& checkedMemory() { return *checkedMemory_; }
    IdentityMemory& markedMemory() { return *markedMemory_; }
    const SessionState& state() const { return state_; }
    RuleHitStatistics ruleHits() const { return ruleHits_; }
    QTimer& checkTimer() { return *kill_timer_; }
    bool checkTimerActive() const;

    // One copy per user: false when another copy holds the lock.
    bool lockProgram();

    // load-all, start-up apply, report limit, archive clean-up, silent
    // address-book import, first cycle. Runs once.
    StartUpResult startUp();
    // The settings window's "apply": the check interval and the autostart
    // entry; windows follow settingsApplied. Throws std::runtime_error (UTF-8)
    // when the autostart entry cannot be written.
    void applySettings();

    // The check-now commands: a cycle starts at once unless one runs, the
    // program is ending, or cycles are held; a request during a cycle is dropped.
    void checkNow();
    // kill_timer's handler: the cycle start (also the first cycle at start-up).
    void kill_timerTimer();
    // Stops the timer and a running worker (no QUIT, so nothing is deleted),
    // saves everything and removes the temporary files. Runs once.
    SaveResult shutDown();
    bool isShutDown() const { return shutDown_; }

    void announceUpdate(const std::string& version, const std::string& history, const std::string& setup);
    // The program was minimised: the bold rows stay, the next entry starts the count again.
    void windowMinimised();

    // Changes the windows and kestrin-cli ask for.
    ChangeResult clearReport();
    ChangeResult resetCounters(CounterReset which);
    // Empties the checked-message memory so the next cycle judges every message
    // again; what a running cycle remembers after this does not survive it.
    ChangeResult clearCheckedMemory();
    // Marks report line `line` for deletion in the next cycle.
    ChangeResult markForDeletion(size_t line);
    // Marks report line `line` good or spam and trains the word filter with it.
    ChangeResult markBayes(size_t line, BayesList list);
    // The word at `index` loses its strength and becomes the first to be replaced.
    ChangeResult neutraliseBayesWord(size_t index);
    // Empties both word tables and zeroes the Bayes counters; the word file is written at once.
    ChangeResult clearBayesDatabase();
    // index -1 adds a record; otherwise the record at index is replaced. The
    // record file is written at once; a stored rule also clears the
    // checked-message memory, so the next cycle judges every message again.
    ChangeResult storeAccount(int index, const AccountRecord& account);
    ChangeResult storeRule(int index, const RuleRecord& rule);
    ChangeResult storeFriend(int index, const FriendRecord& friendRecord);
    // The rule editor's save: its steps with the answers given so far (yes),
    // then storeRule. A question leaves everything as it was.
    ChangeResult saveRule(int index, const RuleDraft& draft, const std::set<RuleSaveQuestion>& yes);
    // The account editor's save steps, then the store.
    ChangeResult saveAccount(int index, const AccountRecord& account);
    // The friend editor's save steps, then the store; addressAnswered: its
    // question about an address without "@" was answered Yes.
    ChangeResult saveFriend(int index, const FriendRecord& friendRecord, bool addressAnswered);
    ChangeResult deleteRecords(RecordKind kind, std::vector<size_t> indexes);
    // The address-book import: the book (bookPath, else the configured one,
    // else the default) loaded and planned against the stored friends.
    FriendImportPlan planFriendImport(const std::string& bookPath = {}) const;
    // Adds the plan's friends and writes the friend file once; when the write
    // fails none of them stays (refused with the import's error text).
    ChangeResult importFriends(const std::vector<FriendRecord>& additions);
    // The account editor's connection test for the form's values, with the
    // settings' CA file and mail time-out; run it off the window's thread.
    std::unique_ptr<AccountConnectionCheck> connectionCheck(const AccountRecord& account) const;
    // The similar-rule search's delete walk over its lines, one write; the
    // unchecked lines are left with their IDs following the deletions.
    ChangeResult deleteOverlappingRules(std::vector<OverlapLine>& lines);

    // CycleSteps: the worker's handoffs, on this object's thread (tests run them directly).
    void cycleStatus(const std::string& text) override;
    void cycleProgress(uint8_t percent) override;
    void cycleResult(const CycleResult& result) override;
    void cycleEnd(const CycleEnd& end) override;
    void cycleFinished(CycleOutcome outcome) override;

signals:
    void settingsLoaded();
    void settingsApplied(bool startUp);
    // Start-up only: the pages restore their views (statistics view, list sorting).
    void startUpApplied();
    void addressBookImportRequested();
    void reportChanged();
    void countersChanged();
    void recordsChanged(kestrin::RecordKind kind);
    void cycleStarted();
    void cycleStatusChanged(const std::string& text); // Windows-1250
    void cycleProgressChanged(int percent);
    // The end-of-cycle step: state() holds the new-mail texts and the update announcement.
    void cycleEnded();
    void updateAnnounced();
    // The report could not be saved after a cycle (texts Windows-1250 / UTF-8).
    void saveFailed(const std::string& text, const std::string& detail);

private:
    void endOfCycle();
    void saveReport();
    ChangeResult saveRecords(RecordKind kind, ChangeResult result);
    template <typename Record>
    ChangeResult store(std::vector<Record>& records, int index, const Record& record, RecordKind kind);
    void applyStartUpSteps();
    void holdCycles();

    std::string programFolder_;
    SessionServices services_;
    ProgramData data_;
    std::shared_ptr<IdentityMemory> checkedMemory_;
    std::shared_ptr<IdentityMemory> markedMemory_;
    BayesMessageMemory bayesMessages_; // what a Bayes mark trains, by report entry
    SessionState state_;
    RuleHitStatistics ruleHits_;
    std::unique_ptr<SingleInstanceLock> instanceLock_;
    std::shared_ptr<HandOverGate> gate_;
    std::unique_ptr<CycleWorker> worker_;
    QTimer* kill_timer_ = nullptr;
    bool startedUp_ = false;
    bool shutDown_ = false;
};

} // namespace kestrin::session
