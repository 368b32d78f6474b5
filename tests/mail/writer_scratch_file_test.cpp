// The temporary message file is fetched mail (text a stranger chooses) written
// into the program folder: whatever someone put under its name, it must land
// in a file of the program's own and nowhere else.
#include "mail/message.h"
#include "writer_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ScratchFile, WhateverStandsUnderTheNameTheMessageGoesToAFileOfItsOwn)
{
    const test::TempFile victim("kestrin-victim");
    const test::TempFile dangling("kestrin-dangling");
    const test::TempFile scratch("kestrin-scratch");
    std::ofstream(victim.name()) << "ssh-ed25519 AAAA user@host\n";
    TIdMessage message;
    message.Body = {"ssh-ed25519 ATTACKER evil@host"};
    message.saveToFile(scratch.name());
    const std::string expected = bytesOf(scratch.name());
    const std::pair<const char*, std::function<void(const fs::path&)>> plants[] = {
        {"link", [&](const fs::path& p) { fs::create_symlink(victim.name(), p); }},
        {"dangling link", [&](const fs::path& p) { fs::create_symlink(dangling.name(), p); }},
        {"second name", [&](const fs::path& p) { fs::create_hard_link(victim.name(), p); }},
        {"pipe", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }},
        {"longer file", [](const fs::path& p) { std::ofstream(p) << std::string(10000, '#'); }},
    };
    for (const auto& [planted, plant] : plants) {
        fs::remove(scratch.name());
        plant(scratch.name());
        message.saveToFile(scratch.name());
        EXPECT_EQ(bytesOf(victim.name()), "ssh-ed25519 AAAA user@host\n") << planted;
        EXPECT_FALSE(fs::exists(fs::symlink_status(dangling.name()))) << planted;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(scratch.name()))) << planted;
        EXPECT_EQ(bytesOf(scratch.name()), expected) << planted;
    }
}

} // namespace
} // namespace kestrin
