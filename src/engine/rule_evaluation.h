#pragma once
// Whether one message rule selects one message. Pure: the actions are carried
// out elsewhere, and the friends test is the check cycle's.
#include "engine/body_correction.h"
#include "engine/rule_field_texts.h"
#include "mail/message.h"
#include "storage/records.h"

#include <cstdint>
#include <string>

namespace kestrin {

enum class RuleOutcome { Selected, NotSelected, UnknownField };

// The report and status text when a rule has a field code above 9 (Windows-1250).
const std::string& ruleAnalysisFaultText();

// messageSize is the size the server reported; wholeMessage is false when only
// the header was fetched. UnknownField for a typ above 9; an unavailable field
// never selects. Throws EConvertError for a "rozmiar" value that is not a number.
RuleOutcome evaluateRule(const RuleRecord& rule, const TIdMessage& message, int64_t messageSize, bool wholeMessage,
                         const BodyCorrection& correction);
// The same over field texts made once per message, for many rules in a row.
RuleOutcome evaluateRule(const RuleRecord& rule, RuleFieldTexts& fields);

} // namespace kestrin
