#include "ui/common/file_chooser.h"

#include <QFileDialog>
#include <QStringList>

namespace kestrin::ui {

FileChooser::~FileChooser() = default;

QString qtFileFilter(const QString& pipeFilter)
{
    // Pairs of caption and pattern; the caption already names the patterns.
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(parts[i]);
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> DialogFileChooser::chooseExistingFile(QWidget* parent, const QString& startFolder,
                                                             const QString& filter)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), startFolder, qtFileFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace kestrin::ui
