#pragma once

#include <QImage>

namespace tallyvex {

/// The logo at the head of every printout: a clay target and the program's name.
QImage drawLogo();
/// The stamp on the receipts: "Bestätigt / Confirmed".
QImage drawConfirmation();
/// The emblem at the top of a back number; part of the program, not of the data folder.
QImage drawBackNumberPicture();

} // namespace tallyvex
