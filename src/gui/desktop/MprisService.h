#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <string>

class QDBusMessage;

namespace torvane {

class CPlayerControl;

// The media player interface of the desktop (MPRIS 2) on the session bus: the root interface
// and the player interface at /org/mpris/MediaPlayer2, under the name
// org.mpris.MediaPlayer2.torvane (with ".instance<pid>" added when another window holds it).
// The play modes have no honest counterpart in the loop and shuffle properties (single play
// stops after every track), so those are left out. Changes of the status, the track, the
// volume and the Can* properties are announced with PropertiesChanged after every command and
// whenever Refresh finds them changed.
class CMprisService final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* ServiceName = "org.mpris.MediaPlayer2.torvane";
    static constexpr const char* ObjectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* RootInterface = "org.mpris.MediaPlayer2";
    static constexpr const char* PlayerInterface = "org.mpris.MediaPlayer2.Player";
    static constexpr const char* NoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

    // Takes the name on this bus; nothing is offered when the bus is not connected.
    CMprisService(QDBusConnection bus, CPlayerControl& control, QObject* parent = nullptr);
    ~CMprisService() override;
    CMprisService(const CMprisService&) = delete;
    CMprisService& operator=(const CMprisService&) = delete;

    // The name taken on the bus; empty when none could be.
    QString Name() const { return m_Name; }
    CPlayerControl& Control() const { return m_Control; }
    QDBusConnection& Bus() { return m_Bus; }

    // Announces what has changed since the last announcement.
    void Refresh();
    // Announces a jump of the position (in microseconds).
    void AnnounceSeek(int64_t positionUs);

    // The properties of the player interface as they are now.
    QString PlaybackStatus() const;
    QVariantMap Metadata() const;
    QDBusObjectPath TrackId() const;

private:
    QVariantMap PlayerState() const;

    QDBusConnection m_Bus;
    CPlayerControl& m_Control;
    QString m_Name;
    bool m_Registered = false;
    QVariantMap m_Announced;
};

// The object path of a track start: /org/torvane/Torvane/Track/<serial>.
QDBusObjectPath TrackIdOf(int serial);

// A local path from what arrives over the bus to be opened: a "file:" URI of this machine
// (percent-decoded to its bytes) or an absolute path. Anything else (another scheme, another
// host, a relative path) gives nothing.
std::optional<std::string> LocalPathOfUri(const QString& uri);

// org.mpris.MediaPlayer2
class CMprisRootAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    explicit CMprisRootAdaptor(CMprisService* service);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("Torvane"); }
    QString DesktopEntry() const { return QStringLiteral("torvane"); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const;

public slots:
    void Raise();
    void Quit();

private:
    CMprisService& m_Service;
};

// org.mpris.MediaPlayer2.Player
class CMprisPlayerAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPause)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    explicit CMprisPlayerAdaptor(CMprisService* service);

    QString PlaybackStatus() const { return m_Service.PlaybackStatus(); }
    double Rate() const { return 1.0; }
    void SetRate(double) {}
    QVariantMap Metadata() const { return m_Service.Metadata(); }
    double Volume() const;
    void SetVolume(double volume);
    qlonglong Position() const;
    bool CanGoNext() const;
    bool CanGoPrevious() const { return CanGoNext(); }
    bool CanPlay() const;
    bool CanPause() const;
    bool CanSeek() const;
    bool CanControl() const { return true; }

public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    void OpenUri(const QString& Uri, const QDBusMessage& message);

signals:
    void Seeked(qlonglong Position);

private:
    CMprisService& m_Service;
    CPlayerControl& m_Control;
};

} // namespace torvane
