#include "gui/playback/Playback.h"

#include "gui/playback/PlayerPort.h"

#include "core/doc/ListViewPort.h"
#include "core/doc/UiHost.h"

#include <chrono>

namespace torvane {
namespace {

// How long after a switch a position ahead of the time played is taken for the old track's.
constexpr double SwitchWindow = 3.0;

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

CPlayback::CPlayback(CTorvaneDoc& doc, CPlayerPort* player)
    : Clock(SteadySeconds), m_Doc(doc), m_Player(player) {}

void CPlayback::PlaySelected(const std::vector<int>& selectedRows) {
    TrackList& list = m_Doc.CurrentList();
    if (selectedRows.size() != 1 || selectedRows.front() < 0 ||
        static_cast<size_t>(selectedRows.front()) >= list.size())
        return;
    PlayItem(selectedRows.front(), list);
}

// Only the mark found in the list played from is cleared: a record that left that list, or
// stands beyond a list that has become shorter, keeps its mark.
void CPlayback::ClearOldMark() {
    if (!m_PlayList || m_PlayList->size() < static_cast<size_t>(m_PlayIndex))
        return;
    for (CListData* record : *m_PlayList) {
        if (record->Has(CListData::Playing)) {
            record->SetState(CListData::Playing, false);
            return;
        }
    }
}

// A file the player cannot play (a plug-in or decoder missing) changes nothing: no mark moves,
// what plays goes on, and the user reads what is missing. A track that ended counts as stopped,
// so that the end check does not ask again every second.
bool CPlayback::RefuseUnplayable(const std::string& path) {
    const std::string missing = m_Player ? m_Player->MissingToPlay(path) : std::string();
    if (missing.empty())
        return false;
    m_Stopped = true;
    m_Doc.Host().ShowMessage(
        MessageKind::Error, CMessage(MessageId::CannotPlay).Path(path, m_Doc.Codec()).Text(missing),
        MessageButtons::Ok);
    return true;
}

void CPlayback::PlayItem(int index, TrackList& list) {
    CListData& record = *list[static_cast<size_t>(index)];
    if (RefuseUnplayable(record.FilePath()))
        return;
    ClearOldMark();
    // Time, size, tags and the missing mark as they are now.
    record.ReadInfo(m_Doc.Codec());
    record.SetState(CListData::Playing, true);
    m_PlayList = &list;
    m_PlayIndex = index;
    m_Now = NowPlayingOf(record);
    m_PlayDuration = record.Time();
    m_Stopped = false;
    ++m_StartCount;
    m_StartedAt = Clock();
    m_Switching = true;
    if (m_Player) {
        m_Player->SetFileName(record.FilePath());
        if (m_Player->OpenState() != 0)
            m_Player->Play();
    }
    if (CListViewPort* view = m_Doc.View())
        view->Redraw();
    Changed();
}

void CPlayback::StepPlayback(int step) {
    if (!m_PlayList || m_PlayList->empty())
        return;
    const int count = static_cast<int>(m_PlayList->size());
    PlayItem(NextPlayIndex(m_Mode, m_PlayIndex, step, count, m_Doc.Random()), *m_PlayList);
}

void CPlayback::StopPlayback() {
    m_Stopped = true;
    if (m_Player)
        m_Player->Stop();
    Changed();
}

void CPlayback::PausePlayback() {
    if (!IsPlaying())
        return;
    m_Player->Pause();
    Changed();
}

void CPlayback::ResumePlayback() {
    if (!m_Player || IsPlaying())
        return;
    if (IsPaused()) {
        m_Player->Play();
        Changed();
        return;
    }
    if (m_PlayList && !m_PlayList->empty()) {
        // the remembered place, or the first record of a list that has become shorter
        const bool inRange =
            m_PlayIndex >= 0 && static_cast<size_t>(m_PlayIndex) < m_PlayList->size();
        PlayItem(inRange ? m_PlayIndex : 0, *m_PlayList);
        return;
    }
    TrackList& list = m_Doc.CurrentList();
    if (!list.empty())
        PlayItem(0, list);
}

void CPlayback::SeekTo(double seconds) {
    if (m_Player && m_Player->CanSeek())
        m_Player->Seek(seconds);
}

void CPlayback::SetMode(PlayMode mode) {
    m_Mode = mode;
    Changed();
}

void CPlayback::Changed() const {
    if (m_Listener)
        m_Listener();
}

void CPlayback::CheckPlaybackEnd() {
    if (!m_Player || m_Mode == PlayMode::Single)
        return;
    // A stopped track has not ended; it counts again once it plays (the player's own button).
    if (m_Stopped && m_Player->PlayState() != CPlayerPort::Playing)
        return;
    // A held track has not ended either, even when held in its last second.
    if (IsPaused())
        return;
    m_Stopped = false;
    const double position = m_Player->CurrentPosition();
    // A new track cannot have played further than the time since it started (a second more
    // for the tick and the player's own reporting): such a position is still the old track's.
    if (m_Switching) {
        const double played = Clock() - m_StartedAt;
        if (position > played + 1 && played < SwitchWindow)
            return;
        m_Switching = false;
    }
    if (ReachedTrackEnd(m_PlayDuration, position))
        StepPlayback(+1);
}

bool CPlayback::IsPlaying() const {
    return m_Player && m_Player->PlayState() == CPlayerPort::Playing;
}

bool CPlayback::IsPaused() const {
    return m_Player && m_Player->PlayState() == CPlayerPort::Paused;
}

} // namespace torvane
