#pragma once
// The field texts one message offers its rules, each made at most once however
// many rules read it: with a thousand rules the body would otherwise be joined,
// corrected and folded again for every body rule.
#include "engine/body_correction.h"
#include "mail/message.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kestrin {

inline constexpr size_t kRuleFieldSlots = 10;

class RuleFieldTexts {
public:
    // All referenced objects must outlive this one.
    RuleFieldTexts(const TIdMessage& message, int64_t messageSize, bool wholeMessage, const BodyCorrection& correction)
        : message_(message), messageSize_(messageSize), wholeMessage_(wholeMessage), correction_(correction)
    {
    }

    // ruleFieldText of the field; for the text fields body-corrected and folded
    // to ASCII lower case, as the text conditions compare. nullopt when the
    // message has no such value or typ names no field.
    const std::optional<std::string>& text(int typ);

    int64_t messageSize() const { return messageSize_; }

private:
    const TIdMessage& message_;
    int64_t messageSize_;
    bool wholeMessage_;
    const BodyCorrection& correction_;
    std::array<std::optional<std::string>, kRuleFieldSlots> texts_;
    std::array<bool, kRuleFieldSlots> made_{};
};

} // namespace kestrin
