#pragma once
// What a change asked of the session comes to: done, or refused with the text
// the window shows in its warning box (and kestrin-cli prints on stderr).
#include <string>

namespace kestrin::session {

struct ChangeResult {
    bool done = true;
    std::string refusal;   // Windows-1250; empty when done
    std::string saveError; // done, but its file could not be written (Windows-1250 box text)

    static ChangeResult refused(std::string text) { return {false, std::move(text), {}}; }
};

} // namespace kestrin::session
