// The progress window: the owner is disabled while it is up, the percentage and elapsed texts,
// and the sticky cancel flag from the button and the close box.

#include "app/ProgressWindow.h"

#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using namespace torvane;

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
            QVERIFY(progress.isVisible());
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

    void cancelIsStickyAndKeepsTheWindow() {
        CProgressWindow progress(nullptr);
        progress.Open();
        QVERIFY(!progress.IsCancelled());
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
        QVERIFY(progress.IsCancelled());
        QVERIFY(progress.IsCancelled());
        QVERIFY(progress.isVisible());
    }

    void closeBoxCancels() {
        CProgressWindow progress(nullptr);
        progress.Open();
        QVERIFY(!progress.close());
        QVERIFY(progress.isVisible());
        QVERIFY(progress.IsCancelled());
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
