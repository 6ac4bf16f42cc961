#include "values.h"

#include "errors.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace tallyvex {

QDate dayZero() {
    return QDate(1899, 12, 30);
}

double dateToDays(const QDate& date) {
    return date.isValid() ? double(dayZero().daysTo(date)) : 0;
}

QDate daysToDate(double days) {
    return dayZero().addDays(qint64(std::floor(days)));
}

double timeToDayFraction(const QTime& time) {
    return time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0;
}

QTime dayFractionToTime(double days) {
    double frac = days - std::floor(days);
    qint64 ms = qint64(std::llround(frac * 86400000.0));
    if (ms >= 86400000)
        ms = 86400000 - 1;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

double dateTimeToDays(const QDateTime& dt) {
    if (!dt.isValid())
        return 0;
    return dateToDays(dt.date()) + timeToDayFraction(dt.time());
}

QDateTime daysToDateTime(double days) {
    return QDateTime(daysToDate(days), dayFractionToTime(days));
}

std::optional<double> parseNumber(const QString& text) {
    QString s = text.trimmed();
    s.remove(QLatin1Char(' '));
    if (s.isEmpty())
        return std::nullopt;
    const int lastComma = s.lastIndexOf(QLatin1Char(','));
    const int lastDot = s.lastIndexOf(QLatin1Char('.'));
    if (lastComma >= 0 && lastDot >= 0) {
        // Both present: the last one separates the decimals, the other groups thousands.
        const QChar group = lastComma > lastDot ? QLatin1Char('.') : QLatin1Char(',');
        s.remove(group);
    }
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(s).hasMatch())
        return std::nullopt;
    bool ok = false;
    double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<QDate> parseDate(const QString& text) {
    const QString s = text.trimmed();
    if (s == QLatin1String("."))
        return QDate::currentDate();
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})[./-](\\d{2}|\\d{4})$"));
    const auto m = re.match(s);
    if (!m.hasMatch())
        return std::nullopt;
    int day = m.captured(1).toInt();
    int month = m.captured(2).toInt();
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += 2000;
    QDate d(year, month, day);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QTime> parseTime(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})[:.](\\d{2})(?::(\\d{2}))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QTime t(m.captured(1).toInt(), m.captured(2).toInt(),
            m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    if (!t.isValid())
        return std::nullopt;
    return t;
}

namespace {

[[noreturn]] void notA(const FieldDef& f, const QString& what, const QVariant& v) {
    throw ConversionError(QStringLiteral("'%1' is not a valid %2 value for field '%3'.")
                              .arg(v.toString(), what, f.name));
}

double numberOf(const FieldDef& f, const QVariant& v, const char* what) {
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return v.toDouble();
    default: {
        auto n = parseNumber(v.toString());
        if (!n)
            notA(f, QString::fromLatin1(what), v);
        return *n;
    }
    }
}

bool isEmptyInput(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return true;
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray)
        return v.toString().isEmpty();
    return false;
}

} // namespace

