// The end of the desktop session while the program runs: the platform's commit-data request
// ends the program without the exit question and without keeping the list, and the settings
// are still written.

#include "GuiTestSupport.h"

#include "core/ScratchDisk.h"
#include "core/settings/Profile.h"

#include <QTimer>

#include <QtGui/private/qguiapplication_p.h>
#include <csignal>
#include <fstream>

using namespace torvane;
using namespace torvane::test;

// A kept list of 400 entries whose 201st is the first of its type, so a test can act just as
// that entry is added; answers the list's text.
std::string WriteKeptListWithWavAt200(CAppFixture& fixture) {
    const std::string mp3 = fixture.Audio("kept.mp3");
    const std::string wav = fixture.Audio("middle.wav");
    std::string kept;
    for (int i = 0; i < 400; ++i)
        kept += (i == 200 ? wav : mp3) + "\n";
    fixture.Dir.Write("Torvane.m3u", kept);
    return kept;
}

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

    // Settings that cannot be written when the session ends are not shown in a message box:
    // nothing may hold the logout up.
    void unwritableSettingsAtSessionEndAskNothing() {
        CTempDir dir;
        CScratchDisk disk(dir / "disk", CScratchDisk::Failure::ReadOnly);
        if (!disk.Real())
            QSKIP("running as root without the right to mount a read-only disk");
        const std::string profile = "[app]\nalert=0\n";
        std::ofstream(disk / "torvane.ini") << profile;
        CScriptedHost::Script script;
        auto app = std::make_unique<CTorvaneApp>(disk / "torvane.ini",
                                                 std::make_unique<CScriptedHost>(script));
        QVERIFY(app->Start({}));
        QVERIFY(QTest::qWaitFor([&] { return app->ListsLoaded(); }, 30000));
        disk.Break();
        QGuiApplicationPrivate::instance()->commitData();
        app->Shutdown();
        QVERIFY(script.Messages.empty());
        QCOMPARE(dir.Read("disk/torvane.ini"), profile);
        QCOMPARE(disk.Names(), std::vector<std::string>{"torvane.ini"});
    }

    // The end of the session while the kept list loads at the start stops the load, and the
    // event loop ends: the kept list stays as it was and the settings are written.
    void sessionEndDuringTheStartupLoad() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=0\nCloseSave=1\nSizeOf=1\n");
        const std::string kept = WriteKeptListWithWavAt200(fixture);
        fixture.Host.OnNewType = [&](const std::string& ext) {
            if (ext == "wav")
                QGuiApplicationPrivate::instance()->commitData();
        };
        fixture.Launch();
        QObject context;
        size_t loaded = 0;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &context,
                         [&] { loaded = fixture.Doc().AllList().size(); });
        // Should the loop not end, this ends it with a status the test refuses.
        QTimer::singleShot(30000, &context, [] { QCoreApplication::exit(7); });
        QCOMPARE(fixture.App->Run(), 0);
        QCOMPARE(loaded, size_t(201));
        QVERIFY(fixture.Host.Messages.empty());
        QCOMPARE(fixture.Dir.Read("Torvane.m3u"), kept);
        CProfile written(fixture.ProfilePath());
        written.Load();
        QCOMPARE(written.GetInt("app", "SizeOf", -1), 1);
    }

    // SIGTERM, SIGINT and SIGHUP (a logout, a service stop, Ctrl+C) end the program as the end of
    // the session does, without a question, but the list is kept as a closed window keeps it.
    void quitSignalsKeepListAndSettings_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void quitSignalsKeepListAndSettings() {
        QFETCH(int, signalNumber);
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=0\nCloseSave=1\n");
        const std::string first = fixture.Audio("a.mp3");
        const std::string second = fixture.Audio("b.mp3");
        fixture.Start({first, second});
        fixture.Doc().Settings().SizeOf = SizeUnit::MB;

        QCOMPARE(fixture.Doc().AllList().size(), size_t(2));
        QCOMPARE(::raise(signalNumber), 0);
        QObject context;
        QTimer::singleShot(30000, &context, [] { QCoreApplication::exit(7); });
        QCOMPARE(fixture.App->Run(), 0);
        QVERIFY(fixture.Host.Messages.empty());
        QCOMPARE(fixture.Dir.Read("Torvane.m3u"), first + "\r\n" + second + "\r\n");
        CProfile written(fixture.ProfilePath());
        written.Load();
        QCOMPARE(written.GetInt("app", "SizeOf", -1), 1);
        // Handled once: the program's handlers are gone with it.
        struct sigaction now {};
        ::sigaction(signalNumber, nullptr, &now);
        QVERIFY(now.sa_handler == SIG_DFL);
    }

    // A signal while the kept list is still loading stops the load; the shortened list does not
    // replace the one on disk.
    void quitSignalDuringTheStartupLoadKeepsTheFile() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=0\nCloseSave=1\n");
        const std::string kept = WriteKeptListWithWavAt200(fixture);
        fixture.Host.OnNewType = [&](const std::string& ext) {
            if (ext == "wav") {
                ::raise(SIGTERM);
                QCoreApplication::processEvents(); // the event loop's next look
            }
        };
        fixture.Launch();
        QObject context;
        size_t loaded = 0;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &context,
                         [&] { loaded = fixture.Doc().AllList().size(); });
        QTimer::singleShot(30000, &context, [] { QCoreApplication::exit(7); });
        QCOMPARE(fixture.App->Run(), 0);
        QCOMPARE(loaded, size_t(201));
        QVERIFY(fixture.Host.Messages.empty());
        QCOMPARE(fixture.Dir.Read("Torvane.m3u"), kept);
    }
};

QTEST_MAIN(SessionEndTest)
#include "SessionEndTest.moc"
