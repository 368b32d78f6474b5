#pragma once
// The machine counts as on a network when some interface other than loopback
// is up, running and has an address. This is all a check cycle can know
// without contacting a server, which it is about to do anyway.
#include "engine/internet_check.h"

namespace kestrin {

class SystemInternetCheck : public InternetCheck {
public:
    bool connected() override;
};

} // namespace kestrin
