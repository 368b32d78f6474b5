#include "ui/pages/report_list_model.h"

namespace kestrin::ui {

ReportListModel::ReportListModel(session::ProgramSession& session, QObject* parent)
    : QAbstractListModel(parent), session_(session), shownRows_(static_cast<int>(session.data().report.size()))
{
    connect(&session_, &session::ProgramSession::reportChanged, this, &ReportListModel::followReport);
}

int ReportListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const
{
    const auto& report = session_.data().report;
    if (role != LineRole || !index.isValid() || static_cast<size_t>(index.row()) >= report.size())
        return {};
    const std::string& line = report[static_cast<size_t>(index.row())];
    return QByteArray(line.data(), static_cast<qsizetype>(line.size()));
}

void ReportListModel::followReport()
{
    const int rows = static_cast<int>(session_.data().report.size());
    if (rows == shownRows_) {
        if (rows > 0)
            emit dataChanged(index(0), index(rows - 1));
        return;
    }
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
}

} // namespace kestrin::ui
