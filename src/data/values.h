#pragma once

#include "schema.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QVariant>

namespace tallyvex {

/// Day 0 of the stored date count: 30 December 1899. An empty date reads as this day, and
/// windows test for "no date set" by its year 1899.
QDate dayZero();
double dateToDays(const QDate& date);
QDate daysToDate(double days);
double timeToDayFraction(const QTime& time);
QTime dayFractionToTime(double days);
double dateTimeToDays(const QDateTime& dt);
QDateTime daysToDateTime(double days);

/// Reads a number typed by a person: blanks around it are ignored; "," or "." is the decimal
/// separator, and where both occur the last one is. Returns nullopt when it is no number.
std::optional<double> parseNumber(const QString& text);

/// Reads a date typed as "dd.mm.yyyy" or "dd.mm.yy" (a two-digit year lies in the 2000s); "."
/// alone is today. Slashes and dashes are accepted as separators too.
std::optional<QDate> parseDate(const QString& text);

/// Reads a time typed as "hh:nn" (or "hh:nn:ss", or "hh.nn").
std::optional<QTime> parseTime(const QString& text);

/// Turns a value handed to a field into what is stored for it: texts cut to the field's width,
/// numbers checked to be numbers (a text that is none raises ConversionError naming field and
/// value), dates and times counted in days, booleans 0/1. Null and the empty text are stored as
/// empty (null). The range is not checked here; see checkRange.
QVariant toStoredValue(const FieldDef& field, const QVariant& value);

/// Raises RangeError when a stored value lies outside the field's range.
void checkRange(const FieldDef& field, const QVariant& stored);

/// The text a field's value shows in a grid or an edit field, by its display format.
/// Booleans use "true;false" captions from the format, or the override given.
QString displayText(const FieldDef& field, const QVariant& stored,
                    const QString& boolCaptions = {});

/// Formats money as "#,##.00": grouping by thousands, two decimals, German separators
/// ("1.234,50") unless english is set ("1,234.50").
QString formatMoney(double value, bool english = false);

} // namespace tallyvex
