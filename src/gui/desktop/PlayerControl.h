#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace torvane {

// What the desktop may see and steer of the playback, through the media player interface on
// the session bus. The window implements it over its playback; tests over a scripted player.
class CPlayerControl {
public:
    enum class Status { Stopped, Paused, Playing };

    // The track started last (it stays after it ends or is stopped).
    struct Track {
        int Serial = 0;    // counts the starts: each start of a track is a track of its own
        std::string Path;  // the file's bytes
        std::string Title; // display texts, UTF-8
        std::string Artist;
        std::string Album;
        int64_t LengthUs = 0; // 0 when its time is not known
    };

    virtual ~CPlayerControl() = default;

    virtual Status PlaybackStatus() const = 0;
    virtual std::optional<Track> CurrentTrack() const = 0;
    virtual int64_t PositionUs() const = 0;
    virtual double Volume() const = 0;
    virtual void SetVolume(double volume) = 0;
    // Whether the arrows of the play bar have a list to step in.
    virtual bool CanStep() const = 0;
    virtual bool CanPlay() const = 0;
    virtual bool CanSeek() const = 0;
    // Whether the window takes commands now: not while an operation runs under its progress
    // window or a message waits for an answer.
    virtual bool Accepting() const = 0;

    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // +1 the next track, -1 the previous one, by the play mode's rules.
    virtual void Step(int step) = 0;
    virtual void SeekTo(int64_t positionUs) = 0;
    virtual void Raise() = 0;
    virtual void Quit() = 0;
    // A local file or folder to gather as a dropped one, then to play; waits while the window
    // does not take commands.
    virtual void OpenPath(const std::string& path) = 0;
};

} // namespace torvane
