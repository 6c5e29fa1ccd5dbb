// The list operations as the window runs them: header-click sorting, moves by key, searching
// and narrowing from the search bar, the mode switch, adding to the other list and the
// duplicate check.

#include "GuiTestSupport.h"

#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/bars/Bars.h"
#include "gui/bars/StatusPanes.h"
#include "gui/view/TorvaneView.h"

#include <QAction>
#include <QLineEdit>

using namespace torvane;
using namespace torvane::test;

namespace {

// The file names of the shown list, top to bottom.
QStringList Names(const CTorvaneDoc& doc) {
    QStringList names;
    for (const CListData* record : doc.CurrentList())
        names << QString::fromStdString(std::string(record->FileName()));
    return names;
}

} // namespace

class ListOperationsTest : public QObject {
    Q_OBJECT
private slots:
    // One set of direction flags serves header clicks and range sorts.
    void headerClicksSortAndReverse() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("b.mp3", 300), fixture.Audio("a.mp3", 200),
                       fixture.Audio("c.mp3", 100)});
        CMainFrame& frame = fixture.Frame();
        frame.Commands().Run(Cmd::GetAllSizes);
        CTorvaneView& view = frame.View();
        view.SelectRows({0});

        ClickHeader(view, ColFileName);
        QCOMPARE(Names(fixture.Doc()), (QStringList{"a", "b", "c"}));
        ClickHeader(view, ColFileName);
        QCOMPARE(Names(fixture.Doc()), (QStringList{"c", "b", "a"}));
        // the mark stays on its row, and the panes show the record now there
        QCOMPARE(view.SelectedRows(), std::vector<int>{0});
        QVERIFY(frame.Panes().Text(CStatusPanes::Selection).endsWith(QStringLiteral("c.mp3")));

        // a range sort by size turns the same flags: the size header then sorts descending
        view.SelectRows({0, 1, 2});
        frame.Actions()[Cmd::SortSelection0 + ColSize]->trigger();
        QCOMPARE(Names(fixture.Doc()), (QStringList{"c", "a", "b"}));
        QCOMPARE(view.SelectedRows(), (std::vector<int>{0, 1, 2}));
        ClickHeader(view, ColSize);
        QCOMPARE(Names(fixture.Doc()), (QStringList{"b", "a", "c"}));
    }

    void altArrowsMoveTheSelection() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3"), fixture.Audio("c.mp3"),
                       fixture.Audio("d.mp3")});
        CMainFrame& frame = fixture.Frame();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        CTorvaneView& view = frame.View();
        view.setFocus();
        view.SelectRows({0, 2});

        QTest::keyClick(&view, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(Names(fixture.Doc()), (QStringList{"b", "a", "d", "c"}));
        QCOMPARE(view.SelectedRows(), (std::vector<int>{1, 3}));
        // the last row is selected now: the command is off, and a move arriving anyway beeps
        QVERIFY(!frame.Actions()[Cmd::MoveDown]->isEnabled());
        frame.Commands().Run(Cmd::MoveDown);
        QCOMPARE(fixture.Host.Beeps, 1);

        QTest::keyClick(&view, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Names(fixture.Doc()), (QStringList{"a", "b", "c", "d"}));
        QCOMPARE(view.SelectedRows(), (std::vector<int>{0, 2}));
    }

    // Narrowing reads the search list; switching back shows the untouched all list.
    void narrowThenSwitchBack() {
        CAppFixture fixture;
        fixture.Start(
            {fixture.Audio("love song.mp3"), fixture.Audio("love.mp3"), fixture.Audio("song.mp3")});
        CMainFrame& frame = fixture.Frame();
        QLineEdit* field = frame.SearchBar().TextField();
        const CActions& actions = frame.Actions();
        QVERIFY(!actions[Cmd::SearchNew]->isEnabled());

        QTest::keyClicks(field, QStringLiteral("Love"));
        QVERIFY(actions[Cmd::SearchNew]->isEnabled());
        QVERIFY(!actions[Cmd::SearchNarrow]->isEnabled());
        actions[Cmd::SearchNew]->trigger();
        QCOMPARE(Names(fixture.Doc()), (QStringList{"love song", "love"}));

        field->clear();
        QTest::keyClicks(field, QStringLiteral("song"));
        QVERIFY(actions[Cmd::SearchNarrow]->isEnabled());
        actions[Cmd::SearchNarrow]->trigger();
        QCOMPARE(Names(fixture.Doc()), QStringList{"love song"});
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 1 件"));

        actions[Cmd::ToggleSearchMode]->trigger();
        QCOMPARE(fixture.Doc().SearchMode(), false);
        QCOMPARE(Names(fixture.Doc()), (QStringList{"love song", "love", "song"}));
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 3 件"));
        QCOMPARE(frame.Panes().Tip(CStatusPanes::Mode), QStringLiteral("全表示"));
    }

    // Records added to the other list are shared: removing them from one list, the duplicate
    // check and clearing must free each record exactly once (the sanitizers watch).
    void addedRecordsAreSharedAndDuplicatesReported() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3")});
        CMainFrame& frame = fixture.Frame();
        const CActions& actions = frame.Actions();
        frame.View().SelectRows({0});
        actions[Cmd::AddToOtherList]->trigger();
        actions[Cmd::AddToOtherList]->trigger();
        QCOMPARE(fixture.Doc().SearchList().size(), size_t(2));
        QCOMPARE(fixture.Doc().SearchList()[0], fixture.Doc().AllList()[0]);

        actions[Cmd::ToggleSearchMode]->trigger();
        QCOMPARE(actions[Cmd::AddToOtherList]->text(), QStringLiteral("全リストに追加"));
        QVERIFY(actions[Cmd::DuplicateCheck]->isEnabled());
        actions[Cmd::DuplicateCheck]->trigger();
        QCOMPARE(fixture.Host.Messages.size(), size_t(1));
        QVERIFY(QString::fromStdString(fixture.Host.Messages.front())
                    .startsWith(QStringLiteral(": 1件の重複がありました。\n\t処理時間 ")));
        QCOMPARE(frame.View().ItemCount(), 1);
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 1 件"));

        frame.View().SelectRows({0});
        actions[Cmd::RemoveSelected]->trigger();
        QVERIFY(fixture.Doc().SearchList().empty());
        actions[Cmd::ToggleSearchMode]->trigger();
        QCOMPARE(Names(fixture.Doc()), (QStringList{"a", "b"}));

        // "リスト入替" brings the empty search list into view
        actions[Cmd::SwapLists]->trigger();
        QCOMPARE(frame.View().ItemCount(), 0);
        actions[Cmd::SwapLists]->trigger();
        QCOMPARE(Names(fixture.Doc()), (QStringList{"a", "b"}));
        actions[Cmd::ClearList]->trigger();
        QVERIFY(fixture.Doc().AllList().empty());
    }
};

QTEST_MAIN(ListOperationsTest)
#include "ListOperationsTest.moc"
