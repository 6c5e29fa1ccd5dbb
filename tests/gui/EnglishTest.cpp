// The optional English interface: Japanese unless the profile or the command line asks for
// English, every text of the window translated, and the choice kept for the next start.

#include "GuiTestSupport.h"

#include "gui/app/Actions.h"
#include "gui/app/CommandTable.h"
#include "gui/app/Commands.h"
#include "gui/dialogs/ExtSearchDialog.h"
#include "gui/dialogs/ExtensionDialog.h"
#include "gui/dialogs/FolderSaveDialog.h"
#include "gui/dialogs/FolderSearchDialog.h"
#include "gui/i18n/InterfaceLanguage.h"

#include "core/base/TextCodec.h"
#include "core/listops/Duplicates.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QToolBar>

using namespace torvane;
using namespace torvane::test;

namespace {

constexpr const char* EnglishProfile = "[app]\nLanguage=en\n";

QStringList MenuBarCaptions(const CMainFrame& frame) {
    QStringList captions;
    for (const QAction* action : frame.menuBar()->actions())
        captions << action->text();
    return captions;
}

bool HasJapanese(const QString& text) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

// Every text of the window a user can meet: menus and their items with prompts and tool tips,
// labels, choice lists, buttons and the tool tips of any widget.
QStringList VisibleTexts(const CMainFrame& frame) {
    QStringList texts;
    for (const QAction* action : frame.findChildren<QAction*>())
        texts << action->text() << action->iconText() << action->statusTip() << action->toolTip();
    for (const QMenu* menu : frame.findChildren<QMenu*>())
        texts << menu->title();
    for (const QWidget* widget : frame.findChildren<QWidget*>()) {
        texts << widget->toolTip() << widget->statusTip() << widget->windowTitle();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        if (const auto* list = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
    }
    return texts;
}

struct SeenBox {
    QString Title;
    QString Text;
};

// Shows a message through the desktop host and notes what its box said.
SeenBox ShowMessage(MessageKind kind, const CMessage& message) {
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->windowTitle(), box->text()};
        box->accept();
    });
    CQtUiHost host;
    host.ShowMessage(kind, message, MessageButtons::Ok);
    return seen;
}

} // namespace

