#include "ui/artwork/contact_sheet.h"

#include "ui/artwork/artwork_fonts.h"
#include "ui/artwork/glyphs.h"
#include "ui/artwork/notice_skin.h"
#include "ui/artwork/shipped_files.h"
#include "ui/artwork/tray_icons.h"

#include <QImageReader>
#include <QPainter>

namespace kestrin::artwork {

namespace {

constexpr int kSheetWidth = 980;
constexpr int kMargin = 16;
constexpr int kGlyphZoom = 4;
const QColor kLegendGrey(225, 225, 225);

// The image of the given side inside an .ico file, or a null image.
QImage iconAt(const QString& path, int side)
{
    QImageReader reader(path);
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        const QImage image = reader.read();
        if (image.width() == side) {
            return image;
        }
    }
    return {};
}

// The skin as the notice will show it, its two text lines filled in the fonts
// the skin names (points at 96 dpi), to judge whether they fit.
QImage withSampleTexts(const QImage& background)
{
    QImage shown = background.convertToFormat(QImage::Format_RGB32);
    const NoticeSkin skin = defaultNoticeSkin();
    QPainter painter(&shown);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const SkinTextLine* lines[] = {&skin.sender, &skin.subject};
    const QString samples[] = {QString::fromUtf8("Jan Kowalski <jan.kowalski@example.com>"),
                               QString::fromUtf8("Re: Spotkanie w piątek o 10:00")};
    for (int i = 0; i < 2; ++i) {
        QFont font(lines[i]->fontName);
        font.setPixelSize(qRound(lines[i]->fontSize * 96.0 / 72.0));
        font.setBold(lines[i]->fontStyle.contains(QLatin1Char('B')));
        painter.setFont(font);
        painter.setPen(lines[i]->colour);
        painter.drawText(lines[i]->area, Qt::AlignLeft | Qt::AlignVCenter, samples[i]);
    }
    painter.end();
    return shown;
}

class SheetWriter {
public:
    explicit SheetWriter(QImage& sheet) : painter_(&sheet) { painter_.setRenderHint(QPainter::TextAntialiasing); }

    void heading(const QString& text)
    {
        y_ += 8;
        painter_.setPen(QColor(40, 40, 40));
        painter_.setFont(artworkFont(14, true));
        painter_.drawText(QPoint(kMargin, y_ + 14), text);
        y_ += 22;
    }

    void caption(int x, int y, const QString& text)
    {
        painter_.setPen(QColor(90, 90, 90));
        painter_.setFont(artworkFont(10, false));
        painter_.drawText(QPoint(x, y), text);
    }

    // Nearest-neighbour enlargement, so every real pixel can be judged.
    void glyphGrid()
    {
        const int cell = kGlyphSide * kGlyphZoom + 10;
        const int perRow = 13;
        for (int index = 0; index < glyphCount(); ++index) {
            const int x = kMargin + (index % perRow) * cell;
            const int y = y_ + (index / perRow) * (cell + 14);
            painter_.fillRect(x, y, kGlyphSide * kGlyphZoom, kGlyphSide * kGlyphZoom, QColor(255, 255, 255));
            painter_.drawImage(QPoint(x, y),
                               glyphImage(index).scaled(kGlyphSide * kGlyphZoom, kGlyphSide * kGlyphZoom));
            caption(x, y + cell + 2, QString::number(index));
        }
        y_ += 2 * (cell + 14) + 4;
    }

    // Actual size on the legend grey, on white and on a dark panel.
    void glyphStrips()
    {
        const QColor backgrounds[] = {kLegendGrey, QColor(255, 255, 255), QColor(48, 52, 60)};
        for (const QColor& background : backgrounds) {
            painter_.fillRect(kMargin, y_, glyphCount() * 20 + 4, 20, background);
            for (int index = 0; index < glyphCount(); ++index) {
                painter_.drawImage(QPoint(kMargin + 4 + index * 20, y_ + 2), glyphImage(index));
            }
            y_ += 24;
        }
    }

