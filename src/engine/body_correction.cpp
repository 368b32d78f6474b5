#include "engine/body_correction.h"

#include "engine/char_removal.h"
#include "engine/tag_stripping.h"

namespace kestrin {

std::string applyBodyCorrection(std::string_view text, const BodyCorrection& correction)
{
    std::string corrected = correction.delHtml ? stripTags(text) : std::string(text);
    if (correction.delChars)
        corrected = removeChars(corrected, correction.delCharsList);
    return corrected;
}

} // namespace kestrin
