#include "mail/mail_errors.h"
#include "message_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Exactly what fuzz/fuzz_message.cpp does with one input; true when the mail
// layer raised one of its own errors.
bool replay(const std::string& bytes)
{
    StringLineSource source(bytes);
    TIdMessage message;
    try {
        readMessage(message, source);
    } catch (const EIdException&) {
        return true;
    }
    return false;
}

// Inputs the fuzzer found or that were written to steer it into hostile
// structure; each must be read without a crash or a foreign exception.
TEST(ReaderFuzzReplay, EveryKeptInputIsReadSafely)
{
    const fs::path folder = fs::path(KESTRIN_TEST_DATA) / "fuzz-message";
    size_t inputs = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        ++inputs;
        SCOPED_TRACE(entry.path().filename().string());
        const bool raised = replay(fileBytes(entry.path()));
        EXPECT_EQ(raised, entry.path().filename() == "encoded-multipart.eml");
    }
    EXPECT_GE(inputs, 5u);
}

} // namespace
} // namespace kestrin
