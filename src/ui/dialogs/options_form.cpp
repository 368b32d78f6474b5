#include "ui/dialogs/options_form.h"

#include "engine/archive_cleanup.h"
#include "storage/report_file.h"
#include "storage/settings_lists.h"
#include "text/date_time.h"
#include "ui/common/tray_icon_files.h"
#include "ui/common/win1250_text.h"
#include "ui/dialogs/color_box.h"
#include "ui_options_form.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>

namespace kestrin::ui {
namespace {

constexpr int kMaxTrayIcon = 14;
constexpr int kMaxMsgStep = 5;
constexpr int kPreviewSize = 32;

QString skinFilter()
{
    return QStringLiteral("Skórka Kestrin sweeper (*.ini)|*.ini|Wszystkie pliki (*.*)|*.*");
}

QString soundFilter()
{
    return QStringLiteral("Wszystkie pliki muzyki (*.wav)|*.wav|Wszystkie pliki (*.*)|*.*");
}

QString certificateFilter()
{
    return QStringLiteral("Certyfikaty (*.pem *.crt)|*.pem;*.crt|Wszystkie pliki (*.*)|*.*");
}

QString addressBookFilter()
{
    return QStringLiteral("Wizytówki vCard (*.vcf *.vcard)|*.vcf;*.vcard|Wszystkie pliki (*.*)|*.*");
}

QString smtpHelpText()
{
    return QStringLiteral("Dane serwera poczty wychodzącej wykorzystywane są do przesyłania dalej wiadomości lub do "
                          "automatycznego odpowiadania na pocztę przychodzącą, zgodnie z wybranymi akcjami w "
                          "regułach wiadomości.");
}

void fillList(QComboBox* box, SettingsList list)
{
    for (const std::string& item : listItems(list))
        box->addItem(fromWin1250(item));
}

// The folder of the file a control names, when it is an absolute path whose
// folder exists; otherwise the dialog's own default.
QString existingFolderOf(const QString& file)
{
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isAbsolute() || !info.absoluteDir().exists())
        return {};
    return info.absolutePath();
}

int byteOf(int32_t value)
{
    return std::clamp(value, 0, 255);
}

} // namespace

Toptions::Toptions(session::ProgramSession& session, OptionsHost& host, OptionsServices services, QWidget* parent)
    : QDialog(parent), session_(session), data_(session.data()), host_(host), services_(services),
      ui_(std::make_unique<::Ui::OptionsForm>()), binding_(session.data().settings)
{
    ui_->setupUi(this);
    // Only the tray menu's quit command ends the program, never closing this
    // window while the main window is hidden in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);
    sizeDetails();
    fillLists();
    bindControls();
    connectHandlers();
}

Toptions::~Toptions() = default;

void Toptions::sizeDetails()
{
    const QFontMetrics metrics(font());
    // The slider labels keep the width of their longest text, so that the
    // sliders do not move while they are dragged.
    ui_->maxrep_lab->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("250 pozycji")));
    ui_->maxmsg_lab->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("100 dni")));
    // Room for the five digits of a port number and the field's frame.
    ui_->smtpport->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("000000")) + 2 * metrics.height());
}

void Toptions::fillLists()
{
    fillList(ui_->min, SettingsList::Min);
    fillList(ui_->sek, SettingsList::Sek);
    fillList(ui_->accwait, SettingsList::AccWait);
    fillList(ui_->accskip, SettingsList::AccSkip);
    fillList(ui_->trayaction, SettingsList::DefaultTrayAction);
    fillList(ui_->alpha, SettingsList::Alpha);
    fillList(ui_->mailwait, SettingsList::MailWait);
    fillList(ui_->netwait, SettingsList::NetWait);
}

void Toptions::bindControls()
{
    binding_.bind(ui_->min, &Settings::min);
    binding_.bind(ui_->sek, &Settings::sek);
    binding_.bind(ui_->accwait, &Settings::accWait);
    binding_.bind(ui_->accskip, &Settings::accSkip);
    binding_.bind(ui_->mcinfo, &Settings::mailCheckInfo);
    binding_.bind(ui_->mcsound, &Settings::mailCheckSound);
    binding_.bind(ui_->mcautoclose, &Settings::mailCheckAutoClose);
    binding_.bind(ui_->mcrunmail, &Settings::mailCheckRunMail);
    binding_.bind(ui_->runatstartup, &Settings::runAtStartup);
    binding_.bind(ui_->frisynch, &Settings::wabSynch);

    binding_.bind(ui_->trayaction, &Settings::defaultTrayAction);
    binding_.bind(ui_->traynormal, &Settings::normalTrayIcon);
    binding_.bind(ui_->traynewmail, &Settings::newMailTrayIcon);
    binding_.bind(ui_->mcskin, &Settings::mailCheckSkin);
    binding_.bind(ui_->mcsample, &Settings::mailCheckSample);
    binding_.bind(ui_->alpha, &Settings::alpha);

    binding_.bind(ui_->mailwait, &Settings::mailWait);
    binding_.bind(ui_->skipnetcheck, &Settings::skipNetCheck);
    binding_.bind(ui_->netwait, &Settings::netWait);
    binding_.bind(ui_->smtphost, &Settings::smtpHost);
    binding_.bind(ui_->smtpport, &Settings::smtpPort);
    binding_.bind(ui_->smtpsecurity, &Settings::smtpSecurity);
    binding_.bind(ui_->smtpuser, &Settings::smtpUser);
    binding_.bind(ui_->smtppass, &Settings::smtpPass);
    binding_.bind(ui_->smtpmail, &Settings::smtpMail);
    binding_.bind(ui_->cafile, &Settings::caFile);
    binding_.bind(ui_->wabfile, &Settings::addressBookFile);

    binding_.bind(ui_->maxrep, &Settings::maxRep);
    binding_.bind(ui_->clearreponstart, &Settings::clearRepOnStart);

    binding_.bind(ui_->mail, &Settings::mail);
    binding_.bind(ui_->maxmsg, &Settings::maxMsg);
    binding_.bind(ui_->cleararchonstart, &Settings::clearArchOnStart);
}

