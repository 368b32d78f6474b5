#pragma once
// The shipped skin of the new-mail notice: one layout from which both the
// skin's INI text and its background picture are made, so the click areas and
// text lines always sit where the picture shows them.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace kestrin::artwork {

struct SkinTextLine {
    QRect area;
    QString fontName;
    QString fontStyle; // capitals B, I, U
    int fontSize = 8;  // points
    QColor colour;
};

struct NoticeSkin {
    QString backgroundFile; // relative to the skins folder
    QSize size;
    bool transparent = false;
    QColor keyColour;
    QRect openMailButton; // [Button1]: starts the mail program, closes the notice
    QRect closeButton;    // [Button2]: closes the notice
    SkinTextLine sender;  // [Message1]
    SkinTextLine subject; // [Message2]
};

NoticeSkin defaultNoticeSkin();

// The skin file's text: sections Window, Button1, Button2, Message1, Message2.
QString noticeSkinIni(const NoticeSkin& skin);

// The background picture, opaque; outside the rounded body it is the key
// colour, which no pixel inside the body uses. Draws text: needs a QGuiApplication.
QImage noticeSkinBackground(const NoticeSkin& skin);

} // namespace kestrin::artwork
