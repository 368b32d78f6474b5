#include "ui/pages/rules_page.h"

#include <QVBoxLayout>

namespace kestrin::ui {

RulesPage::RulesPage(session::ProgramSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("page_reg"));
    new QVBoxLayout(this);
}

} // namespace kestrin::ui
