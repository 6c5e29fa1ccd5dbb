// The window on the session bus, driven as a desktop media controller drives it: the player's
// properties and metadata, its commands and the signals that follow them, refusal of what is
// not a local file, a later start handing its inputs to the open window, a start without a
// bus, and the notice of a starting track. Needs a private session bus (dbus-run-session);
// the cases that need one skip without it.

#include "FakePlayer.h"
#include "GuiTestSupport.h"
#include "WavFile.h"

#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/app/DesktopBus.h"
#include "gui/desktop/MprisService.h"
#include "gui/desktop/SingleInstance.h"
#include "gui/desktop/TrackNotifier.h"
#include "gui/playback/Playback.h"

#include "core/base/FileUri.h"
#include "core/settings/Profile.h"

#include <QAction>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>

#include <csignal>
#include <fstream>

using namespace torvane;
using namespace torvane::test;

namespace {

const QString Service = QString::fromLatin1(CMprisService::ServiceName);
const QString Path = QString::fromLatin1(CMprisService::ObjectPath);
const QString Player = QString::fromLatin1(CMprisService::PlayerInterface);
const QString Root = QString::fromLatin1(CMprisService::RootInterface);
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

// A controller on a connection of its own, as a separate program would be: it calls and reads
// properties while the event loop runs (the window answers on the same thread), and records
// PropertiesChanged and Seeked.
class CController final : public QObject {
    Q_OBJECT
public:
    explicit CController(const QString& name)
        : Bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)), m_Name(name) {
        Bus.connect(Service, Path, Properties, QStringLiteral("PropertiesChanged"), this,
                    SLOT(Changed(QString, QVariantMap, QStringList)));
        Bus.connect(Service, Path, Player, QStringLiteral("Seeked"), this, SLOT(Sought(qlonglong)));
    }
    ~CController() override { QDBusConnection::disconnectFromBus(m_Name); }
    CController(const CController&) = delete;
    CController& operator=(const CController&) = delete;

    QDBusMessage Call(const QString& method, const QVariantList& arguments = {},
                      const QString& interface = Player) {
        QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, interface, method);
        call.setArguments(arguments);
        return Bus.call(call, QDBus::BlockWithGui, 5000);
    }
    QVariant Get(const QString& property, const QString& interface = Player) {
        const QDBusMessage reply = Call(QStringLiteral("Get"), {interface, property}, Properties);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return Plain(reply.arguments().front().value<QDBusVariant>().variant());
    }
    QVariantMap Metadata() { return Get(QStringLiteral("Metadata")).toMap(); }
    // What the last PropertiesChanged of the player said of this property.
    QVariant LastChange(const QString& property) const {
        for (auto it = Changes.rbegin(); it != Changes.rend(); ++it)
            if (it->contains(property))
                return it->value(property);
        return {};
    }

    // Unpacks what arrives as a D-Bus argument (a{sv}, as) into plain values.
    static QVariant Plain(const QVariant& value) {
        if (value.userType() != qMetaTypeId<QDBusArgument>())
            return value;
        const auto argument = value.value<QDBusArgument>();
        if (argument.currentSignature() == QStringLiteral("a{sv}")) {
            QVariantMap map = qdbus_cast<QVariantMap>(argument);
            for (auto it = map.begin(); it != map.end(); ++it)
                it.value() = Plain(it.value());
            return map;
        }
        if (argument.currentSignature() == QStringLiteral("as"))
            return qdbus_cast<QStringList>(argument);
        return value;
    }

    QDBusConnection Bus;
    std::vector<QVariantMap> Changes;
    std::vector<qlonglong> Seeks;

public slots:
    void Changed(const QString& interface, const QVariantMap& changed, const QStringList&) {
        if (interface == Player) {
            QVariantMap plain;
            for (auto it = changed.begin(); it != changed.end(); ++it)
                plain.insert(it.key(), Plain(it.value()));
            Changes.push_back(plain);
        }
    }
    void Sought(qlonglong position) { Seeks.push_back(position); }

private:
    QString m_Name;
};

