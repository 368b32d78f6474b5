#include "engine/rule_field_texts.h"

#include "engine/rule_field.h"
#include "engine/rule_vocabulary.h"
#include "text/ascii_case.h"

namespace kestrin {

const std::optional<std::string>& RuleFieldTexts::text(int typ)
{
    static const std::optional<std::string> kNone;
    if (typ < 0 || typ >= static_cast<int>(kRuleFieldSlots))
        return kNone;
    const auto slot = static_cast<size_t>(typ);
    if (!made_[slot]) {
        std::optional<std::string> text = ruleFieldText(typ, message_, messageSize_, wholeMessage_);
        if (text && isTextField(typ))
            text = lowerAscii(applyBodyCorrection(*text, correction_));
        texts_[slot] = std::move(text);
        made_[slot] = true;
    }
    return texts_[slot];
}

} // namespace kestrin
