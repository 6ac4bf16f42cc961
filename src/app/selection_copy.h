#pragma once

namespace tallyvex {

class Cursor;
class Session;

/// Makes the current row of the competition cursor the session's current competition: stores a
/// pending edit, takes its key, then the number of rounds, the name lines and the rest of the
/// setup, and stores the row again. Run when a competition is taken in the selection window and
/// when the setup window closes.
///
/// An empty ROUNDS raises ConversionError; by then the key is already taken and the rest of the
/// copy keeps its earlier values. A cursor without a current row changes nothing and returns
/// false.
bool selectionCopy(Cursor& competitions, Session& session);

} // namespace tallyvex
