#include "ui/pages/friends_page.h"

#include <QVBoxLayout>

namespace kestrin::ui {

FriendsPage::FriendsPage(session::ProgramSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("page_fri"));
    new QVBoxLayout(this);
}

} // namespace kestrin::ui
