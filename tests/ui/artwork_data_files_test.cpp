#include "artwork_test_support.h"
#include "ui/artwork/about_logo.h"
#include "ui/artwork/chime_sound.h"
#include "ui/artwork/notice_skin.h"
#include "ui/artwork/shipped_files.h"
#include "ui/artwork/tray_icons.h"

#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QImageReader>
#include <QMap>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtMath>

#include <gtest/gtest.h>

namespace kestrin::artwork {
namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// section/key (lower case) -> value, as a private-profile reader sees the file.
QMap<QString, QString> iniValues(const QString& text)
{
    QMap<QString, QString> values;
    QString section;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).toLower();
        } else if (!line.startsWith(QLatin1Char(';')) && line.contains(QLatin1Char('='))) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            values.insert(section + QLatin1Char('/') + line.left(equals).trimmed().toLower(),
                          line.mid(equals + 1).trimmed());
        }
    }
    return values;
}

QRect iniRect(const QMap<QString, QString>& ini, const QString& section)
{
    return QRect(
        ini.value(section + QStringLiteral("/left")).toInt(), ini.value(section + QStringLiteral("/top")).toInt(),
        ini.value(section + QStringLiteral("/width")).toInt(), ini.value(section + QStringLiteral("/height")).toInt());
}

// Strength of one frequency in a stretch of samples (Goertzel).
double toneEnergy(const QList<qint16>& samples, int from, int to, double frequency)
{
    const double coefficient = 2.0 * qCos(2.0 * M_PI * frequency / kChimeSampleRate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (int i = from; i < to; ++i) {
        const double current = samples[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

class ArtworkDataFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::ensureApplication();
        folder_ = new QTemporaryDir();
        QString error;
        ASSERT_TRUE(writeShippedData(folder_->path(), &error)) << error.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }
    static QString path(const QString& relative) { return inFolder(folder_->path(), relative); }

    static QTemporaryDir* folder_;
};

QTemporaryDir* ArtworkDataFiles::folder_ = nullptr;

TEST_F(ArtworkDataFiles, EveryIconFileHoldsTheFourSizes)
{
    QStringList files = {scanStartIconFile(), updateIconFile()};
    for (int number = 0; number < kTrayIconCount; ++number) {
        files << trayIconFile(number);
    }
    for (int step = 0; step < kScanStepCount; ++step) {
        files << scanIconFile(step);
    }
    EXPECT_EQ(files.size(), 25);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        QImageReader reader(path(file));
        ASSERT_EQ(reader.imageCount(), 4);
        QList<int> sides;
        for (int i = 0; i < reader.imageCount(); ++i) {
            reader.jumpToImage(i);
            const QImage image = reader.read();
            EXPECT_EQ(image.width(), image.height());
            EXPECT_TRUE(image.hasAlphaChannel());
            sides << image.width();
        }
        EXPECT_EQ(sides, iconSides());
    }
    // The tray takes a QIcon made from the file; it must offer every size.
    const QList<QSize> offered = QIcon(path(trayIconFile(0))).availableSizes();
    for (int side : iconSides()) {
        EXPECT_TRUE(offered.contains(QSize(side, side))) << side;
    }
    EXPECT_EQ(trayIconFile(14), QStringLiteral("data/tray14.ico"));
    EXPECT_EQ(scanIconFile(0), QStringLiteral("data/scan0.ico"));
}

TEST_F(ArtworkDataFiles, LogoIsATwentyFourBitBitmapOfTheBannerSize)
{
    const QByteArray bytes = readAll(path(logoFile()));
    ASSERT_GT(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    const QImage logo(path(logoFile()));
    EXPECT_EQ(logo.size(), kLogoSize);
    // Not a blank banner: the name is written in dark ink on a light ground.
    int dark = 0;
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            dark += qGray(logo.pixel(x, y)) < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 300);
}

TEST_F(ArtworkDataFiles, ChimeIsAShortMonoSixteenBitWaveOfTwoTones)
{
    const QByteArray wav = readAll(path(newMailSoundFile()));
    ASSERT_GE(wav.size(), 44);
    EXPECT_TRUE(wav.startsWith("RIFF"));
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 4), static_cast<quint32>(wav.size() - 8));
    EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 20), 1); // PCM
    EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 22), 1); // mono
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 22050U);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 28), 44100U);
    EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 32), 2);
    EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 34), 16);
    EXPECT_EQ(wav.mid(36, 4), QByteArray("data"));
    const quint32 dataBytes = qFromLittleEndian<quint32>(wav.constData() + 40);
    EXPECT_EQ(dataBytes, static_cast<quint32>(wav.size() - 44));
    const double seconds = dataBytes / 2.0 / 22050.0;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 1.0);

    const QList<qint16> samples = chimeSamples();
    ASSERT_EQ(static_cast<quint32>(samples.size()) * 2U, dataBytes);
    EXPECT_EQ(samples.last(), 0); // no click at the end
    EXPECT_LT(qAbs(samples.first()), 500);
    qint16 peak = 0;
    for (qint16 s : samples) {
        peak = std::max<qint16>(peak, static_cast<qint16>(qAbs(s)));
    }
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32767);
    // First the lower note alone, then the higher one rings out over it.
    const int early = 22050 / 8;
    EXPECT_GT(toneEnergy(samples, 0, early, 659.25), 20.0 * toneEnergy(samples, 0, early, 880.0));
    EXPECT_GT(toneEnergy(samples, 4000, 4000 + early, 880.0), toneEnergy(samples, 4000, 4000 + early, 659.25));
}

