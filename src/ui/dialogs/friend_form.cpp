#include "ui/dialogs/friend_form.h"

#include "engine/friend_save.h"
#include "ui/common/dialog_opening.h"
#include "ui/common/win1250_text.h"
#include "ui/dialogs/change_prompts.h"

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

} // namespace

Tfri_addform::Tfri_addform(session::ProgramSession& session, Prompter& prompter, int editIndex, bool closeAfterSave,
                           QWidget* parent)
    : QDialog(parent), session_(session), prompter_(prompter), editIndex_(editIndex), closeAfterSave_(closeAfterSave)
{
    setObjectName(QStringLiteral("fri_addform"));
    setWindowTitle(QStringLiteral("Kestrin - dodawanie przyjaciela"));
    takeMainWindowLook(this, parent);
    auto* frame = new QGroupBox(QStringLiteral("Dodaj / edytuj przyjaciela"), this);
    auto* form = new QFormLayout(frame);
    name_ = named(new QLineEdit(frame), "fri_nazwa");
    mail_ = named(new QLineEdit(frame), "fri_mail");
    mail_->setPlaceholderText(QStringLiteral("np. jan.kowalski@poczta.pl"));
    for (QLineEdit* box : {name_, mail_})
        box->setMaxLength(kTextLimit);
    form->addRow(QStringLiteral("Nazwa przyjaciela:"), name_);
    form->addRow(QStringLiteral("Adres e-mail:"), mail_);
    auto* note = new QLabel(QStringLiteral("Użycie \"*\" spowoduje, iż adres przyjaciela zostanie potraktowany jako "
                                           "wzorzec do porównania z adresatem sprawdzanej wiadomości."),
                            frame);
    note->setWordWrap(true);
    form->addRow(note);

    auto* buttons = new QHBoxLayout;
    add_ = named(new QPushButton(QStringLiteral("&Dodaj"), this), "fri_add");
    clean_ = named(new QPushButton(QStringLiteral("&Wyczyść"), this), "fri_clean");
    auto* cancel = named(new QPushButton(QStringLiteral("&Anuluj"), this), "fri_cancel");
    add_->setDefault(true);
    buttons->addStretch(1);
    for (QPushButton* button : {add_, clean_, cancel})
        buttons->addWidget(button);
    connect(add_, &QPushButton::clicked, this, &Tfri_addform::fri_addClick);
    connect(clean_, &QPushButton::clicked, this, &Tfri_addform::fri_cleanClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());

    const std::vector<FriendRecord>& friends = session_.data().friends;
    if (editIndex_ < 0 || static_cast<size_t>(editIndex_) >= friends.size())
        return;
    add_->setText(QStringLiteral("&OK"));
    clean_->setEnabled(false);
    showFriend(friends[static_cast<size_t>(editIndex_)]);
}

FriendRecord Tfri_addform::friendRecord() const
{
    return {toWin1250(name_->text()), toWin1250(mail_->text())};
}

void Tfri_addform::showFriend(const FriendRecord& friendRecord)
{
    name_->setText(fromWin1250(friendRecord.name));
    mail_->setText(fromWin1250(friendRecord.mail));
}

void Tfri_addform::fri_addClick()
{
    bool addressAnswered = false;
    for (;;) {
        const session::ChangeResult result = session_.saveFriend(editIndex_, friendRecord(), addressAnswered);
        if (result.question) {
            if (!prompter_.ask(fromWin1250(result.question->caption), fromWin1250(result.question->text)))
                return;
            addressAnswered = true;
            continue;
        }
        if (!showChangeOutcome(prompter_, result, fromWin1250(friendSaveCaption())))
            return;
        break;
    }
    if (closeAfterSave_)
        close();
    fri_cleanClick();
}

void Tfri_addform::fri_cleanClick()
{
    name_->clear();
    mail_->clear();
}

} // namespace kestrin::ui
