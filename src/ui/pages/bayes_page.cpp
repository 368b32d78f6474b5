#include "ui/pages/bayes_page.h"

#include <QVBoxLayout>

namespace kestrin::ui {

BayesPage::BayesPage(session::ProgramSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("page_bay"));
    new QVBoxLayout(this);
}

} // namespace kestrin::ui
