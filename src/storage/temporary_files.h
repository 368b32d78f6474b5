#pragma once
// The scratch files the program leaves in its folder while it runs: the last
// message fetched whole, the HTML view of an archived message, the remote
// content files and the statistics scratch file. All go at shutdown.
#include <array>
#include <string>

namespace kestrin {

inline constexpr std::array<const char*, 6> kTemporaryFileNames = {"~message.txt", "~htmlmsg.html", "~advconfig.ini",
                                                                   "~masdata.ini", "~masimg.jpg",   "~stat.tmp"};

// Removes those that exist in the program folder; a file that cannot be
// removed is left, silently.
void deleteTemporaryFiles(const std::string& programFolder);

} // namespace kestrin
