#include "engine/cycle_host.h"

namespace kestrin {

CycleHost::~CycleHost() = default;

} // namespace kestrin
