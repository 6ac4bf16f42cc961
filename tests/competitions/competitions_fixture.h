#pragma once

#include "app_fixture.h"
#include "widgets/error_presenter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <functional>

namespace tallyvex::test {

/// A session on a fresh database with the class list of a small range, and the messages the
/// windows would have shown in a box.
class CompetitionsTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        Cursor& classes = tdm().T_CLASSES();
        classes.open();
        for (const char* k : {"Herren", "Damen", "Junioren"}) {
            classes.append();
            classes.setValue(QStringLiteral("Klasse"), QString::fromLatin1(k));
            classes.post();
        }
        classes.close();
    }

    /// What the database holds for one competition.
    QVariant stored(qint64 key, const char* field) {
        return tdm().db().scalar(QStringLiteral("SELECT %1 FROM C_COMPETE WHERE LFN = ?")
                                     .arg(QString::fromLatin1(field)),
                                 {key});
    }

    /// Runs `act` on the modal window of type T as soon as it is shown (the code under test
    /// waits in its exec()).
    template <class T> static void whenShownModally(std::function<void(T*)> act) {
        auto* timer = new QTimer;
        auto* clock = new QElapsedTimer;
        clock->start();
        QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
            auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!w && clock->elapsed() < 3000)
                return;
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (w)
                act(w);
        });
        timer->start(10);
    }

    QStringList shown;
    ScopedErrorPresenter capture{[this](QWidget*, const QString& text) { shown << text; }};
};

} // namespace tallyvex::test
