#include "engine/report_row.h"

#include "storage/report_entry.h"

namespace kestrin {
namespace {

// Positions in the window's image list.
constexpr int kGlyphArchive = 8;
constexpr int kGlyphForward = 17;
constexpr int kGlyphReply = 18;
constexpr int kGlyphDeleted = 7;
constexpr int kGlyphChecked = 10;
constexpr int kGlyphMarkedForDeletion = 20;
constexpr int kGlyphBayesGood = 22;
constexpr int kGlyphBayesSpam = 23;

ReportRowKind kindOf(std::string_view kind)
{
    if (kind == kReportKindMail)
        return ReportRowKind::Mail;
    if (kind == kReportKindError)
        return ReportRowKind::Error;
    if (kind == kReportKindRun)
        return ReportRowKind::Run;
    return ReportRowKind::Other;
}

bool has(const std::string& text, char letter)
{
    return text.find(letter) != std::string::npos;
}

} // namespace

ReportRow parseReportRow(std::string_view line)
{
    const ReportEntry entry = splitReportEntry(line);
    ReportRow row;
    row.kind = kindOf(entry.kind);
    if (row.kind == ReportRowKind::Mail) {
        row.fields = splitMailFields(entry.payload);
        row.fields.resize(kMailFieldCount);
    } else if (row.kind != ReportRowKind::Other) {
        const size_t cut = entry.payload.find(kMailFieldSeparator);
        row.headline = entry.payload.substr(0, cut);
        if (cut != std::string::npos)
            row.detail = entry.payload.substr(cut + kMailFieldSeparator.size());
    }
    return row;
}

std::vector<RowPicture> mailRowPictures(const std::vector<std::string>& fields)
{
    const std::string& deleteMark = fields.at(kFieldDeleteMark);
    const std::string& bayesMark = fields.at(kFieldBayesMark);
    std::vector<RowPicture> pictures;
    if (deleteMark != "0" || bayesMark != "0") {
        if (deleteMark == "1")
            pictures.push_back({kGlyphMarkedForDeletion, 18, 2});
        if (bayesMark == "1")
            pictures.push_back({kGlyphBayesGood, 2, 2});
        else if (bayesMark == "2")
            pictures.push_back({kGlyphBayesSpam, 2, 2});
        return pictures;
    }
    const std::string& actions = fields.at(kFieldActions);
    if (actions.empty())
        return {{kGlyphChecked, 2, 2}};
    const RowPicture byLetter[] = {
        {kGlyphArchive, 2, 2}, {kGlyphForward, 2, 20}, {kGlyphReply, 20, 20}, {kGlyphDeleted, 20, 2}};
    const char letters[] = {'a', 's', 'r', 'd'};
    for (size_t i = 0; i < 4; ++i)
        if (has(actions, letters[i]))
            pictures.push_back(byLetter[i]);
    return pictures;
}

} // namespace kestrin
