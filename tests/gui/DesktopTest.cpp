// The desktop side of the file operations: the freedesktop trash, the clipboard, programs
// started without a shell, the properties window, the file manager over D-Bus, and the
// commands as the window runs them.

#include "GuiTestSupport.h"

#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/bars/DataBar.h"
#include "gui/desktop/ChosenPaths.h"
#include "gui/desktop/QtDesktop.h"
#include "gui/dialogs/AddItemDialog.h"
#include "gui/dialogs/PropertiesDialog.h"
#include "gui/view/ListModel.h"

#include "core/base/FileUri.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <sys/stat.h>

using namespace torvane;
using namespace torvane::test;

namespace {

// Points HOME and XDG_DATA_HOME (not yet created) into a fresh folder for one test, and puts
// them back afterwards.
class CTrashHome {
public:
    explicit CTrashHome(const QByteArray& dataHome = {})
        : m_Home(qgetenv("HOME")), m_DataHome(qgetenv("XDG_DATA_HOME")) {
        qputenv("HOME", QByteArray::fromStdString(Dir.Path()));
        qputenv("XDG_DATA_HOME",
                dataHome.isEmpty() ? QByteArray::fromStdString(Dir / "data") : dataHome);
    }
    ~CTrashHome() {
        qputenv("HOME", m_Home);
        qputenv("XDG_DATA_HOME", m_DataHome);
    }
    CTrashHome(const CTrashHome&) = delete;
    CTrashHome& operator=(const CTrashHome&) = delete;

    std::string Trash(const std::string& part) const { return Dir / ("data/Trash/" + part); }

    // Checks the .trashinfo of a file now in the trash: the header, the original absolute
    // path percent-encoded, and a deletion time.
    bool HasValidInfo(const std::string& name, const std::string& original) const {
        const QByteArray text =
            QByteArray::fromStdString(Dir.Read("data/Trash/info/" + name + ".trashinfo"));
        if (text.isEmpty())
            return false;
        const QList<QByteArray> lines = text.split('\n');
        const auto value = [&lines](const QByteArray& key) {
            for (const QByteArray& line : lines)
                if (line.startsWith(key + '='))
                    return line.mid(key.size() + 1);
            return QByteArray();
        };
        static const QRegularExpression date(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"));
        const QByteArray path = value("Path");
        return lines.value(0) == "[Trash Info]" && !path.contains(' ') &&
               PercentDecode(path.toStdString()) == original &&
               date.match(QString::fromLatin1(value("DeletionDate"))).hasMatch();
    }

    CTempDir Dir;

private:
    QByteArray m_Home;
    QByteArray m_DataHome;
};

// A program that writes its first argument into a file beside itself.
std::string WriteRecorder(const CTempDir& dir) {
    std::string script =
        dir.Write("bin/recorder", "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/got\"\n");
    ::chmod(script.c_str(), 0755);
    return script;
}

// Two names that look alike once decoded through a QString: Latin-1 "é" and the UTF-8
// replacement character.
const std::string Latin = "a\xE9.mp3";
const std::string Replacement = "a\xEF\xBF\xBD.mp3";

// The path a file URL names, from its encoded form.
std::string PathOfUrl(const QUrl& url) {
    return PercentDecode(url.path(QUrl::FullyEncoded).toStdString());
}

CPropertiesDialog* OpenPropertiesDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<CPropertiesDialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

} // namespace

// Takes the URLs the desktop services are asked to open, in place of the desktop's programs.
class CUrlCatcher : public QObject {
    Q_OBJECT
public:
    CUrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~CUrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    CUrlCatcher(const CUrlCatcher&) = delete;
    CUrlCatcher& operator=(const CUrlCatcher&) = delete;

