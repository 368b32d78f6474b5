#include "mail/address_parser.h"

#include "mail/mail_errors.h"

#include <string>
#include <vector>

namespace kestrin {
namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s, bool (*blank)(char))
{
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads a quoted string whose opening quote is at pos; pos ends after the
// closing quote (or at the end of an unterminated one).
std::string readQuoted(std::string_view t, size_t& pos)
{
    std::string out;
    for (++pos; pos < t.size(); ++pos) {
        if (t[pos] == '"') {
            ++pos;
            break;
        }
        if (t[pos] == '\\' && pos + 1 < t.size())
            ++pos;
        out += t[pos];
    }
    return out;
}

// Skips a comment whose '(' is at pos; comments nest (RFC 2822), counted
// without recursion so no nesting depth can exhaust the stack.
void skipComment(std::string_view t, size_t& pos)
{
    size_t depth = 0;
    for (; pos < t.size(); ++pos) {
        const char c = t[pos];
        if (c == '\\' && pos + 1 < t.size())
            ++pos;
        else if (c == '(')
            ++depth;
        else if (c == ')' && --depth == 0)
            break;
    }
    if (pos < t.size())
        ++pos;
}

struct Word {
    size_t nameStart = 0; // where the word begins in the collected name text
    std::string text;
    bool hasAt = false;    // an unquoted '@'
    bool hasPlain = false; // some unquoted character
};

class SingleAddressParser {
public:
    explicit SingleAddressParser(std::string_view text) : t_(text) {}

    TIdEMailAddressItem parse()
    {
        while (pos_ < t_.size()) {
            if (phase_ == Phase::BeforeAngle)
                stepBeforeAngle();
            else if (phase_ == Phase::InsideAngle)
                stepInsideAngle();
            else
                stepAfterAngle();
        }
        return phase_ == Phase::BeforeAngle ? resultWithoutAngles() : resultWithAngles();
    }

private:
    enum class Phase { BeforeAngle, InsideAngle, AfterAngle };

    void stepBeforeAngle()
    {
        const char c = t_[pos_];
        if (c == '"') {
            const std::string text = readQuoted(t_, pos_);
            currentWord().text += text;
            name_ += text;
        } else if (c == '(') {
            skipComment(t_, pos_);
            endWord();
        } else if (c == '<') {
            ++pos_;
            phase_ = Phase::InsideAngle;
        } else if (isBlank(c)) {
            ++pos_;
            endWord();
        } else {
            ++pos_;
            Word& word = currentWord();
            word.text += c;
            word.hasPlain = true;
            word.hasAt = word.hasAt || c == '@';
            name_ += c;
        }
    }

    void stepInsideAngle()
    {
        const char c = t_[pos_];
        if (c == '"') {
            address_ += readQuoted(t_, pos_);
        } else if (c == '(') {
            skipComment(t_, pos_);
        } else {
            ++pos_;
            if (c == '>')
                phase_ = Phase::AfterAngle;
            else if (!isBlank(c))
                address_ += c;
        }
    }

    // Only comments and stray words may follow the address; a second address is an error.
    void stepAfterAngle()
    {
        const char c = t_[pos_];
        if (c == '"') {
            readQuoted(t_, pos_);
        } else if (c == '(') {
            skipComment(t_, pos_);
        } else {
            if (c == '@')
                throw EIdEmailParseError("@ Outside address");
            ++pos_;
        }
    }

    Word& currentWord()
    {
        if (!inWord_) {
            words_.push_back(Word{name_.size(), {}, false, false});
            inWord_ = true;
        }
        return words_.back();
    }

    // Blanks and comments separate words; runs of them become one space in the name.
    void endWord()
    {
        inWord_ = false;
        if (!name_.empty() && name_.back() != ' ')
            name_ += ' ';
    }

    TIdEMailAddressItem resultWithAngles() const { return {std::string(trimmed(name_, isBlank)), address_}; }

    // The word holding an '@' is the address and the words before it the name.
    // Without one, a lone bare word is taken as an address (MAILER-DAEMON) and
    // anything else as a name.
    TIdEMailAddressItem resultWithoutAngles() const
    {
        for (const Word& word : words_) {
            if (word.hasAt)
                return {std::string(trimmed(std::string_view(name_).substr(0, word.nameStart), isBlank)), word.text};
        }
        if (words_.size() == 1 && words_.front().hasPlain)
            return {{}, words_.front().text};
        return {std::string(trimmed(name_, isBlank)), {}};
    }

    std::string_view t_;
    size_t pos_ = 0;
    Phase phase_ = Phase::BeforeAngle;
    std::string name_;
    std::string address_;
    std::vector<Word> words_;
    bool inWord_ = false;
};

bool isSimpleAddress(std::string_view text)
{
    return text.find_first_of("(\"< @\t") == std::string_view::npos;
}

// Cuts an address list into items. Quotes count only outside comments and
// comments only outside quotes; a backslash protects the next character in
// both. ':' inside angle brackets belongs to the address, not to a group name.
class AddressListSplitter {
public:
    explicit AddressListSplitter(std::string_view text) : t_(text) {}

    std::vector<std::string> split()
    {
        for (size_t i = 0; i < t_.size(); ++i) {
            const char c = t_[i];
            if (c == '\\' && i + 1 < t_.size()) {
                item_ += c;
                item_ += t_[++i];
            } else if (quoted_) {
                item_ += c;
                quoted_ = c != '"';
            } else if (depth_ > 0) {
                item_ += c;
                if (c == '(')
                    ++depth_;
                else if (c == ')')
                    --depth_;
            } else {
                takeStructural(c);
            }
        }
        items_.push_back(std::move(item_));
        return std::move(items_);
    }

private:
    void takeStructural(char c)
    {
        if (c == ',' || c == ';') {
            items_.push_back(std::move(item_));
            item_.clear();
            inAngle_ = false;
            return;
        }
        if (c == ':' && !inAngle_) {
            item_.clear(); // group name
            return;
        }
        item_ += c;
        if (c == '"')
            quoted_ = true;
        else if (c == '(')
            depth_ = 1;
        else if (c == '<')
            inAngle_ = true;
        else if (c == '>')
            inAngle_ = false;
    }

    std::string_view t_;
    std::vector<std::string> items_;
    std::string item_;
    bool quoted_ = false;
    bool inAngle_ = false;
    size_t depth_ = 0;
};

} // namespace

TIdEMailAddressItem parseAddress(std::string_view text)
{
    const std::string_view t = trimmed(text, isBlankOrControl);
    if (isSimpleAddress(t))
        return {{}, std::string(t)};
    return SingleAddressParser(t).parse();
}

TIdEMailAddressList parseAddressList(std::string_view text)
{
    TIdEMailAddressList list;
    const std::string_view t = trimmed(text, isBlankOrControl);
    if (t.empty())
        return list;
    for (const std::string& item : AddressListSplitter(t).split()) {
        TIdEMailAddressItem address = parseAddress(item);
        if (!address.empty() && address.text() != "<>")
            list.add(std::move(address));
    }
    return list;
}

} // namespace kestrin
