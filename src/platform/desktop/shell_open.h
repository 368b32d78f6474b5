#pragma once
// Asking the desktop to open something: a program with its arguments, a
// document, a folder, or a web or "mailto:" address. Never through a shell
// command line, so no text the user or a message supplies is ever parsed by one.
#include <QString>
#include <QStringList>

namespace kestrin {

class ShellOpen {
public:
    virtual ~ShellOpen();
    // An executable file is started detached with arguments; anything else
    // (a document, a folder, an address) goes to the desktop's handler, and
    // arguments are then ignored. False when nothing could be started.
    virtual bool open(const QString& target, const QStringList& arguments = {}) = 0;
};

class DesktopShellOpen : public ShellOpen {
public:
    bool open(const QString& target, const QStringList& arguments = {}) override;
};

} // namespace kestrin
