#pragma once
// The "Raport" page: the list of checked messages (`stat_list`) in a simple
// or advanced view, its menu of commands on one message, the legend, the count
// of messages marked for deletion, and the commands "Sprawdź teraz / usuń" and
// "Wyczyść". A view over the session; the rule and friend editors it asks for
// belong to their pages.
#include "engine/bayes_filter.h"
#include "platform/desktop/shell_open.h"
#include "session/program_session.h"
#include "ui/common/prompter.h"
#include "ui/dialogs/report_detail_form.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QModelIndex;

namespace Ui {
class ReportPage;
}

namespace kestrin::ui {

class ReportListModel;
class ReportRowDelegate;

class ReportPage : public QWidget {
    Q_OBJECT
public:
    ReportPage(session::ProgramSession& session, Prompter& prompter, ShellOpen& shell, QWidget* parent = nullptr);
    ~ReportPage() override;

    // Whether "Sprawdź teraz / usuń" may run now (the tray's check command asks).
    bool checkNowEnabled() const;
    QListView& list() const { return *list_; }
    QMenu& menu() const { return *menu_; }
    ReportRowDelegate& rowDelegate() const { return *delegate_; }
    Tstatdetail* detailsWindow() const;
    // Selects the report line (the commands act on the selected line).
    void selectLine(int line);

public slots:
    void pop3_checknowClick();
    void stat_resetClick();
    void stat_viewChange();
    void report_menuPopup();
    // The menu's commands on the selected message.
    void showDetails();
    void ruleFromField(int field);
    void friendFromSender();
    void markBayes(BayesList list);
    void markSpamAndDelete();
    void replyToSender();
    void markForDeletion();

signals:
    // The rule editor, new and closing after its save, pre-filled with the
    // text for the rule field at fieldPosition.
    void ruleRequested(const QString& text, int fieldPosition);
    // The friend editor, new and closing after its save, pre-filled.
    void friendRequested(const kestrin::FriendRecord& sender);

private:
    void buildList();
    void buildMenu();
    void followSettings();
    void followReport();
    void setCheckNowEnabled(bool enabled);
    // The selected line's fields when it is a message, else nothing.
    std::optional<std::vector<std::string>> selectedMessage() const;
    int selectedLine() const;

    session::ProgramSession& session_;
    Prompter& prompter_;
    ShellOpen& shell_;
    std::unique_ptr<::Ui::ReportPage> ui_;
    QListView* list_ = nullptr;
    QComboBox* view_ = nullptr;
    QLabel* count_ = nullptr;
    QMenu* menu_ = nullptr;
    ReportListModel* model_ = nullptr;
    ReportRowDelegate* delegate_ = nullptr;
    QPointer<Tstatdetail> details_;
};

} // namespace kestrin::ui
