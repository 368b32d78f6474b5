#pragma once
// A colour drop-down: the sixteen standard colours, each with its swatch, and a
// last entry "Własny..." that opens the colour dialog and then shows the
// chosen colour. Only the user's choice emits colorChanged.
#include <QColor>
#include <QComboBox>

#include <functional>
#include <optional>

namespace kestrin::ui {

class ColorBox : public QComboBox {
    Q_OBJECT
public:
    // Asks the user for a colour, starting from initial; nullopt = cancelled.
    using CustomChooser = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;

    explicit ColorBox(QWidget* parent = nullptr);

    QColor color() const;
    // Selects the standard entry of that colour, or shows it on the custom entry.
    void setColor(const QColor& color);
    // The colour dialog by default; tests put their own answer here.
    void setCustomChooser(CustomChooser chooser);

signals:
    void colorChanged(const QColor& color);

private:
    void onActivated(int index);
    int customIndex() const;
    void showCustomColor(const QColor& color);

    CustomChooser chooser_;
    QColor current_;
};

} // namespace kestrin::ui
