#include "gui/desktop/MprisService.h"

#include "gui/desktop/PlayerControl.h"

#include "core/base/FileUri.h"

#include <QDBusMessage>
#include <QDBusMetaType>

#include <algorithm>
#include <unistd.h>

namespace torvane {
namespace {

constexpr const char* PropertiesInterface = "org.freedesktop.DBus.Properties";

QString StatusText(CPlayerControl::Status status) {
    switch (status) {
    case CPlayerControl::Status::Playing:
        return QStringLiteral("Playing");
    case CPlayerControl::Status::Paused:
        return QStringLiteral("Paused");
    case CPlayerControl::Status::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

} // namespace

QDBusObjectPath TrackIdOf(int serial) {
    return QDBusObjectPath(QStringLiteral("/org/torvane/Torvane/Track/%1").arg(serial));
}

std::optional<std::string> LocalPathOfUri(const QString& uri) {
    const std::string text = uri.toStdString();
    if (HasUriScheme(text)) {
        // only "file:" answers here: other schemes and other hosts give nothing
        std::optional<std::string> path = PathOfLocation(text, "/");
        if (!path || path->empty() || path->front() != '/')
            return std::nullopt;
        return path;
    }
    if (text.empty() || text.front() != '/')
        return std::nullopt;
    return text;
}

CMprisService::CMprisService(QDBusConnection bus, CPlayerControl& control, QObject* parent)
    : QObject(parent), m_Bus(std::move(bus)), m_Control(control) {
    new CMprisRootAdaptor(this);
    new CMprisPlayerAdaptor(this);
    if (!m_Bus.isConnected())
        return;
    m_Registered = m_Bus.registerObject(QString::fromLatin1(ObjectPath), this);
    if (!m_Registered)
        return;
    // A second window (another profile) takes a name of its own beside the first.
    for (const QString& name :
         {QString::fromLatin1(ServiceName),
          QString::fromLatin1(ServiceName) + QStringLiteral(".instance%1").arg(::getpid())}) {
        if (m_Bus.registerService(name)) {
            m_Name = name;
            break;
        }
    }
    m_Announced = PlayerState();
}

CMprisService::~CMprisService() {
    if (!m_Name.isEmpty())
        m_Bus.unregisterService(m_Name);
    if (m_Registered)
        m_Bus.unregisterObject(QString::fromLatin1(ObjectPath));
}

QString CMprisService::PlaybackStatus() const {
    return StatusText(m_Control.PlaybackStatus());
}

QDBusObjectPath CMprisService::TrackId() const {
    const std::optional<CPlayerControl::Track> track = m_Control.CurrentTrack();
    return track ? TrackIdOf(track->Serial) : QDBusObjectPath(QString::fromLatin1(NoTrack));
}

QVariantMap CMprisService::Metadata() const {
    const std::optional<CPlayerControl::Track> track = m_Control.CurrentTrack();
    if (!track)
        return {};
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackIdOf(track->Serial)));
    if (track->LengthUs > 0)
        metadata.insert(QStringLiteral("mpris:length"),
                        QVariant::fromValue(static_cast<qlonglong>(track->LengthUs)));
    metadata.insert(QStringLiteral("xesam:title"), QString::fromStdString(track->Title));
    if (!track->Artist.empty())
        metadata.insert(QStringLiteral("xesam:artist"),
                        QStringList{QString::fromStdString(track->Artist)});
    if (!track->Album.empty())
        metadata.insert(QStringLiteral("xesam:album"), QString::fromStdString(track->Album));
    // the path's bytes percent-encoded: ASCII only, whatever the name's encoding
    metadata.insert(QStringLiteral("xesam:url"),
                    QString::fromLatin1("file://" + PercentEncodePath(track->Path)));
    return metadata;
}

QVariantMap CMprisService::PlayerState() const {
    const bool canStep = m_Control.CanStep();
    return {
        {QStringLiteral("PlaybackStatus"), PlaybackStatus()},
        {QStringLiteral("Metadata"), Metadata()},
        {QStringLiteral("Volume"), m_Control.Volume()},
        {QStringLiteral("CanGoNext"), canStep},
        {QStringLiteral("CanGoPrevious"), canStep},
        {QStringLiteral("CanPlay"), m_Control.CanPlay()},
        {QStringLiteral("CanPause"), m_Control.CanPlay()},
        {QStringLiteral("CanSeek"), m_Control.CanSeek()},
    };
}

void CMprisService::Refresh() {
    if (m_Name.isEmpty())
        return;
    const QVariantMap state = PlayerState();
    QVariantMap changed;
    for (auto it = state.begin(); it != state.end(); ++it)
        if (m_Announced.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    m_Announced = state;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(ObjectPath),
                                                     QString::fromLatin1(PropertiesInterface),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(PlayerInterface) << changed << QStringList();
    m_Bus.send(signal);
}

void CMprisService::AnnounceSeek(int64_t positionUs) {
    if (m_Name.isEmpty())
        return;
    for (QObject* child : children())
        if (auto* player = qobject_cast<CMprisPlayerAdaptor*>(child))
            emit player->Seeked(static_cast<qlonglong>(positionUs));
}

// ---- org.mpris.MediaPlayer2 ----

CMprisRootAdaptor::CMprisRootAdaptor(CMprisService* service)
    : QDBusAbstractAdaptor(service), m_Service(*service) {}

QStringList CMprisRootAdaptor::SupportedMimeTypes() const {
    return {QStringLiteral("audio/mpeg"),       QStringLiteral("audio/x-ms-wma"),
            QStringLiteral("audio/x-wav"),      QStringLiteral("audio/x-vorbis+ogg"),
            QStringLiteral("audio/ogg"),        QStringLiteral("audio/flac"),
            QStringLiteral("audio/x-opus+ogg"), QStringLiteral("audio/mp4"),
            QStringLiteral("audio/x-aiff")};
}

void CMprisRootAdaptor::Raise() {
    m_Service.Control().Raise();
}

void CMprisRootAdaptor::Quit() {
    m_Service.Control().Quit();
}

// ---- org.mpris.MediaPlayer2.Player ----

CMprisPlayerAdaptor::CMprisPlayerAdaptor(CMprisService* service)
    : QDBusAbstractAdaptor(service), m_Service(*service), m_Control(service->Control()) {}

double CMprisPlayerAdaptor::Volume() const {
    return m_Control.Volume();
}

void CMprisPlayerAdaptor::SetVolume(double volume) {
    m_Control.SetVolume(std::clamp(volume, 0.0, 1.0));
    m_Service.Refresh();
}

qlonglong CMprisPlayerAdaptor::Position() const {
    return static_cast<qlonglong>(m_Control.PositionUs());
}

bool CMprisPlayerAdaptor::CanGoNext() const {
    return m_Control.CanStep();
}

bool CMprisPlayerAdaptor::CanPlay() const {
    return m_Control.CanPlay();
}

bool CMprisPlayerAdaptor::CanPause() const {
    return m_Control.CanPlay();
}

bool CMprisPlayerAdaptor::CanSeek() const {
    return m_Control.CanSeek();
}

// The commands do nothing while the window does not take commands (an operation runs under its
// progress window, a message waits for its answer), as the window's own buttons do.
void CMprisPlayerAdaptor::Next() {
    if (m_Control.Accepting())
        m_Control.Step(+1);
    m_Service.Refresh();
}

void CMprisPlayerAdaptor::Previous() {
    if (m_Control.Accepting())
        m_Control.Step(-1);
    m_Service.Refresh();
}

void CMprisPlayerAdaptor::Pause() {
    if (m_Control.Accepting())
        m_Control.Pause();
    m_Service.Refresh();
}

void CMprisPlayerAdaptor::PlayPause() {
    if (m_Control.Accepting()) {
        if (m_Control.PlaybackStatus() == CPlayerControl::Status::Playing)
            m_Control.Pause();
        else
            m_Control.Play();
    }
    m_Service.Refresh();
}

void CMprisPlayerAdaptor::Stop() {
    if (m_Control.Accepting())
        m_Control.Stop();
    m_Service.Refresh();
}

void CMprisPlayerAdaptor::Play() {
    if (m_Control.Accepting())
        m_Control.Play();
    m_Service.Refresh();
}

// Before the start of the track means its start; beyond its end, the next track.
void CMprisPlayerAdaptor::Seek(qlonglong Offset) {
    if (!m_Control.Accepting() || !m_Control.CanSeek())
        return;
    const std::optional<CPlayerControl::Track> track = m_Control.CurrentTrack();
    const int64_t target = std::max<int64_t>(m_Control.PositionUs() + Offset, 0);
    if (track && track->LengthUs > 0 && target > track->LengthUs) {
        m_Control.Step(+1);
        m_Service.Refresh();
        return;
    }
    m_Control.SeekTo(target);
    m_Service.AnnounceSeek(target);
}

// Only for the track playing now, and only to a place inside it.
void CMprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    if (!m_Control.Accepting() || !m_Control.CanSeek() || TrackId != m_Service.TrackId())
        return;
    const std::optional<CPlayerControl::Track> track = m_Control.CurrentTrack();
    if (Position < 0 || (track && track->LengthUs > 0 && Position > track->LengthUs))
        return;
    m_Control.SeekTo(Position);
    m_Service.AnnounceSeek(Position);
}

void CMprisPlayerAdaptor::OpenUri(const QString& Uri, const QDBusMessage& message) {
    const std::optional<std::string> path = LocalPathOfUri(Uri);
    if (!path) {
        message.setDelayedReply(true);
        m_Service.Bus().send(message.createErrorReply(
            QStringLiteral("org.freedesktop.DBus.Error.NotSupported"),
            QStringLiteral("Only local files and folders can be opened: %1").arg(Uri)));
        return;
    }
    m_Control.OpenPath(*path);
    m_Service.Refresh();
}

} // namespace torvane
