#pragma once
// What the settings window needs of the main window: it disables the main
// window while it is shown, and takes the main window's icon and opacity.
#include <QIcon>

namespace kestrin::ui {

class OptionsHost {
public:
    virtual ~OptionsHost();

    virtual void setMainWindowEnabled(bool enabled) = 0;
    virtual QIcon mainWindowIcon() const = 0;
    virtual double mainWindowOpacity() const = 0;
};

} // namespace kestrin::ui
