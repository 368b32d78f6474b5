#include "ui/common/tray_icon_files.h"

#include "ui/artwork/shipped_files.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include <stdexcept>

namespace kestrin::ui {
namespace {

QString inProgramFolder(const std::string& programFolder, const QString& relativeFile)
{
    return artwork::inFolder(QFile::decodeName(QByteArray::fromStdString(programFolder)), relativeFile);
}

} // namespace

QString trayIconPath(const std::string& programFolder, int number)
{
    return inProgramFolder(programFolder, artwork::trayIconFile(number));
}

QString scanIconPath(const std::string& programFolder, int step)
{
    return inProgramFolder(programFolder, artwork::scanIconFile(step));
}

QString scanStartIconPath(const std::string& programFolder)
{
    return inProgramFolder(programFolder, artwork::scanStartIconFile());
}

QString updateIconPath(const std::string& programFolder)
{
    return inProgramFolder(programFolder, artwork::updateIconFile());
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
            QStringLiteral("Nie można otworzyć pliku \"%1\"!\r\n%2").arg(path, file.errorString()).toStdString());
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
        throw std::runtime_error(QStringLiteral("Nie można odczytać ikony z pliku \"%1\"!\r\n%2")
                                     .arg(path, reader.errorString())
                                     .toStdString());
    return icon;
}

QString trayHint(const QString& text)
{
    return text.left(kTrayHintLimit);
}

} // namespace kestrin::ui
