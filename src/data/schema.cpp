#include "schema.h"

#include "errors.h"

namespace tallyvex {

namespace {

using F = FieldType;

struct Builder {
    TableDef t;

    Builder(const char* name) { t.name = QString::fromLatin1(name); }
    Builder& add(const char* name, FieldType type, int width = 0, QString format = {}) {
        FieldDef f;
        f.name = QString::fromLatin1(name);
        f.type = type;
        f.width = width;
        f.displayFormat = std::move(format);
        t.fields.push_back(std::move(f));
        return *this;
    }
    Builder& text(const char* name, int width) { return add(name, F::Text, width); }
    /// prefix1 .. prefixN, for the round columns R1 .. R8 and the like.
    Builder& series(const char* prefix, int count, FieldType type, int width = 0,
                    const char* format = "%1%2") {
        for (int i = 1; i <= count; ++i) {
            FieldDef f;
            f.name = QString::fromLatin1(format).arg(QString::fromLatin1(prefix)).arg(i);
            f.type = type;
            f.width = width;
            t.fields.push_back(std::move(f));
        }
        return *this;
    }
    Builder& range(double min, double max, bool sharedOnly = false) {
        t.fields.back().range = FieldRange{min, max, sharedOnly};
        return *this;
    }
    Builder& format(const char* name, const char* fmt) {
        for (auto& f : t.fields)
            if (f.name == QLatin1String(name))
                f.displayFormat = QString::fromUtf8(fmt);
        return *this;
    }
    Builder& index(const char* name, QStringList fields, bool desc = false, bool nocase = false) {
        t.indexes.push_back(IndexDef{QString::fromLatin1(name), std::move(fields), desc, nocase});
        return *this;
    }
    Builder& work() {
        t.workTable = true;
        return *this;
    }
    operator TableDef() const { return t; }
};

QStringList roundsBackwards(const char* prefix) {
    QStringList l;
    for (int i = 8; i >= 1; --i)
        l << QStringLiteral("%1%2").arg(QString::fromLatin1(prefix)).arg(i);
    return l;
}

std::vector<TableDef> buildSchema() {
    std::vector<TableDef> tables;

    // Competitions.
    {
        Builder b("C_COMPETE");
        b.add("LFN", F::AutoInc)
            .text("MODE", 50)
            .text("BEZEICHNUNG1", 50)
            .text("BEZEICHNUNG2", 50)
            .text("RICHTER", 100)
            .text("WETTER", 100)
            .text("JURY", 100)
            .add("DATUM1", F::Date)
            .add("DATUM2", F::Date)
            .add("DATUM3", F::Date)
            .add("Datum4", F::Date)
            .add("Zeit1", F::DateTime)
            .add("Zeit2", F::DateTime)
            .add("Zeit3", F::DateTime)
            .add("Stand", F::Float)
            .add("STANDFINALE", F::Float)
            .add("FINALEZEIT", F::DateTime)
            .add("Nenngeld", F::Float)
            .add("Nenngeldmanschaft", F::Float)
            .text("Seitenrichter", 50)
            .text("Tauben", 50)
            .add("Protest", F::Float)
            .add("GEN", F::Boolean)
            .add("MAYCHANGE", F::Boolean)
            .add("USEINDISPLAY", F::Boolean)
            .add("VIRTUALRANKING", F::Boolean)
            .add("TEAMCOUNT", F::Int16)
            .add("ROUNDS", F::Int16)
            .add("ROUNDSDAY1", F::Int16)
            .range(0, 10)
            .add("ROUNDSDAY2", F::Int16)
            .range(0, 10)
            .add("ROUNDSDAY3", F::Int16)
            .range(0, 10)
            .add("ROUNDSDAY4", F::Int16)
            .add("SHOOTINGDAYS", F::Int16)
            .add("Rundendauer", F::Int32)
            .add("M1", F::Float)
            .add("Zeit4", F::Time)
            .add("Anzahlwurfscheiben", F::Int16)
            .add("SM12", F::Float)
            .series("SAR", 8, F::Text, 6);
        for (int i = 1; i <= 5; ++i) {
            b.add(QStringLiteral("klasse%1").arg(i).toLatin1().constData(), F::Text, 25);
            b.add(QStringLiteral("ng%1").arg(i).toLatin1().constData(), F::Float);
        }
        b.text("klasse6", 25).text("COMPTYPE", 25).add("ng6", F::Float);
        b.series("R", 8, F::Text, 10)
            .add("REPLAY", F::Boolean)
            .add("ISSPORTING", F::Boolean)
            .add("ISISSF", F::Boolean)
            .add("REDO", F::Boolean);
        for (auto d : {"DATUM1", "DATUM2", "DATUM3", "Datum4"})
            b.format(d, "dd.mm.yyyy");
        for (auto z : {"Zeit1", "Zeit2", "Zeit3", "Zeit4", "FINALEZEIT"})
            b.format(z, "hh:nn");
        for (auto m :
             {"Nenngeld", "Nenngeldmanschaft", "Protest", "ng1", "ng2", "ng3", "ng4", "ng5", "ng6"})
            b.format(m, "#,##.00");
        tables.push_back(b);
    }

    // Entries: one row per shooter registered for one competition.
    {
        Builder b("C_COMPDATA");
        b.add("AUTOINCREASE", F::AutoInc)
            .add("INOREF", F::Float)
            .add("SHOOTER", F::Float)
            .text("NACHNAME", 25)
            .text("VORNAME", 25)
            .add("STARTNUMMER", F::Float)
            .add("STARTNUMMERNEU", F::Float)
            .add("ROTTE", F::Int32)
            .range(0, 9999, true)
            .text("Klasse", 20)
            .add("PLATZIERUNG", F::Int32)
            .add("MANSCHAFT", F::Int32)
            .add("MANNSCHAFTREF", F::Int32)
            .add("NUMBER", F::Int32)
            .series("R", 8, F::Int32)
            .add("STECHEN", F::Int32)
            .add("FINALE", F::Int32)
            .add("STECHENFINALE", F::Int32)
            .add("ABZUG", F::Int32)
            .add("ABZUGWO", F::Int32)
            .add("TOTAL", F::Int32)
            .add("TOTAL2", F::Int32)
            .add("TOTAL3", F::Int32)
            .add("TOTAL4", F::Int32)
            .add("S1", F::Boolean, 0, QStringLiteral("Y;N"))
            .add("S2", F::Boolean, 0, QStringLiteral("Y;N"))
            .add("SF1", F::Boolean, 0, QStringLiteral("Y;N"))
            .add("F1", F::Boolean, 0, QStringLiteral("Y;N"))
            .text("LKLASSE", 25)
            .text("LLAND", 25)
            .text("LLANDK", 4)
            .text("LBL", 25)
            .text("PLZ", 5)
            .text("LBK", 4)
            .text("VBN", 20)
            .text("GEBDAT", 10)
            .text("ORT", 25)
            .text("VEREIN", 4)
            .add("Internalpos", F::Float)
            .add("FINALPOS", F::Int32)
            .text("TITEL", 10)
            .add("realfinalpos", F::Int32)
            .add("NG", F::Float)
            .format("NG", "#,##.00 \u20ac");
        const QString in = QStringLiteral("INOREF");
        b.index("I_N", {in, "NACHNAME"}, false, true)
            .index("I_V", {in, "VORNAME"}, false, true)
            .index("I_O", {in, "ORT"}, false, true)
            .index("I_P", {in, "PLZ"}, false, true)
            .index("I_GEB", {in, "GEBDAT"}, false, true)
            .index("I_LK", {in, "LLANDK"}, false, true)
            .index("I_KL", {in, "Klasse", "NACHNAME", "VORNAME", "LLANDK"}, false, true)
            .index("I_NN", {in, "NUMBER"})
            .index("I_TT", {in, "TITEL"}, false, true)
            .index("I_SS", {in, "STARTNUMMER"})
            .index("I_ROT", {in, "ROTTE", "STARTNUMMER"})
            .index("I_TOTAL", QStringList{"TOTAL"} + roundsBackwards("R"), true)
            .index("TOT",
                   QStringList{"TOTAL", "STECHEN"} + roundsBackwards("R") +
                       QStringList{"Internalpos"},
                   true)
            .index("TOT2_0", QStringList{"TOTAL", "STECHEN", "TOTAL2"} + roundsBackwards("R"), true)
            .index("Results3",
                   QStringList{"TOTAL3", "STECHENFINALE", "TOTAL", "STECHEN", "TOTAL4"} +
                       roundsBackwards("R") + QStringList{"Internalpos"},
                   true)
            .index("Kugel", {"R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8"})
            .index("FINALPOS", {"FINALPOS"})
            .index("realfinalpos", {"realfinalpos"});
        TableDef t = b;
        t.storedIndexPrefix = in;
        tables.push_back(std::move(t));
    }

    // The shooter database, kept across competitions. The orders carry the other name as a
    // second key so that namesakes come out in a stable, readable order.
    {
        Builder b("C_SHOOTERS");
        b.add("Autoincrease", F::AutoInc)
            .text("Nachname", 25)
            .text("Vorname", 25)
            .text("TITEL", 15)
            .text("Strasse", 25)
            .text("Postleitzahl", 5)
            .text("Ort", 20)
            .text("Land", 3)
            .add("Geburtsdatum", F::DateTime, 0, QStringLiteral("dd.mm.yyyy"))
            .text("WK_BUNDESLAND", 5)
            .text("WK_VERBANDSNUMMER", 10)
            .text("INTERNALCODE", 12)
            .text("WK_VEREIN", 25)
            .add("PRIMARYID", F::Float);
        b.index("I_Nachname", {"Nachname", "Vorname"}, false, true)
            .index("I_Vorname", {"Vorname", "Nachname"}, false, true)
            .index("I_Ort", {"Ort"}, false, true)
            .index("I_Verein", {"WK_VEREIN"}, false, true)
            .index("I_WETTKAMPF", {"WK_VERBANDSNUMMER"}, false, true)
            .index("I_PLZ", {"Postleitzahl"}, false, true)
            .index("I_LAND", {"Land"}, false, true)
            .index("I_BUNDESLAND", {"WK_BUNDESLAND"}, false, true);
        tables.push_back(b);
    }

    // Clubs.
    {
        Builder b("C_Vereine");
        b.add("Lfn", F::AutoInc)
            .text("Vereinsname", 40)
            .text("Abkuerzung", 10)
            .text("Strasse", 25)
            .text("Postleitzahl", 5)
            .text("Ort", 30)
            .add("Land", F::Int32)
            .text("Ansprechperson", 30)
            .text("Telefon", 30)
            .text("Telefax", 30)
            .text("Email", 30)
            .add("Bundesland", F::Int32)
            .text("PersAnrede", 40)
            .text("CODE", 4);
        b.index("I_N", {"Vereinsname"}, false, true)
            .index("I_A", {"Abkuerzung"}, false, true)
            .index("I_P", {"Postleitzahl"}, false, true);
        tables.push_back(b);
    }

    tables.push_back(Builder("C_Classes")
                         .add("Lfn", F::AutoInc)
                         .text("Klasse", 25)
                         .add("Altervon", F::Int32)
                         .add("Alterbis", F::Int32));

    tables.push_back(Builder("GENERELL")
                         .add("LFN", F::AutoInc)
                         .text("WAEHRUNG", 3)
                         .add("EUROENABLED", F::Boolean)
                         .add("NEWSMEMO", F::Memo)
                         .text("LANGUAGE", 3));

    // Teams and their members.
    {
        Builder b("C_TEAM");
        b.add("LFN", F::AutoInc)
            .add("INOREF", F::Float)
            .text("TEAMNAME", 25)
            .text("BUNDESLAND", 5)
            .text("LAND", 3)
            .series("S", 8, F::Int32)
            .add("TOTAL", F::Int32)
            .add("ABZUG", F::Int32)
            .add("Showplatz", F::Int32)
            .add("Hideplatz", F::Int32)
            .add("PLATZIERUNG", F::Int32)
            .text("Klasse", 20);
        b.index("INOREF", {"LFN"}, false, true)
            .index("TEAMS_TOTAL", QStringList{"TOTAL"} + roundsBackwards("S"), true)
            .index("rank", {"Hideplatz"});
        TableDef t = b;
        t.storedIndexPrefix = QStringLiteral("INOREF");
        tables.push_back(std::move(t));
    }
    {
        Builder b("C_TEAMS2");
        b.add("LFN", F::AutoInc)
            .add("INOREF", F::Float)
            .add("COMPETITION", F::Int32)
            .add("Shooter", F::Float)
            .series("R", 8, F::Int32)
            .add("ABZUG", F::Int32)
            .add("TOTAL", F::Int32)
            .text("VORNAME", 25)
            .text("NACHNAME", 25)
            .text("BUNDESLAND", 5)
            .text("LAND", 3)
            .add("STARTNUMMER", F::Float)
            .add("ROTTE", F::Float)
            .add("REF", F::Float);
        b.index("INOREF", {"INOREF"}).index("TEAMTOTAL", {"TOTAL"}, true);
        tables.push_back(b);
    }

    // Timetable slots. The slots of a day are read in the order they were appended.
    {
        Builder b("C_SQUADTIMING");
        b.add("LFN", F::AutoInc)
            .add("WETTKAMPF", F::Float)
            .add("DATUM", F::Date, 0, QStringLiteral("dd.mm.yyyy"))
            .add("BEGINN", F::Time, 0, QStringLiteral("hh:nn"))
            .add("NUMMER", F::Float)
            .series("S", 12, F::Text, 4);
        b.index("INOREF", {"LFN"});
        TableDef t = b;
        t.storedIndexPrefix = QStringLiteral("WETTKAMPF");
        tables.push_back(std::move(t));
    }

    // Work tables, emptied and refilled for each printout or statistic.
    tables.push_back(Builder("C_SQUADTABLE")
                         .add("lfn", F::AutoInc)
                         .add("pos", F::Int32)
                         .text("P0", 40)
                         .series("P", 12, F::Text, 40)
                         .work());
    {
        Builder b("C_COL");
        b.add("LFN", F::AutoInc).text("DATE", 10).text("TIME", 8);
        auto range2 = [](int i) { return QString::number(i).rightJustified(2, QLatin1Char('0')); };
        for (int i = 1; i <= 12; ++i)
            b.text(qPrintable(QStringLiteral("A%1COL").arg(range2(i))), 1);
        for (int i = 1; i <= 12; ++i)
            b.text(qPrintable(QStringLiteral("A%1SQ").arg(range2(i))), 3);
        tables.push_back(b.work());
    }
    tables.push_back(
        Builder("c_stat").add("LFN", F::AutoInc).text("KLASSE", 25).add("ANZAHL", F::Int32).work());
    tables.push_back(Builder("c_stat_1")
                         .add("lfn", F::AutoInc)
                         .text("nation", 3)
                         .series("n", 8, F::Int16)
                         .index("alpha", {"nation"})
                         .work());
    return tables;
}

} // namespace

int TableDef::fieldIndex(const QString& n) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const FieldDef* TableDef::field(const QString& n) const {
    int i = fieldIndex(n);
    return i < 0 ? nullptr : &fields[size_t(i)];
}

const IndexDef* TableDef::index(const QString& n) const {
    for (const auto& ix : indexes)
        if (ix.name.compare(n, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

const FieldDef* TableDef::keyField() const {
    for (const auto& f : fields)
        if (f.type == FieldType::AutoInc)
            return &f;
    return nullptr;
}

const std::vector<TableDef>& schemaTables() {
    static const std::vector<TableDef> tables = buildSchema();
    return tables;
}

const TableDef& tableDef(const QString& name) {
    for (const auto& t : schemaTables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    throw StorageError(QStringLiteral("Table '%1' does not exist in the database.").arg(name));
}

} // namespace tallyvex
