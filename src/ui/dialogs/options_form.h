#pragma once
// Toptions, the settings window "Kestrin - ustawienia". Created once at
// program start and only shown and hidden after that. Its creation finishes
// the start-up: it loads every stored file, applies the settings in start-up
// mode and starts the first check cycle. Its controls are the live settings:
// every change goes into ProgramData::settings at once, and "apply" only
// passes the settings that live in the main window (timer, tray, transparency)
// and the autostart entry on.
#include "platform/desktop/autostart.h"
#include "storage/program_data.h"
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
    kestrin::Autostart& autostart;
};

class Toptions : public QDialog {
    Q_OBJECT
public:
    // programPath and programArguments are what the autostart entry starts.
    // The main window disables itself while this window is shown, and Qt
    // disables a window's child windows with it: give a parent only when
    // the host disables something else than that parent.
    Toptions(std::string programFolder, ProgramData& programData, OptionsHost& host, OptionsServices services,
             QString programPath, QStringList programArguments, QWidget* parent = nullptr);
    ~Toptions() override;

    // The window's creation steps: load-all (an error box on failure, start-up
    // goes on), apply in start-up mode, the tray previews, the main window's
    // item counts and the first check cycle.
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
    void mailcleanClick();
    void mccleanClick();
    void mscndcleanClick();
    void cafilecleanClick();

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

    void applySteps();
    void applyTrayAction();
    void applyTrayIcon();
    void applyTransparency();
    void applyAutostart();
    void applyStartUpSteps();

    void showTrayPreview(int iconNumber, QLabel* view, bool reportFailure);
    void showTrayPreviews(bool reportFailure);
    QString trayIconPath(int iconNumber) const;
    void chooseFile(QLineEdit* edit, std::string Settings::*key, const QString& startFolder, const QString& filter);
    void clearFile(QLineEdit* edit, std::string Settings::*key);
    void snapMaxMsgToStep();
    void delmsgcolorChange(const QColor& color);

    std::string programFolder_;
    ProgramData& data_;
    OptionsHost& host_;
    OptionsServices services_;
    QString programPath_;
    QStringList programArguments_;
    std::unique_ptr<::Ui::OptionsForm> ui_;
    SettingsBinding binding_;
    // True only while the window's creation runs "apply": the start-up-only
    // steps (address-book import, report limit, archive clean-up, list views).
    bool startUp_ = false;
};

} // namespace kestrin::ui
