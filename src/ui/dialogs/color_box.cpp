#include "ui/dialogs/color_box.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace kestrin::ui {
namespace {

struct NamedColor {
    const char* name; // UTF-8
    QRgb rgb;
};

// The sixteen colours of the classic palette, in its order.
constexpr NamedColor kStandardColors[] = {
    {"Czarny", qRgb(0, 0, 0)},       {"Bordowy", qRgb(128, 0, 0)},   {"Zielony", qRgb(0, 128, 0)},
    {"Oliwkowy", qRgb(128, 128, 0)}, {"Granatowy", qRgb(0, 0, 128)}, {"Fioletowy", qRgb(128, 0, 128)},
    {"Morski", qRgb(0, 128, 128)},   {"Szary", qRgb(128, 128, 128)}, {"Srebrny", qRgb(192, 192, 192)},
    {"Czerwony", qRgb(255, 0, 0)},   {"Limonkowy", qRgb(0, 255, 0)}, {"Żółty", qRgb(255, 255, 0)},
    {"Niebieski", qRgb(0, 0, 255)},  {"Fuksja", qRgb(255, 0, 255)},  {"Turkusowy", qRgb(0, 255, 255)},
    {"Biały", qRgb(255, 255, 255)},
};
constexpr int kStandardCount = static_cast<int>(std::size(kStandardColors));
constexpr QRgb kSilver = qRgb(192, 192, 192);

QIcon swatch(const QColor& color)
{
    QPixmap picture(16, 12);
    picture.fill(color);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, picture.width() - 1, picture.height() - 1);
    return QIcon(picture);
}

std::optional<QColor> dialogColor(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

int standardIndex(const QColor& color)
{
    for (int i = 0; i < kStandardCount; ++i) {
        if (kStandardColors[i].rgb == color.rgb())
            return i;
    }
    return -1;
}

} // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent), chooser_(dialogColor), current_(kSilver)
{
    for (const NamedColor& named : kStandardColors)
        addItem(swatch(QColor(named.rgb)), QString::fromUtf8(named.name));
    addItem(QString::fromUtf8("Własny..."));
    setColor(current_);
    connect(this, &QComboBox::activated, this, &ColorBox::onActivated);
}

QColor ColorBox::color() const
{
    return current_;
}

void ColorBox::setColor(const QColor& color)
{
    current_ = QColor(color.rgb()); // opaque: only the three bytes are kept
    const int index = standardIndex(current_);
    if (index >= 0) {
        setItemIcon(customIndex(), QIcon());
        setCurrentIndex(index);
    } else {
        showCustomColor(current_);
    }
}

void ColorBox::setCustomChooser(CustomChooser chooser)
{
    chooser_ = std::move(chooser);
}

int ColorBox::customIndex() const
{
    return kStandardCount;
}

void ColorBox::showCustomColor(const QColor& color)
{
    setItemIcon(customIndex(), swatch(color));
    setCurrentIndex(customIndex());
}

void ColorBox::onActivated(int index)
{
    if (index < 0)
        return;
    const QColor before = current_;
    if (index < kStandardCount) {
        current_ = QColor(kStandardColors[index].rgb);
    } else {
        const std::optional<QColor> chosen = chooser_(this, current_);
        if (chosen)
            setColor(*chosen);
        else
            setColor(before); // a cancelled dialog leaves the previous choice
    }
    if (current_ != before)
        emit colorChanged(current_);
}

} // namespace kestrin::ui
