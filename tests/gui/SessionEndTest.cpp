// The end of the desktop session while the program runs: the platform's commit-data request
// ends the program without the exit question and without keeping the list, and the settings
// are still written.

#include "GuiTestSupport.h"

#include "core/doc/Profile.h"

#include <QtGui/private/qguiapplication_p.h>

using namespace torvane;
using namespace torvane::test;

class SessionEndTest : public QObject {
    Q_OBJECT
private slots:
    void logoutEndsWithoutQuestionOrKeptList() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=0\nCloseSave=1\n");
        fixture.Start({fixture.Audio("a.mp3")});

        // What the platform does when the session manager asks the program to end.
        QGuiApplicationPrivate::instance()->commitData();
        QVERIFY(fixture.Host.Messages.empty());
        QVERIFY(!fixture.Frame().isVisible());
        QVERIFY(!fixture.Frame().IsTimerRunning());

        fixture.App->Shutdown();
        QVERIFY(!fixture.Exists("Torvane.m3u"));
        CProfile written(fixture.ProfilePath());
        written.Load();
        QCOMPARE(written.GetInt("app", "CloseSave", -1), 1);
        QCOMPARE(written.GetInt("app", "alert", -1), 0);
    }
};

QTEST_MAIN(SessionEndTest)
#include "SessionEndTest.moc"
