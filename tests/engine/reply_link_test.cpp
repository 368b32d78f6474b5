// The reply link: a sender's address or subject cannot add fields, a body or
// recipients to the reply, and Polish letters arrive as UTF-8.
#include "engine/reply_link.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

TEST(ReplyLink, DelimitersTheSenderWroteAreEncoded)
{
    struct Case {
        const char* address;
        const char* subject;
        const char* link;
    };
    const Case cases[] = {
        {"ola@example.com", "Spotkanie", "mailto:ola@example.com?Subject=Re%3A%20Spotkanie"},
        {"a@x.pl?body=kliknij&attach=/etc/passwd", "x",
         "mailto:a@x.pl%3Fbody%3Dkliknij%26attach%3D%2Fetc%2Fpasswd?Subject=Re%3A%20x"},
        {"a@x.pl,szef@firma.pl", "x", "mailto:a@x.pl%2Cszef@firma.pl?Subject=Re%3A%20x"},
        {"a%40b@x.pl", "50% & cc=b@y#z", "mailto:a%2540b@x.pl?Subject=Re%3A%2050%25%20%26%20cc%3Db%40y%23z"},
        {"zolw@x.pl", "Żółw", "mailto:zolw@x.pl?Subject=Re%3A%20%C5%BB%C3%B3%C5%82w"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replyMailto(winLiteral(c.address), winLiteral(c.subject)), c.link) << c.address;
}

} // namespace
} // namespace kestrin::test
