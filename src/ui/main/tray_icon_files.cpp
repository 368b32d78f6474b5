#include "ui/main/tray_icon_files.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include <stdexcept>

namespace kestrin::ui {
namespace {

QString dataFile(const std::string& programFolder, const QString& name)
{
    return QString::fromStdString(programFolder) + QStringLiteral("/data/") + name;
}

} // namespace

QString trayIconPath(const std::string& programFolder, int number)
{
    return dataFile(programFolder, QStringLiteral("tray%1.ico").arg(number));
}

QString scanIconPath(const std::string& programFolder, int step)
{
    return dataFile(programFolder, QStringLiteral("scan%1.ico").arg(step));
}

QString scanStartIconPath(const std::string& programFolder)
{
    return dataFile(programFolder, QStringLiteral("scan.ico"));
}

QString updateIconPath(const std::string& programFolder)
{
    return dataFile(programFolder, QStringLiteral("update.ico"));
}

int scanIconNumber(uint8_t percent)
{
    const int clamped = percent > 100 ? 100 : percent;
    return (clamped * 7 + 99) / 100;
}

QIcon loadIconFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Nie można otworzyć pliku \"%1\": %2").arg(path, file.errorString()).toStdString());
    QIcon icon;
    QImageReader reader(&file, "ico");
    // Every size the file holds, so the tray can pick the one it draws.
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        icon.addPixmap(QPixmap::fromImage(image));
    } while (reader.jumpToNextImage());
    if (icon.isNull())
        throw std::runtime_error(QStringLiteral("Nie można odczytać ikony z pliku \"%1\": %2")
                                     .arg(path, reader.errorString())
                                     .toStdString());
    return icon;
}

QString trayHint(const QString& text)
{
    return text.left(kTrayHintLimit);
}

} // namespace kestrin::ui
