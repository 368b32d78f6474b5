#include "platform/desktop/mail_program.h"

#include "platform/desktop/desktop_entry.h"
#include "text/cp1250.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace kestrin {
namespace {

// xdg-mime is a shell script asking the desktop's own tools; a start must not
// hang on it.
constexpr int kQueryWaitMs = 5000;

QStringList applicationsIn(const QStringList& dataFolders)
{
    QStringList folders;
    for (const QString& folder : dataFolders) {
        if (!folder.isEmpty())
            folders.append(folder + QStringLiteral("/applications"));
    }
    return folders;
}

} // namespace

DesktopPlaces desktopPlaces(const QString& dataHome, const QString& dataDirs, const QString& home, const QString& path)
{
    const QString userData = dataHome.isEmpty() ? home + QStringLiteral("/.local/share") : dataHome;
    const QString systemData = dataDirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : dataDirs;
    DesktopPlaces places;
    places.applicationFolders = applicationsIn(QStringList{userData} + systemData.split(QLatin1Char(':')));
    places.executableFolders = path.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return places;
}

QString desktopEntryProgram(const QString& desktopId, const DesktopPlaces& places)
{
    const QString file = findDesktopFile(desktopId, places.applicationFolders);
    const QString program = file.isEmpty() ? QString() : execProgram(desktopEntryExec(file));
    // Without folders Qt would search this process's own PATH instead.
    if (program.isEmpty() || (!QDir::isAbsolutePath(program) && places.executableFolders.isEmpty()))
        return {};
    return QStandardPaths::findExecutable(program, places.executableFolders);
}

QString mailtoHandler()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(kQueryWaitMs) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    return QString::fromUtf8(query.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

std::string desktopMailProgram()
{
    const QString handler = mailtoHandler();
    if (handler.isEmpty())
        return {};
    const DesktopPlaces places =
        desktopPlaces(qEnvironmentVariable("XDG_DATA_HOME"), qEnvironmentVariable("XDG_DATA_DIRS"), QDir::homePath(),
                      qEnvironmentVariable("PATH"));
    return utf8ToCp1250(desktopEntryProgram(handler, places).toStdString());
}

} // namespace kestrin
