// The desktop's mail program, found in real desktop files and program files
// below a temporary folder.
#include "platform/desktop/desktop_entry.h"
#include "platform/desktop/mail_program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

QByteArray entry(const QByteArray& exec)
{
    return "[Desktop Entry]\nType=Application\nName=Poczta\n" + exec + "\n";
}

TEST(MailProgram, PlacesFollowTheEnvironmentOrItsDefaults)
{
    const DesktopPlaces defaults = desktopPlaces({}, {}, QStringLiteral("/home/ala"), QStringLiteral("/bin::/usr/bin"));
    EXPECT_EQ(defaults.applicationFolders, QStringList({QStringLiteral("/home/ala/.local/share/applications"),
                                                        QStringLiteral("/usr/local/share/applications"),
                                                        QStringLiteral("/usr/share/applications")}));
    EXPECT_EQ(defaults.executableFolders, QStringList({QStringLiteral("/bin"), QStringLiteral("/usr/bin")}));

    const DesktopPlaces given =
        desktopPlaces(QStringLiteral("/d"), QStringLiteral("/s1:/s2"), QStringLiteral("/home/ala"), QString());
    EXPECT_EQ(given.applicationFolders,
              QStringList({QStringLiteral("/d/applications"), QStringLiteral("/s1/applications"),
                           QStringLiteral("/s2/applications")}));
    EXPECT_TRUE(given.executableFolders.isEmpty());
}

TEST(MailProgram, ExecValueGivesItsProgram)
{
    const std::pair<const char*, const char*> cases[] = {
        {"thunderbird %u", "thunderbird"},
        {"  evolution   %U --component=mail", "evolution"},
        {"%u mutt", "mutt"},
        {"\"/opt/My Mail/poczta\" -compose %u", "/opt/My Mail/poczta"},
        {"\"/opt/a\\\"b\\\\c\" %f", "/opt/a\"b\\c"},
        {"rabat%%", "rabat%"},
        {"%U", ""},
        {"", ""},
    };
    for (const auto& [exec, program] : cases)
        EXPECT_EQ(execProgram(QString::fromUtf8(exec)), QString::fromUtf8(program)) << exec;
}

class DesktopEntryTest : public ::testing::Test {
protected:
    QString user() const { return folder.filePath(QStringLiteral("user/applications")); }
    QString system() const { return folder.filePath(QStringLiteral("system/applications")); }
    QString bin() const { return folder.filePath(QStringLiteral("bin")); }
    DesktopPlaces places() const { return {{user(), system()}, {folder.filePath(QStringLiteral("none")), bin()}}; }

    QTemporaryDir folder;
};

TEST_F(DesktopEntryTest, EntryLeadsToTheAbsolutePathOfItsProgram)
{
    writeFile(bin() + QStringLiteral("/poczta"), "#!/bin/sh\n", true);
    writeFile(bin() + QStringLiteral("/moja poczta"), "#!/bin/sh\n", true);
    writeFile(bin() + QStringLiteral("/tekst"), "not a program\n");
    const QString absolute = bin() + QStringLiteral("/poczta");
    writeFile(system() + QStringLiteral("/plain.desktop"), entry("Exec=poczta %u"));
    writeFile(system() + QStringLiteral("/kde4/kmail.desktop"), entry("Exec = poczta -compose %u"));
    writeFile(system() + QStringLiteral("/escaped.desktop"), entry("Exec=\"moja\\spoczta\" %u"));
    writeFile(system() + QStringLiteral("/absolute.desktop"), entry("Exec=\"" + absolute.toUtf8() + "\" %U"));
    writeFile(system() + QStringLiteral("/actions.desktop"),
              "[Desktop Action compose]\nExec=tekst\n[Desktop Entry]\nName=P\nExec=poczta\n");
    writeFile(system() + QStringLiteral("/shadowed.desktop"), entry("Exec=poczta"));
    writeFile(user() + QStringLiteral("/shadowed.desktop"), entry("Exec=\"moja\\spoczta\" %u"));
    writeFile(system() + QStringLiteral("/unlisted.desktop"), entry("Exec=nie-ma-takiego"));
    writeFile(system() + QStringLiteral("/not-a-program.desktop"), entry("Exec=tekst"));
    writeFile(system() + QStringLiteral("/no-exec.desktop"), "[Desktop Entry]\nName=P\n");
    writeFile(system() + QStringLiteral("/action-only.desktop"), "[Desktop Action x]\nExec=poczta\n");
    const std::pair<const char*, QString> cases[] = {
        {"plain.desktop", absolute},
        {"kde4-kmail.desktop", absolute},
        {"escaped.desktop", bin() + QStringLiteral("/moja poczta")},
        {"absolute.desktop", absolute},
        {"actions.desktop", absolute},
        {"shadowed.desktop", bin() + QStringLiteral("/moja poczta")},
        {"unlisted.desktop", QString()},
        {"not-a-program.desktop", QString()},
        {"no-exec.desktop", QString()},
        {"action-only.desktop", QString()},
        {"missing.desktop", QString()},
    };
    for (const auto& [id, program] : cases)
        EXPECT_EQ(desktopEntryProgram(QString::fromUtf8(id), places()), program) << id;
}

TEST_F(DesktopEntryTest, BareNameIsNotLookedForWithoutExecutableFolders)
{
    writeFile(system() + QStringLiteral("/sh.desktop"), entry("Exec=sh"));
    EXPECT_EQ(desktopEntryProgram(QStringLiteral("sh.desktop"), {{system()}, {}}), QString())
        << "not in this process's own PATH either";
    EXPECT_EQ(desktopEntryProgram(QStringLiteral("sh.desktop"), {{system()}, {QStringLiteral("/bin")}}),
              QStringLiteral("/bin/sh"));
}

} // namespace
} // namespace kestrin::test
