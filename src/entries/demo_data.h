#pragma once

#include <QString>
#include <QtGlobal>

namespace tallyvex {

class TDM;

/// How big the demo data set is. The defaults are what the office tries the program on; tests
/// and benchmarks ask for other sizes.
struct DemoOptions {
    int clubs = 10;
    int shooters = 150;
    int entries = 60; ///< at most the number of shooters
    quint32 seed = 20250614;
};

/// What the demo data set consists of after filling.
struct DemoSummary {
    double competitionKey = 0;
    int clubs = 0;
    int shooters = 0;
    int classes = 0;
    int entries = 0;
};

/// True when the database holds at least one competition.
bool holdsCompetitions(TDM& tdm);

/// Fills the database with a demo data set: clubs, shooters of several nations (umlauts in names
/// and towns), the class list (only when it is empty), and one two-day competition of five
/// rounds whose entries are registered in several classes with their fees and numbered by last
/// name. The same options give the same data. Everything is written in one transaction through
/// cursors of its own, so the shared cursors are left as they are. Raises StorageError when the
/// database already holds a competition, leaving it unchanged.
DemoSummary fillDemoData(TDM& tdm, const DemoOptions& options = DemoOptions{});

} // namespace tallyvex
