#pragma once

#include <string>
#include <vector>

namespace torvane {

class CListData;
class CRandom;

// What happens when a track ends: nothing, the next record of the list, or a random one.
enum class PlayMode : int { Single = 0, Continuous = 1, Random = 2 };

// The texts of the playing record, taken when it starts (tags of the extended set where the
// record has one).
struct NowPlaying {
    std::string Path;
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Time; // "03:25 ( 205 sec )"
    std::string Size; // kB first, then MB
    std::string BitRate;
    std::string SamplingRate;
};

NowPlaying NowPlayingOf(const CListData& record);

// The entries of the now-playing facts menu, each "label\t: text"; an empty entry stands for a
// separator.
std::vector<std::string> NowPlayingMenu(const NowPlaying& now);

// The index to play after playIndex in a list of count records (count > 0): a random pick in
// random mode (the same record may come again), otherwise playIndex + step, where an index
// below the first becomes the last and one beyond the last becomes the first. Single mode steps
// as continuous mode does: only the end of a track treats them differently.
int NextPlayIndex(PlayMode mode, int playIndex, int step, int count, CRandom& random);

// Whether a track of duration seconds has come to its end at position seconds: from one second
// before the stored playing time on, so a time of 0 or 1 (not read, or very short) ends at once.
bool ReachedTrackEnd(int duration, double position);

} // namespace torvane
