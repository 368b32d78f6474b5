#include "engine/rule_vocabulary.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

using namespace kestrin;

TEST(RuleVocabulary, FieldNamesAreWindows1250)
{
    const auto& names = ruleFieldNames();
    EXPECT_EQ(names[0], "nazwa");
    EXPECT_EQ(cp1250ToUtf8(names[4]), "zawartość wiadomości");
    EXPECT_EQ(names[4], "zawarto\x9c\xe6 wiadomo\x9c\x63i");
    EXPECT_EQ(names[8], "nazwa programu pocztowego");
    EXPECT_EQ(names[9], "wersja MIME");
}

TEST(RuleVocabulary, ConditionNamesWithSeparatorsAndMissingPositions)
{
    const auto& names = conditionNames();
    for (const int textField : {0, 1, 2, 3, 4, 8}) {
        EXPECT_EQ(cp1250ToUtf8(names[textField][0]), "zawiera treść");
        EXPECT_EQ(names[textField][4], "");
        EXPECT_EQ(cp1250ToUtf8(names[textField][6]), "nie zawiera żadnych słów");
        EXPECT_EQ(names[textField][9], "");
        EXPECT_EQ(cp1250ToUtf8(names[textField][13]), "nie kończy się wyrażeniem");
    }
    EXPECT_EQ(cp1250ToUtf8(names[5][0]), "przekracza wartość (Kb)");
    EXPECT_EQ(names[5][1], "-1");
    EXPECT_EQ(cp1250ToUtf8(names[6][1]), "nie posiada wartości");
    EXPECT_EQ(names[7][0], "odpowiada standardowi");
    EXPECT_EQ(cp1250ToUtf8(names[9][0]), "odpowiada wartości");
    for (const int otherField : {6, 7, 9}) {
        for (size_t position = 2; position < kConditionPositionCount; ++position)
            EXPECT_EQ(names[otherField][position], "-1");
    }
}

TEST(RuleVocabulary, CodesAndPositionsConvertBothWays)
{
    const int textRow[] = {0, 1, 2, 3, 5, 7, 8, 6, 10, 12, 11, 13};
    for (int code = 0; code < 12; ++code) {
        EXPECT_EQ(conditionPosition(3, code), textRow[code]);
        EXPECT_EQ(conditionCode(3, textRow[code]), code);
    }
    EXPECT_EQ(cp1250ToUtf8(conditionName(1, 7)), "nie zawiera żadnych słów");
    EXPECT_EQ(cp1250ToUtf8(conditionName(1, 9)), "kończy się wyrażeniem");
    EXPECT_EQ(conditionCode(3, 4), 0); // separator line
    EXPECT_EQ(conditionPosition(5, 7), 0);
    EXPECT_EQ(conditionCode(5, 0), 0);
    EXPECT_EQ(conditionPosition(6, 1), 1);
    EXPECT_EQ(conditionPosition(6, 5), 0);
    EXPECT_EQ(conditionCode(9, 1), 1);
    EXPECT_EQ(conditionPosition(10, 0), -1);
    EXPECT_EQ(conditionPosition(3, 12), -1);
    EXPECT_EQ(conditionPosition(-1, 0), -1);
    EXPECT_EQ(conditionName(3, 12), "");
    EXPECT_EQ(conditionCode(42, 1), 0);
}