// A document of three WAV files (the second named with a byte that is not UTF-8), played by a
// scripted player and offered on the bus by its own connection.
class CBusFixture : public CPlayingDocument {
public:
    CBusFixture() {
        for (const auto& [name, seconds] :
             {std::pair<std::string, int>{"a b.wav", 4}, {"c\xE9.wav", 3}, {"d.wav", 2}})
            doc.AddFile(dir.Write(name, WavBytes(seconds * 1000)), true);
        doc.UpdateItemCount();
        playback.SetChangeListener([this] { service->Refresh(); });
    }
    ~CBusFixture() {
        service.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("window"));
    }
    CBusFixture(const CBusFixture&) = delete;
    CBusFixture& operator=(const CBusFixture&) = delete;

    bool Offered() const { return service->Name() == Service; }

    CPlayerBridge bridge{doc, playback, &player, nullptr};
    std::unique_ptr<CMprisService> service = std::make_unique<CMprisService>(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("window")),
        bridge);
};

// A notification service of our own on the bus: records the summary and body of each notice.
class CFakeNotifications final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList Notices;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        Notices << summary + QStringLiteral(" | ") + body;
        return static_cast<uint>(Notices.size());
    }
};

bool HasBus() {
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("probe"))
        .isConnected();
}

// Whether the process is the program and has its handler for SIGTERM in place (the quit
// signals of a window).
bool CatchesTerm(qint64 pid) {
    std::error_code ignored;
    const std::string exe =
        std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ignored);
    if (exe != TORVANE_GUI_PROGRAM)
        return false;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1) & 1) != 0;
    return false;
}

// The program started from this folder with arguments, by a shell so that a name that is not
// UTF-8 reaches it as its bytes: an argument with an octal escape such as \351 in it is made by
// printf, which gives that byte; the others pass as they are.
QProcess* StartProgram(const std::string& folder, const QStringList& arguments,
                       const QByteArray& busAddress = {}) {
    auto* process = new QProcess;
    QString script = QStringLiteral("exec \"$0\"");
    QStringList passed{QStringLiteral(TORVANE_GUI_PROGRAM)};
    for (const QString& argument : arguments) {
        if (argument.contains(QLatin1Char('\\'))) {
            script += QStringLiteral(" \"$(printf '%1')\"").arg(argument);
        } else {
            script += QStringLiteral(" \"$%1\"").arg(passed.size());
            passed << argument;
        }
    }
    process->setWorkingDirectory(QString::fromStdString(folder));
    if (!busAddress.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QString::fromLatin1(busAddress));
        process->setProcessEnvironment(environment);
    }
    process->start(QStringLiteral("/bin/sh"), QStringList{QStringLiteral("-c"), script} + passed);
    return process;
}

std::vector<std::string> Paths(const TrackList& list) {
    std::vector<std::string> paths;
    for (const CListData* record : list)
        paths.push_back(record->FilePath());
    return paths;
}

} // namespace

class MprisTest : public QObject {
    Q_OBJECT

private slots:
    void localPathsOnly() {
        QCOMPARE(LocalPathOfUri(QStringLiteral("file:///m/a%20b%E9.mp3")),
                 std::optional<std::string>("/m/a b\xE9.mp3"));
        QCOMPARE(LocalPathOfUri(QStringLiteral("file://localhost/m/x.ogg")),
                 std::optional<std::string>("/m/x.ogg"));
        QCOMPARE(LocalPathOfUri(QStringLiteral("/m/folder")),
                 std::optional<std::string>("/m/folder"));
        for (const char* refused : {"http://example.com/a.mp3", "https://h/a.mp3", "smb://h/a.mp3",
                                    "file://otherhost/m/a.mp3", "m/relative.mp3", "a.mp3", ""})
            QVERIFY2(!LocalPathOfUri(QString::fromLatin1(refused)), refused);
    }

