#pragma once

#include "core/media/AudioInfo.h"
#include "core/media/MpegReader.h"
#include "core/record/ListData.h"

namespace torvane::test {

// Fills record as the MPEG reader's facts fill it: the type text, tag sets and rate texts
// follow from info as the reader makes them.
inline void FillAsMpeg(CListData& record, AudioInfo info) {
    FinishMpegInfo(info);
    record.FillFrom(info);
}

} // namespace torvane::test
