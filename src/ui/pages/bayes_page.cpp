#include "ui/pages/bayes_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {

BayesPage::BayesPage(session::ProgramSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("page_bay"));
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Właściwości"), this);
    frame->setLayout(new QVBoxLayout);
    layout->addWidget(frame);
    layout->addStretch(1);
    active_ = addSwitch("bay_active", QStringLiteral("Zastosuj filtr Bayesa podczas analizy wiadomości"),
                        QStringLiteral("Filtr Bayesa będzie stosowany tylko wówczas, gdy zostanie oznaczona "
                                       "przynajmniej kilka (nie pustych) wiadomości zarówno jako \"dobra "
                                       "wiadomość\" oraz jako \"spam\"."),
                        &Settings::bayesActive);
    safeMode_ =
        addSwitch("bay_safemode", QStringLiteral("Tryb bezpieczeństwa"),
                  QStringLiteral("Tryb ten zmniejsza dwukrotnie możliwość oznaczenia przez filtr Baysa wiadomości jako "
                                 "\"spam\", co zabezpiecza przed jej przypadkowym usunięciem, lecz również powoduje "
                                 "osłabienie mocy filtru. Tryb ten zalecany jest dla początkujących użytkowników."),
                  &Settings::bayesSafeMode);
    auto* options = new QPushButton(QStringLiteral("Opcje"), this);
    options->setObjectName(QStringLiteral("bay_opcje"));
    options->setEnabled(false); // the word database viewer comes with the mended filter
    layout->addWidget(options, 0, Qt::AlignRight);
    connect(&session_, &session::ProgramSession::settingsLoaded, this, &BayesPage::showSettings);
    showSettings();
}

QCheckBox* BayesPage::addSwitch(const char* name, const QString& caption, const QString& explanation,
                                bool Settings::*value)
{
    QWidget* frame = findChild<QGroupBox*>();
    auto* box = new QCheckBox(caption, frame);
    box->setObjectName(QString::fromLatin1(name));
    auto* text = new QLabel(explanation, frame);
    text->setWordWrap(true);
    text->setIndent(20);
    frame->layout()->addWidget(box);
    frame->layout()->addWidget(text);
    // The cycle reads the switch when it starts; nothing else follows at once.
    connect(box, &QCheckBox::toggled, this, [this, value](bool on) { session_.data().settings.*value = on; });
    return box;
}

void BayesPage::showSettings()
{
    active_->setChecked(session_.data().settings.bayesActive);
    safeMode_->setChecked(session_.data().settings.bayesSafeMode);
}

} // namespace kestrin::ui
