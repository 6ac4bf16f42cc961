#include "entry_operations.h"

#include "data/cursor.h"
#include "data/database.h"
#include "data/filter.h"
#include "data/values.h"

#include <QHash>

namespace tallyvex {

namespace {

/// Holds back the grids bound to a cursor for a walk, and lets them repaint once at its end,
/// also when the walk ends in an error.
class ControlsHeld final {
public:
    explicit ControlsHeld(Cursor& c) : c_(c) { c_.disableControls(); }
    ~ControlsHeld() { c_.enableControls(); }
    ControlsHeld(const ControlsHeld&) = delete;
    ControlsHeld& operator=(const ControlsHeld&) = delete;

private:
    Cursor& c_;
};

const QString kNumber = QStringLiteral("NUMBER");

} // namespace

QString entryOrderForField(const QString& field) {
    static const QHash<QString, QString> orders{
        {QStringLiteral("NACHNAME"), QStringLiteral("I_N")},
        {QStringLiteral("VORNAME"), QStringLiteral("I_V")},
        {QStringLiteral("GEBDAT"), QStringLiteral("I_GEB")},
        {QStringLiteral("ORT"), QStringLiteral("I_O")},
        {QStringLiteral("PLZ"), QStringLiteral("I_P")},
        {QStringLiteral("NUMBER"), QStringLiteral("I_NN")},
        {QStringLiteral("LLANDK"), QStringLiteral("I_LK")},
        {QStringLiteral("STARTNUMMER"), QStringLiteral("I_SS")},
        {QStringLiteral("ROTTE"), QStringLiteral("I_ROT")},
        {QStringLiteral("KLASSE"), QStringLiteral("I_KL")},
        {QStringLiteral("TITEL"), QStringLiteral("I_TT")},
        {QStringLiteral("TOTAL"), QStringLiteral("I_TOTAL")},
    };
    return orders.value(field.toUpper());
}

QString entryCountText(bool english, int count, bool afterRegistration) {
    QString prefix = QStringLiteral("Anzahl Schützen:");
    if (english)
        prefix = afterRegistration ? QStringLiteral("N° of shooters:")
                                   : QStringLiteral("Number of shooters:");
    return prefix + QString::number(count);
}

double feeOfClass(const std::array<QString, 6>& classes, const std::array<double, 6>& fees,
                  const QString& className) {
    double fee = 0;
    for (size_t i = 0; i < classes.size(); ++i)
        if (classes[i] == className)
            fee = fees[i];
    return fee;
}

int renumberEntries(Cursor& entries) {
    ControlsHeld held(entries);
    entries.post();
    const int numberField = entries.table().fieldIndex(kNumber);
    const int n = entries.recordCount();

    // The order is read completely before anything is written, so numbering by the running
    // number itself cannot move rows under the walk.
    QVector<qint64> rowIds;
    QVector<qint64> oldNumbers;
    rowIds.reserve(n);
    oldNumbers.reserve(n);
    for (int i = 0; i < n; ++i) {
        rowIds << entries.rowIdAt(i);
        const QVariant v = entries.valueAt(i, numberField);
        oldNumbers << (v.isNull() ? -1 : v.toLongLong());
    }

    Database& db = entries.database();
    Transaction tx(db);
    const QString update = QStringLiteral("UPDATE \"%1\" SET \"%2\" = ? WHERE rowid = ?")
                               .arg(entries.table().name, kNumber);
    for (int i = 0; i < n; ++i)
        if (oldNumbers[i] != i + 1)
            db.run(update, {qint64(i + 1), rowIds[i]});
    tx.commit();

    entries.first();
    entries.refresh();
    return n;
}

bool shooterIsRegistered(Database& db, double competitionKey, double shooterKey) {
    Cursor probe(db, QStringLiteral("C_COMPDATA"), QStringLiteral("duplicateCheck"));
    probe.setFilter(competitionFilter(competitionKey) &&
                    Filter::equals(QStringLiteral("SHOOTER"), shooterKey));
    probe.setFiltered(true);
    probe.open();
    return !probe.isEmpty();
}

qint64 appendEntry(Cursor& entries, const Cursor& shooter, double competitionKey,
                   const QString& className, double fee) {
    entries.post();
    entries.last();
    entries.append();
    static const std::pair<const char*, const char*> copied[] = {
        {"Nachname", "NACHNAME"}, {"Vorname", "VORNAME"},   {"TITEL", "TITEL"},
        {"Land", "LLANDK"},       {"Postleitzahl", "PLZ"},  {"WK_VERBANDSNUMMER", "VBN"},
        {"Ort", "ORT"},           {"WK_BUNDESLAND", "LBK"},
    };
    for (const auto& [from, to] : copied)
        entries.setValue(QLatin1String(to), shooter.asString(QLatin1String(from)));
    const QDate born = shooter.asDate(QStringLiteral("Geburtsdatum"));
    entries.setValue(QStringLiteral("GEBDAT"),
                     shooter.isNull(QStringLiteral("Geburtsdatum")) || born == dayZero()
                         ? QString()
                         : born.toString(QStringLiteral("dd.MM.yyyy")));
    entries.setValue(QStringLiteral("SHOOTER"), shooter.asInt(QStringLiteral("Autoincrease")));
    entries.setValue(QStringLiteral("Klasse"), className);
    entries.setValue(QStringLiteral("NG"), fee);
    for (const char* flag : {"S1", "S2", "F1"})
        entries.setValue(QLatin1String(flag), false);
    entries.setValue(QStringLiteral("INOREF"), competitionKey);
    entries.post();
    return entries.asInt(QStringLiteral("AUTOINCREASE"));
}

bool deleteEntry(Cursor& entries) {
    if (entries.state() == Cursor::State::Insert) {
        entries.cancel();
        return false;
    }
    if (entries.recNo() < 0)
        return false;
    const qint64 key = entries.asInt(QStringLiteral("AUTOINCREASE"));
    Database& db = entries.database();
    Transaction tx(db);
    Cursor members(db, QStringLiteral("C_TEAMS2"), QStringLiteral("entryMembers"));
    members.setFilter(Filter::equals(QStringLiteral("Shooter"), key));
    members.setFiltered(true);
    members.open();
    while (!members.isEmpty()) {
        members.first();
        members.remove();
    }
    entries.remove();
    tx.commit();
    return true;
}

bool goToEntry(Cursor& entries, qint64 entryKey) {
    return entries.locate(QStringLiteral("AUTOINCREASE"), entryKey);
}

} // namespace tallyvex
