#pragma once
// The sound and the small notice window that tell the user about new mail.
// The window hands them the texts; the notice itself decides, by the settings,
// whether to play, show or stay quiet.
#include <QString>

namespace kestrin::ui {

class NewMailNotice {
public:
    virtual ~NewMailNotice() = default;
    // The sound and the notice of the new-mail sequence.
    virtual void show(const QString& sender, const QString& subject) = 0;
    // Minimising the main window closes an open notice.
    virtual void closeIfOpen() = 0;
};

} // namespace kestrin::ui
