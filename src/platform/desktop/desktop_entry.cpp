#include "platform/desktop/desktop_entry.h"

#include "text/line_split.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <optional>

namespace kestrin {
namespace {

// Desktop files are a few kilobytes; anything larger is no desktop file.
constexpr qint64 kMaxDesktopFileBytes = 1 << 20;

QString keyFileUnescaped(const QString& value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\') || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar next = value[++i];
        if (next == QLatin1Char('s'))
            text += QLatin1Char(' ');
        else if (next == QLatin1Char('t'))
            text += QLatin1Char('\t');
        else if (next == QLatin1Char('n'))
            text += QLatin1Char('\n');
        else if (next == QLatin1Char('r'))
            text += QLatin1Char('\r');
        else
            text += next;
    }
    return text;
}

// The value of "Key=value" (blanks around "=" allowed) when the line holds key.
std::optional<QString> keyValue(const QString& line, const QString& key)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.left(equals).trimmed() != key)
        return std::nullopt;
    return line.mid(equals + 1).trimmed();
}

// Arguments split at unquoted blanks; inside double quotes a backslash takes
// the next character as it is.
QStringList execArguments(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted && c == QLatin1Char('\\') && i + 1 < exec.size()) {
            current += exec[++i];
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.append(current);
    return arguments;
}

bool isFieldCode(const QString& argument)
{
    return argument.size() == 2 && argument[0] == QLatin1Char('%') &&
           QStringLiteral("fFuUdDnNickvm").contains(argument[1]);
}

} // namespace

QString findDesktopFile(const QString& desktopId, const QStringList& applicationFolders)
{
    for (const QString& folder : applicationFolders) {
        const QDir root(folder);
        QDirIterator files(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QString id = root.relativeFilePath(path);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (id == desktopId)
                return path;
        }
    }
    return {};
}

QString desktopEntryExec(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::string bytes = file.read(kMaxDesktopFileBytes).toStdString();
    bool inMainGroup = false;
    for (const std::string_view raw : splitIntoLines(bytes)) {
        const QString line = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size())).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (const auto exec = keyValue(line, QStringLiteral("Exec")); inMainGroup && exec)
            return keyFileUnescaped(*exec);
    }
    return {};
}

QString execProgram(const QString& exec)
{
    for (QString argument : execArguments(exec)) {
        if (isFieldCode(argument))
            continue;
        return argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return {};
}

} // namespace kestrin
