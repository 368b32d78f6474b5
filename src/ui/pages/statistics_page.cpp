#include "ui/pages/statistics_page.h"

#include "engine/statistics_texts.h"
#include "platform/locale_numbers.h"
#include "ui/common/dialog_opening.h"
#include "ui/main/glyph_list.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {
namespace {

QLabel* picture(QWidget* parent, artwork::Glyph glyph)
{
    auto* label = new QLabel(parent);
    label->setPixmap(glyphPixmap(glyph));
    return label;
}

} // namespace

StatisticsPage::StatisticsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter)
{
    setObjectName(QStringLiteral("page_stat"));
    auto* grid = new QGridLayout;
    grid->addWidget(
        messageFrame(QStringLiteral("Sprawdzonych wiadomości"), artwork::Glyph::Checked, "stat_check", false), 0, 0);
    grid->addWidget(
        messageFrame(QStringLiteral("Zaakceptowanych wiadomości"), artwork::Glyph::Accepted, "stat_accept", true), 0,
        1);
    grid->addWidget(messageFrame(QStringLiteral("Usuniętych wiadomości"), artwork::Glyph::Deleted, "stat_del", true), 1,
                    0);
    grid->addWidget(messageFrame(QStringLiteral("Błędy"), artwork::Glyph::Error, "stat_err", false), 1, 1);
    grid->addWidget(bayesFrame(), 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    auto* options = named(new QPushButton(QStringLiteral("Opcje"), this), "stat_opcje");
    buttons->addStretch(1);
    buttons->addWidget(options);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    buildPopup();
    connect(options, &QPushButton::clicked, this, [this] { popup_->popup(QCursor::pos()); });
    connect(&session_, &session::ProgramSession::countersChanged, this, &StatisticsPage::refresh);
    refresh();
}

// "Aktualnie:" and "Łącznie:" with their values (name + "0" / "1") and bars
// (the name's stem + "pb0" / "pb1").
QGroupBox* StatisticsPage::messageFrame(const QString& title, artwork::Glyph glyph, const char* name, bool withBars)
{
    auto* frame = new QGroupBox(title, this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(picture(frame, glyph), 0, 0, 2, 1, Qt::AlignTop);
    const QString captions[] = {QStringLiteral("Aktualnie:"), QStringLiteral("Łącznie:")};
    for (int n = 0; n < 2; ++n) {
        const std::string digit = std::to_string(n);
        grid->addWidget(new QLabel(captions[n], frame), n, 1);
        grid->addWidget(valueLabel(frame, name + digit), n, 2);
        if (withBars)
            grid->addWidget(bar(frame, name + std::string("pb") + digit), n, 3);
    }
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* StatisticsPage::bayesFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Filtr Bayesa"), this);
    auto* grid = new QGridLayout(frame);
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(picture(frame, artwork::Glyph::BayesGood));
    pictures->addWidget(picture(frame, artwork::Glyph::BayesSpam));
    grid->addLayout(pictures, 0, 0, Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("Ilość oznaczonych wiadomości:"), frame), 0, 1);
    grid->addWidget(valueLabel(frame, "bay_statall"), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Wiadomości oznaczone jako \"dobra wiadomość\":"), frame), 1, 1);
    grid->addWidget(valueLabel(frame, "bay_stat0"), 1, 2);
    grid->addWidget(bar(frame, "bay_stat0pb"), 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Wiadomości oznaczonych jako \"spam\":"), frame), 2, 1);
    grid->addWidget(valueLabel(frame, "bay_stat1"), 2, 2);
    grid->addWidget(bar(frame, "bay_stat1pb"), 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Ilość usuniętych wiadomości:"), frame), 3, 1);
    grid->addWidget(valueLabel(frame, "bay_statdel"), 3, 2);
    grid->setColumnStretch(3, 1);
    return frame;
}

void StatisticsPage::buildPopup()
{
    popup_ = named(new QMenu(this), "stat_popup");
    const auto item = [this](const char* name, const QString& caption, int tag) {
        QAction* action = popup_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, tag] { stat_clearClick(tag); });
        return action;
    };
    item("stat_clear0", QStringLiteral("Wyzeruj aktualne statystyki wiadomości"), 0);
    item("stat_clear1", QStringLiteral("Wyzeruj łączne statystyki wiadomości"), 1);
    popup_->addSeparator();
    item("stat_clear10", QStringLiteral("Wyzeruj wszystkie statystyki wiadomości"), 10)
        ->setIcon(glyphIcon(artwork::Glyph::ResetStatistics));
}

QLabel* StatisticsPage::valueLabel(QWidget* parent, const std::string& name)
{
    auto* label = new QLabel(QStringLiteral("0"), parent);
    label->setObjectName(QString::fromStdString(name));
    label->setMinimumWidth(110);
    labels_[name] = label;
    return label;
}

QProgressBar* StatisticsPage::bar(QWidget* parent, const std::string& name)
{
    auto* progress = new QProgressBar(parent);
    progress->setObjectName(QString::fromStdString(name));
    progress->setRange(0, 100);
    progress->setTextVisible(false);
    bars_[name] = progress;
    return progress;
}

void StatisticsPage::refresh()
{
    const StatisticsTexts texts = statisticsTexts(session_.data().counters, localeDecimalSeparator());
    for (const auto& [name, text] : texts.labels)
        labels_.at(name)->setText(QString::fromStdString(text));
    for (const auto& [name, value] : texts.bars)
        bars_.at(name)->setValue(value);
}

void StatisticsPage::stat_clearClick(int tag)
{
    if (!prompter_.ask(QStringLiteral("Zerowanie statystyki wiadomości"),
                       QStringLiteral("Czy na pewno wyzerować wybrane statystyki wiadomości?")))
        return;
    session_.resetCounters(tag == 0   ? session::CounterReset::Run
                           : tag == 1 ? session::CounterReset::Totals
                                      : session::CounterReset::RunAndTotals);
}

void StatisticsPage::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

} // namespace kestrin::ui