void Toptions::connectHandlers()
{
    connect(ui_->apply, &QPushButton::clicked, this, &Toptions::applyClick);
    connect(ui_->traynormal, &QSlider::valueChanged, this, &Toptions::traynormalChange);
    connect(ui_->traynewmail, &QSlider::valueChanged, this, &Toptions::traynewmailChange);
    connect(ui_->maxmsg, &QSlider::valueChanged, this, &Toptions::snapMaxMsgToStep);
    connect(ui_->maxmsg, &QSlider::valueChanged, this, &Toptions::maxmsgChange);
    connect(ui_->maxrep, &QSlider::valueChanged, this, &Toptions::maxrepChange);
    connect(ui_->mcrunmail, &QCheckBox::toggled, this, &Toptions::mcrunmailClick);
    connect(ui_->mailbrowse, &QPushButton::clicked, this, &Toptions::mailbrowseClick);
    connect(ui_->mcbrowse, &QPushButton::clicked, this, &Toptions::mcbrowseClick);
    connect(ui_->mcsndbrowse, &QPushButton::clicked, this, &Toptions::mcsndbrowseClick);
    connect(ui_->cafilebrowse, &QPushButton::clicked, this, &Toptions::cafilebrowseClick);
    connect(ui_->wabfilebrowse, &QPushButton::clicked, this, &Toptions::wabfilebrowseClick);
    connect(ui_->mailclean, &QPushButton::clicked, this, &Toptions::mailcleanClick);
    connect(ui_->mcclean, &QPushButton::clicked, this, &Toptions::mccleanClick);
    connect(ui_->mscndclean, &QPushButton::clicked, this, &Toptions::mscndcleanClick);
    connect(ui_->cafileclean, &QPushButton::clicked, this, &Toptions::cafilecleanClick);
    connect(ui_->wabfileclean, &QPushButton::clicked, this, &Toptions::wabfilecleanClick);
    connect(ui_->smtphelp, &QPushButton::clicked, this, &Toptions::smtphelpClick);
    connect(ui_->delmsgcolor, &ColorBox::colorChanged, this, &Toptions::delmsgcolorChange);
}

// The controls show the settings whenever the session (re)loads them.
void Toptions::formCreate()
{
    ui_->pages->setCurrentIndex(0);
    ui_->traynormal->setMaximum(kMaxTrayIcon);
    ui_->traynewmail->setMaximum(kMaxTrayIcon);
    connect(&session_, &session::ProgramSession::settingsLoaded, this, [this] {
        fillControls();
        showTrayPreviews(false);
    });
}

void Toptions::fillControls()
{
    binding_.fill();
    const Settings& settings = data_.settings;
    const QColor color(byteOf(settings.delMsgColorR), byteOf(settings.delMsgColorG), byteOf(settings.delMsgColorB));
    ui_->delmsgcolor->setColor(color);
    delmsgcolorChange(color); // only bytes reach the report's readers
    mcrunmailClick();
    maxmsgChange();
    maxrepChange();
}

void Toptions::showSettings()
{
    host_.setMainWindowEnabled(false);
    FormShow();
    show();
    raise();
    activateWindow();
}

void Toptions::FormShow()
{
    setWindowIcon(host_.mainWindowIcon());
    setWindowOpacity(host_.mainWindowOpacity());
}

void Toptions::FormClose()
{
    host_.setMainWindowEnabled(true);
    hide();
}

void Toptions::reject()
{
    // Values changed in the controls stay in effect; the main window's
    // timer, tray icon and transparency wait for the next apply.
    FormClose();
}

void Toptions::applyClick()
{
    FormClose();
    try {
        session_.applySettings();
    } catch (const std::exception& e) {
        // The steps after a failing one do not run in this apply.
        services_.prompter.show(PromptIcon::Error, programCaption(), QString::fromUtf8(e.what()));
    }
}

