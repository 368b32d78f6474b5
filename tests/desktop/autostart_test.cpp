#include "platform/desktop/autostart.h"

#include <QFile>
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

} // namespace
} // namespace kestrin::test
