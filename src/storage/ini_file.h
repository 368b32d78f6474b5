#pragma once
// An INI document read and written the way the Windows private-profile
// functions treat it, so an options.ini written by either program loads in the
// other: names compare ignoring ASCII case, the first section or key of a name
// wins, values are taken as they stand (no quotes, no escapes), and every line
// the program does not know stays where it was, byte for byte.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrin {

class IniFile {
public:
    // LF and CR LF line ends are both accepted; bytes are kept as they are.
    static IniFile parse(std::string_view bytes);

    // Every line ended by CR LF, in document order.
    std::string serialize() const;

    // The value of the first key of that name in the first section of that
    // name, trimmed of blanks; nullopt when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the first occurrence's value in place (keeping the key's
    // spelling), or adds the key after the last key line of the section, or
    // adds the section at the end of the document. A line break in value
    // becomes a space: it would otherwise split the line into new keys.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // A value that is not a strict decimal 32-bit integer reads as fallback.
    int32_t readInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // Any integer other than 0 is true; a missing or non-numeric value reads as fallback.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;
    // Missing reads as fallback; a present but empty value reads as empty text.
    std::string readText(std::string_view section, std::string_view key, const std::string& fallback) const;

    void writeInteger(std::string_view section, std::string_view key, int32_t value);
    void writeBool(std::string_view section, std::string_view key, bool value); // "1" / "0"
    void writeText(std::string_view section, std::string_view key, std::string_view value);

private:
    static constexpr size_t kNoLine = static_cast<size_t>(-1);

    // Lines live in one vector in the order they were added and are chained by
    // `next` in document order, so adding a key inside a section costs O(1).
    struct Line {
        std::string text;
        size_t valueBegin = 0; // key lines: the trimmed value is text[valueBegin, valueEnd)
        size_t valueEnd = 0;
        size_t next = kNoLine;
    };

    struct SectionIndex {
        size_t header = kNoLine;
        size_t lastKey = kNoLine;                     // the header itself while the section has no key line
        std::unordered_map<std::string, size_t> keys; // folded key name -> line
    };

    void appendParsedLine(std::string_view text, SectionIndex*& current);
    size_t addLine(std::string text, size_t after);
    size_t appendLine(std::string text);
    void setKeyLine(size_t index, std::string text);
    SectionIndex& addSection(std::string_view section);
    const Line* findKey(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
    size_t first_ = kNoLine;
    size_t last_ = kNoLine;
    std::unordered_map<std::string, SectionIndex> sections_; // folded section name -> first occurrence
};

// options.ini holds a few kilobytes; the bound leaves room for keys the program
// does not know and keeps a runaway file from taking all memory at start.
inline constexpr size_t kMaxSettingsFileBytes = size_t{16} << 20;

// A missing file gives an empty document; a file that exists but cannot be
// read, or is larger than kMaxSettingsFileBytes, throws EFileError.
IniFile loadIniFile(const std::string& path);

// Atomic replace (the previous file stays whole on failure); throws EFileError.
void saveIniFile(const std::string& path, const IniFile& document);

} // namespace kestrin
