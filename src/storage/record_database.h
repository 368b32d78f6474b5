#pragma once
// The container every record database file shares: a signature, a format
// version, column names, then rows of text values, each text prefixed by its
// 16-bit little-endian byte length. The whole image is scrambled on disk.
#include "storage/atomic_file.h"
#include "storage/config_version_error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

inline constexpr std::string_view kRecordSignature = "q4t81ms0d7k2v9w3xb56zp0ac8rf1ye7";
inline constexpr uint16_t kRecordFormatVersion = 203;

struct RecordTable {
    uint16_t version = kRecordFormatVersion;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows; // each row holds one value per column
};

// The plain (unscrambled) image. Throws EFileError rather than write a length
// that does not fit 16 bits or a row whose width differs from the column count.
std::string encodeRecordImage(const RecordTable& table);

// Throws EConfigVersionError for a wrong signature (or fewer than 32 bytes) or a
// version above 203, and EFileError when the image ends before what it announces.
// Bytes after the last row are ignored.
RecordTable decodeRecordImage(std::string_view plain);

// Encodes, scrambles and replaces the file atomically (creating its folder).
void writeRecordFile(const std::string& path, const RecordTable& table);

// The largest legal data set (100 accounts, 1000 rules, 1000 friends, two
// Bayes tables of 32,000 words of at most 40 bytes) makes a word file of about
// 5 MiB as bench/large_folder writes it, and about 1 MiB (the rules file) with
// every text 255 characters long; the bound leaves room and keeps a runaway
// file (or /dev/zero) from taking all memory.
inline constexpr size_t kMaxRecordFileBytes = size_t{16} << 20;

// nullopt when the file does not exist; otherwise the decoded table. Throws
// EFileError (naming the file) for read errors, damaged files and files larger
// than kMaxRecordFileBytes, and EConfigVersionError for a refused file.
std::optional<RecordTable> readRecordFile(const std::string& path);

} // namespace kestrin
