// A check cycle on a worker thread against dovecot while the thread that owns
// the program's data keeps editing it, the way the window works: every host
// step is posted to the owning thread and the worker waits until it ran, and
// between steps the owner stores and deletes rules, friends and Bayes words,
// takes snapshots, marks report entries and clears both identity memories.
// scripts/test.sh runs this under ThreadSanitizer, which must stay quiet.
#include "engine/bayes_mark.h"
#include "engine/bayes_test_support.h"
#include "engine/message_identity.h"
#include "peers/dovecot_peer.h"
#include "protocol/sweeper_test_support.h"
#include "storage/atomic_file.h"
#include "support/corpus_files.h"
#include "text/date_time.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr size_t kMessagesPerFolder = 30;
constexpr auto kCycleLimit = 120s;

// Steps posted by the worker, run by the owning thread one at a time.
class HandoffQueue {
public:
    // Worker side: returns once the owner has run the step.
    void runOnOwner(const std::function<void()>& step)
    {
        std::unique_lock lock(mutex_);
        posted_ = &step;
        ran_ = false;
        changed_.notify_all();
        changed_.wait(lock, [this] { return ran_; });
    }

    // Owner side: runs the step posted within the wait; false when none came.
    bool runPosted(std::chrono::milliseconds wait)
    {
        const std::function<void()>* step = nullptr;
        {
            std::unique_lock lock(mutex_);
            if (!changed_.wait_for(lock, wait, [this] { return posted_ != nullptr; }))
                return false;
            step = posted_;
            posted_ = nullptr;
        }
        (*step)(); // the worker is blocked meanwhile
        {
            std::lock_guard lock(mutex_);
            ran_ = true;
        }
        changed_.notify_all();
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* posted_ = nullptr;
    bool ran_ = false;
};

// The worker's host: each step runs on the owning thread through the queue. A
// step that reaches the owner after it stopped the cycle is dropped, as the
// window drops it after quitting.
class QueuedHost : public CycleHost {
public:
    QueuedHost(HandoffQueue& queue, CycleHost& owner, const CancelToken& cancel)
        : queue_(queue), owner_(owner), cancel_(cancel)
    {
    }
    void status(const std::string& text) override
    {
        post([&] { owner_.status(text); });
    }
    void progress(uint8_t percent) override
    {
        post([&] { owner_.progress(percent); });
    }
    void result(const CycleResult& result) override
    {
        post([&] { owner_.result(result); });
    }
    void end(const CycleEnd& end) override
    {
        post([&] { owner_.end(end); });
    }

private:
    void post(const std::function<void()>& step)
    {
        queue_.runOnOwner([&] {
            if (!cancel_.cancelled())
                step();
        });
    }

    HandoffQueue& queue_;
    CycleHost& owner_;
    const CancelToken& cancel_;
};

// What the user does in the windows while a cycle runs; one edit per call.
class Editor {
public:
    Editor(ProgramData& data, IdentityMemory& checked, IdentityMemory& marked)
        : data_(data), checked_(checked), marked_(marked)
    {
    }

    void edit()
    {
        const size_t n = edits_++;
        const std::string tag = std::to_string(n);
        switch (n % 8) {
        case 0:
            data_.rules.push_back(ruleRecord("Nowa " + tag, 3, 0, "edycja" + tag, {true, false, false, true}));
            break;
        case 1:
            data_.rules.erase(data_.rules.begin());
            break;
        case 2:
            data_.friends.push_back({"Znajomy " + tag, "*@edycja" + tag + ".example"});
            data_.friends.erase(data_.friends.begin());
            break;
        case 3:
            data_.bayesWords.push_back(bayesWord("edycja" + tag, BayesList::Good, 1));
            data_.bayesWords.erase(data_.bayesWords.begin());
            break;
        case 4:
            snapshot_ = takeCycleSnapshot(data_);
            break;
        case 5:
            markNewestEntry();
            break;
        case 6:
            checked_.insert("edycja " + tag);
            marked_.insert("edycja " + tag);
            break;
        default:
            checked_.clear();
            marked_.clear();
        }
    }

