#include "ui/dialogs/overlap_form.h"

#include "ui/common/win1250_text.h"
#include "ui/pages/record_table_model.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kestrin::ui {
namespace {

const QString kCaption = QStringLiteral("Nakładające się reguły wiadomości");
const QString kNothingFound = QStringLiteral("Nie znaleziono żadnych nakładających się reguł wiadomości!");

enum Column { IdColumn, NameColumn, CoveredByColumn };

} // namespace

Tsimreg::Tsimreg(session::ProgramSession& session, Prompter& prompter, QWidget* parent)
    : QDialog(parent), session_(session), prompter_(prompter)
{
    setObjectName(QStringLiteral("simreg"));
    setWindowTitle(QStringLiteral("Kestrin sweeper - nakładające się reguły wiadomości"));
    if (parent != nullptr)
        setWindowOpacity(parent->window()->windowOpacity());
    resize(560, 400);

    auto* frame = new QGroupBox(QStringLiteral("Wyszukiwanie nakładających się reguł wiadomości"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    auto* about = new QLabel(QStringLiteral("Reguły wiadomości z poniższej listy są wykluczone przez inne. Oznacza to "
                                            "iż nie są ona potrzebne do prawidłowego, i takiego jak dotychczas, "
                                            "funkcjonowania programu."),
                             frame);
    about->setWordWrap(true);
    frameLayout->addWidget(about);
    list_ = new QTreeWidget(frame);
    list_->setObjectName(QStringLiteral("simreg_list"));
    list_->setHeaderLabels(
        {QStringLiteral("ID"), QStringLiteral("Nazwa reguły"), QStringLiteral("Nazwa reguły nadrzędnej")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionsClickable(false);
    list_->setColumnWidth(IdColumn, 70);
    list_->setColumnWidth(NameColumn, 200);
    frameLayout->addWidget(list_, 1);
    wait_ = new QLabel(QStringLiteral("Przetwarzanie danych, proszę czekać..."), frame);
    wait_->setObjectName(QStringLiteral("simreg_wait"));
    wait_->setAlignment(Qt::AlignCenter);
    wait_->hide();
    frameLayout->addWidget(wait_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addWidget(makeButtons());
}

QWidget* Tsimreg::makeButtons()
{
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    const auto add = [this, buttons, row](const char* name, const QString& text, void (Tsimreg::*click)()) {
        auto* button = new QPushButton(text, buttons);
        button->setObjectName(QString::fromLatin1(name));
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, click);
        return button;
    };
    add("simreg_search", QStringLiteral("Szukaj"), &Tsimreg::simreg_searchClick)->setDefault(true);
    add("simreg_del", QStringLiteral("Usuń zaznaczone reguły wiadomości"), &Tsimreg::simreg_delClick);
    add("selall", QStringLiteral("Zaznacz wszystko"), &Tsimreg::selallClick);
    add("dselall", QStringLiteral("Odznacz wszystko"), &Tsimreg::dselallClick);
    add("invsel", QStringLiteral("Odwróć zaznaczenie"), &Tsimreg::invselClick);
    row->addStretch(1);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), buttons);
    cancel->setObjectName(QStringLiteral("simreg_cancel"));
    row->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    return buttons;
}

std::vector<OverlapLine> Tsimreg::lines() const
{
    std::vector<OverlapLine> shown;
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list_->topLevelItem(row);
        shown.push_back({item->text(IdColumn).toULong(), toWin1250(item->text(NameColumn)),
                         toWin1250(item->text(CoveredByColumn)), item->checkState(IdColumn) == Qt::Checked});
    }
    return shown;
}

void Tsimreg::showLines(const std::vector<OverlapLine>& lines)
{
    list_->clear();
    const std::vector<RuleRecord>& rules = session_.data().rules;
    for (const OverlapLine& line : lines) {
        auto* item =
            new QTreeWidgetItem(list_, {QString::number(line.id), fromWin1250(line.name), fromWin1250(line.coveredBy)});
        item->setCheckState(IdColumn, line.checked ? Qt::Checked : Qt::Unchecked);
        if (line.id < rules.size())
            item->setIcon(IdColumn, recordImage(rules[line.id].icon));
    }
}

void Tsimreg::setWaiting(bool waiting)
{
    list_->setVisible(!waiting);
    wait_->setVisible(waiting);
    if (waiting)
        repaint(); // the work runs on this thread: show the label before it starts
}

void Tsimreg::simreg_searchClick()
{
    const std::vector<RuleRecord>& rules = session_.data().rules;
    if (rules.size() < 2)
        return;
    setWaiting(true);
    showLines(findOverlappingRules(rules));
    setWaiting(false);
    if (list_->topLevelItemCount() == 0)
        prompter_.show(PromptIcon::Warning, kCaption, kNothingFound);
}

void Tsimreg::simreg_delClick()
{
    if (list_->topLevelItemCount() == 0) {
        prompter_.show(PromptIcon::Warning, kCaption, kNothingFound);
        return;
    }
    if (!prompter_.ask(kCaption, QStringLiteral("Czy na pewno usunąć wybrane reguły wiadomości?")))
        return;
    setWaiting(true);
    std::vector<OverlapLine> left = lines();
    const session::ChangeResult result = session_.deleteOverlappingRules(left);
    showLines(left);
    setWaiting(false);
    if (!result.saveError.empty())
        prompter_.show(PromptIcon::Error, programCaption(), fromWin1250(result.saveError));
}

void Tsimreg::setEveryCheck(const std::function<Qt::CheckState(Qt::CheckState)>& next)
{
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        item->setCheckState(IdColumn, next(item->checkState(IdColumn)));
    }
}

void Tsimreg::selallClick()
{
    setEveryCheck([](Qt::CheckState) { return Qt::Checked; });
}

void Tsimreg::dselallClick()
{
    setEveryCheck([](Qt::CheckState) { return Qt::Unchecked; });
}

void Tsimreg::invselClick()
{
    setEveryCheck([](Qt::CheckState state) { return state == Qt::Checked ? Qt::Unchecked : Qt::Checked; });
}

} // namespace kestrin::ui
