#include "cli/records_json.h"

#include "text/cp1250.h"

namespace kestrin::cli {
namespace {

using Json = nlohmann::ordered_json;

template <typename Record, typename ToJson> Json arrayOf(const std::vector<Record>& records, ToJson toJson)
{
    Json array = Json::array();
    for (const Record& record : records)
        array.push_back(toJson(record));
    return array;
}

std::string utf8(const std::string& win)
{
    return cp1250ToUtf8(win);
}

} // namespace

Json accountsJson(const std::vector<AccountRecord>& accounts, bool showPasswords)
{
    return arrayOf(accounts, [showPasswords](const AccountRecord& a) {
        return Json{{"name", utf8(a.name)},
                    {"pop3", utf8(a.pop3)},
                    {"smtp", utf8(a.smtp)},
                    {"dopo", utf8(a.dopo)},
                    {"uppo", utf8(a.uppo)},
                    {"user", utf8(a.user)},
                    {"pass", showPasswords ? utf8(a.pass) : std::string("***")},
                    {"size", utf8(a.size)},
                    {"nrep", a.nrep}};
    });
}

Json rulesJson(const std::vector<RuleRecord>& rules)
{
    return arrayOf(rules, [](const RuleRecord& r) {
        return Json{{"name", utf8(r.name)}, {"icon", r.icon},     {"stat", r.stat},           {"typ", r.typ},
                    {"sub", r.sub},         {"str", utf8(r.str)}, {"act0", r.act[0]},         {"act1", r.act[1]},
                    {"act2", r.act[2]},     {"act3", r.act[3]},   {"sendto", utf8(r.sendto)}, {"restr", utf8(r.restr)},
                    {"nofri", r.nofri}};
    });
}

Json friendsJson(const std::vector<FriendRecord>& friends)
{
    return arrayOf(friends, [](const FriendRecord& f) { return Json{{"name", utf8(f.name)}, {"mail", utf8(f.mail)}}; });
}

Json bayesWordsJson(const std::vector<BayesWordRecord>& words)
{
    return arrayOf(words, [](const BayesWordRecord& w) {
        return Json{{"name", utf8(w.name)}, {"list", w.list}, {"stat", w.stat}, {"lastuse", utf8(w.lastuse)}};
    });
}

} // namespace kestrin::cli
