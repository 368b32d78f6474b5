#include "ui/dialogs/options_binding.h"

#include "ui/common/win1250_text.h"

#include <QSignalBlocker>

namespace kestrin::ui {

SettingsBinding::SettingsBinding(Settings& settings) : settings_(settings)
{
}

void SettingsBinding::bind(QComboBox* box, int32_t Settings::*key)
{
    QObject::connect(box, &QComboBox::currentIndexChanged, box, [this, key](int index) { settings_.*key = index; });
    fillers_.push_back([this, box, key] {
        const QSignalBlocker quiet(box);
        const int32_t position = settings_.*key;
        box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
    });
}

void SettingsBinding::bind(QCheckBox* box, bool Settings::*key)
{
    QObject::connect(box, &QCheckBox::toggled, box, [this, key](bool checked) { settings_.*key = checked; });
    fillers_.push_back([this, box, key] {
        const QSignalBlocker quiet(box);
        box->setChecked(settings_.*key);
    });
}

void SettingsBinding::bind(QSlider* slider, int32_t Settings::*key)
{
    QObject::connect(slider, &QSlider::valueChanged, slider, [this, key](int value) { settings_.*key = value; });
    fillers_.push_back([this, slider, key] {
        const QSignalBlocker quiet(slider);
        slider->setValue(settings_.*key);
        settings_.*key = slider->value();
    });
}

void SettingsBinding::bind(QLineEdit* edit, std::string Settings::*key)
{
    // textEdited: only the user's typing; the window's own setText calls
    // (file choosers, clear buttons) write their key themselves.
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this, key](const QString& text) { settings_.*key = toWin1250(text); });
    // A longer stored text (only a hand-edited file has one) is shown cut to
    // the field's limit but stays whole in the settings until the user edits it.
    fillers_.push_back([this, edit, key] { edit->setText(fromWin1250(settings_.*key)); });
}

void SettingsBinding::fill() const
{
    for (const auto& filler : fillers_)
        filler();
}

} // namespace kestrin::ui