    void iconRow(const QList<QString>& files, const QList<QString>& labels, const QColor& background)
    {
        const int cell = 48 + 32 + 24 + 16 + 12;
        painter_.fillRect(kMargin - 4, y_ - 4, kSheetWidth - 2 * kMargin + 8, 64, background);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const int x = kMargin + static_cast<int>(i % 7) * cell;
            const int y = y_ + static_cast<int>(i / 7) * 72;
            if (i > 0 && i % 7 == 0) {
                painter_.fillRect(kMargin - 4, y - 4, kSheetWidth - 2 * kMargin + 8, 64, background);
            }
            int left = x;
            for (int side : {48, 32, 24, 16}) {
                painter_.drawImage(QPoint(left, y + 48 - side), iconAt(files[i], side));
                left += side + 4;
            }
            caption(x, y + 58 + 10, labels[i]);
        }
        y_ += static_cast<int>((files.size() + 6) / 7) * 72 + 8;
    }

    // The smallest size, as a tray shows it, enlarged 3x to judge every pixel.
    void zoomedRow(const QList<QString>& files, int side)
    {
        const int shown = side * 3;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const int x = kMargin + static_cast<int>(i) * (shown + 8);
            painter_.fillRect(x, y_, shown, shown, QColor(238, 238, 238));
            painter_.drawImage(QPoint(x, y_), iconAt(files[i], side).scaled(shown, shown));
        }
        y_ += shown + 10;
    }

    void picture(const QImage& image, const QString& label)
    {
        painter_.drawImage(QPoint(kMargin, y_), image);
        caption(kMargin + image.width() + 12, y_ + 14, label);
        y_ += image.height() + 8;
    }

    int bottom() const { return y_; }

private:
    QPainter painter_;
    int y_ = kMargin;
};

int drawSheet(QImage& sheet, const QString& root)
{
    SheetWriter writer(sheet);
    writer.heading(QStringLiteral("glyph list: 0-24, 4x, and actual size on legend grey, white, dark"));
    writer.glyphGrid();
    writer.glyphStrips();
    QList<QString> files;
    QList<QString> labels;
    for (int number = 0; number < kTrayIconCount; ++number) {
        files << inFolder(root, trayIconFile(number));
        labels << QStringLiteral("tray%1%2")
                      .arg(number)
                      .arg(trayIconIsAttention(number) ? QStringLiteral(" (new mail)") : QString());
    }
    writer.heading(QStringLiteral("tray icons 48/32/24/16 (light and dark panel)"));
    writer.iconRow(files, labels, QColor(238, 238, 238));
    writer.iconRow(files.mid(0, 7), labels.mid(0, 7), QColor(40, 44, 52));
    writer.heading(QStringLiteral("tray icons at 16, enlarged 3x"));
    writer.zoomedRow(files, 16);
    files.clear();
    labels.clear();
    for (int step = 0; step < kScanStepCount; ++step) {
        files << inFolder(root, scanIconFile(step));
        labels << QStringLiteral("scan%1").arg(step);
    }
    files << inFolder(root, scanStartIconFile()) << inFolder(root, updateIconFile());
    labels << QStringLiteral("scan") << QStringLiteral("update");
    writer.heading(QStringLiteral("progress, cycle start and update icons"));
    writer.iconRow(files, labels, QColor(238, 238, 238));
    writer.zoomedRow(files, 16);
    writer.heading(QStringLiteral("logo.bmp and the notice skin background"));
    writer.picture(QImage(inFolder(root, logoFile())), QStringLiteral("logo.bmp"));
    const QImage skin(inFolder(root, QStringLiteral("skins/") + defaultNoticeSkin().backgroundFile));
    writer.picture(skin, QStringLiteral("skin background 1x"));
    writer.picture(withSampleTexts(skin).scaled(skin.size() * 2), QStringLiteral("2x, with sample texts"));
    return writer.bottom();
}

} // namespace

QImage contactSheet(const QString& root)
{
    QImage sheet(kSheetWidth, 3000, QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 250));
    const int used = drawSheet(sheet, root);
    return sheet.copy(0, 0, kSheetWidth, used + kMargin);
}

} // namespace kestrin::artwork
