#pragma once
// The notification-area pictures: the Kestrin mark in 15 colour schemes (idle
// and new-mail choices), the check progress in 8 steps, the picture shown
// while a check starts and the one that announces an update.
#include <QImage>
#include <QList>

namespace kestrin::artwork {

inline constexpr int kTrayIconCount = 15;
inline constexpr int kScanStepCount = 8;

// Sides stored in every icon file, smallest first.
QList<int> iconSides();

// Schemes 0-8 are quiet colours for the idle icon, 9-14 bright ones that catch
// the eye after new mail; 0 is the brand scheme. Null outside 0-14.
QImage trayIconImage(int number, int side);
bool trayIconIsAttention(int number);

// Progress step 0 (nothing done) to 7 (all done): a ring that fills clockwise
// from the top. Null outside 0-7.
QImage scanIconImage(int step, int side);

QImage scanStartIconImage(int side);
QImage updateIconImage(int side);

} // namespace kestrin::artwork
