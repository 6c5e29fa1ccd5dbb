#include "QuietHost.h"
#include "core/doc/TorvaneDoc.h"
#include "core/settings/Profile.h"

#include <cstdlib>
#include <string>
#include <string_view>

// The settings file parser on arbitrary text, then the document reading its settings, the
// extension registry and the histories from it and writing them back. Writing the store out and
// parsing it again must give the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    torvane::CProfile profile;
    profile.Parse(text);
    {
        CQuietHost host;
        torvane::CTorvaneDoc doc(profile, host);
        doc.AddFile("/music/a.mp3", true);
    }
    const std::string once = profile.ToText();
    torvane::CProfile again;
    again.Parse(once);
    if (again.ToText() != once)
        std::abort();
    return 0;
}
