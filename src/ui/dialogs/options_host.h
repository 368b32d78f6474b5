#pragma once
// What the settings window needs of the main window: the check timer, the
// tray menu's default item, the tray icon, the window's transparency, and the
// start-up steps that belong to the main window's pages.
#include <QIcon>
#include <QString>

namespace kestrin::ui {

class OptionsHost {
public:
    virtual ~OptionsHost();

    // kill_timer's interval in milliseconds.
    virtual void setCheckInterval(int milliseconds) = 0;
    virtual bool checkTimerEnabled() const = 0;
    // pop_trayaction takes the caption and the glyph image; it and its
    // separator become visible.
    virtual void setTrayAction(const QString& caption, int glyphIndex) = 0;
    // Loads the tray icon from an .ico file; throws std::runtime_error with the
    // platform's file error (UTF-8) when the file cannot be read.
    virtual void setTrayIconFile(const QString& icoPath) = 0;
    // on: the window is drawn with opacity 0-255; off: fully opaque.
    virtual void setTransparency(bool on, int opacity) = 0;
    // The main window is disabled while the settings window is shown, which
    // takes the main window's icon and opacity when it is shown.
    virtual void setMainWindowEnabled(bool enabled) = 0;
    virtual QIcon mainWindowIcon() const = 0;
    virtual double mainWindowOpacity() const = 0;
    // Start-up only, when "WABSynch" is on: the address-book import without questions.
    virtual void importFriendsSilently() = 0;
    // Start-up only: the statistics view selector's change handler and the
    // saved sort columns of the account, rule and friend lists.
    virtual void statisticsViewChanged() = 0;
    virtual void restoreListSorting() = 0;
    // The item counts of the account, rule and friend pages.
    virtual void refreshItemCounts() = 0;
    // The report list changed as a whole (trimmed or cleared at start-up).
    virtual void reportReplaced() = 0;
    // End of start-up: no check is running, the timer is off, and the cycle
    // start runs once (the first check cycle begins at once).
    virtual void startFirstCycle() = 0;
    // Instead of startFirstCycle when a stored file was refused for its
    // version: the main window closes as its quit command does (saving is
    // already switched off), so no cycle runs on half-loaded data. Called
    // while the program starts; the close may wait for the event loop.
    virtual void closeMainWindow() = 0;
};

} // namespace kestrin::ui
