#pragma once
// The values the rule editor offers per field. A "priorytet" rule takes only
// these values, the other fields offer them as suggestions.
#include <string>
#include <vector>

namespace kestrin {

// Windows-1250 texts in the order the editor lists them; empty for a field
// without presets or outside the field list.
const std::vector<std::string>& rulePresetValues(int typ);
// Whether the field's value must be one of its presets.
bool ruleValueIsFixed(int typ);
// The value a fixed list starts at; empty for the other fields.
std::string defaultRuleValue(int typ);

} // namespace kestrin
