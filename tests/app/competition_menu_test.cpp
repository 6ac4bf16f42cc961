#include "app/data_folder.h"
#include "app/main_window.h"
#include "app_fixture.h"
#include "competitions/selection_window.h"
#include "competitions/setup_window.h"
#include "widgets/command_panel.h"
#include "widgets/error_presenter.h"
#include "widgets/field_binders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace tallyvex::test {
namespace {

/// Runs `act` on the modal window of type T as soon as the code under test shows it.
template <class T> void whenShownModally(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w && clock->elapsed() < 3000)
            return;
        timer->stop();
        timer->deleteLater();
        if (w)
            act(w);
    });
    timer->start(10);
}

void typeInto(TF_COMPDETAIL* setup, const char* field, const QString& text) {
    auto* edit = qobject_cast<DbEdit*>(setup->fieldControl(QString::fromLatin1(field)));
    ASSERT_NE(edit, nullptr) << field;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class CompetitionMenuTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        prepareDataFolder(dir.path());
        window = std::make_unique<TF_MAIN>(*session);
        window->setFirstStart(true);
        window->show();
        window->showStep();
    }
    CommandPanel* panel(const char* name) { return window->command(QString::fromLatin1(name)); }

    std::unique_ptr<TF_MAIN> window;
    QStringList shown;
    ScopedErrorPresenter capture{[this](QWidget*, const QString& text) { shown << text; }};
};

TEST_F(CompetitionMenuTest, ANewKugelCompetitionSetUpInTheSelectionHidesItsCommands) {
    bool setupDone = false;
    whenShownModally<TF_COMPSELECT>([&](TF_COMPSELECT* selection) {
        whenShownModally<TF_COMPDETAIL>([&](TF_COMPDETAIL* setup) {
            typeInto(setup, "BEZEICHNUNG1", QStringLiteral("Kugelcup"));
            typeInto(setup, "ROUNDS", QStringLiteral("5"));
            qobject_cast<DbCheckBox*>(setup->fieldControl(QStringLiteral("REDO")))->click();
            setup->panel(QStringLiteral("Panel4"))->click();
            setupDone = !setup->isVisible();
        });
        selection->panel(QStringLiteral("Panel3"))->click();
        // Set up once, the list may be left by the system's close as well.
        selection->close();
    });
    panel("Panel6")->click();

    ASSERT_TRUE(setupDone);
    EXPECT_TRUE(shown.isEmpty()) << shown.join('\n').toStdString();
    EXPECT_TRUE(window->competitionChosen());
    EXPECT_EQ(session->competitionKey(), 1.0);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("L_NAME1"))->text(),
              QStringLiteral("Kugelcup"));
    for (const char* hidden : {"Pstat", "Panel2", "Panel16", "Panel9", "Panel14"})
        EXPECT_TRUE(panel(hidden)->isHidden()) << hidden;
    EXPECT_TRUE(panel("Panel7")->isUsable());

    // Panel7 opens the setup on the current competition; taking REDO back changes the copy
    // but not the menu of this run.
    QString roundsShown;
    whenShownModally<TF_COMPDETAIL>([&](TF_COMPDETAIL* setup) {
        roundsShown = qobject_cast<DbEdit*>(setup->fieldControl(QStringLiteral("ROUNDS")))->text();
        qobject_cast<DbCheckBox*>(setup->fieldControl(QStringLiteral("REDO")))->click();
        setup->panel(QStringLiteral("Panel4"))->click();
    });
    panel("Panel7")->click();
    EXPECT_EQ(roundsShown, QStringLiteral("5"));
    EXPECT_FALSE(session->competition().REDO);
    EXPECT_TRUE(panel("Panel9")->isHidden());
    EXPECT_FALSE(session->tdm().T_CLASSES().isOpen());
}

} // namespace
} // namespace tallyvex::test
