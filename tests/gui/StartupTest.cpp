// Start-up and shutdown of the desktop program: the order of the command line and the kept
// list, the exit question, and what reaches the profile.

#include "GuiTestSupport.h"

#include "core/base/Progress.h"
#include "core/commands/AutoSave.h"
#include "core/settings/Profile.h"
#include "gui/app/Commands.h"
#include "gui/bars/Bars.h"
#include "gui/bars/DataBar.h"
#include "gui/bars/PlayBar.h"
#include "gui/bars/StatusPanes.h"
#include "gui/view/TorvaneView.h"
#include "gui/widgets/ProgressWindow.h"
#include "gui/widgets/VersionText.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

using namespace torvane;
using namespace torvane::test;

namespace {

std::vector<std::string> FilePaths(const TrackList& list) {
    std::vector<std::string> paths;
    for (const CListData* record : list)
        paths.push_back(record->FilePath());
    return paths;
}

CProfile ReadProfile(const std::string& path) {
    CProfile profile(path);
    profile.Load();
    return profile;
}

// A kept list of count lines naming mp3, with one wav after the first half: the first record of
// each type is a moment the test can act in while the list loads.
void WriteKeptList(CAppFixture& fixture, int count) {
    const std::string mp3 = fixture.Audio("kept.mp3");
    const std::string wav = fixture.Audio("middle.wav");
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i == count / 2 ? wav : mp3) + "\n";
    fixture.Dir.Write("Torvane.m3u", text);
}

bool Exposed(const QWidget& window) {
    return window.isVisible() && window.windowHandle() && window.windowHandle()->isExposed();
}

// Counts the paint events a widget receives.
class CPaintCount final : public QObject {
public:
    explicit CPaintCount(QWidget& widget) { widget.installEventFilter(this); }
    int Count() const { return m_Count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_Count;
        return false;
    }

private:
    int m_Count = 0;
};

