#pragma once
// Tpop3_addform, "Kestrin - dodawanie konta pocztowego": the form of one
// account. The save steps and the store are the session's; the connection
// test runs on a thread of its own so the window never waits on a server.
#include "engine/connection_check.h"
#include "session/program_session.h"
#include "ui/common/prompter.h"

#include <QDialog>

#include <memory>
#include <thread>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrin::ui {

class Tpop3_addform : public QDialog {
    Q_OBJECT
public:
    // editIndex -1 opens a new-account form; closeAfterSave is off for the
    // page's "Dodaj...", so several accounts can be entered in a row.
    Tpop3_addform(session::ProgramSession& session, Prompter& prompter, int editIndex, bool closeAfterSave,
                  QWidget* parent = nullptr);
    // Aborts a running connection test and waits for its thread.
    ~Tpop3_addform() override;

    int editIndex() const { return editIndex_; }
    // What the controls hold, as the save steps read it.
    AccountRecord account() const;
    bool connectionTestRunning() const { return testThread_.joinable() && !testFinished_; }

public slots:
    void pop3_addClick();
    void pop3_cleanClick();
    void pop3_maxmClick();
    void pop3_sslChange();
    void pop3_testClick();

signals:
    // The connection test ended and its texts are shown.
    void connectionTested(bool loggedIn);

private:
    QWidget* makeServerFrame();
    QWidget* makeLoginFrame();
    QLayout* makeSizeRow();
    QLayout* makeTestRow();
    QLayout* makeButtons();
    void showAccount(const AccountRecord& account);
    void setSizeBox(bool limited, const QString& text);
    void showTestResult(const ConnectionCheckResult& result);
    void stopConnectionTest();

    session::ProgramSession& session_;
    Prompter& prompter_;
    const int editIndex_;
    const bool closeAfterSave_;
    int shownSecurity_ = 0;

    QLineEdit* name_ = nullptr;
    QLineEdit* pop3_ = nullptr;
    QLineEdit* pop3Port_ = nullptr;
    QComboBox* security_ = nullptr;
    QLineEdit* smtp_ = nullptr;
    QLineEdit* smtpPort_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QCheckBox* maxSize_ = nullptr;
    QLineEdit* size_ = nullptr;
    QCheckBox* noReport_ = nullptr;
    QPushButton* test_ = nullptr;
    QLabel* testResult_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* clean_ = nullptr;

    std::unique_ptr<AccountConnectionCheck> check_;
    std::thread testThread_;
    bool testFinished_ = true;
};

} // namespace kestrin::ui
