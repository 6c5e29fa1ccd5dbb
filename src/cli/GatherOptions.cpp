#include "cli/GatherOptions.h"
#include "cli/Language.h"

#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/gather/FolderScan.h"
#include "core/gather/ListFileReader.h"

#include <iostream>
#include <map>

namespace torvane::cli {

void AddGatherOptions(CLI::App& app, GatherOptions& options) {
    app.add_option("--profile", options.Profile, "Profile (settings) file to read");
    app.add_flag("--no-ext-check", options.NoExtCheck,
                 "Accept file INPUTs whatever their extension");
    app.add_option("--read", options.Read, "What to read when a file is added")
        ->check(CLI::IsMember({"none", "size", "tags"}));
    app.add_flag("--no-cache", options.NoCache,
                 "Read every file's tags; neither use nor update the tag cache");
    app.add_option("--size-unit", options.SizeUnit, "Size column unit")
        ->check(CLI::IsMember({"kb", "mb"}));
    app.add_option("--time-unit", options.TimeUnit, "Time column unit")
        ->check(CLI::IsMember({"clock", "sec", "min"}));
    app.add_option("--tag-mode", options.TagMode, "Tag set shown: standard or extended")
        ->check(CLI::IsMember({"std", "ext"}));
    app.add_option("--depth", options.Depth,
                   "Folder levels scanned, the folder itself being level 1; 0 scans every level "
                   "(default: the profile's SearchClass)")
        ->check(CLI::NonNegativeNumber);

    auto* print = app.add_flag("--print", options.Print,
                               "Print one line per record: the fifteen column texts, tab-separated "
                               "(the default output when nothing is written)");
    app.add_flag("--json", options.Json,
                 "Print one JSON object per record (JSON Lines), always valid UTF-8: a path "
                 "that is not UTF-8 shows U+FFFD for each stray byte and adds FilePathBytes, "
                 "its exact bytes in base64")
        ->excludes(print);
    app.add_option("-o,--output", options.Output,
                   "Write the list to FILE by its extension: .htm/.html through a template, "
                   ".m3u8 as extended M3U, .pls, .xspf, anything else as a playlist with one "
                   "path per line; - writes that playlist to standard output");
    app.add_option(
        "--template", options.Template,
        "HTML template name for -o, \".htm\" may be left out (default: the first template found)");
    app.add_option("--relative-to", options.RelativeTo,
                   "Write the playlist's paths relative to DIR");
    app.add_flag("--extended", options.Extended,
                 "Write .m3u files as extended M3U (#EXTM3U and #EXTINF lines)");
    app.add_option("--encoding", options.Encoding,
                   "Encoding of .m3u, .txt and other plain playlists (default: the profile's "
                   "PlaylistCodePage, UTF-8)")
        ->check(CLI::IsMember({"utf-8", "cp932"}, CLI::ignore_case));
    auto* perFolder = app.add_flag("--per-folder", options.PerFolder,
                                   "Write one playlist into each folder of the list");
    app.add_flag("--full-paths", options.FullPaths,
                 "Per-folder playlists hold full paths instead of file names")
        ->needs(perFolder);
    app.add_option("--index", options.Index, "Also write the list of per-folder playlists to FILE")
        ->needs(perFolder);
    app.add_option("INPUT", options.Inputs, "Audio files, folders and list files to gather");
}

void ApplyOverrides(const GatherOptions& options, DocSettings& settings) {
    static const std::map<std::string, int> reads{
        {"none", 0},
        {"size", DocSettings::ReadSizes},
        {"tags", DocSettings::ReadTags | DocSettings::ReadSizes}};
    static const std::map<std::string, SizeUnit> sizes{{"kb", SizeUnit::KB}, {"mb", SizeUnit::MB}};
    static const std::map<std::string, TimeUnit> times{
        {"clock", TimeUnit::Clock}, {"sec", TimeUnit::Seconds}, {"min", TimeUnit::Minutes}};
    static const std::map<std::string, TagMode> tags{{"std", TagMode::Standard},
                                                     {"ext", TagMode::Extended}};
    if (!options.Read.empty())
        settings.readtag = reads.at(options.Read);
    if (!options.SizeUnit.empty())
        settings.SizeOf = sizes.at(options.SizeUnit);
    if (!options.TimeUnit.empty())
        settings.TimeOf = times.at(options.TimeUnit);
    if (!options.TagMode.empty())
        settings.TagOf = tags.at(options.TagMode);
    if (options.Depth)
        settings.SearchClass = *options.Depth;
    if (options.Extended)
        settings.ExtendedM3U = true;
    if (!options.Encoding.empty())
        settings.PlaylistCodePage = EqualsIgnoringAsciiCase(options.Encoding, "cp932")
                                        ? "CP932"
                                        : DocSettings::Utf8CodePage;
}

bool GatherInputs(CTorvaneDoc& doc, const GatherOptions& options) {
    const auto progress = doc.Host().OpenProgress();
    bool allTaken = true;
    for (const std::string& input : options.Inputs) {
        const PathKind kind = KindOf(input);
        if (kind == PathKind::Folder) {
            ScanFolder(doc, MakeAbsolute(input), *progress, 1, 100);
        } else if (kind == PathKind::File && IsListFileName(input)) {
            if (!ReadListFile(doc, MakeAbsolute(input), progress.get(), 0)) {
                std::cerr << "torvane-cli: "
                          << Say("cannot read list: ", "リストファイルを読めません: ") << input
                          << "\n";
                allTaken = false;
            }
        } else if (!doc.AddFile(input, !options.NoExtCheck,
                                kind == PathKind::File ? PathText::Exact : PathText::Entry)) {
            std::cerr << "torvane-cli: " << Say("not added: ", "追加しませんでした: ") << input
                      << "\n";
            allTaken = false;
        }
    }
    return allTaken;
}

} // namespace torvane::cli
