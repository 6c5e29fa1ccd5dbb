// The progress window: the owner is disabled while it is up, the window appears once the
// operation has run a moment, events come through by time, the percentage and elapsed texts,
// and the sticky cancel flag from the button and the close box.

#include "gui/widgets/ProgressWindow.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace torvane;

namespace {

// Asks the way a long operation does, without a change of percentage, until done answers true;
// gives up after five seconds.
template <typename Done> bool AskUntil(CProgressWindow& progress, Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000)
            return false;
        progress.IsCancelled();
    }
    return true;
}

} // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT
private slots:
    void ownerIsDisabledWhileOpen() {
        QMainWindow owner;
        owner.show();
        {
            CProgressWindow progress(&owner);
            progress.Open();
            QVERIFY(!owner.isEnabled());
            QVERIFY(!progress.isVisible()); // not before ShowDelay
            QVERIFY(AskUntil(progress, [&] { return progress.isVisible(); }));
            QVERIFY(progress.isEnabled());
            progress.Close();
            QVERIFY(owner.isEnabled());
            QVERIFY(!progress.isVisible());
        }
        {
            CProgressWindow progress(&owner);
            progress.Open();
        } // destruction closes
        QVERIFY(owner.isEnabled());
    }

    void ownerDisabledBeforeStaysDisabled() {
        QMainWindow owner;
        owner.setEnabled(false);
        CProgressWindow progress(&owner);
        progress.Open();
        progress.Close();
        QVERIFY(!owner.isEnabled());
    }

    void percentageText() {
        CProgressWindow progress(nullptr);
        progress.Open();
        QCOMPARE(progress.PercentLabel(), QStringLiteral(" 0 %"));
        QCOMPARE(progress.ElapsedLabel(), QStringLiteral("0 sec"));
        QCOMPARE(progress.SetPos(42), 0);
        QCOMPARE(progress.PercentLabel(), QStringLiteral("42%"));
        QCOMPARE(progress.SetPos(150), 42);
        QCOMPARE(progress.PercentLabel(), QStringLiteral("50%"));
        QCOMPARE(progress.GetPos(), 100);
        progress.SetPos(100);
        QCOMPARE(progress.PercentLabel(), QStringLiteral("100%"));
    }

    void elapsedSecondsCount() {
        CProgressWindow progress(nullptr);
        progress.Open();
        QTRY_COMPARE_WITH_TIMEOUT(progress.ElapsedLabel(), QStringLiteral("1 sec"), 3000);
    }

    // Events come through while an operation only asks, so a timer's click lands.
    void questionsLetEventsThroughByTime() {
        CProgressWindow progress(nullptr);
        progress.Open();
        progress.IsCancelled();
        QTimer::singleShot(50, progress.CancelButton(), &QPushButton::click);
        QVERIFY(AskUntil(progress, [&] { return progress.IsCancelled(); }));
    }

    void cancelIsStickyAndKeepsTheWindow() {
        CProgressWindow progress(nullptr);
        progress.Open();
        QVERIFY(AskUntil(progress, [&] { return progress.isVisible(); }));
        QVERIFY(!progress.IsCancelled());
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
        QVERIFY(progress.IsCancelled());
        QVERIFY(progress.IsCancelled());
        QVERIFY(progress.isVisible());
    }

    void closeBoxCancels() {
        CProgressWindow progress(nullptr);
        progress.Open();
        QVERIFY(AskUntil(progress, [&] { return progress.isVisible(); }));
        QVERIFY(!progress.close());
        QVERIFY(progress.isVisible());
        QVERIFY(progress.IsCancelled());
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