TEST_F(ArtworkDataFiles, SkinPlacesButtonsAndTextLinesOnItsBackground)
{
    const QMap<QString, QString> ini = iniValues(QString::fromUtf8(readAll(path(defaultSkinFile()))));
    const QString background = ini.value(QStringLiteral("window/background"));
    ASSERT_FALSE(background.isEmpty());
    EXPECT_EQ(background, background.toLower());
    const QImage picture(path(QStringLiteral("skins/") + background));
    ASSERT_FALSE(picture.isNull());
    const QRect whole(QPoint(0, 0), picture.size());
    EXPECT_EQ(ini.value(QStringLiteral("window/width")).toInt(), picture.width());
    EXPECT_EQ(ini.value(QStringLiteral("window/height")).toInt(), picture.height());
    // The notice keeps the position the user dragged it to.
    EXPECT_FALSE(ini.contains(QStringLiteral("window/left")));
    EXPECT_FALSE(ini.contains(QStringLiteral("window/top")));

    const QRect open = iniRect(ini, QStringLiteral("button1"));
    const QRect close = iniRect(ini, QStringLiteral("button2"));
    const QRect sender = iniRect(ini, QStringLiteral("message1"));
    const QRect subject = iniRect(ini, QStringLiteral("message2"));
    for (const QRect& area : {open, close, sender, subject}) {
        EXPECT_FALSE(area.isEmpty());
        EXPECT_TRUE(whole.contains(area));
    }
    EXPECT_FALSE(open.intersects(close));
    EXPECT_FALSE(sender.intersects(subject));
    for (const QRect& button : {open, close}) {
        EXPECT_FALSE(button.intersects(sender) || button.intersects(subject));
    }

    // Key colour only outside the rounded body: the corners are see-through,
    // every click area and text line is solid.
    ASSERT_EQ(ini.value(QStringLiteral("window/transparent")), QStringLiteral("1"));
    const QRgb key = qRgb(ini.value(QStringLiteral("window/transparentr")).toInt(),
                          ini.value(QStringLiteral("window/transparentg")).toInt(),
                          ini.value(QStringLiteral("window/transparentb")).toInt());
    EXPECT_EQ(picture.pixel(0, 0), key);
    EXPECT_EQ(picture.pixel(picture.width() - 1, picture.height() - 1), key);
    for (const QRect& area : {open, close, sender, subject}) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                ASSERT_NE(picture.pixel(x, y), key) << x << "," << y;
            }
        }
    }
}

TEST_F(ArtworkDataFiles, SkinTextLinesNameAnInstalledFontAndAReadableColour)
{
    const QMap<QString, QString> ini = iniValues(noticeSkinIni(defaultNoticeSkin()));
    for (const QString& section : {QStringLiteral("message1"), QStringLiteral("message2")}) {
        SCOPED_TRACE(section.toStdString());
        EXPECT_TRUE(QFontDatabase::families().contains(ini.value(section + QStringLiteral("/fontname"))));
        const int size = ini.value(section + QStringLiteral("/fontsize")).toInt();
        EXPECT_GE(size, 7);
        EXPECT_LE(size, 12);
        // The label's height must hold a line of that size (points at 96 dpi).
        EXPECT_GE(ini.value(section + QStringLiteral("/height")).toInt(), qCeil(size * 96.0 / 72.0));
        const QStringList rgb = ini.value(section + QStringLiteral("/fontcolor")).split(QLatin1Char(','));
        ASSERT_EQ(rgb.size(), 3);
        for (const QString& part : rgb) {
            bool ok = false;
            const int value = part.toInt(&ok);
            EXPECT_TRUE(ok && value >= 0 && value <= 255);
        }
        EXPECT_LT(qGray(rgb[0].toInt(), rgb[1].toInt(), rgb[2].toInt()), 128); // dark text on the light body
    }
    EXPECT_EQ(ini.value(QStringLiteral("message1/fontstyle")), QStringLiteral("B"));
}

TEST(ArtworkShippedFiles, WritingFailsWithAReasonWhereNoFolderCanBeMade)
{
    test::ensureApplication();
    QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(writeShippedData(blocker.fileName(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(shippedDataFolder(QStringLiteral("/opt/kestrin/bin")), QStringLiteral("/opt/kestrin/share/kestrin"));
    EXPECT_EQ(inFolder(QStringLiteral("/home/u/kestrin"), defaultSkinFile()),
              QStringLiteral("/home/u/kestrin/skins/kestrin.ini"));
}

} // namespace
} // namespace kestrin::artwork