    size_t edits() const { return edits_; }

private:
    // The report list's two commands on the newest entry: mark for deletion and train the filter.
    void markNewestEntry()
    {
        if (data_.report.empty() || splitReportEntry(data_.report.front()).kind != "mail")
            return;
        const Lines fields = splitMailFields(splitReportEntry(data_.report.front()).payload);
        marked_.insert(messageIdentity(fields[0], fields[1], fields[5], fields[6], fields[7]));
        const BayesList list = edits_ % 16 < 8 ? BayesList::Good : BayesList::Spam;
        markBayesEntry(data_.report.front(), list, data_.bayesWords, data_.counters.totals, localNow());
    }

    ProgramData& data_;
    IdentityMemory& checked_;
    IdentityMemory& marked_;
    std::shared_ptr<const CycleSnapshot> snapshot_;
    size_t edits_ = 0;
};

class SweeperThreads : public CycleFixture {
protected:
    void SetUp() override
    {
        if (!DovecotPeer::installed())
            GTEST_SKIP() << "dovecot is not installed";
        const auto ham = corpusFiles(fs::path(KESTRIN_CORPUS_DIR) / "easy-ham-1");
        const auto spam = corpusFiles(fs::path(KESTRIN_CORPUS_DIR) / "spam-1");
        if (ham.size() < kMessagesPerFolder || spam.size() < kMessagesPerFolder)
            GTEST_SKIP() << "the mail corpus is not cached in " << KESTRIN_CORPUS_DIR;
        if (QCoreApplication::instance() == nullptr)
            application = std::make_unique<QCoreApplication>(argc, argv);
        dovecot = std::make_unique<DovecotPeer>(std::vector<std::pair<std::string, std::string>>{{"jan", "tajne"}});
        for (size_t i = 0; i < kMessagesPerFolder; ++i) {
            dovecot->deliver("jan", readWholeFile(ham[i].string()));
            dovecot->deliver("jan", readWholeFile(spam[i].string()));
        }
        configure();
    }

    // Rules over every field that mostly do not match, a few deleting ones, friends and a trained filter.
    void configure()
    {
        data.accounts = {account(dovecot->pop3Port())};
        // Text fields only: a size rule with a word for its value is a rule fault.
        const uint8_t fields[] = {0, 1, 2, 3, 4, 8};
        for (int i = 0; i < 40; ++i) {
            const uint8_t typ = fields[i % 6];
            data.rules.push_back(ruleRecord("Regula " + std::to_string(i), typ, static_cast<uint8_t>(i % 3),
                                            "nic" + std::to_string(i), {i % 2 == 0, false, false, false}));
        }
        data.rules.push_back(ruleRecord("Odchudzanie", 3, 0, "lbs", {true, false, false, true}));
        data.rules.push_back(ruleRecord("Rozmiar", 5, 0, "6", {false, false, false, true}));
        for (int i = 0; i < 50; ++i)
            data.friends.push_back({"Znajomy " + std::to_string(i), "*@znajomy" + std::to_string(i) + ".example"});
        data.friends.push_back({"Lista", "*@EE.ED.AC.UK"});
        for (const char* word : {"free", "money", "click", "offer", "order", "credit", "cash", "remove", "guaranteed"})
            data.bayesWords.push_back(bayesWord(word, BayesList::Spam, 20));
        addFillerWords(data.bayesWords, BayesList::Spam, 30, "spamfill");
        for (const char* word : {"list", "linux", "thanks", "wrote", "patch", "kernel", "version", "mailing"})
            data.bayesWords.push_back(bayesWord(word, BayesList::Good, 20));
        addFillerWords(data.bayesWords, BayesList::Good, 30, "goodfill");
    }

