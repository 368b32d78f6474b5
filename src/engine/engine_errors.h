#pragma once
// Failures inside the engine are exceptions carrying the text the user sees in
// the report; the check cycle catches them per message and rule.
#include <stdexcept>

namespace kestrin {

// A text that should hold a number does not ("'abc' is not a valid integer value").
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kestrin
