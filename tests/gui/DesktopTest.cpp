// The desktop side of the file operations: the freedesktop trash, the clipboard, programs
// started without a shell, the properties window, the file manager over D-Bus, and the
// commands as the window runs them.

#include "GuiTestSupport.h"

#include "app/Actions.h"
#include "app/Commands.h"
#include "app/QtDesktop.h"
#include "dialogs/PropertiesDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

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
        QFile info(QString::fromStdString(Trash("info/" + name + ".trashinfo")));
        if (!info.open(QIODevice::ReadOnly))
            return false;
        const QList<QByteArray> lines = info.readAll().split('\n');
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
               QUrl::fromPercentEncoding(path) == QString::fromStdString(original) &&
               date.match(QString::fromLatin1(value("DeletionDate"))).hasMatch();
    }

    CTempDir Dir;

private:
    QByteArray m_Home;
    QByteArray m_DataHome;
};

// A program that writes its first argument into a file beside itself.
std::string WriteRecorder(const CTempDir& dir) {
    const std::string script =
        dir.Write("bin/recorder", "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/got\"\n");
    ::chmod(script.c_str(), 0755);
    return script;
}

CPropertiesDialog* OpenPropertiesDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<CPropertiesDialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

} // namespace

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
        desktop.ShowProperties(record);

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
        const std::string file = dir.Write("a b.mp3", "x");
        CListData record;
        record.SetPath(file);
        CQtDesktop desktop(nullptr);
        desktop.ShowFolder(dir.Path(), {file});
        desktop.ShowProperties(record);
        const QString uri = QUrl::fromLocalFile(QString::fromStdString(file)).toString();
        QTRY_COMPARE(fileManager.Calls, (QStringList{QStringLiteral("ShowItems ") + uri,
                                                     QStringLiteral("ShowItemProperties ") + uri}));
        QVERIFY(!OpenPropertiesDialog());

        // a file manager that answers with an error: our own window after all
        fileManagerBus.unregisterObject(QString::fromLatin1(CQtDesktop::FileManagerPath));
        desktop.ShowProperties(record);
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
