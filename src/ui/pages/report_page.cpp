#include "ui/pages/report_page.h"

#include "ui/common/dialog_opening.h"
#include "ui/pages/report_list_model.h"
#include "ui/pages/report_row_delegate.h"
#include "ui_report_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace kestrin::ui {

ReportPage::ReportPage(session::ProgramSession& session, Prompter& prompter, ShellOpen& shell, QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter), shell_(shell), ui_(std::make_unique<::Ui::ReportPage>())
{
    ui_->setupUi(this);
    buildList();
    buildMenu();
    // The archive browser is not part of the program yet.
    auto* trash = named(new QPushButton(QStringLiteral("&Archiwum wiadomości..."), this), "trash");
    trash->setEnabled(false);
    ui_->commands_layout->insertWidget(ui_->commands_layout->indexOf(ui_->pop3_checknow), trash);
    connect(ui_->pop3_checknow, &QPushButton::clicked, this, &ReportPage::pop3_checknowClick);
    connect(ui_->stat_reset, &QPushButton::clicked, this, &ReportPage::stat_resetClick);
    // At most one cycle runs: its commands rest until the cycle has ended.
    connect(&session_, &session::ProgramSession::cycleStarted, this, [this] { setCheckNowEnabled(false); });
    connect(&session_, &session::ProgramSession::cycleEnded, this, [this] {
        setCheckNowEnabled(true);
        ui_->stat_todel->setText(QStringLiteral("0"));
        followReport();
    });
    connect(&session_, &session::ProgramSession::reportChanged, this, &ReportPage::followReport);
    connect(&session_, &session::ProgramSession::settingsLoaded, this, &ReportPage::followSettings);
    connect(&session_, &session::ProgramSession::settingsApplied, this, &ReportPage::followSettings);
    followSettings();
    followReport();
}

ReportPage::~ReportPage() = default;

void ReportPage::buildList()
{
    auto* area = new QVBoxLayout(ui_->report_area);
    area->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    view_ = named(new QComboBox(ui_->report_area), "stat_view");
    view_->addItems({QStringLiteral("Prosty"), QStringLiteral("Zaawansowany")});
    count_ = named(new QLabel(QStringLiteral("0"), ui_->report_area), "stat_count");
    top->addWidget(new QLabel(QStringLiteral("Widok raportu:"), ui_->report_area));
    top->addWidget(view_);
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("Ilość elementów raportu:"), ui_->report_area));
    top->addWidget(count_);
    area->addLayout(top);

    auto* frame = new QGroupBox(QStringLiteral("Wiadomości pocztowe"), ui_->report_area);
    list_ = named(new QListView(frame), "stat_list");
    model_ = new ReportListModel(session_, list_);
    delegate_ = new ReportRowDelegate(list_);
    list_->setModel(model_);
    list_->setItemDelegate(delegate_);
    list_->setUniformItemSizes(true); // a long report scrolls without measuring each row
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    (new QVBoxLayout(frame))->addWidget(list_);
    area->addWidget(frame, 1);
    connect(view_, &QComboBox::activated, this, &ReportPage::stat_viewChange);
    connect(list_, &QListView::doubleClicked, this, &ReportPage::showDetails);
    connect(list_, &QListView::customContextMenuRequested, this, &ReportPage::report_menuPopup);
}

// RepView 0 "Prosty" (one line a row), 1 "Zaawansowany" (two); the bold
// rows and the deleted-message colour come with the settings too.
void ReportPage::followSettings()
{
    const Settings& settings = session_.data().settings;
    view_->setCurrentIndex(settings.repView == 0 ? 0 : 1);
    ReportRowStyle style = delegate_->style();
    style.advanced = view_->currentIndex() == 1;
    style.deletedColor =
        QColor(settings.delMsgColorR & 0xFF, settings.delMsgColorG & 0xFF, settings.delMsgColorB & 0xFF);
    delegate_->setStyle(style);
    // The rows change height: lay them out again, keeping the selected line.
    const int line = selectedLine();
    list_->reset();
    if (line >= 0)
        selectLine(line);
}

void ReportPage::stat_viewChange()
{
    session_.data().settings.repView = view_->currentIndex();
    followSettings();
}

void ReportPage::followReport()
{
    ReportRowStyle style = delegate_->style();
    style.newEntryCount = std::abs(session_.state().newEntryCount);
    delegate_->setStyle(style);
    count_->setText(QString::number(session_.data().report.size()));
    list_->viewport()->update();
}

bool ReportPage::checkNowEnabled() const
{
    return ui_->pop3_checknow->isEnabled();
}

void ReportPage::setCheckNowEnabled(bool enabled)
{
    ui_->pop3_checknow->setEnabled(enabled);
}

void ReportPage::selectLine(int line)
{
    list_->setCurrentIndex(model_->index(line));
}

int ReportPage::selectedLine() const
{
    const QModelIndex current = list_->currentIndex();
    return current.isValid() && list_->selectionModel()->isSelected(current) ? current.row() : -1;
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
