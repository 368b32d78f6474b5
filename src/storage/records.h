#pragma once
// The four record kinds the program keeps in memory and in its database files.
// Field names are the column names of the files.
#include "storage/record_key.h"

#include <array>
#include <cstdint>
#include <string>

namespace kestrin {

struct AccountRecord {
    std::string name;
    std::string pop3;
    std::string smtp;
    std::string dopo = "110";
    std::string uppo = "25";
    std::string user;
    std::string pass;
    std::string size = "50";
    bool nrep = false;
    // Connection security: "0" plain, "1" TLS from the first byte (POP3S), "2" STLS after the greeting.
    std::string ssl = "0";
    uint8_t skip = 0; // cycles still to skip after a connection failure; not stored
    RecordKey key = newRecordKey();
};

struct RuleRecord {
    std::string name;
    uint8_t icon = 0;
    uint32_t stat = 0;
    uint8_t typ = 2;
    uint8_t sub = 1;
    std::string str;
    std::array<bool, 4> act = {true, false, false, true}; // act0 archive, act1 forward, act2 answer, act3 delete
    std::string sendto;
    std::string restr;
    bool nofri = false;
    RecordKey key = newRecordKey();
};

struct FriendRecord {
    std::string name;
    std::string mail;
    RecordKey key = newRecordKey();
};

struct BayesWordRecord {
    std::string name;
    int32_t list = 0; // 0 good messages, 1 spam
    uint32_t stat = 0;
    std::string lastuse;
};

} // namespace kestrin
