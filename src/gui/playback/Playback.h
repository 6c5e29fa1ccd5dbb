#pragma once

#include "core/commands/PlayRules.h"
#include "core/doc/TorvaneDoc.h"

#include <functional>
#include <vector>

namespace torvane {

class CPlayerPort;

// The state of the playing track: the list it was taken from and its place there, its texts
// and time, and the play mode. Starts records on the player, moves the now-playing mark and
// decides on each tick of the frame's timer whether a track has ended.
class CPlayback {
public:
    // Without a player nothing plays and a track never ends.
    CPlayback(CTorvaneDoc& doc, CPlayerPort* player);

    // Plays the one selected row of the current list; nothing unless exactly one is selected.
    void PlaySelected(const std::vector<int>& selectedRows);
    // Plays record index of list (a list of the document), which must be in range; a file the
    // player lacks a plug-in for is refused with a message and nothing changes.
    void PlayItem(int index, TrackList& list);
    // Plays the record after the playing one as the mode chooses, or step records away.
    void StepPlayback(int step);
    void StopPlayback();
    // Holds the playing track where it is.
    void PausePlayback();
    // Goes on with a held track, starts the stopped one again from its start, or, before
    // anything was played, plays the first record of the current list.
    void ResumePlayback();
    // Moves within the playing or held track, when the player can.
    void SeekTo(double seconds);
    // The one-second check: outside single mode, the end of the playing track starts the next.
    void CheckPlaybackEnd();

    bool IsPlaying() const;
    bool IsPaused() const;
    // Counts the tracks started, so that each start can be told from the one before.
    int StartCount() const { return m_StartCount; }
    // Called after a track starts, pauses, goes on or stops, and after the mode changes.
    void SetChangeListener(std::function<void()> listener) { m_Listener = std::move(listener); }
    PlayMode Mode() const { return m_Mode; }
    void SetMode(PlayMode mode);
    const TrackList* PlayList() const { return m_PlayList; }
    int PlayIndex() const { return m_PlayIndex; }
    int PlayDuration() const { return m_PlayDuration; }
    const NowPlaying& Now() const { return m_Now; }

    // Seconds on a steady clock; replaceable for tests.
    std::function<double()> Clock;

private:
    void ClearOldMark();
    bool RefuseUnplayable(const std::string& path);
    void Changed() const;

    CTorvaneDoc& m_Doc;
    CPlayerPort* m_Player;
    TrackList* m_PlayList = nullptr;
    int m_PlayIndex = -1;
    NowPlaying m_Now;
    int m_PlayDuration = 0;
    PlayMode m_Mode = PlayMode::Single;
    // Set by StopPlayback until a record plays again, so a stopped track is not taken for one
    // that ended.
    bool m_Stopped = false;
    int m_StartCount = 0;
    std::function<void()> m_Listener;
    // When the playing record was handed to the player, and whether the player may still report
    // the position of the track before it: right after a switch it can, for a moment.
    double m_StartedAt = 0;
    bool m_Switching = false;
};

} // namespace torvane