    void identityAndNothingPlayedYet() {
        if (!HasBus())
            QSKIP("no session bus");
        CBusFixture fixture;
        QVERIFY(fixture.Offered());
        CController controller(QStringLiteral("controller"));
        QCOMPARE(controller.Get(QStringLiteral("Identity"), Root).toString(),
                 QStringLiteral("Torvane"));
        QCOMPARE(controller.Get(QStringLiteral("DesktopEntry"), Root).toString(),
                 QStringLiteral("torvane"));
        QCOMPARE(controller.Get(QStringLiteral("HasTrackList"), Root), QVariant(false));
        QCOMPARE(controller.Get(QStringLiteral("CanRaise"), Root), QVariant(true));
        QCOMPARE(controller.Get(QStringLiteral("SupportedUriSchemes"), Root).toStringList(),
                 QStringList{QStringLiteral("file")});
        QVERIFY(controller.Get(QStringLiteral("SupportedMimeTypes"), Root)
                    .toStringList()
                    .contains(QStringLiteral("audio/mpeg")));

        QCOMPARE(controller.Get(QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Stopped"));
        QVERIFY(controller.Metadata().isEmpty());
        QCOMPARE(controller.Get(QStringLiteral("Rate")).toDouble(), 1.0);
        QCOMPARE(controller.Get(QStringLiteral("CanControl")), QVariant(true));
        // a list to play, but nothing to step in yet
        QCOMPARE(controller.Get(QStringLiteral("CanPlay")), QVariant(true));
        QCOMPARE(controller.Get(QStringLiteral("CanGoNext")), QVariant(false));
        // the play modes are not offered as loop or shuffle states
        const QDBusMessage all = controller.Call(QStringLiteral("GetAll"), {Player}, Properties);
        const QVariantMap properties = CController::Plain(all.arguments().value(0)).toMap();
        QVERIFY(properties.contains(QStringLiteral("Volume")));
        QVERIFY(!properties.contains(QStringLiteral("LoopStatus")));
        QVERIFY(!properties.contains(QStringLiteral("Shuffle")));
    }

    void commandsAndTheirSignals() {
        if (!HasBus())
            QSKIP("no session bus");
        CBusFixture fixture;
        CController controller(QStringLiteral("controller"));
        fixture.playback.SetMode(PlayMode::Continuous);

        // PlayPause from stopped plays the first record
        controller.Call(QStringLiteral("PlayPause"));
        QCOMPARE(controller.Get(QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Playing"));
        QVariantMap metadata = controller.Metadata();
        const auto first = metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>();
        QVERIFY(first.path().startsWith(QStringLiteral("/org/torvane/Torvane/Track/")));
        QCOMPARE(metadata.value(QStringLiteral("mpris:length")).toLongLong(), 4000000LL);
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("a b"));
        QCOMPARE(metadata.value(QStringLiteral("xesam:url")).toString(),
                 QString::fromStdString("file://" + PercentEncodePath(fixture.dir / "a b.wav")));
        QTRY_COMPARE(controller.LastChange(QStringLiteral("PlaybackStatus")).toString(),
                     QStringLiteral("Playing"));
        QCOMPARE(controller.LastChange(QStringLiteral("Metadata")).toMap(), metadata);
        QCOMPARE(controller.LastChange(QStringLiteral("CanGoNext")), QVariant(true));

        // paused, the position holds; PlayPause goes on from there
        fixture.player.Position = 1.5;
        controller.Call(QStringLiteral("PlayPause"));
        QCOMPARE(controller.Get(QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Paused"));
        QTRY_COMPARE(controller.LastChange(QStringLiteral("PlaybackStatus")).toString(),
                     QStringLiteral("Paused"));
        fixture.playback.CheckPlaybackEnd();
        QCOMPARE(controller.Get(QStringLiteral("Position")).toLongLong(), 1500000LL);
        controller.Call(QStringLiteral("PlayPause"));
        QCOMPARE(controller.Get(QStringLiteral("Position")).toLongLong(), 1500000LL);
        QCOMPARE(fixture.player.Files.size(), size_t{1});

        // Next and Previous as the play bar's arrows: the file's bytes in the URL
        controller.Call(QStringLiteral("Next"));
        metadata = controller.Metadata();
        QCOMPARE(metadata.value(QStringLiteral("xesam:url")).toString(),
                 QString::fromStdString("file://" + PercentEncodePath(fixture.dir.Path()) +
                                        "/c%E9.wav"));
        QVERIFY(metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>() != first);
        QTRY_COMPARE(controller.LastChange(QStringLiteral("Metadata")).toMap(), metadata);
        controller.Call(QStringLiteral("Previous"));
        controller.Call(QStringLiteral("Previous"));
        QCOMPARE(controller.Metadata().value(QStringLiteral("xesam:title")).toString(),
                 QStringLiteral("d"));

        // Seek moves by the offset and announces the new place; before the start is the start
        controller.Call(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong{1000000})});
        QCOMPARE(fixture.player.Position, 1.0);
        controller.Call(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong{-5000000})});
        QCOMPARE(fixture.player.Position, 0.0);
        QTRY_COMPARE(controller.Seeks, (std::vector<qlonglong>{1000000, 0}));
        // SetPosition only for the track playing now
        const auto now = controller.Metadata().value(QStringLiteral("mpris:trackid"));
        controller.Call(QStringLiteral("SetPosition"),
                        {QVariant::fromValue(first), QVariant::fromValue(qlonglong{1500000})});
        QCOMPARE(fixture.player.Position, 0.0);
        controller.Call(QStringLiteral("SetPosition"),
                        {now, QVariant::fromValue(qlonglong{1500000})});
        QCOMPARE(fixture.player.Position, 1.5);
        // beyond the end of the track: the next one (the last wraps to the first)
        controller.Call(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong{9000000})});
        QCOMPARE(controller.Metadata().value(QStringLiteral("xesam:title")).toString(),
                 QStringLiteral("a b"));

