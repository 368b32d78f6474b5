#include "engine/bayes_last_use.h"

#include "text/convert_error.h"

#include <string>

namespace kestrin {
namespace {

class DateTimeReader {
public:
    explicit DateTimeReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }

    bool skip(char expected)
    {
        if (atEnd() || text_[pos_] != expected)
            return false;
        ++pos_;
        return true;
    }

    // minDigits..maxDigits decimal digits into value.
    bool number(size_t minDigits, size_t maxDigits, int& value)
    {
        size_t digits = 0;
        value = 0;
        while (!atEnd() && digits < maxDigits && text_[pos_] >= '0' && text_[pos_] <= '9') {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
            ++digits;
        }
        return digits >= minDigits;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

std::string_view trimBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool readDate(DateTimeReader& reader, CivilDateTime& c)
{
    return reader.number(4, 4, c.year) && reader.skip('-') && reader.number(1, 2, c.month) && reader.skip('-') &&
           reader.number(1, 2, c.day) && c.year >= 1 && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
           c.day <= daysInMonth(c.year, c.month);
}

// Optional " H:m" or " H:m:s" after the date.
bool readTime(DateTimeReader& reader, CivilDateTime& c)
{
    if (reader.atEnd())
        return true;
    if (!reader.skip(' '))
        return false;
    while (reader.skip(' ')) {
    }
    if (!reader.number(1, 2, c.hour) || !reader.skip(':') || !reader.number(1, 2, c.minute))
        return false;
    if (reader.skip(':') && !reader.number(1, 2, c.second))
        return false;
    return reader.atEnd() && c.hour < 24 && c.minute < 60 && c.second < 60;
}

} // namespace

TDateTime readLastUse(std::string_view text)
{
    DateTimeReader reader(trimBlanks(text));
    CivilDateTime civil;
    if (!readDate(reader, civil) || !readTime(reader, civil))
        throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
    return encodeDateTime(civil);
}

} // namespace kestrin
