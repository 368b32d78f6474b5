// The vCard reader on hand-written cards of each version and on hostile input.
#include "storage/vcard_reader.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrin {
namespace {

std::string card(const std::string& version, const std::string& body)
{
    return "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + body + "END:VCARD\r\n";
}

// The value of the first property of that name in the only card.
std::string valueOf(const std::string& bytes, const std::string& name)
{
    const auto cards = readVCards(bytes);
    if (cards.size() != 1)
        return "<" + std::to_string(cards.size()) + " cards>";
    const VCardProperty* property = cards[0].find(name);
    return property ? property->value : "<none>";
}

TEST(VCardReader, LinesUnfoldAsEachVersionSays)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::string note;
    };
    const Case cases[] = {
        {"CRLF and a space", card("3.0", "NOTE:abc\r\n def\r\n"), "abcdef"},
        {"LF and a tab", card("3.0", "NOTE:abc\n\tdef\n"), "abcdef"},
        {"lone CR", "BEGIN:VCARD\rVERSION:4.0\rNOTE:ab\r c\rEND:VCARD\r", "abc"},
        {"only the first blank goes", card("4.0", "NOTE:a\r\n  b\r\n"), "a b"},
        {"2.1 keeps the blank", card("2.1", "NOTE:a\r\n b\r\n"), "a b"},
        {"folded inside the name", card("3.0", "NO\r\n TE:x\r\n"), "x"},
        {"2.1 soft line breaks", card("2.1", "NOTE;ENCODING=QUOTED-PRINTABLE:ab=\r\ncd=\r\nef\r\n"), "abcdef"},
        {"bare QP word", card("2.1", "NOTE;QUOTED-PRINTABLE:a=3Db=\nc\n"), "a=bc"},
        {"soft break before END", card("2.1", "NOTE;QUOTED-PRINTABLE:ab=\r\n"), "ab"},
        {"'=' at the end without QP", card("3.0", "NOTE:ab=\r\nX-A:1\r\n"), "ab="},
        {"a lower-case hex digit", card("2.1", "NOTE;ENCODING=QUOTED-PRINTABLE:=3d=0A=ZZ\r\n"), "=\n=ZZ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(valueOf(c.bytes, "NOTE"), c.note) << c.what;
}

TEST(VCardReader, ValueEscapesFollowTheVersion)
{
    struct Case {
        std::string version;
        std::string written;
        std::string value;
    };
    const Case cases[] = {
        {"3.0", "a\\,b\\;c\\nd\\Ne\\\\f", "a,b;c\nd\ne\\f"},
        {"4.0", "C:\\x\\", "C:\\x\\"}, // no escape: kept as written, a final backslash too
        {"2.1", "a\\;b\\nc\\,d", "a;b\\nc\\,d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(valueOf(card(c.version, "NOTE:" + c.written + "\r\n"), "NOTE"), c.value) << c.written;
}

TEST(VCardReader, StructuredValuesSplitOnlyAtUnescapedSemicolons)
{
    const auto cards =
        readVCards(card("3.0", "N:Kowalski\\;Nowak;Jan;;dr;\r\nADR;TYPE=home:;;ul. Długa 1\\, m. 2;Kraków\r\n"));
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].find("N")->components, (std::vector<std::string>{"Kowalski;Nowak", "Jan", "", "dr", ""}));
    EXPECT_EQ(cards[0].find("ADR")->components,
              (std::vector<std::string>{"", "", winLiteral("ul. Długa 1, m. 2"), winLiteral("Kraków")}));
    EXPECT_TRUE(cards[0].find("NOTE") == nullptr);
}

TEST(VCardReader, GroupsParametersAndNameCase)
{
    const auto cards = readVCards(card("3.0", "item1.email;type=INTERNET,pref;X-LABEL=\"a;b:c\":a@b.pl\r\n"
                                              "EMAIL;INTERNET;PREF;QUOTED-PRINTABLE:x=40y.pl\r\n"
                                              "Tel;PREF=1;type=\"cell,voice\":+48 1\r\n"));
    ASSERT_EQ(cards.size(), 1u);
    ASSERT_EQ(cards[0].properties.size(), 4u);
    const VCardProperty& first = cards[0].properties[1];
    EXPECT_EQ(first.name, "EMAIL");
    EXPECT_EQ(first.value, "a@b.pl");
    EXPECT_TRUE(first.hasParameter("TYPE", "internet"));
    EXPECT_TRUE(first.hasParameter("TYPE", "PREF"));
    EXPECT_EQ(first.parameter("X-LABEL"), "a;b:c");
    const VCardProperty& bare = cards[0].properties[2];
    EXPECT_TRUE(bare.hasParameter("TYPE", "INTERNET"));
    EXPECT_TRUE(bare.hasParameter("TYPE", "PREF"));
    EXPECT_EQ(bare.parameter("ENCODING"), "QUOTED-PRINTABLE");
    EXPECT_EQ(bare.value, "x@y.pl");
    const VCardProperty& tel = cards[0].properties[3];
    EXPECT_EQ(tel.name, "TEL");
    EXPECT_EQ(tel.parameter("PREF"), "1");
    EXPECT_EQ(tel.parameter("TYPE"), "cell,voice"); // a quoted list stays one value
}

TEST(VCardReader, TextBecomesWindows1250ByCharset)
{
    const std::string lukaszUtf8 = "Łukasz";
    struct Case {
        std::string version;
        std::string head;
        std::string written;
        std::string value;
    };
    const Case cases[] = {
        {"3.0", "FN", lukaszUtf8, "\xA3ukasz"},
        {"4.0", "FN", "Zażółć Gęślą", winLiteral("Zażółć Gęślą")},
        {"2.1", "FN;CHARSET=windows-1250;ENCODING=QUOTED-PRINTABLE", "=A3ukasz", "\xA3ukasz"},
        {"2.1", "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE", "=C5=81ukasz", "\xA3ukasz"},
        {"2.1", "FN;CHARSET=ISO-8859-2", "\xA6wi\xEAty", winLiteral("Święty")},
        {"2.1", "FN", lukaszUtf8, "\xA3ukasz"},  // unlabelled UTF-8
        {"2.1", "FN", "\xA3ukasz", "\xA3ukasz"}, // unlabelled local code page
        {"2.1", "FN;CHARSET=x-unknown", "\xA3ukasz", "\xA3ukasz"},
        {"3.0", "FN", "\xA3ukasz", "\xA3ukasz"},                    // mislabelled: kept, not '?'
        {"2.1", "FN;CHARSET=windows-1250", "\xC5\x81", "\xC5\x81"}, // taken at its word though it looks like UTF-8
        {"4.0", "FN", "日本", "??"},                                // no Windows-1250 byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(valueOf(card(c.version, c.head + ":" + c.written + "\r\n"), "FN"), c.value) << c.head;
}

TEST(VCardReader, UnbalancedCardsAreReadWithoutLosingData)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> names; // FN of each card
    };
    const Case cases[] = {
        {"several cards", card("3.0", "FN:a\r\n") + card("4.0", "FN:b\r\n"), {"a", "b"}},
        {"BEGIN without END at the end", "BEGIN:VCARD\nFN:a\n", {"a"}},
        {"BEGIN inside a card ends it", "BEGIN:VCARD\nFN:a\nbegin:vcard\nFN:b\nEND:VCARD\n", {"a", "b"}},
        {"END without BEGIN and lines outside", "END:VCARD\nFN:x\nBEGIN:VCARD\nFN:a\nEND:VCARD\nFN:y\n", {"a"}},
        {"other BEGIN inside a card", "BEGIN:VCARD\nBEGIN:VEVENT\nFN:a\nEND:VEVENT\nEND:VCARD\n", {"a"}},
        {"lines that are no properties", "BEGIN:VCARD\nno colon\n:empty\nbad name:x\nFN:a\nEND:VCARD\n", {"a"}},
        {"no cards at all", "FN:a\n\n\n", {}},
    };
    for (const auto& c : cases) {
        const auto cards = readVCards(c.bytes);
        std::vector<std::string> names;
        for (const auto& read : cards)
            names.push_back(read.find("FN") ? read.find("FN")->value : "<none>");
        EXPECT_EQ(names, c.names) << c.what;
    }
}

