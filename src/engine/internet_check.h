#pragma once
// Whether the machine is on a network at all; the check cycle and the
// background fetch skip their work without one. The platform layer implements
// it, tests inject their own answer.

namespace kestrin {

class InternetCheck {
public:
    virtual ~InternetCheck();
    virtual bool connected() = 0;
};

} // namespace kestrin
