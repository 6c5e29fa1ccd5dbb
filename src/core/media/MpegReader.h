#pragma once

#include "core/base/TextCodec.h"
#include "core/media/AudioReader.h"

namespace torvane {

// Reads ID3v1/ID3v2 tags, RIFF WAVE / RIFF MP3 containers and the first MPEG audio frame of
// an "mp3" or "wav" file, by its content, not its extension. Any content is read: what was not
// found stays zero ("タグなし"), and a file that cannot be opened reads as an empty one.
class CMpegReader final : public CAudioReader {
public:
    explicit CMpegReader(const CTextCodec& codec) : m_Codec(codec) {}

    using CAudioReader::Read;
    bool Read(const CByteSource& source, AudioInfo& info) const override;

protected:
    bool ReadsUnopenedAsEmpty() const override { return true; }

private:
    const CTextCodec& m_Codec;
};

// Puts the facts an MPEG or RIFF file gave into the record's terms: the type text and the tag
// sets of the tags in TagFlags ("タグなし" without any, else "ID3 V1" and the extended kind,
// "RIFF Wave", "RIFF MP3" or "ID3 V2", joined by "・"), "(VBR)" for a bit rate of -1, and an
// empty ID3v1 track number marked kept.
void FinishMpegInfo(AudioInfo& info);

} // namespace torvane
