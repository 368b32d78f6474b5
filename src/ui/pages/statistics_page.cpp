#include "ui/pages/statistics_page.h"

#include <QVBoxLayout>

namespace kestrin::ui {

StatisticsPage::StatisticsPage(session::ProgramSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("page_stat"));
    new QVBoxLayout(this);
}

} // namespace kestrin::ui
