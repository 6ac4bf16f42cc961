#pragma once

#include <QColor>

namespace tallyvex::colors {

/// The few colours the office's windows are painted in. The original used the pure screen
/// colours (clYellow, clLime); these are softer matches that keep black text readable on a
/// modern screen while still reading as "yellow: usable / fill in" and "green: later".

/// A usable command panel, a sortable column title, the column open for editing.
inline QColor panelYellow() {
    return QColor(0xff, 0xe8, 0x40);
}
/// A field to fill in when the competition is created.
inline QColor fieldYellow() {
    return QColor(0xff, 0xf3, 0x80);
}
/// A field that may be filled in later.
inline QColor fieldGreen() {
    return QColor(0xb4, 0xec, 0x8c);
}
/// The background of the full-size windows.
inline QColor windowLime() {
    return QColor(0x8e, 0xd8, 0x6a);
}
/// The dark green of the banners.
inline QColor bannerGreen() {
    return QColor(0x1e, 0x7a, 0x32);
}
/// The light green of alternate grid columns (the design gives it as RGB 0, 255, 128).
inline QColor cellLightGreen() {
    return QColor(0x00, 0xff, 0x80);
}
/// Silver cells and titles.
inline QColor silver() {
    return QColor(0xc0, 0xc0, 0xc0);
}
/// An inert panel: the window face.
inline QColor windowFace() {
    return QColor(0xf0, 0xf0, 0xf0);
}

} // namespace tallyvex::colors
