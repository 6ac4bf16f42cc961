#include "app/error_handler.h"

#include "data/errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace tallyvex::test {
namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ErrorLog, LineFormat) {
    const QDateTime when(QDate(2024, 3, 7), QTime(9, 5, 42));
    EXPECT_EQ(ErrorLog::line(when, QStringLiteral("ConversionError ==> 'x' is no number")),
              QByteArray("07.03.24 09:05 QTVA:ConversionError ==> 'x' is no number\r\n"));
}

TEST(ErrorLog, AppendsOneLineOnlyWhenTheFileExists) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("qtv.log"));
    const QDateTime when(QDate(2024, 12, 31), QTime(23, 59));

    ErrorLog::append(log, QStringLiteral("FileError ==> a"), when);
    EXPECT_FALSE(QFile::exists(log));

    {
        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier line\r\n");
    }
    ErrorLog::append(log, QStringLiteral("FileError ==> b"), when);
    EXPECT_EQ(readAll(log), QByteArray("earlier line\r\n31.12.24 23:59 QTVA:FileError ==> b\r\n"));
}

TEST(ErrorLog, UnwritableLogIsIgnored) {
    QTemporaryDir dir;
    // A folder in place of the file cannot be opened for writing.
    const QString log = dir.filePath(QStringLiteral("qtv.log"));
    ASSERT_TRUE(QDir().mkpath(log));
    EXPECT_NO_THROW(ErrorLog::append(log, QStringLiteral("x")));
}

TEST(ErrorText, KindIsTheClassName) {
    EXPECT_EQ(errorText(ConversionError(QStringLiteral("m"))),
              QStringLiteral("ConversionError ==> m"));
    EXPECT_EQ(errorText(StorageError(QStringLiteral("locked"))),
              QStringLiteral("StorageError ==> locked"));
    EXPECT_EQ(errorText(std::out_of_range("pos")), QStringLiteral("std::out_of_range ==> pos"));
}

/// An exception leaving an event handler is logged and shown, and the program goes on.
TEST(UnhandledErrors, ReachTheHandlerThroughTheEventLoop) {
    auto* app = qobject_cast<TallyvexApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("qtv.log"));
    {
        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList shown;
    app->setLogFile(log);
    app->setMessageHook([&](const QString& text) { shown << text; });

    bool after = false;
    QTimer::singleShot(
        0, [] { throw RangeError(QStringLiteral("ROUNDSDAY1 11 lies outside 0..10")); });
    QTimer::singleShot(10, [&] { after = true; });
    QTimer::singleShot(50, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    app->setMessageHook({});
    app->setLogFile({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], QStringLiteral("RangeError ==> ROUNDSDAY1 11 lies outside 0..10"));
    EXPECT_TRUE(after);
    const QByteArray lines = readAll(log);
    EXPECT_EQ(lines.count("\r\n"), 1);
    EXPECT_TRUE(lines.endsWith(" QTVA:RangeError ==> ROUNDSDAY1 11 lies outside 0..10\r\n"));
}

} // namespace
} // namespace tallyvex::test
