// The address book's contacts and properties as the friend import reads them.
#include "storage/address_book.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrin {
namespace {

using Lines = std::vector<std::string>;

AddressBook loaded(const std::string& bytes)
{
    AddressBook book;
    book.loadBytes(bytes);
    return book;
}

std::string card(const std::string& version, const std::string& body)
{
    return "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + body + "END:VCARD\r\n";
}

std::string preferredOf(const std::string& bytes)
{
    AddressBook book = loaded(bytes);
    if (book.contacts.size() != 1)
        return "<" + std::to_string(book.contacts.size()) + " contacts>";
    book.getPropertiesOf(book.contacts[0]);
    return !book.properties.empty() && book.properties[0].rfind("EMAIL_ADDRESS=", 0) == 0 ? book.properties[0]
                                                                                          : "<none>";
}

TEST(AddressBook, ThePreferredAddressComesFirst)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::string line;
    };
    const Case cases[] = {
        {"the first when none is marked", card("3.0", "FN:a\r\nEMAIL:one@x\r\nEMAIL:two@x\r\n"), "EMAIL_ADDRESS=one@x"},
        {"3.0 TYPE=pref", card("3.0", "FN:a\r\nEMAIL;TYPE=INTERNET:one@x\r\nEMAIL;TYPE=INTERNET,pref:two@x\r\n"),
         "EMAIL_ADDRESS=two@x"},
        {"3.0 TYPE=PREF twice: the first",
         card("3.0", "FN:a\r\nEMAIL:x@x\r\nEMAIL;TYPE=PREF:y@x\r\nEMAIL;TYPE=pref:z@x\r\n"), "EMAIL_ADDRESS=y@x"},
        {"2.1 bare PREF", card("2.1", "FN:a\r\nEMAIL;INTERNET:one@x\r\nEMAIL;INTERNET;PREF:two@x\r\n"),
         "EMAIL_ADDRESS=two@x"},
        {"4.0 lowest PREF wins",
         card("4.0", "FN:a\r\nEMAIL;PREF=3:three@x\r\nEMAIL;PREF=1:one@x\r\nEMAIL;PREF=2:two@x\r\n"),
         "EMAIL_ADDRESS=one@x"},
        {"4.0 a marked one beats an unmarked first", card("4.0", "FN:a\r\nEMAIL:plain@x\r\nEMAIL;PREF=100:low@x\r\n"),
         "EMAIL_ADDRESS=low@x"},
        {"4.0 PREF out of range ranks last among the marked",
         card("4.0", "FN:a\r\nEMAIL;PREF=0:zero@x\r\nEMAIL;PREF=x:word@x\r\nEMAIL;PREF=99:n@x\r\n"),
         "EMAIL_ADDRESS=n@x"},
        {"an empty preferred one is no address", card("3.0", "FN:a\r\nEMAIL;TYPE=pref: \r\nEMAIL:real@x\r\n"),
         "EMAIL_ADDRESS=real@x"},
        {"grouped and trimmed", card("3.0", "FN:a\r\nitem1.EMAIL;type=INTERNET:  g@x \r\n"), "EMAIL_ADDRESS=g@x"},
        {"no EMAIL", card("3.0", "FN:a\r\nTEL:1\r\n"), "<none>"},
        {"only empty EMAIL", card("3.0", "FN:a\r\nEMAIL:\r\n"), "<none>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(preferredOf(c.bytes), c.line) << c.what;
}

TEST(AddressBook, ContactNamesComeFromFnThenNThenTheFirstAddress)
{
    struct Case {
        const char* what;
        std::string body;
        Lines contacts;
    };
    const Case cases[] = {
        {"FN", "FN:  Jan Kowalski \r\nN:Nowak;Adam;;;\r\n", {"Jan Kowalski"}},
        {"empty FN falls to N", "FN:\r\nN:Nowak;Adam;;;\r\n", {"Adam Nowak"}},
        {"N with only the family name", "N:Nowak;;;;\r\n", {"Nowak"}},
        {"first address, not the preferred",
         "N:;;;;\r\nEMAIL: \r\nEMAIL:first@x\r\nEMAIL;TYPE=pref:second@x\r\n",
         {"first@x"}},
        {"nothing to list it under", "N:;;;;\r\nTEL:1\r\n", {}},
        {"a multi-line name is one line", "FN:Jan\\nKowalski\r\n", {"Jan Kowalski"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(loaded(card("3.0", c.body)).contacts, c.contacts) << c.what;
}

TEST(AddressBook, GroupCardsAreSkippedAndNamesStayPairedWithTheirCards)
{
    AddressBook book = loaded(card("4.0", "KIND:group\r\nFN:Rodzina\r\nEMAIL:list@x\r\nMEMBER:urn:uuid:1\r\n") +
                              card("3.0", "FN:Anna\r\nEMAIL:anna@x\r\n") +
                              card("3.0", "X-ADDRESSBOOKSERVER-KIND:Group\r\nFN:Praca\r\n") +
                              card("4.0", "KIND:individual\r\nFN:Bartek\r\nEMAIL:bartek@x\r\n"));
    EXPECT_EQ(book.contacts, (Lines{"Anna", "Bartek"}));
    book.getPropertiesOf("Anna");
    EXPECT_EQ(book.properties,
              (Lines{"EMAIL_ADDRESS=anna@x", "DISPLAY_NAME=Anna", "VERSION=3.0", "FN=Anna", "EMAIL=anna@x"}));
    book.getPropertiesOf("Bartek");
    ASSERT_FALSE(book.properties.empty());
    EXPECT_EQ(book.properties[0], "EMAIL_ADDRESS=bartek@x");
    book.getPropertiesOf("Rodzina");
    EXPECT_TRUE(book.properties.empty());
}

TEST(AddressBook, PropertiesAreOneUnescapedLineEachInCardOrder)
{
    AddressBook book = loaded(card("3.0", "FN:Ewa\r\nNOTE:line one\\nline two\r\n  folded\r\n"
                                          "ORG:Firma\\, s.c.;Dział\r\nitem2.X-ABLabel:_$!<Other>!$_\r\nTEL:1\r\n"));
    book.getPropertiesOf("Ewa");
    EXPECT_EQ(book.properties, (Lines{"DISPLAY_NAME=Ewa", "VERSION=3.0", "FN=Ewa", "NOTE=line one line two folded",
                                      winLiteral("ORG=Firma, s.c.;Dział"), "X-ABLABEL=_$!<Other>!$_", "TEL=1"}));
}

TEST(AddressBook, LookUpIsExactAndTakesTheFirstOfTwoEqualNames)
{
    AddressBook book = loaded(card("3.0", "FN:Jan\r\nEMAIL:first@x\r\n") + card("3.0", "FN:Jan\r\nEMAIL:second@x\r\n") +
                              card("3.0", "FN:Janek\r\nEMAIL:third@x\r\n"));
    EXPECT_EQ(book.contacts, (Lines{"Jan", "Jan", "Janek"}));
    book.getPropertiesOf("Jan");
    EXPECT_EQ(book.properties[0], "EMAIL_ADDRESS=first@x");
    for (const std::string unknown : {"jan", "Ja", "Jan ", ""}) {
        book.getPropertiesOf(unknown);
        EXPECT_TRUE(book.properties.empty()) << unknown;
    }
}

TEST(AddressBook, LoadingAgainReplacesEverything)
{
    AddressBook book = loaded(card("3.0", "FN:Old\r\nEMAIL:old@x\r\n"));
    book.getPropertiesOf("Old");
    book.loadBytes(card("3.0", "FN:New\r\n"));
    EXPECT_EQ(book.contacts, (Lines{"New"}));
    EXPECT_TRUE(book.properties.empty());
    book.getPropertiesOf("Old");
    EXPECT_TRUE(book.properties.empty());
    book.loadBytes("");
    EXPECT_TRUE(book.contacts.empty());
    EXPECT_TRUE(book.connect());
}

TEST(AddressBook, Version21CardsInTheirCharsets)
{
    const std::string bytes = "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                              "N;CHARSET=windows-1250;ENCODING=QUOTED-PRINTABLE:=A3=EAcki;=A3ukasz;;;\r\n"
                              "FN;CHARSET=windows-1250;ENCODING=QUOTED-PRINTABLE:=A3ukasz =A3=EA=\r\ncki\r\n"
                              "EMAIL;INTERNET:lukasz@x\r\nEND:VCARD\r\n"
                              "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                              "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C5=BB=C3=B3=C5=82w;Ma=C5=82gorzata\r\n"
                              "EMAIL;PREF;INTERNET:m@x\r\nEND:VCARD\r\n";
    AddressBook book = loaded(bytes);
    EXPECT_EQ(book.contacts, (Lines{"\xA3ukasz \xA3\xEA"
                                    "cki",
                                    winLiteral("Małgorzata Żółw")}));
    book.getPropertiesOf(book.contacts[0]);
    EXPECT_EQ(book.properties[3], "N=\xA3\xEA"
                                  "cki;\xA3ukasz;;;");
}

TEST(AddressBook, TheSizeBoundRefusesTheBytes)
{
    AddressBook book = loaded(card("3.0", "FN:Kept\r\n"));
    const std::string tooLarge(kMaxAddressBookBytes + 1, ' ');
    EXPECT_THROW(book.loadBytes(tooLarge), AddressBookError);
    EXPECT_EQ(book.contacts, (Lines{"Kept"}));
}

} // namespace
} // namespace kestrin
