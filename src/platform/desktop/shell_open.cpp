#include "platform/desktop/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace kestrin {

ShellOpen::~ShellOpen() = default;

bool DesktopShellOpen::open(const QString& target, const QStringList& arguments)
{
    if (target.isEmpty())
        return false;
    const QFileInfo file(target);
    if (file.isFile() && file.isExecutable())
        return QProcess::startDetached(file.absoluteFilePath(), arguments);
    const QUrl url = file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath()) : QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace kestrin
