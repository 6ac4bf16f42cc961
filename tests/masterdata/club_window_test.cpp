#include "masterdata/club_window.h"

#include "masterdata/address_export.h"
#include "masterdata_fixture.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTest>

namespace tallyvex::test {
namespace {

class ClubWindowTest : public MasterDataTest {
protected:
    void open() {
        window = std::make_unique<TF_VER>(*session);
        window->show();
        QApplication::processEvents();
    }
    void click(const char* panel) { window->panel(QString::fromLatin1(panel))->click(); }
    void clickTitle(int col) {
        QHeaderView* h = window->grid()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(col) + 5, h->height() / 2));
    }
    QString current(const char* field) { return clubs().asString(QString::fromLatin1(field)); }

    std::unique_ptr<TF_VER> window;
};

TEST_F(ClubWindowTest, ColumnTitledLandEditsAndSortsTheShortField) {
    addClub({{"Vereinsname", "SV Tirol"}, {"Abkuerzung", "TIR"}, {"Land", 43}});
    addClub({{"Vereinsname", "BSV Wien"}, {"Abkuerzung", "WIE"}, {"Land", 43}});
    open();
    EXPECT_EQ(current("Vereinsname"), QStringLiteral("BSV Wien")); // by name at first
    auto* m = window->grid()->tableModel();
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Land"));

    m->setCellValue(0, 2, QStringLiteral("ABCDEFGHIJKL"));
    clubs().post();
    EXPECT_EQ(tdm()
                  .db()
                  .scalar(QStringLiteral(
                      "SELECT Abkuerzung FROM C_Vereine WHERE Vereinsname = 'BSV Wien'"))
                  .toString(),
              QStringLiteral("ABCDEFGHIJ")); // ten characters
    EXPECT_EQ(
        tdm()
            .db()
            .scalar(QStringLiteral("SELECT Land FROM C_Vereine WHERE Vereinsname = 'BSV Wien'"))
            .toInt(),
        43);

    clickTitle(2);
    EXPECT_EQ(clubs().indexName(), QStringLiteral("I_A"));
    clickTitle(1); // "Ansprechperson" does not sort
    EXPECT_EQ(clubs().indexName(), QStringLiteral("I_A"));
}

TEST_F(ClubWindowTest, SearchAfterSortingByPostcodeComparesPostcodes) {
    addClub({{"Vereinsname", "A-Club"}, {"Postleitzahl", "9020"}});
    addClub({{"Vereinsname", "B-Club"}, {"Postleitzahl", "5020"}});
    addClub({{"Vereinsname", "C-Club"}, {"Postleitzahl", "1010"}});
    open();
    clickTitle(3);
    EXPECT_EQ(clubs().indexName(), QStringLiteral("I_P"));
    typed = QStringLiteral("5");
    click("Panel5");
    EXPECT_EQ(asked, (QStringList{"QUORVANE-TALLYVEX", "Vereinsname:"}));
    EXPECT_EQ(current("Vereinsname"), QStringLiteral("B-Club"));
    typed.clear();
    click("Panel5");
    EXPECT_EQ(current("Vereinsname"), QStringLiteral("C-Club"));
}

TEST_F(ClubWindowTest, EnglishCaptionsExportAndClose) {
    addClub({{"Vereinsname", "SV Tirol"}, {"Abkuerzung", "TIR"}});
    session->setLanguage(QStringLiteral("EN"));
    open();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Panel1"))->text(),
              QStringLiteral("Club administration:"));
    EXPECT_EQ(window->panel(QStringLiteral("Panel3"))->caption(),
              QStringLiteral("Export adresses"));
    EXPECT_EQ(window->panel(QStringLiteral("Panel5"))->caption(), QStringLiteral("Search"));
    const auto* m = window->grid()->tableModel();
    EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Attn:"));

    click("Panel3");
    const QString path = dir.filePath(addressFileDef(AddressList::Clubs).fileName);
    EXPECT_EQ(notices, QStringList{QStringLiteral("All data have been exported to file: \"%1\"!")
                                       .arg(QDir::toNativeSeparators(path))});
    EXPECT_EQ(fileBytes(addressFileDef(AddressList::Clubs).fileName),
              QByteArray("\"SV Tirol\",\"\",\"\",\"\",\"\",\"TIR\"\r\n"));

    click("Panel8");
    ASSERT_EQ(labels.reports.size(), 1u);
    EXPECT_EQ(labels.reports[0].pages.at(0).text(QStringLiteral("QRDBText6"))->text,
              QStringLiteral("TIR"));

    window->close();
    EXPECT_TRUE(window->isVisible());
    click("Panel4");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(clubs().isOpen()); // stays open with the last order
}

} // namespace
} // namespace tallyvex::test
