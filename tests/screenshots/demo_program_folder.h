#pragma once
// A program folder as a user of some weeks has it: the shipped data, three
// accounts, Polish rules, friends, Bayes words, settings changed from their
// defaults and a report with every kind of entry. The accounts name loopback
// ports nothing listens on, so no picture can reach a real server.
#include <string>

namespace kestrin::shots {

// The shipped data/ and skins/ of this build tree; empty when they were not drawn.
std::string builtShippedDataFolder();

// Fills programFolder (created when missing) with the demo data set.
void writeDemoProgramFolder(const std::string& programFolder, const std::string& shippedFolder);

// The mail program the demo settings name.
inline constexpr const char* kDemoMailProgram = "/usr/bin/thunderbird";

} // namespace kestrin::shots
