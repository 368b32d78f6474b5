#include "ui/artwork/shipped_files.h"

#include "ui/artwork/about_logo.h"
#include "ui/artwork/chime_sound.h"
#include "ui/artwork/ico_file.h"
#include "ui/artwork/notice_skin.h"
#include "ui/artwork/tray_icons.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>

#include <functional>

namespace kestrin::artwork {

namespace {

QString numbered(const QString& stem, int number)
{
    return QStringLiteral("data/%1%2.ico").arg(stem).arg(number);
}

QByteArray iconFile(const std::function<QImage(int)>& draw)
{
    QList<QImage> images;
    for (int side : iconSides()) {
        images.append(draw(side));
    }
    return encodeIco(images);
}

QByteArray bitmapFile(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // An opaque 32-bit image is stored by Qt as a 24-bit bitmap.
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error != nullptr) {
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        }
        return false;
    }
    return true;
}

bool makeFolders(const QString& root, QString* error)
{
    for (const QString& sub : {QStringLiteral("data"), QStringLiteral("skins")}) {
        if (!QDir().mkpath(inFolder(root, sub))) {
            if (error != nullptr) {
                *error = QStringLiteral("cannot create %1").arg(inFolder(root, sub));
            }
            return false;
        }
    }
    return true;
}

bool writeIcons(const QString& root, QString* error)
{
    for (int number = 0; number < kTrayIconCount; ++number) {
        if (!writeFile(inFolder(root, trayIconFile(number)),
                       iconFile([number](int side) { return trayIconImage(number, side); }), error)) {
            return false;
        }
    }
    for (int step = 0; step < kScanStepCount; ++step) {
        if (!writeFile(inFolder(root, scanIconFile(step)),
                       iconFile([step](int side) { return scanIconImage(step, side); }), error)) {
            return false;
        }
    }
    return writeFile(inFolder(root, scanStartIconFile()), iconFile(scanStartIconImage), error) &&
           writeFile(inFolder(root, updateIconFile()), iconFile(updateIconImage), error);
}

bool writeSkin(const QString& root, QString* error)
{
    const NoticeSkin skin = defaultNoticeSkin();
    return writeFile(inFolder(root, QStringLiteral("skins/") + skin.backgroundFile),
                     bitmapFile(noticeSkinBackground(skin)), error) &&
           writeFile(inFolder(root, defaultSkinFile()), noticeSkinIni(skin).toUtf8(), error);
}

} // namespace

QString trayIconFile(int number)
{
    return numbered(QStringLiteral("tray"), number);
}

QString scanIconFile(int step)
{
    return numbered(QStringLiteral("scan"), step);
}

QString scanStartIconFile()
{
    return QStringLiteral("data/scan.ico");
}

QString updateIconFile()
{
    return QStringLiteral("data/update.ico");
}

QString newMailSoundFile()
{
    return QStringLiteral("data/newmail.wav");
}

QString logoFile()
{
    return QStringLiteral("data/logo.bmp");
}

QString defaultSkinFile()
{
    return QStringLiteral("skins/kestrin.ini");
}

QString inFolder(const QString& folder, const QString& relativeFile)
{
    return folder + QLatin1Char('/') + relativeFile;
}

QString shippedDataFolder(const QString& executableFolder)
{
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/kestrin"));
}

bool writeShippedData(const QString& root, QString* error)
{
    return makeFolders(root, error) && writeIcons(root, error) &&
           writeFile(inFolder(root, newMailSoundFile()), encodeWav(chimeSamples(), kChimeSampleRate), error) &&
           writeFile(inFolder(root, logoFile()), bitmapFile(logoImage()), error) && writeSkin(root, error);
}

} // namespace kestrin::artwork
