#pragma once
// The main window's image list `glyph`: 25 pictures of 16 x 16 pixels with
// alpha, addressed by position as the toolbar, the menus, the report list and
// the page tabs name them.
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace kestrin::artwork {

enum class Glyph : int {
    Friend = 0,             // a person: the friends list (not named by any command)
    Rule = 1,               // a funnel: message rules, a rule's name
    Statistics = 2,         // a bar chart: the statistics page
    Mail = 3,               // an envelope: accounts, the mail program, an account's name
    Settings = 4,           // a gear: settings, the Bayes word database
    Info = 5,               // a blue "i": about, details, program-start report rows
    Accepted = 6,           // an envelope with a tick: accepted messages
    Deleted = 7,            // a red cross: deleted messages, the delete action
    Archive = 8,            // an archive box: archive window and action
    Error = 9,              // a warning triangle: errors
    Checked = 10,           // a green tick: checked messages, check now, similar rules
    Report = 11,            // a listed sheet: the report page
    AddAccount = 12,        // envelope + green plus
    AddFriend = 13,         // person + green plus
    AddRule = 14,           // funnel + green plus
    AddressBook = 15,       // an address book: import of friends
    ShowWindow = 16,        // a program window: show the main window
    Forward = 17,           // a curved arrow to the right
    Reply = 18,             // a curved arrow to the left
    Update = 19,            // a green arrow down into a tray: download the new version
    MarkedForDeletion = 20, // a waste bin: marked for deletion at the next check
    Date = 21,              // a clock: the message's date
    BayesGood = 22,         // a green thumb up: Bayes filter, good message
    BayesSpam = 23,         // a red thumb down: spam
    ResetStatistics = 24,   // a circular arrow: reset every counter
};

inline constexpr int kGlyphSide = 16;

int glyphCount();

// The picture at the position; a null image outside 0 .. glyphCount() - 1.
// Works without an application object (no text is drawn).
QImage glyphImage(int index);
inline QImage glyphImage(Glyph which)
{
    return glyphImage(static_cast<int>(which));
}

// The same as a pixmap or icon for widgets; needs a QGuiApplication.
QPixmap glyph(int index);
QIcon glyphIcon(int index);

} // namespace kestrin::artwork
