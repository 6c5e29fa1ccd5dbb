#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace torvane {
class CTorvaneDoc;
struct DocSettings;
} // namespace torvane

namespace torvane::cli {

// The options of the main command: what to gather, how to read and show it, where to write it.
struct GatherOptions {
    std::string Profile;
    bool NoExtCheck = false;
    std::string Read;
    bool NoCache = false; // --no-cache: every file read, the tag cache neither used nor kept
    std::string SizeUnit;
    std::string TimeUnit;
    std::string TagMode;
    std::optional<int> Depth;
    std::vector<std::string> Inputs;

    bool Print = false;
    bool Json = false;
    std::string Output;     // -o FILE
    std::string Template;   // --template NAME
    std::string RelativeTo; // --relative-to DIR
    bool Extended = false;  // --extended: ".m3u" as extended M3U
    std::string Encoding;   // --encoding utf-8|cp932 for ".m3u", ".txt" and plain lists
    bool PerFolder = false;
    bool FullPaths = false;
    std::string Index;
};

void AddGatherOptions(CLI::App& app, GatherOptions& options);

// Command-line choices override the profile's settings for this run only: the tool never
// writes the profile.
void ApplyOverrides(const GatherOptions& options, DocSettings& settings);

// Gathers every INPUT into the all list: folders are scanned, list files read, other paths
// added. Each input that was refused or could not be read is reported on stderr; false then.
bool GatherInputs(CTorvaneDoc& doc, const GatherOptions& options);

} // namespace torvane::cli
