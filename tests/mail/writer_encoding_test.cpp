#include "mail/address_parser.h"
#include "mail/encoded_word_writer.h"
#include "mail/encoded_words.h"
#include "mail/header_folding.h"
#include "mail/header_list.h"
#include "mail/mail_date.h"
#include "mail/rfc822_date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <regex>

namespace kestrin {
namespace {

// "Zażółć gęślą jaźń" in Windows-1250.
const std::string kPolish = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";

std::vector<std::string> encodedWordsIn(const std::string& text)
{
    static const std::regex word(R"(=\?[^?\s]+\?[QqBb]\?[^?\s]*\?=)");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), word); it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

TEST(EncodedWordWriter, UnstructuredTextReadsBackAndKeepsWordsShort)
{
    EXPECT_EQ(encodeHeaderText("Plain ASCII subject"), "Plain ASCII subject");
    const std::string polish = encodeHeaderText(kPolish);
    EXPECT_EQ(decodeEncodedWords(polish), kPolish);
    EXPECT_EQ(polish.find_first_of("\x80\xBF\xF3"), std::string::npos);
    EXPECT_NE(polish.find("=?windows-1250?Q?"), std::string::npos);

    // ASCII words stay readable; the blank between them and an encoded run is a plain blank.
    const std::string mixed = encodeHeaderText("Faktura nr 5 \xB3\xF3\x64\xBC i inne");
    EXPECT_EQ(mixed.substr(0, 13), "Faktura nr 5 ");
    EXPECT_EQ(decodeEncodedWords(mixed), "Faktura nr 5 \xB3\xF3\x64\xBC i inne");

    // Two words outside ASCII in a row: the blank between them must survive decoding.
    EXPECT_EQ(decodeEncodedWords(encodeHeaderText("\xB3\xF3\x64\xBC \xB3\xF3\x64\xBC")),
              "\xB3\xF3\x64\xBC \xB3\xF3\x64\xBC");

    std::string longText;
    for (int i = 0; i < 20; ++i)
        longText += kPolish + " ";
    const std::string encoded = encodeHeaderText(longText + "end");
    EXPECT_EQ(decodeEncodedWords(encoded), longText + "end");
    const auto words = encodedWordsIn(encoded);
    ASSERT_GT(words.size(), 3u);
    for (const auto& w : words)
        EXPECT_LE(w.size(), 75u) << w;

    // Something a decoder would take for an encoded word is encoded itself.
    const std::string lookalike = "=?iso-8859-2?Q?abc?=";
    EXPECT_EQ(decodeEncodedWords(encodeHeaderText(lookalike)), lookalike);
    // An undecodable (UTF-8) encoded word stays as received, for the recipient's mailer.
    EXPECT_EQ(encodeHeaderText("=?UTF-8?Q?caf=C3=A9?= menu"), "=?UTF-8?Q?caf=C3=A9?= menu");

    // Line breaks never reach a header; blanks at the ends survive inside an encoded word.
    const std::string broken = encodeHeaderText("a\r\nb\xB3");
    EXPECT_EQ(broken.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(decodeEncodedWords(broken), "a  b\xB3");
    EXPECT_EQ(decodeEncodedWords(encodeHeaderText(" lead")), " lead");
}

TEST(EncodedWordWriter, AddressesEncodeOnlyDisplayNames)
{
    auto readBack = [](const std::string& written) { return parseAddressList(decodeEncodedWords(written)); };

    const TIdEMailAddressItem ascii{"Jan Kowalski", "jan@example.com"};
    EXPECT_EQ(encodeAddressItem(ascii), "Jan Kowalski <jan@example.com>");

    const TIdEMailAddressItem polish{"Pawe\xB3 \xA3ukasz Nowak", "pawel@example.pl"};
    const std::string written = encodeAddressItem(polish);
    EXPECT_NE(written.find("<pawel@example.pl>"), std::string::npos);
    EXPECT_EQ(written.find('"'), std::string::npos) << "no quoted string needed here: " << written;
    auto list = readBack(written);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list[0].Name, polish.Name);
    EXPECT_EQ(list[0].Address, polish.Address);

    // Specials in the name go into quoted strings, never an encoded word inside quotes.
    const TIdEMailAddressItem comma{"Nowak, \xA3ukasz (Dzia\xB3 IT)", "l@example.pl"};
    const std::string commaText = encodeAddressItem(comma);
    for (const auto& w : encodedWordsIn(commaText)) {
        const size_t at = commaText.find(w);
        const size_t quotesBefore = std::count(commaText.begin(), commaText.begin() + static_cast<long>(at), '"');
        EXPECT_EQ(quotesBefore % 2, 0u) << commaText;
    }
    list = readBack(commaText);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list[0].Name, comma.Name);

