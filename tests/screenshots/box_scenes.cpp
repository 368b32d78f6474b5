#include "box_scenes.h"

#include "demo_program.h"
#include "demo_program_folder.h"
#include "picture_writer.h"

#include "storage/record_tables.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kestrin::shots {
namespace {

namespace fs = std::filesystem;

// Takes the boxes a step showed, naming them in order; a different count is a problem.
void expectBoxes(BoxScenes& scenes, RecordingPrompter& prompter, std::initializer_list<const char*> names,
                 const char* step)
{
    const std::vector<RecordedBox> shown = prompter.take();
    if (shown.size() != names.size()) {
        scenes.problems.push_back(QStringLiteral("%1: %2 box(es) shown, %3 expected")
                                      .arg(QLatin1String(step))
                                      .arg(shown.size())
                                      .arg(names.size()));
        return;
    }
    size_t i = 0;
    for (const char* name : names)
        scenes.boxes.push_back({QLatin1String(name), shown[i++]});
}

void runEvents()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void secondCopies(BoxScenes& scenes, const std::string& demoFolder, const std::string& lockFolder)
{
    DemoProgram plain(demoFolder, lockFolder);
    plain.start();
    expectBoxes(scenes, plain.prompter, {"box-01-druga-kopia"}, "second copy");
    // The rule-update web page starts the program with a parameter.
    DemoProgram withParameter(demoFolder, lockFolder, {QStringLiteral("/aktualizacja")});
    withParameter.start();
    expectBoxes(scenes, withParameter.prompter, {"box-02-druga-kopia-z-parametrem"}, "second copy with a parameter");
}

void oldVersion(BoxScenes& scenes, const std::string& folder, const std::string& lockFolder)
{
    fs::create_directories(folder);
    std::ofstream(folder + "/config.ini") << "[Options]\n";
    DemoProgram program(folder, lockFolder);
    program.start();
    expectBoxes(scenes, program.prompter, {"box-03-stara-wersja", "box-04-brak-konwertera"}, "old version");
}

void unreadableValue(BoxScenes& scenes, const std::string& folder, const std::string& shippedFolder,
                     const std::string& lockFolder)
{
    writeDemoProgramFolder(folder, shippedFolder);
    // A hand-edited rule file: a field number that is no number.
    RecordTable rules = rulesToTable(loadRules(folder));
    const auto typ = std::find(rules.columns.begin(), rules.columns.end(), "typ");
    if (typ == rules.columns.end() || rules.rows.empty()) {
        scenes.problems.push_back(QStringLiteral("unreadable value: the rule file has no typ column"));
        return;
    }
    rules.rows.at(0).at(static_cast<size_t>(typ - rules.columns.begin())) = std::string(1, 'x');
    writeRecordFile(recordFilePath(folder, RecordKind::Rules), rules);
    DemoProgram program(folder, lockFolder);
    program.start();
    expectBoxes(scenes, program.prompter, {"box-05-blad-odczytu"}, "unreadable value");
}

void unwritableFolder(BoxScenes& scenes, const std::string& folder, const std::string& shippedFolder,
                      const std::string& lockFolder)
{
    writeDemoProgramFolder(folder, shippedFolder);
    DemoProgram program(folder, lockFolder);
    program.start();
    expectBoxes(scenes, program.prompter, {}, "start before the save error");
    // A file where config/ was: nothing can be written there any more.
    fs::remove_all(folder + "/config");
    std::ofstream(folder + "/config") << "x";
    program.main().pop_zakonczClick();
    expectBoxes(scenes, program.prompter, {"box-06-blad-zapisu"}, "save error");
}

void newerFile(BoxScenes& scenes, const std::string& folder, const std::string& shippedFolder,
               const std::string& lockFolder)
{
    writeDemoProgramFolder(folder, shippedFolder);
    // Not this program's signature: a file it must not interpret.
    std::ofstream(recordFilePath(folder, RecordKind::Friends), std::ios::binary) << std::string(64, 'N');
    DemoProgram program(folder, lockFolder);
    program.start();
    expectBoxes(scenes, program.prompter, {"box-08-nieprawidlowa-wersja-pliku"}, "file of a newer version");
}

void smtpHelp(BoxScenes& scenes, DemoProgram& running)
{
    running.options()->findChild<QPushButton*>(QStringLiteral("smtphelp"))->click();
    expectBoxes(scenes, running.prompter, {"box-07-pomoc-smtp"}, "smtphelp");
}

void mainWindowButtons(BoxScenes& scenes, DemoProgram& running)
{
    running.main().findChild<QPushButton*>(QStringLiteral("stat_reset"))->click();
    expectBoxes(scenes, running.prompter, {"box-09-czyszczenie-raportu"}, "stat_reset");
    // The mail program cannot be started: the box opens from the event loop.
    running.shell.succeeds = false;
    running.main().findChild<QAction*>(QStringLiteral("tool_mail"))->trigger();
    runEvents();
    running.shell.succeeds = true;
    expectBoxes(scenes, running.prompter, {"box-10-program-pocztowy"}, "tool_mail");
    // The recording prompter answers No: the question is all that shows.
    running.main().findChild<QAction*>(QStringLiteral("fri_importfri"))->trigger();
    expectBoxes(scenes, running.prompter, {"box-11-import-adresow"}, "fri_importfri");
}

} // namespace

void collectRunningProgramBoxes(BoxScenes& scenes, DemoProgram& running, const std::string& demoFolder,
                                const std::string& lockFolder)
{
    secondCopies(scenes, demoFolder, lockFolder);
    smtpHelp(scenes, running);
    mainWindowButtons(scenes, running);
}

void collectOtherFolderBoxes(BoxScenes& scenes, const std::string& scratch, const std::string& shippedFolder,
                             const std::string& lockFolder)
{
    oldVersion(scenes, scratch + "/old-version", lockFolder);
    unreadableValue(scenes, scratch + "/unreadable", shippedFolder, lockFolder);
    unwritableFolder(scenes, scratch + "/unwritable", shippedFolder, lockFolder);
    newerFile(scenes, scratch + "/newer", shippedFolder, lockFolder);
}

void drawBox(const NamedBox& named, PictureWriter& writer)
{
    const RecordedBox& box = named.box;
    const std::unique_ptr<QMessageBox> shown = box.question ? ui::makeAskBox(box.caption, box.text, nullptr)
                                                            : ui::makeShowBox(box.icon, box.caption, box.text, nullptr);
    shown->show();
    runEvents();
    writer.window(*shown, named.name);
    shown->hide();
}

} // namespace kestrin::shots
