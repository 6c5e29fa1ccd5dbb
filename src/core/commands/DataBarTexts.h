#pragma once

#include "core/record/DisplayChoice.h"

#include <string>

namespace torvane {

class CListData;

// What the data bar shows of one record, with the tags of a display mode.
struct DataBarTexts {
    std::string Path;
    std::string Name;
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Comment;
    std::string Type;
    std::string Time; // "03:25 (205 sec)"; empty when the time was never read or is unavailable
    std::string Size; // "3.1 MB (3,210.5 kB)"; empty in the same cases
    std::string Rate; // "128 kbit / 44100 Hz"
};

DataBarTexts DataBarTextsOf(const CListData& record, TagMode tagMode);

} // namespace torvane
