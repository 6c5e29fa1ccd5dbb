// The search dialogs, the column chooser, the about box and the drop window, driven through
// their widgets; and keys typed into dialogs staying there.

#include "GuiTestSupport.h"

#include "core/media/ReaderTable.h"
#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/app/DropWindow.h"
#include "gui/dialogs/AboutBox.h"
#include "gui/dialogs/AddItemDialog.h"
#include "gui/dialogs/ExtSearchDialog.h"
#include "gui/dialogs/FolderSearchDialog.h"
#include "gui/view/ColumnDialog.h"
#include "gui/view/ListModel.h"
#include "gui/widgets/LinkStatic.h"
#include "gui/widgets/VersionText.h"

#include "core/record/ListData.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <functional>

using namespace torvane;
using namespace torvane::test;

namespace {

// Drives the dialog that a command shows modally, once it is up; gives up after a second.
template <typename Dialog> void WhenShown(std::function<void(Dialog&)> drive) {
    auto poll = std::make_shared<std::function<void()>>();
    auto tries = std::make_shared<int>(0);
    *poll = [drive, poll, tries] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++*tries < 100)
                QTimer::singleShot(10, *poll);
            else
                *poll = nullptr;
            return;
        }
        drive(*dialog);
        *poll = nullptr; // lets the shared function go
    };
    QTimer::singleShot(10, *poll);
}

