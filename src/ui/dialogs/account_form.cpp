#include "ui/dialogs/account_form.h"

#include "engine/account_fields.h"
#include "engine/account_save.h"
#include "ui/common/dialog_opening.h"
#include "ui/common/win1250_text.h"
#include "ui/dialogs/change_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {
namespace {

constexpr int kTextLimit = 256;
constexpr int kNumberLimit = 5;
const char* const kDefaultPop3Port = "110";
const char* const kDefaultSmtpPort = "25";
const char* const kDefaultSize = "50";

// The drop-down's lines in the order of the account's `ssl` values 0, 1, 2.
const char* const kSecurityLines[] = {"brak", "SSL/TLS od początku połączenia (port 995)",
                                      "STLS po powitaniu serwera (port 110)"};
const Pop3Security kSecurityOfLine[] = {Pop3Security::None, Pop3Security::Tls, Pop3Security::StartTls};

QLineEdit* textBox(QWidget* parent, const char* name, int limit, const char* hint = nullptr)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setMaxLength(limit);
    if (hint != nullptr)
        box->setPlaceholderText(QString::fromUtf8(hint));
    return box;
}

// A port box with its label and default hint on one row.
QLayout* portRow(QWidget* parent, QLineEdit* host, QLineEdit* port, const char* hint)
{
    auto* row = new QHBoxLayout;
    row->addWidget(host, 1);
    row->addWidget(new QLabel(QStringLiteral("Port:"), parent));
    port->setFixedWidth(port->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    row->addWidget(port);
    row->addWidget(new QLabel(QString::fromUtf8(hint), parent));
    return row;
}

} // namespace

Tpop3_addform::Tpop3_addform(session::ProgramSession& session, Prompter& prompter, int editIndex, bool closeAfterSave,
                             QWidget* parent)
    : QDialog(parent), session_(session), prompter_(prompter), editIndex_(editIndex), closeAfterSave_(closeAfterSave)
{
    setObjectName(QStringLiteral("pop3_addform"));
    setWindowTitle(QStringLiteral("Kestrin - dodawanie konta pocztowego"));
    takeMainWindowLook(this, parent);
    auto* frame = new QGroupBox(QStringLiteral("Dodaj / edytuj konto pocztowe"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    auto* nameRow = new QFormLayout;
    name_ = textBox(frame, "pop3_nazwa", kTextLimit);
    nameRow->addRow(QStringLiteral("Nazwa konta pocztowego:"), name_);
    frameLayout->addLayout(nameRow);
    frameLayout->addWidget(makeServerFrame());
    frameLayout->addWidget(makeLoginFrame());
    frameLayout->addLayout(makeSizeRow());
    noReport_ = named(new QCheckBox(QStringLiteral("Nie uwzględniaj tego konta w raportach"), frame), "pop3_nrep");
    frameLayout->addWidget(noReport_);
    frameLayout->addLayout(makeTestRow());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(makeButtons());

    setSizeBox(true, QString::fromLatin1(kDefaultSize));
    pop3_cleanClick();
    const std::vector<AccountRecord>& accounts = session_.data().accounts;
    if (editIndex_ < 0 || static_cast<size_t>(editIndex_) >= accounts.size())
        return;
    add_->setText(QStringLiteral("&OK"));
    clean_->setEnabled(false);
    showAccount(accounts[static_cast<size_t>(editIndex_)]);
}

Tpop3_addform::~Tpop3_addform()
{
    stopConnectionTest();
}

QWidget* Tpop3_addform::makeServerFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Serwery pocztowe"), this);
    auto* form = new QFormLayout(frame);
    pop3_ = textBox(frame, "pop3_pop3", kTextLimit, "np. pop3.poczta.pl");
    pop3Port_ = textBox(frame, "pop3_dopo", kNumberLimit);
    security_ = named(new QComboBox(frame), "pop3_ssl");
    for (const char* line : kSecurityLines)
        security_->addItem(QString::fromUtf8(line));
    smtp_ = textBox(frame, "pop3_smtp", kTextLimit, "np. smtp.poczta.pl");
    smtpPort_ = textBox(frame, "pop3_uppo", kNumberLimit);
    form->addRow(QStringLiteral("Adres serwera POP3:"), portRow(frame, pop3_, pop3Port_, "(domyślny: 110)"));
    form->addRow(QStringLiteral("Szyfrowanie POP3:"), security_);
    form->addRow(QStringLiteral("Adres serwera SMTP:"), portRow(frame, smtp_, smtpPort_, "(domyślny: 25)"));
    connect(security_, &QComboBox::currentIndexChanged, this, &Tpop3_addform::pop3_sslChange);
    return frame;
}

QWidget* Tpop3_addform::makeLoginFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Autoryzacja"), this);
    auto* form = new QFormLayout(frame);
    user_ = textBox(frame, "pop3_user", kTextLimit, "np. jan.kowalski");
    password_ = textBox(frame, "pop3_pass", kTextLimit);
    password_->setEchoMode(QLineEdit::Password);
    password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*", as users know it
    form->addRow(QStringLiteral("Nazwa użytkownika:"), user_);
    form->addRow(QStringLiteral("Hasło:"), password_);
    return frame;
}