TEST(VCardReader, AByteOrderMarkDoesNotCostTheFirstCard)
{
    const std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Łukasz\r\nEND:VCARD\r\n";
    std::string littleEndian = "\xFF\xFE";
    std::string bigEndian = "\xFE\xFF";
    for (const char c : winLiteral(text)) { // every character here fits one UTF-16 unit below U+0180
        const char32_t unit = cp1250ToCodePoint(static_cast<unsigned char>(c));
        littleEndian += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        bigEndian += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    for (const std::string& bytes : {"\xEF\xBB\xBF" + text, littleEndian, bigEndian})
        EXPECT_EQ(valueOf(bytes, "FN"), "\xA3ukasz");
}

TEST(VCardReader, EachBoundDropsOnlyWhatIsPastIt)
{
    VCardLimits limits;
    limits.maxLineBytes = 64;
    limits.maxCards = 2;
    limits.maxPropertiesPerCard = 3;
    limits.maxParameters = 2;
    VCardReader reader(limits);
    reader.read(card("3.0", "NOTE:" + std::string(100, 'x') + "\r\n  folded\r\nFN:a\r\nEMAIL;A;B;C:e\r\nX-1:1\r\n"));
    EXPECT_EQ(reader.cards().size(), 1u);
    EXPECT_TRUE(reader.truncated());
    ASSERT_EQ(reader.cards()[0].properties.size(), 3u); // VERSION, FN, EMAIL; X-1 is past the bound
    EXPECT_EQ(reader.cards()[0].properties[1].value, "a");
    EXPECT_EQ(reader.cards()[0].properties[2].parameters.size(), 2u);
    reader.read(card("3.0", "FN:b\r\n") + card("3.0", "FN:c\r\n"));
    EXPECT_EQ(reader.cards().size(), 2u); // one more card, the third is not read
}

TEST(VCardReader, TheModelBudgetStopsGrowthButNotTheRead)
{
    VCardLimits limits;
    limits.maxModelBytes = 4096;
    VCardReader reader(limits);
    std::string bytes;
    for (int i = 0; i < 100; ++i)
        bytes += card("3.0", "FN:" + std::string(200, 'n') + "\r\n");
    reader.read(bytes);
    EXPECT_TRUE(reader.truncated());
    EXPECT_LT(reader.cards().size(), 100u);
    size_t kept = 0;
    for (const auto& read : reader.cards())
        for (const auto& property : read.properties)
            kept += property.value.size();
    EXPECT_LE(kept, 4096u);
}

TEST(VCardReader, AMillionCharacterLineIsReadOnceAndALongerOneDropped)
{
    const std::string million(1000000, 'a');
    const auto cards = readVCards(card("3.0", "FN:x\r\nNOTE:" + million + "\r\n"));
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].find("NOTE")->value, million);

    // Folded into two-byte pieces: unfolding must stay linear, and past 1 MiB the line goes.
    std::string folded = "BEGIN:VCARD\nFN:y\nNOTE:";
    for (int i = 0; i < 600000; ++i)
        folded += "\n ab";
    folded += "\nEMAIL:y@x\nEND:VCARD\n";
    VCardReader reader;
    reader.read(folded);
    ASSERT_EQ(reader.cards().size(), 1u);
    EXPECT_TRUE(reader.truncated());
    EXPECT_EQ(reader.cards()[0].find("NOTE"), nullptr);
    ASSERT_NE(reader.cards()[0].find("EMAIL"), nullptr);
    EXPECT_EQ(reader.cards()[0].find("EMAIL")->value, "y@x");
}

TEST(VCardReader, EndlessSoftLineBreaksStayLinear)
{
    std::string bytes = "BEGIN:VCARD\nVERSION:2.1\nNOTE;QUOTED-PRINTABLE:";
    for (int i = 0; i < 300000; ++i)
        bytes += "=41=\n";
    bytes += "END:VCARD\nBEGIN:VCARD\nFN:next\nEND:VCARD\n";
    const auto cards = readVCards(bytes);
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0].find("NOTE")->value, std::string(300000, 'A'));
    EXPECT_EQ(cards[1].find("FN")->value, "next");
}

} // namespace
} // namespace kestrin
