// The settings window laid out on the offscreen platform: every text whole,
// no control over another, also with a larger font.
#include "options_test_seams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

// The controls a layout places: direct children of a page or of a group box.
std::vector<QWidget*> placedControls(QWidget* page)
{
    std::vector<QWidget*> placed;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        QWidget* parent = widget->parentWidget();
        if (widget->isVisible() && (parent == page || qobject_cast<QGroupBox*>(parent) != nullptr))
            placed.push_back(widget);
    }
    return placed;
}

std::string nameOf(const QWidget* widget)
{
    return std::string(widget->metaObject()->className()) + " " + widget->objectName().toStdString();
}

// Fractional font metrics make Qt's own height figures differ by a pixel
// between sizeHint, minimumSizeHint and heightForWidth; a cut text misses by
// a whole line.
constexpr int kRounding = 1;

void expectTextsWhole(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->wordWrap()) {
        EXPECT_GE(label->height() + kRounding, label->heightForWidth(label->width())) << nameOf(label);
        return;
    }
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
        qobject_cast<QGroupBox*>(widget)) {
        EXPECT_GE(widget->width(), widget->sizeHint().width()) << nameOf(widget) << " is cut";
        EXPECT_GE(widget->height() + kRounding, widget->minimumSizeHint().height()) << nameOf(widget) << " is cut";
    }
}

void expectPageLaidOut(QWidget* page)
{
    const std::vector<QWidget*> placed = placedControls(page);
    ASSERT_GT(placed.size(), 2u) << nameOf(page);
    for (QWidget* widget : placed) {
        expectTextsWhole(widget);
        EXPECT_TRUE(page->rect().contains(QRect(widget->mapTo(page, QPoint(0, 0)), widget->size())))
            << nameOf(widget) << " leaves its page";
        for (QWidget* other : placed) {
            if (other != widget && other->parentWidget() == widget->parentWidget()) {
                EXPECT_FALSE(widget->geometry().intersects(other->geometry()))
                    << nameOf(widget) << " overlaps " << nameOf(other);
            }
        }
    }
}

TEST(OptionsLayout, EveryPageShowsItsTextsWholeWithoutOverlaps)
{
    const QFont original = QApplication::font();
    for (const double scale : {1.0, 1.5}) {
        QFont font = original;
        font.setPixelSize(static_cast<int>(QFontInfo(original).pixelSize() * scale));
        QApplication::setFont(font);
        OptionsWindowFixture f;
        f.writeOptions({"SMTPHost=smtp.poczta.pl", "MailCheckRunMail=1"});
        ui::Toptions& window = f.startWindow();
        window.showSettings();
        window.adjustSize();
        auto* pages = f.control<QTabWidget>("pages");
        ASSERT_EQ(pages->count(), 5);
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QApplication::processEvents();
            SCOPED_TRACE(pages->tabText(i).toStdString() + " at scale " + std::to_string(scale));
            expectPageLaidOut(pages->widget(i));
        }
        window.close();
    }
    QApplication::setFont(original);
}

} // namespace
} // namespace kestrin::test
