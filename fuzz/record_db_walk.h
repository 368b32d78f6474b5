#pragma once
// How fuzz_record_db walks one input. The replay test walks every kept input
// the same way, so a fixed crash stays fixed.
#include "storage/record_database.h"
#include "storage/record_tables.h"
#include "storage/scramble.h"
#include "text/convert_error.h"

#include <string>
#include <string_view>

namespace kestrin {

inline void walkRecordTable(const RecordTable& table)
{
    const auto tryKind = [&table](auto convert) {
        try {
            static_cast<void>(convert(table));
        } catch (const EConvertError&) {
        }
    };
    tryKind(accountsFromTable);
    tryKind(rulesFromTable);
    tryKind(friendsFromTable);
    tryKind(bayesWordsFromTable);
}

inline void walkRecordImage(std::string_view plain)
{
    try {
        walkRecordTable(decodeRecordImage(plain));
    } catch (const EConfigVersionError&) {
    } catch (const EFileError&) {
    }
}

// The input as a plain image, and as the scrambled body of a file on disk.
inline void walkRecordDbInput(std::string_view input)
{
    walkRecordImage(input);
    std::string body(input);
    scramble("decode2", body);
    walkRecordImage(body);
}

} // namespace kestrin
