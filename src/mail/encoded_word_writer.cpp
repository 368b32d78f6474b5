#include "mail/encoded_word_writer.h"

#include "mail/address_parser.h"
#include "mail/encoded_words.h"
#include "mail/mail_errors.h"
#include "mail/quoted_string.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <vector>

namespace kestrin {
namespace {

// RFC 2047 2: an encoded word is at most 75 characters.
constexpr size_t kMaxEncodedWordLength = 75;

bool isAsciiAlnum(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool isAtext(char c)
{
    return isAsciiAlnum(c) || std::string_view("!#$%&'*+-/=?^_`{}|~").find(c) != std::string_view::npos;
}

// RFC 2047 5(3): the characters a Q-encoded word in a phrase may carry as
// themselves; the same safe set serves unstructured text.
bool isQLiteral(char c)
{
    return isAsciiAlnum(c) || std::string_view("!*+-/").find(c) != std::string_view::npos;
}

bool isPrintableAscii(char c)
{
    return c >= ' ' && c <= '~';
}

std::string qToken(char c)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (c == ' ')
        return "_";
    if (isQLiteral(c))
        return std::string(1, c);
    const auto b = static_cast<unsigned char>(c);
    return {'=', kHex[b >> 4], kHex[b & 15]};
}

// Header values come back trimmed of blanks and control bytes before decoding.
std::string_view trimmedValue(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// A header value cannot hold a line break; readers turn decoded ones into
// blanks and drop NUL bytes, and so does the writer.
std::string headerSafe(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n')
            out += ' ';
        else if (c != '\0')
            out += c;
    }
    return out;
}

struct Word {
    std::string_view gapBefore; // the blanks in front of the word
    std::string_view text;
};

std::vector<Word> splitWords(std::string_view s, std::string_view& trailingGap)
{
    std::vector<Word> words;
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t start = s.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
            break;
        size_t end = s.find(' ', start);
        if (end == std::string_view::npos)
            end = s.size();
        words.push_back({s.substr(pos, start - pos), s.substr(start, end - start)});
        pos = end;
    }
    trailingGap = s.substr(std::min(pos, s.size()));
    return words;
}

// A word a reader would not give back as written: bytes outside printable
// ASCII, or something a decoder could take for (part of) an encoded word.
bool needsEncoding(std::string_view word)
{
    if (!std::all_of(word.begin(), word.end(), isPrintableAscii))
        return true;
    return word.find("=?") != std::string_view::npos || word.find("?=") != std::string_view::npos;
}

// Words needing encoding are joined with their neighbours into one encoded
// run: decoders drop the blanks between adjacent encoded words, so a blank
// between two such words has to travel inside the encoding.
std::string encodeWordRuns(std::string_view text)
{
    std::string_view trailingGap;
    const std::vector<Word> words = splitWords(text, trailingGap);
    std::string out;
    size_t i = 0;
    while (i < words.size()) {
        out += words[i].gapBefore;
        if (!needsEncoding(words[i].text)) {
            out += words[i].text;
            ++i;
            continue;
        }
        const char* runStart = words[i].text.data();
        size_t last = i;
        while (last + 1 < words.size() && needsEncoding(words[last + 1].text))
            ++last;
        const char* runEnd = words[last].text.data() + words[last].text.size();
        out += encodedWords(std::string_view(runStart, static_cast<size_t>(runEnd - runStart)));
        i = last + 1;
    }
    out += trailingGap;
    return out;
}

std::string unstructuredReadBack(std::string_view written)
{
    return decodeEncodedWords(trimmedValue(written));
}

bool readsBackAs(std::string_view written, const TIdEMailAddressItem& item)
{
    try {
        const TIdEMailAddressList list = parseAddressList(decodeEncodedWords(trimmedValue(written)));
        return list.count() == 1 && list[0].Name == item.Name && list[0].Address == item.Address;
    } catch (const EIdEmailParseError&) {
        return false;
    }
}

// The address in angle brackets, its local part quoted when it needs it.
std::string angleAddress(const std::string& address)
{
    const std::string addrSpec = TIdEMailAddressItem{{}, address}.text();
    if (addrSpec.empty() || addrSpec.front() == '<')
        return addrSpec.empty() ? std::string("<>") : addrSpec;
    return "<" + addrSpec + ">";
}

bool isPhraseChar(char c)
{
    return isAtext(c) || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

bool hasHighByte(std::string_view s)
{
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A word mixing bytes outside ASCII with specials: runs of specials go into
// quoted strings, the rest into encoded words or atoms, all without blanks in
// between (blanks would become part of the name).
std::string mixedPhraseWord(std::string_view word)
{
    std::string out;
    size_t pos = 0;
    while (pos < word.size()) {
        const bool phrase = isPhraseChar(word[pos]);
        size_t end = pos;
        while (end < word.size() && isPhraseChar(word[end]) == phrase)
            ++end;
        const std::string_view piece = word.substr(pos, end - pos);
        if (!phrase)
            out += quotedString(piece);
        else if (hasHighByte(piece) || needsEncoding(piece))
            out += encodedWords(piece);
        else
            out += piece;
        pos = end;
    }
    return out;
}

enum class PhraseWord { Atom, Quoted, Encoded, Mixed };

PhraseWord classifyPhraseWord(std::string_view word)
{
    const bool allPhraseChars = std::all_of(word.begin(), word.end(), isPhraseChar);
    if (hasHighByte(word) || word.find("=?") != std::string_view::npos || word.find("?=") != std::string_view::npos)
        return allPhraseChars ? PhraseWord::Encoded : PhraseWord::Mixed;
    if (std::all_of(word.begin(), word.end(), isAtext))
        return PhraseWord::Atom;
    return PhraseWord::Quoted;
}

// A display name as an RFC 2822 phrase of atoms, quoted strings and encoded
// words; never an encoded word inside a quoted string (RFC 2047 5(3)).
std::string encodedPhrase(std::string_view name)
{
    std::string_view trailingGap;
    const std::vector<Word> words = splitWords(name, trailingGap);
    std::string out;
    size_t i = 0;
    while (i < words.size()) {
        if (i > 0)
            out += ' ';
        const PhraseWord kind = classifyPhraseWord(words[i].text);
        if (kind != PhraseWord::Encoded) {
            if (kind == PhraseWord::Atom)
                out += words[i].text;
            else if (kind == PhraseWord::Quoted)
                out += quotedString(words[i].text);
            else
                out += mixedPhraseWord(words[i].text);
            ++i;
            continue;
        }
        size_t last = i;
        while (last + 1 < words.size() && classifyPhraseWord(words[last + 1].text) == PhraseWord::Encoded)
            ++last;
        const char* runStart = words[i].text.data();
        const char* runEnd = words[last].text.data() + words[last].text.size();
        out += encodedWords(std::string_view(runStart, static_cast<size_t>(runEnd - runStart)));
        i = last + 1;
    }
    return out;
}

} // namespace

std::string encodedWords(std::string_view bytes)
{
    const std::string prefix = "=?" + std::string(kOutgoingCharset) + "?Q?";
    const size_t room = kMaxEncodedWordLength - prefix.size() - 2;
    std::string out;
    std::string word;
    auto flush = [&] {
        if (!out.empty())
            out += ' ';
        out += prefix + word + "?=";
        word.clear();
    };
    for (char c : bytes) {
        const std::string token = qToken(c);
        if (word.size() + token.size() > room)
            flush();
        word += token;
    }
    if (!word.empty() || out.empty())
        flush();
    return out;
}

std::string encodeHeaderText(std::string_view text)
{
    const std::string clean = headerSafe(text);
    if (unstructuredReadBack(clean) == clean && std::all_of(clean.begin(), clean.end(), isPrintableAscii))
        return clean;
    std::string written = encodeWordRuns(clean);
    if (unstructuredReadBack(written) != clean)
        written = encodedWords(clean); // blanks at either end, say: all of it encoded reads back exactly
    return written;
}

std::string encodeAddressItem(const TIdEMailAddressItem& item)
{
    const TIdEMailAddressItem clean{headerSafe(item.Name), headerSafe(item.Address)};
    // The text form leaves out a name that only repeats the address.
    if (clean.Name.empty() || equalsIgnoreCase(clean.Name, clean.Address))
        return clean.text();
    const std::string address = angleAddress(clean.Address);
    std::vector<std::string> candidates;
    if (!needsEncoding(clean.Name))
        candidates.push_back(clean.text());
    candidates.push_back(encodedPhrase(clean.Name) + " " + address);
    candidates.push_back(quotedString(clean.Name) + " " + address);
    for (const std::string& candidate : candidates) {
        if (readsBackAs(candidate, clean))
            return candidate;
    }
    return candidates.front();
}

std::string encodeAddressList(const TIdEMailAddressList& list)
{
    std::string out;
    for (size_t i = 0; i < list.count(); ++i) {
        if (i > 0)
            out += ", ";
        out += encodeAddressItem(list[i]);
    }
    return out;
}

} // namespace kestrin
