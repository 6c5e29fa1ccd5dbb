#include "gui/app/DesktopBus.h"

#include "gui/app/MainFrame.h"
#include "gui/bars/PlayBar.h"
#include "gui/desktop/MprisService.h"
#include "gui/desktop/SingleInstance.h"
#include "gui/desktop/TrackNotifier.h"
#include "gui/playback/MediaPlayer2.h"
#include "gui/playback/Playback.h"
#include "gui/playback/PlayerPort.h"

#include "core/base/DisplayPath.h"
#include "core/doc/TorvaneDoc.h"
#include "core/gather/Gathering.h"
#include "core/settings/Profile.h"

#include <QApplication>
#include <QWidget>

#include <cmath>

namespace torvane {
namespace {

constexpr int RetryInterval = 250;    // ms, while the window does not take commands
constexpr int RefreshInterval = 1000; // ms

} // namespace

CPlayerBridge::CPlayerBridge(CTorvaneDoc& doc, CPlayback& playback, CPlayerPort* player,
                             QWidget* window)
    : m_Doc(doc), m_Playback(playback), m_Player(player), m_Window(window) {
    m_Retry.setInterval(RetryInterval);
    connect(&m_Retry, &QTimer::timeout, this, &CPlayerBridge::RunWaiting);
}

CPlayerControl::Status CPlayerBridge::PlaybackStatus() const {
    if (m_Playback.IsPlaying())
        return Status::Playing;
    return m_Playback.IsPaused() ? Status::Paused : Status::Stopped;
}

std::optional<CPlayerControl::Track> CPlayerBridge::CurrentTrack() const {
    if (!m_Playback.PlayList() || m_Playback.StartCount() == 0)
        return std::nullopt;
    const NowPlaying& now = m_Playback.Now();
    Track track;
    track.Serial = m_Playback.StartCount();
    track.Path = now.Path;
    track.Title = now.Title;
    if (track.Title.empty()) {
        // without a title tag, the file's name without its extension, as the list shows it
        const size_t slash = now.Path.rfind('/');
        std::string name = slash == std::string::npos ? now.Path : now.Path.substr(slash + 1);
        if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
            name.resize(dot);
        track.Title = DisplayPath(name, m_Doc.Codec());
    }
    track.Artist = now.Artist;
    track.Album = now.Album;
    track.LengthUs = static_cast<int64_t>(std::max(m_Playback.PlayDuration(), 0)) * 1000000;
    return track;
}

int64_t CPlayerBridge::PositionUs() const {
    if (!m_Player || !m_Playback.PlayList())
        return 0;
    return std::llround(std::max(m_Player->CurrentPosition(), 0.0) * 1e6);
}

double CPlayerBridge::Volume() const {
    return m_Player ? m_Player->Volume() : 1.0;
}

void CPlayerBridge::SetVolume(double volume) {
    if (m_Player)
        m_Player->SetVolume(volume);
}

bool CPlayerBridge::CanStep() const {
    return m_Player && m_Playback.PlayList() && !m_Playback.PlayList()->empty();
}

bool CPlayerBridge::CanPlay() const {
    return m_Player && (CanStep() || !m_Doc.CurrentList().empty());
}

bool CPlayerBridge::CanSeek() const {
    return m_Player && m_Playback.PlayList() && m_Player->CanSeek();
}

bool CPlayerBridge::Accepting() const {
    return !m_Doc.InOperation() && (!m_Window || m_Window->isEnabled()) &&
           !QApplication::activeModalWidget();
}

void CPlayerBridge::Play() {
    m_Playback.ResumePlayback();
}

void CPlayerBridge::Pause() {
    m_Playback.PausePlayback();
}

void CPlayerBridge::Stop() {
    if (PlaybackStatus() != Status::Stopped)
        m_Playback.StopPlayback();
}

void CPlayerBridge::Step(int step) {
    m_Playback.StepPlayback(step);
}

void CPlayerBridge::SeekTo(int64_t positionUs) {
    m_Playback.SeekTo(static_cast<double>(positionUs) / 1e6);
}

void CPlayerBridge::Raise() {
    if (!m_Window)
        return;
    if (m_Window->isMinimized())
        m_Window->showNormal();
    m_Window->show();
    m_Window->raise();
    m_Window->activateWindow();
}

// The window's own close request, with its question when the user wants one.
void CPlayerBridge::Quit() {
    if (m_Window && Accepting())
        QTimer::singleShot(0, m_Window.data(), [window = m_Window] {
            if (window)
                window->close();
        });
}

void CPlayerBridge::OpenPath(const std::string& path) {
    WhenAccepting([this, path] {
        TrackList& list = m_Doc.CurrentList();
        const size_t before = list.size();
        DropFiles(m_Doc, {path});
        // the list may have changed meanwhile (a search): only a grown current list plays
        if (&m_Doc.CurrentList() == &list && list.size() > before)
            m_Playback.PlayItem(static_cast<int>(before), list);
    });
}

void CPlayerBridge::WhenAccepting(std::function<void()> step) {
    m_Waiting.push_back(std::move(step));
    if (!m_Retry.isActive())
        QTimer::singleShot(0, this, &CPlayerBridge::RunWaiting);
}

// One step at a time: a step may open a progress window, in which the next must not start.
void CPlayerBridge::RunWaiting() {
    while (!m_Waiting.empty()) {
        if (!Accepting()) {
            m_Retry.start();
            return;
        }
        std::function<void()> step = std::move(m_Waiting.front());
        m_Waiting.erase(m_Waiting.begin());
        step();
    }
    m_Retry.stop();
}

CDesktopBus::CDesktopBus(const QDBusConnection& bus, CTorvaneDoc& doc, CMainFrame& frame,
                         CProfile& profile, std::function<void(std::vector<std::string>)> receive)
    : m_Frame(frame), m_Profile(profile) {
    CMediaPlayer2& player = frame.PlayBar().Player();
    m_Bridge = std::make_unique<CPlayerBridge>(doc, frame.Playback(), &player, &frame);
    m_Mpris = std::make_unique<CMprisService>(bus, *m_Bridge);
    m_Notifier = std::make_unique<CTrackNotifier>(bus);
    m_Instance = std::make_unique<CSingleInstance>(bus, profile.Path(), std::move(receive));
    m_NotifiedStart = frame.Playback().StartCount();
    frame.Playback().SetChangeListener([this] { PlaybackChanged(); });
    connect(&player, &CMediaPlayer2::stateChanged, m_Mpris.get(), &CMprisService::Refresh);
    connect(&player, &CMediaPlayer2::seeked, m_Mpris.get(),
            [this](qint64 milliseconds) { m_Mpris->AnnounceSeek(milliseconds * 1000); });
    if (!m_Mpris->Name().isEmpty()) {
        connect(&m_Refresh, &QTimer::timeout, m_Mpris.get(), &CMprisService::Refresh);
        m_Refresh.start(RefreshInterval);
    }
}

CDesktopBus::~CDesktopBus() {
    m_Frame.Playback().SetChangeListener(nullptr);
}

void CDesktopBus::PlaybackChanged() {
    const int started = m_Frame.Playback().StartCount();
    if (started != m_NotifiedStart) {
        m_NotifiedStart = started;
        if (m_Profile.GetInt(CTorvaneDoc::AppSection, CTrackNotifier::SettingKey, 0) != 0) {
            if (const std::optional<CPlayerControl::Track> track = m_Bridge->CurrentTrack()) {
                std::string body = track->Artist;
                if (!track->Album.empty())
                    body += (body.empty() ? "" : " / ") + track->Album;
                m_Notifier->Notify(track->Title, body);
            }
        }
    }
    m_Mpris->Refresh();
}

} // namespace torvane
