#pragma once
// The refusal every writing command prints when another Kestrin holds the
// user's single-instance lock.
#include "platform/single_instance.h"

#include <ostream>

namespace kestrin::cli {

void printSecondCopyRefusal(const SingleInstanceLock& lock, std::ostream& err);

} // namespace kestrin::cli
