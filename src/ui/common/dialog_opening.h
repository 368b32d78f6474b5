#pragma once
// How the pages open their editors: one window of a kind at a time, modal,
// deleted on close; and controls named as the rest of the program knows them.
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kestrin::ui {

// Raises the open window, or shows the one make() creates.
template <typename Dialog, typename Make> Dialog* openOnce(QPointer<Dialog>& held, Make make)
{
    if (held && held->isVisible()) {
        held->raise();
        return held;
    }
    Dialog* created = make();
    held = created;
    created->setAttribute(Qt::WA_DeleteOnClose);
    created->setModal(true);
    created->show();
    return created;
}

// A dialog wears the main window's icon and transparency.
inline void takeMainWindowLook(QWidget* dialog, QWidget* parent)
{
    if (parent == nullptr)
        return;
    dialog->setWindowIcon(parent->window()->windowIcon());
    dialog->setWindowOpacity(parent->window()->windowOpacity());
}

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace kestrin::ui
