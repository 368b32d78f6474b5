#include "ui/common/fitted_text.h"

#include "engine/width_fit.h"
#include "ui/common/win1250_text.h"

namespace kestrin::ui {

QString fittedText(const std::string& text, int width, const QFontMetrics& metrics)
{
    if (width <= 0)
        return fromWin1250(text);
    return fromWin1250(fitWidth(text, "...", width, [&](std::string_view part) {
        return metrics.horizontalAdvance(fromWin1250(std::string(part)));
    }));
}

} // namespace kestrin::ui