class EnglishTest : public QObject {
    Q_OBJECT
private slots:
    void japaneseByDefault() {
        CAppFixture fixture;
        CMainFrame& frame = *fixture.Start().Frame();
        QCOMPARE(MenuBarCaptions(frame).first(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        QCOMPARE(frame.Actions()[Cmd::Save]->statusTip(), QStringLiteral("作業中のﾌｧｲﾙを保存"));
        QVERIFY(!frame.Actions()[Cmd::English]->isChecked());
        CExtensionDialog dialog(fixture.Doc().Extensions(), fixture.App->Host(), &frame);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("拡張子設定"));
    }

    void englishFromTheProfile() {
        CAppFixture fixture;
        fixture.WriteProfile(EnglishProfile);
        CMainFrame& frame = *fixture.Start().Frame();
        QCOMPARE(MenuBarCaptions(frame),
                 (QStringList{"&File", "&Edit", "List", "&View", "&Search", "Se&ttings"}));
        QCOMPARE(frame.Actions()[Cmd::Save]->text(), QStringLiteral("&Save\tCtrl+S"));
        QCOMPARE(frame.Actions()[Cmd::Save]->statusTip(), QStringLiteral("Save the list"));
        QCOMPARE(frame.Actions()[Cmd::ClearList]->toolTip(), QStringLiteral("Clear All"));
        QVERIFY(frame.Actions()[Cmd::English]->isChecked());
        CExtensionDialog dialog(fixture.Doc().Extensions(), fixture.App->Host(), &frame);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Extensions"));
    }

    // A text shown without a translator lookup stays Japanese and shows up here.
    void noJapaneseLeftInTheEnglishWindow() {
        CAppFixture fixture;
        fixture.WriteProfile(EnglishProfile);
        const CMainFrame& frame = *fixture.Start().Frame();
        QStringList japanese;
        for (const QString& text : VisibleTexts(frame))
            if (HasJapanese(text))
                japanese << text;
        japanese.removeDuplicates();
        QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(QLatin1Char('|'))));
    }

    void commandLineOverridesTheProfile() {
        CAppFixture fixture;
        fixture.WriteProfile(EnglishProfile);
        fixture.App = std::make_unique<CTorvaneApp>(fixture.ProfilePath());
        fixture.App->OverrideLanguage(CInterfaceLanguage::Japanese);
        QVERIFY(fixture.App->Start({}));
        QCOMPARE(MenuBarCaptions(fixture.Frame()).first(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        fixture.App.reset();
        // The override is for one run: the stored choice stays English.
        CProfile stored(fixture.ProfilePath());
        stored.Load();
        QCOMPARE(CInterfaceLanguage::Stored(stored), std::string(CInterfaceLanguage::English));
    }

    // "English" carries its check mark for the language of the window that is up, also when
    // the command line asked for another than the stored one; using it stores the other one.
    void englishItemFollowsTheRunningWindow() {
        for (const bool storedEnglish : {true, false}) {
            CAppFixture fixture;
            fixture.WriteProfile(storedEnglish ? std::string("[app]\nalert=1\nLanguage=en\n")
                                               : std::string("[app]\nalert=1\n"));
            fixture.App = std::make_unique<CTorvaneApp>(
                fixture.ProfilePath(), std::make_unique<CScriptedHost>(fixture.Host));
            fixture.App->OverrideLanguage(storedEnglish ? CInterfaceLanguage::Japanese
                                                        : CInterfaceLanguage::English);
            QVERIFY(fixture.App->Start({}));
            CMainFrame& frame = fixture.Frame();
            frame.Commands().UpdateStates();
            QAction* english = frame.Actions()[Cmd::English];
            QCOMPARE(english->isChecked(), !storedEnglish);
            english->trigger();
            QCOMPARE(english->isChecked(), storedEnglish);
            QVERIFY(fixture.Close());
            CProfile stored(fixture.ProfilePath());
            stored.Load();
            QCOMPARE(CInterfaceLanguage::Stored(stored),
                     std::string(storedEnglish ? CInterfaceLanguage::English
                                               : CInterfaceLanguage::Japanese));
        }
    }

    // At the first-start size every control of every bar is in sight, in both languages and
    // with all bars shown: none falls into a bar's "»" menu.
    void everyBarControlFitsTheFirstWindow() {
        for (const char* profile : {"[app]\nalert=1\n", "[app]\nalert=1\nLanguage=en\n"}) {
            CAppFixture fixture;
            fixture.WriteProfile(profile);
            CMainFrame& frame = *fixture.Start().Frame();
            const QSize first = frame.size();
            for (QWidget* bar : frame.findChildren<QToolBar*>())
                bar->show();
            auto* data = frame.findChild<QDockWidget*>();
            data->show();
            QTest::qWait(50);
            QCOMPARE(frame.size(), first);
            for (const QWidget* control : data->widget()->findChildren<QWidget*>())
                if (control->isVisible())
                    QVERIFY2(data->rect().contains(
                                 QRect(control->mapTo(data, QPoint(0, 0)), control->size())),
                             qPrintable(QString(profile).simplified() + control->objectName()));
            for (const QToolBar* bar : frame.findChildren<QToolBar*>()) {
                const auto* more =
                    bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
                QVERIFY2(!more || !more->isVisible(),
                         qPrintable(QString(profile).simplified() + bar->objectName()));
                for (QAction* action : bar->actions())
                    if (!action->isSeparator() && action->isVisible())
                        QVERIFY2(bar->widgetForAction(action)->isVisible(),
                                 qPrintable(QString(profile).simplified() + action->iconText()));
            }
        }
    }

    // English sentences that read right: the search dialogs' condition row and the count of
    // the files the save per folder writes.
    void englishConditionRowAndPluralOfFiles() {
        const CInterfaceLanguage english(CInterfaceLanguage::English);
        CFakeHost host;
        const auto labels = [](const QWidget& dialog) {
            QStringList texts;
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                texts << label->text();
            return texts;
        };
        const CExtSearchDialog extended(host, {});
        QVERIFY(labels(extended).contains(QStringLiteral("Text")));
        QVERIFY(labels(extended).contains(QStringLiteral("files")));
        QVERIFY(!labels(extended).contains(QStringLiteral("File")));
        const CFolderSearchDialog folder(host, {});
        QVERIFY(!labels(folder).contains(QStringLiteral("File")));

        FolderGroups groups;
        groups.Groups.resize(5);
        for (size_t i = 0; i < groups.Groups.size(); ++i)
            groups.Groups[i].FileName = "/music/" + std::to_string(i) + ".m3u";
        QVERIFY(labels(CFolderSaveDialog(groups))
                    .contains(QStringLiteral("Writes to the following files.")));
        groups.Groups.resize(1);
        QVERIFY(labels(CFolderSaveDialog(groups))
                    .contains(QStringLiteral("Writes to the following file.")));
    }

    // The document's messages come as ids, some with file names or numbers to put in.
    void messagesInEnglish() {
        const CInterfaceLanguage english(CInterfaceLanguage::English);
        const CTextCodec codec;
        SeenBox seen = ShowMessage(MessageKind::Confirmation, MessageId::Saved);
        QCOMPARE(seen.Title, QStringLiteral("Confirm"));
        QCOMPARE(seen.Text, QStringLiteral("Saved."));
        seen = ShowMessage(
            MessageKind::Error,
            CMessage(MessageId::TrashFailed).Path("/music/a.mp3", codec).Text("Permission denied"));
        QCOMPARE(seen.Title, QStringLiteral("Error"));
        QCOMPARE(seen.Text,
                 QStringLiteral("Could not move to the trash.\n/music/a.mp3\nPermission denied"));
        seen = ShowMessage(MessageKind::Report, DuplicateMessage(12, 3));
        QCOMPARE(seen.Text, QStringLiteral("12 duplicates found.\n\tTime taken: 3 s"));
        QCOMPARE(MessageText(CMessage(MessageId::ItemCount).Number(20001)),
                 QStringLiteral(" 20001 items"));
        QCOMPARE(TypeText(CListData::NoTagType), QStringLiteral("No tag"));
        QCOMPARE(MessageText(CMessage(MessageId::NamesNotEncodable)
                                 .Text("CP932")
                                 .Names({"03 Night Drive"}, codec)),
                 QStringLiteral("Not saved: the following names cannot be written in the encoding "
                                "CP932.\n\n03 Night Drive"));
        // An argument is never looked up, not even one that reads like a text of the catalogue.
        QCOMPARE(MessageText(CMessage(MessageId::NamesWithLineBreak)
                                 .Names({"2024年の曲", "保存しました。"}, codec)),
                 QStringLiteral("Not saved: the following names contain a line break.\n\n"
                                "2024年の曲\n保存しました。"));
    }

    // An entry of the message table without its catalogue mark would come out Japanese here.
    void everyMessageHasEnglishWords() {
        const CInterfaceLanguage english(CInterfaceLanguage::English);
        for (int i = 0; i < static_cast<int>(MessageId::Count); ++i) {
            const QString text = MessageText(static_cast<MessageId>(i));
            QVERIFY2(!text.isEmpty() && !HasJapanese(text),
                     qPrintable(QString::number(i) + QStringLiteral(": ") + text));
        }
        QCOMPARE(CaptionText(MessageKind::Error), QStringLiteral("Error"));
        QCOMPARE(CaptionText(MessageKind::Confirmation), QStringLiteral("Confirm"));
        QCOMPARE(CaptionText(MessageKind::Refusal), QStringLiteral("Torvane"));
        QCOMPARE(CaptionText(MessageKind::Report), QString());
    }

    void messagesStayJapaneseByDefault() {
        const CInterfaceLanguage japanese(CInterfaceLanguage::Japanese);
        const SeenBox seen = ShowMessage(MessageKind::Confirmation, MessageId::Saved);
        QCOMPARE(seen.Title, QStringLiteral("確認"));
        QCOMPARE(seen.Text, QStringLiteral("保存しました。"));
    }

    // The window is built once, so the choice is stored for the next start and said so.
    void englishItemStoresTheChoiceForTheNextStart() {
        CAppFixture fixture;
        fixture.Host.Answer = MessageAnswer::Yes; // to the exit question
        CMainFrame& frame = *fixture.Start().Frame();
        QAction* english = frame.Actions()[Cmd::English];
        english->trigger();
        QVERIFY(english->isChecked());
        QCOMPARE(fixture.Host.Messages,
                 (std::vector<std::string>{"確認: 次回の起動から有効になります。"}));
        QCOMPARE(MenuBarCaptions(frame).first(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        QVERIFY(fixture.Close());
        QCOMPARE(MenuBarCaptions(*fixture.Start().Frame()).first(), QStringLiteral("&File"));

        fixture.Frame().Actions()[Cmd::English]->trigger();
        QVERIFY(!fixture.Frame().Actions()[Cmd::English]->isChecked());
        QVERIFY(fixture.Close());
        QCOMPARE(MenuBarCaptions(*fixture.Start().Frame()).first(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    }
};

QTEST_MAIN(EnglishTest)
#include "EnglishTest.moc"