QStringList Entries(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

QStringList FileNames(const TrackList& list) {
    QStringList names;
    for (const CListData* record : list)
        names << QString::fromStdString(std::string(record->FileName()));
    return names;
}

// The addresses the desktop was asked to open.
class CUrlRecorder final : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened << url; }
};

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    // ---- ファイルを開く ----

    // The open dialog's first filter and its audio filter offer every extension with a reader,
    // and the first one the list files too.
    void openFilterOffersEveryReadableType() {
        const QStringList filters = OpenFilesFilter().split(QStringLiteral(";;"));
        const QString first = filters.value(0);
        const QString audio = filters.filter(QStringLiteral("Audio Files")).value(0);
        for (const char* ext : {"mp3", "wma", "wav", "ogg", "flac", "opus", "m4a", "aif", "aiff"}) {
            QVERIFY(!torvane::ReaderForExtension(ext).empty());
            const QString pattern = QStringLiteral("*.") + QLatin1String(ext);
            QVERIFY2(first.split(QRegularExpression("[ ()]")).contains(pattern), ext);
            QVERIFY2(audio.split(QRegularExpression("[ ()]")).contains(pattern), ext);
        }
        for (const char* list : {"*.m3u", "*.m3u8", "*.pls", "*.xspf"})
            QVERIFY2(first.contains(QLatin1String(list)), list);
        QCOMPARE(filters.last(), QStringLiteral("All Files (*)"));
    }

    // ---- フォルダから追加 ----

    // Every condition at once, through the command: the file name (not the path) must hold
    // both terms typed in upper case, the extension typed in upper case, and at least 1 KB of
    // 1000 bytes. Hidden folders are searched.
    void folderSearchWithEveryCondition() {
        CAppFixture fixture;
        fixture.Audio("tree/.hidden/Love song x.mp3", 3000);
        fixture.Audio("tree/Love Song.mp3", 1000);
        fixture.Audio("tree/love song.txt", 3000);
        fixture.Audio("tree/other.mp3", 3000);
        fixture.Audio("tree/song/love.mp3", 3000);
        fixture.Audio("tree/sub/love song.MP3", 999);
        fixture.Start();
        const std::string tree = fixture.Dir / "tree";
        WhenShown<CFolderSearchDialog>([&](CFolderSearchDialog& dialog) {
            QVERIFY(!dialog.ExtensionBox()->isEnabled());
            QVERIFY(!dialog.SizeField()->isEnabled());
            dialog.FolderField()->setText(QString::fromStdString(tree));
            dialog.TargetList()->setCurrentIndex(1);
            QTest::keyClicks(dialog.TextField(), "LOVE Song");
            dialog.ExtensionCheck()->click();
            QVERIFY(dialog.ExtensionBox()->isEnabled());
            QTest::keyClicks(dialog.ExtensionBox()->lineEdit(), "MP3");
            QCOMPARE(dialog.ExtensionBox()->currentText(), QStringLiteral("mp3"));
            dialog.SizeCheck()->click();
            QVERIFY(dialog.SizeField()->isEnabled() && dialog.SizeBoundList()->isEnabled());
            dialog.SizeField()->setText(QStringLiteral("1"));
            dialog.SearchButton()->click();
        });
        fixture.Frame().Commands().Run(Cmd::AddFromFolder);
        QCOMPARE(FileNames(fixture.Doc().AllList()), (QStringList{"Love song x", "Love Song"}));
        QCOMPARE(fixture.Frame().View().ItemCount(), 2);
        QVERIFY(fixture.Frame().isEnabled()); // the progress window gave the window back
        QVERIFY(fixture.Host.Messages.empty());
    }

    void folderSearchRequestAndRefusals() {
        CTempDir dir;
        CScriptedHost::Script script;
        CScriptedHost host(script);
        const std::map<std::string, int> icons{{"wma", 2}, {"mp3", 1}};
        CFolderSearchDialog dialog(host, icons);
        QCOMPARE(dialog.ExtensionBox()->count(), 2);
        QCOMPARE(dialog.ExtensionBox()->itemText(0), QStringLiteral("mp3"));
        QVERIFY(dialog.ExtensionBox()->currentText().isEmpty());

        const std::string refusal =
            "Torvane: フォルダ名が不正です。正しいフォルダ名を入力してください。";
        for (const std::string& folder : {std::string(), dir / "missing", dir.Write("f.mp3", "")}) {
            dialog.FolderField()->setText(QString::fromStdString(folder));
            dialog.SearchButton()->click();
            QCOMPARE(script.Messages.back(), refusal);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        dialog.FolderField()->setText(QString::fromStdString(dir.Path()));
        dialog.SizeField()->clear();
        dialog.SearchButton()->click();
        QCOMPARE(script.Messages.back(), std::string("Torvane: 整数を入力してください。"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        dialog.SizeCheck()->click();
        QTest::keyClicks(dialog.SizeField(), "12x");
        QCOMPARE(dialog.SizeField()->text(), QStringLiteral("12")); // digits only
        dialog.ExcludeList()->setCurrentIndex(1);
        dialog.SizeBoundList()->setCurrentIndex(1);
        dialog.TextField()->setText(QStringLiteral("A  b "));
        dialog.SearchButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SearchRequest& request = dialog.Request();
        QCOMPARE(request.terms, (std::vector<std::string>{"a", "b", ""}));
        QCOMPARE(request.exclude, TermCondition::Excludes);
        QCOMPARE(request.sizeKB, 12);
        QCOMPARE(request.sizeAtMost, Bound::AtMost);
        QVERIFY(request.useSize && !request.useExtension);
        QCOMPARE(dialog.Folder(), dir.Path());
    }

    void folderSearchTextHoldsAtMost250Bytes() {
        CScriptedHost::Script script;
        CScriptedHost host(script);
        CFolderSearchDialog dialog(host, {});
        QTest::keyClicks(dialog.TextField(), QString(300, QLatin1Char('a')));
        QCOMPARE(dialog.TextField()->text().size(), 250);
        dialog.TextField()->clear();
        for (int i = 0; i < 100; ++i)
            dialog.TextField()->insert(QString(QChar(0x3042))); // あ: 3 bytes
        QCOMPARE(dialog.TextField()->text().size(), 83);
    }

    // ---- 拡張検索 ----

    void extendedSearchStartsClearAndEnablesByItsBoxes() {
        CScriptedHost::Script script;
        CScriptedHost host(script);
        CExtSearchDialog dialog(host, {{"ogg", 3}, {"mp3", 1}});
        QCOMPARE(dialog.ExistenceList()->currentText(), QStringLiteral("すべての"));
        QCOMPARE(dialog.SourceList()->currentText(), QStringLiteral("全リスト"));
        QCOMPARE(dialog.SourceList()->count(), 2);
        QCOMPARE(dialog.ExtensionBox()->itemText(1), QStringLiteral("ogg"));
        for (QLineEdit* field :
             {dialog.SizeField(), dialog.MinutesField(), dialog.SecondsField(),
              dialog.BitRateBox()->lineEdit(), dialog.SamplingRateBox()->lineEdit()}) {
            QCOMPARE(field->text(), QStringLiteral("0"));
            QVERIFY(!field->isEnabled());
        }
        dialog.TimeCheck()->click();
        QVERIFY(dialog.MinutesField()->isEnabled() && dialog.SecondsField()->isEnabled() &&
                dialog.TimeBoundList()->isEnabled());
        QVERIFY(!dialog.SizeField()->isEnabled());
        dialog.TimeCheck()->click();
        QVERIFY(!dialog.MinutesField()->isEnabled());
        QVERIFY(script.Messages.empty());
    }

    // The framework's messages, in the order of the controls; the refused field takes the
    // focus and the dialog stays open. Ticking a box validates too.
    void extendedSearchValidation() {
        CScriptedHost::Script script;
        CScriptedHost host(script);
        CExtSearchDialog dialog(host, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (QCheckBox* box : {dialog.ExtensionCheck(), dialog.SizeCheck(), dialog.TimeCheck(),
                               dialog.BitRateCheck(), dialog.SamplingRateCheck()})
            box->click();
        const struct {
            QLineEdit* Field;
            QString Text;
            std::string Message;
        } cases[] = {
            {dialog.SizeField(), "-1", "0 から 2147483647 までの整数を入力してください。"},
            {dialog.SizeField(), "2147483648", "整数を入力してください。"},
            {dialog.MinutesField(), "60", "0 から 59 までの整数を入力してください。"},
            {dialog.SecondsField(), "", "整数を入力してください。"},
            {dialog.BitRateBox()->lineEdit(), "128k", "整数を入力してください。"},
            {dialog.SamplingRateBox()->lineEdit(), "x", "整数を入力してください。"},
        };
        for (const auto& test : cases) {
            test.Field->setText(test.Text);
            QTest::keyClick(&dialog, Qt::Key_Return);
            QCOMPARE(script.Messages.back(), "Torvane: " + test.Message);
            QVERIFY(dialog.isVisible());
            // A box with an edit field takes the focus for its field.
            QWidget* owner = test.Field->parentWidget();
            QCOMPARE(QApplication::focusWidget(),
                     qobject_cast<QComboBox*>(owner) ? owner : static_cast<QWidget*>(test.Field));
            test.Field->setText(QStringLiteral("0"));
        }
        QCOMPARE(script.Messages.size(), std::size(cases));
        dialog.MinutesField()->setText(QStringLiteral("75"));
        dialog.SizeCheck()->click();
        QCOMPARE(script.Messages.size(), std::size(cases) + 1);
        QVERIFY(!dialog.SizeField()->isEnabled()); // follows its box after the refusal
        dialog.MinutesField()->setText(QStringLiteral("3"));
        dialog.SecondsField()->setText(QStringLiteral("30"));
        dialog.SizeCheck()->click();
        dialog.BitRateCheck()->click();
        QCOMPARE(script.Messages.size(), std::size(cases) + 1);
        dialog.TimeBoundList()->setCurrentIndex(1);
        dialog.BitRateBox()->setCurrentIndex(5);
        dialog.TextField()->setText(QStringLiteral("LOVE Song"));
        dialog.SourceList()->setCurrentIndex(1);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SearchRequest& request = dialog.Request();
        QVERIFY(request.source == SearchSource::SearchList);
        QCOMPARE(request.terms, (std::vector<std::string>{"love", "song"}));
        QVERIFY(request.useSize && request.useTime && !request.useBitRate);
        QCOMPARE(request.timeSec, 210);
        QCOMPARE(request.timeAtMost, Bound::AtMost);
        QCOMPARE(request.bitRate, 128);
    }

    // A first search of the all list, then one of its result ("検索元：" on "検索リスト").
    void extendedSearchNarrowsTheSearchList() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("ab.mp3"), fixture.Audio("a.mp3"), fixture.Audio("b.mp3"),
                       fixture.Audio("c.mp3")});
        CMainFrame& frame = fixture.Frame();
        const auto search = [&](const char* text, int source) {
            WhenShown<CExtSearchDialog>([text, source](CExtSearchDialog& dialog) {
                dialog.TargetList()->setCurrentIndex(1);
                dialog.TextField()->setText(QString::fromLatin1(text));
                dialog.SourceList()->setCurrentIndex(source);
                dialog.accept();
            });
            frame.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&frame));
            frame.View().setFocus();
            QTest::keyClick(&frame.View(), Qt::Key_F, Qt::ControlModifier);
        };
        search("A", 0);
        QCOMPARE(FileNames(fixture.Doc().SearchList()), (QStringList{"ab", "a"}));
        QVERIFY(fixture.Doc().SearchMode());
        search("B", 1);
        QCOMPARE(FileNames(fixture.Doc().SearchList()), QStringList{"ab"});
        QCOMPARE(fixture.Doc().AllList().size(), size_t(4));
        QCOMPARE(fixture.Frame().View().ItemCount(), 1);
    }

    // ---- まとめて選択 ----

    void columnChooserListsShownColumnsFirst() {
        CScriptedHost::Script script;
        CScriptedHost host(script);
        CColumnDialog dialog({3, 0}, host);
        QCOMPARE(Entries(*dialog.List()),
                 (QStringList{"ファイルサイズ", "ファイルパス", "ファイル名", "拡張子",
                              "TAG-タイトル", "TAG-アーティスト", "TAG-アルバム", "TAG-コメント",
                              "TAG-トラック番号", "演奏時間", "ビットレート", "サンプリングレート",
                              "ファイルタイプ", "TAG-ジャンル", "TAG-年"}));
        for (int row = 0; row < ColumnCount; ++row)
            QCOMPARE(dialog.List()->item(row)->checkState() == Qt::Checked, row < 2);
    }

    void columnChooserMovesAndBeepsAtTheEnds() {
        CScriptedHost::Script script;
        CScriptedHost host(script);
        CColumnDialog dialog({0, 1, 2, 3}, host);
        QListWidget& list = *dialog.List();
        const QStringList before = Entries(list);
        dialog.UpButton()->click(); // nothing selected
        list.setCurrentRow(0);
        dialog.UpButton()->click();
        list.setCurrentRow(ColumnCount - 1);
        dialog.DownButton()->click();
        QCOMPARE(script.Beeps, 3);
        QCOMPARE(Entries(list), before);

        list.setCurrentRow(4); // TAG-タイトル to the top, ticked
        for (int i = 0; i < 4; ++i)
            dialog.UpButton()->click();
        QCOMPARE(script.Beeps, 3);
        QCOMPARE(list.item(0)->text(), QStringLiteral("TAG-タイトル"));
        QCOMPARE(list.currentRow(), 0);
        list.item(0)->setCheckState(Qt::Checked);
        list.item(3)->setCheckState(Qt::Unchecked); // 拡張子
        dialog.accept();
        CColumnDialog::Order expected;
        expected.fill(CColumnDialog::Unticked);
        expected[0] = 4;
        expected[1] = 0;
        expected[2] = 1;
        expected[4] = 3;
        QCOMPARE(dialog.Result(), expected);
    }

    void columnChooserKeepsTheLastTickedColumn() {
        CScriptedHost::Script script;
        CScriptedHost host(script);
        CColumnDialog dialog({0, 1}, host);
        dialog.List()->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(script.Beeps, 0);
        dialog.List()->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(script.Beeps, 1);
        QCOMPARE(dialog.List()->item(1)->checkState(), Qt::Checked);
    }

    // OK rebuilds the columns (shown ones keep their widths); cancel keeps them, but the widths
    // are recorded either way.
    void columnChooserRebuildsTheColumns() {
        CAppFixture fixture;
        fixture.Start();
        CTorvaneView& view = fixture.Frame().View();
        view.horizontalHeader()->resizeSection(ColFileName, 200);
        WhenShown<CColumnDialog>([](CColumnDialog& dialog) {
            QListWidget& list = *dialog.List();
            list.setCurrentRow(5); // TAG-アーティスト to the top
            for (int i = 0; i < 5; ++i)
                dialog.UpButton()->click();
            list.item(0)->setCheckState(Qt::Checked);
            dialog.accept();
        });
        fixture.Frame().Commands().Run(Cmd::ColumnChooser);
        QCOMPARE(view.ShownColumns(), (std::vector<int>{ColArtist, 0, 1, 2, 3}));
        QCOMPARE(view.horizontalHeader()->sectionSize(ColFileName), 200);
        QCOMPARE(view.horizontalHeader()->sectionSize(ColArtist), 100);
        QCOMPARE(view.Model().IconColumn(), int(ColArtist));

        view.horizontalHeader()->resizeSection(ColFilePath, 333);
        WhenShown<CColumnDialog>([](CColumnDialog& dialog) {
            dialog.List()->item(0)->setCheckState(Qt::Unchecked);
            dialog.reject();
        });
        fixture.Frame().Commands().Run(Cmd::ColumnChooser);
        QCOMPARE(view.ShownColumns(), (std::vector<int>{ColArtist, 0, 1, 2, 3}));
        view.ToggleColumn(ColFilePath);
        view.ToggleColumn(ColFilePath);
        QCOMPARE(view.horizontalHeader()->sectionSize(ColFilePath), 333);
    }

    // ---- the about box ----

    void aboutBoxOpensLinksOnDoubleClickOnly() {
        CUrlRecorder recorder;
        for (const char* scheme : {"mailto", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "Open");
        CAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(box.findChild<QLabel*>("version")->text(),
                 QString::fromStdString(GetVersionText()));
        CLinkStatic* contact = box.ContactLink();
        QCOMPARE(contact->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(contact->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(contact->font().underline());

        QTest::mouseClick(contact, Qt::LeftButton);
        QVERIFY(recorder.Opened.isEmpty());
        QTest::mouseDClick(contact, Qt::LeftButton);
        QTest::mouseDClick(box.SiteLink(), Qt::LeftButton);
        QCOMPARE(recorder.Opened, (QList<QUrl>{QUrl("mailto:torvane@example.org"),
                                               QUrl("https://torvane.example.org/")}));
        for (const char* scheme : {"mailto", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void aboutCommandShowsTheBox() {
        CAppFixture fixture;
        fixture.Start();
        bool shown = false;
        WhenShown<CAboutBox>([&](CAboutBox& box) {
            shown = true;
            box.accept();
        });
        fixture.Frame().Actions()[Cmd::About]->trigger();
        QVERIFY(shown);
    }

    // ---- the drop window ----

    void dropWindowTogglesWithItsCheckMark() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        QAction* toggle = frame.Actions()[Cmd::DropWindow];
        QVERIFY(toggle->isEnabled());
        toggle->trigger();
        CDropWindow* window = frame.DropWindow();
        QVERIFY(window && window->isVisible());
        QVERIFY(toggle->isChecked());
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window->pos(), QPoint(0, 0));
        toggle->trigger();
        QVERIFY(!frame.DropWindow());
        QVERIFY(!toggle->isChecked());

        toggle->trigger(); // Esc closes it, and the check mark goes
        QTest::keyClick(frame.DropWindow(), Qt::Key_Escape);
        QTRY_VERIFY(!frame.DropWindow());
        QTRY_VERIFY(!toggle->isChecked());
        toggle->trigger();
        QTest::keyClick(frame.DropWindow(), Qt::Key_Return);
        QTRY_VERIFY(!frame.DropWindow());
    }

    void filesDroppedOnTheDropWindowEnterTheList() {
        CAppFixture fixture;
        fixture.Start();
        fixture.Audio("drop/a.mp3");
        fixture.Audio("drop/b.mp3");
        fixture.Frame().ToggleDropWindow();
        CDropWindow* window = fixture.Frame().DropWindow();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(fixture.Dir / "drop"))});
        // A drop reaches the window that accepted the drag's entering.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QCOMPARE(fixture.Frame().View().ItemCount(), 2);
        QVERIFY(fixture.Doc().FolderHistory().Entries().empty());
    }

    // ---- アイテムの追加 ----

    // A file dropped on the path field replaces its text with the file's path, as a drop on
    // the rest of the dialog does; dropped text that names no file is the field's own.
    void aFileDroppedOnThePathFieldBecomesThePath() {
        CAddItemDialog dialog;
        dialog.show();
        QLineEdit* field = dialog.PathField();
        field->setText(QStringLiteral("/music/p1"));
        const auto drop = [field](const QMimeData& data) {
            const QPoint at(field->width() / 2, field->height() / 2);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(field, &enter);
            QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(field, &move);
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(field, &drop);
            return drop.isAccepted();
        };
        QMimeData files;
        files.setUrls({QUrl::fromEncoded("file:///music/x%E9.ogg"),
                       QUrl::fromEncoded("file:///music/y.ogg")});
        files.setText(QStringLiteral("file:///music/x%E9.ogg"));
        QVERIFY(drop(files));
        QCOMPARE(dialog.PathBytes(), std::string("/music/x\xe9.ogg"));
        QVERIFY(!field->text().contains(QStringLiteral("file:")));
        QVERIFY(dialog.AddButton()->isEnabled());
        QVERIFY(!dialog.IgnoreExtension());

        field->setText(QStringLiteral("/music/"));
        field->setCursorPosition(7);
        QMimeData words;
        words.setText(QStringLiteral("a.ogg"));
        drop(words);
        QCOMPARE(field->text(), QStringLiteral("/music/a.ogg"));
    }

    // The path field has the focus when the dialog opens: typed letters and a blank go there,
    // not to the box. Shown again after a refused path, the dialog stays where the user put it.
    void addItemDialogTakesTypingAndKeepsItsPlace() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        QString typed;
        bool ticked = true;
        bool active = false;
        bool moved = false;
        QPoint placed;
        QPoint again;
        WhenShown<CAddItemDialog>([&](CAddItemDialog& dialog) {
            active = QTest::qWaitForWindowActive(&dialog);
            QTest::keyClicks(dialog.focusWidget(), QStringLiteral("x y.zzz"));
            typed = dialog.PathField()->text();
            ticked = dialog.IgnoreExtension();
            dialog.windowHandle()->setFramePosition(QPoint(37, 41));
            moved = QTest::qWaitFor(
                [&dialog] { return dialog.frameGeometry().topLeft() == QPoint(37, 41); });
            placed = dialog.pos();
            WhenShown<CAddItemDialog>([&](CAddItemDialog& shownAgain) {
                again = shownAgain.pos();
                shownAgain.reject();
            });
            QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
        });
        frame.Commands().Run(Cmd::InputItem);
        QVERIFY(active);
        QCOMPARE(typed, QStringLiteral("x y.zzz"));
        QVERIFY(!ticked);
        QVERIFY(moved);
        QCOMPARE(fixture.Host.Beeps, 1);
        QCOMPARE(again, placed);
    }

    // ---- keys typed into dialogs ----

    // Delete edits the dialog's field and leaves the list alone.
    void deleteInADialogEditsItsField() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3")});
        CMainFrame& frame = fixture.Frame();
        frame.View().SelectRows({0});
        QString edited;
        WhenShown<CAddItemDialog>([&](CAddItemDialog& dialog) {
            dialog.PathField()->setText(QStringLiteral("abc"));
            dialog.PathField()->setCursorPosition(0);
            QTest::keyClick(dialog.PathField(), Qt::Key_Delete);
            edited = dialog.PathField()->text();
            dialog.reject();
        });
        frame.Commands().Run(Cmd::InputItem);
        QCOMPARE(edited, QStringLiteral("bc"));
        QCOMPARE(frame.View().ItemCount(), 2);

        WhenShown<CExtSearchDialog>([&](CExtSearchDialog& dialog) {
            dialog.TextField()->setText(QStringLiteral("xyz"));
            dialog.TextField()->setCursorPosition(1);
            QTest::keyClick(dialog.TextField(), Qt::Key_Delete);
            edited = dialog.TextField()->text();
            dialog.reject();
        });
        frame.Commands().Run(Cmd::ExtendedSearch);
        QCOMPARE(edited, QStringLiteral("xz"));
        QCOMPARE(frame.View().ItemCount(), 2);
        QVERIFY(!fixture.Doc().SearchMode());
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
