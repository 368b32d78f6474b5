// The account and friend editors as a user drives them from their pages:
// what reaches the page and the file, what the form shows after each step,
// the limit boxes, and the connection test running while the window stays
// live. The save steps themselves are tested in the core.
#include "main_test_support.h"

#include "peers/dovecot_peer.h"
#include "storage/record_tables.h"
#include "storage/settings.h"
#include "text/cp1250.h"
#include "text/date_time.h"
#include "ui/dialogs/account_form.h"
#include "ui/dialogs/friend_form.h"
#include "ui/pages/accounts_page.h"
#include "ui/pages/friends_page.h"
#include "ui/pages/record_list.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace kestrin::test {
namespace {

const QString kNines = QStringLiteral("999999999999999999999999999999");

// On a loopback port nobody listens on: the start-up cycle is refused at once.
AccountRecord account(const std::string& name, const std::string& user)
{
    AccountRecord a;
    a.name = name;
    a.pop3 = "127.0.0.1";
    a.dopo = "1";
    a.smtp = "127.0.0.1";
    a.user = user;
    a.pass = "tajne";
    return a;
}

class EditorDialogs : public ::testing::Test {
protected:
    void start(const std::vector<AccountRecord>& accounts, const std::vector<FriendRecord>& friends = {},
               const std::function<void(Settings&)>& adjust = {})
    {
        Settings settings = defaultSettings(folder.path(), localNow());
        settings.skipNetCheck = true;
        if (adjust)
            adjust(settings);
        saveSettingsFile(folder.path(), settings);
        saveAccounts(folder.path(), accounts);
        saveFriends(folder.path(), friends);
        harness = std::make_unique<ProgramHarness>(folder.path());
        ASSERT_TRUE(harness->program->start());
        ASSERT_TRUE(waitUntil([this] { return !harness->program->session().state().cycleRunning; }));
        accountsPage = harness->form().findChild<ui::AccountsPage*>();
        friendsPage = harness->form().findChild<ui::FriendsPage*>();
        ASSERT_NE(accountsPage, nullptr);
        ASSERT_NE(friendsPage, nullptr);
    }
    const ProgramData& data() const { return harness->program->session().data(); }
    void fillAccount(ui::Tpop3_addform& form, const QString& name, const QString& user)
    {
        control<QLineEdit>(form, "pop3_nazwa").setText(name);
        control<QLineEdit>(form, "pop3_pop3").setText(QStringLiteral("127.0.0.1"));
        control<QLineEdit>(form, "pop3_smtp").setText(QStringLiteral("127.0.0.1"));
        control<QLineEdit>(form, "pop3_user").setText(user);
        control<QLineEdit>(form, "pop3_pass").setText(QStringLiteral("hasło"));
    }
    void expectOneWarning(const QString& caption, const QString& text)
    {
        ASSERT_EQ(harness->prompter.shown.size(), 1u);
        EXPECT_EQ(harness->prompter.shown[0].caption, caption);
        EXPECT_EQ(harness->prompter.shown[0].text, text);
        harness->prompter.shown.clear();
    }

