#pragma once
// A stored or entered text that should hold a number and does not; the check
// cycle reports it per rule, the loaders end the load-all sequence with it.
#include <stdexcept>

namespace kestrin {

// A text that should hold a number does not ("'abc' is not a valid integer value").
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kestrin
