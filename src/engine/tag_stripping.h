#pragma once
// Body correction for rules: HTML mail hides words behind tags ("cl<b></b>ick"),
// so a rule may look at the text with every "<...>" segment taken out.
#include <string>
#include <string_view>

namespace kestrin {

// Repeatedly, while the text holds both a "<" and a ">" anywhere: the first "<"
// is removed together with everything up to the next ">" after it, or alone when
// no ">" follows it. Computed in one pass, with the same result.
std::string stripTags(std::string_view text);

} // namespace kestrin
