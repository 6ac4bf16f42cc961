#include "demo_data.h"

#include "data/cursor.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/filter.h"
#include "data/tdm.h"
#include "entries/entry_operations.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <algorithm>
#include <array>
#include <random>

namespace tallyvex {

namespace {

struct Nation {
    const char* code;
    const char* state; // state code of the shooters' association
    std::vector<std::pair<const char*, const char*>> towns; // postal code, town
};

// Towns with the characters a German office meets: umlauts, ß, accents of the neighbours.
const std::vector<Nation>& nations() {
    static const std::vector<Nation> list{
        {"GER",
         "BY",
         {{"80331", "München"},
          {"90402", "Nürnberg"},
          {"97070", "Würzburg"},
          {"86150", "Augsburg"},
          {"50667", "Köln"},
          {"40213", "Düsseldorf"},
          {"23552", "Lübeck"},
          {"79098", "Freiburg im Breisgau"},
          {"88045", "Friedrichshafen"},
          {"83022", "Rosenheim"}}},
        {"AUT",
         "ST",
         {{"8010", "Graz"}, {"5020", "Salzburg"}, {"6020", "Innsbruck"}, {"4020", "Linz"}}},
        {"SUI", "ZH", {{"8001", "Zürich"}, {"3011", "Bern"}, {"6003", "Luzern"}}},
        {"ITA", "BZ", {{"39100", "Bozen"}, {"38122", "Trento"}}},
        {"FRA", "GE", {{"67000", "Strasbourg"}, {"68100", "Mulhouse"}}},
        {"CZE", "JM", {{"60200", "Brno"}, {"37001", "České Budějovice"}}},
        {"DEN", "SJ", {{"8000", "Århus"}, {"5000", "Odense"}}},
    };
    return list;
}

const char* const lastNames[] = {
    "Müller",   "Schäfer",  "Größer",   "Bräuer",       "Jäger",      "Köhler",  "Wöhrle",
    "Hübner",   "Krämer",   "Weiß",     "Schröder",     "Böhm",       "Günther", "Löffler",
    "Fuchs",    "Becker",   "Hofmann",  "Brandstätter", "Gruber",     "Pölzl",   "Oberhäuser",
    "Zürcher",  "Spühler",  "Ammann",   "Bianchi",      "Dallapè",    "Lefèvre", "Gaulé",
    "Dvořák",   "Novák",    "Sørensen", "Jørgensen",    "Strauß",     "Maier",   "Roßbach",
    "Eichhorn", "Fröhlich", "Lämmle",   "Nußbaum",      "Obermüller", "Vögele",  "Wünsche",
};
const char* const menFirstNames[] = {"Jürgen", "Hans-Peter", "Günter",  "Matthias", "Björn",
                                     "Jörg",   "Uwe",        "Stefan",  "René",     "Luca",
                                     "Tomáš",  "Søren",      "Andreas", "Florian",  "Mario"};
const char* const womenFirstNames[] = {"Jutta", "Bärbel", "Käthe", "Sabine", "Anneliese",
                                       "Chloé", "Zoë",    "Petra", "Simone", "Lena"};
const char* const titles[] = {"Dr.", "Ing.", "Mag.", "Prof."};

const char* const clubTemplates[][2] = {
    {"Schützengesellschaft Grünwald", "SG GRÜ"},  {"Wurftaubenclub Löwenstein", "WTC LÖW"},
    {"Jagdschützen Müllheim", "JS MÜL"},          {"Trapclub Südtirol", "TC STI"},
    {"Flintenschützen Österreich-Süd", "FS ÖSÜ"}, {"SV Nürnberg-Fürth", "SV NÜF"},
    {"Tontaubenverein Bodensee", "TTV BOD"},      {"Skeet- und Trapclub Zürich", "STC ZÜR"},
    {"Wurfscheibenclub Kärnten", "WSC KÄR"},      {"Schießsportverein Weißach", "SSV WEI"},
    {"Jagdclub Großhöflein", "JC GRH"},           {"Trapschützen Lübeck", "TS LÜB"},
};

struct DemoClass {
    const char* name;
    int from, to;
    double fee;
};
const DemoClass demoClasses[6] = {
    {"Herren", 21, 55, 60.0},   {"Damen", 0, 99, 50.0},      {"Junioren", 0, 20, 35.0},
    {"Senioren", 56, 65, 55.0}, {"Veteranen", 66, 99, 45.0}, {"Jugend", 0, 17, 25.0},
};

const QDate firstDay(2025, 6, 14);

void put(Cursor& c, const char* field, const QVariant& value) {
    c.setValue(QLatin1String(field), value);
}

/// The class a shooter of that age and sex shoots in.
QString classFor(bool woman, int age) {
    if (age < 18)
        return QStringLiteral("Jugend");
    if (age <= 20)
        return QStringLiteral("Junioren");
    if (woman)
        return QStringLiteral("Damen");
    if (age >= 66)
        return QStringLiteral("Veteranen");
    if (age >= 56)
        return QStringLiteral("Senioren");
    return QStringLiteral("Herren");
}

int ageOn(const QDate& born, const QDate& day) {
    int age = day.year() - born.year();
    if (QDate(day.year(), born.month(), std::min(born.day(), 28)) > day)
        --age;
    return age;
}

} // namespace

bool holdsCompetitions(TDM& tdm) {
    return tdm.db().scalar(QStringLiteral("SELECT COUNT(*) FROM \"C_COMPETE\"")).toLongLong() > 0;
}

DemoSummary fillDemoData(TDM& tdm, const DemoOptions& options) {
    if (holdsCompetitions(tdm))
        throw StorageError(QStringLiteral("The database %1 already holds competitions; the demo "
                                          "data are only written into an empty one.")
                               .arg(tdm.db().path()));
    std::mt19937 random(options.seed);
    auto pick = [&random](int n) {
        return int(std::uniform_int_distribution<int>(0, n - 1)(random));
    };
    DemoSummary summary;
    Database& db = tdm.db();
    Transaction tx(db);

    auto clubs = tdm.privateCursor(QStringLiteral("C_Vereine"), QStringLiteral("demoClubs"));
    clubs->open();
    QStringList clubNames;
    const int clubCount = int(std::size(clubTemplates));
    for (int i = 0; i < options.clubs; ++i) {
        const auto& nation = nations()[size_t(i % 3 == 2 ? 1 : 0)];
        const auto& town = nation.towns[size_t(pick(int(nation.towns.size())))];
        QString name = QString::fromUtf8(clubTemplates[i % clubCount][0]);
        if (i >= clubCount)
            name += QStringLiteral(" %1").arg(i / clubCount + 1);
        clubNames << name;
        clubs->append();
        put(*clubs, "Vereinsname", name);
        put(*clubs, "Abkuerzung", QString::fromUtf8(clubTemplates[i % clubCount][1]));
        put(*clubs, "Strasse", QStringLiteral("Schießstandweg %1").arg(1 + pick(40)));
        put(*clubs, "Postleitzahl", QString::fromUtf8(town.first));
        put(*clubs, "Ort", QString::fromUtf8(town.second));
        put(*clubs, "Ansprechperson",
            QStringLiteral("%1 %2").arg(QString::fromUtf8(menFirstNames[pick(15)]),
                                        QString::fromUtf8(lastNames[pick(42)])));
        put(*clubs, "Telefon", QStringLiteral("+49 89 %1").arg(100000 + pick(899999)));
        put(*clubs, "Email", QStringLiteral("verein%1@example.org").arg(i + 1));
        put(*clubs, "CODE", QStringLiteral("V%1").arg(i + 1, 3, 10, QLatin1Char('0')));
        clubs->post();
        ++summary.clubs;
    }

    struct Person {
        qint64 key;
        bool woman;
        QDate born;
    };
    std::vector<Person> people;
    auto shooters = tdm.privateCursor(QStringLiteral("C_SHOOTERS"), QStringLiteral("demoShooters"));
    shooters->open();
    for (int i = 0; i < options.shooters; ++i) {
        // Two in three shooters come from the home country.
        const size_t n = i % 3 != 2 ? 0 : 1 + size_t(pick(int(nations().size()) - 1));
        const Nation& nation = nations()[n];
        const auto& town = nation.towns[size_t(pick(int(nation.towns.size())))];
        const bool woman = pick(5) == 0;
        const QDate born = QDate(1945 + pick(64), 1 + pick(12), 1 + pick(28));
        shooters->append();
        put(*shooters, "Nachname", QString::fromUtf8(lastNames[pick(int(std::size(lastNames)))]));
        put(*shooters, "Vorname",
            QString::fromUtf8(woman ? womenFirstNames[pick(int(std::size(womenFirstNames)))]
                                    : menFirstNames[pick(int(std::size(menFirstNames)))]));
        if (pick(12) == 0)
            put(*shooters, "TITEL", QString::fromUtf8(titles[pick(int(std::size(titles)))]));
        put(*shooters, "Strasse", QStringLiteral("Hauptstraße %1").arg(1 + pick(120)));
        put(*shooters, "Postleitzahl", QString::fromUtf8(town.first));
        put(*shooters, "Ort", QString::fromUtf8(town.second));
        put(*shooters, "Land", QString::fromLatin1(nation.code));
        put(*shooters, "Geburtsdatum", QDateTime(born, QTime(0, 0)));
        put(*shooters, "WK_BUNDESLAND", QString::fromLatin1(nation.state));
        put(*shooters, "WK_VERBANDSNUMMER",
            QStringLiteral("%1-%2").arg(QString::fromLatin1(nation.code)).arg(10000 + i));
        put(*shooters, "WK_VEREIN",
            clubNames.isEmpty() ? QString() : clubNames[pick(int(clubNames.size()))]);
        shooters->post();
        people.push_back({shooters->asInt(QStringLiteral("Autoincrease")), woman, born});
        ++summary.shooters;
    }

    auto classes = tdm.privateCursor(QStringLiteral("C_Classes"), QStringLiteral("demoClasses"));
    classes->open();
    if (classes->isEmpty()) {
        for (const auto& c : demoClasses) {
            classes->append();
            put(*classes, "Klasse", QString::fromUtf8(c.name));
            put(*classes, "Altervon", c.from);
            put(*classes, "Alterbis", c.to);
            classes->post();
        }
    }
    summary.classes = classes->recordCount();

    auto competitions =
        tdm.privateCursor(QStringLiteral("C_COMPETE"), QStringLiteral("demoCompetition"));
    competitions->open();
    competitions->append();
    put(*competitions, "MODE", QStringLiteral("Trap"));
    put(*competitions, "BEZEICHNUNG1", QStringLiteral("Großer Preis von Grünwald 2025"));
    put(*competitions, "BEZEICHNUNG2",
        QStringLiteral("Internationaler Trap-Wettbewerb über 125 Wurfscheiben"));
    put(*competitions, "RICHTER", QStringLiteral("Jürgen Weiß"));
    put(*competitions, "WETTER", QStringLiteral("sonnig, leichter Südwind"));
    put(*competitions, "JURY", QStringLiteral("B. Köhler, R. Lefèvre, S. Jørgensen"));
    put(*competitions, "DATUM1", firstDay);
    put(*competitions, "DATUM2", firstDay.addDays(1));
    put(*competitions, "Zeit1", QDateTime(firstDay, QTime(9, 0)));
    put(*competitions, "Zeit2", QDateTime(firstDay.addDays(1), QTime(8, 30)));
    put(*competitions, "ROUNDS", 5);
    put(*competitions, "ROUNDSDAY1", 3);
    put(*competitions, "ROUNDSDAY2", 2);
    put(*competitions, "SHOOTINGDAYS", 2);
    put(*competitions, "Rundendauer", 25);
    put(*competitions, "Anzahlwurfscheiben", 25);
    put(*competitions, "Nenngeld", 60.0);
    put(*competitions, "Nenngeldmanschaft", 90.0);
    put(*competitions, "COMPTYPE", QStringLiteral("Trap"));
    const char* const sequences[] = {"123456", "234561", "345612", "456123", "561234"};
    for (int r = 0; r < 5; ++r)
        competitions->setValue(QStringLiteral("SAR%1").arg(r + 1), QLatin1String(sequences[r]));
    std::array<QString, 6> classNames;
    std::array<double, 6> fees{};
    for (int k = 0; k < 6; ++k) {
        classNames[size_t(k)] = QString::fromUtf8(demoClasses[k].name);
        fees[size_t(k)] = demoClasses[k].fee;
        competitions->setValue(QStringLiteral("klasse%1").arg(k + 1), classNames[size_t(k)]);
        competitions->setValue(QStringLiteral("ng%1").arg(k + 1), fees[size_t(k)]);
    }
    for (const char* flag : {"REPLAY", "ISSPORTING", "ISISSF", "REDO"})
        put(*competitions, flag, false);
    competitions->post();
    const double key = double(competitions->asInt(QStringLiteral("LFN")));
    summary.competitionKey = key;

    // The entries: shooters drawn at random, each once, registered as the office does it.
    std::vector<size_t> order(people.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    auto entries = tdm.privateCursor(QStringLiteral("C_COMPDATA"), QStringLiteral("demoEntries"));
    entries->setFilter(competitionFilter(key));
    entries->setFiltered(true);
    entries->setIndexName(QStringLiteral("I_N"));
    entries->open();
    const int wanted = std::min<int>(options.entries, int(people.size()));
    for (int i = 0; i < wanted; ++i) {
        const Person& p = people[order[size_t(i)]];
        shooters->locate(QStringLiteral("Autoincrease"), p.key);
        const QString cls = classFor(p.woman, ageOn(p.born, firstDay));
        appendEntry(*entries, *shooters, key, cls, feeOfClass(classNames, fees, cls));
        ++summary.entries;
    }
    renumberEntries(*entries);
    tx.commit();
    return summary;
}

} // namespace tallyvex
