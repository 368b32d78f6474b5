// kestrin-cli db dump FILE / db load FILE: a record database file as JSON and
// back, for support and for tests. Texts are Windows-1250 in the file and UTF-8
// in the JSON.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "storage/record_database.h"
#include "text/cp1250.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace kestrin::cli {
namespace {

using Json = nlohmann::ordered_json;

// A JSON description that cannot become a record database file.
class BadDescription : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The JSON of the largest record file read: UTF-8 takes up to three bytes for
// a Windows-1250 byte, and quotes, commas and indent come on top.
constexpr size_t kMaxDescriptionBytes = 4 * kMaxRecordFileBytes;

std::string resolvedPath(const std::string& file, const std::optional<std::string>& home)
{
    if (!home)
        return file;
    return (std::filesystem::path(*home) / file).string(); // an absolute FILE stays as it is
}

// Standard input, read up to one byte past maxBytes; nullopt when it holds more.
std::optional<std::string> boundedInput(std::istream& in, size_t maxBytes)
{
    std::string input;
    char buffer[65536];
    for (;;) {
        in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, maxBytes - input.size() + 1)));
        if (in.gcount() == 0)
            return input;
        input.append(buffer, static_cast<size_t>(in.gcount()));
        if (input.size() > maxBytes)
            return std::nullopt;
    }
}

Json utf8Texts(const std::vector<std::string>& texts)
{
    Json out = Json::array();
    for (const auto& text : texts)
        out.push_back(cp1250ToUtf8(text));
    return out;
}

Json tableJson(const RecordTable& table)
{
    Json rows = Json::array();
    for (const auto& row : table.rows)
        rows.push_back(utf8Texts(row));
    return Json{{"version", table.version}, {"columns", utf8Texts(table.columns)}, {"rows", rows}};
}

int dump(const std::string& file)
{
    try {
        const auto table = readRecordFile(file);
        if (!table) {
            std::cerr << "Cannot open " << file << ": the file does not exist\n";
            return kExitInputError;
        }
        std::cout << tableJson(*table).dump(2) << '\n';
        return 0;
    } catch (const EConfigVersionError& e) {
        std::cerr << cp1250ToUtf8(e.what()) << '\n';
    } catch (const EFileError& e) {
        std::cerr << e.what() << '\n';
    }
    return kExitInputError;
}

// A text must survive the trip to Windows-1250 unchanged; '?' in place of a
// character would silently change a password or an address.
std::string windowsText(const Json& value, const std::string& where)
{
    if (!value.is_string())
        throw BadDescription(where + " must be a text");
    const std::string utf8 = value.get<std::string>();
    std::string cp1250 = utf8ToCp1250(utf8);
    if (cp1250ToUtf8(cp1250) != utf8)
        throw BadDescription(where + " holds characters that Windows-1250 cannot store");
    return cp1250;
}

const Json& requiredArray(const Json& description, const char* key)
{
    if (!description.contains(key) || !description[key].is_array())
        throw BadDescription(std::string("\"") + key + "\" must be an array");
    return description[key];
}

uint16_t versionOf(const Json& description)
{
    if (!description.contains("version"))
        return kRecordFormatVersion;
    const Json& version = description["version"];
    if (!version.is_number_unsigned() || version.get<uint64_t>() > 65535)
        throw BadDescription("\"version\" must be a whole number from 0 to 65535");
    return static_cast<uint16_t>(version.get<uint64_t>());
}

RecordTable tableFromJson(const Json& description)
{
    if (!description.is_object())
        throw BadDescription("the input must be one JSON object");
    RecordTable table;
    table.version = versionOf(description);
    const Json& columns = requiredArray(description, "columns");
    for (size_t i = 0; i < columns.size(); ++i)
        table.columns.push_back(windowsText(columns[i], "column " + std::to_string(i + 1)));
    const Json& rows = requiredArray(description, "rows");
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string where = "row " + std::to_string(r + 1);
        if (!rows[r].is_array() || rows[r].size() != table.columns.size())
            throw BadDescription(where + " must be an array of " + std::to_string(table.columns.size()) +
                                 " values, one per column");
        std::vector<std::string> row;
        for (size_t c = 0; c < rows[r].size(); ++c)
            row.push_back(windowsText(rows[r][c], where + ", value " + std::to_string(c + 1)));
        table.rows.push_back(std::move(row));
    }
    return table;
}

int load(const std::string& file)
{
    const std::optional<std::string> input = boundedInput(std::cin, kMaxDescriptionBytes);
    if (!input) {
        std::cerr << "The input is larger than " << (kMaxDescriptionBytes >> 20) << " MiB\n";
        return kExitInputError;
    }
    try {
        writeRecordFile(file, tableFromJson(Json::parse(*input)));
        return 0;
    } catch (const Json::parse_error& e) {
        std::cerr << "The input is not valid JSON: " << e.what() << '\n';
    } catch (const BadDescription& e) {
        std::cerr << "The input cannot become a record database: " << e.what() << '\n';
    } catch (const EFileError& e) {
        std::cerr << e.what() << '\n';
    }
    return kExitInputError;
}

} // namespace

int runDb(const CliArgs& args)
{
    const auto& positional = args.positional();
    if (positional.size() != 2 || (positional[0] != "dump" && positional[0] != "load"))
        throw UsageError("expects dump FILE or load FILE");
    const std::string file = resolvedPath(positional[1], homeOption(args));
    return positional[0] == "dump" ? dump(file) : load(file);
}

} // namespace kestrin::cli
