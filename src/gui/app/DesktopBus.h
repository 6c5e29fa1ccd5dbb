#pragma once

#include "gui/desktop/PlayerControl.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace torvane {

class CMainFrame;
class CMprisService;
class CPlayback;
class CPlayerPort;
class CProfile;
class CSingleInstance;
class CTorvaneDoc;
class CTrackNotifier;

// The playback as the desktop's media player interface sees it: the play bar's commands on the
// window's playback, the playing record's texts, and what arrives to be opened gathered as a
// dropped path once the window takes commands again.
class CPlayerBridge final : public QObject, public CPlayerControl {
    Q_OBJECT
public:
    // window is raised, closed and asked whether it takes commands; it may be none.
    CPlayerBridge(CTorvaneDoc& doc, CPlayback& playback, CPlayerPort* player, QWidget* window);

    Status PlaybackStatus() const override;
    std::optional<Track> CurrentTrack() const override;
    int64_t PositionUs() const override;
    double Volume() const override;
    void SetVolume(double volume) override;
    bool CanStep() const override;
    bool CanPlay() const override;
    bool CanSeek() const override;
    bool Accepting() const override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void Step(int step) override;
    void SeekTo(int64_t positionUs) override;
    void Raise() override;
    void Quit() override;
    void OpenPath(const std::string& path) override;

    // Runs step now when the window takes commands, otherwise as soon as it does, in order.
    void WhenAccepting(std::function<void()> step);

private:
    void RunWaiting();

    CTorvaneDoc& m_Doc;
    CPlayback& m_Playback;
    CPlayerPort* m_Player;
    QPointer<QWidget> m_Window;
    std::vector<std::function<void()>> m_Waiting;
    QTimer m_Retry;
};

// The window on the session bus: the media player interface, one window per profile (later
// starts hand their inputs over) and the notice of the track that starts (profile key
// "app"/"Notify").
class CDesktopBus final : public QObject {
    Q_OBJECT
public:
    // receive gets the inputs a later start of the same profile hands over.
    CDesktopBus(const QDBusConnection& bus, CTorvaneDoc& doc, CMainFrame& frame, CProfile& profile,
                std::function<void(std::vector<std::string>)> receive);
    ~CDesktopBus() override;

    CPlayerBridge& Bridge() const { return *m_Bridge; }
    CMprisService& Mpris() const { return *m_Mpris; }
    CSingleInstance& Instance() const { return *m_Instance; }

private:
    void PlaybackChanged();

    CMainFrame& m_Frame;
    CProfile& m_Profile;
    std::unique_ptr<CPlayerBridge> m_Bridge;
    std::unique_ptr<CMprisService> m_Mpris;
    std::unique_ptr<CTrackNotifier> m_Notifier;
    std::unique_ptr<CSingleInstance> m_Instance;
    // Catches what changes without a signal of its own (a list that fills makes play possible).
    QTimer m_Refresh;
    int m_NotifiedStart = 0;
};

} // namespace torvane
