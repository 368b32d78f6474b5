#include "ui/pages/friends_page.h"

#include "ui/artwork/glyphs.h"
#include "ui/common/dialog_opening.h"
#include "ui/dialogs/friend_form.h"
#include "ui/pages/friend_import_command.h"
#include "ui/pages/record_list.h"
#include "ui/pages/record_list_specs.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrin::ui {

FriendsPage::FriendsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter)
{
    setObjectName(QStringLiteral("page_fri"));
    auto* layout = new QVBoxLayout(this);
    list_ = new RecordList(session, prompter, friendListSpec(), this);
    layout->addWidget(list_);
    auto* note = new QLabel(
        QStringLiteral("Wiadomości otrzymane od nadawców z powyższej listy nie zostaną nigdy skasowana nawet gdy "
                       "spełniają którąś ze zdefiniowanych reguł wiadomości (chyba że zaznaczono inaczej)."),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("fri_popup"));
    QAction* import = popup->addAction(artwork::glyphIcon(static_cast<int>(artwork::Glyph::AddressBook)),
                                       QStringLiteral("Importuj adresy przyjaciół z książki adresowej..."));
    import->setObjectName(QStringLiteral("fri_importfri"));
    connect(import, &QAction::triggered, this, [this] { runFriendImport(session_, prompter_, false); });
    connect(&session, &session::ProgramSession::addressBookImportRequested, this,
            [this] { runFriendImport(session_, prompter_, true); });
    connect(list_->optionsButton(), &QPushButton::clicked, popup, [popup] { popup->popup(QCursor::pos()); });
    list_->setEditor([this](int id) { openFriendEditor(id, id >= 0); });
}

Tfri_addform* FriendsPage::openFriendEditor(int id, bool closeAfterSave)
{
    return openOnce(editor_, [&] { return new Tfri_addform(session_, prompter_, id, closeAfterSave, window()); });
}

Tfri_addform* FriendsPage::friendEditor() const
{
    return editor_;
}

} // namespace kestrin::ui
