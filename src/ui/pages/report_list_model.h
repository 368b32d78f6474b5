#pragma once
// The report lines as a list model for `stat_list`: one row per line, the
// line's Windows-1250 bytes under LineRole. A mark that rewrites a line in
// place keeps the rows (and so the selection); a new or cleared report resets.
#include "session/program_session.h"

#include <QAbstractListModel>

namespace kestrin::ui {

class ReportListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int LineRole = Qt::UserRole + 1;

    explicit ReportListModel(session::ProgramSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void followReport();

    session::ProgramSession& session_;
    int shownRows_ = 0;
};

} // namespace kestrin::ui
