#pragma once
// Reads the cards of vCard files (2.1, 3.0 and 4.0) into VCard values.
//
// Hostile input is expected: cards without END, END without BEGIN, a BEGIN
// inside an open card (which ends the open one: a lost END is far more
// common than a nested 2.1 AGENT card), lines outside any card (ignored) and
// lines too long or too many are all read without a crash, in time linear in
// the input and memory bounded by VCardLimits.
#include "storage/vcard.h"

#include <string_view>
#include <vector>

namespace kestrin {

struct VCardLine;

class VCardReader {
public:
    explicit VCardReader(const VCardLimits& limits = {});

    // Appends the cards of one file's bytes. A card still open at the end of
    // the bytes is kept: its END is missing, not its data.
    void read(std::string_view bytes);

    const std::vector<VCard>& cards() const { return cards_; }
    std::vector<VCard> takeCards() { return std::move(cards_); }
    // Whether a bound dropped a line, a property, a parameter or a card.
    bool truncated() const { return truncated_; }

private:
    bool handleLine(std::string_view line);
    bool beginCard();
    void endCard();
    void addProperty(VCardLine& line);
    bool withinBudget(size_t bytes);

    VCardLimits limits_;
    std::vector<VCard> cards_;
    VCard open_;
    bool isOpen_ = false;
    size_t modelBytes_ = 0;
    bool truncated_ = false;
};

// The cards of one file's bytes with the default bounds.
std::vector<VCard> readVCards(std::string_view bytes);

} // namespace kestrin
