#include "ui/pages/accounts_page.h"

#include "ui/common/dialog_opening.h"
#include "ui/dialogs/account_form.h"
#include "ui/pages/record_list.h"
#include "ui/pages/record_list_specs.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {

AccountsPage::AccountsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter)
{
    setObjectName(QStringLiteral("page_acc"));
    auto* layout = new QVBoxLayout(this);
    list_ = new RecordList(session, prompter, accountListSpec(), this);
    list_->optionsButton()->setEnabled(false); // the account list has no options
    layout->addWidget(list_);
    list_->setEditor([this](int id) { openAccountEditor(id, id >= 0); });
}

Tpop3_addform* AccountsPage::openAccountEditor(int id, bool closeAfterSave)
{
    return openOnce(editor_, [&] { return new Tpop3_addform(session_, prompter_, id, closeAfterSave, window()); });
}

Tpop3_addform* AccountsPage::accountEditor() const
{
    return editor_;
}

} // namespace kestrin::ui
