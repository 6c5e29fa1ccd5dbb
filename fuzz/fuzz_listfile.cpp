#include "QuietHost.h"
#include "core/doc/TorvaneDoc.h"
#include "core/gather/ListFileReader.h"
#include "core/settings/Profile.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// One folder for the run; the list files are written into it, so an entry naming one of them
// exercises the self-inclusion guard.
const std::string& WorkFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/fuzz-listfile-XXXXXX";
        return std::string(::mkdtemp(name) ? name : "/tmp");
    }();
    return folder;
}

} // namespace

// The list-file reader on arbitrary bytes: the first byte chooses the list's format.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const char* const extensions[] = {"m3u", "m3u8", "txt", "pls", "xspf"};
    const std::string path = WorkFolder() + "/list." + extensions[data[0] % 5];
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);

    torvane::CProfile profile;
    profile.SetInt(torvane::CTorvaneDoc::AppSection, "readtag", 0);
    CQuietHost host;
    torvane::CTorvaneDoc doc(profile, host);
    torvane::ReadListFile(doc, path, nullptr, 100);
    ::unlink(path.c_str());
    return 0;
}
