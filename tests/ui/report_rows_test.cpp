// The report's rows painted into an image and read back at the places the
// drawing rules name: backgrounds by kind, parity and selection, the frame,
// the state pictures, bold new rows, the deleted colour and the second line.
#include "main_test_support.h"

#include "ui/artwork/glyphs.h"
#include "ui/pages/report_list_model.h"
#include "ui/pages/report_row_delegate.h"

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

constexpr int kWidth = 700;

std::string mailLine(const std::string& actions, const std::string& deleteMark, const std::string& bayesMark)
{
    return "mail|<1@x>|\xA6|2025-01-13 / 08:00:00|\xA6|" + actions +
           "|\xA6|-|\xA6|Konto|\xA6|Ala Nowak|\xA6|ala@example.com|\xA6|Spotkanie w sprawie|\xA6|3 kb|\xA6|x|\xA6|" +
           deleteMark + "|\xA6|" + bayesMark;
}

class ReportRows : public ::testing::Test {
protected:
    // Paints line as row `row` of the list into a fresh image.
    QImage paint(const std::string& line, int row, bool selected = false, ui::ReportRowStyle style = {})
    {
        QStandardItemModel model(row + 1, 1);
        model.setData(model.index(row, 0), QByteArray::fromStdString(line), ui::ReportListModel::LineRole);
        ui::ReportRowDelegate delegate;
        delegate.setStyle(style);
        const int height = style.advanced ? ui::kAdvancedRowHeight : ui::kSimpleRowHeight;
        QImage image(kWidth, height, QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, kWidth, height);
        option.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
        delegate.paint(&painter, option, model.index(row, 0));
        return image;
    }
    // Whether the glyph stands at (x, y): its opaque pixels are there.
    static bool glyphAt(const QImage& image, int glyph, int x, int y)
    {
        const QImage picture = artwork::glyphImage(glyph).convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int py = 0; py < picture.height(); ++py)
            for (int px = 0; px < picture.width(); ++px)
                if (qAlpha(picture.pixel(px, py)) == 255) {
                    ++opaque;
                    if (image.pixel(x + px, y + py) != picture.pixel(px, py))
                        return false;
                }
        return opaque > 0;
    }
    // Pixels in the rectangle close to the colour.
    static int inkPixels(const QImage& image, const QRect& area, const QColor& ink)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - ink.red()) < 40 && std::abs(c.green() - ink.green()) < 40 &&
                    std::abs(c.blue() - ink.blue()) < 40)
                    ++count;
            }
        return count;
    }
};

TEST_F(ReportRows, BackgroundsByKindParityAndSelection)
{
    struct Case {
        std::string line;
        int row;
        bool selected;
        QColor background;
    };
    const Case cases[] = {
        {mailLine("", "0", "0"), 0, false, {255, 255, 255}}, {mailLine("", "0", "0"), 1, false, {250, 250, 250}},
        {mailLine("", "0", "0"), 1, true, {215, 235, 255}},  {"error|Brak sieci", 0, false, {255, 245, 240}},
        {"error|Brak sieci", 3, true, {250, 240, 235}},      {"run|Uruchomienie", 2, false, {240, 245, 255}},
        {"run|Uruchomienie", 1, false, {235, 240, 250}},     {"inny|cokolwiek", 1, false, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        const QImage image = paint(c.line, c.row, c.selected);
        EXPECT_EQ(image.pixelColor(kWidth - 60, 30), c.background) << c.line << " row " << c.row;
        const bool framed = c.selected && c.line.starts_with("mail");
        EXPECT_EQ(image.pixelColor(0, 0) == QColor(16, 64, 128), framed) << c.line;
        EXPECT_EQ(image.pixelColor(kWidth - 1, 37) == QColor(16, 64, 128), framed) << c.line;
    }
}

TEST_F(ReportRows, StatePictures)
{
    struct Case {
        std::string line;
        std::vector<std::array<int, 3>> present; // glyph, x, y
        std::vector<std::array<int, 3>> absent;
    };
    const Case cases[] = {
        {mailLine("ad", "0", "0"), {{8, 2, 2}, {7, 20, 2}}, {{10, 2, 2}}},
        {mailLine("sr", "0", "0"), {{17, 2, 20}, {18, 20, 20}}, {{8, 2, 2}}},
        {mailLine("", "0", "0"), {{10, 2, 2}}, {}},
        {mailLine("ad", "1", "2"), {{20, 18, 2}, {23, 2, 2}}, {{8, 2, 2}}},
        {mailLine("", "0", "1"), {{22, 2, 2}}, {{10, 2, 2}}},
        {"error|Brak sieci", {{9, 2, 2}}, {}},
        {"run|Start", {{5, 2, 2}}, {}},
    };
    for (const Case& c : cases) {
        const QImage image = paint(c.line, 0);
        for (const auto& [glyph, x, y] : c.present)
            EXPECT_TRUE(glyphAt(image, glyph, x, y)) << c.line << " glyph " << glyph;
        for (const auto& [glyph, x, y] : c.absent)
            EXPECT_FALSE(glyphAt(image, glyph, x, y)) << c.line << " glyph " << glyph;
    }
}

TEST_F(ReportRows, TextsBoldNewRowsDeletedColourAndTheSecondLine)
{
    const QRect sender(42, 0, 200, 18);
    ui::ReportRowStyle style;
    style.deletedColor = QColor(255, 0, 0);
    const int plainInk = inkPixels(paint(mailLine("a", "0", "0"), 1, false, style), sender, Qt::black);
    style.newEntryCount = 2;
    const int boldInk = inkPixels(paint(mailLine("a", "0", "0"), 1, false, style), sender, Qt::black);
    EXPECT_GT(boldInk, plainInk * 11 / 10) << "rows below the new-entry count are bold";
    style.newEntryCount = 0;

    EXPECT_GT(inkPixels(paint(mailLine("ad", "0", "0"), 0, false, style), sender, QColor(255, 0, 0)), 20);
    EXPECT_EQ(inkPixels(paint(mailLine("a", "0", "0"), 0, false, style), sender, QColor(255, 0, 0)), 0);
    EXPECT_GT(inkPixels(paint(mailLine("ad", "0", "0"), 0, true, style), sender, QColor(16, 64, 128)), 20)
        << "the selected row's ink wins over the deleted colour";
    EXPECT_GT(inkPixels(paint("error|Brak sieci", 0), QRect(42, 0, 540, 18), QColor(255, 64, 0)), 20);
    EXPECT_GT(inkPixels(paint("run|Uruchomienie", 0), QRect(42, 0, 540, 18), QColor(0, 64, 128)), 20);

    // The size ends two pixels before the right edge; the advanced view's
    // second line carries the date, account and cause pictures.
    const QImage advanced = paint(mailLine("a", "0", "0"), 0, false, style);
    EXPECT_GT(inkPixels(advanced, QRect(kWidth - 40, 0, 38, 18), Qt::black), 5);
    EXPECT_EQ(inkPixels(advanced, QRect(kWidth - 2, 0, 2, 18), Qt::black), 0);
    for (const auto& [glyph, x] : {std::pair{21, 42}, std::pair{3, 202}, std::pair{1, 362}})
        EXPECT_TRUE(glyphAt(advanced, glyph, x, 20)) << glyph;
    style.advanced = false;
    const QImage simple = paint(mailLine("a", "0", "0"), 0, false, style);
    EXPECT_EQ(simple.height(), ui::kSimpleRowHeight);
    EXPECT_TRUE(glyphAt(simple, 8, 2, 2));
}

} // namespace
} // namespace kestrin::test
