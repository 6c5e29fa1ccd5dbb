#include "core/media/ByteSource.h"
#include "core/media/Mp4Reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const torvane::CMemorySource source({data, size});
    torvane::AudioInfo info;
    torvane::CMp4Reader().Read(source, info);
    return 0;
}
