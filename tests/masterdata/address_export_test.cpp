#include "masterdata/address_export.h"

#include "data/errors.h"
#include "masterdata_fixture.h"

#include <QDir>

namespace tallyvex::test {
namespace {

TEST(Windows1252, MapsLatin1AndTheTypographicBlockAndMarksTheRest) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("Müller Öß"), QByteArray("M\xfcller \xd6\xdf")},
        {QStringLiteral("€ „Jäger“ – Œ Ÿ ™"),
         QByteArray("\x80 \x84J\xe4ger\x93 \x96 \x8c \x9f \x99")},
        {QStringLiteral("Łódź"), QByteArray("?\xf3"
                                            "d?")},
        // C1 control codes are no characters of the code page; a character outside the basic
        // plane is one "?", not two.
        {QString(QChar(0x81)) + QStringLiteral("x") + QString::fromUcs4(U"\U0001F3AF"),
         QByteArray("?x?")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toWindows1252(c.text), c.bytes) << c.text.toStdString();
}

TEST(AddressLine, QuotesEveryFieldAndDoublesQuotesInside) {
    EXPECT_EQ(addressLine({"Huber", "", "Weg \"3\"", "1010", "Wien", "AUT"}),
              QByteArray("\"Huber\",\"\",\"Weg \"\"3\"\"\",\"1010\",\"Wien\",\"AUT\"\r\n"));
}

class AddressExportTest : public MasterDataTest {
protected:
    QString path(AddressList list) const { return dir.filePath(addressFileDef(list).fileName); }
};

TEST_F(AddressExportTest, ShooterFileIsByteExactInTheShownOrderAndAppendedEachTime) {
    addShooter({{"Nachname", "Wöhrle"},
                {"Vorname", "Jürgen"},
                {"Strasse", "Hauptstraße 1"},
                {"Postleitzahl", "01067"},
                {"Ort", "Dresden"},
                {"Land", "GER"}});
    addShooter({{"Nachname", "Alt"},
                {"Vorname", "Anna"},
                {"Postleitzahl", "6020"},
                {"Ort", "Innsbruck"},
                {"Land", "AUT"},
                {"WK_VEREIN", "SV Tirol"}});
    Cursor& c = shooters();
    c.setIndexName(QStringLiteral("I_Nachname"));

    const QByteArray block = "\"Alt\",\"Anna\",\"\",\"6020\",\"Innsbruck\",\"AUT\"\r\n"
                             "\"W\xf6hrle\",\"J\xfcrgen\",\"Hauptstra\xdf"
                             "e 1\",\"01067\","
                             "\"Dresden\",\"GER\"\r\n";
    EXPECT_EQ(exportAddresses(c, AddressList::Shooters, path(AddressList::Shooters)), 2);
    EXPECT_TRUE(c.eof());
    EXPECT_EQ(fileBytes(addressFileDef(AddressList::Shooters).fileName), block);

    c.setIndexName(QStringLiteral("I_PLZ"));
    exportAddresses(c, AddressList::Shooters, path(AddressList::Shooters));
    const QByteArray byPostcode =
        block.mid(block.indexOf("\"W")) + block.left(block.indexOf("\"W"));
    EXPECT_EQ(fileBytes(addressFileDef(AddressList::Shooters).fileName), block + byPostcode);
}

TEST_F(AddressExportTest, ClubFileEndsWithTheShortFieldAndKeepsWhatTheFileHeld) {
    {
        QFile f(path(AddressList::Clubs));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier\r\n");
    }
    addClub({{"Vereinsname", "SC \"Hubertus\""},
             {"Ansprechperson", "Eva Roth"},
             {"Abkuerzung", "SUI"},
             {"Land", 41},
             {"Postleitzahl", "8000"},
             {"Ort", "Zürich"}});
    exportAddresses(clubs(), AddressList::Clubs, path(AddressList::Clubs));
    EXPECT_EQ(fileBytes(addressFileDef(AddressList::Clubs).fileName),
              QByteArray("earlier\r\n\"SC \"\"Hubertus\"\"\",\"Eva Roth\",\"\",\"8000\","
                         "\"Z\xfcrich\",\"SUI\"\r\n"));
}

TEST_F(AddressExportTest, RowBeingEditedIsStoredBeforeItIsWritten) {
    addShooter({{"Nachname", "Berg"}});
    Cursor& c = shooters();
    c.first();
    c.edit();
    c.setValue(QStringLiteral("Ort"), QStringLiteral("Graz"));
    exportAddresses(c, AddressList::Shooters, path(AddressList::Shooters));
    EXPECT_EQ(fileBytes(addressFileDef(AddressList::Shooters).fileName),
              QByteArray("\"Berg\",\"\",\"\",\"\",\"Graz\",\"\"\r\n"));
    EXPECT_EQ(c.state(), Cursor::State::Browse);
}

TEST_F(AddressExportTest, FileThatCannotBeWrittenNamesThePathAndLeavesNothing) {
    addShooter({{"Nachname", "Berg"}});
    const QString bad =
        dir.filePath(QStringLiteral("missing/") + addressFileDef(AddressList::Shooters).fileName);
    try {
        exportAddresses(shooters(), AddressList::Shooters, bad);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(bad)))
            << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(bad));
}

TEST(AddressExportMessage, ShowsTheRealPathInTheLanguage) {
    const QString p = QStringLiteral("/home/office/Tallyvex/f.txt");
    EXPECT_EQ(addressExportMessage(AddressList::Shooters, p, false),
              QStringLiteral(
                  "All shooters have been exported to file: \"/home/office/Tallyvex/f.txt\"!"));
    EXPECT_EQ(addressExportMessage(AddressList::Shooters, p, true),
              addressExportMessage(AddressList::Shooters, p, false));
    EXPECT_EQ(
        addressExportMessage(AddressList::Clubs, p, false),
        QStringLiteral("Alle Adressdaten wurden exportiert in: \"/home/office/Tallyvex/f.txt\"!"));
    EXPECT_EQ(
        addressExportMessage(AddressList::Clubs, p, true),
        QStringLiteral("All data have been exported to file: \"/home/office/Tallyvex/f.txt\"!"));
}

} // namespace
} // namespace tallyvex::test
