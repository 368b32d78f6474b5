#include "storage/ini_file.h"

#include "storage/atomic_file.h"
#include "text/ascii_case.h"
#include "text/convert_error.h"
#include "text/strict_integer.h"

#include <filesystem>
#include <system_error>

namespace kestrin {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct KeyLineParts {
    std::string_view name; // trimmed
    size_t valueBegin = 0;
    size_t valueEnd = 0;
};

// The key name and the trimmed value's place in a line that holds "=".
KeyLineParts splitKeyLine(std::string_view text, size_t equals)
{
    KeyLineParts parts;
    parts.name = trimBlanks(text.substr(0, equals));
    parts.valueBegin = equals + 1;
    while (parts.valueBegin < text.size() && isBlank(text[parts.valueBegin]))
        ++parts.valueBegin;
    parts.valueEnd = text.size();
    while (parts.valueEnd > parts.valueBegin && isBlank(text[parts.valueEnd - 1]))
        --parts.valueEnd;
    return parts;
}

std::string withoutLineBreaks(std::string_view value)
{
    std::string clean(value);
    for (char& c : clean) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return clean;
}

std::optional<int32_t> integerOf(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    try {
        return strictInteger(*text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

} // namespace

IniFile IniFile::parse(std::string_view bytes)
{
    IniFile document;
    SectionIndex* current = nullptr;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find('\n', start);
        const size_t stop = end == std::string_view::npos ? bytes.size() : end;
        std::string_view line = bytes.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        document.appendParsedLine(line, current);
        start = stop + 1;
    }
    return document;
}

// current is the section that key lines belong to; nullptr before the first
// section and inside a repeated section, whose keys Windows never finds.
void IniFile::appendParsedLine(std::string_view text, SectionIndex*& current)
{
    const std::string_view trimmed = trimBlanks(text);
    if (!trimmed.empty() && trimmed.front() == '[') {
        const size_t close = trimmed.find(']');
        if (close == std::string_view::npos) {
            appendLine(std::string(text));
            return;
        }
        const size_t index = appendLine(std::string(text));
        const auto [it, added] = sections_.try_emplace(lowerAscii(trimBlanks(trimmed.substr(1, close - 1))));
        if (added) {
            it->second.header = index;
            it->second.lastKey = index;
        }
        current = added ? &it->second : nullptr;
        return;
    }
    const size_t equals = text.find('=');
    const bool comment = !trimmed.empty() && trimmed.front() == ';';
    if (current == nullptr || comment || equals == std::string_view::npos) {
        appendLine(std::string(text));
        return;
    }
    const KeyLineParts parts = splitKeyLine(text, equals);
    if (parts.name.empty()) {
        appendLine(std::string(text));
        return;
    }
    const size_t index = appendLine(std::string(text));
    lines_[index].valueBegin = parts.valueBegin;
    lines_[index].valueEnd = parts.valueEnd;
    current->keys.try_emplace(lowerAscii(parts.name), index);
    current->lastKey = index;
}

size_t IniFile::appendLine(std::string text)
{
    if (last_ == kNoLine) {
        lines_.push_back(Line{std::move(text), 0, 0, kNoLine});
        first_ = last_ = lines_.size() - 1;
        return last_;
    }
    return addLine(std::move(text), last_);
}

size_t IniFile::addLine(std::string text, size_t after)
{
    const size_t index = lines_.size();
    lines_.push_back(Line{std::move(text), 0, 0, lines_[after].next});
    lines_[after].next = index;
    if (last_ == after)
        last_ = index;
    return index;
}

void IniFile::setKeyLine(size_t index, std::string text)
{
    const KeyLineParts parts = splitKeyLine(text, text.find('='));
    Line& line = lines_[index];
    line.valueBegin = parts.valueBegin;
    line.valueEnd = parts.valueEnd;
    line.text = std::move(text);
}

IniFile::SectionIndex& IniFile::addSection(std::string_view section)
{
    // A blank line before a new section, as Windows-written files have.
    if (last_ != kNoLine && !trimBlanks(lines_[last_].text).empty())
        appendLine(std::string());
    const size_t header = appendLine("[" + std::string(section) + "]");
    SectionIndex& added = sections_[lowerAscii(section)];
    added.header = header;
    added.lastKey = header;
    return added;
}

const IniFile::Line* IniFile::findKey(std::string_view section, std::string_view key) const
{
    const auto sectionIt = sections_.find(lowerAscii(section));
    if (sectionIt == sections_.end())
        return nullptr;
    const auto keyIt = sectionIt->second.keys.find(lowerAscii(key));
    return keyIt == sectionIt->second.keys.end() ? nullptr : &lines_[keyIt->second];
}

std::string IniFile::serialize() const
{
    size_t total = 0;
    for (const Line& line : lines_)
        total += line.text.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (size_t index = first_; index != kNoLine; index = lines_[index].next) {
        bytes += lines_[index].text;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const Line* line = findKey(section, key);
    if (line == nullptr)
        return std::nullopt;
    return line->text.substr(line->valueBegin, line->valueEnd - line->valueBegin);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const auto sectionIt = sections_.find(lowerAscii(section));
    SectionIndex& target = sectionIt == sections_.end() ? addSection(section) : sectionIt->second;
    const std::string foldedKey = lowerAscii(key);
    const auto keyIt = target.keys.find(foldedKey);
    if (keyIt != target.keys.end()) {
        const Line& line = lines_[keyIt->second];
        const std::string_view current =
            std::string_view(line.text).substr(line.valueBegin, line.valueEnd - line.valueBegin);
        if (current == value)
            return; // an unchanged value keeps its line exactly as it was
        setKeyLine(keyIt->second, line.text.substr(0, line.valueBegin) + withoutLineBreaks(value));
        return;
    }
    const size_t index = addLine(std::string(), target.lastKey);
    setKeyLine(index, std::string(key) + "=" + withoutLineBreaks(value));
    target.keys.emplace(foldedKey, index);
    target.lastKey = index;
}

int32_t IniFile::readInteger(std::string_view section, std::string_view key, int32_t fallback) const
{
    return integerOf(value(section, key)).value_or(fallback);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const
{
    const std::optional<int32_t> number = integerOf(value(section, key));
    return number ? *number != 0 : fallback;
}

std::string IniFile::readText(std::string_view section, std::string_view key, const std::string& fallback) const
{
    return value(section, key).value_or(fallback);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int32_t value)
{
    setValue(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    setValue(section, key, value ? "1" : "0");
}

void IniFile::writeText(std::string_view section, std::string_view key, std::string_view value)
{
    setValue(section, key, value);
}

IniFile loadIniFile(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found)
        return IniFile();
    return IniFile::parse(readWholeFile(path, kMaxSettingsFileBytes));
}

void saveIniFile(const std::string& path, const IniFile& document)
{
    writeFileAtomically(path, document.serialize());
}

} // namespace kestrin
