#pragma once

#include <QPixmap>

namespace tallyvex {

/// The small help picture at the right end of a window's help panel (Image4).
QPixmap helpPanelPicture();

} // namespace tallyvex
