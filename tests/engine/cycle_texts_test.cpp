// Cycle texts that carry a local path: Windows-1250 data like every report text.
#include "engine/cycle_texts.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(CycleTexts, UnwritableFolderTextCarriesThePathAsWindows1250)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/home/ala/.local/share/kestrin/config", "/home/ala/.local/share/kestrin/config"},
        {"/home/\xC5\x82ucja/poczta/archive", "/home/\xB3ucja/poczta/archive"}, // "ł" in UTF-8 on disk
    };
    for (const auto& [folder, inText] : cases)
        EXPECT_EQ(unwritableFolderText(folder),
                  "Nie mo\xBFna zapisa\xE6 plik\xF3w w folderze programu (" + inText + ")!")
            << folder;
}

} // namespace
} // namespace kestrin
