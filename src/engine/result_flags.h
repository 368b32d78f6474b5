#pragma once
// What one result of the check cycle counts: a set of flags, each present or
// not, so setting one twice still counts it once.
#include <cstdint>
#include <initializer_list>

namespace kestrin {

enum class ResultFlag : uint8_t {
    Checked = 1, // one more checked message
    Deleted = 2, // one more deleted message
    Bayes = 4,   // the Bayes filter caused the deletion
    Error = 8,   // one more error
};

class ResultFlags {
public:
    constexpr ResultFlags() = default;
    constexpr ResultFlags(std::initializer_list<ResultFlag> flags)
    {
        for (const ResultFlag flag : flags)
            set(flag);
    }

    constexpr bool has(ResultFlag flag) const { return (bits_ & bit(flag)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr ResultFlags& set(ResultFlag flag)
    {
        bits_ |= bit(flag);
        return *this;
    }
    constexpr ResultFlags& clear(ResultFlag flag)
    {
        bits_ &= static_cast<uint8_t>(~bit(flag));
        return *this;
    }
    friend constexpr bool operator==(ResultFlags, ResultFlags) = default;

private:
    static constexpr uint8_t bit(ResultFlag flag) { return static_cast<uint8_t>(flag); }
    uint8_t bits_ = 0;
};

} // namespace kestrin
