#include "gui/playback/PlayableCheck.h"

#include "core/base/FileUri.h"
#include "core/base/Paths.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <cstdlib>
#include <memory>
#include <string_view>
#include <sys/stat.h>

namespace torvane {
namespace {

struct RequiredElement {
    const char* Name;
    const char* Package;
};

// What Qt's GStreamer player builds its pipeline from, and the Debian package of each.
constexpr RequiredElement PipelineElements[] = {
    {"input-selector", "libgstreamer1.0-0"},        {"uridecodebin", "gstreamer1.0-plugins-base"},
    {"decodebin", "gstreamer1.0-plugins-base"},     {"audioconvert", "gstreamer1.0-plugins-base"},
    {"audioresample", "gstreamer1.0-plugins-base"}, {"volume", "gstreamer1.0-plugins-base"},
    {"autoaudiosink", "gstreamer1.0-plugins-good"},
};

// How long the look at a file's streams may take before it counts as examined.
constexpr GstClockTime DiscoveryTimeout = 5 * GST_SECOND;

void AddLine(std::string& text, std::string_view line) {
    if (!text.empty())
        text += '\n';
    text += line;
}

// Another multimedia backend chosen for Qt (QT_MEDIA_BACKEND) does not play over GStreamer.
bool PlaysOverGStreamer() {
    const char* backend = std::getenv("QT_MEDIA_BACKEND");
    return !backend || !*backend || std::string_view(backend) == "gstreamer";
}

std::string FindMissingElements() {
    GError* error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
        std::string text = std::string("GStreamer: ") + (error ? error->message : "");
        g_clear_error(&error);
        return text;
    }
    std::string missing;
    for (const RequiredElement& element : PipelineElements) {
        if (GstElementFactory* factory = gst_element_factory_find(element.Name)) {
            gst_object_unref(factory);
            continue;
        }
        AddLine(missing, std::string(element.Name) + " (" + element.Package + ")");
    }
    // Without the functions that recognise a file's type nothing is ever played.
    GList* typeFinders = gst_type_find_factory_get_list();
    if (!typeFinders)
        AddLine(missing, "typefindfunctions (gstreamer1.0-plugins-base)");
    gst_plugin_feature_list_free(typeFinders);
    return missing;
}

// The description in an installer detail "gstreamer|1.0|APP|DESCRIPTION|DETAIL".
std::string_view DescriptionOf(std::string_view detail) {
    for (int field = 0; field < 3; ++field) {
        const size_t bar = detail.find('|');
        if (bar == std::string_view::npos)
            return detail;
        detail.remove_prefix(bar + 1);
    }
    return detail.substr(0, detail.find('|'));
}

std::string FindMissingDecoders(const std::string& path) {
    const std::string uri = "file://" + PercentEncodePath(MakeAbsolute(path));
    GError* error = nullptr;
    const std::unique_ptr<GstDiscoverer, decltype(&g_object_unref)> discoverer(
        gst_discoverer_new(DiscoveryTimeout, &error), g_object_unref);
    g_clear_error(&error);
    if (!discoverer)
        return {};
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer.get(), uri.c_str(), &error);
    g_clear_error(&error);
    std::string missing;
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_MISSING_PLUGINS) {
        const gchar** details = gst_discoverer_info_get_missing_elements_installer_details(info);
        for (size_t i = 0; details && details[i]; ++i)
            AddLine(missing, DescriptionOf(details[i]));
        if (missing.empty())
            missing = "GStreamer plug-in";
    }
    if (info)
        g_object_unref(info);
    return missing;
}

} // namespace

std::string CPlayableCheck::MissingToPlay(const std::string& path) {
    if (!PlaysOverGStreamer())
        return {};
    if (!m_MissingElements)
        m_MissingElements = FindMissingElements();
    if (!m_MissingElements->empty())
        return *m_MissingElements;
    // Only regular files are examined: a named pipe would hold the look until its timeout.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    return FindMissingDecoders(path);
}

} // namespace torvane