QString Toptions::trayIconPath(int iconNumber) const
{
    return ui::trayIconPath(session_.programFolder(), iconNumber);
}

void Toptions::showTrayPreview(int iconNumber, QLabel* view, bool reportFailure)
{
    QImageReader reader(trayIconPath(iconNumber));
    QImage picture = reader.read();
    if (!picture.isNull() && (picture.width() > kPreviewSize || picture.height() > kPreviewSize))
        picture = picture.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    view->setPixmap(QPixmap::fromImage(picture)); // a picture that cannot be read shows nothing
    if (picture.isNull() && reportFailure) {
        services_.prompter.show(PromptIcon::Error, programCaption(),
                                QStringLiteral("Nie można odczytać ikony z pliku %1!").arg(reader.fileName()));
    }
}

void Toptions::showTrayPreviews(bool reportFailure)
{
    showTrayPreview(ui_->traynormal->value(), ui_->traynormalview, reportFailure);
    showTrayPreview(ui_->traynewmail->value(), ui_->traynewmailview, reportFailure);
}

void Toptions::traynormalChange()
{
    showTrayPreview(ui_->traynormal->value(), ui_->traynormalview, true);
}

void Toptions::traynewmailChange()
{
    showTrayPreview(ui_->traynewmail->value(), ui_->traynewmailview, true);
}

void Toptions::snapMaxMsgToStep()
{
    const int value = ui_->maxmsg->value();
    const int snapped = std::clamp((value + kMaxMsgStep / 2) / kMaxMsgStep * kMaxMsgStep, ui_->maxmsg->minimum(),
                                   ui_->maxmsg->maximum());
    if (snapped != value)
        ui_->maxmsg->setValue(snapped);
}

void Toptions::maxmsgChange()
{
    ui_->maxmsg_lab->setText(QString::number(ui_->maxmsg->value()) + QStringLiteral(" dni"));
}

void Toptions::maxrepChange()
{
    ui_->maxrep_lab->setText(QString::number(ui_->maxrep->value() * 10) + QStringLiteral(" pozycji"));
}

void Toptions::mcrunmailClick()
{
    // The mail program opens on new mail instead of the notice.
    if (ui_->mcrunmail->isChecked()) {
        ui_->mcinfo->setChecked(false);
        ui_->mcinfo->setEnabled(false);
    } else {
        ui_->mcinfo->setEnabled(true);
    }
}

void Toptions::delmsgcolorChange(const QColor& color)
{
    data_.settings.delMsgColorR = color.red();
    data_.settings.delMsgColorG = color.green();
    data_.settings.delMsgColorB = color.blue();
}

void Toptions::chooseFile(QLineEdit* edit, std::string Settings::*key, const QString& startFolder,
                          const QString& filter)
{
    const std::optional<QString> chosen = services_.files.chooseExistingFile(this, startFolder, filter);
    if (!chosen)
        return; // a cancelled dialog changes nothing
    edit->setText(*chosen);
    data_.settings.*key = toWin1250(*chosen);
}

void Toptions::clearFile(QLineEdit* edit, std::string Settings::*key)
{
    edit->clear();
    (data_.settings.*key).clear();
}

void Toptions::mailbrowseClick()
{
    chooseFile(ui_->mail, &Settings::mail, existingFolderOf(ui_->mail->text()), kProgramFilter);
}

void Toptions::mcbrowseClick()
{
    const QString skins =
        QFile::decodeName(QByteArray::fromStdString(session_.programFolder())) + QStringLiteral("/skins");
    chooseFile(ui_->mcskin, &Settings::mailCheckSkin, skins, skinFilter());
}

void Toptions::mcsndbrowseClick()
{
    chooseFile(ui_->mcsample, &Settings::mailCheckSample, existingFolderOf(ui_->mcsample->text()), soundFilter());
}

void Toptions::cafilebrowseClick()
{
    chooseFile(ui_->cafile, &Settings::caFile, existingFolderOf(ui_->cafile->text()), certificateFilter());
}

void Toptions::wabfilebrowseClick()
{
    chooseFile(ui_->wabfile, &Settings::addressBookFile, existingFolderOf(ui_->wabfile->text()), addressBookFilter());
}

void Toptions::mailcleanClick()
{
    clearFile(ui_->mail, &Settings::mail);
}

void Toptions::mccleanClick()
{
    clearFile(ui_->mcskin, &Settings::mailCheckSkin);
}

void Toptions::mscndcleanClick()
{
    clearFile(ui_->mcsample, &Settings::mailCheckSample);
}

void Toptions::cafilecleanClick()
{
    clearFile(ui_->cafile, &Settings::caFile);
}

void Toptions::wabfilecleanClick()
{
    clearFile(ui_->wabfile, &Settings::addressBookFile);
}

void Toptions::smtphelpClick()
{
    services_.prompter.show(PromptIcon::Information, programCaption(), smtpHelpText());
}

} // namespace kestrin::ui
