#include "engine/internet_check.h"

namespace kestrin {

// Defined out of line so the interface's vtable lives in one object file.
InternetCheck::~InternetCheck() = default;

} // namespace kestrin
