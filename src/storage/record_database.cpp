#include "storage/record_database.h"

#include "storage/record_row_limit.h"

#include "storage/scramble.h"

#include <filesystem>

namespace kestrin {
namespace {

// Every count and length in the image is an unsigned 16-bit number.
constexpr size_t kMaxLength = 65535;

void requireFits(size_t value, const std::string& what)
{
    if (value > kMaxLength)
        throw EFileError("A record database cannot hold " + what + " (" + std::to_string(value) + "; at most 65535)");
}

void put16(std::string& out, size_t value)
{
    out += static_cast<char>(value & 0xFFu);
    out += static_cast<char>((value >> 8) & 0xFFu);
}

void putText(std::string& out, std::string_view text, const std::string& what)
{
    requireFits(text.size(), what + " of that many bytes");
    put16(out, text.size());
    out.append(text);
}

size_t imageSize(const RecordTable& table)
{
    size_t size = kRecordSignature.size() + 2 + 2 + 2;
    for (const auto& name : table.columns)
        size += 2 + name.size();
    for (const auto& row : table.rows)
        for (const auto& value : row)
            size += 2 + value.size();
    return size;
}

// Reads the image front to back; every read is checked against the bytes left,
// so a truncated or hostile file can never make it read past the end.
class ImageReader {
public:
    explicit ImageReader(std::string_view data) : data_(data) {}

    size_t left() const { return data_.size() - pos_; }

    void require(size_t bytes, const char* what) const
    {
        if (bytes > left())
            throw EFileError(std::string("the file is damaged (") + what + " runs past the end)");
    }

    uint16_t read16(const char* what)
    {
        require(2, what);
        const auto low = static_cast<unsigned char>(data_[pos_]);
        const auto high = static_cast<unsigned char>(data_[pos_ + 1]);
        pos_ += 2;
        return static_cast<uint16_t>(low | (high << 8));
    }

    std::string readText(const char* what)
    {
        const size_t length = read16(what);
        require(length, what);
        std::string text(data_.substr(pos_, length));
        pos_ += length;
        return text;
    }

private:
    std::string_view data_;
    size_t pos_ = 0;
};

std::vector<std::string> readColumns(ImageReader& reader)
{
    const size_t count = reader.read16("the column count");
    reader.require(count * 2, "the column names"); // before reserving anything for the claimed count
    std::vector<std::string> columns;
    columns.reserve(count);
    for (size_t i = 0; i < count; ++i)
        columns.push_back(reader.readText("a column name"));
    return columns;
}

std::vector<std::vector<std::string>> readRows(ImageReader& reader, size_t columnCount)
{
    const size_t count = reader.read16("the row count");
    reader.require(count * columnCount * 2, "the rows");
    std::vector<std::vector<std::string>> rows(count);
    for (auto& row : rows) {
        row.reserve(columnCount);
        for (size_t i = 0; i < columnCount; ++i)
            row.push_back(reader.readText("a value"));
    }
    return rows;
}

} // namespace

std::string encodeRecordImage(const RecordTable& table)
{
    requireFits(table.columns.size(), "that many columns");
    static_assert(kMaxRecordRows == kMaxLength, "rows are counted like lengths");
    requireFits(table.rows.size(), "that many rows");
    std::string out;
    out.reserve(imageSize(table));
    out.append(kRecordSignature);
    put16(out, table.version);
    put16(out, table.columns.size());
    for (const auto& name : table.columns)
        putText(out, name, "a column name");
    put16(out, table.rows.size());
    for (const auto& row : table.rows) {
        if (row.size() != table.columns.size())
            throw EFileError("A record database row must hold one value per column (" + std::to_string(row.size()) +
                             " values for " + std::to_string(table.columns.size()) + " columns)");
        for (const auto& value : row)
            putText(out, value, "a value");
    }
    return out;
}

RecordTable decodeRecordImage(std::string_view plain)
{
    if (plain.substr(0, kRecordSignature.size()) != kRecordSignature)
        throw EConfigVersionError();
    ImageReader reader(plain.substr(kRecordSignature.size()));
    RecordTable table;
    table.version = reader.read16("the format version");
    if (table.version > kRecordFormatVersion)
        throw EConfigVersionError();
    table.columns = readColumns(reader);
    table.rows = readRows(reader, table.columns.size());
    return table;
}

void writeRecordFile(const std::string& path, const RecordTable& table)
{
    std::string image;
    try {
        image = encodeRecordImage(table);
    } catch (const EFileError& e) {
        throw EFileError("Cannot write " + path + ": " + e.what());
    }
    scramble("code2", image);
    writeFileAtomically(path, image);
}

std::optional<RecordTable> readRecordFile(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found)
        return std::nullopt;
    std::string image = readWholeFile(path, kMaxRecordFileBytes);
    scramble("decode2", image);
    try {
        return decodeRecordImage(image);
    } catch (const EConfigVersionError&) {
        throw EConfigVersionError(path);
    } catch (const EFileError& e) {
        throw EFileError("Cannot read " + path + ": " + e.what());
    }
}

} // namespace kestrin