    struct WorkerRun {
        CycleOutcome outcome = CycleOutcome::Cancelled;
        size_t handoffs = 0;
        size_t edits = 0;
        std::chrono::milliseconds stopTook{0};
    };

    // One cycle on a worker; this thread runs its steps and edits between them,
    // and stops the cycle once stopNow says so (or at the time limit).
    WorkerRun runOnWorker(const std::function<bool()>& stopNow = [] { return false; })
    {
        HandoffQueue queue;
        QueuedHost queued(queue, host, cancel);
        Editor editor(data, checked, marked);
        TSweeper sweeper(takeCycleSnapshot(data),
                         SweeperContext{folder.path(), channels, internet, checked, marked, cancel, {}}, queued);
        WorkerRun run;
        std::atomic<bool> finished{false};
        std::thread worker([&] {
            run.outcome = sweeper.run();
            finished = true;
        });
        const auto limit = std::chrono::steady_clock::now() + kCycleLimit;
        std::chrono::steady_clock::time_point stopped;
        while (!finished) {
            if (queue.runPosted(1ms))
                ++run.handoffs;
            editor.edit();
            if (!cancel.cancelled() && (stopNow() || std::chrono::steady_clock::now() > limit)) {
                stopped = std::chrono::steady_clock::now();
                cancel.cancel();
            }
        }
        worker.join();
        if (cancel.cancelled())
            run.stopTook =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - stopped);
        run.edits = editor.edits();
        return run;
    }

    int argc = 1;
    char name[16] = "test_threads";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    std::unique_ptr<DovecotPeer> dovecot;
};

TEST_F(SweeperThreads, CycleOnAWorkerWhileTheOwnerEditsEverything)
{
    const WorkerRun run = runOnWorker();
    ASSERT_EQ(run.outcome, CycleOutcome::Completed) << "the cycle did not end within the limit";
    EXPECT_TRUE(host.ended);
    EXPECT_GT(run.edits, run.handoffs) << "the owner edited between the steps";
    // Each message got one entry; the ones reported as deleted are gone, and only they.
    const size_t messages = 2 * kMessagesPerFolder;
    size_t entries = 0;
    size_t deleted = 0;
    for (const std::string& line : data.report) {
        const ReportEntry entry = splitReportEntry(line);
        if (entry.kind != "mail")
            continue;
        ++entries;
        deleted += splitMailFields(entry.payload)[2].find('d') != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(entries, messages);
    EXPECT_EQ(data.counters.run.checked, messages);
    EXPECT_EQ(data.counters.run.errors, 0u);
    EXPECT_EQ(data.counters.run.deleted, deleted);
    EXPECT_GT(deleted, 0u);
    EXPECT_LT(deleted, messages);
    EXPECT_EQ(dovecot->messageFiles("jan").size(), messages - deleted);
}

TEST_F(SweeperThreads, OwnerStopsTheCycleMidwayAndNothingIsDeleted)
{
    const size_t stored = dovecot->messageFiles("jan").size();
    // Every archived message here is deleted right after its copy is written,
    // so the third copy means at least two DELE commands were sent.
    const auto archived = [this] {
        std::error_code error;
        fs::directory_iterator files(folder.path() + "/archive", error);
        return error ? 0 : std::distance(files, fs::directory_iterator());
    };
    data.rules.erase(data.rules.begin(), data.rules.begin() + 40); // only the deleting rules archive
    const WorkerRun run = runOnWorker([&] { return archived() >= 3; });
    EXPECT_EQ(run.outcome, CycleOutcome::Cancelled);
    EXPECT_FALSE(host.ended);
    EXPECT_EQ(dovecot->messageFiles("jan").size(), stored) << "no QUIT after the stop";
    // The visit never ended: nothing of it is reported or counted as deleted.
    EXPECT_EQ(data.counters.run.deleted, 0u);
    EXPECT_EQ(data.counters.run.checked, 0u);
    EXPECT_LT(run.stopTook, 2000ms);
}

} // namespace
} // namespace kestrin::test
