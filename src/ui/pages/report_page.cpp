#include "ui/pages/report_page.h"

#include "ui_report_page.h"

namespace kestrin::ui {

ReportPage::ReportPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter), ui_(std::make_unique<::Ui::ReportPage>())
{
    ui_->setupUi(this);
    connect(ui_->pop3_checknow, &QPushButton::clicked, this, &ReportPage::pop3_checknowClick);
    connect(ui_->stat_reset, &QPushButton::clicked, this, &ReportPage::stat_resetClick);
    // At most one cycle runs: its commands rest until the cycle has ended.
    connect(&session_, &session::ProgramSession::cycleStarted, this, [this] { setCheckNowEnabled(false); });
    connect(&session_, &session::ProgramSession::cycleEnded, this, [this] {
        setCheckNowEnabled(true);
        ui_->stat_todel->setText(QStringLiteral("0"));
    });
}

ReportPage::~ReportPage() = default;

bool ReportPage::checkNowEnabled() const
{
    return ui_->pop3_checknow->isEnabled();
}

void ReportPage::setCheckNowEnabled(bool enabled)
{
    ui_->pop3_checknow->setEnabled(enabled);
}

void ReportPage::pop3_checknowClick()
{
    session_.checkNow();
}

void ReportPage::stat_resetClick()
{
    if (prompter_.ask(QStringLiteral("Czyszczenie raportu"),
                      QStringLiteral("Czy na pewno usunąć wszystkie elementy raportu?")))
        session_.clearReport();
}

} // namespace kestrin::ui
