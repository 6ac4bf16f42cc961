#pragma once

#include "data/cursor.h"
#include "data/database.h"
#include "data/tdm.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyvex::test {

/// A fresh database in a temporary folder, removed after the test.
class TempDb : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db = Database::open(path());
    }
    QString path() const { return dir.filePath(QStringLiteral("DBX.db")); }

    /// Appends one row with the given field values and stores it.
    static void add(Cursor& c, std::initializer_list<std::pair<const char*, QVariant>> values) {
        c.append();
        for (const auto& [f, v] : values)
            c.setValue(QString::fromLatin1(f), v);
        c.post();
    }

    /// The values of one field of every row, in the cursor's order.
    static QStringList column(Cursor& c, const char* field) {
        QStringList out;
        for (c.first(); !c.eof(); c.next())
            out << c.asString(QString::fromLatin1(field));
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<Database> db;
};

} // namespace tallyvex::test
