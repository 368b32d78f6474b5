#pragma once
// The "Raport" page: the list of checked messages (drawn by its later view),
// the legend, the count of messages marked for deletion, and the commands
// "Sprawdź teraz / usuń" and "Wyczyść". A view over the session.
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QWidget>

#include <memory>

namespace Ui {
class ReportPage;
}

namespace kestrin::ui {

class ReportPage : public QWidget {
    Q_OBJECT
public:
    ReportPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);
    ~ReportPage() override;

    // Whether "Sprawdź teraz / usuń" may run now (the tray's check command asks).
    bool checkNowEnabled() const;

public slots:
    void pop3_checknowClick();
    void stat_resetClick();

private:
    void setCheckNowEnabled(bool enabled);

    session::ProgramSession& session_;
    Prompter& prompter_;
    std::unique_ptr<::Ui::ReportPage> ui_;
};

} // namespace kestrin::ui
