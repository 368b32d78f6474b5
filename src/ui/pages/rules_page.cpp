#include "ui/pages/rules_page.h"

#include "engine/record_rows.h"
#include "ui/artwork/glyphs.h"
#include "ui/common/dialog_opening.h"
#include "ui/dialogs/overlap_form.h"
#include "ui/dialogs/rule_form.h"
#include "ui/pages/record_list.h"
#include "ui/pages/record_list_specs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {
namespace {

char localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 0x80 ? static_cast<char>(point.at(0).unicode()) : ',';
}

} // namespace

QImage ruleActionPicture(const RuleRecord& rule)
{
    static constexpr artwork::Glyph kActionGlyphs[] = {artwork::Glyph::Archive, artwork::Glyph::Forward,
                                                       artwork::Glyph::Reply, artwork::Glyph::Deleted};
    QImage picture(70, 16, QImage::Format_ARGB32);
    picture.fill(QColor(225, 225, 225));
    QPainter painter(&picture);
    for (size_t i = 0; i < rule.act.size(); ++i) {
        if (rule.act[i])
            painter.drawImage(static_cast<int>(i) * 16, 0, artwork::glyphImage(kActionGlyphs[i]));
    }
    return picture;
}

RulesPage::RulesPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter)
{
    setObjectName(QStringLiteral("page_reg"));
    auto* layout = new QVBoxLayout(this);
    list_ = new RecordList(session, prompter, ruleListSpec(), this);
    layout->addWidget(list_, 1);
    layout->addWidget(makeDetailsPanel());
    makeOptionsMenu();
    connect(list_, &RecordList::selectionChanged, this, &RulesPage::showDetails);
    // "Dodaj..." leaves the editor open for the next rule; "Edytuj..." closes it.
    list_->setEditor([this](int id) { openRuleEditor(id, id >= 0); });
    showDetails();
}

Treg_addform* RulesPage::openRuleEditor(int id, bool closeAfterSave)
{
    return openOnce(editor_, [&] { return new Treg_addform(session_, prompter_, id, closeAfterSave, window()); });
}

Treg_addform* RulesPage::ruleEditor() const
{
    return editor_;
}

Tsimreg* RulesPage::openOverlapSearch()
{
    return openOnce(overlapSearch_, [&] { return new Tsimreg(session_, prompter_, window()); });
}

QWidget* RulesPage::makeDetailsPanel()
{
    auto* frame = new QGroupBox(QStringLiteral("Właściwości / statystyki"), this);
    auto* form = new QFormLayout(frame);
    const auto label = [this](const char* name) {
        auto* shown = new QLabel(this);
        shown->setObjectName(QString::fromLatin1(name));
        return shown;
    };
    viewCount_ = label("reg_viewcount");
    viewAction_ = label("reg_viewaction");
    viewAction_->setFixedSize(70, 16);
    viewPower_ = label("reg_viewpower");
    viewPowerBar_ = new QProgressBar(this);
    viewPowerBar_->setObjectName(QStringLiteral("reg_viewpowerpb"));
    viewPowerBar_->setTextVisible(false);
    form->addRow(QStringLiteral("Ilość zastosowań:"), viewCount_);
    form->addRow(QStringLiteral("Akcje:"), viewAction_);
    form->addRow(QStringLiteral("Moc:"), viewPower_);
    form->addRow(viewPowerBar_);
    return frame;
}

void RulesPage::makeOptionsMenu()
{
    auto* popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("reg_popup"));
    QAction* bodyCorrection = popup->addAction(QStringLiteral("Automatyczna korekcja treści wiadomości..."));
    bodyCorrection->setObjectName(QStringLiteral("reg_bodycor"));
    QAction* similar = popup->addAction(artwork::glyphIcon(static_cast<int>(artwork::Glyph::Checked)),
                                        QStringLiteral("Wyszukaj nakładające się reguły wiadomości..."));
    similar->setObjectName(QStringLiteral("reg_searchsimreg"));
    // The body-correction window comes with the small dialogs.
    bodyCorrection->setEnabled(false);
    connect(similar, &QAction::triggered, this, &RulesPage::openOverlapSearch);
    connect(list_->optionsButton(), &QPushButton::clicked, popup, [popup] { popup->popup(QCursor::pos()); });
}

void RulesPage::showDetails()
{
    const std::optional<size_t> id = list_->singleSelectedId();
    const std::vector<RuleRecord>& rules = session_.data().rules;
    if (!id || *id >= rules.size()) {
        viewCount_->setText(QStringLiteral("-"));
        viewPower_->setText(QStringLiteral("-"));
        viewAction_->clear();
        viewPowerBar_->setValue(0);
        return;
    }
    const RuleRecord& rule = rules[*id];
    const RuleDetails details = ruleDetails(rule, session_.ruleHits(), localeDecimalSeparator());
    viewCount_->setText(QString::fromStdString(details.count));
    viewPower_->setText(QString::fromStdString(details.power));
    viewAction_->setPixmap(QPixmap::fromImage(ruleActionPicture(rule)));
    // The bar holds whole numbers; hit counts above its range are scaled down together.
    const uint32_t scale = details.barMaximum > INT32_MAX ? 2 : 1;
    viewPowerBar_->setMaximum(static_cast<int>(details.barMaximum / scale));
    viewPowerBar_->setValue(static_cast<int>(details.barPosition / scale));
}

} // namespace kestrin::ui
