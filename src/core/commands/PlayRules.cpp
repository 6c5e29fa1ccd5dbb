#include "core/commands/PlayRules.h"

#include "core/base/Random.h"
#include "core/record/ListData.h"

namespace torvane {
namespace {

// "first ( second )", the pair format of the now-playing texts.
std::string Pair(const std::string& first, const std::string& second) {
    return first + " ( " + second + " )";
}

} // namespace

NowPlaying NowPlayingOf(const CListData& record) {
    NowPlaying now;
    now.Path = record.FilePath();
    now.Title = record.GetTitle(TagMode::Extended);
    now.Artist = record.GetArtist(TagMode::Extended);
    now.Album = record.GetAlbum(TagMode::Extended);
    now.Time = Pair(record.TimeTextClock(), record.TimeTextSec());
    now.Size = Pair(record.SizeTextKB(), record.SizeTextMB());
    now.BitRate = record.BitRateText();
    now.SamplingRate = record.SamplingRateText();
    return now;
}

std::vector<std::string> NowPlayingMenu(const NowPlaying& now) {
    const auto entry = [](const char* label, const std::string& text) {
        return std::string(label) + "\t: " + text;
    };
    return {entry("File Path", now.Path),
            {},
            entry("Track ", now.Title),
            entry("Artist", now.Artist),
            entry("Album ", now.Album),
            {},
            entry("Time", now.Time),
            entry("Size", now.Size),
            {},
            entry("BitRate", now.BitRate),
            entry("SamplingRate", now.SamplingRate)};
}

int NextPlayIndex(PlayMode mode, int playIndex, int step, int count, CRandom& random) {
    if (count <= 0)
        return -1;
    if (mode == PlayMode::Random)
        return random.Next() % count;
    const int next = playIndex + step;
    if (next < 0)
        return count - 1;
    if (next >= count)
        return 0;
    return next;
}

bool ReachedTrackEnd(int duration, double position) {
    return duration - 1 <= position;
}

} // namespace torvane
