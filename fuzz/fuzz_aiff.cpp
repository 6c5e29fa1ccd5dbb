#include "ShortInput.h"
#include "core/base/TextCodec.h"
#include "core/media/AiffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const torvane::CTextCodec codec;
    const CShortInput input(data, size);
    torvane::AudioInfo info;
    torvane::CAiffReader(codec).Read(input.Source(), info);
    return 0;
}
