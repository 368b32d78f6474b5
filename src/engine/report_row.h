#pragma once
// A report line as the report list draws it: its kind, a message's twelve
// fields, or an error's or start's headline and detail, and the small
// pictures a message's row carries for its actions and marks.
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

enum class ReportRowKind { Mail, Error, Run, Other };

struct ReportRow {
    ReportRowKind kind = ReportRowKind::Other;
    std::vector<std::string> fields; // Mail: always twelve; a damaged line's missing ones are empty
    std::string headline;            // Error and Run
    std::string detail;              // Error and Run: the optional second line
};

ReportRow parseReportRow(std::string_view line);

// Field positions of a "mail" line.
enum MailField : size_t {
    kFieldMessageId = 0,
    kFieldDate = 1,
    kFieldActions = 2,
    kFieldCause = 3,
    kFieldAccount = 4,
    kFieldSenderName = 5,
    kFieldSenderAddress = 6,
    kFieldSubject = 7,
    kFieldSize = 8,
    kFieldTopWords = 9,
    kFieldDeleteMark = 10,
    kFieldBayesMark = 11,
};

// One picture of the image list at an offset from the row's top left.
struct RowPicture {
    int glyph;
    int dx;
    int dy;
    friend bool operator==(const RowPicture&, const RowPicture&) = default;
};

// A message row's state pictures: its marks when it has any, else one per
// action done, else the "checked" tick.
std::vector<RowPicture> mailRowPictures(const std::vector<std::string>& fields);

} // namespace kestrin
