#include "masterdata/shooter_window.h"

#include "app/wait_window.h"
#include "masterdata/address_export.h"
#include "masterdata/shooter_details.h"
#include "masterdata_fixture.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/field_binders.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTest>

namespace tallyvex::test {
namespace {

class ShooterWindowTest : public MasterDataTest {
protected:
    /// Shows the window as the menu does and lets its first activation run.
    void open() {
        window = std::make_unique<TF_SHO>(*session);
        window->show();
        QApplication::processEvents();
    }
    void click(const char* panel) { window->panel(QString::fromLatin1(panel))->click(); }
    void clickTitle(const QString& field) {
        DataGrid* g = window->grid();
        const int col = g->tableModel()->columnOfField(field);
        QHeaderView* h = g->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(col) + 5, h->height() / 2));
    }
    qint64 keyOf(const QString& lastName) {
        return tdm()
            .db()
            .scalar(QStringLiteral("SELECT Autoincrease FROM C_SHOOTERS WHERE Nachname = ?"),
                    {lastName})
            .toLongLong();
    }

    std::unique_ptr<TF_SHO> window;
};

TEST_F(ShooterWindowTest, OpenedForANewShooterAppendsItShowsItsDetailsAndHandsBackItsKey) {
    addShooter({{"Nachname", "Alt"}});
    int dialogs = 0;
    onDialog = [&](QDialog& d) {
        ++dialogs;
        auto& details = dynamic_cast<TF_SHO_DETAIL&>(d);
        d.show();
        EXPECT_EQ(shooters().state(), Cursor::State::Insert);
        QTest::keyClicks(details.control(QStringLiteral("Nachname")), QStringLiteral("Neumann"));
        details.closePanel()->click();
        EXPECT_FALSE(d.isVisible());
    };
    session->setShooterHandOverKey(-1);
    open();
    ASSERT_EQ(dialogs, 1);
    EXPECT_EQ(session->shooterHandOverKey(), -1); // until the window closes
    EXPECT_EQ(shooters().recordCount(), 2);

    click("Panel4");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(session->closeAllowed());
    EXPECT_GT(keyOf(QStringLiteral("Neumann")), 0);
    EXPECT_EQ(session->shooterHandOverKey(), keyOf(QStringLiteral("Neumann")));
}

TEST_F(ShooterWindowTest, ANewShooterSortedBeforeTheLastOneIsHandedBackAndTheLastOneKept) {
    addShooter({{"Nachname", "Alt"}});
    addShooter({{"Nachname", "Zürcher"}});
    onDialog = [&](QDialog& d) {
        auto& details = dynamic_cast<TF_SHO_DETAIL&>(d);
        d.show();
        QTest::keyClicks(details.control(QStringLiteral("Nachname")), QStringLiteral("Zander"));
        details.closePanel()->click();
    };
    session->setShooterHandOverKey(-1);
    open();
    click("Panel4");
    EXPECT_GT(keyOf(QStringLiteral("Zürcher")), 0) << "the last shooter keeps his name";
    EXPECT_EQ(session->shooterHandOverKey(), keyOf(QStringLiteral("Zander")));
}

TEST_F(ShooterWindowTest, FromTheMenuTheKeyIsZeroUntilCloseHandsBackTheCurrentShooter) {
    addShooter({{"Nachname", "Alt"}});
    addShooter({{"Nachname", "Berg"}});
    int dialogs = 0;
    onDialog = [&](QDialog&) { ++dialogs; };
    session->setShooterHandOverKey(7);
    open();
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(session->shooterHandOverKey(), 0);
    EXPECT_EQ(shooters().indexName(), QStringLiteral("I_Nachname"));
    EXPECT_EQ(shooters().asString(QStringLiteral("Nachname")), QStringLiteral("Alt"));

    // A shooter typed straight into a new grid row gets its key only when it is stored; the
    // caller must still receive it.
    window->navigator()->press(DbNavigator::Insert);
    auto* m = window->grid()->tableModel();
    ASSERT_GE(m->insertRow(), 0);
    m->setCellValue(m->insertRow(), 0, QStringLiteral("Christ"));
    click("Panel4");
    EXPECT_EQ(shooters().state(), Cursor::State::Browse);
    EXPECT_GT(keyOf(QStringLiteral("Christ")), 0);
    EXPECT_EQ(session->shooterHandOverKey(), keyOf(QStringLiteral("Christ")));
}

