#include "ui/common/file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace kestrin::ui {

FileChooser::~FileChooser() = default;

QString qtFileFilter(const QString& pipeFilter)
{
    // Pairs of caption and pattern; the caption already names the patterns.
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i];
        // "*.*" means every file on Windows and "*.exe" every program; here
        // the first would hide every name without a dot, and programs (such
        // as /usr/bin/thunderbird) carry no extension at all.
        const QString& pattern = parts[i + 1];
        if (pattern == QStringLiteral("*.*") || pattern == QStringLiteral("*.exe"))
            caption.replace(QStringLiteral("(") + pattern + QStringLiteral(")"), QStringLiteral("(*)"));
        filters.append(caption);
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> DialogFileChooser::chooseExistingFile(QWidget* parent, const QString& startFolder,
                                                             const QString& filter)
{
    if (filter != kProgramFilter) {
        const QString chosen = QFileDialog::getOpenFileName(parent, QString(), startFolder, qtFileFilter(filter));
        if (chosen.isEmpty())
            return std::nullopt;
        return chosen;
    }
    // Qt's own dialog: the desktop's one cannot be asked for executables only.
    QFileDialog dialog(parent, QString(), startFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace kestrin::ui
