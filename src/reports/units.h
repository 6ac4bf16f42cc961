#pragma once

#include <QRectF>

namespace tallyvex {

/// Report geometry is kept in millimetres. Layouts are designed in millimetres or in screen
/// units of 1/96 inch; these helpers bring both to one scale.
constexpr double kMmPerPx = 25.4 / 96.0;
constexpr double kMmPerPoint = 25.4 / 72.0;

constexpr double px(double units) {
    return units * kMmPerPx;
}
constexpr double toPx(double mm) {
    return mm / kMmPerPx;
}

inline QRectF mmRect(double x, double y, double w, double h) {
    return QRectF(x, y, w, h);
}
inline QRectF pxRect(double x, double y, double w, double h) {
    return QRectF(px(x), px(y), px(w), px(h));
}

} // namespace tallyvex