TEST_F(ShooterWindowTest, CloseIsRefusedExceptThroughTheCloseCommand) {
    open();
    EXPECT_FALSE(session->closeAllowed());
    window->close();
    window->reject();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    click("Panel4");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ShooterWindowTest, SearchComparesWithTheFieldOfTheSortedColumn) {
    addShooter({{"Nachname", "Adler"}, {"Ort", "Wien"}});
    addShooter({{"Nachname", "Bauer"}, {"Ort", "Graz"}});
    addShooter({{"Nachname", "Zeller"}, {"Ort", "Innsbruck"}});
    open();

    typed = QStringLiteral("b");
    click("Panel5");
    EXPECT_EQ(asked, (QStringList{"QUORVANE-V5-SCORING", "Last Name:"}));
    EXPECT_EQ(shooters().asString(QStringLiteral("Nachname")), QStringLiteral("Bauer"));

    clickTitle(QStringLiteral("Ort"));
    EXPECT_EQ(shooters().indexName(), QStringLiteral("I_Ort"));
    typed = QStringLiteral("H");
    click("Panel5");
    EXPECT_EQ(shooters().asString(QStringLiteral("Nachname")), QStringLiteral("Zeller"));

    // A title without an order keeps the order; a cancelled search goes to the first row.
    clickTitle(QStringLiteral("Geburtsdatum"));
    EXPECT_EQ(shooters().indexName(), QStringLiteral("I_Ort"));
    typed.clear();
    click("Panel5");
    EXPECT_EQ(shooters().asString(QStringLiteral("Ort")), QStringLiteral("Graz"));
}

TEST_F(ShooterWindowTest, TitleClicksChooseTheOrdersOfTheLayout) {
    const QStringList expected = {
        "I_Nachname",   "I_Vorname",   "",        "", "", "I_PLZ", "I_Ort", "I_LAND",
        "I_BUNDESLAND", "I_WETTKAMPF", "I_Verein"};
    const auto columns = TF_SHO::gridColumns();
    ASSERT_EQ(columns.size(), expected.size());
    for (int i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(TF_SHO::indexOfField(columns[i].field), expected[i]) << i;
        EXPECT_EQ(columns[i].titleColor.isValid(), !expected[i].isEmpty()) << i;
        // Every order exists on the table.
        if (!expected[i].isEmpty()) {
            EXPECT_NO_THROW(shooters().setIndexName(expected[i]));
        }
    }
}

TEST_F(ShooterWindowTest, EnglishCaptions) {
    session->setLanguage(QStringLiteral("EN"));
    open();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Panel1"))->text(),
              QStringLiteral("Shooter´s Database:"));
    const auto* m = window->grid()->tableModel();
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("B.N°:"));
    EXPECT_EQ(m->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Reg.N°"));
    EXPECT_EQ(window->panel(QStringLiteral("Panel3"))->caption(),
              QStringLiteral("Export Adresses"));
    EXPECT_EQ(window->panel(QStringLiteral("Panel_Detailsanzeigen"))->caption(),
              QStringLiteral("Details"));
}

