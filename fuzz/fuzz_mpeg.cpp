#include "core/media/ByteSource.h"
#include "core/media/MpegReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const torvane::CTextCodec codec("CP932");
    const torvane::CMemorySource source({data, size});
    torvane::CMpegReader(codec).Read(source);
    return 0;
}
