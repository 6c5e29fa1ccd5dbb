#include "gui/widgets/VersionText.h"

namespace torvane {

std::string BuildVersionText(std::string_view versionString) {
    versionString = versionString.substr(0, 100);
    std::string copy;
    for (size_t i = 0; i < versionString.size(); ++i) {
        if (versionString[i] == ' ' && i > 0 && versionString[i - 1] == ',')
            continue;
        copy += versionString[i];
    }
    return "Ver " + copy;
}

const std::string& GetVersionText() {
    static const std::string text = BuildVersionText(std::to_string(TORVANE_VERSION_MAJOR) + ", " +
                                                     std::to_string(TORVANE_VERSION_MINOR) + ", " +
                                                     std::to_string(TORVANE_VERSION_PATCH) + ", " +
                                                     std::to_string(TORVANE_VERSION_TWEAK));
    return text;
}

} // namespace torvane
