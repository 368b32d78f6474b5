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

[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason)
{
    throw std::runtime_error((what + QStringLiteral(" ") + path + QStringLiteral(": ") + reason).toStdString());
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
            fail(QStringLiteral("Cannot remove"), path, entry.errorString());
        return;
    }
    if (!QDir().mkpath(configHome_ + QStringLiteral("/autostart")))
        fail(QStringLiteral("Cannot create the folder of"), path, QStringLiteral("mkdir failed"));
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly))
        fail(QStringLiteral("Cannot write"), path, entry.errorString());
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Kestrin sweeper\nExec=") +
                         keyFileValue(desktopExecLine(program, arguments)) +
                         QStringLiteral("\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    entry.write(text.toUtf8());
    if (!entry.commit())
        fail(QStringLiteral("Cannot write"), path, entry.errorString());
}

} // namespace kestrin
