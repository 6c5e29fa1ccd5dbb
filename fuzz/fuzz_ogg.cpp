#include "ShortInput.h"
#include "core/media/ReaderTable.h"

// An "ogg" file as the reader table reads it: the first packet chooses Opus, FLAC or Vorbis.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const torvane::CTextCodec codec;
    const CShortInput input(data, size);
    torvane::AudioInfo info;
    torvane::ReadByTable(input.Source(), torvane::ReaderLines("ogg"), codec, info);
    return 0;
}
