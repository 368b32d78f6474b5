// The main window as the user sees it: every page with its texts whole and no
// control over another, the toolbar without an overflow button. With
// KESTRIN_SHOTS_DIR set, each page is also written there as a PNG to look at.
#include "main_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

// Controls showing text that are cut: narrower than their text needs.
QStringList clippedTexts(const QWidget* area)
{
    QStringList clipped;
    for (const QWidget* widget : area->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        const auto* label = qobject_cast<const QLabel*>(widget);
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        const bool hasText =
            (label != nullptr && !label->text().isEmpty()) || (button != nullptr && !button->text().isEmpty());
        if (hasText &&
            (widget->width() < widget->sizeHint().width() || widget->height() < widget->minimumSizeHint().height()))
            clipped.append(widget->objectName());
    }
    return clipped;
}

// Pairs of visible sibling controls whose rectangles cross.
QStringList overlaps(const QWidget* area)
{
    QStringList found;
    const QList<QWidget*> widgets = area->findChildren<QWidget*>();
    for (const QWidget* a : widgets) {
        for (const QWidget* b : widgets) {
            if (a >= b || a->parentWidget() != b->parentWidget() || !a->isVisible() || !b->isVisible())
                continue;
            if (a->geometry().intersects(b->geometry()))
                found.append(a->objectName() + QLatin1Char('/') + b->objectName());
        }
    }
    return found;
}

TEST(MainLayout, EveryPageShowsItsTextsWholeWithoutOverlaps)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate()); // no notification area here: the window shows
    ASSERT_TRUE(form.isVisible());
    const QString shots = qEnvironmentVariable("KESTRIN_SHOTS_DIR");
    if (!shots.isEmpty())
        QDir().mkpath(shots);
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pages"));
    ASSERT_NE(pages, nullptr);

    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        QWidget* page = pages->currentWidget();
        EXPECT_TRUE(clippedTexts(page).isEmpty())
            << pages->tabText(i).toStdString() << ": " << clippedTexts(page).join(QStringLiteral(", ")).toStdString();
        EXPECT_TRUE(overlaps(page).isEmpty()) << overlaps(page).join(QStringLiteral(", ")).toStdString();
        if (!shots.isEmpty())
            form.grab().save(QStringLiteral("%1/main-%2-%3.png").arg(shots).arg(i).arg(page->objectName()));
    }
    // Every tab title whole and in view.
    const QTabBar* tabs = pages->tabBar();
    for (int i = 0; i < pages->count(); ++i) {
        EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << pages->tabText(i).toStdString();
        EXPECT_GT(tabs->tabRect(i).width(), tabs->fontMetrics().horizontalAdvance(pages->tabText(i)))
            << pages->tabText(i).toStdString();
    }
    EXPECT_TRUE(clippedTexts(form.statusBar()).isEmpty());
    const auto* extension = form.findChild<QToolBar*>(QStringLiteral("toolbar"))
                                ->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    EXPECT_TRUE(extension == nullptr || !extension->isVisible());
    // Centred at its first showing.
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_LE((form.geometry().center() - screen.center()).manhattanLength(), 4);
    // A fixed size: what the layout asked for with every page built.
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
}

} // namespace
} // namespace kestrin::test
