// kestrin-make-data OUTPUT_ROOT [--sheet FILE.png]
// Writes the installation's data/ and skins/ files below OUTPUT_ROOT; with
// --sheet also a contact sheet of everything written, for a person to review.
#include "ui/artwork/contact_sheet.h"
#include "ui/artwork/shipped_files.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: kestrin-make-data OUTPUT_ROOT [--sheet FILE.png]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing text needs a platform; the build machine may have no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments().mid(1);
    QString sheetPath;
    const qsizetype sheetOption = args.indexOf(QStringLiteral("--sheet"));
    if (sheetOption >= 0) {
        if (sheetOption + 1 >= args.size()) {
            return usage();
        }
        sheetPath = args.at(sheetOption + 1);
        args.remove(sheetOption, 2);
    }
    if (args.size() != 1) {
        return usage();
    }
    QString error;
    if (!kestrin::artwork::writeShippedData(args.first(), &error)) {
        std::fprintf(stderr, "kestrin-make-data: %s\n", qPrintable(error));
        return 1;
    }
    if (!sheetPath.isEmpty() && !kestrin::artwork::contactSheet(args.first()).save(sheetPath, "PNG")) {
        std::fprintf(stderr, "kestrin-make-data: cannot write %s\n", qPrintable(sheetPath));
        return 1;
    }
    return 0;
}