    QList<QUrl> Urls;

public slots:
    void Open(const QUrl& url) { Urls << url; }
};

// Stands in for a file manager on the session bus and notes what it was asked.
class CFakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList Calls;

public slots:
    void ShowItems(const QStringList& uris, const QString&) {
        Calls << QStringLiteral("ShowItems ") + uris.join(' ');
    }
    void ShowItemProperties(const QStringList& uris, const QString&) {
        Calls << QStringLiteral("ShowItemProperties ") + uris.join(' ');
    }
};

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void trashMovesIntoTheDataHomeTrash() {
        CTrashHome home;
        const std::string file = home.Dir.Write("music/it's %41 $HOME.mp3", "x");
        std::string error;
        CQtDesktop desktop(nullptr);
        // the data folder does not exist yet: it is made first, so the file lands in its trash
        QVERIFY(desktop.MoveToTrash(file, error));
        QVERIFY(!std::filesystem::exists(file));
        QVERIFY(std::filesystem::exists(home.Trash("files/it's %41 $HOME.mp3")));
        QVERIFY(home.HasValidInfo("it's %41 $HOME.mp3", file));
    }

    void trashRefusesWhatItCannotDo() {
        CTrashHome home("relative/data");
        const std::string file = home.Dir.Write("a.mp3", "x");
        std::string error;
        CQtDesktop desktop(nullptr);
        QVERIFY(!desktop.MoveToTrash(file, error));
        QVERIFY(QString::fromStdString(error).contains(QStringLiteral("XDG_DATA_HOME")));
        QVERIFY(std::filesystem::exists(file));
        QVERIFY(!QDir(QStringLiteral("relative")).exists());

        CTrashHome usable;
        error.clear();
        QVERIFY(!desktop.MoveToTrash(usable.Dir / "missing.mp3", error));
        QVERIFY(!error.empty());
    }

    // A name that is not UTF-8 and its look-alike: the trash takes the one of the path's bytes.
    void trashTakesTheFileOfItsBytes() {
        CTrashHome home;
        const std::string latin = home.Dir.Write("music/" + Latin, "latin");
        const std::string other = home.Dir.Write("music/" + Replacement, "other");
        std::string error;
        CQtDesktop desktop(nullptr);
        QVERIFY2(desktop.MoveToTrash(latin, error), error.c_str());
        QVERIFY(!std::filesystem::exists(latin));
        QCOMPARE(home.Dir.Read("music/" + Replacement), std::string("other"));
        QCOMPARE(home.Dir.Read("data/Trash/files/" + Latin), std::string("latin"));
        QVERIFY(!std::filesystem::exists(home.Trash("files/" + Replacement)));
        QVERIFY(home.HasValidInfo(Latin, latin));
    }

    void clipboardTakesUtf8Text() {
        CQtDesktop desktop(nullptr);
        QVERIFY(desktop.SetClipboardText("/音楽/a.mp3\r\n/音楽/b.mp3"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("/音楽/a.mp3\r\n/音楽/b.mp3"));
    }

    // Quotes, blanks and "$" in the name reach the program as one argument: no shell between.
    void programsStartWithTheFileAsTheirOneArgument() {
        CTempDir dir;
        const std::string recorder = WriteRecorder(dir);
        const std::string file = dir.Write("say \"hi\" $USER 'x'.mp3", "x");
        CQtDesktop desktop(nullptr);
        QVERIFY(desktop.StartProgram(recorder, file));
        QTRY_COMPARE(QString::fromStdString(dir.Read("bin/got")), QString::fromStdString(file));
        QVERIFY(!desktop.StartProgram(dir / "bin/none", file));

        const std::string latin = dir.Write(Latin, "x");
        QVERIFY(desktop.StartProgram(recorder, latin));
        QTRY_COMPARE(dir.Read("bin/got"), latin);
    }

    // The file URL handed to the default application names the file's own bytes.
    void defaultApplicationGetsTheUrlOfTheBytes() {
        CTempDir dir;
        const std::string latin = dir.Write(Latin, "x");
        const std::string other = dir.Write("it's 100% #1 " + Replacement, "x");
        CUrlCatcher catcher;
        CQtDesktop desktop(nullptr);
        desktop.OpenWithDefault(latin);
        desktop.OpenWithDefault(other);
        QCOMPARE(catcher.Urls.size(), 2);
        QVERIFY(catcher.Urls[0].isLocalFile());
        QCOMPARE(PathOfUrl(catcher.Urls[0]), latin);
        QCOMPARE(PathOfUrl(catcher.Urls[1]), other);
        QVERIFY(catcher.Urls[0].toEncoded().endsWith("/a%E9.mp3"));
    }

    // The window reads the facts of the file of the path's bytes and shows its name readably.
    void propertiesOfANameThatIsNotUtf8() {
        if (CQtDesktop::FileManagerOffered())
            QSKIP("a file manager is on the bus");
        CTempDir dir;
        const std::string latin = dir.Write(Latin, std::string(1234, 'x'));
        dir.Write(Replacement, std::string(99, 'x'));
        CListData record;
        record.SetPath(latin);
        CQtDesktop desktop(nullptr);
        desktop.ShowProperties(record, dir.Path() + "/a\\xE9.mp3");

        std::unique_ptr<CPropertiesDialog> dialog(OpenPropertiesDialog());
        QVERIFY(dialog);
        QCOMPARE(dialog->Value(QStringLiteral("サイズ")), QStringLiteral("1,234 バイト"));
        QCOMPARE(dialog->Value(QStringLiteral("パス")),
                 QString::fromStdString(dir.Path() + "/a\\xE9.mp3"));
        QCOMPARE(dialog->Value(QStringLiteral("フォルダ")), QString::fromStdString(dir.Path()));
        QVERIFY(dialog->windowTitle().startsWith(QStringLiteral("a\\xE9.mp3")));
        QVERIFY(!dialog->Value(QStringLiteral("アクセス権")).isEmpty());
    }

    void propertiesWindowWithoutAFileManager() {
        if (CQtDesktop::FileManagerOffered())
            QSKIP("a file manager is on the bus");
        CTempDir dir;
        const std::string file = dir.Write("a.mp3", std::string(1234, 'x'));
        ::chmod(file.c_str(), 0640);
        CListData record;
        record.SetPath(file);
        CQtDesktop desktop(nullptr);
        desktop.ShowProperties(record, file);

        std::unique_ptr<CPropertiesDialog> dialog(OpenPropertiesDialog());
        QVERIFY(dialog);
        QCOMPARE(dialog->Value(QStringLiteral("パス")), QString::fromStdString(file));
        QCOMPARE(dialog->Value(QStringLiteral("フォルダ")), QString::fromStdString(dir.Path()));
        QCOMPARE(dialog->Value(QStringLiteral("サイズ")), QStringLiteral("1,234 バイト"));
        QCOMPARE(dialog->Value(QStringLiteral("アクセス権")), QStringLiteral("rw-r-----"));
        QVERIFY(dialog->Value(QStringLiteral("MIME タイプ")).startsWith(QStringLiteral("audio/")));
        QVERIFY(!dialog->Value(QStringLiteral("更新日時")).isEmpty());
    }

    // Runs on a private session bus (dbus-run-session); skipped without one.
    void fileManagerGetsTheCalls() {
        QDBusConnection fileManagerBus = QDBusConnection::connectToBus(
            QDBusConnection::SessionBus, QStringLiteral("fake-file-manager"));
        if (!fileManagerBus.isConnected())
            QSKIP("no session bus");
        CFakeFileManager fileManager;
        QVERIFY(fileManagerBus.registerObject(QString::fromLatin1(CQtDesktop::FileManagerPath),
                                              &fileManager, QDBusConnection::ExportAllSlots));
        QVERIFY(
            fileManagerBus.registerService(QString::fromLatin1(CQtDesktop::FileManagerService)));
        QVERIFY(CQtDesktop::FileManagerOffered());

        CTempDir dir;
        const std::string file = dir.Write("a b" + Latin, "x");
        CListData record;
        record.SetPath(file);
        CQtDesktop desktop(nullptr);
        desktop.ShowFolder(dir.Path(), {file});
        desktop.ShowProperties(record, file);
        // percent-encoded bytes, which a QString cannot spoil
        const QString uri = QString::fromStdString("file://" + PercentEncodePath(file));
        QVERIFY(uri.endsWith(QStringLiteral("/a%20ba%E9.mp3")));
        QTRY_COMPARE(fileManager.Calls, (QStringList{QStringLiteral("ShowItems ") + uri,
                                                     QStringLiteral("ShowItemProperties ") + uri}));
        QVERIFY(!OpenPropertiesDialog());

        // a file manager that answers with an error: our own window after all
        fileManagerBus.unregisterObject(QString::fromLatin1(CQtDesktop::FileManagerPath));
        desktop.ShowProperties(record, file);
        QTRY_VERIFY(OpenPropertiesDialog());
        delete OpenPropertiesDialog();

        fileManagerBus.unregisterService(QString::fromLatin1(CQtDesktop::FileManagerService));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-file-manager"));
    }

    // ---- the commands in the window ----

    void keysCopyAndShowProperties() {
        CAppFixture fixture;
        const std::string a = fixture.Audio("a.mp3");
        const std::string b = fixture.Audio("b c.ogg");
        fixture.Start({a, b});
        CMainFrame& frame = fixture.Frame();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        frame.View().setFocus();
        frame.View().SelectRows({0, 1});

        QTest::keyClick(&frame.View(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(a + "\r\n" + b));
        frame.Actions()[Cmd::CopyName]->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\r\nb c"));

        if (CQtDesktop::FileManagerOffered())
            return;
        frame.View().SelectRows({1});
        frame.Commands().UpdateStates();
        QTest::keyClick(&frame.View(), Qt::Key_Return, Qt::AltModifier);
        const std::unique_ptr<CPropertiesDialog> dialog(OpenPropertiesDialog());
        QVERIFY(dialog);
        QCOMPARE(dialog->Value(QStringLiteral("パス")), QString::fromStdString(b));
    }

    void trashFromTheMenuRemovesOnlyThatRow() {
        CTrashHome home;
        CAppFixture fixture;
        const std::string b = fixture.Audio("b.mp3");
        fixture.Start({fixture.Audio("a.mp3"), b, fixture.Audio("c.mp3")});
        CMainFrame& frame = fixture.Frame();
        frame.View().SelectRows({1});
        frame.Commands().UpdateStates();

        frame.Actions()[Cmd::Trash]->trigger();
        QCOMPARE(frame.View().ItemCount(), 2);
        QCOMPARE(fixture.Doc().CurrentList()[1]->FileName(), std::string("c"));
        QVERIFY(!std::filesystem::exists(b));
        QVERIFY(std::filesystem::exists(home.Trash("files/b.mp3")));
        QVERIFY(home.HasValidInfo("b.mp3", b));
        QVERIFY(fixture.Host.Messages.empty());
    }

    // Of two look-alike names, the selected row's file goes, and its row only.
    void trashFromTheMenuTakesTheRowsOwnBytes() {
        CTrashHome home;
        CAppFixture fixture;
        const std::string latin = fixture.Audio(Latin, 10);
        const std::string other = fixture.Audio(Replacement, 20);
        fixture.Start({latin, other});
        CMainFrame& frame = fixture.Frame();
        QCOMPARE(fixture.Doc().CurrentList()[0]->FilePath(), latin);
        frame.View().SelectRows({0});
        frame.Commands().UpdateStates();

        frame.Actions()[Cmd::Trash]->trigger();
        QVERIFY(fixture.Host.Messages.empty());
        QCOMPARE(frame.View().ItemCount(), 1);
        QCOMPARE(fixture.Doc().CurrentList()[0]->FilePath(), other);
        QVERIFY(!std::filesystem::exists(latin));
        QVERIFY(std::filesystem::exists(other));
        QCOMPARE(std::filesystem::file_size(home.Trash("files/" + Latin)), 10u);
        QVERIFY(!std::filesystem::exists(home.Trash("files/" + Replacement)));
        QVERIFY(home.HasValidInfo(Latin, latin));
    }

    // The default application is asked for the URL of the row's bytes.
    void openFromTheMenuNamesTheRowsFile() {
        CAppFixture fixture;
        const std::string latin = fixture.Audio(Latin);
        fixture.Start({fixture.Audio(Replacement), latin});
        CMainFrame& frame = fixture.Frame();
        frame.View().SelectRows({1});
        frame.Commands().UpdateStates();
        CUrlCatcher catcher;
        frame.Actions()[Cmd::OpenItem]->trigger();
        QCOMPARE(catcher.Urls.size(), 1);
        QCOMPARE(PathOfUrl(catcher.Urls[0]), latin);
    }

    // A file dialog's text of a name that is not UTF-8 stands for every look-alike, never for
    // the look-alike alone; a name without replacement characters stands for itself.
    void chosenNamesTakeEveryLookAlike() {
        CTempDir dir;
        const std::string latin = dir.Write("d\xe9/" + Latin, "latin");
        const std::string other = dir.Write("d\xe9/" + Replacement, "other");
        dir.Write("d\xe9/unrelated.mp3", "x");
        const QString chosen = QFile::decodeName(QByteArray::fromStdString(latin));
        QCOMPARE(chosen, QFile::decodeName(QByteArray::fromStdString(other)));
        std::vector<std::string> paths = PathsOfChosenName(chosen);
        std::sort(paths.begin(), paths.end());
        std::vector<std::string> expected{latin, other};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(paths, expected);

        const std::string plain = dir / "plain.mp3";
        QCOMPARE(PathsOfChosenName(QString::fromStdString(plain)), std::vector<std::string>{plain});
        const QString missing = QString::fromStdString(dir / "x") + QChar::ReplacementCharacter +
                                QStringLiteral(".mp3");
        QVERIFY(PathsOfChosenName(missing).empty());
    }

    // Dropped URLs give the records the bytes they encode; other hosts and schemes are not taken.
    void dropsKeepTheBytesOfTheNames() {
        CAppFixture fixture;
        const std::string latin = fixture.Audio(Latin);
        const std::string other = fixture.Audio("b " + Replacement);
        fixture.Start();
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"),
                     QByteArray::fromStdString("file://" + PercentEncodePath(latin) +
                                               "\r\nfile://localhost" + PercentEncodePath(other) +
                                               "\r\nfile://elsewhere" + PercentEncodePath(latin) +
                                               "\r\nhttp://example.org/a.mp3\r\n"));
        fixture.Frame().DropFiles(data);
        QTRY_COMPARE(fixture.Doc().CurrentList().size(), size_t{2});
        QCOMPARE(fixture.Doc().CurrentList()[0]->FilePath(), latin);
        QCOMPARE(fixture.Doc().CurrentList()[1]->FilePath(), other);
    }

    // Names that are not UTF-8 are shown by their legacy reading (the code page decided for the
    // name) in the cells, the data bar and its title; the look-alike keeps its own text and the
    // rows their bytes.
    void namesAreShownReadablyAndOnlyShown() {
        CAppFixture fixture;
        const std::string latin = fixture.Audio(Latin);
        const std::string sjis = fixture.Audio("\x82\xA0.mp3");
        fixture.Start({latin, fixture.Audio(Replacement), sjis});
        CMainFrame& frame = fixture.Frame();
        const CListModel& model = frame.View().Model();
        const auto cell = [&model](int row, int column) {
            return model.data(model.index(row, column), Qt::DisplayRole).toString();
        };
        const QString folder = QString::fromStdString(fixture.Dir.Path());
        QCOMPARE(cell(0, ColFilePath), folder + QStringLiteral("/aé.mp3"));
        QCOMPARE(cell(0, ColFileName), QStringLiteral("aé"));
        QCOMPARE(cell(1, ColFileName), QStringLiteral("a\uFFFD"));
        QCOMPARE(cell(2, ColFileName), QStringLiteral("あ"));

        frame.View().SelectRows({0});
        QCOMPARE(frame.DataBar().Text(CDataBar::Path), folder + QStringLiteral("/aé.mp3"));
        QCOMPARE(frame.DataBar().windowTitle(), QStringLiteral("aé"));
        QCOMPARE(fixture.Doc().CurrentList()[0]->FilePath(), latin);
        QCOMPARE(fixture.Doc().CurrentList()[2]->FilePath(), sjis);
    }

    // A file dropped on the add dialog is added by its bytes while the field shows it.
    void addDialogKeepsTheDroppedBytes() {
        CTempDir dir;
        const std::string latin = dir.Write(Latin, "x");
        CAddItemDialog dialog;
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"),
                     QByteArray::fromStdString("file://" + PercentEncodePath(latin) + "\r\n"));
        QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // straight to the dialog: the application passes drops only to the target of a drag
        static_cast<QObject&>(dialog).event(&drop);
        QVERIFY(dialog.Path().endsWith(QStringLiteral("/aé.mp3")));
        QCOMPARE(dialog.PathBytes(), latin);
        dialog.PathField()->setText(QStringLiteral("/typed.mp3"));
        QCOMPARE(dialog.PathBytes(), std::string("/typed.mp3"));
    }

    void openStartsTheRegisteredApplication() {
        CAppFixture fixture;
        const std::string recorder = WriteRecorder(fixture.Dir);
        const std::string file = fixture.Audio("a.mp3");
        fixture.Start({file});
        fixture.Doc().Extensions().ApplyExtensionDialog({{"mp3", recorder, 1}});
        CMainFrame& frame = fixture.Frame();
        frame.View().SelectRows({0});
        frame.Commands().UpdateStates();

        frame.Actions()[Cmd::OpenItem]->trigger();
        QTRY_COMPARE(QString::fromStdString(fixture.Dir.Read("bin/got")),
                     QString::fromStdString(file));
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