TEST_F(ShooterWindowTest, DetailsOfferTheClubsAndStoreTheChosenOne) {
    addClub({{"Vereinsname", "SV Tirol"}});
    addClub({{"Vereinsname", "BSV Wien"}});
    clubs().close(); // the club window was never opened in this run
    addShooter({{"Nachname", "Alt"}});
    session->setLanguage(QStringLiteral("EN"));
    open();
    onDialog = [&](QDialog& d) {
        auto& details = dynamic_cast<TF_SHO_DETAIL&>(d);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Shooter`s details:"));
        EXPECT_EQ(details.label(QStringLiteral("Ort"))->text(), QStringLiteral("City:"));
        DbComboBox* list = details.clubList();
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->itemText(0), QStringLiteral("SV Tirol")); // the club list's own order
        d.show();
        list->activated(1);
        details.closePanel()->click();
    };
    click("Panel_Detailsanzeigen");
    EXPECT_FALSE(tdm().Vereine().isOpen());
    EXPECT_EQ(tdm().db().scalar(QStringLiteral("SELECT WK_VEREIN FROM C_SHOOTERS")).toString(),
              QStringLiteral("BSV Wien"));
}

TEST_F(ShooterWindowTest, DetailsClosedByTheTitleBarKeepTheTypedTextPendingUnstored) {
    addShooter({{"Nachname", "Alt"}, {"Ort", "Graz"}});
    open();
    onDialog = [&](QDialog& d) {
        auto& details = dynamic_cast<TF_SHO_DETAIL&>(d);
        d.show();
        QWidget* town = details.control(QStringLiteral("Ort"));
        town->setFocus();
        QTest::keyClicks(town, QStringLiteral("er"));
        d.close(); // the title-bar button, with the focus still in the field
        EXPECT_FALSE(d.isVisible());
    };
    click("Panel_Detailsanzeigen");
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_NE(shooters().state(), Cursor::State::Browse);
    EXPECT_EQ(shooters().asString(QStringLiteral("Ort")), QStringLiteral("Grazer"));
    EXPECT_EQ(tdm().db().scalar(QStringLiteral("SELECT Ort FROM C_SHOOTERS")).toString(),
              QStringLiteral("Graz"));
    EXPECT_FALSE(tdm().Vereine().isOpen());
}

TEST_F(ShooterWindowTest, DetailsTakeABirthDateOnlyWithItsFourDigitYear) {
    struct Case {
        const char* typed;
        QDate stored; ///< invalid: refused, the row keeps its date
    };
    const Case cases[] = {
        {"12.05.1965", QDate(1965, 5, 12)},
        {"3.1.2001", QDate(2001, 1, 3)},
        {"12.05.65", {}},
        {"12.05", {}},
        {"31.02.1970", {}},
    };
    addShooter({{"Nachname", "Alt"}, {"Geburtsdatum", QDate(1950, 1, 1)}});
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        errors.clear();
        onDialog = [&](QDialog& d) {
            auto& details = dynamic_cast<TF_SHO_DETAIL&>(d);
            d.show();
            auto* date = static_cast<QLineEdit*>(details.control(QStringLiteral("Geburtsdatum")));
            date->selectAll();
            QTest::keyClicks(date, QString::fromLatin1(c.typed));
            details.closePanel()->click();
            if (d.isVisible()) { // refused: the dialog stays; take the input back and leave
                EXPECT_FALSE(c.stored.isValid());
                date->selectAll();
                QTest::keyClicks(date, QStringLiteral("01.01.1950"));
                details.closePanel()->click();
            }
        };
        click("Panel_Detailsanzeigen");
        EXPECT_EQ(errors.isEmpty(), c.stored.isValid())
            << errors.join(QLatin1Char('\n')).toStdString();
        const QDate expected = c.stored.isValid() ? c.stored : QDate(1950, 1, 1);
        EXPECT_EQ(shooters().state(), Cursor::State::Browse);
        shooters().refresh(); // read back what was stored
        EXPECT_EQ(shooters().asDate(QStringLiteral("Geburtsdatum")), expected);
        shooters().edit();
        shooters().setValue(QStringLiteral("Geburtsdatum"), QDate(1950, 1, 1));
        shooters().post();
    }
}

TEST_F(ShooterWindowTest, ExportNamesTheFileAndAFailureNamesThePath) {
    addShooter({{"Nachname", "Alt"}});
    open();
    const QString path = dir.filePath(addressFileDef(AddressList::Shooters).fileName);
    click("Panel3");
    click("Panel3");
    ASSERT_EQ(notices.size(), 2);
    EXPECT_EQ(notices[0], QStringLiteral("All shooters have been exported to file: \"%1\"!")
                              .arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(fileBytes(addressFileDef(AddressList::Shooters).fileName).count("\"Alt\""), 2);

    // A folder where the file should be: nothing is written, the error names the path and the
    // wait window is gone again.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir(addressFileDef(AddressList::Shooters).fileName));
    click("Panel3");
    EXPECT_EQ(notices.size(), 2);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("FileError ==> ")));
    EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(session->waitWindow().depth(), 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ShooterWindowTest, LabelsFollowTheShownOrder) {
    addShooter({{"Nachname", "Alt"}, {"Postleitzahl", "9020"}});
    addShooter({{"Nachname", "Berg"}, {"Postleitzahl", "1010"}});
    open();
    clickTitle(QStringLiteral("Postleitzahl"));
    click("Panel8");
    ASSERT_EQ(labels.reports.size(), 1u);
    const auto& page = labels.reports[0].pages.at(0);
    QStringList names;
    for (const TextItem* t : page.all<TextItem>())
        if (t->name == QLatin1String("QRDBText1"))
            names << t->text;
    EXPECT_EQ(names, (QStringList{"Berg", "Alt"}));
}

} // namespace
} // namespace tallyvex::test
