#pragma once
// The payload of a "mail" report entry as named fields. Files written by older
// versions or by hand may hold mark values this version does not know; they
// are kept as read, so an entry written back is byte for byte the one read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrin {

// The actions field holds one letter per action done, in this order: archive,
// send, reply, delete.
inline constexpr std::string_view kMailActionLetters = "asrd";
inline constexpr char kMailDeletedLetter = 'd';

// The digit each enumerator stands for in the file is its value.
enum class DeleteMark : uint8_t { Unmarked = 0, Marked = 1 };
enum class BayesMark : uint8_t { Unmarked = 0, Good = 1, Spam = 2 };

// A mark field: one of the known digits, or whatever text the file held.
template <typename Mark> class ReportMark {
public:
    ReportMark(Mark mark) : text_(1, static_cast<char>('0' + static_cast<uint8_t>(mark))) {}
    static ReportMark fromText(std::string_view text) { return ReportMark(text); }

    bool is(Mark mark) const { return *this == ReportMark(mark); }
    const std::string& text() const { return text_; }
    friend bool operator==(const ReportMark&, const ReportMark&) = default;

private:
    explicit ReportMark(std::string_view text) : text_(text) {}
    std::string text_;
};

struct MailReportEntry {
    std::string messageId;
    std::string date;
    std::string actions; // letters of kMailActionLetters
    std::string cause;   // the deleting rule's name, "(Użytkownik)", "(Filtr Bayesa)" or "-"
    std::string account;
    std::string senderName;
    std::string senderAddress;
    std::string subject;
    std::string size; // "N kb"
    std::string topWords;
    ReportMark<DeleteMark> deleteMark = DeleteMark::Unmarked;
    ReportMark<BayesMark> bayesMark = BayesMark::Unmarked; // the last field: keeps the rest of the payload

    bool deleted() const { return actions.find(kMailDeletedLetter) != std::string::npos; }
    friend bool operator==(const MailReportEntry&, const MailReportEntry&) = default;
};

// Nothing when the payload holds fewer than twelve fields (a damaged entry,
// which no command may change).
std::optional<MailReportEntry> parseMailReportEntry(std::string_view payload);

// The fields joined by the separator; the inverse of parseMailReportEntry.
std::string formatMailReportEntry(const MailReportEntry& entry);

} // namespace kestrin
