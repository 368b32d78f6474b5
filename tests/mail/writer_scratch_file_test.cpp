// The temporary message file is fetched mail (text a stranger chooses) written
// into the program folder: whatever someone put under its name, it must land
// in a file of the program's own and nowhere else.
#include "mail/id_message.h"
#include "mail/mail_errors.h"
#include "support/file_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScratchFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("kestrin-scratch-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(folder / "authorized_keys") << "ssh-ed25519 AAAA user@host\n";
        message.Subject = "Wygrana";
        message.Body = {"ssh-ed25519 ATTACKER evil@host"};
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    TIdMessage message;
};

TEST_F(ScratchFile, WhateverStandsUnderTheNameTheMessageGoesToAFileOfItsOwn)
{
    const fs::path victim = folder / "authorized_keys";
    message.saveToFile((folder / "fresh.txt").string());
    const std::string expected = bytesOf(folder / "fresh.txt");
    const fs::path dangling = folder / "created-through-link";
    struct Case {
        const char* planted;
        std::function<void(const fs::path&)> plant;
    };
    const Case cases[] = {
        {"link to a file", [&](const fs::path& p) { fs::create_symlink(victim, p); }},
        {"dangling link", [&](const fs::path& p) { fs::create_symlink(dangling, p); }},
        {"second name of a file", [&](const fs::path& p) { fs::create_hard_link(victim, p); }},
        {"pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"longer old message", [](const fs::path& p) { std::ofstream(p) << std::string(10000, 'x'); }},
    };
    for (const Case& c : cases) {
        const fs::path scratch = folder / "~message.txt";
        fs::remove(scratch);
        c.plant(scratch);
        message.saveToFile(scratch.string());
        EXPECT_EQ(bytesOf(victim), "ssh-ed25519 AAAA user@host\n") << c.planted;
        EXPECT_FALSE(fs::exists(fs::symlink_status(dangling))) << c.planted;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(scratch))) << c.planted;
        EXPECT_EQ(fs::hard_link_count(scratch), 1u) << c.planted;
        EXPECT_EQ(bytesOf(scratch), expected) << c.planted;
    }
}

TEST_F(ScratchFile, PrivateWhateverTheUmaskAndRefusedWhereAFolderStands)
{
    {
        const test::ScopedUmask open(0);
        message.saveToFile((folder / "~message.txt").string());
    }
    EXPECT_EQ(test::fileMode((folder / "~message.txt").string()), 0600u);

    fs::create_directory(folder / "~folder.txt");
    EXPECT_THROW(message.saveToFile((folder / "~folder.txt").string()), EIdException);
}

TEST_F(ScratchFile, AnEndlessFileIsRefusedNamingTheBound)
{
    TIdMessage loaded;
    try {
        loaded.loadFromFile("/dev/zero");
        FAIL() << "/dev/zero loaded";
    } catch (const EIdMessageCannotLoad& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot read /dev/zero: the file is larger than 96 MiB");
    }
}

} // namespace
} // namespace kestrin
