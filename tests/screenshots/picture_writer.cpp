#include "picture_writer.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace kestrin::shots {
namespace {

const QColor kFrameColour(52, 66, 86);
constexpr int kIconSide = 16;
constexpr int kTitleMargin = 6;

// Polish letters without their marks; "ł" has no decomposition of its own.
QChar baseLetter(QChar letter)
{
    if (letter == QChar(0x0142))
        return QLatin1Char('l');
    const QString decomposed = QString(letter).normalized(QString::NormalizationForm_D);
    return decomposed.isEmpty() ? letter : decomposed.at(0);
}

void drawTitleBar(QPainter& painter, const QWidget& widget, int width, int height)
{
    painter.fillRect(0, 0, width, height, kFrameColour);
    int x = kTitleMargin;
    const QIcon icon = widget.windowIcon();
    if (!icon.isNull()) {
        painter.drawPixmap(x, (height - kIconSide) / 2, icon.pixmap(kIconSide, kIconSide));
        x += kIconSide + kTitleMargin;
    }
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(x, 0, width - x - kTitleMargin, height), Qt::AlignVCenter | Qt::AlignLeft,
                     widget.windowTitle());
}

} // namespace

QString asciiFileName(const QString& title)
{
    QString name;
    for (const QChar character : title.toLower()) {
        const QChar letter = baseLetter(character);
        if ((letter >= QLatin1Char('a') && letter <= QLatin1Char('z')) ||
            (letter >= QLatin1Char('0') && letter <= QLatin1Char('9')))
            name.append(letter);
        else if (!name.isEmpty() && !name.endsWith(QLatin1Char('-')))
            name.append(QLatin1Char('-'));
    }
    while (name.endsWith(QLatin1Char('-')))
        name.chop(1);
    return name;
}

bool PictureWriter::window(QWidget& widget, const QString& name)
{
    const QPixmap content = widget.grab();
    const int titleHeight = QFontMetrics(QApplication::font()).height() + 2 * kTitleMargin;
    QImage picture(content.width() + 2, content.height() + titleHeight + 1, QImage::Format_RGB32);
    picture.fill(kFrameColour);
    {
        QPainter painter(&picture);
        drawTitleBar(painter, widget, picture.width(), titleHeight);
        painter.drawPixmap(1, titleHeight, content);
    }
    return save(picture, name);
}

bool PictureWriter::popup(QWidget& widget, const QString& name)
{
    return save(widget.grab().toImage(), name);
}

bool PictureWriter::save(const QImage& picture, const QString& name)
{
    const QString path = QDir(folder_).filePath(name + QStringLiteral(".png"));
    if (picture.isNull() || !picture.save(path, "PNG")) {
        failed_.append(path);
        return false;
    }
    written_.append(path);
    return true;
}

} // namespace kestrin::shots
