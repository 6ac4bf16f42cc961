#pragma once

#include <QtGlobal>

namespace tallyvex {

class Cursor;

/// What the competition office does to the list of competitions, on the competition cursor and
/// without any window: make a new one, delete one, find the one a command is meant for. A
/// competition's entries, teams and timetable are never touched here; they stay under a key the
/// table never hands out again.
namespace competition_store {

/// Appends an empty competition after the last one and stores it at once, so it receives its
/// key; the cursor stands on it. Returns the key.
qint64 createCompetition(Cursor& competitions);

/// The key of the row the cursor stands on; 0 when it stands on none (an empty list).
qint64 highlightedKey(const Cursor& competitions);

/// Deletes the row the cursor stands on; the following row becomes current. Returns the key of
/// the deleted competition, 0 when there was no row (then nothing is deleted).
qint64 deleteCompetition(Cursor& competitions);

/// Moves the cursor to the competition with that key. False, without moving, when no row carries
/// it: the caller must then not edit whatever row the cursor happens to stand on.
bool moveToCompetition(Cursor& competitions, qint64 key);

} // namespace competition_store
} // namespace tallyvex
