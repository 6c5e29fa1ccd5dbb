// torvane-cli: the program's core without a window. Gathers inputs into the all list and prints
// them, or prints the full information of single files.

#include "ConsoleHost.h"
#include "FindOptions.h"
#include "ListOpsOptions.h"
#include "RecordOutput.h"
#include "core/doc/Profile.h"
#include "core/doc/ProfileLocation.h"
#include "core/doc/TorvaneDoc.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <map>
#include <sys/stat.h>

namespace torvane::cli {
namespace {

struct Options {
    std::string Profile;
    bool NoExtCheck = false;
    std::string Read;
    std::string SizeUnit;
    std::string TimeUnit;
    std::string TagMode;
    bool Print = false;
    bool Json = false;
    std::vector<std::string> Inputs;
    std::vector<std::string> InfoFiles;
};

CProfile LoadProfile(const std::string& option) {
    CProfile profile(ResolveProfilePath(option));
    profile.Load();
    return profile;
}

// Command-line choices override the profile's settings for this run only: the tool never
// writes the profile.
void ApplyOverrides(const Options& options, DocSettings& settings) {
    static const std::map<std::string, int> reads{
        {"none", 0},
        {"size", DocSettings::ReadSizes},
        {"tags", DocSettings::ReadTags | DocSettings::ReadSizes}};
    static const std::map<std::string, int> sizes{{"kb", 0}, {"mb", 1}};
    static const std::map<std::string, int> times{{"clock", 0}, {"sec", 1}, {"min", 2}};
    static const std::map<std::string, int> tags{{"std", 0}, {"ext", 1}};
    if (!options.Read.empty())
        settings.readtag = reads.at(options.Read);
    if (!options.SizeUnit.empty())
        settings.SizeOf = sizes.at(options.SizeUnit);
    if (!options.TimeUnit.empty())
        settings.TimeOf = times.at(options.TimeUnit);
    if (!options.TagMode.empty())
        settings.TagOf = tags.at(options.TagMode);
}

int RunGather(const Options& options, const CFindOptions& find, const ListOpsPlan& listOps) {
    CProfile profile = LoadProfile(options.Profile);
    CConsoleHost host;
    CTorvaneDoc doc(profile, host);
    ApplyOverrides(options, doc.Settings());

    int status = 0;
    for (const std::string& input : options.Inputs) {
        if (!doc.AddFile(input, !options.NoExtCheck)) {
            std::cerr << "torvane-cli: not added: " << input << "\n";
            status = 1;
        }
    }
    if (!find.Gather(doc))
        status = 1;
    ApplyListOps(doc, listOps);

    const DisplayUnits units = doc.Settings().Units();
    for (const CListData* record : doc.CurrentList()) {
        if (options.Json)
            std::cout << RecordJson(*record, units).Text() << "\n";
        else
            std::cout << RecordLine(*record, units) << "\n";
    }
    return status;
}

int RunInfo(const Options& options) {
    CProfile profile = LoadProfile(options.Profile);
    const CTextCodec codec(
        profile.GetString(CTorvaneDoc::AppSection, "TagCodePage", CTextCodec::DefaultCodePage));
    const DisplayUnits units{};
    int status = 0;
    for (const std::string& path : options.InfoFiles) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            std::cerr << "torvane-cli: no such file: " << path << "\n";
            status = 1;
            continue;
        }
        CListData record;
        record.SetPath(path);
        record.ReadInfo(codec);
        const std::string reader =
            record.Has(CListData::InfoRead) ? ReaderForExtension(record.Ext()) : std::string();
        CJsonObject json = RecordJson(record, units);
        if (reader.empty())
            json.AddNull("reader");
        else
            json.Add("reader", reader);
        std::cout << json.Text() << "\n";
    }
    return status;
}

} // namespace
} // namespace torvane::cli

int main(int argc, char** argv) {
    using namespace torvane::cli;
    Options options;
    CLI::App app{"Torvane playlist maker, command-line tool: gathers audio files into a list "
                 "and prints it, or prints the information of single files."};
    app.add_option("--profile", options.Profile, "Profile (settings) file to read");
    app.add_flag("--no-ext-check", options.NoExtCheck, "Accept files whatever their extension");
    app.add_option("--read", options.Read, "What to read when a file is added")
        ->check(CLI::IsMember({"none", "size", "tags"}));
    app.add_option("--size-unit", options.SizeUnit, "Size column unit")
        ->check(CLI::IsMember({"kb", "mb"}));
    app.add_option("--time-unit", options.TimeUnit, "Time column unit")
        ->check(CLI::IsMember({"clock", "sec", "min"}));
    app.add_option("--tag-mode", options.TagMode, "Tag set shown: standard or extended")
        ->check(CLI::IsMember({"std", "ext"}));
    auto* print = app.add_flag("--print", options.Print,
                               "Print one line per record: the fifteen column texts, tab-separated "
                               "(the default output)");
    app.add_flag("--json", options.Json, "Print one JSON object per record (JSON Lines)")
        ->excludes(print);
    app.add_option("INPUT", options.Inputs, "Audio files to gather");
    const CFindOptions find(app);
    const CListOpsOptions listOps(app);

    auto* info = app.add_subcommand("info", "Print every field of each file's record as JSON");
    info->add_option("--profile", options.Profile, "Profile (settings) file to read");
    info->add_option("FILE", options.InfoFiles, "Files to read")->required();
    app.require_subcommand(0, 1);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    if (info->parsed())
        return RunInfo(options);
    if (options.Inputs.empty() && !find.Given()) {
        std::cerr << "torvane-cli: no INPUT given (see --help)\n";
        return 2;
    }
    return RunGather(options, find, listOps.Plan());
}
