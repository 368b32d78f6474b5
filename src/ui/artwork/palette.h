#pragma once
// The few colours every picture of the program is drawn from, so that the
// glyphs, the tray icons, the logo and the notice skin look like one family.
#include <QColor>

namespace kestrin::artwork {

struct Tone {
    QColor fill;
    QColor edge;
};

namespace palette {
inline const Tone blue{QColor(74, 144, 217), QColor(31, 89, 160)};
inline const Tone green{QColor(64, 174, 74), QColor(28, 112, 40)};
inline const Tone red{QColor(226, 72, 58), QColor(150, 30, 22)};
inline const Tone amber{QColor(247, 190, 48), QColor(160, 112, 8)};
inline const Tone grey{QColor(150, 162, 175), QColor(72, 84, 98)};
inline const Tone cardboard{QColor(205, 146, 82), QColor(124, 78, 32)};
inline const Tone violet{QColor(138, 104, 208), QColor(78, 52, 144)};
inline const Tone teal{QColor(46, 160, 146), QColor(22, 104, 94)};
inline const Tone paper{QColor(252, 251, 246), QColor(82, 104, 132)};
inline const QColor paperShade(207, 224, 245);
inline const QColor white(255, 255, 255);
inline const QColor ink(40, 52, 70);
// The chestnut back of a kestrel: the brand colour.
inline const QColor chestnut(194, 90, 36);
} // namespace palette

} // namespace kestrin::artwork
