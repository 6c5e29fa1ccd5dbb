// The main window: Enter and Delete, enabling rules, the mode switch, prompts, the keyboard
// table, the menus, bars and drops.

#include "GuiTestSupport.h"
#include "ModalDialog.h"

#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/app/Menus.h"
#include "gui/bars/Bars.h"
#include "gui/bars/DataBar.h"
#include "gui/bars/PlayBar.h"
#include "gui/bars/StatusPanes.h"
#include "gui/dialogs/AddItemDialog.h"
#include "gui/dialogs/FolderSaveDialog.h"
#include "gui/view/ListModel.h"
#include "gui/view/TorvaneView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>

#include <set>

using namespace torvane;
using namespace torvane::test;

namespace {

std::vector<Cmd> Executed(const QSignalSpy& spy) {
    std::vector<Cmd> ids;
    for (const QList<QVariant>& call : spy)
        ids.push_back(call.front().value<Cmd>());
    return ids;
}

// Every action reachable from a menu, submenus included.
void CollectActions(const QMenu* menu, std::set<const QAction*>& found) {
    for (const QAction* action : menu->actions()) {
        found.insert(action);
        if (action->menu())
            CollectActions(action->menu(), found);
    }
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void deleteRemovesExceptInTheSearchField() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3"), fixture.Audio("c.mp3")});
        CMainFrame& frame = fixture.Frame();
        QSignalSpy executed(&frame.Commands(), &CCommands::executed);

        frame.View().SelectRows({0});
        QTest::keyClick(&frame.View(), Qt::Key_Delete);
        QCOMPARE(Executed(executed), std::vector<Cmd>{Cmd::RemoveSelected});
        QCOMPARE(frame.View().ItemCount(), 2);
        QCOMPARE(frame.View().SelectedRows(), std::vector<int>{0});
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 2 件"));

        QLineEdit* field = frame.SearchBar().TextField();
        field->setText(QStringLiteral("abc"));
        field->setCursorPosition(0);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QStringLiteral("bc"));
        QCOMPARE(executed.size(), 1);
        QCOMPARE(frame.View().ItemCount(), 2);

