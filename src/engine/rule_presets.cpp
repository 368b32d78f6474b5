#include "engine/rule_presets.h"

#include "engine/rule_vocabulary.h"
#include "text/cp1250.h"

#include <array>

namespace kestrin {
namespace {

std::vector<std::string> windows1250(std::initializer_list<const char*> utf8Values)
{
    std::vector<std::string> values;
    for (const char* value : utf8Values)
        values.push_back(winLiteral(value));
    return values;
}

constexpr size_t kNormalPriority = 2;

} // namespace

const std::vector<std::string>& rulePresetValues(int typ)
{
    static const std::array<std::vector<std::string>, kRuleFieldCount> presets = [] {
        std::array<std::vector<std::string>, kRuleFieldCount> byField;
        byField[static_cast<size_t>(RuleField::Size)] =
            windows1250({"128", "256", "512", "1024", "2048", "4096", "8192"});
        byField[static_cast<size_t>(RuleField::Priority)] =
            windows1250({"najwyższy (1)", "wysoki (2)", "normalny (3)", "niski (4)", "najniższy (5)"});
        byField[static_cast<size_t>(RuleField::Charset)] =
            windows1250({"iso-8859-1", "iso-8859-2", "iso-8859-3", "us-ascii", "windows-1250"});
        byField[static_cast<size_t>(RuleField::MimeVersion)] = windows1250({"1.0"});
        return byField;
    }();
    static const std::vector<std::string> none;
    if (typ < 0 || static_cast<size_t>(typ) >= kRuleFieldCount)
        return none;
    return presets[static_cast<size_t>(typ)];
}

bool ruleValueIsFixed(int typ)
{
    return typ == static_cast<int>(RuleField::Priority);
}

std::string defaultRuleValue(int typ)
{
    return ruleValueIsFixed(typ) ? rulePresetValues(typ)[kNormalPriority] : std::string();
}

} // namespace kestrin
