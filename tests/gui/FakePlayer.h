#pragma once

#include "core/Fakes.h"
#include "core/doc/TorvaneDoc.h"
#include "core/settings/Profile.h"
#include "gui/playback/Playback.h"
#include "gui/playback/PlayerPort.h"

#include <algorithm>
#include <string>
#include <vector>

namespace torvane::test {

// Plays what it is given at once; the position and whether files open are set by the test.
class CFakePlayer final : public CPlayerPort {
public:
    std::string MissingToPlay(const std::string& path) override {
        return path.find(Unplayable) != std::string::npos ? "Windows Media Audio 8 decoder"
                                                          : std::string();
    }
    void SetFileName(const std::string& path) override {
        Files.push_back(path);
        State = 0;
    }
    double CurrentPosition() const override { return Position; }
    int OpenState() const override { return Opens ? 1 : 0; }
    int PlayState() const override { return State; }
    void Play() override {
        ++Plays;
        if (State != Paused && !KeepsOldPosition)
            Position = 0;
        State = Playing;
    }
    void Stop() override {
        ++Stops;
        State = 0;
        Position = 0;
    }
    void Pause() override {
        if (State == Playing)
            State = Paused;
    }
    bool CanSeek() const override { return Seekable && OpenState() != 0; }
    void Seek(double seconds) override { Position = std::max(seconds, 0.0); }
    double Volume() const override { return Level; }
    void SetVolume(double volume) override { Level = std::clamp(volume, 0.0, 1.0); }

    std::vector<std::string> Files;
    // The files whose path holds this lack a decoder.
    std::string Unplayable = "\n";
    bool Opens = true;
    bool Seekable = true;
    int State = 0;
    double Position = 0;
    // The position still reads the track before for a moment after a switch.
    bool KeepsOldPosition = false;
    double Level = 1.0;
    int Plays = 0;
    int Stops = 0;
};

// A document over a fake host and view, with playback through a fake player; nothing read on
// load, so the tests set each record's facts themselves.
struct CPlayingDocument {
    CPlayingDocument() {
        doc.SetView(&view);
        doc.Settings().readtag = 0;
    }

    CTempDir dir;
    CProfile profile{dir / "torvane.ini"};
    CFakeHost host;
    CFakeView view;
    CTorvaneDoc doc{profile, host};
    CFakePlayer player;
    CPlayback playback{doc, &player};
};

} // namespace torvane::test