        QTest::keyClick(frame.SearchBar().findChild<QComboBox*>(), Qt::Key_Delete);
        QCOMPARE(Executed(executed), (std::vector<Cmd>{Cmd::RemoveSelected, Cmd::RemoveSelected}));
        QCOMPARE(frame.View().ItemCount(), 1);
    }

    // The search runs whatever the state of its button and switches to search mode, which the
    // search bar and the mode pane follow; Enter in the list plays.
    void enterSearchesInTheFieldAndPlaysInTheList() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("love.mp3"), fixture.Audio("other.mp3")});
        CMainFrame& frame = fixture.Frame();
        QSignalSpy executed(&frame.Commands(), &CCommands::executed);
        frame.SearchBar().TextField()->setText(QStringLiteral("LOVE"));

        QTest::keyClick(frame.SearchBar().TextField(), Qt::Key_Return);
        QCOMPARE(Executed(executed), std::vector<Cmd>{Cmd::SearchNew});
        QCOMPARE(fixture.Doc().SearchMode(), true);
        QCOMPARE(frame.View().ItemCount(), 1);
        QVERIFY(frame.SearchBar().isVisible());
        QCOMPARE(frame.Panes().Tip(CStatusPanes::Mode), QStringLiteral("検索"));
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 1 件"));
        QVERIFY(frame.Actions()[Cmd::ToggleSearchMode]->isChecked());

        QTest::keyClick(&frame.View(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Executed(executed), (std::vector<Cmd>{Cmd::SearchNew, Cmd::Play}));
        QTest::keyClick(frame.SearchBar().findChild<QComboBox*>(), Qt::Key_Return);
        QCOMPARE(executed.size(), 2);
    }

    // Each entry of the bar's lists gives the condition it names, the last ones too.
    void searchBarListsGiveTheConditionsTheyName() {
        CAppFixture fixture;
        fixture.Start();
        CSearchBar& bar = fixture.Frame().SearchBar();
        QCOMPARE(bar.Target(), SearchTarget::Path);
        QCOMPARE(bar.Exclude(), TermCondition::Contains);
        QCOMPARE(bar.Existence(), FileExistence::All);
        const auto choose = [&bar](const char* entry) {
            for (QComboBox* list : bar.findChildren<QComboBox*>()) {
                const int index = list->findText(QString::fromUtf8(entry));
                if (index >= 0) {
                    list->setCurrentIndex(index);
                    return;
                }
            }
            QFAIL(entry);
        };
        choose("TAG-コメント");
        choose("含まない");
        choose("存在しない");
        QCOMPARE(bar.Target(), SearchTarget::Comment);
        QCOMPARE(bar.Exclude(), TermCondition::Excludes);
        QCOMPARE(bar.Existence(), FileExistence::Missing);
        choose("ファイル名");
        choose("存在する");
        QCOMPARE(bar.Target(), SearchTarget::FileName);
        QCOMPARE(bar.Existence(), FileExistence::Exists);
    }

    void enablingRules() {
        CommandFacts facts;
        facts.Rows = 3;
        QVERIFY(IsEnabledByRule(Cmd::ClearList, facts));
        QVERIFY(!IsEnabledByRule(Cmd::RemoveSelected, facts));
        QVERIFY(!IsEnabledByRule(Cmd::Play, facts));
        QVERIFY(IsEnabledByRule(Cmd::SortSelection0 + 4, facts));

        facts.Selected = 1;
        QVERIFY(!IsEnabledByRule(Cmd::Play, facts)); // its file is missing
        facts.FirstSelectedExists = true;
        QVERIFY(IsEnabledByRule(Cmd::Play, facts));
        QVERIFY(IsEnabledByRule(Cmd::Properties, facts));
        facts.Selected = 2;
        QVERIFY(!IsEnabledByRule(Cmd::Play, facts));
        QVERIFY(!IsEnabledByRule(Cmd::Trash, facts));
        QVERIFY(IsEnabledByRule(Cmd::OpenParentFolder, facts));

        facts.FirstRowSelected = true;
        QVERIFY(!IsEnabledByRule(Cmd::MoveUp, facts));
        QVERIFY(IsEnabledByRule(Cmd::MoveDown, facts));

        facts.Rows = 1;
        QVERIFY(!IsEnabledByRule(Cmd::Shuffle, facts));
        QVERIFY(!IsEnabledByRule(Cmd::DuplicateCheck, facts));
        facts.Rows = 0;
        QVERIFY(IsEnabledByRule(Cmd::Save, facts));
        QVERIFY(IsEnabledByRule(Cmd::SaveEachFolder, facts));
        QVERIFY(!IsEnabledByRule(Cmd::GetAllTags, facts));

        QVERIFY(!IsEnabledByRule(Cmd::SearchNew, facts));
        facts.Existence = FileExistence::Missing;
        QVERIFY(IsEnabledByRule(Cmd::SearchNew, facts));
        facts.SearchTextEmpty = false;
        QVERIFY(!IsEnabledByRule(Cmd::SearchNarrow, facts));
        facts.SearchListSize = 1;
        QVERIFY(IsEnabledByRule(Cmd::SearchNarrow, facts));
        QVERIFY(!IsEnabledByRule(Cmd::OpenAutoSaveList, facts));
    }

    void factsAndStatesFollowTheSelection() {
        CAppFixture fixture;
        const std::string kept = fixture.Audio("kept.mp3");
        const std::string gone = fixture.Audio("gone.mp3");
        fixture.Start({kept, gone});
        std::filesystem::remove(gone);
        CMainFrame& frame = fixture.Frame();
        const CActions& actions = frame.Actions();
        QVERIFY(actions[Cmd::ClearList]->isEnabled());
        QVERIFY(actions[Cmd::SelectAll]->isEnabled());
        QVERIFY(!actions[Cmd::Play]->isEnabled());

        frame.View().SelectRows({0});
        QVERIFY(frame.Commands().Facts().FirstSelectedExists);
        QCOMPARE(frame.Panes().Text(CStatusPanes::Selection),
                 QStringLiteral("[1] ") + QString::fromStdString(kept));
        QCOMPARE(frame.Panes().Text(CStatusPanes::SelectedCount), QStringLiteral(" 1 件選択"));
        QVERIFY(frame.Panes().HasSelectionIcon());
        frame.View().SelectRows({1});
        QVERIFY(!frame.Commands().Facts().FirstSelectedExists);
        QCOMPARE(frame.Commands().Facts().Selected, 1);
        QVERIFY(frame.Commands().Facts().LastRowSelected);

        // the file commands of one row need its file
        QVERIFY(!actions[Cmd::Properties]->isEnabled());
        frame.View().SelectRows({0});
        QVERIFY(actions[Cmd::Properties]->isEnabled());
        QVERIFY(actions[Cmd::Play]->isEnabled());

        frame.Commands().Run(Cmd::ClearList);
        QVERIFY(fixture.Doc().AllList().empty());
        QVERIFY(!actions[Cmd::ClearList]->isEnabled());
        QVERIFY(!actions[Cmd::SelectAll]->isEnabled());
    }

    void modeSwitchShowsTheSearchBar() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3")});
        CMainFrame& frame = fixture.Frame();
        const CActions& actions = frame.Actions();
        frame.SearchBar().hide();
        frame.View().SelectRows({0});

        actions[Cmd::ToggleSearchMode]->trigger();
        QCOMPARE(fixture.Doc().SearchMode(), true);
        QVERIFY(frame.SearchBar().isVisible());
        QVERIFY(actions[Cmd::ToggleSearchMode]->isChecked());
        QCOMPARE(frame.Panes().Tip(CStatusPanes::Mode), QStringLiteral("検索"));
        QVERIFY(frame.Panes().HasModeIcon());
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 0 件"));
        QCOMPARE(actions[Cmd::AddToOtherList]->text(), QStringLiteral("全リストに追加"));
        QVERIFY(frame.View().SelectedRows().empty());

        actions[Cmd::ToggleSearchMode]->trigger();
        QCOMPARE(fixture.Doc().SearchMode(), false);
        QVERIFY(frame.SearchBar().isVisible());
        QCOMPARE(frame.Panes().Tip(CStatusPanes::Mode), QStringLiteral("全表示"));
        QVERIFY(!frame.Panes().HasModeIcon());
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 1 件"));
        QCOMPARE(actions[Cmd::AddToOtherList]->text(), QStringLiteral("検索リストに追加"));
    }

    void promptsShowInTheFirstPane() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        frame.Actions()[Cmd::SaveOnExit]->showStatusText(&frame);
        QCOMPARE(frame.Panes().Text(CStatusPanes::Prompt),
                 QStringLiteral("終了時の\"全リスト\"の内容を保存、次回起動時に読み込みます。"));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(&frame, &leave);
        QCOMPARE(frame.Panes().Text(CStatusPanes::Prompt), QStringLiteral("ﾚﾃﾞｨ"));
        QCOMPARE(frame.Actions()[Cmd::SortSelection0 + 3]->statusTip(),
                 QStringLiteral("ファイルサイズでソート"));
        QCOMPARE(frame.Panes().Tip(CStatusPanes::ItemCount), QStringLiteral("全アイテム数"));
        QCOMPARE(frame.Panes().Tip(CStatusPanes::SelectedCount), QStringLiteral("選択アイテム数"));
    }

    // The prompt pane shows a long prompt whole while the bar has room (the search field's at
    // the first-start size), cuts a longer one with an ellipsis, and shows nothing, not "ﾚﾃﾞｨ",
    // for a submenu's title in an open menu.
    void promptPaneFitsLongPromptsAndLeavesSubmenusBlank() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        const QString searchPrompt = frame.SearchBar().TextField()->statusTip();
        QStatusTipEvent search(searchPrompt);
        QApplication::sendEvent(&frame, &search);
        QCoreApplication::processEvents();
        QCOMPARE(frame.Panes().ShownPrompt(), searchPrompt);

        const QString longPrompt = searchPrompt.repeated(4);
        QStatusTipEvent tooLong(longPrompt);
        QApplication::sendEvent(&frame, &tooLong);
        QCoreApplication::processEvents();
        const QString shown = frame.Panes().ShownPrompt();
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(longPrompt.startsWith(shown.chopped(1)));
        QVERIFY(shown.size() > 20);
        QCOMPARE(frame.Panes().Text(CStatusPanes::Prompt), longPrompt);

        QMenu* toolbars = frame.Menus().Toolbars();
        QMenu* view = nullptr;
        for (QAction* action : frame.menuBar()->actions())
            if (action->menu() && action->menu()->actions().contains(toolbars->menuAction()))
                view = action->menu();
        QVERIFY(view);
        view->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(view));
        view->setActiveAction(view->actions().first());
        QCOMPARE(frame.Panes().ShownPrompt(), view->actions().first()->statusTip());
        view->setActiveAction(toolbars->menuAction());
        QCOMPARE(frame.Panes().ShownPrompt(), QString());
        view->hide();
        QTRY_COMPARE(frame.Panes().ShownPrompt(), QStringLiteral("ﾚﾃﾞｨ"));
    }

    // Captions show the hints as written; the keys are those of the keyboard table.
    void keyboardTable() {
        CAppFixture fixture;
        fixture.Start();
        const CActions& actions = fixture.Frame().Actions();
        const std::pair<Cmd, const char*> keys[] = {
            {Cmd::SelectAll, "Ctrl+A"},       {Cmd::CopyPath, "Ctrl+C"},
            {Cmd::ClearInfo, "Ctrl+D"},       {Cmd::OpenParentFolder, "Ctrl+E"},
            {Cmd::ExtendedSearch, "Ctrl+F"},  {Cmd::ClearList, "Ctrl+N"},
            {Cmd::OpenFiles, "Ctrl+O"},       {Cmd::OpenFolder, "Ctrl+P"},
            {Cmd::InvertSelection, "Ctrl+R"}, {Cmd::Save, "Ctrl+S"},
            {Cmd::GetTags, "Ctrl+T"},         {Cmd::MoveUp, "Alt+Up"},
            {Cmd::MoveDown, "Alt+Down"},      {Cmd::Properties, "Alt+Return"},
        };
        std::set<QString> bound;
        for (const auto& [id, key] : keys) {
            QCOMPARE(actions[id]->shortcut(), QKeySequence(QString::fromLatin1(key)));
            bound.insert(QString::fromLatin1(key));
        }
        for (const QAction* action : actions.All())
            if (!action->shortcut().isEmpty())
                QVERIFY2(bound.count(action->shortcut().toString()), qPrintable(action->text()));
        QCOMPARE(actions[Cmd::OpenFolder]->text(), QStringLiteral("フォルダを開く(&D)\tCtrl+D"));
        QVERIFY(actions[Cmd::GetSizes]->shortcut().isEmpty());
        QCOMPARE(actions[Cmd::ExtendedSearch]->text(),
                 QStringLiteral("拡張検索\tCtrl + Shift + F"));
    }

    void ctrlNClearsTheList() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3")});
        CMainFrame& frame = fixture.Frame();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        frame.View().setFocus();
        QTest::keyClick(&frame.View(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(fixture.Doc().AllList().empty());
        QCOMPARE(frame.Panes().Text(CStatusPanes::ItemCount), QStringLiteral(" 0 件"));
    }

    void menusHoldEveryCommand() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        QStringList titles;
        std::set<const QAction*> found;
        for (const QAction* top : frame.menuBar()->actions()) {
            titles << top->text();
            CollectActions(top->menu(), found);
        }
        QCOMPARE(titles, (QStringList{"ﾌｧｲﾙ(&F)", "操作(&E)", "リスト操作", "表示(&V)", "検索(&S)",
                                      "設定(&S)"}));
        const std::set<Cmd> barOnly{Cmd::GetTagsAuto,    Cmd::GetSizesAuto,  Cmd::SearchNew,
                                    Cmd::SearchNarrow,   Cmd::ComputeTotals, Cmd::PlaySingle,
                                    Cmd::PlayContinuous, Cmd::PlayRandom};
        for (const CommandInfo& command : CommandTable())
            if (!barOnly.count(command.Id))
                QVERIFY2(found.count(frame.Actions()[command.Id]), command.Caption);

        QCOMPARE(
            MenuCaptions(frame.Menus().ListContext()),
            (QStringList{"開く(&O)", "再生(&P)\tEnter", "-", "全て選択(&A)\tCtrl+A", "-",
                         "検索リストに追加", "選択アイテムをクリア(&D)\tDelete",
                         "ファイルパスをコピー(&C)\tCtrl+C", "-", "タグを取得(&T)\tCtrl+T",
                         "ファイルサイズを取得(&F)\tCtrl+F", "選択アイテムの情報をクリア\tCtrl+D",
                         "-", "選択範囲をソート(&S)", "-", "ファイル操作",
                         "一つ上のフォルダを開く\tCtrl+E", "プロパティ\tAlt+Enter"}));
        QCOMPARE(MenuCaptions(frame.Menus().Columns()).first(), QStringLiteral("ファイルパス"));
        QCOMPARE(MenuCaptions(frame.Menus().Columns())[10], QStringLiteral("サンプリングレート"));
        QVERIFY(frame.Menus().NoFileHistory()->isVisible());
        QVERIFY(!frame.Menus().NoFileHistory()->isEnabled());
    }

    // A dropped list enters the file history, whose entry reads it again.
    void historyEntriesShowTheirNamesLiterally() {
        CAppFixture fixture;
        fixture.Start();
        const CActions& actions = fixture.Frame().Actions();
        QVERIFY(fixture.Frame().Menus().NoFileHistory()->isVisible());
        QVERIFY(!actions[Cmd::FileHistory0]->isVisible());

        const std::string list = fixture.Dir.Write("R&B.m3u", fixture.Audio("a.mp3") + "\n");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(list))});
        fixture.Frame().DropFiles(data);
        QCOMPARE(actions[Cmd::FileHistory0]->text(), QStringLiteral("&1 R&&B.m3u"));
        QVERIFY(actions[Cmd::FileHistory0]->isVisible());
        QVERIFY(actions[Cmd::FileHistory0]->isEnabled());
        QVERIFY(!actions[Cmd::FileHistory0 + 1]->isVisible());
        QVERIFY(!fixture.Frame().Menus().NoFileHistory()->isVisible());

        actions[Cmd::FileHistory0]->trigger();
        QCOMPARE(fixture.Doc().AllList().size(), size_t(2));
        QCOMPARE(fixture.Frame().View().ItemCount(), 2);
    }

    void barsShowHideWithTheirMarks() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        const CActions& actions = frame.Actions();
        QVERIFY(actions[Cmd::ShowToolBar]->isChecked());
        QVERIFY(!actions[Cmd::ShowSizeBar]->isChecked());
        frame.Commands().Run(Cmd::HideAllBars);
        for (QWidget* bar :
             std::initializer_list<QWidget*>{&frame.ToolBar(), &frame.ModeBar(), &frame.SearchBar(),
                                             &frame.SizeBar(), &frame.PlayBar(), &frame.DataBar()})
            QVERIFY(!bar->isVisible());
        QVERIFY(frame.statusBar()->isVisible());
        QVERIFY(!actions[Cmd::ShowToolBar]->isChecked());
        frame.Commands().Run(Cmd::ShowSizeBar);
        QVERIFY(frame.SizeBar().isVisible());
        QVERIFY(actions[Cmd::ShowSizeBar]->isChecked());
        frame.Commands().Run(Cmd::ShowStatusBar);
        QVERIFY(!frame.statusBar()->isVisible());
    }

    void sizeBarTotalsOfTheList() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3", 1), fixture.Audio("b.mp3", 1048576)});
        CMainFrame& frame = fixture.Frame();
        frame.Commands().Run(Cmd::ShowSizeBar);
        frame.SizeBar().AlwaysBox()->setChecked(true);
        QVERIFY(frame.View().CalcAuto());
        frame.View().SelectRows({0});
        QCOMPARE(frame.SizeBar().SizeText(), QStringLiteral("0.1 Mbyte"));
        QVERIFY(frame.SizeBar().TimeText().isEmpty());
        frame.View().clearSelection();
        frame.Commands().Run(Cmd::ComputeTotals);
        QCOMPARE(frame.SizeBar().SizeText(), QStringLiteral("1.0 Mbyte"));
    }

    void displaySettings() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3", 3 * 1048576)});
        CMainFrame& frame = fixture.Frame();
        const CActions& actions = frame.Actions();
        const CListModel& model = frame.View().Model();
        const auto sizeText = [&] {
            return model.data(model.index(0, ColSize), Qt::DisplayRole).toString();
        };
        QVERIFY(actions[Cmd::SizeKB]->isChecked());
        QCOMPARE(sizeText(), QStringLiteral("3,072.0 kB"));
        actions[Cmd::SizeMB]->trigger();
        QCOMPARE(fixture.Doc().Settings().SizeOf, SizeUnit::MB);
        QCOMPARE(sizeText(), QStringLiteral("3.0 MB"));
        actions[Cmd::TimeMin]->trigger();
        QCOMPARE(fixture.Doc().Settings().TimeOf, TimeUnit::Minutes);
        actions[Cmd::Depth0 + 3]->trigger();
        QCOMPARE(fixture.Doc().Settings().SearchClass, 3);
        QVERIFY(actions[Cmd::Depth0 + 3]->isChecked());

        actions[Cmd::ReadTagsOnLoad]->trigger();
        QCOMPARE(fixture.Doc().Settings().readtag, 3);
        QVERIFY(actions[Cmd::ReadSizesOnLoad]->isChecked());
        QVERIFY(!actions[Cmd::ReadSizesOnLoad]->isEnabled());

        actions[Cmd::Column0 + ColTitle]->trigger();
        QVERIFY(frame.View().IsColumnShown(ColTitle));
        QVERIFY(actions[Cmd::Column0 + ColTitle]->isChecked());
        actions[Cmd::FullRowSelect]->trigger();
        QVERIFY(frame.View().FullRowSelect());
        actions[Cmd::GridLines]->trigger();
        QVERIFY(!frame.View().showGrid());
    }

    void droppedFilesEnterTheList() {
        CAppFixture fixture;
        fixture.Start();
        const std::string a = fixture.Audio("drop/a.mp3");
        const std::string list = fixture.Dir.Write("l.m3u", fixture.Audio("b.mp3") + "\n");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(fixture.Dir / "drop")),
                      QUrl::fromLocalFile(QString::fromStdString(list))});
        fixture.Frame().DropFiles(data);
        QCOMPARE(fixture.Doc().AllList().size(), size_t(2));
        QCOMPARE(fixture.Doc().AllList()[0]->FilePath(), a);
        QCOMPARE(fixture.Frame().View().ItemCount(), 2);
        QVERIFY(fixture.Frame().isEnabled()); // the progress window gave the window back
    }

    void savePerFolderAfterConfirmation() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("pop/a.mp3"), fixture.Audio("rock/b.mp3")});
        QVERIFY(WithDialog<CFolderSaveDialog>(fixture.Frame(), Cmd::SaveEachFolder,
                                              [](CFolderSaveDialog& dialog) { dialog.reject(); }));
        QVERIFY(!fixture.Exists("pop/pop.m3u"));
        QVERIFY(fixture.Host.Messages.empty());

        QVERIFY(WithDialog<CFolderSaveDialog>(
            fixture.Frame(), Cmd::SaveEachFolder,
            [](CFolderSaveDialog& dialog) { dialog.OkButton()->click(); }));
        QVERIFY(fixture.Exists("pop/pop.m3u"));
        QVERIFY(fixture.Exists("rock/rock.m3u"));
    }

    // Sizes read again mark a file that has gone; its row turns grey.
    void infoCommandsReachTheRows() {
        CAppFixture fixture;
        const std::string gone = fixture.Audio("gone.mp3");
        fixture.Start({fixture.Audio("kept.mp3"), gone});
        std::filesystem::remove(gone);
        fixture.Frame().Actions()[Cmd::GetAllSizes]->trigger();
        QVERIFY(fixture.Doc().AllList()[1]->Has(CListData::Missing));
        QVERIFY(!fixture.Doc().AllList()[0]->Has(CListData::Missing));
        const CListModel& model = fixture.Frame().View().Model();
        // the grey of missing files, as dark as it must be to read on the list
        QCOMPARE(model.data(model.index(1, 0), Qt::ForegroundRole).value<QBrush>().color(),
                 model.MissingColour());
        QVERIFY(model.MissingColour().red() <= 128);
    }

    // A refused path beeps and shows the dialog again with its text; ignoring the extension
    // check adds it.
    void inputItemRetriesUntilAdded() {
        CAppFixture fixture;
        fixture.Start();
        const std::string path = fixture.Dir.Write("notes.xyz", "x");
        int shows = 0;
        std::function<void()> answer = [&] {
            auto* dialog = qobject_cast<CAddItemDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, answer);
                return;
            }
            ++shows;
            if (shows == 1) {
                QVERIFY(!dialog->AddButton()->isEnabled());
                dialog->PathField()->setText(QString::fromStdString(path));
            } else {
                QCOMPARE(dialog->Path(), QString::fromStdString(path));
                dialog->findChild<QCheckBox*>()->setChecked(true);
            }
            dialog->AddButton()->click();
            if (shows == 1)
                QTimer::singleShot(10, answer);
        };
        QTimer::singleShot(10, answer);
        fixture.Frame().Commands().Run(Cmd::InputItem);
        QCOMPARE(shows, 2);
        QCOMPARE(fixture.Host.Beeps, 1);
        QCOMPARE(fixture.Doc().AllList().size(), size_t(1));
        QCOMPARE(fixture.Frame().View().ItemCount(), 1);
    }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
