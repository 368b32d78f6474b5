#include "engine/sweeper.h"

#include "engine/sweeper_cycle.h"

namespace kestrin {

std::string temporaryMessagePath(const std::string& programFolder)
{
    return programFolder + "/~message.txt";
}

TSweeper::TSweeper(std::shared_ptr<const CycleSnapshot> snapshot, SweeperContext context, CycleHost& host)
    : snapshot_(std::move(snapshot)), context_(std::move(context)), host_(host)
{
}

TSweeper::~TSweeper() = default;

CycleOutcome TSweeper::run()
{
    try {
        SweeperCycle cycle(*snapshot_, context_, host_);
        cycle.run();
        return CycleOutcome::Completed;
    } catch (const CycleCancelled&) {
        return CycleOutcome::Cancelled;
    }
}

} // namespace kestrin
