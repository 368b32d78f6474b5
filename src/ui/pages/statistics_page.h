#pragma once
// The "Statystyki": this run's and all-time counts of checked, accepted and
// deleted messages and errors with their shares and bars, the word filter's
// marks, and the menu that resets the message counts. A view over the session.
#include "session/program_session.h"
#include "ui/artwork/glyphs.h"
#include "ui/common/prompter.h"

#include <QWidget>

#include <map>
#include <string>

class QGridLayout;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;

namespace kestrin::ui {

class StatisticsPage : public QWidget {
    Q_OBJECT
public:
    StatisticsPage(session::ProgramSession& session, Prompter& prompter, QWidget* parent = nullptr);

    QMenu& popup() const { return *popup_; }

public slots:
    // Every label and bar from the counters.
    void refresh();
    // stat_popup's items: tag 0 this run, 1 the totals, 10 both.
    void stat_clearClick(int tag);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* messageFrame(const QString& title, artwork::Glyph glyph, const char* name, bool withBars);
    QGroupBox* bayesFrame();
    void buildPopup();
    QLabel* valueLabel(QWidget* parent, const std::string& name);
    QProgressBar* bar(QWidget* parent, const std::string& name);

    session::ProgramSession& session_;
    Prompter& prompter_;
    QMenu* popup_ = nullptr;
    std::map<std::string, QLabel*> labels_;
    std::map<std::string, QProgressBar*> bars_;
};

} // namespace kestrin::ui
