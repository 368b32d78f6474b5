#pragma once
// The check-cycle engine as the windows include it. IdentityMemory has a
// method named slots(), which Qt's `slots` keyword macro would turn into
// nothing; the engine headers are read with that macro set aside, whatever
// the including file read before.
#pragma push_macro("slots")
#undef slots
#include "engine/identity_memory.h"
#include "engine/sweeper.h"
#pragma pop_macro("slots")
