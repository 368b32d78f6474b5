#pragma once
// Why a command that changes the program folder could not start, printed the
// same way by every such command.
#include "platform/single_instance.h"
#include "storage/program_data.h"

#include <ostream>

namespace kestrin::cli {

// The second-copy message of the window, and which process holds the lock.
void printSecondCopy(const SingleInstanceLock& lock, std::ostream& err);
// The load-all failure's message, with what went wrong when that says more.
void printLoadFailure(const LoadResult& loaded, std::ostream& err);

} // namespace kestrin::cli
