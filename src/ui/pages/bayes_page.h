#pragma once
// The "Filtr Bayesa": the word filter's switches, read by the next check cycle
// and saved with the settings. A view over the session.
#include "session/program_session.h"

#include <QWidget>

class QCheckBox;

namespace kestrin::ui {

class BayesPage : public QWidget {
    Q_OBJECT
public:
    explicit BayesPage(session::ProgramSession& session, QWidget* parent = nullptr);

private:
    QCheckBox* addSwitch(const char* name, const QString& caption, const QString& explanation, bool Settings::*value);
    void showSettings();

    session::ProgramSession& session_;
    QCheckBox* active_ = nullptr;
    QCheckBox* safeMode_ = nullptr;
};

} // namespace kestrin::ui
