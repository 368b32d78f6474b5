#include "mail/encoded_words.h"

#include "mail/base64.h"
#include "text/ascii_case.h"
#include "text/hex_digit.h"

#include <algorithm>

namespace kestrin {
namespace {

// Charset names are short ("windows-1250"); a limit keeps a header full of
// stray "=?" from being rescanned to its end again and again.
constexpr size_t kMaxCharsetLength = 64;

struct EncodedWord {
    std::string_view charset;
    char encoding = 0;
    std::string_view text;
    size_t end = 0; // just after the closing "?="
};

enum class Match { Word, NotAWord, NoMoreWords };

bool isCharsetChar(char c)
{
    return static_cast<unsigned char>(c) > ' ' && c != '?' && c != '=';
}

// Reads "=?charset?e?text?=" starting at start (which holds "=?").
Match matchEncodedWord(std::string_view s, size_t start, EncodedWord& word)
{
    size_t pos = start + 2;
    const size_t charsetEnd = std::min(s.size(), pos + kMaxCharsetLength + 1);
    while (pos < charsetEnd && isCharsetChar(s[pos]))
        ++pos;
    if (pos == start + 2 || pos + 2 >= s.size() || s[pos] != '?' || s[pos + 2] != '?' || s[pos + 1] == '?')
        return Match::NotAWord;
    word.charset = s.substr(start + 2, pos - start - 2);
    word.encoding = s[pos + 1];
    const size_t textStart = pos + 3;
    const size_t close = s.find("?=", textStart);
    // Every later word would need a "?=" further on, so none can follow either.
    if (close == std::string_view::npos)
        return Match::NoMoreWords;
    word.text = s.substr(textStart, close - textStart);
    word.end = close + 2;
    return Match::Word;
}

// The single-byte charsets whose bytes the rules can compare directly.
bool isDecodedCharset(std::string_view charset)
{
    return startsWithIgnoreCase(charset, "ISO") || startsWithIgnoreCase(charset, "WINDOWS") ||
           startsWithIgnoreCase(charset, "KOI8");
}

std::string decodeQ(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '_') {
            out += ' ';
        } else if (c == '=' && i + 2 < text.size() && hexDigitValue(text[i + 1]) >= 0 &&
                   hexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigitValue(text[i + 1]) * 16 + hexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// RFC 2231 lets a language follow the charset ("ISO-2022-JP*ja").
std::string_view charsetWithoutLanguage(std::string_view charset)
{
    return charset.substr(0, charset.find('*'));
}

std::string decodeWord(const EncodedWord& word)
{
    std::string bytes = lowerAscii(word.encoding) == 'q' ? decodeQ(word.text) : decodeBase64Groups(word.text);
    if (equalsIgnoreCase(charsetWithoutLanguage(word.charset), "ISO-2022-JP"))
        bytes = iso2022JpToShiftJis(bytes);
    // A decoded line end would let a sender add header lines to a forwarded or answered message.
    std::replace_if(
        bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return bytes;
}

bool isAllBlanks(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

enum class JisMode { Ascii, Kanji, Kana };

constexpr char kEscape = '\x1B';

// Switches mode for a recognised escape sequence at pos; returns its length, or 0.
size_t readEscape(std::string_view b, size_t pos, JisMode& mode)
{
    if (pos + 2 >= b.size())
        return 0;
    const std::string_view seq = b.substr(pos + 1, 2);
    if (seq == "$B" || seq == "$@")
        mode = JisMode::Kanji;
    else if (seq == "(B" || seq == "(J")
        mode = JisMode::Ascii;
    else if (seq == "(I")
        mode = JisMode::Kana;
    else
        return 0;
    return 3;
}

bool isJisByte(char c)
{
    return c >= 0x21 && c <= 0x7E;
}

// JIS X 0208 row/cell pair to its Shift_JIS pair.
void appendShiftJis(std::string& out, unsigned char j1, unsigned char j2)
{
    unsigned s1 = ((j1 - 0x21u) >> 1) + 0x81u;
    if (s1 > 0x9F)
        s1 += 0x40;
    unsigned s2 = j2;
    if (j1 & 1u) {
        s2 += 0x1F;
        if (s2 >= 0x7F)
            ++s2;
    } else {
        s2 += 0x7E;
    }
    out += static_cast<char>(s1);
    out += static_cast<char>(s2);
}

} // namespace

std::string iso2022JpToShiftJis(std::string_view b)
{
    std::string out;
    out.reserve(b.size());
    JisMode mode = JisMode::Ascii;
    for (size_t i = 0; i < b.size(); ++i) {
        const char c = b[i];
        if (c == kEscape) {
            if (const size_t length = readEscape(b, i, mode); length > 0) {
                i += length - 1;
                continue;
            }
        }
        if (mode == JisMode::Kanji && isJisByte(c) && i + 1 < b.size() && isJisByte(b[i + 1])) {
            appendShiftJis(out, static_cast<unsigned char>(c), static_cast<unsigned char>(b[i + 1]));
            ++i;
        } else if (mode == JisMode::Kana && c >= 0x21 && c <= 0x5F) {
            out += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
        } else {
            out += c;
        }
    }
    return out;
}

std::string decodeEncodedWords(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    size_t copyFrom = 0; // start of the input not yet written out
    size_t searchFrom = 0;
    bool anyDecoded = false;
    for (;;) {
        const size_t start = value.find("=?", searchFrom);
        if (start == std::string_view::npos)
            break;
        EncodedWord word;
        const Match match = matchEncodedWord(value, start, word);
        if (match == Match::NoMoreWords)
            break;
        if (match == Match::NotAWord) {
            searchFrom = start + 1;
            continue;
        }
        searchFrom = word.end;
        if (!isDecodedCharset(word.charset))
            continue; // stays as received
        const std::string_view gap = value.substr(copyFrom, start - copyFrom);
        if (!(anyDecoded && isAllBlanks(gap)))
            out += gap;
        out += decodeWord(word);
        copyFrom = word.end;
        anyDecoded = true;
    }
    out += value.substr(copyFrom);
    out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
    return out;
}

} // namespace kestrin