QVariant toStoredValue(const FieldDef& f, const QVariant& v) {
    if (isEmptyInput(v))
        return QVariant();
    switch (f.type) {
    case FieldType::Text:
        return f.width > 0 ? v.toString().left(f.width) : v.toString();
    case FieldType::Memo:
        return v.toString();
    case FieldType::AutoInc:
    case FieldType::Int16:
    case FieldType::Int32: {
        double d = numberOf(f, v, "integer");
        // A typed "12,0" is a whole number; "12,5" is not one.
        if (d != std::floor(d))
            notA(f, QStringLiteral("integer"), v);
        const double limit = f.type == FieldType::Int16 ? 32767.0 : 2147483647.0;
        if (d > limit || d < -limit - 1)
            throw RangeError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed "
                                            "range is %3 to %4.")
                                 .arg(v.toString(), f.name)
                                 .arg(qint64(-limit - 1))
                                 .arg(qint64(limit)));
        return QVariant(qint64(d));
    }
    case FieldType::Float:
        return QVariant(numberOf(f, v, "floating point"));
    case FieldType::Boolean: {
        if (v.typeId() == QMetaType::Bool)
            return QVariant(qint64(v.toBool() ? 1 : 0));
        const QString s = v.toString().trimmed().toLower();
        static const QStringList yes{"true", "1", "y", "j", "yes", "ja", "*", "t"};
        static const QStringList no{"false", "0", "n", "no", "nein", "-", "f"};
        if (yes.contains(s))
            return QVariant(qint64(1));
        if (no.contains(s))
            return QVariant(qint64(0));
        if (auto n = parseNumber(s))
            return QVariant(qint64(*n != 0 ? 1 : 0));
        notA(f, QStringLiteral("boolean"), v);
    }
    case FieldType::Date:
        if (v.typeId() == QMetaType::QDate)
            return QVariant(dateToDays(v.toDate()));
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(dateToDays(v.toDateTime().date()));
        if (v.typeId() != QMetaType::QString)
            return QVariant(std::floor(numberOf(f, v, "date")));
        if (auto d = parseDate(v.toString()))
            return QVariant(dateToDays(*d));
        notA(f, QStringLiteral("date"), v);
    case FieldType::Time:
        if (v.typeId() == QMetaType::QTime)
            return QVariant(timeToDayFraction(v.toTime()));
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(timeToDayFraction(v.toDateTime().time()));
        if (v.typeId() != QMetaType::QString)
            return QVariant(numberOf(f, v, "time"));
        if (auto t = parseTime(v.toString()))
            return QVariant(timeToDayFraction(*t));
        notA(f, QStringLiteral("time"), v);
    case FieldType::DateTime: {
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(dateTimeToDays(v.toDateTime()));
        if (v.typeId() == QMetaType::QDate)
            return QVariant(dateToDays(v.toDate()));
        if (v.typeId() == QMetaType::QTime)
            return QVariant(timeToDayFraction(v.toTime()));
        if (v.typeId() != QMetaType::QString)
            return QVariant(numberOf(f, v, "date and time"));
        const QString s = v.toString().trimmed();
        if (auto t = parseTime(s))
            return QVariant(timeToDayFraction(*t));
        if (auto d = parseDate(s))
            return QVariant(dateToDays(*d));
        const int space = s.indexOf(QLatin1Char(' '));
        if (space > 0) {
            auto d = parseDate(s.left(space));
            auto t = parseTime(s.mid(space + 1));
            if (d && t)
                return QVariant(dateToDays(*d) + timeToDayFraction(*t));
        }
        notA(f, QStringLiteral("date and time"), v);
    }
    }
    return QVariant();
}

void checkRange(const FieldDef& f, const QVariant& stored) {
    if (!f.range || stored.isNull())
        return;
    const double d = stored.toDouble();
    if (d < f.range->min || d > f.range->max)
        throw RangeError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range "
                                        "is %3 to %4.")
                             .arg(QString::number(d), f.name, QString::number(f.range->min),
                                  QString::number(f.range->max)));
}

QString formatMoney(double value, bool english) {
    QLocale loc(english ? QLocale::English : QLocale::German,
                english ? QLocale::UnitedKingdom : QLocale::Germany);
    return loc.toString(value, 'f', 2);
}

QString displayText(const FieldDef& f, const QVariant& stored, const QString& boolCaptions) {
    if (f.type == FieldType::Boolean) {
        const QString caps = !boolCaptions.isEmpty()      ? boolCaptions
                             : !f.displayFormat.isEmpty() ? f.displayFormat
                                                          : QStringLiteral("True;False");
        const QStringList parts = caps.split(QLatin1Char(';'));
        const bool on = !stored.isNull() && stored.toLongLong() != 0;
        return on ? parts.value(0) : parts.value(1);
    }
    if (stored.isNull())
        return {};
    const QString& fmt = f.displayFormat;
    switch (f.type) {
    case FieldType::Text:
    case FieldType::Memo:
        return stored.toString();
    case FieldType::Date:
        return daysToDate(stored.toDouble()).toString(QStringLiteral("dd.MM.yyyy"));
    case FieldType::Time:
        return dayFractionToTime(stored.toDouble()).toString(QStringLiteral("hh:mm"));
    case FieldType::DateTime:
        if (fmt == QLatin1String("hh:nn"))
            return dayFractionToTime(stored.toDouble()).toString(QStringLiteral("hh:mm"));
        if (fmt == QLatin1String("dd.mm.yyyy"))
            return daysToDate(stored.toDouble()).toString(QStringLiteral("dd.MM.yyyy"));
        return daysToDateTime(stored.toDouble()).toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    case FieldType::Float:
        if (fmt.startsWith(QLatin1String("#,##.00")))
            return formatMoney(stored.toDouble()) + fmt.mid(7);
        return QLocale::c().toString(stored.toDouble(), 'g', 15);
    default:
        return QString::number(stored.toLongLong());
    }
}

} // namespace tallyvex
