// A broken icon file is told of in the program's words.
#include "ui/common/tray_icon_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

namespace kestrin::test {
namespace {

TEST(TrayIconFiles, UnusableFileIsToldOfInPolish)
{
    QTemporaryDir folder;
    const QString notAnIcon = folder.filePath(QStringLiteral("tray1.ico"));
    QFile file(notAnIcon);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not an icon");
    file.close();
    const std::pair<QString, QString> cases[] = {
        {folder.filePath(QStringLiteral("tray0.ico")), QStringLiteral("Nie można otworzyć pliku \"%1\"!\r\n")},
        {notAnIcon, QStringLiteral("Nie można odczytać ikony z pliku \"%1\"!\r\n")},
    };
    for (const auto& [path, sentence] : cases) {
        try {
            ui::loadIconFile(path);
            ADD_FAILURE() << path.toStdString() << ": no error";
        } catch (const std::runtime_error& e) {
            const QString text = QString::fromUtf8(e.what());
            EXPECT_TRUE(text.startsWith(sentence.arg(path))) << e.what();
            EXPECT_GT(text.size(), sentence.arg(path).size()) << "the reason follows";
        }
    }
}

} // namespace
} // namespace kestrin::test
