// torvane-cli: the program's core without a window. Gathers inputs into the all list and prints
// or writes them, or prints the full information of single files.

#include "cli/ConsoleHost.h"
#include "cli/FindOptions.h"
#include "cli/GatherOptions.h"
#include "cli/Language.h"
#include "cli/ListOpsOptions.h"
#include "cli/Output.h"
#include "cli/RecordOutput.h"
#include "core/base/Paths.h"
#include "core/doc/TorvaneDoc.h"
#include "core/media/ReaderTable.h"
#include "core/reading/ReadAhead.h"
#include "core/reading/TagCache.h"
#include "core/settings/Profile.h"
#include "core/settings/ProfileLocation.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <new>

namespace torvane::cli {
namespace {

struct InfoOptions {
    std::string Profile;
    std::vector<std::string> Files;
};

CProfile LoadProfile(const std::string& option) {
    CProfile profile(ResolveProfilePath(option));
    profile.Load();
    return profile;
}

// Keeps what this run read in the tag cache; false, reported, when the cache could not be
// written (the old one stays).
bool SaveTagCache(CTorvaneDoc& doc) {
    std::string error;
    if (doc.SaveTagCache(error))
        return true;
    ReportCannotWrite(error);
    doc.Host().ShowMessage(MessageKind::Error, MessageId::OpenFailed, MessageButtons::Ok);
    return false;
}

// Gathers the inputs into the all list, then prints or writes it; list operations belong
// between the two steps.
int RunGather(const GatherOptions& options, const CFindOptions& find, const ListOpsPlan& listOps) {
    CProfile profile = LoadProfile(options.Profile);
    CConsoleHost host;
    CTorvaneDoc doc(profile, host);
    ApplyOverrides(options, doc.Settings());
    if (!options.NoCache)
        doc.UseTagCache(
            std::make_unique<CTagCache>(TagCachePath(profile.Path()), doc.Settings().TagCodePage));

    int status = GatherInputs(doc, options) ? 0 : 1;
    if (!find.Gather(doc))
        status = 1;
    ApplyListOps(doc, listOps);
    if (!WriteOutputs(doc, options))
        status = 1;
    if (!SaveTagCache(doc))
        status = 1;
    return status;
}

int RunInfo(const InfoOptions& options) {
    CProfile profile = LoadProfile(options.Profile);
    const CTextCodec codec(CTorvaneDoc::StoredTagCodePage(profile));
    const DisplayUnits units{};
    int status = 0;
    for (const std::string& path : options.Files) {
        if (KindOf(path) == PathKind::Missing) {
            std::cerr << "torvane-cli: " << Say("no such file: ", "ファイルがありません: ") << path
                      << "\n";
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

// What was printed must have arrived: a failed write is a failure, not a success.
int CheckStandardOutput(int status) {
    std::string error;
    if (StandardOutputWritten(error))
        return status;
    ReportCannotWrite(error);
    return 1;
}

} // namespace
} // namespace torvane::cli

namespace {

int Main(int argc, char** argv) {
    using namespace torvane::cli;
    GatherOptions options;
    InfoOptions infoOptions;
    CLI::App app{"Torvane playlist maker, command-line tool: gathers audio files, folders and "
                 "list files into a list and prints or writes it, or prints the information of "
                 "single files."};
    AddGatherOptions(app, options);
    const CFindOptions find(app);
    const CListOpsOptions listOps(app);

    auto* info = app.add_subcommand(
        "info", "Print every field of each file's record as JSON (FilePathBytes as with --json)");
    info->add_option("--profile", infoOptions.Profile, "Profile (settings) file to read");
    info->add_option("FILE", infoOptions.Files, "Files to read")->required();
    app.require_subcommand(0, 1);
    app.set_version_flag("--version", "torvane-cli " TORVANE_VERSION);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    if (info->parsed()) {
        if (infoOptions.Profile.empty())
            infoOptions.Profile = options.Profile;
        return CheckStandardOutput(RunInfo(infoOptions));
    }
    if (options.Inputs.empty() && !find.Given()) {
        std::cerr << "torvane-cli: "
                  << Say("no INPUT given (see --help)",
                         "INPUT が指定されていません (--help を参照)")
                  << "\n";
        return 2;
    }
    return CheckStandardOutput(RunGather(options, find, listOps.Plan()));
}

} // namespace

// The last place an exception can be caught: a lack of memory that no operation caught ends the
// run with a message and status 1, not with an abort.
int main(int argc, char** argv) {
    try {
        torvane::CReadAhead::EndProcess(Main(argc, argv));
    } catch (const std::bad_alloc&) {
        std::cerr << "torvane-cli: " << torvane::cli::Say("out of memory", "メモリが足りません")
                  << "\n";
    } catch (const std::exception& e) {
        std::cerr << "torvane-cli: " << e.what() << "\n";
    }
    torvane::CReadAhead::EndProcess(1);
}
