#pragma once
// The results of one POP3 connection, held until it ends. The server carries
// out DELE only when the connection ends with an accepted QUIT (RFC 1939), so
// a deletion may be reported and counted only then; when the connection ends
// any other way, the held entries are handed over without their deletions.
#include "engine/cycle_host.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrin {

class VisitLedger {
public:
    // A message's own result: identity for the checked-message memory,
    // whether a DELE was sent for it on this connection, and whether the
    // server answered that DELE with +OK (the result then claims the deletion).
    void holdMessage(CycleResult result, std::string identity, bool deleteSent, bool deleted);
    // Any other result of the visit (an error entry).
    void hold(CycleResult result);
    // So many results that the visit should end (QUIT) and leave the rest of
    // the mailbox to the next cycle: held results must not grow without bound.
    bool full() const;
    bool empty() const { return held_.empty(); }

    // QUIT accepted: the results as they were, in order; the ledger is empty after.
    std::vector<CycleResult> takeCarriedOut();

    struct Undone {
        std::vector<CycleResult> results;    // without deletion letters, causes and rule hits
        std::vector<std::string> identities; // of the messages whose DELE came to nothing: to be judged again
        size_t claimedDeletions = 0;         // how many of them the cycle had counted as deleted
    };
    // No accepted QUIT: the same results without any claim of a deletion.
    Undone takeUndone();

private:
    struct Held {
        CycleResult result;
        std::string identity;
        bool deleteSent = false;
        bool deleted = false;
    };
    std::vector<Held> held_;
    size_t heldBytes_ = 0;
};

// The result of a message whose deletion did not happen: "d" and "b" leave the
// flags, "d" the action letters of its entry, and its cause becomes "-".
CycleResult withoutDeletion(const CycleResult& result);

} // namespace kestrin
