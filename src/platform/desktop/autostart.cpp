#include "platform/desktop/autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace kestrin {

Autostart::~Autostart() = default;

namespace {

// Desktop Entry Specification, "The Exec key": arguments with reserved
// characters are double-quoted, and inside quotes ", `, $ and \ take a
// backslash; a literal % is written %%.
QString quotedArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QStringLiteral("%"), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The entry file is itself a key file: backslashes in a value are escaped again.
QString keyFileValue(const QString& value)
{
    QString escaped = value;
    escaped.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    return escaped;
}

const QString kUnwritableEntry = QStringLiteral("Nie można zapisać pliku autostartu \"%1\"!");

// The settings window shows the text as it is: the program's sentence first,
// the system's reason (in the user's language) on the next line.
[[noreturn]] void fail(const QString& sentence, const QString& path, const QString& reason = {})
{
    QString text = sentence.arg(path);
    if (!reason.isEmpty())
        text += QStringLiteral("\r\n") + reason;
    throw std::runtime_error(text.toStdString());
}

} // namespace

QString desktopExecLine(const QString& program, const QStringList& arguments)
{
    QStringList parts{quotedArgument(program)};
    for (const QString& argument : arguments)
        parts.append(quotedArgument(argument));
    return parts.join(QLatin1Char(' '));
}

XdgAutostart::XdgAutostart(QString configHome) : configHome_(std::move(configHome))
{
}

QString XdgAutostart::defaultConfigHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty())
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

QString XdgAutostart::entryPath() const
{
    return configHome_ + QStringLiteral("/autostart/kestrin.desktop");
}

void XdgAutostart::setEnabled(bool enabled, const QString& program, const QStringList& arguments)
{
    const QString path = entryPath();
    if (!enabled) {
        QFile entry(path);
        if (entry.exists() && !entry.remove())
            fail(QStringLiteral("Nie można usunąć pliku autostartu \"%1\"!"), path, entry.errorString());
        return;
    }
    const QString folder = configHome_ + QStringLiteral("/autostart");
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("Nie można utworzyć folderu autostartu \"%1\"!"), folder);
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly))
        fail(kUnwritableEntry, path, entry.errorString());
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Kestrin sweeper\nExec=") +
                         keyFileValue(desktopExecLine(program, arguments)) +
                         QStringLiteral("\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    entry.write(text.toUtf8());
    if (!entry.commit())
        fail(kUnwritableEntry, path, entry.errorString());
}

} // namespace kestrin
