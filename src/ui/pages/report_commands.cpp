// The report's menu and its commands on the selected message: details, rule
// or friend from its fields, the word filter's marks, the answer and the
// deletion mark. Each command does nothing unless a message row is selected.
#include "engine/reply_link.h"
#include "engine/report_row.h"
#include "ui/common/dialog_opening.h"
#include "ui/common/win1250_text.h"
#include "ui/dialogs/report_detail_form.h"
#include "ui/main/glyph_list.h"
#include "ui/pages/report_list_model.h"
#include "ui/pages/report_page.h"
#include "ui_report_page.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>

namespace kestrin::ui {
namespace {

// The rule editor's field positions for the sender's name, address and the subject.
constexpr int kRuleFieldName = 0;
constexpr int kRuleFieldSender = 1;
constexpr int kRuleFieldSubject = 3;

QAction* addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption, artwork::Glyph glyph)
{
    QAction* action = addItem(menu, name, caption);
    action->setIcon(glyphIcon(glyph));
    return action;
}

void setShortcut(QAction* action, const QKeySequence& keys, QWidget* owner)
{
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(action);
}

} // namespace

void ReportPage::buildMenu()
{
    menu_ = named(new QMenu(this), "report_menu");
    QAction* info = addItem(menu_, "report_info", QStringLiteral("Szczegóły…"), artwork::Glyph::Info);
    menu_->setDefaultAction(info);
    connect(info, &QAction::triggered, this, &ReportPage::showDetails);
    menu_->addSeparator();
    QMenu* rule = menu_->addMenu(glyphIcon(artwork::Glyph::AddRule), QStringLiteral("Stwórz nową regułę wiadomości"));
    rule->menuAction()->setObjectName(QStringLiteral("report_addreg"));
    const std::pair<const char*, const char*> ruleItems[] = {{"report_addreg_name", "Według pola nazwa..."},
                                                             {"report_addreg_from", "Według pola nadawca..."},
                                                             {"report_addreg_subject", "Według pola temat..."}};
    const int ruleFields[] = {kRuleFieldName, kRuleFieldSender, kRuleFieldSubject};
    for (size_t i = 0; i < 3; ++i)
        connect(addItem(rule, ruleItems[i].first, QString::fromUtf8(ruleItems[i].second)), &QAction::triggered, this,
                [this, field = ruleFields[i]] { ruleFromField(field); });
    connect(addItem(menu_, "report_addfri", QStringLiteral("Dodaj do listy przyjaciół..."), artwork::Glyph::AddFriend),
            &QAction::triggered, this, &ReportPage::friendFromSender);
    menu_->addSeparator();
    QMenu* bayes = menu_->addMenu(glyphIcon(artwork::Glyph::BayesGood), QStringLiteral("Filtr Bayesa"));
    bayes->menuAction()->setObjectName(QStringLiteral("report_bay"));
    QAction* good =
        addItem(bayes, "report_bay_good", QStringLiteral("Oznacz jako \"dobra wiadomość\""), artwork::Glyph::BayesGood);
    QAction* bad = addItem(bayes, "report_bay_bad", QStringLiteral("Oznacz jako \"spam\""), artwork::Glyph::BayesSpam);
    bayes->addSeparator();
    QAction* badToDelete = addItem(bayes, "report_bay_badtodel", QStringLiteral("Oznacz jako \"spam\" i do usunięcia"),
                                   artwork::Glyph::MarkedForDeletion);
    setShortcut(good, QKeySequence(Qt::CTRL | Qt::Key_A), this);
    setShortcut(bad, QKeySequence(Qt::CTRL | Qt::Key_S), this);
    setShortcut(badToDelete, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D), this);
    connect(good, &QAction::triggered, this, [this] { markBayes(BayesList::Good); });
    connect(bad, &QAction::triggered, this, [this] { markBayes(BayesList::Spam); });
    connect(badToDelete, &QAction::triggered, this, &ReportPage::markSpamAndDelete);
    menu_->addSeparator();
    connect(addItem(menu_, "report_reply", QStringLiteral("Wyślij odpowiedź..."), artwork::Glyph::Forward),
            &QAction::triggered, this, &ReportPage::replyToSender);
    menu_->addSeparator();
    QAction* toDelete =
        addItem(menu_, "report_todel", QStringLiteral("Oznacz do usunięcia"), artwork::Glyph::MarkedForDeletion);
    setShortcut(toDelete, QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(toDelete, &QAction::triggered, this, &ReportPage::markForDeletion);
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        const bool message = selectedMessage().has_value();
        for (const char* name :
             {"report_info", "report_addreg", "report_addfri", "report_bay", "report_reply", "report_todel"})
            menu_->findChild<QAction*>(QString::fromLatin1(name))->setEnabled(message);
    });
}

void ReportPage::report_menuPopup()
{
    menu_->popup(QCursor::pos());
}

std::optional<std::vector<std::string>> ReportPage::selectedMessage() const
{
    const int line = selectedLine();
    if (line < 0 || static_cast<size_t>(line) >= session_.data().report.size())
        return std::nullopt;
    ReportRow row = parseReportRow(session_.data().report[static_cast<size_t>(line)]);
    if (row.kind != ReportRowKind::Mail)
        return std::nullopt;
    return std::move(row.fields);
}

Tstatdetail* ReportPage::detailsWindow() const
{
    return details_;
}

void ReportPage::showDetails()
{
    if (const auto fields = selectedMessage())
        openOnce(details_, [&] { return new Tstatdetail(*fields, window()); });
}

void ReportPage::ruleFromField(int fieldPosition)
{
    const auto fields = selectedMessage();
    if (!fields)
        return;
    const size_t field = fieldPosition == kRuleFieldName     ? kFieldSenderName
                         : fieldPosition == kRuleFieldSender ? kFieldSenderAddress
                                                             : kFieldSubject;
    emit ruleRequested(fromWin1250((*fields)[field]), fieldPosition);
}

void ReportPage::friendFromSender()
{
    if (const auto fields = selectedMessage()) {
        FriendRecord sender;
        sender.name = (*fields)[kFieldSenderName];
        sender.mail = (*fields)[kFieldSenderAddress];
        emit friendRequested(sender);
    }
}

void ReportPage::markBayes(BayesList list)
{
    if (!selectedMessage())
        return;
    const session::ChangeResult result = session_.markBayes(static_cast<size_t>(selectedLine()), list);
    if (!result.done && !result.refusal.empty())
        prompter_.show(PromptIcon::Warning, QStringLiteral("Filtr Bayesa"), fromWin1250(result.refusal));
}

// The deletion mark follows even when the spam mark was refused.
void ReportPage::markSpamAndDelete()
{
    markBayes(BayesList::Spam);
    markForDeletion();
}

void ReportPage::replyToSender()
{
    if (const auto fields = selectedMessage())
        shell_.open(QString::fromUtf8(replyMailto((*fields)[kFieldSenderAddress], (*fields)[kFieldSubject])));
}

void ReportPage::markForDeletion()
{
    if (!selectedMessage())
        return;
    const session::ChangeResult result = session_.markForDeletion(static_cast<size_t>(selectedLine()));
    if (result.done)
        ui_->stat_todel->setText(QString::number(ui_->stat_todel->text().toInt() + 1));
    else if (!result.refusal.empty())
        prompter_.show(PromptIcon::Warning, QStringLiteral("Usuwanie wiadomości"), fromWin1250(result.refusal));
}

} // namespace kestrin::ui
