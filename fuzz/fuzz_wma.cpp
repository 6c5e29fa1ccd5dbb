#include "core/media/ByteSource.h"
#include "core/media/WmaReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const torvane::CMemorySource source({data, size});
    torvane::WmaInfo info;
    torvane::CWmaReader().Read(source, info);
    return 0;
}
