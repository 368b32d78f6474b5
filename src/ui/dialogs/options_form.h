#pragma once
// Toptions, the settings window "Kestrin - ustawienia". Created once at
// program start and only shown and hidden after that. Its controls are the
// live settings: every change goes into the session's settings at once, and
// "apply" asks the session to apply them (the check interval, the autostart
// entry, and what the main window shows).
#include "session/program_session.h"
#include "ui/common/file_chooser.h"
#include "ui/common/prompter.h"
#include "ui/dialogs/options_binding.h"
#include "ui/dialogs/options_host.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <string>

class QLabel;
class QLineEdit;

namespace Ui {
class OptionsForm;
}

namespace kestrin::ui {

struct OptionsServices {
    Prompter& prompter;
    FileChooser& files;
};

class Toptions : public QDialog {
    Q_OBJECT
public:
    // The main window disables itself while this window is shown, and Qt
    // disables a window's child windows with it: give a parent only when
    // the host disables something else than that parent.
    Toptions(session::ProgramSession& session, OptionsHost& host, OptionsServices services, QWidget* parent = nullptr);
    ~Toptions() override;

    // The window's creation steps: from then on the controls show the
    // settings each time the session loads them.
    void formCreate();
    // The main window's "Ustawienia": the main window is disabled while this
    // window is shown.
    void showSettings();

public slots:
    void applyClick();
    void FormShow();
    void FormClose();

    void traynormalChange();
    void traynewmailChange();
    void maxmsgChange();
    void maxrepChange();
    void mcrunmailClick();

    void mailbrowseClick();
    void mcbrowseClick();
    void mcsndbrowseClick();
    void cafilebrowseClick();
    void wabfilebrowseClick();
    void mailcleanClick();
    void mccleanClick();
    void mscndcleanClick();
    void cafilecleanClick();
    void wabfilecleanClick();

    void smtphelpClick();

protected:
    // The close box and Esc close the window without applying.
    void reject() override;

private:
    void sizeDetails();
    void fillLists();
    void bindControls();
    void connectHandlers();
    void fillControls();

    void showTrayPreview(int iconNumber, QLabel* view, bool reportFailure);
    void showTrayPreviews(bool reportFailure);
    QString trayIconPath(int iconNumber) const;
    void chooseFile(QLineEdit* edit, std::string Settings::*key, const QString& startFolder, const QString& filter);
    void clearFile(QLineEdit* edit, std::string Settings::*key);
    void snapMaxMsgToStep();
    void delmsgcolorChange(const QColor& color);

    session::ProgramSession& session_;
    ProgramData& data_;
    OptionsHost& host_;
    OptionsServices services_;
    std::unique_ptr<::Ui::OptionsForm> ui_;
    SettingsBinding binding_;
};

} // namespace kestrin::ui