        // the volume goes to the player
        controller.Call(QStringLiteral("Set"),
                        {Player, QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(0.25))},
                        Properties);
        QCOMPARE(fixture.player.Level, 0.25);

        controller.Call(QStringLiteral("Stop"));
        QCOMPARE(controller.Get(QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Stopped"));
        QTRY_COMPARE(controller.LastChange(QStringLiteral("PlaybackStatus")).toString(),
                     QStringLiteral("Stopped"));
        // every announcement changed something
        for (const QVariantMap& change : controller.Changes)
            QVERIFY(!change.isEmpty());
    }

    void openUriTakesLocalFilesOnly() {
        if (!HasBus())
            QSKIP("no session bus");
        CBusFixture fixture;
        CController controller(QStringLiteral("controller"));
        const std::string added = fixture.dir.Write("new\xE9.wav", WavBytes(1000));
        for (const QString& uri :
             {QStringLiteral("http://example.com/a.mp3"), QStringLiteral("relative/new.wav")}) {
            const QDBusMessage reply = controller.Call(QStringLiteral("OpenUri"), {uri});
            QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));
        }
        QCoreApplication::processEvents();
        QCOMPARE(fixture.doc.AllList().size(), size_t{3});
        QVERIFY(fixture.player.Files.empty());

        const QString uri = QString::fromStdString("file://" + PercentEncodePath(added));
        QCOMPARE(controller.Call(QStringLiteral("OpenUri"), {uri}).type(),
                 QDBusMessage::ReplyMessage);
        // gathered as a drop, then played
        QTRY_COMPARE(fixture.doc.AllList().size(), size_t{4});
        QCOMPARE(fixture.doc.AllList().back()->FilePath(), added);
        QTRY_COMPARE(fixture.player.Files, std::vector<std::string>{added});
    }

    void aSecondStartHandsOverItsInputs() {
        if (!HasBus())
            QSKIP("no session bus");
        CAppFixture fixture;
        fixture.Start();
        QVERIFY(fixture.App->Bus()->Instance().Holding());
        CController controller(QStringLiteral("controller"));
        QCOMPARE(controller.Get(QStringLiteral("CanPlay")), QVariant(false));
        const std::string a = fixture.Audio("x y.mp3");
        const std::string b = fixture.Audio("z\xE9.mp3");
        const std::string folder = fixture.Dir.Path();
        std::unique_ptr<QProcess> second(StartProgram(
            folder, {QStringLiteral("--profile"), QString::fromStdString(fixture.ProfilePath()),
                     QStringLiteral("x y.mp3"), QStringLiteral("z\\351.mp3")}));
        QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 30000);
        QCOMPARE(second->readAllStandardError(), QByteArray());
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QTRY_COMPARE(Paths(fixture.Doc().AllList()), (std::vector<std::string>{a, b}));
        // a list to play now: announced without a command
        QTRY_COMPARE(controller.LastChange(QStringLiteral("CanPlay")), QVariant(true));

        // another profile opens a window of its own
        QVERIFY(!ForwardToRunningWindow(QDBusConnection::sessionBus(), folder + "/other.ini", {a}));
        QCOMPARE(fixture.Doc().AllList().size(), size_t{2});
    }

    // Inputs that arrive while the start's own inputs are being read wait for that reading and
    // come after them.
    void inputsHandedOverWhileTheStartReads() {
        CAppFixture fixture;
        const std::string a = fixture.Audio("a.mp3");
        const std::string b = fixture.Audio("b.mp3");
        const std::string c = fixture.Audio("c\xE9.mp3");
        bool handed = false;
        fixture.Host.OnNewType = [&](const std::string&) {
            if (handed)
                return;
            handed = true;
            fixture.App->Bus()->Instance().Open(QByteArray::fromStdString(fixture.ProfilePath()),
                                                {QByteArray::fromStdString(c), "relative.mp3"},
                                                QDBusMessage());
        };
        fixture.Start({a, b});
        QVERIFY(handed);
        QTRY_COMPARE(Paths(fixture.Doc().AllList()), (std::vector<std::string>{a, b, c}));
    }

    void withoutABusTheSecondStartOpensItsWindow() {
        CAppFixture fixture;
        fixture.Start();
        fixture.Audio("x.mp3");
        std::unique_ptr<QProcess> second(StartProgram(
            fixture.Dir.Path(),
            {QStringLiteral("--profile"), QString::fromStdString(fixture.Dir / "second.ini"),
             QStringLiteral("x.mp3")},
            "unix:path=" + QByteArray::fromStdString(fixture.Dir / "no-bus-here")));
        QVERIFY(second->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(CatchesTerm(second->processId()), 30000);
        QCOMPARE(second->state(), QProcess::Running);
        ::kill(static_cast<pid_t>(second->processId()), SIGTERM);
        QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 30000);
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        // its own window ran: it wrote its own settings
        QVERIFY(fixture.Exists("second.ini"));
        QVERIFY(fixture.Doc().AllList().empty());
    }

    void noticesOfStartingTracks() {
        if (!HasBus())
            QSKIP("no session bus");
        QDBusConnection notifications = QDBusConnection::connectToBus(
            QDBusConnection::SessionBus, QStringLiteral("notifications"));
        CFakeNotifications fake;
        QVERIFY(notifications.registerObject(QString::fromLatin1(CTrackNotifier::Path), &fake,
                                             QDBusConnection::ExportAllSlots));
        QVERIFY(notifications.registerService(QString::fromLatin1(CTrackNotifier::Service)));

        CAppFixture fixture;
        fixture.Start({fixture.Dir.Write("a.wav", WavBytes(1000)),
                       fixture.Dir.Write("b.wav", WavBytes(1000))});
        CMainFrame& frame = fixture.Frame();
        // off by default: nothing is shown
        frame.Playback().PlayItem(0, fixture.Doc().AllList());
        QAction* notify = frame.Actions()[Cmd::NotifyTrack];
        frame.Commands().UpdateStates();
        QVERIFY(notify->isCheckable() && !notify->isChecked());
        notify->trigger();
        frame.Commands().UpdateStates();
        QVERIFY(notify->isChecked());
        QCOMPARE(fixture.Doc().Profile().GetInt("app", "Notify", 0), 1);
        frame.Playback().PlayItem(1, fixture.Doc().AllList());
        QTRY_COMPARE(fake.Notices, QStringList{QStringLiteral("b | ")});
        frame.Playback().StopPlayback();

        // without the service nothing is reported
        notifications.unregisterService(QString::fromLatin1(CTrackNotifier::Service));
        frame.Playback().PlayItem(0, fixture.Doc().AllList());
        frame.Playback().StopPlayback();
        QVERIFY(fixture.Host.Messages.empty());
        QDBusConnection::disconnectFromBus(QStringLiteral("notifications"));
    }
};

QTEST_MAIN(MprisTest)
#include "MprisTest.moc"
