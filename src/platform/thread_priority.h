#pragma once

namespace kestrin {

// One step below normal for the calling thread, so a check cycle never slows
// the windows down. Linux schedules threads by their nice value; a failure
// leaves the priority as it was.
void lowerCurrentThreadPriority();

} // namespace kestrin
