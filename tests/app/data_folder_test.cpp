#include "app/data_folder.h"

#include "app/help_window.h"
#include "app/settings.h"
#include "data/tdm.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyvex::test {
namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(DataFolder, FirstStartPreparesEverythingAndLaterStartsLeaveFilesAlone) {
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("Tallyvex"));
    const QDir dir(folder);

    ASSERT_TRUE(prepareDataFolder(folder));
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("gfx/logo.jpg"))).isNull());
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("gfx/confirmation.jpg"))).isNull());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("qtv.log"))));
    EXPECT_EQ(readWebAddress(folder), QStringLiteral("www.tallyvex.org"));
    {
        auto tdm = TDM::open(databasePath(folder));
        prepareDatabase(*tdm, true);
        const GeneralSettings s = readGeneralSettings(*tdm);
        EXPECT_EQ(s.currency, QStringLiteral("EUR"));
        EXPECT_EQ(s.language, QStringLiteral("DE"));
        Cursor& classes = tdm->T_CLASSES();
        classes.open();
        EXPECT_GE(classes.recordCount(), 4);
    }

    // The office changed its files, removed the log and emptied the classes.
    QFile::remove(dir.filePath(QStringLiteral("qtv.log")));
    {
        QFile ini(settingsPath(folder));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[General]\nwebAddress=www.sv-musterstadt.de\n");
    }
    const QByteArray logo = readAll(dir.filePath(QStringLiteral("gfx/logo.jpg")));
    {
        auto tdm = TDM::open(databasePath(folder));
        tdm->T_CLASSES().open();
        tdm->T_CLASSES().emptyTable();
    }

    EXPECT_FALSE(prepareDataFolder(folder));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("qtv.log")))); // logging stays off
    EXPECT_EQ(readWebAddress(folder), QStringLiteral("www.sv-musterstadt.de"));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("gfx/logo.jpg"))), logo);
    auto tdm = TDM::open(databasePath(folder));
    prepareDatabase(*tdm, false);
    tdm->T_CLASSES().open();
    EXPECT_EQ(tdm->T_CLASSES().recordCount(), 0);
}

TEST(DataFolder, MissingPictureIsWrittenAgain) {
    QTemporaryDir tmp;
    prepareDataFolder(tmp.path());
    const QString logo = tmp.filePath(QStringLiteral("gfx/logo.jpg"));
    QFile::remove(logo);
    prepareDataFolder(tmp.path());
    EXPECT_FALSE(QImage(logo).isNull());
}

TEST(DataFolder, EveryHelpPageOfTheProgramIsInstalled) {
    QTemporaryDir tmp;
    prepareDataFolder(tmp.path());
    const QStringList shipped = QDir(QStringLiteral(":/help")).entryList(QDir::Files);
    // The program carries a page for every topic of its help table.
    for (const QString& name : allHelpPageNames())
        EXPECT_TRUE(shipped.contains(name)) << name.toStdString();
    for (const QString& name : shipped)
        EXPECT_EQ(readAll(tmp.filePath(QStringLiteral("help/") + name)),
                  readAll(QStringLiteral(":/help/") + name))
            << name.toStdString();
}

TEST(Settings, StoredLanguageSurvivesAndAMissingRowIsAdded) {
    QTemporaryDir tmp;
    auto tdm = TDM::open(tmp.filePath(QStringLiteral("DBX.db")));
    EXPECT_TRUE(readGeneralSettings(*tdm).language.isEmpty());
    storeLanguage(*tdm, QStringLiteral("EN"));
    EXPECT_EQ(readGeneralSettings(*tdm).language, QStringLiteral("EN"));
    EXPECT_FALSE(tdm->GENERAL().isOpen());
    storeLanguage(*tdm, QStringLiteral("DE"));
    tdm->GENERAL().open();
    EXPECT_EQ(tdm->GENERAL().recordCount(), 1);
}

} // namespace
} // namespace tallyvex::test
