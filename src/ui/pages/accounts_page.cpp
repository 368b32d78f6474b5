#include "ui/pages/accounts_page.h"

#include "ui/pages/record_list_specs.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {

AccountsPage::AccountsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("page_acc"));
    auto* layout = new QVBoxLayout(this);
    list_ = new RecordList(session, prompter, accountListSpec(), this);
    list_->optionsButton()->setEnabled(false); // the account list has no options
    layout->addWidget(list_);
}

} // namespace kestrin::ui
