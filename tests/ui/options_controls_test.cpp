// The settings window's controls as the live settings store, the file
// choosers, the colour box, the labels and the close box.
#include "options_test_seams.h"

#include "text/cp1250.h"
#include "ui/dialogs/color_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

TEST(OptionsControls, EveryChangeReachesTheSettingsWithoutApply)
{
    OptionsWindowFixture f;
    f.startWindow();
    Settings& s = f.data().settings;

    f.control<QComboBox>("accwait")->setCurrentIndex(7);
    f.control<QComboBox>("smtpsecurity")->setCurrentIndex(2);
    f.control<QCheckBox>("mcsound")->setChecked(false);
    f.control<QCheckBox>("skipnetcheck")->setChecked(true);
    f.control<QSlider>("traynewmail")->setValue(14);
    f.control<QSlider>("maxrep")->setValue(25);
    typeText(f.control<QLineEdit>("smtpuser"), QStringLiteral("żółw"));
    typeText(f.control<QLineEdit>("smtppass"), QStringLiteral("tajne"));

    EXPECT_EQ(s.accWait, 7);
    EXPECT_EQ(s.smtpSecurity, 2);
    EXPECT_FALSE(s.mailCheckSound);
    EXPECT_TRUE(s.skipNetCheck);
    EXPECT_EQ(s.newMailTrayIcon, 14);
    EXPECT_EQ(s.maxRep, 25);
    EXPECT_EQ(f.control<QLabel>("maxrep_lab")->text(), QStringLiteral("250 pozycji"));
    EXPECT_EQ(s.smtpUser, winLiteral("żółw")) << "stored as Windows-1250 bytes";
    EXPECT_EQ(s.smtpPass, "tajne");
    EXPECT_EQ(f.control<QLineEdit>("smtppass")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(f.host.calls.empty()) << "nothing is applied";

    // The limits of the text fields.
    typeText(f.control<QLineEdit>("smtpport"), QStringLiteral("1234567"));
    EXPECT_EQ(s.smtpPort, "25123");
    typeText(f.control<QLineEdit>("smtphost"), QString(300, QLatin1Char('h')));
    EXPECT_EQ(s.smtpHost.size(), 256u);

    // The archive slider moves in steps of 5 days.
    f.control<QSlider>("maxmsg")->setValue(43);
    EXPECT_EQ(s.maxMsg, 45);
    EXPECT_EQ(f.control<QLabel>("maxmsg_lab")->text(), QStringLiteral("45 dni"));
}

TEST(OptionsControls, StoredValuesFillTheControlsAndOnlyWhatTheyCannotHoldIsCorrected)
{
    OptionsWindowFixture f;
    f.writeOptions({"SMTPHost=" + winLiteral("poczta.zażółć.pl"), "SMTPSecurity=1", "Alpha=3", "MaxRep=0", "NetWait=40",
                    "MaxMsg=33", "DelMsgColorR=255", "DelMsgColorG=0", "DelMsgColorB=0", "CAFile=/etc/ca.pem"});
    f.startWindow();

    EXPECT_EQ(f.control<QLineEdit>("smtphost")->text(), QStringLiteral("poczta.zażółć.pl"));
    EXPECT_EQ(f.control<QComboBox>("smtpsecurity")->currentText(), QStringLiteral("SSL/TLS (port 465)"));
    EXPECT_EQ(f.control<QComboBox>("alpha")->currentText(), QStringLiteral("30%"));
    EXPECT_EQ(f.control<QLineEdit>("cafile")->text(), QStringLiteral("/etc/ca.pem"));
    // A position outside the list shows no selection and is kept as stored.
    EXPECT_EQ(f.control<QComboBox>("netwait")->currentIndex(), -1);
    EXPECT_EQ(f.data().settings.netWait, 40);
    // A slider brings its value into range, and the settings follow.
    EXPECT_EQ(f.control<QSlider>("maxrep")->value(), 1);
    EXPECT_EQ(f.data().settings.maxRep, 1);
    EXPECT_EQ(f.control<QLabel>("maxmsg_lab")->text(), QStringLiteral("33 dni"));
    EXPECT_EQ(f.control<ui::ColorBox>("delmsgcolor")->color(), QColor(255, 0, 0));
    EXPECT_EQ(f.control<ui::ColorBox>("delmsgcolor")->currentText(), QStringLiteral("Czerwony"));
}

TEST(OptionsControls, RunningTheMailProgramReplacesTheNotice)
{
    OptionsWindowFixture f;
    f.startWindow();
    auto* info = f.control<QCheckBox>("mcinfo");
    auto* runMail = f.control<QCheckBox>("mcrunmail");
    ASSERT_TRUE(info->isChecked());

    runMail->click();
    EXPECT_FALSE(info->isChecked());
    EXPECT_FALSE(info->isEnabled());
    EXPECT_FALSE(f.data().settings.mailCheckInfo);
    EXPECT_TRUE(f.data().settings.mailCheckRunMail);

    runMail->click();
    EXPECT_TRUE(info->isEnabled());
    EXPECT_FALSE(info->isChecked()) << "the check mark stays off";
    EXPECT_FALSE(f.data().settings.mailCheckInfo);

    // Both stored on: the stored mail program wins as it did when set by hand.
    OptionsWindowFixture g;
    g.writeOptions({"MailCheckInfo=1", "MailCheckRunMail=1"});
    g.startWindow();
    EXPECT_FALSE(g.control<QCheckBox>("mcinfo")->isChecked());
    EXPECT_FALSE(g.control<QCheckBox>("mcinfo")->isEnabled());
    EXPECT_FALSE(g.data().settings.mailCheckInfo);
}

TEST(OptionsControls, FileChoosersUseTheirFiltersAndFoldersAndCancelChangesNothing)
{
    OptionsWindowFixture f;
    f.writeFile(QStringLiteral("data/newmail.wav"), "RIFF");
    f.startWindow();
    const std::string skinBefore = f.data().settings.mailCheckSkin;

    f.files.answers = {std::nullopt, f.path(QStringLiteral("skins/niebieska.ini"))};
    f.control<QPushButton>("mcbrowse")->click();
    EXPECT_EQ(f.data().settings.mailCheckSkin, skinBefore) << "cancelled";
    f.control<QPushButton>("mcbrowse")->click();
    EXPECT_EQ(f.data().settings.mailCheckSkin, f.folder() + "/skins/niebieska.ini");
    EXPECT_EQ(f.control<QLineEdit>("mcskin")->text(), f.path(QStringLiteral("skins/niebieska.ini")));
    ASSERT_EQ(f.files.requests.size(), 2u);
    EXPECT_EQ(f.files.requests[0].startFolder, f.path(QStringLiteral("skins")));
    EXPECT_EQ(f.files.requests[0].filter,
              QStringLiteral("Skórka Kestrin sweeper (*.ini)|*.ini|Wszystkie pliki (*.*)|*.*"));

    f.files.answers = {QStringLiteral("/usr/bin/thunderbird"), QStringLiteral("/usr/share/sounds/dźwięk.wav"),
                       QStringLiteral("/etc/ssl/moje.pem")};
    f.control<QPushButton>("mailbrowse")->click();
    f.control<QPushButton>("mcsndbrowse")->click();
    f.control<QPushButton>("cafilebrowse")->click();
    EXPECT_EQ(f.data().settings.mail, "/usr/bin/thunderbird");
    EXPECT_EQ(f.data().settings.mailCheckSample, winLiteral("/usr/share/sounds/dźwięk.wav"));
    EXPECT_EQ(f.data().settings.caFile, "/etc/ssl/moje.pem");
    ASSERT_EQ(f.files.requests.size(), 5u);
    EXPECT_EQ(f.files.requests[2].filter, ui::kProgramFilter) << "programs here have no extension";
    EXPECT_EQ(f.files.requests[2].startFolder, QString()) << "the stored Windows path names no folder here";
    EXPECT_EQ(f.files.requests[3].filter,
              QStringLiteral("Wszystkie pliki muzyki (*.wav)|*.wav|Wszystkie pliki (*.*)|*.*"));
    EXPECT_EQ(f.files.requests[3].startFolder, f.path(QStringLiteral("data"))) << "where the current sound lies";
    EXPECT_EQ(f.files.requests[4].filter,
              QStringLiteral("Certyfikaty (*.pem *.crt)|*.pem;*.crt|Wszystkie pliki (*.*)|*.*"));

    for (const char* clean : {"mailclean", "mcclean", "mscndclean", "cafileclean"})
        f.control<QPushButton>(clean)->click();
    EXPECT_EQ(f.data().settings.mail, "");
    EXPECT_EQ(f.data().settings.mailCheckSkin, "");
    EXPECT_EQ(f.data().settings.mailCheckSample, "");
    EXPECT_EQ(f.data().settings.caFile, "");
    EXPECT_TRUE(f.control<QLineEdit>("mcsample")->text().isEmpty());
}

TEST(OptionsControls, ChooserFiltersReachQtWithAnEveryFilePatternThatMatchesEveryFile)
{
    EXPECT_EQ(ui::qtFileFilter(QStringLiteral("Aplikacja (*.exe)|*.exe|Wszystkie pliki (*.*)|*.*")),
              QStringLiteral("Aplikacja (*);;Wszystkie pliki (*)"))
        << "programs here carry no .exe";
    EXPECT_EQ(ui::qtFileFilter(QStringLiteral("Certyfikaty (*.pem *.crt)|*.pem;*.crt|Wszystkie pliki (*.*)|*.*")),
              QStringLiteral("Certyfikaty (*.pem *.crt);;Wszystkie pliki (*)"));
    EXPECT_EQ(ui::qtFileFilter(QStringLiteral("Skórka Kestrin sweeper (*.ini)|*.ini")),
              QStringLiteral("Skórka Kestrin sweeper (*.ini)"));
}

TEST(OptionsControls, ColourBoxOffersTheStandardColoursAndAChosenOne)
{
    OptionsWindowFixture f;
    f.startWindow();
    auto* box = f.control<ui::ColorBox>("delmsgcolor");
    EXPECT_EQ(box->currentText(), QStringLiteral("Srebrny")) << "silver by default";

    std::optional<QColor> answer;
    box->setCustomChooser([&answer](QWidget*, const QColor&) { return answer; });
    const int custom = box->findText(QStringLiteral("Własny..."));
    ASSERT_EQ(custom, box->count() - 1);

    box->setCurrentIndex(box->findText(QStringLiteral("Granatowy")));
    emit box->activated(box->currentIndex());
    EXPECT_EQ(f.data().settings.delMsgColorB, 128);
    EXPECT_EQ(f.data().settings.delMsgColorR, 0);

    answer = QColor(1, 2, 3);
    box->setCurrentIndex(custom);
    emit box->activated(custom);
    EXPECT_EQ(f.data().settings.delMsgColorR, 1);
    EXPECT_EQ(f.data().settings.delMsgColorG, 2);
    EXPECT_EQ(f.data().settings.delMsgColorB, 3);

    answer.reset(); // the colour dialog cancelled
    box->setCurrentIndex(box->findText(QStringLiteral("Biały")));
    emit box->activated(box->currentIndex());
    box->setCurrentIndex(custom);
    emit box->activated(custom);
    EXPECT_EQ(box->color(), QColor(255, 255, 255));
    EXPECT_EQ(box->currentText(), QStringLiteral("Biały"));
    EXPECT_EQ(f.data().settings.delMsgColorG, 255);
}

TEST(OptionsControls, ShowingAndTheCloseBox)
{
    OptionsWindowFixture f;
    f.writeTrayIcon(2);
    f.startWindow();
    f.host.opacity = 0.5;
    f.window->showSettings();
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_FALSE(f.host.mainEnabled);
    EXPECT_NEAR(f.window->windowOpacity(), 0.5, 1.0 / 255) << "the window takes the main window's transparency";

    // Previews follow the sliders; a missing picture now is an installation fault worth a box.
    f.control<QSlider>("traynormal")->setValue(2);
    EXPECT_FALSE(f.control<QLabel>("traynormalview")->pixmap().isNull());
    EXPECT_TRUE(f.prompter.shown.empty());
    f.control<QSlider>("traynormal")->setValue(5);
    EXPECT_TRUE(f.control<QLabel>("traynormalview")->pixmap().isNull());
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_TRUE(f.prompter.shown[0].text.contains(QStringLiteral("tray5.ico")));

    f.control<QComboBox>("min")->setCurrentIndex(0);
    f.host.calls.clear();
    f.window->close();
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_TRUE(f.host.mainEnabled);
    EXPECT_EQ(f.host.calls, std::vector<std::string>{"setMainWindowEnabled true"}) << "closing does not apply";
    EXPECT_EQ(f.data().settings.min, 0) << "the changed value stays in effect";

    f.window->showSettings();
    pressKey(f.window.get(), Qt::Key_Escape);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_TRUE(f.host.mainEnabled);

    f.control<QPushButton>("smtphelp")->click();
    ASSERT_EQ(f.prompter.shown.size(), 2u);
    EXPECT_EQ(f.prompter.shown[1].icon, ui::PromptIcon::Information);
    EXPECT_EQ(f.prompter.shown[1].caption, QStringLiteral("Kestrin sweeper"));
    EXPECT_EQ(f.prompter.shown[1].text,
              QStringLiteral("Dane serwera poczty wychodzącej wykorzystywane są do przesyłania dalej wiadomości lub "
                             "do automatycznego odpowiadania na pocztę przychodzącą, zgodnie z wybranymi akcjami w "
                             "regułach wiadomości."));
}

} // namespace
} // namespace kestrin::test
