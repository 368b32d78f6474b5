#pragma once
// Writes what a widget draws as a PNG file. A window gets a plain title bar
// with its icon and caption drawn above it, since the offscreen platform has
// no window manager to draw one and the caption is part of what is checked.
#include <QString>
#include <QStringList>

class QImage;
class QWidget;

namespace kestrin::shots {

// "Reguły wiadomości" -> "reguly-wiadomosci": lower-case ASCII letters and
// digits, anything else one hyphen.
QString asciiFileName(const QString& title);

class PictureWriter {
public:
    explicit PictureWriter(QString folder) : folder_(std::move(folder)) {}

    // name without ".png"; false when the file could not be written.
    bool window(QWidget& widget, const QString& name);
    // Without a title bar (a popup menu has none).
    bool popup(QWidget& widget, const QString& name);

    const QStringList& written() const { return written_; }
    const QStringList& failed() const { return failed_; }

private:
    bool save(const QImage& picture, const QString& name);

    QString folder_;
    QStringList written_;
    QStringList failed_;
};

} // namespace kestrin::shots
