#pragma once

#include "app/session.h"
#include "data/cursor.h"
#include "data/tdm.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyvex::test {

/// A session on a fresh data folder with an open database.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        session = std::make_unique<Session>(dir.path());
        session->setDataModule(TDM::open(dir.filePath(QStringLiteral("DBX.db"))));
    }
    TDM& tdm() { return session->tdm(); }

    /// Appends a competition and leaves the cursor on it.
    static void addCompetition(Cursor& c,
                               std::initializer_list<std::pair<const char*, QVariant>> values) {
        if (!c.isOpen())
            c.open();
        c.append();
        for (const auto& [f, v] : values)
            c.setValue(QString::fromLatin1(f), v);
        c.post();
    }

    QTemporaryDir dir;
    std::unique_ptr<Session> session;
};

} // namespace tallyvex::test
