#include "ui/main/tray_action.h"

#include "storage/settings_lists.h"
#include "ui/common/win1250_text.h"

#include <array>

namespace kestrin::ui {
namespace {

// Show the window, the mail program, check now, the archive: glyphs of the glyph list.
constexpr std::array<int, 4> kGlyphs = {16, 3, 10, 8};

} // namespace

TrayAction trayActionAt(int position)
{
    if (position < 0 || position >= static_cast<int>(kGlyphs.size()))
        return TrayAction::None;
    return static_cast<TrayAction>(position);
}

int trayActionGlyph(TrayAction action)
{
    return action == TrayAction::None ? -1 : kGlyphs[static_cast<size_t>(action)];
}

QString trayActionCaption(TrayAction action)
{
    const std::vector<std::string>& items = listItems(SettingsList::DefaultTrayAction);
    const auto position = static_cast<size_t>(action);
    return action == TrayAction::None || position >= items.size() ? QString() : fromWin1250(items[position]);
}

} // namespace kestrin::ui
