#include "core/media/ByteSource.h"
#include "core/media/OggReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const torvane::CMemorySource source({data, size});
    torvane::OggInfo info;
    torvane::COggReader().Read(source, info);
    return 0;
}
