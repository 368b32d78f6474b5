#pragma once
// The settings window's controls are the program's live settings: each bound
// control writes its key into the settings at once when it changes, and
// fill() puts the stored values into the controls.
#include "storage/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include <functional>
#include <string>
#include <vector>

namespace kestrin::ui {

class SettingsBinding {
public:
    explicit SettingsBinding(Settings& settings);

    // The selected position; a stored position outside the list shows no selection.
    void bind(QComboBox* box, int32_t Settings::*key);
    void bind(QCheckBox* box, bool Settings::*key);
    // The slider's position; a stored value outside its range is brought inside
    // and written back, so every reader sees what the slider shows.
    void bind(QSlider* slider, int32_t Settings::*key);
    // Windows-1250 text; what the user types is written back.
    void bind(QLineEdit* edit, std::string Settings::*key);

    // With the controls' change signals blocked, so filling writes nothing
    // back except the slider corrections above.
    void fill() const;

private:
    Settings& settings_;
    std::vector<std::function<void()>> fillers_;
};

} // namespace kestrin::ui
