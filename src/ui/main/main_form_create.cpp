// The main window's creation steps: one copy only, the stale temporary files,
// the hand-over of settings of an older version, the reset of the state, the
// layout, the legend images and the start as a tray icon.
#include "ui/main/main_form.h"

#include "platform/termination_signals.h"
#include "storage/old_version.h"
#include "storage/stale_temporary_files.h"
#include "ui/common/tray_icon_files.h"
#include "ui/main/glyph_list.h"
#include "ui/main/main_texts.h"
#include "ui_main_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace kestrin::ui {
namespace {

// The legend pictures' background, made transparent afterwards.
const QColor kLegendBackground(225, 225, 225);
// The page control's room for the pages' lists.
constexpr QSize kPageMinimumSize(640, 400);

// The tab images: "Raport", "Statystyki", "Konta pocztowe", "Filtr Bayesa",
// "Reguły wiadomości", "Lista przyjaciół" (the friend glyph).
constexpr int kPageGlyphs[] = {11, 2, 3, 22, 1, 0};

QPixmap legendPicture(int glyph)
{
    QPixmap picture(kGlyphSide, kGlyphSide);
    picture.fill(kLegendBackground);
    {
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, glyphPixmap(glyph));
    }
    picture.setMask(picture.createMaskFromColor(kLegendBackground));
    return picture;
}

} // namespace

bool Tmain::FormCreate()
{
    if (refuseSecondInstance())
        return false;
    // Half-saved copies a killed run left (the account file's among them).
    removeStaleTemporaryFiles(programFolder());
    // The close box and Alt+F4 do nothing (closeEvent); the user ends the
    // program through pop_zakoncz only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    // The program folder was chosen before the window was made.
    if (handOverOldSettings())
        return false;
    layOutWindow();
    drawLegendImages();
    watchSessionEnd();
    startInTray();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return true;
}

bool Tmain::refuseSecondInstance()
{
    if (session_.lockProgram())
        return false;
    services_.prompter.show(PromptIcon::Error, programCaption(), secondInstanceText(!programArguments_.isEmpty()));
    return true;
}

bool Tmain::handOverOldSettings()
{
    if (!settingsNeedConversion(programFolder()))
        return false;
    services_.prompter.show(PromptIcon::Warning, programCaption(), oldVersionText());
    const std::filesystem::path converter = std::filesystem::path(programFolder()) / "Convert.exe";
    std::error_code error;
    if (std::filesystem::is_regular_file(converter, error)) {
        services_.shell.open(QString::fromStdString(converter.string()));
    } else {
        services_.prompter.show(PromptIcon::Warning, programCaption(), converterMissingText());
        services_.shell.open(productWebAddress());
    }
    return true;
}

void Tmain::layOutWindow()
{
    for (int i = 0; i < ui_->pages->count(); ++i)
        ui_->pages->setTabIcon(i, glyphIcon(kPageGlyphs[i]));
    // Every tab title whole, without scroll arrows hiding the last pages.
    ui_->pages->setUsesScrollButtons(false);
    ui_->pages->setMinimumSize(kPageMinimumSize);
    ui_->pages->setCurrentIndex(0);
    // The program's own icon: the first idle tray picture when it is installed.
    try {
        setWindowIcon(loadIconFile(trayIconPath(programFolder(), 0)));
    } catch (const std::exception&) {
        setWindowIcon(glyphIcon(10));
    }
    tray_->setIcon(windowIcon());
    // Fixed size, single border: the size the layout asks for with every page built.
    setFixedSize(sizeHint());
}

void Tmain::drawLegendImages()
{
    for (QLabel* label : findChildren<QLabel*>()) {
        const QVariant tag = label->property("tag");
        if (tag.isValid() && tag.toInt() != -1)
            label->setPixmap(legendPicture(tag.toInt()));
    }
}

// Logging off or a termination signal ends the program as "Zakończ" does.
void Tmain::watchSessionEnd()
{
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { sessionEnding(); });
        connect(application, &QCoreApplication::aboutToQuit, this, &Tmain::sessionEnding);
    }
    stopSignals_ = std::make_unique<TerminationSignals>([this](int) { sessionEnding(); });
}

// Where a notification area exists the program starts as a tray icon only;
// elsewhere the window is the only way to reach it, so it is shown.
void Tmain::startInTray()
{
    trayWasAvailable_ = trayAvailableNow();
    trayMode_ = trayWasAvailable_;
    if (trayMode_) {
        tray_->show();
    } else {
        centreBeforeFirstShowing();
        show();
    }
    trayhost_timer_->start();
}

} // namespace kestrin::ui
