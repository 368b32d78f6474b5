#include "ui/pages/accounts_page.h"

#include <QVBoxLayout>

namespace kestrin::ui {

AccountsPage::AccountsPage(session::ProgramSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("page_acc"));
    new QVBoxLayout(this);
}

} // namespace kestrin::ui
