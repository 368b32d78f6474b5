#pragma once
// Where the peer scripts (Python servers) live in the source tree.
#include <filesystem>
#include <string>

namespace kestrin::test {

inline std::string peerScript(const std::string& name)
{
    return (std::filesystem::path(__FILE__).parent_path() / name).string();
}

} // namespace kestrin::test
