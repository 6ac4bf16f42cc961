#pragma once

#include "test_db.h"
#include "widgets/error_presenter.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <sqlite3.h>

namespace tallyvex::test {

/// A temporary database, a shown and active top-level window for the controls under test, and
/// the messages the controls would have shown in a box.
class WidgetTest : public TempDb {
protected:
    void SetUp() override {
        TempDb::SetUp();
        window = std::make_unique<QWidget>();
        window->resize(900, 600);
    }
    void TearDown() override { window.reset(); }

    /// Shows the window and makes it the active one, so focus moves as a user would move it.
    void showWindow() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    /// Appends count shooters in one transaction; in the order of `I_Nachname` the shooter at
    /// position k is called "Name" + k (six digits), while the stored order is shuffled.
    void addShooters(int count) {
        Transaction tx(*db);
        for (int i = 0; i < count; ++i) {
            const int k = int((qint64(i) * 7919) % count);
            db->run(
                QStringLiteral("INSERT INTO C_SHOOTERS (Nachname, Vorname, Ort) VALUES (?, ?, ?)"),
                {QStringLiteral("Name%1").arg(k, 6, 10, QLatin1Char('0')),
                 QStringLiteral("Vorname"), QStringLiteral("Ort%1").arg(k % 97)});
        }
        tx.commit();
    }

    /// Counts the result rows SQLite hands out from now on: what the program really read.
    void countRowsRead() {
        rowsRead = 0;
        sqlite3_trace_v2(
            db->handle(), SQLITE_TRACE_ROW,
            [](unsigned, void* counter, void*, void*) {
                ++*static_cast<qint64*>(counter);
                return 0;
            },
            &rowsRead);
    }

    QStringList shown;
    ScopedErrorPresenter capture{[this](QWidget*, const QString& text) { shown << text; }};
    std::unique_ptr<QWidget> window;
    qint64 rowsRead = 0;
};

} // namespace tallyvex::test