    // The address itself is never encoded, even with bytes outside ASCII.
    const TIdEMailAddressItem odd{"\xA3ukasz", "\xB3ukasz@example.pl"};
    EXPECT_NE(encodeAddressItem(odd).find("<\"\xB3ukasz\"@example.pl>"), std::string::npos);

    const TIdEMailAddressList two{{polish, ascii}};
    list = readBack(encodeAddressList(two));
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list[0].Name, polish.Name);
    EXPECT_EQ(list[1].Address, "jan@example.com");
}

TEST(HeaderFolding, FoldsAtSingleBlanksAndKeepsWordsWhole)
{
    const std::string shortLine = "Subject: short";
    EXPECT_EQ(foldHeaderLine(shortLine), std::vector<std::string>{shortLine});

    std::string value;
    for (int i = 0; i < 30; ++i)
        value += "word" + std::to_string(i) + " ";
    value += "last";
    const auto folded = foldHeaderLine("Subject: " + value);
    ASSERT_GT(folded.size(), 1u);
    std::string unfolded = folded[0];
    for (size_t i = 0; i < folded.size(); ++i) {
        EXPECT_LE(folded[i].size(), 78u);
        if (i > 0) {
            EXPECT_EQ(folded[i][0], ' ');
            EXPECT_NE(folded[i][1], ' ');
            unfolded += folded[i];
        }
    }
    EXPECT_EQ(unfolded, "Subject: " + value);
    TIdHeaderList list;
    list.lines = folded;
    EXPECT_EQ(list.value("Subject"), value);

    // No blank to fold at: the line stays long rather than breaking a word.
    const std::string unbroken = "X-Long: " + std::string(120, 'x');
    EXPECT_EQ(foldHeaderLine(unbroken), std::vector<std::string>{unbroken});
    // A long word is put on its own continuation line; runs of blanks are not cut.
    const auto longWord = foldHeaderLine("X-Long: a  b " + std::string(100, 'y') + " z");
    ASSERT_EQ(longWord.size(), 3u);
    EXPECT_EQ(longWord[0], "X-Long: a  b");
    EXPECT_EQ(longWord[1], " " + std::string(100, 'y'));
    EXPECT_EQ(longWord[2], " z");
    // Never inside the field name of a line whose name holds blanks.
    const auto named = foldHeaderLine("Odd Name " + std::string(80, 'n') + ": v");
    EXPECT_EQ(named, (std::vector<std::string>{"Odd Name " + std::string(80, 'n') + ":", " v"}));
}

TEST(Rfc822Date, LocalTimeWithZoneOffsetParsesBack)
{
    // The test runner sets TZ=Europe/Warsaw.
    const TDateTime winter = encodeDateTime({2025, 1, 14, 9, 30, 0, 0});
    EXPECT_EQ(rfc822Date(winter), "Tue, 14 Jan 2025 09:30:00 +0100");
    const TDateTime summer = encodeDateTime({2024, 7, 1, 23, 59, 59, 0});
    EXPECT_EQ(rfc822Date(summer), "Mon, 1 Jul 2024 23:59:59 +0200");
    EXPECT_EQ(rfc822Date(encodeDateTime({2024, 2, 29, 12, 0, 0, 600})), "Thu, 29 Feb 2024 12:00:01 +0100");

    const TDateTime values[] = {
        winter, summer, encodeDateTime({2024, 10, 27, 2, 30, 0, 0}), // the hour that happens twice
        encodeDateTime({1999, 12, 31, 23, 59, 59, 0}), encodeDateTime({2038, 1, 19, 4, 14, 8, 0})};
    for (const TDateTime value : values)
        EXPECT_NEAR(parseMailDate(rfc822Date(value)), value, 0.5 / 86400) << rfc822Date(value);

    // TZ is honoured.
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "America/New_York", 1);
    tzset();
    const std::string newYork = rfc822Date(winter);
    const TDateTime parsed = parseMailDate(newYork);
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_EQ(newYork, "Tue, 14 Jan 2025 09:30:00 -0500");
    EXPECT_NEAR(parsed, winter, 0.5 / 86400);
}

} // namespace
} // namespace kestrin
