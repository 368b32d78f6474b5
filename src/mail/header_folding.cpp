#include "mail/header_folding.h"

namespace kestrin {
namespace {

// Readers trim every byte up to the space when they unfold, so a cut must
// have a visible character on both sides of its space.
bool isVisible(char c)
{
    return static_cast<unsigned char>(c) > ' ';
}

bool isCutPoint(std::string_view line, size_t i)
{
    return line[i] == ' ' && i > 0 && i + 1 < line.size() && isVisible(line[i - 1]) && isVisible(line[i + 1]);
}

// Cuts may not fall inside the field name (nor before the colon of a line
// whose name has blanks in it).
size_t firstCutCandidate(std::string_view line)
{
    if (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        return 1;
    const size_t colon = line.find(':');
    return colon == std::string_view::npos ? 1 : colon + 1;
}

// The cut ending the segment that starts at start: the last one within
// maxLength, else the first one beyond it; npos when there is none.
size_t nextCut(std::string_view line, size_t start, size_t from, size_t maxLength)
{
    size_t best = std::string_view::npos;
    for (size_t i = from; i < line.size(); ++i) {
        if (!isCutPoint(line, i))
            continue;
        if (i - start > maxLength)
            return best != std::string_view::npos ? best : i;
        best = i;
    }
    return best;
}

// A cut right after the field name leaves a line with no value on it; that
// only pays when the value then fits on its continuation line.
bool isWorthwhile(std::string_view line, size_t start, size_t cut, size_t maxLength)
{
    if (start != 0 || cut != firstCutCandidate(line))
        return true;
    const size_t following = nextCut(line, cut, cut + 1, maxLength);
    const size_t pieceEnd = following == std::string_view::npos ? line.size() : following;
    return pieceEnd - cut <= maxLength;
}

} // namespace

std::vector<std::string> foldHeaderLine(std::string_view line, size_t maxLength)
{
    std::vector<std::string> lines;
    size_t start = 0;
    size_t from = firstCutCandidate(line);
    while (line.size() - start > maxLength) {
        const size_t cut = nextCut(line, start, from, maxLength);
        if (cut == std::string_view::npos || !isWorthwhile(line, start, cut, maxLength))
            break;
        lines.emplace_back(line.substr(start, cut - start));
        start = cut;
        from = cut + 1;
    }
    lines.emplace_back(line.substr(start));
    return lines;
}

} // namespace kestrin
