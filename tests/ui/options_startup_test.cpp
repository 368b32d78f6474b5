// The settings window at start: its controls show what the session loaded,
// and its tray previews the icons.
#include "options_test_seams.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

TEST(OptionsStartUp, ControlsShowTheLoadedSettingsOrTheDefaults)
{
    {
        OptionsWindowFixture f;
        f.writeOptions({"Min=0", "Sek=3", "MaxRep=1"});
        f.startWindow();
        EXPECT_EQ(f.control<QComboBox>("min")->currentText(), QStringLiteral("1 min"));
        EXPECT_EQ(f.control<QComboBox>("sek")->currentText(), QStringLiteral("30 sek"));
        EXPECT_EQ(f.control<QSlider>("maxrep")->value(), 1);
        EXPECT_EQ(f.control<QLabel>("maxrep_lab")->text(), QStringLiteral("10 pozycji"));
        EXPECT_FALSE(f.window->isVisible());
    }
    {
        OptionsWindowFixture f;
        f.startWindow();
        EXPECT_EQ(f.control<QComboBox>("accskip")->currentText(), QStringLiteral("10 cykli"));
        EXPECT_EQ(f.control<QComboBox>("mailwait")->currentText(), QStringLiteral("10 sek"));
        EXPECT_EQ(f.control<QLabel>("maxrep_lab")->text(), QStringLiteral("100 pozycji"));
        EXPECT_EQ(f.control<QLabel>("maxmsg_lab")->text(), QStringLiteral("30 dni"));
        EXPECT_EQ(f.data().settings.mailCheckSkin, f.folder() + "/skins/kestrin.ini");
    }
}

TEST(OptionsStartUp, PreviewsShowTheTrayIconsAndAMissingFileShowsNothingQuietly)
{
    OptionsWindowFixture f;
    f.writeOptions({"NormalTrayIcon=3", "NewMailTrayIcon=7"});
    f.writeTrayIcon(3);
    f.makeWindow();
    f.startUp();

    EXPECT_FALSE(f.control<QLabel>("traynormalview")->pixmap().isNull());
    EXPECT_TRUE(f.control<QLabel>("traynewmailview")->pixmap().isNull());
    EXPECT_TRUE(f.prompter.shown.empty()) << "a missing icon at start-up is no box";
    EXPECT_EQ(f.control<QSlider>("traynewmail")->maximum(), 14);

    // Chosen by the user, a missing icon is a box, in Polish like every box.
    f.control<QSlider>("traynormal")->setValue(5);
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].text,
              QStringLiteral("Nie można odczytać ikony z pliku %1!").arg(f.path(QStringLiteral("data/tray5.ico"))));
}

} // namespace
} // namespace kestrin::test
