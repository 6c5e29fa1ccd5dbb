#include "ShortInput.h"
#include "core/media/MpegReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const torvane::CTextCodec codec("CP932");
    const CShortInput input(data, size);
    torvane::AudioInfo info;
    torvane::CMpegReader(codec).Read(input.Source(), info);
    return 0;
}
