#pragma once
// The open-file dialog behind a seam, so tests can choose a file.
#include <QString>
#include <QWidget>

#include <optional>

namespace kestrin::ui {

class FileChooser {
public:
    virtual ~FileChooser();
    // An existing file chosen by the user (full path), or nullopt when cancelled.
    // filter uses the "Caption (*.ext)|*.ext|..." form of the program's texts.
    virtual std::optional<QString> chooseExistingFile(QWidget* parent, const QString& startFolder,
                                                      const QString& filter) = 0;
};

// The filter for choosing a program to start: programs here carry no
// extension, so the dialog lists the files that may be executed (and folders).
inline const QString kProgramFilter = QStringLiteral("Programy (*)|*|Wszystkie pliki (*.*)|*.*");

// "Aplikacja (*.exe)|*.exe|Wszystkie pliki (*.*)|*.*" -> Qt's ";;" filter list,
// "Aplikacja (*);;Wszystkie pliki (*)": the Windows "every file" and "every
// program" patterns become the one that lists programs here too.
QString qtFileFilter(const QString& pipeFilter);

class DialogFileChooser : public FileChooser {
public:
    std::optional<QString> chooseExistingFile(QWidget* parent, const QString& startFolder,
                                              const QString& filter) override;
};

} // namespace kestrin::ui
