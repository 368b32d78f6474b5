#pragma once
// Starting the program with the desktop session: an XDG autostart entry
// named "Kestrin sweeper", which every freedesktop session honours.
#include <QString>
#include <QStringList>

namespace kestrin {

class Autostart {
public:
    virtual ~Autostart();
    // Writes the entry starting program with arguments, or removes it.
    // Throws std::runtime_error (UTF-8 text) when the entry cannot be written
    // or removed.
    virtual void setEnabled(bool enabled, const QString& program, const QStringList& arguments) = 0;
};

class XdgAutostart : public Autostart {
public:
    // configHome: $XDG_CONFIG_HOME, default ~/.config.
    explicit XdgAutostart(QString configHome = defaultConfigHome());
    void setEnabled(bool enabled, const QString& program, const QStringList& arguments) override;

    // configHome + "/autostart/kestrin.desktop"
    QString entryPath() const;
    static QString defaultConfigHome();

private:
    QString configHome_;
};

// The Exec value: each argument quoted as the desktop entry format asks.
QString desktopExecLine(const QString& program, const QStringList& arguments);

} // namespace kestrin