QLayout* Tpop3_addform::makeSizeRow()
{
    auto* row = new QHBoxLayout;
    maxSize_ = named(new QCheckBox(QStringLiteral("Maksymalny rozmiar archiwizowanej wiadomości:"), this), "pop3_maxm");
    size_ = textBox(this, "pop3_size", kNumberLimit);
    size_->setFixedWidth(size_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    row->addWidget(maxSize_);
    row->addWidget(size_);
    row->addWidget(new QLabel(QStringLiteral("Kb"), this));
    row->addStretch(1);
    connect(maxSize_, &QCheckBox::clicked, this, &Tpop3_addform::pop3_maxmClick);
    return row;
}

QLayout* Tpop3_addform::makeTestRow()
{
    auto* row = new QHBoxLayout;
    test_ = named(new QPushButton(QStringLiteral("Sprawdź połączenie"), this), "pop3_test");
    testResult_ = named(new QLabel(this), "pop3_testresult");
    testResult_->setWordWrap(true);
    testResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    testResult_->setMinimumWidth(300);
    row->addWidget(test_, 0, Qt::AlignTop);
    row->addWidget(testResult_, 1);
    connect(test_, &QPushButton::clicked, this, &Tpop3_addform::pop3_testClick);
    return row;
}

QLayout* Tpop3_addform::makeButtons()
{
    auto* row = new QHBoxLayout;
    add_ = named(new QPushButton(QStringLiteral("&Dodaj"), this), "pop3_add");
    clean_ = named(new QPushButton(QStringLiteral("&Wyczyść"), this), "pop3_clean");
    auto* cancel = named(new QPushButton(QStringLiteral("&Anuluj"), this), "pop3_cancel");
    add_->setDefault(true);
    row->addStretch(1);
    for (QPushButton* button : {add_, clean_, cancel})
        row->addWidget(button);
    connect(add_, &QPushButton::clicked, this, &Tpop3_addform::pop3_addClick);
    connect(clean_, &QPushButton::clicked, this, &Tpop3_addform::pop3_cleanClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    return row;
}

AccountRecord Tpop3_addform::account() const
{
    AccountRecord account;
    account.name = toWin1250(name_->text());
    account.pop3 = toWin1250(pop3_->text());
    account.dopo = toWin1250(pop3Port_->text());
    account.smtp = toWin1250(smtp_->text());
    account.uppo = toWin1250(smtpPort_->text());
    account.user = toWin1250(user_->text());
    account.pass = toWin1250(password_->text());
    account.size = toWin1250(size_->text());
    account.nrep = noReport_->isChecked();
    account.ssl = std::to_string(std::max(security_->currentIndex(), 0));
    return account;
}

void Tpop3_addform::showAccount(const AccountRecord& account)
{
    name_->setText(fromWin1250(account.name));
    pop3_->setText(fromWin1250(account.pop3));
    smtp_->setText(fromWin1250(account.smtp));
    smtpPort_->setText(fromWin1250(account.uppo));
    user_->setText(fromWin1250(account.user));
    password_->setText(fromWin1250(account.pass));
    {
        // The stored port stays as it is: no proposal for a shown record.
        const QSignalBlocker quiet(security_);
        const std::optional<Pop3Security> security = pop3SecurityFromText(account.ssl);
        security_->setCurrentIndex(security ? static_cast<int>(account.ssl.front() - '0') : 0);
        shownSecurity_ = security_->currentIndex();
    }
    pop3Port_->setText(fromWin1250(account.dopo));
    const bool unlimited = account.size == kUnlimitedSizeText;
    setSizeBox(!unlimited, fromWin1250(account.size));
    noReport_->setChecked(account.nrep);
}

void Tpop3_addform::setSizeBox(bool limited, const QString& text)
{
    maxSize_->setChecked(limited);
    // The thirty nines are longer than anything a user may type.
    size_->setMaxLength(limited ? kNumberLimit : static_cast<int>(kUnlimitedSizeText.size()));
    size_->setText(text);
    size_->setEnabled(limited);
}

void Tpop3_addform::pop3_addClick()
{
    if (!showChangeOutcome(prompter_, session_.saveAccount(editIndex_, account()), fromWin1250(accountSaveCaption())))
        return;
    if (closeAfterSave_)
        close();
    pop3_cleanClick();
}

void Tpop3_addform::pop3_cleanClick()
{
    for (QLineEdit* box : {name_, pop3_, smtp_, user_, password_})
        box->clear();
    {
        const QSignalBlocker quiet(security_);
        security_->setCurrentIndex(0);
        shownSecurity_ = 0;
    }
    pop3Port_->setText(QString::fromLatin1(kDefaultPop3Port));
    smtpPort_->setText(QString::fromLatin1(kDefaultSmtpPort));
    testResult_->clear();
}

void Tpop3_addform::pop3_maxmClick()
{
    if (maxSize_->isChecked())
        setSizeBox(true, QString::fromLatin1(kDefaultSize));
    else
        setSizeBox(false, QString::fromLatin1(kUnlimitedSizeText.data(), kUnlimitedSizeText.size()));
}

void Tpop3_addform::pop3_sslChange()
{
    const int chosen = std::max(security_->currentIndex(), 0);
    const std::string port = toWin1250(pop3Port_->text());
    pop3Port_->setText(
        fromWin1250(std::string(proposedPop3Port(port, kSecurityOfLine[shownSecurity_], kSecurityOfLine[chosen]))));
    shownSecurity_ = chosen;
}

void Tpop3_addform::pop3_testClick()
{
    if (connectionTestRunning())
        return;
    stopConnectionTest();
    check_ = session_.connectionCheck(account());
    testFinished_ = false;
    test_->setEnabled(false);
    testResult_->setText(QStringLiteral("Sprawdzanie połączenia z serwerami..."));
    AccountConnectionCheck* check = check_.get();
    testThread_ = std::thread([this, check] {
        const ConnectionCheckResult result = check->run();
        // Dropped by Qt if the window is gone; the destructor joins this thread first.
        QMetaObject::invokeMethod(
            this, [this, result] { showTestResult(result); }, Qt::QueuedConnection);
    });
}

void Tpop3_addform::showTestResult(const ConnectionCheckResult& result)
{
    testFinished_ = true;
    if (testThread_.joinable())
        testThread_.join();
    testResult_->setText(fromWin1250(result.pop3Text) + QLatin1Char('\n') + fromWin1250(result.smtpText));
    test_->setEnabled(true);
    emit connectionTested(result.loggedIn);
}

void Tpop3_addform::stopConnectionTest()
{
    if (check_)
        check_->abort();
    if (testThread_.joinable())
        testThread_.join();
    check_.reset();
}

} // namespace kestrin::ui