    ProgramFolder folder;
    std::unique_ptr<ProgramHarness> harness;
    ui::AccountsPage* accountsPage = nullptr;
    ui::FriendsPage* friendsPage = nullptr;
};

TEST_F(EditorDialogs, AccountAddedStaysOpenAndTheResetKeepsTheSizeSettings)
{
    start({});
    accountsPage->list().createClick();
    ui::Tpop3_addform& form = *accountsPage->accountEditor();
    EXPECT_EQ(control<QLineEdit>(form, "pop3_dopo").text(), QStringLiteral("110"));
    EXPECT_EQ(control<QLineEdit>(form, "pop3_size").text(), QStringLiteral("50"));
    EXPECT_TRUE(control<QCheckBox>(form, "pop3_maxm").isChecked());

    fillAccount(form, QStringLiteral("Dom"), QStringLiteral("jan"));
    control<QComboBox>(form, "pop3_ssl").setCurrentIndex(1);
    EXPECT_EQ(control<QLineEdit>(form, "pop3_dopo").text(), QStringLiteral("995")) << "TLS proposes its port";
    control<QCheckBox>(form, "pop3_maxm").click();
    EXPECT_EQ(control<QLineEdit>(form, "pop3_size").text(), kNines);
    EXPECT_FALSE(control<QLineEdit>(form, "pop3_size").isEnabled());
    control<QCheckBox>(form, "pop3_nrep").setChecked(true);
    form.pop3_addClick();

    ASSERT_EQ(data().accounts.size(), 1u);
    const AccountRecord stored = loadAccounts(folder.path()).at(0);
    EXPECT_EQ(stored.pass, winLiteral("hasło"));
    EXPECT_EQ(stored.dopo, "995");
    EXPECT_EQ(stored.ssl, "1");
    EXPECT_EQ(stored.size, std::string(30, '9'));
    EXPECT_TRUE(stored.nrep);
    EXPECT_EQ(accountsPage->list().model().rowCount(), 1);
    // Open for the next account: boxes emptied, ports back, size settings kept.
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(control<QLineEdit>(form, "pop3_nazwa").text().isEmpty());
    EXPECT_TRUE(control<QLineEdit>(form, "pop3_pass").text().isEmpty());
    EXPECT_EQ(control<QLineEdit>(form, "pop3_dopo").text(), QStringLiteral("110"));
    EXPECT_EQ(control<QLineEdit>(form, "pop3_uppo").text(), QStringLiteral("25"));
    EXPECT_FALSE(control<QCheckBox>(form, "pop3_maxm").isChecked());
    EXPECT_EQ(control<QLineEdit>(form, "pop3_size").text(), kNines);
    EXPECT_TRUE(control<QCheckBox>(form, "pop3_nrep").isChecked());

    // The same name in another case is refused; the input stays.
    fillAccount(form, QStringLiteral("DOM"), QStringLiteral("ola"));
    form.pop3_addClick();
    expectOneWarning(QStringLiteral("Błąd dodawania konta pocztowego"),
                     QStringLiteral("Konto pocztowe o podanej nazwie już istnieje!"));
    EXPECT_EQ(control<QLineEdit>(form, "pop3_nazwa").text(), QStringLiteral("DOM"));
    form.close();

    // Edit shows the unlimited size as such and closes after OK.
    ui::Tpop3_addform& edit = *accountsPage->openAccountEditor(0, true);
    EXPECT_EQ(control<QPushButton>(edit, "pop3_add").text(), QStringLiteral("&OK"));
    EXPECT_FALSE(control<QPushButton>(edit, "pop3_clean").isEnabled());
    EXPECT_FALSE(control<QCheckBox>(edit, "pop3_maxm").isChecked());
    EXPECT_FALSE(control<QLineEdit>(edit, "pop3_size").isEnabled());
    EXPECT_EQ(control<QComboBox>(edit, "pop3_ssl").currentIndex(), 1);
    EXPECT_EQ(control<QLineEdit>(edit, "pop3_dopo").text(), QStringLiteral("995"));
    control<QComboBox>(edit, "pop3_ssl").setCurrentIndex(2);
    EXPECT_EQ(control<QLineEdit>(edit, "pop3_dopo").text(), QStringLiteral("110")) << "leaving TLS, back";
    control<QCheckBox>(edit, "pop3_maxm").click();
    EXPECT_EQ(control<QLineEdit>(edit, "pop3_size").text(), QStringLiteral("50"));
    edit.pop3_addClick();
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(loadAccounts(folder.path()).at(0).size, "50");
    EXPECT_EQ(loadAccounts(folder.path()).at(0).ssl, "2");
}

TEST_F(EditorDialogs, TheLimitsStopAddingWithTheirMessages)
{
    std::vector<AccountRecord> accounts;
    for (int i = 0; i < 100; ++i)
        accounts.push_back(account("k" + std::to_string(i), "u" + std::to_string(i)));
    std::vector<FriendRecord> friends;
    for (int i = 0; i < 1000; ++i)
        friends.push_back({"f" + std::to_string(i), "f" + std::to_string(i) + "@example.org"});
    start(accounts, friends);

    accountsPage->list().createClick();
    ui::Tpop3_addform& accountForm = *accountsPage->accountEditor();
    fillAccount(accountForm, QStringLiteral("Sto pierwsze"), QStringLiteral("nowy"));
    accountForm.pop3_addClick();
    expectOneWarning(QStringLiteral("Błąd dodawania konta pocztowego"),
                     QStringLiteral("Nie można dodać więcej niż 100 kont pocztowych!"));
    accountForm.close();

    friendsPage->list().createClick();
    ui::Tfri_addform& friendForm = *friendsPage->friendEditor();
    control<QLineEdit>(friendForm, "fri_nazwa").setText(QStringLiteral("Ktoś"));
    control<QLineEdit>(friendForm, "fri_mail").setText(QStringLiteral("ktos@example.org"));
    friendForm.fri_addClick();
    expectOneWarning(QStringLiteral("Błąd dodawania przyjaciela"),
                     QStringLiteral("Nie można dodać więcej niż 1000 przyjaciół!"));
    EXPECT_EQ(data().friends.size(), 1000u);
    EXPECT_EQ(data().accounts.size(), 100u);
}

TEST_F(EditorDialogs, FriendAddedAfterTheQuestionAndEditedInPlace)
{
    start({}, {{"Ola", "ola@example.org"}});
    friendsPage->list().createClick();
    ui::Tfri_addform& form = *friendsPage->friendEditor();
    control<QLineEdit>(form, "fri_nazwa").setText(QStringLiteral("Łukasz"));
    control<QLineEdit>(form, "fri_mail").setText(QStringLiteral("lukasz.example.org"));
    harness->prompter.answers = {false};
    form.fri_addClick();
    ASSERT_EQ(harness->prompter.asked.size(), 1u);
    EXPECT_EQ(harness->prompter.asked[0].caption, QStringLiteral("Błąd dodawania przyjaciela"));
    EXPECT_EQ(data().friends.size(), 1u) << "No adds nothing";
    EXPECT_EQ(control<QLineEdit>(form, "fri_mail").text(), QStringLiteral("lukasz.example.org"));

    harness->prompter.answers = {true};
    form.fri_addClick();
    ASSERT_EQ(loadFriends(folder.path()).size(), 2u);
    EXPECT_EQ(loadFriends(folder.path())[1].name, winLiteral("Łukasz"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(control<QLineEdit>(form, "fri_nazwa").text().isEmpty());
    form.close();

    ui::Tfri_addform& edit = *friendsPage->openFriendEditor(0, true);
    EXPECT_EQ(control<QPushButton>(edit, "fri_add").text(), QStringLiteral("&OK"));
    EXPECT_FALSE(control<QPushButton>(edit, "fri_clean").isEnabled());
    EXPECT_EQ(control<QLineEdit>(edit, "fri_mail").text(), QStringLiteral("ola@example.org"));
    control<QLineEdit>(edit, "fri_mail").setText(QStringLiteral("*@example.org"));
    edit.fri_addClick();
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(loadFriends(folder.path())[0].mail, "*@example.org");
    EXPECT_EQ(friendsPage->list().model().rowCount(), 2);
}

TEST_F(EditorDialogs, AddressBookImportAsksFromTheMenuAndRunsSilentlyAtStartUp)
{
    const std::string book = folder.path() + "/kontakty.vcf";
    std::ofstream(book, std::ios::binary) << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ewa\r\nEMAIL:ewa@example.org\r\n"
                                             "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:ola\r\n"
                                             "EMAIL:ola2@example.org\r\nEND:VCARD\r\n";
    start({}, {{"Ola", "ola@example.org"}}, [&](Settings& s) { s.addressBookFile = book; });
    auto* import = harness->form().findChild<QAction*>(QStringLiteral("fri_importfri"));
    ASSERT_NE(import, nullptr);
    harness->prompter.answers = {false};
    import->trigger();
    ASSERT_EQ(harness->prompter.asked.size(), 1u);
    EXPECT_EQ(harness->prompter.asked[0].caption, QStringLiteral("Importowanie adresów"));
    EXPECT_TRUE(harness->prompter.asked[0].text.contains(QStringLiteral("(2):\r\n\r\nEwa; ola\r\n\r\n")));
    EXPECT_EQ(data().friends.size(), 1u) << "No imports nothing";

    harness->prompter.answers = {true};
    import->trigger();
    expectOneWarning(QStringLiteral("Importowanie adresów"),
                     QStringLiteral("Zaimportowano pozycji do listy przyjaciół: 1."));
    ASSERT_EQ(loadFriends(folder.path()).size(), 2u);
    EXPECT_EQ(friendsPage->list().model().rowCount(), 2);

    // At start-up with synchronisation on: no question, no count, but the
    // error box when the book cannot be read.
    const auto synchronised = [&](Settings& s) {
        s.addressBookFile = book;
        s.wabSynch = true;
    };
    harness.reset();
    start({}, {}, synchronised);
    EXPECT_TRUE(harness->prompter.asked.empty());
    EXPECT_TRUE(harness->prompter.shown.empty());
    EXPECT_EQ(loadFriends(folder.path()).size(), 2u);
    harness.reset();
    std::filesystem::remove(book);
    start({}, {}, synchronised);
    expectOneWarning(QStringLiteral("Importowanie adresów"),
                     QStringLiteral("Wystąpił błąd podczas importowania wybranych pozycji z książki adresowej!"));
}

// The window stays live while the servers answer; the texts are theirs.
TEST_F(EditorDialogs, ConnectionTestRunsOffTheWindowAgainstDovecot)
{
    if (!DovecotPeer::installed())
        GTEST_SKIP() << "dovecot is not installed";
    DovecotPeer dovecot;
    start({});
    accountsPage->list().createClick();
    ui::Tpop3_addform& form = *accountsPage->accountEditor();
    fillAccount(form, QStringLiteral("Test"), QStringLiteral("alice"));
    control<QLineEdit>(form, "pop3_pop3").setText(QStringLiteral("127.0.0.1"));
    control<QLineEdit>(form, "pop3_dopo").setText(QString::number(dovecot.pop3Port()));
    control<QLineEdit>(form, "pop3_smtp").setText(QStringLiteral("127.0.0.1"));
    control<QLineEdit>(form, "pop3_uppo").setText(QString::number(dovecot.pop3Port())); // greets, but not as SMTP
    struct Case {
        const char* password;
        bool loggedIn;
        const char* text;
    };
    const Case cases[] = {
        {"secret", true, "Zalogowano do serwera POP3 127.0.0.1."},
        {"wrong", false, "Nie można zalogować się do serwera POP3 127.0.0.1: Authentication failed."}};
    for (const Case& c : cases) {
        control<QLineEdit>(form, "pop3_pass").setText(QString::fromLatin1(c.password));
        std::vector<bool> tested;
        const QMetaObject::Connection seen = QObject::connect(&form, &ui::Tpop3_addform::connectionTested,
                                                              [&tested](bool loggedIn) { tested.push_back(loggedIn); });
        form.pop3_testClick();
        EXPECT_FALSE(control<QPushButton>(form, "pop3_test").isEnabled());
        ASSERT_TRUE(waitUntil([&] { return !tested.empty(); }));
        QObject::disconnect(seen);
        EXPECT_EQ(tested.at(0), c.loggedIn);
        EXPECT_TRUE(control<QLabel>(form, "pop3_testresult").text().startsWith(QString::fromUtf8(c.text)))
            << control<QLabel>(form, "pop3_testresult").text().toStdString();
        EXPECT_TRUE(control<QPushButton>(form, "pop3_test").isEnabled());
    }
    EXPECT_TRUE(data().accounts.empty()) << "a test saves nothing";

    // Closing during a test aborts it and waits for its thread.
    form.pop3_testClick();
    form.close();
    EXPECT_TRUE(waitUntil([this] { return accountsPage->accountEditor() == nullptr; }));
}

} // namespace
} // namespace kestrin::test
