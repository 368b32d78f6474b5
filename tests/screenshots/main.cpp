// kestrin-screenshots OUTPUT_DIR: the main window with each of its pages, the
// tray menu, the settings window with each of its pages and every message box
// of the two windows, drawn on a demo program folder and written as PNG files
// for a person to look at. Runs on the offscreen platform unless one is set.
#include "box_scenes.h"
#include "demo_program.h"
#include "demo_program_folder.h"
#include "picture_writer.h"
#include "ui/dialogs/account_form.h"
#include "ui/dialogs/friend_form.h"
#include "ui/dialogs/overlap_form.h"
#include "ui/dialogs/report_detail_form.h"
#include "ui/dialogs/rule_form.h"
#include "ui/pages/accounts_page.h"
#include "ui/pages/friends_page.h"
#include "ui/pages/report_page.h"
#include "ui/pages/rules_page.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

namespace kestrin::shots {
namespace {

// The same look on every machine: Qt's own style and palette, one font at a
// fixed pixel size (a desktop's usual 10 points at 96 dpi).
void fixLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    QApplication::setFont(font);
}

// The offscreen platform says for every window shown what it cannot do
// (raise it, grab the keyboard); nothing a reader of the output acts on.
QtMessageHandler qtHandler = nullptr;

void withoutPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        qtHandler(type, context, message);
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void tabPictures(QWidget& window, const char* prefix, PictureWriter& writer)
{
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("pages"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        settle();
        writer.window(
            window,
            QStringLiteral("%1-%2-%3").arg(QLatin1String(prefix)).arg(i + 1).arg(asciiFileName(pages->tabText(i))));
    }
    pages->setCurrentIndex(0);
}

// The rule page shows its details panel for a selected rule.
void selectSecondRule(QWidget& window)
{
    if (auto* rules = window.findChild<QTreeView*>(QStringLiteral("reg_list")))
        rules->setCurrentIndex(rules->model()->index(1, 0));
}

void trayMenuPicture(ui::Tmain& window, PictureWriter& writer)
{
    auto* menu = window.findChild<QMenu*>(QStringLiteral("pop_menu"));
    menu->popup(QPoint(40, 40));
    settle();
    writer.popup(*menu, QStringLiteral("tray-menu"));
    menu->hide();
}

void settingsPictures(DemoProgram& program, PictureWriter& writer)
{
    ui::Toptions& options = *program.options();
    program.main().findChild<QAction*>(QStringLiteral("tool_sett"))->trigger();
    settle();
    tabPictures(options, "options", writer);
    options.FormClose();
    settle();
}

// The rule editor for a new rule and for the second rule, and the
// similar-rule search after "Szukaj".
void ruleDialogPictures(DemoProgram& program, PictureWriter& writer)
{
    auto* page = program.main().findChild<ui::RulesPage*>();
    ui::Treg_addform* added = page->openRuleEditor(-1, false);
    settle();
    writer.window(*added, QStringLiteral("rule-editor-new"));
    added->close();
    ui::Treg_addform* edited = page->openRuleEditor(1, true);
    settle();
    writer.window(*edited, QStringLiteral("rule-editor-edit"));
    edited->close();
    ui::Tsimreg* search = page->openOverlapSearch();
    search->simreg_searchClick();
    settle();
    writer.window(*search, QStringLiteral("rule-overlaps"));
    search->close();
    settle();
}

void editorDialogPictures(DemoProgram& program, PictureWriter& writer)
{
    auto* accounts = program.main().findChild<ui::AccountsPage*>();
    ui::Tpop3_addform* newAccount = accounts->openAccountEditor(-1, false);
    settle();
    writer.window(*newAccount, QStringLiteral("account-editor-new"));
    newAccount->close();
    ui::Tpop3_addform* editedAccount = accounts->openAccountEditor(0, true);
    settle();
    writer.window(*editedAccount, QStringLiteral("account-editor-edit"));
    editedAccount->close();
    auto* friends = program.main().findChild<ui::FriendsPage*>();
    ui::Tfri_addform* newFriend = friends->openFriendEditor(-1, false);
    settle();
    writer.window(*newFriend, QStringLiteral("friend-editor-new"));
    newFriend->close();
    ui::Tfri_addform* editedFriend = friends->openFriendEditor(0, true);
    settle();
    writer.window(*editedFriend, QStringLiteral("friend-editor-edit"));
    editedFriend->close();
    settle();
}

// The report in the simple view, its menu on a selected message, and the
// details of that message.
void reportPictures(DemoProgram& program, PictureWriter& writer)
{
    auto* page = program.main().findChild<ui::ReportPage*>();
    auto* view = page->findChild<QComboBox*>(QStringLiteral("stat_view"));
    page->selectLine(2);
    view->setCurrentIndex(0);
    emit view->activated(0);
    settle();
    writer.window(program.main(), QStringLiteral("report-simple"));
    view->setCurrentIndex(1);
    emit view->activated(1);
    settle();
    emit page->menu().aboutToShow();
    page->menu().popup(QPoint(40, 40));
    settle();
    writer.popup(page->menu(), QStringLiteral("report-menu"));
    page->menu().hide();
    page->showDetails();
    settle();
    writer.window(*page->detailsWindow(), QStringLiteral("report-details"));
    page->detailsWindow()->close();
    page->selectLine(-1);
    settle();
}

int report(const PictureWriter& writer, QStringList problems);

// Emptied before and removed after use.
struct ScratchFolder {
    explicit ScratchFolder(QString folder) : path(std::move(folder))
    {
        QDir(path).removeRecursively();
        QDir().mkpath(path);
    }
    ~ScratchFolder() { QDir(path).removeRecursively(); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    QString path;
};

int run(const QString& outputFolder)
{
    if (!QDir().mkpath(outputFolder)) {
        std::fprintf(stderr, "Cannot create %s\n", qPrintable(outputFolder));
        return 1;
    }
    const std::string shipped = builtShippedDataFolder();
    if (shipped.empty()) {
        std::fprintf(stderr, "The shipped data is not drawn yet: build the target kestrin_install_data first\n");
        return 1;
    }
    // One fixed folder rather than a random one: its path shows on the
    // settings pages, and the pictures must come out the same every run.
    const ScratchFolder scratch(QDir::temp().filePath(QStringLiteral("kestrin-screenshots")));
    const std::string root = scratch.path.toStdString();
    const std::string demoFolder = root + "/demo";
    const std::string lockFolder = root + "/locks";
    QDir().mkpath(QString::fromStdString(lockFolder));
    writeDemoProgramFolder(demoFolder, shipped);

    PictureWriter writer(outputFolder);
    QStringList problems;
    BoxScenes scenes;
    {
        DemoProgram demo(demoFolder, lockFolder);
        if (!demo.start())
            problems.append(QStringLiteral("the demo program did not start"));
        for (const RecordedBox& box : demo.prompter.take())
            problems.append(QStringLiteral("box at start: ") + box.text);
        if (!problems.isEmpty())
            return report(writer, problems);
        settle();
        selectSecondRule(demo.main());
        tabPictures(demo.main(), "main", writer);
        trayMenuPicture(demo.main(), writer);
        settingsPictures(demo, writer);
        ruleDialogPictures(demo, writer);
        editorDialogPictures(demo, writer);
        reportPictures(demo, writer);
        collectRunningProgramBoxes(scenes, demo, demoFolder, lockFolder);
    }
    collectOtherFolderBoxes(scenes, root, shipped, lockFolder);
    for (const QString& problem : scenes.problems)
        problems.append(problem);
    std::sort(scenes.boxes.begin(), scenes.boxes.end(),
              [](const NamedBox& a, const NamedBox& b) { return a.name < b.name; });
    for (const NamedBox& box : scenes.boxes)
        drawBox(box, writer);
    return report(writer, problems);
}

// Prints the files written; the problems go to stderr and make the exit status 1.
int report(const PictureWriter& writer, QStringList problems)
{
    for (const QString& path : writer.written())
        std::printf("%s\n", qPrintable(path));
    for (const QString& path : writer.failed())
        problems.append(QStringLiteral("not written: ") + path);
    for (const QString& problem : problems)
        std::fprintf(stderr, "kestrin-screenshots: %s\n", qPrintable(problem));
    return problems.isEmpty() ? 0 : 1;
}

} // namespace
} // namespace kestrin::shots

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrin"));
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: kestrin-screenshots OUTPUT_DIR\n");
        return 2;
    }
    kestrin::shots::qtHandler = qInstallMessageHandler(kestrin::shots::withoutPlatformNotes);
    kestrin::shots::fixLook();
    return kestrin::shots::run(arguments.at(1));
}
