#include "ui/dialogs/rule_form.h"

#include "engine/rule_presets.h"
#include "engine/rule_vocabulary.h"
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
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {
namespace {

constexpr int kTextLimit = 256;
constexpr int kReplyLimit = 10000;
constexpr int kForwardLine = 1;
constexpr int kReplyLine = 2;

const char* const kActionLines[] = {"archiwizuj wiadomość", "prześlij dalej wiadomość (bez załączników)",
                                    "odpowiedz nadawcy wiadomości", "usuń wiadomość"};

// The reply is a mail body: its lines end in CR LF when stored.
std::string storedReply(const QString& shown)
{
    QString text = shown;
    return toWin1250(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

QString shownReply(const std::string& stored)
{
    return fromWin1250(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

Treg_addform::Treg_addform(session::ProgramSession& session, Prompter& prompter, int editIndex, bool closeAfterSave,
                           QWidget* parent)
    : QDialog(parent), session_(session), prompter_(prompter), editIndex_(editIndex), closeAfterSave_(closeAfterSave)
{
    setObjectName(QStringLiteral("reg_addform"));
    setWindowTitle(QStringLiteral("Kestrin - dodawanie reguły wiadomości"));
    if (parent != nullptr)
        setWindowOpacity(parent->window()->windowOpacity());

    auto* frame = new QGroupBox(QStringLiteral("Dodaj / edytuj regułę wiadomości"), this);
    auto* form = new QFormLayout;
    name_ = named(new QLineEdit(frame), "reg_nazwa");
    name_->setMaxLength(kTextLimit);
    stat_ = named(new QLineEdit(frame), "reg_stat");
    stat_->setEnabled(false);
    form->addRow(QStringLiteral("Nazwa reguły wiadomości:"), name_);
    form->addRow(QStringLiteral("Ilość zastosowań:"), stat_);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addLayout(form);
    frameLayout->addWidget(makeConditionFrame());
    frameLayout->addWidget(makeActionFrame());
    noFriends_ = named(new QCheckBox(QStringLiteral("Nie uwzględniaj adresów e-mail z listy przyjaciół dla tej reguły "
                                                    "wiadomości (nie zalecane)"),
                                     frame),
                       "reg_nofri");
    frameLayout->addWidget(noFriends_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(makeButtons());

    reg_cleanClick();
    if (editIndex_ < 0)
        return;
    add_->setText(QStringLiteral("&OK"));
    clean_->setEnabled(false);
    const std::vector<RuleRecord>& rules = session_.data().rules;
    if (static_cast<size_t>(editIndex_) < rules.size())
        showRule(rules[static_cast<size_t>(editIndex_)]);
}

QWidget* Treg_addform::makeConditionFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Warunek zastosowania reguły wiadomości"), this);
    auto* form = new QFormLayout(frame);
    field_ = named(new QComboBox(frame), "reg_typ");
    for (const std::string& name : ruleFieldNames())
        field_->addItem(fromWin1250(name));
    condition_ = named(new QComboBox(frame), "reg_sub");
    condition_->setMaxVisibleItems(static_cast<int>(kConditionPositionCount));
    value_ = named(new QComboBox(frame), "reg_str");
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(field_, 1);
    fieldRow->addWidget(condition_, 1);
    form->addRow(QStringLiteral("Nagłówek:"), fieldRow);
    form->addRow(QStringLiteral("Treść:"), value_);
    connect(field_, &QComboBox::activated, this, &Treg_addform::reg_typChange);
    return frame;
}

QWidget* Treg_addform::makeActionFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Akcje"), this);
    auto* layout = new QVBoxLayout(frame);
    auto* hint = new QLabel(QStringLiteral("Wybierz czynności, jakie mają zostać wykonane po spełnieniu warunku tej "
                                           "reguły:"),
                            frame);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    actions_ = named(new QListWidget(frame), "reg_act");
    for (const char* line : kActionLines) {
        auto* item = new QListWidgetItem(QString::fromUtf8(line), actions_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    actions_->setFixedHeight(actions_->sizeHintForRow(0) * 4 + 2 * actions_->frameWidth() + 4);
    layout->addWidget(actions_);
    connect(actions_, &QListWidget::itemChanged, this, &Treg_addform::reg_actClick);

    sendToLabel_ = named(new QLabel(QStringLiteral("Adres e-mail skrzynki pocztowej na którą ma zostać przesłana "
                                                   "wiadomość:"),
                                    frame),
                         "lab_sendto");
    sendTo_ = named(new QLineEdit(frame), "reg_sendto");
    sendTo_->setMaxLength(kTextLimit);
    replyLabel_ = named(new QLabel(QStringLiteral("Treść listu odpowiedzi:"), frame), "lab_restr");
    reply_ = named(new QPlainTextEdit(frame), "reg_restr");
    reply_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reply_->setFixedHeight(90);
    connect(reply_, &QPlainTextEdit::textChanged, this, &Treg_addform::limitReplyText);
    for (QWidget* widget : {static_cast<QWidget*>(sendToLabel_), static_cast<QWidget*>(sendTo_),
                            static_cast<QWidget*>(replyLabel_), static_cast<QWidget*>(reply_)})
        layout->addWidget(widget);
    return frame;
}

QLayout* Treg_addform::makeButtons()
{
    auto* row = new QHBoxLayout;
    add_ = named(new QPushButton(QStringLiteral("&Dodaj"), this), "reg_add");
    clean_ = named(new QPushButton(QStringLiteral("&Wyczyść"), this), "reg_clean");
    auto* cancel = named(new QPushButton(QStringLiteral("&Anuluj"), this), "reg_cancel");
    add_->setDefault(true);
    row->addStretch(1);
    for (QPushButton* button : {add_, clean_, cancel})
        row->addWidget(button);
    connect(add_, &QPushButton::clicked, this, &Treg_addform::reg_addClick);
    connect(clean_, &QPushButton::clicked, this, &Treg_addform::reg_cleanClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    return row;
}

RuleDraft Treg_addform::draft() const
{
    RuleDraft draft;
    RuleRecord& rule = draft.record;
    rule.name = toWin1250(name_->text());
    rule.stat = stat_->text().toUInt();
    rule.typ = static_cast<uint8_t>(std::max(field_->currentIndex(), 0));
    rule.str = toWin1250(value_->currentText());
    for (int line = 0; line < actions_->count(); ++line)
        rule.act[static_cast<size_t>(line)] = actions_->item(line)->checkState() == Qt::Checked;
    rule.sendto = toWin1250(sendTo_->text());
    rule.restr = storedReply(reply_->toPlainText());
    rule.nofri = noFriends_->isChecked();
    draft.conditionLine = condition_->currentIndex();
    rule.sub = static_cast<uint8_t>(conditionCode(rule.typ, draft.conditionLine));
    return draft;
}

void Treg_addform::showReportField(const QString& text, int fieldPosition)
{
    constexpr int kExactMatchLine = 2;
    name_->setText(text);
    field_->setCurrentIndex(fieldPosition);
    reg_typChange();
    condition_->setCurrentIndex(kExactMatchLine);
    value_->setCurrentText(text);
}

void Treg_addform::showRule(const RuleRecord& rule)
{
    name_->setText(fromWin1250(rule.name));
    stat_->setText(QString::number(rule.stat));
    field_->setCurrentIndex(rule.typ < kRuleFieldCount ? rule.typ : 0);
    reg_typChange();
    condition_->setCurrentIndex(std::max(conditionPosition(field_->currentIndex(), rule.sub), 0));
    const QString value = fromWin1250(rule.str);
    int preset = value_->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (preset < 0 && !value_->isEditable()) {
        // A fixed list must not drop a value it does not offer: the user would
        // save an empty value without seeing it.
        value_->addItem(value);
        preset = value_->count() - 1;
    }
    if (preset >= 0)
        value_->setCurrentIndex(preset);
    value_->setCurrentText(value);
    const QSignalBlocker quiet(actions_);
    for (int line = 0; line < actions_->count(); ++line)
        actions_->item(line)->setCheckState(rule.act[static_cast<size_t>(line)] ? Qt::Checked : Qt::Unchecked);
    sendTo_->setText(fromWin1250(rule.sendto));
    reply_->setPlainText(shownReply(rule.restr));
    noFriends_->setChecked(rule.nofri);
    reg_actClick();
}

void Treg_addform::reg_addClick()
{
    std::set<RuleSaveQuestion> yes;
    for (;;) {
        const session::ChangeResult result = session_.saveRule(editIndex_, draft(), yes);
        if (result.question) {
            if (!prompter_.ask(fromWin1250(result.question->caption), fromWin1250(result.question->text)))
                return;
            yes.insert(result.question->which);
            continue;
        }
        if (!showChangeOutcome(prompter_, result, QStringLiteral("Błąd dodawania reguły wiadomości")))
            return;
        break;
    }
    if (closeAfterSave_)
        close();
    reg_cleanClick();
}

void Treg_addform::reg_cleanClick()
{
    RuleRecord defaults;
    defaults.typ = static_cast<uint8_t>(RuleField::Sender);
    defaults.act = {true, false, false, true};
    showRule(defaults);
    condition_->setCurrentIndex(0);
    value_->setCurrentText(QString());
}

void Treg_addform::reg_typChange()
{
    const int field = field_->currentIndex();
    condition_->clear();
    if (field >= 0 && static_cast<size_t>(field) < kRuleFieldCount) {
        for (const std::string& line : conditionNames()[static_cast<size_t>(field)])
            if (line != kMissingCondition)
                condition_->addItem(fromWin1250(line));
    }
    fillValuePresets(field);
    condition_->setCurrentIndex(0);
}

void Treg_addform::fillValuePresets(int field)
{
    value_->clear();
    value_->setEditable(!ruleValueIsFixed(field));
    if (value_->isEditable()) {
        value_->lineEdit()->setMaxLength(kTextLimit);
        value_->setInsertPolicy(QComboBox::NoInsert);
    }
    for (const std::string& preset : rulePresetValues(field))
        value_->addItem(fromWin1250(preset));
    const QString start = fromWin1250(defaultRuleValue(field));
    value_->setCurrentIndex(value_->findText(start, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (value_->isEditable())
        value_->setCurrentText(start);
}

void Treg_addform::reg_actClick()
{
    const bool forwards = actions_->item(kForwardLine)->checkState() == Qt::Checked;
    const bool replies = actions_->item(kReplyLine)->checkState() == Qt::Checked;
    sendToLabel_->setEnabled(forwards);
    sendTo_->setEnabled(forwards);
    replyLabel_->setEnabled(replies);
    reply_->setEnabled(replies);
}

void Treg_addform::limitReplyText()
{
    const QString text = reply_->toPlainText();
    if (text.size() <= kReplyLimit)
        return;
    const QSignalBlocker quiet(reply_);
    reply_->setPlainText(text.left(kReplyLimit));
    reply_->moveCursor(QTextCursor::End);
}

} // namespace kestrin::ui
