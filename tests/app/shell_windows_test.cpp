#include "app/about_window.h"
#include "app/wait_window.h"
#include "app_fixture.h"
#include "widgets/command_panel.h"
#include "widgets/full_size_window.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace tallyvex::test {
namespace {

struct Permission : ClosePermission {
    bool allowed = true;
    bool closeAllowed() const override { return allowed; }
    void setCloseAllowed(bool a) override { allowed = a; }
};

TEST(CommandPanel, ReactsOnlyWhileUsable) {
    QWidget face;
    auto* panel = new CommandPanel(QStringLiteral("Panel8"), QStringLiteral("Teilnehmerliste"),
                                   QStringLiteral("Entry list"), &face);
    face.show();
    int clicks = 0;
    QObject::connect(panel, &CommandPanel::clicked, [&] { ++clicks; });

    QTest::mouseClick(panel, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::yellow));

    panel->setUsable(false);
    QTest::mouseClick(panel, Qt::LeftButton);
    panel->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(panel->palette().color(QPalette::Window), face.palette().color(QPalette::Window));

    panel->applyLanguage(QStringLiteral("EN"));
    EXPECT_EQ(panel->caption(), QStringLiteral("Entry list"));
    panel->applyLanguage(QStringLiteral("DE"));
    EXPECT_EQ(panel->caption(), QStringLiteral("Teilnehmerliste"));
}

TEST(FullSizeWindow, ClosesOnlyThroughItsOwnCommand) {
    QWidget main;
    main.setGeometry(0, 0, 1000, 700);
    auto* bar = new QWidget(&main);
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setGeometry(0, 0, 1000, 41);
    main.show();

    Permission permission;
    FullSizeWindow window(&main, permission);
    bool refusedWhileOpen = false;
    QTimer::singleShot(0, [&] {
        EXPECT_FALSE(permission.allowed);
        const QRect m = main.geometry();
        EXPECT_EQ(window.geometry(), QRect(m.x(), m.y() + 41, 1000, 659));
        window.close();
        window.reject();
        QTest::keyClick(&window, Qt::Key_Escape);
        refusedWhileOpen = window.isVisible();
        window.closeWindow();
    });
    EXPECT_EQ(window.exec(), int(QDialog::Accepted));
    EXPECT_TRUE(refusedWhileOpen);
    EXPECT_TRUE(permission.allowed);
}

using ShellWindowTest = SessionTest;

TEST_F(ShellWindowTest, AboutClosesOnlyThroughItsPanel) {
    session->setWebAddress(QStringLiteral("www.sv-musterstadt.de"));
    session->setLanguage(QStringLiteral("EN"));
    TFAB about(*session);
    bool refused = false;
    QString closeCaption;
    QTimer::singleShot(0, [&] {
        about.close();
        QTest::keyClick(&about, Qt::Key_Escape);
        refused = about.isVisible();
        auto* panel = about.findChild<CommandPanel*>(QStringLiteral("Panel1"));
        closeCaption = panel->caption();
        QTest::mouseClick(panel, Qt::LeftButton);
    });
    about.exec();
    EXPECT_TRUE(refused);
    EXPECT_EQ(closeCaption, QStringLiteral("Close"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Über Tallyvex"));
    EXPECT_EQ(about.size(), QSize(772, 506));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("L_WEB"))->text(),
              QStringLiteral("www.sv-musterstadt.de"));
}

TEST_F(ShellWindowTest, WaitGuardHidesTheWindowEvenWhenTheWorkFails) {
    TF_WAIT& wait = session->waitWindow();
    EXPECT_TRUE(wait.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(wait.size(), QSize(636, 275));
    try {
        WaitGuard outer(wait, QStringLiteral("EN"));
        EXPECT_TRUE(wait.isVisible());
        EXPECT_EQ(wait.text(), QStringLiteral("Please wait...."));
        {
            WaitGuard inner(wait, QStringLiteral("DE"));
            EXPECT_EQ(wait.text(), QStringLiteral("Bitte warten......"));
        }
        EXPECT_TRUE(wait.isVisible()); // the outer work still runs
        throw std::runtime_error("walk failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(wait.isVisible());
    EXPECT_EQ(wait.depth(), 0);
}

} // namespace
} // namespace tallyvex::test