void PressProgressCancel() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<CProgressWindow*>(widget))
            window->CancelButton()->click();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void versionText() {
        QCOMPARE(BuildVersionText("3, 2, 1101, 22"), std::string("Ver 3,2,1101,22"));
        QCOMPARE(BuildVersionText(""), std::string("Ver "));
        QCOMPARE(BuildVersionText(std::string(120, '9')).size(), size_t(104));
        QCOMPARE(GetVersionText(), std::string("Ver 0,1,0,0"));
    }

    void firstStartShowsTheDefaultWindow() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Torvane Ver 0,1,0,0"));
        // the offscreen platform keeps a window's 2-pixel frame on the screen
        QCOMPARE(frame.frameGeometry().topLeft(), QPoint(0, 0));
        // 530 x 500, larger where this platform's font needs more room for the bars' controls
        QCOMPARE(frame.size(), frame.FirstStartSize());
        QVERIFY(frame.width() >= 530 && frame.height() >= 500);
        QCOMPARE(frame.minimumSize(), QSize(530, 300));
        for (const QToolBar* bar : frame.findChildren<QToolBar*>()) {
            const auto* more = bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
            QVERIFY2(!more || !more->isVisible(), qPrintable(bar->windowTitle()));
        }
        QVERIFY(frame.SearchBar().isVisible());
        QVERIFY(frame.ModeBar().isVisible());
        QVERIFY(frame.ToolBar().isVisible());
        QVERIFY(!frame.PlayBar().isVisible());
        QVERIFY(!frame.DataBar().isVisible());
        QVERIFY(!frame.SizeBar().isVisible());
        QCOMPARE(frame.toolBarArea(&frame.ToolBar()), Qt::RightToolBarArea);
        QCOMPARE(frame.ToolBar().orientation(), Qt::Vertical);
        QCOMPARE(frame.toolBarArea(&frame.SearchBar()), Qt::TopToolBarArea);
        QVERIFY(frame.SearchBar().y() < frame.ModeBar().y());
        QVERIFY(frame.IsTimerRunning());
        QCOMPARE(frame.View().ShownColumns(), (std::vector<int>{0, 1, 2, 3}));
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 0 件"));
        QCOMPARE(frame.Panes().Text(CStatusPanes::Prompt), QStringLiteral("ﾚﾃﾞｨ"));
        // a count wider than the default pane widens its pane, also in the narrowest window
        const QString count = QStringLiteral(" 20001 件");
        frame.Panes().SetItemCount(count);
        frame.resize(CMainFrame::MinWidth, frame.height());
        QCoreApplication::processEvents();
        for (const QLabel* pane : frame.statusBar()->findChildren<QLabel*>())
            if (pane->text() == count)
                QVERIFY(pane->contentsRect().width() >=
                        pane->fontMetrics().horizontalAdvance(count));
    }

    // Folders: subfolders first, then their files in reverse order; missing paths skipped.
    void commandLineFillsTheList() {
        CAppFixture fixture;
        const std::string a = fixture.Audio("music/a.mp3");
        const std::string b = fixture.Audio("music/b.mp3");
        const std::string x = fixture.Audio("music/sub/x.mp3");
        fixture.Audio("music/.hidden.mp3");
        const std::string single = fixture.Audio("one.wav");
        fixture.Start({fixture.Dir / "music", fixture.Dir / "missing.mp3", single});
        QCOMPARE(FilePaths(fixture.Doc().AllList()), (std::vector<std::string>{x, b, a, single}));
        QCOMPARE(fixture.Frame().View().ItemCount(), 4);
        QCOMPARE(fixture.Frame().Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 4 件"));
    }

    void keptListLoadsOnlyIntoAnEmptyList() {
        CAppFixture fixture;
        const std::string kept = fixture.Audio("kept.mp3");
        const std::string given = fixture.Audio("given.mp3");
        fixture.Dir.Write("Torvane.m3u", "# kept\n" + kept + "\n");

        fixture.WriteProfile("[app]\nCloseSave=1\n");
        fixture.Start({given});
        QCOMPARE(FilePaths(fixture.Doc().AllList()), std::vector<std::string>{given});

        fixture.Start();
        QCOMPARE(FilePaths(fixture.Doc().AllList()), std::vector<std::string>{kept});
        QCOMPARE(fixture.Frame().View().ItemCount(), 1);

        fixture.WriteProfile("[app]\nCloseSave=0\n");
        fixture.Start();
        QVERIFY(fixture.Doc().AllList().empty());
    }

    // The start returns with the window shown and the list not read yet; the window has been
    // painted before the first record arrives. During the load the window cannot be closed, and
    // a cancel keeps what was read, with the count shown.
    void keptListLoadsInTheShownWindowAndCancelKeepsWhatWasRead() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nCloseSave=1\nalert=1\n");
        WriteKeptList(fixture, 600);
        std::unique_ptr<CPaintCount> paints;
        bool paintedFirst = false;
        bool closeRefused = false;
        fixture.Host.OnNewType = [&](const std::string& ext) {
            if (ext == "mp3") {
                paintedFirst = Exposed(fixture.Frame()) && paints->Count() > 0 &&
                               fixture.Doc().AllList().empty();
            } else {
                closeRefused = !fixture.Frame().close();
                PressProgressCancel();
            }
        };
        fixture.Launch();
        QVERIFY(fixture.Frame().isVisible());
        QVERIFY(!fixture.App->ListsLoaded());
        QVERIFY(fixture.Doc().AllList().empty());
        paints = std::make_unique<CPaintCount>(fixture.Frame());
        QVERIFY(QTest::qWaitFor([&] { return fixture.App->ListsLoaded(); }, 30000));
        QVERIFY(paintedFirst);
        QVERIFY(closeRefused);
        QCOMPARE(fixture.Doc().AllList().size(), size_t(301));
        QCOMPARE(fixture.Doc().AllList().back()->Ext(), std::string("wav"));
        QCOMPARE(fixture.Frame().View().ItemCount(), 301);
        QCOMPARE(fixture.Frame().Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 301 件"));
        QVERIFY(fixture.Frame().isEnabled());
        QVERIFY(fixture.Frame().isVisible());

        // The kept list was read in part: the exit does not shrink it unasked.
        const std::string kept = fixture.Dir.Read("Torvane.m3u");
        fixture.Host.Answer = MessageAnswer::No;
        QVERIFY(fixture.Close());
        QCOMPARE(fixture.Host.Messages,
                 std::vector<std::string>{std::string("確認: ") + KeptListIncompleteQuestion});
        QCOMPARE(fixture.Dir.Read("Torvane.m3u"), kept);
    }

    // A command line that adds nothing is read first; then the kept list, which therefore
    // stands first in the file history.
    void commandLineComesBeforeTheKeptList() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nCloseSave=1\n");
        const std::string kept = fixture.Audio("kept.mp3");
        fixture.Dir.Write("Torvane.m3u", kept + "\n");
        const std::string empty = fixture.Dir.Write("empty.m3u", "# nothing\n");
        fixture.Start({empty});
        QCOMPARE(FilePaths(fixture.Doc().AllList()), std::vector<std::string>{kept});
        QCOMPARE(fixture.Doc().FileHistory().At(0), fixture.Dir / "Torvane.m3u");
        QCOMPARE(fixture.Doc().FileHistory().At(1), empty);
    }

    void answeringNoKeepsEverythingAndWritesNothing() {
        CAppFixture fixture;
        fixture.Host.Answer = MessageAnswer::No;
        fixture.WriteProfile("[app]\nCloseSave=1\n");
        const std::string before = fixture.Dir.Read("torvane.ini");
        fixture.Start({fixture.Audio("a.mp3")});
        fixture.Frame().View().ToggleColumn(ColTitle);

        QVERIFY(!fixture.Close());
        QCOMPARE(fixture.Host.Messages,
                 std::vector<std::string>{"確認: 終了してもよろしいですか？"});
        QVERIFY(fixture.Frame().isVisible());
        QVERIFY(fixture.Frame().IsTimerRunning());
        QCOMPARE(fixture.Doc().AllList().size(), size_t(1));
        QCOMPARE(fixture.Dir.Read("torvane.ini"), before);
        QVERIFY(!fixture.Exists("Torvane.m3u"));
    }

    void answeringYesKeepsTheListAndWritesTheSettings() {
        CAppFixture fixture;
        fixture.Host.Answer = MessageAnswer::Yes;
        fixture.WriteProfile("[app]\nCloseSave=1\nSizeOf=1\n");
        const std::string a = fixture.Audio("a.mp3");
        fixture.Start({a});
        const QSize first = fixture.Frame().FirstStartSize();
        QVERIFY(fixture.Close());
        QCOMPARE(fixture.Host.Messages.size(), size_t(1));
        QCOMPARE(fixture.Dir.Read("Torvane.m3u"), a + "\r\n");
        const CProfile profile = ReadProfile(fixture.ProfilePath());
        QCOMPARE(profile.GetInt("app", "alert", -1), 0);
        QCOMPARE(profile.GetString("app", "columns"), std::string("ABCD"));
        QCOMPARE(profile.GetInt("app", "SizeOf", -1), 1);
        QCOMPARE(profile.GetInt("window", "right", 0) - profile.GetInt("window", "left", 0),
                 first.width());
        QCOMPARE(profile.GetInt("window", "bottom", 0) - profile.GetInt("window", "top", 0),
                 first.height());
        QVERIFY(!profile.GetString("bar", "state").empty());
    }

    void alertClosesWithoutAsking() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=1\nCloseSave=1\n");
        fixture.Start({fixture.Audio("a.mp3")});
        QVERIFY(fixture.Close());
        QVERIFY(fixture.Host.Messages.empty());
        QVERIFY(fixture.Exists("Torvane.m3u"));
        QCOMPARE(ReadProfile(fixture.ProfilePath()).GetInt("app", "alert", -1), 1);
    }

    void noCloseWhileALongOperationRuns() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=1\nCloseSave=1\n");
        fixture.Start({fixture.Audio("a.mp3")});
        std::unique_ptr<CProgress> progress = fixture.App->Host().OpenProgress();
        QVERIFY(!fixture.Frame().close());
        QVERIFY(!fixture.Exists("Torvane.m3u"));
        progress->Close();
        QVERIFY(fixture.Close());
        QVERIFY(fixture.Exists("Torvane.m3u"));
    }

    // The all list is kept, not the search list; an empty all list leaves no file.
    void keptListIsTheAllList() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=1\nCloseSave=1\n");
        const std::string a = fixture.Audio("a.mp3");
        fixture.Start({a});
        fixture.Frame().Commands().Run(Cmd::ToggleSearchMode);
        QVERIFY(fixture.Doc().SearchMode());
        QVERIFY(fixture.Close());
        QCOMPARE(fixture.Dir.Read("Torvane.m3u"), a + "\r\n");

        fixture.WriteProfile("[app]\nalert=1\nCloseSave=1\n");
        fixture.Start();
        fixture.Frame().Commands().Run(Cmd::ClearList);
        QVERIFY(fixture.Doc().AllList().empty());
        QVERIFY(fixture.Close());
        QVERIFY(!fixture.Exists("Torvane.m3u"));
    }

    // Extreme or reversed values (a damaged profile) neither overflow nor give an unusable
    // window: the first-start size takes their place.
    void damagedWindowRectangleGivesTheFirstStartSize() {
        for (const std::string rectangle :
             {"top=-2147483648\nbottom=2147483647\nleft=2147483647\n",
              "top=500\nbottom=10\nleft=0\nright=-99999999999999999999\n"}) {
            CAppFixture fixture;
            fixture.WriteProfile("[app]\nalert=1\n[window]\n" + rectangle);
            fixture.Start();
            const QSize first = fixture.Frame().FirstStartSize();
            QCOMPARE(fixture.Frame().geometry().size(), first);
            QVERIFY(fixture.Close());
        }
    }

    void windowRectangleRoundTrips() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=1\n[window]\ntop=10\nleft=20\nbottom=410\nright=620\n");
        fixture.Start();
        // the corner is the frame's, so a title bar at the stored top stays on the screen
        QCOMPARE(fixture.Frame().frameGeometry().topLeft(), QPoint(20, 10));
        QCOMPARE(fixture.Frame().size(), QSize(600, 400));
        fixture.Frame().showMaximized();
        QVERIFY(fixture.Close());
        const CProfile profile = ReadProfile(fixture.ProfilePath());
        QCOMPARE(profile.GetInt("window", "top", -1), 10);
        QCOMPARE(profile.GetInt("window", "left", -1), 20);
        QCOMPARE(profile.GetInt("window", "bottom", -1), 410);
        QCOMPARE(profile.GetInt("window", "right", -1), 620);
    }

    // The saved layout comes back, unless the program file is newer than the profile.
    void barLayoutIsDiscardedOnceForANewerProgram() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=1\n");
        fixture.Start();
        fixture.Frame().ModeBar().hide();
        fixture.Frame().SizeBar().show();
        QVERIFY(fixture.Close());

        namespace fs = std::filesystem;
        const auto program = fs::last_write_time("/proc/self/exe");
        fs::last_write_time(fixture.ProfilePath(), program + std::chrono::hours(1));
        fixture.Start();
        QVERIFY(fixture.Frame().LayoutRestored());
        QVERIFY(!fixture.Frame().ModeBar().isVisible());
        QVERIFY(fixture.Frame().SizeBar().isVisible());
        QVERIFY(fixture.Close());

        fs::last_write_time(fixture.ProfilePath(), program - std::chrono::hours(1));
        fixture.Start();
        QVERIFY(!fixture.Frame().LayoutRestored());
        QVERIFY(fixture.Frame().ModeBar().isVisible());
        QVERIFY(!fixture.Frame().SizeBar().isVisible());
    }

    // Bars dragged loose stay loose and shown across an exit, docked ones in their place.
    void floatingBarsComeBackShown() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nalert=1\n");
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        frame.DataBar().show();
        frame.DataBar().setFloating(true);
        frame.SizeBar().show();
        // closed as the close box does, from the running program
        QTimer::singleShot(0, &frame, [&frame] { frame.close(); });
        QCOMPARE(fixture.App->Run(), 0);

        namespace fs = std::filesystem;
        fs::last_write_time(fixture.ProfilePath(),
                            fs::last_write_time("/proc/self/exe") + std::chrono::hours(1));
        fixture.Start();
        QVERIFY(fixture.Frame().LayoutRestored());
        QVERIFY(fixture.Frame().DataBar().isVisible());
        QVERIFY(fixture.Frame().DataBar().isFloating());
        QVERIFY(fixture.Frame().SizeBar().isVisible());
        QVERIFY(fixture.Frame().ModeBar().isVisible());
        QVERIFY(fixture.Frame().SearchBar().isVisible());
        QVERIFY(fixture.Frame().ToolBar().isVisible());
        QCOMPARE(fixture.Frame().toolBarArea(&fixture.Frame().ToolBar()), Qt::RightToolBarArea);
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
