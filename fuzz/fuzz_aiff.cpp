#include "core/media/AiffReader.h"
#include "core/media/ByteSource.h"
#include "core/media/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const torvane::CTextCodec codec;
    const torvane::CMemorySource source({data, size});
    torvane::AudioInfo info;
    torvane::CAiffReader(codec).Read(source, info);
    return 0;
}
