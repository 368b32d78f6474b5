#pragma once
// What a change asked of the session comes to: done, refused with the text
// the window shows in its warning box (and kestrin-cli prints on stderr), or
// stopped by a Yes/No question that the caller answers before asking again.
#include "engine/rule_save.h"

#include <optional>
#include <string>

namespace kestrin::session {

struct ChangeQuestion {
    RuleSaveQuestion which = RuleSaveQuestion::EmptyValue;
    std::string text;    // Windows-1250
    std::string caption; // Windows-1250
};

struct ChangeResult {
    bool done = true;
    std::string refusal;                    // Windows-1250; empty when done
    std::string saveError;                  // done, but its file could not be written (Windows-1250 box text)
    std::optional<ChangeQuestion> question; // not done until it is answered Yes

    static ChangeResult refused(std::string text) { return {false, std::move(text), {}, {}}; }
    static ChangeResult asked(ChangeQuestion question) { return {false, {}, {}, std::move(question)}; }
};

} // namespace kestrin::session
