#include "platform/desktop/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(Autostart, EntryIsWrittenAsAKeyFileAndRemovedWhenSwitchedOff)
{
    QTemporaryDir config;
    XdgAutostart autostart(config.path());
    const QString program = QStringLiteral("/opt/kestrin 1/bin/kestrin");
    autostart.setEnabled(true, program, {QStringLiteral("--home"), QStringLiteral("/home/ala/poczta \"50%\"")});

    ASSERT_TRUE(QFile::exists(autostart.entryPath()));
    const QString text = readAll(autostart.entryPath());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nName=Kestrin sweeper\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    // Quotes protect the blank; the quote inside takes a backslash, which the
    // key file escapes once more; % is doubled.
    EXPECT_TRUE(text.contains(
        QStringLiteral("Exec=\"/opt/kestrin 1/bin/kestrin\" \"--home\" \"/home/ala/poczta \\\\\"50%%\\\\\"\"\n")))
        << text.toStdString();

    autostart.setEnabled(true, program, {}); // rewriting replaces, never appends
    EXPECT_EQ(readAll(autostart.entryPath()).count(QStringLiteral("Exec=")), 1);

    autostart.setEnabled(false, program, {});
    EXPECT_FALSE(QFile::exists(autostart.entryPath()));
    EXPECT_NO_THROW(autostart.setEnabled(false, program, {})) << "removing a missing entry is no error";
}

TEST(Autostart, UnwritableFolderIsReported)
{
    QTemporaryDir config;
    // A file where the autostart folder should be.
    QFile blocker(config.path() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    XdgAutostart autostart(config.path());
    EXPECT_THROW(autostart.setEnabled(true, QStringLiteral("/usr/bin/kestrin"), {}), std::runtime_error);
}

// The text goes to a message box as it is: Polish, the program's sentence
// ending in "!" first, the system's reason (when there is one) after it.
TEST(Autostart, FailuresAreReportedInPolish)
{
    struct Case {
        const char* blocker; // made a folder, or a file when it ends without "/"
        bool enabled;
        const char* sentence; // "%1" = the path named
        const char* named;
    };
    const Case cases[] = {
        {"autostart", true, "Nie można utworzyć folderu autostartu \"%1\"!", "autostart"},
        {"autostart/kestrin.desktop/", true, "Nie można zapisać pliku autostartu \"%1\"!", "autostart/kestrin.desktop"},
        {"autostart/kestrin.desktop/inside", false, "Nie można usunąć pliku autostartu \"%1\"!",
         "autostart/kestrin.desktop"},
    };
    for (const Case& c : cases) {
        QTemporaryDir config;
        const QString blocker = config.filePath(QString::fromUtf8(c.blocker));
        QDir().mkpath(QFileInfo(blocker).path());
        if (blocker.endsWith(QLatin1Char('/')))
            QDir().mkpath(blocker);
        else
            QFile(blocker).open(QIODevice::WriteOnly);
        XdgAutostart autostart(config.path());
        try {
            autostart.setEnabled(c.enabled, QStringLiteral("/usr/bin/kestrin"), {});
            ADD_FAILURE() << c.blocker << ": no error";
        } catch (const std::runtime_error& e) {
            const QString text = QString::fromUtf8(e.what());
            const QString sentence = QString::fromUtf8(c.sentence).arg(config.filePath(QString::fromUtf8(c.named)));
            EXPECT_TRUE(text.startsWith(sentence)) << e.what();
            EXPECT_TRUE(text == sentence || text.startsWith(sentence + QStringLiteral("\r\n"))) << e.what();
        }
    }
}

} // namespace
} // namespace kestrin::test
