#pragma once

#include <string>

namespace torvane {

// The operations the playback relies on of a media player, and the question whether it can play
// a file at all. The play bar's player offers them over Qt Multimedia; tests script a fake.
class CPlayerPort {
public:
    static constexpr int Paused = 1;  // the play state of a file held where it was
    static constexpr int Playing = 2; // the play state while a file plays

    virtual ~CPlayerPort() = default;

    // What the player lacks to play the file at this full path (a plug-in, a decoder), for the
    // user to read; empty when nothing is missing. Asked before the file is opened.
    virtual std::string MissingToPlay(const std::string& path) = 0;
    // Opens the file at this full path.
    virtual void SetFileName(const std::string& path) = 0;
    // The playing position in seconds.
    virtual double CurrentPosition() const = 0;
    // Non-zero once a file is open.
    virtual int OpenState() const = 0;
    // 0 stopped, Paused, Playing.
    virtual int PlayState() const = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    // Holds the position; Play goes on from there.
    virtual void Pause() = 0;
    // Whether the open file can be sought in, and seeking to a position in seconds.
    virtual bool CanSeek() const = 0;
    virtual void Seek(double seconds) = 0;
    // The output volume from 0 (silent) to 1 (full).
    virtual double Volume() const = 0;
    virtual void SetVolume(double volume) = 0;
};

} // namespace torvane
