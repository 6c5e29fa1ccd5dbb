// The soak run: one process gathers a synthetic tree of COUNT files (default 100,000) with tags
// read, sorts, searches, removes duplicates, saves in every playlist format and per folder,
// reads its own playlist back, then releases everything. Meant to be built with the sanitizers
// (see README.md): it prints the time of each step, the peak resident memory and
// LeakSanitizer's verdict, and exits non-zero when a step went wrong or memory leaked.
//
//   torvane_soak DIR [COUNT]
//
// The tree is made under DIR/tree on the first run (files of a 128-byte ID3v1 tag, 100 to a
// folder; titles repeat so that about three in ten files are duplicates) and kept for later
// runs of the same COUNT.

#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/gather/Gathering.h"
#include "core/gather/ListFileReader.h"
#include "core/listops/Duplicates.h"
#include "core/listops/Search.h"
#include "core/listops/SearchRequest.h"
#include "core/listops/Sorting.h"
#include "core/record/Columns.h"
#include "core/save/FolderSaver.h"
#include "core/save/PlaylistWriter.h"
#include "core/settings/Profile.h"
#include "texts/MessageTexts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

using namespace torvane;
namespace fs = std::filesystem;

class CSoakView final : public CListViewPort {
public:
    int ItemCount() const override { return m_Count; }
    void SetItemCount(int count) override { m_Count = count; }
    std::vector<int> SelectedRows() const override { return {}; }
    void SelectRows(const std::vector<int>&) override {}
    void SetFocusRow(int) override {}
    void EnsureVisible(int) override {}
    void Redraw() override {}
    void SetItemCountText(const CMessage&) override {}
    void UpdateSelectionTexts() override {}

private:
    int m_Count = 0;
};

// Messages go to stderr; an error message counts as a failure.
class CSoakHost final : public CUiHost {
public:
    MessageAnswer ShowMessage(MessageKind kind, const CMessage& message, MessageButtons) override {
        if (kind == MessageKind::Error)
            ++Failures;
        std::cerr << "message: " << CaptionSource(kind) << ": " << JapaneseText(message) << "\n";
        return MessageAnswer::Ok;
    }
    void Beep() override {}
    void SetWaitCursor(bool) override {}
    bool LoadTypeIcon(const std::string&, int) override { return false; }
    std::unique_ptr<CProgress> OpenProgress() override { return std::make_unique<CProgress>(); }

    int Failures = 0;
};

// An ID3v1 tag alone: title, artist and album padded to 30 bytes each.
std::string Id3v1(int index) {
    std::string tag(128, '\0');
    const auto put = [&](size_t at, const std::string& text) {
        std::memcpy(tag.data() + at, text.data(), std::min<size_t>(text.size(), 30));
    };
    std::memcpy(tag.data(), "TAG", 3);
    put(3, "Title " + std::to_string(index % 70'000));
    put(33, "Artist " + std::to_string(index % 70'000 % 300));
    put(63, "Album " + std::to_string(index % 70'000 % 1'000));
    tag[127] = static_cast<char>(index % 80);
    return tag;
}

std::string MakeTree(const std::string& dir, int count) {
    const std::string tree = dir + "/tree";
    const std::string marker = dir + "/tree.count";
    std::ifstream in(marker);
    int made = -1;
    if (in >> made && made == count)
        return tree;
    fs::remove_all(tree);
    for (int i = 0; i < count; ++i) {
        const std::string folder = tree + "/" + std::to_string(i / 100);
        if (i % 100 == 0)
            fs::create_directories(folder);
        std::ofstream(folder + "/" + std::to_string(i) + ".mp3", std::ios::binary) << Id3v1(i);
    }
    std::ofstream(marker) << count;
    return tree;
}

class CSteps {
public:
    template <typename Step> void Run(const char* name, Step step) {
        const auto start = std::chrono::steady_clock::now();
        const std::string result = step();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%-28s %8.2f s  %s\n", name, took.count(), result.c_str());
        std::fflush(stdout);
    }
};

long PeakMemoryKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Everything the document held is gone when this returns.
int Soak(const std::string& dir, int count) {
    CSteps steps;
    std::string tree;
    steps.Run("make the tree", [&] {
        tree = MakeTree(dir, count);
        return tree;
    });
    CProfile profile(dir + "/torvane.ini");
    CSoakHost host;
    CSoakView view;
    int problems = 0;
    const auto expect = [&](bool ok, const std::string& what) {
        if (!ok) {
            ++problems;
            std::cerr << "wrong: " << what << "\n";
        }
        return what;
    };
    {
        CTorvaneDoc doc(profile, host);
        doc.SetView(&view);
        doc.Settings().readtag = DocSettings::ReadTags | DocSettings::ReadSizes;
        const auto size = [&] { return doc.CurrentList().size(); };

        steps.Run("gather with tags", [&] {
            OpenFolder(doc, tree);
            return expect(size() == size_t(count), std::to_string(size()) + " records");
        });
        steps.Run("sort by title", [&] {
            SortAll(doc, ColTitle, false);
            return expect(doc.CurrentList().front()->GetTitle(TagMode::Standard) == "Title 0",
                          "first " +
                              std::string(doc.CurrentList().front()->GetTitle(TagMode::Standard)));
        });
        steps.Run("sort by path, descending", [&] {
            SortAll(doc, ColFilePath, true);
            return std::string("last ") + doc.CurrentList().back()->FilePath();
        });
        steps.Run("search \"title 1\"", [&] {
            SearchRequest request;
            request.target = SearchTarget::Title;
            SplitSearchTerms(request, "title 1");
            RunSearch(doc, request);
            const std::string found = std::to_string(size()) + " found";
            ToggleSearchMode(doc);
            return expect(doc.SearchList().size() > 0 && !doc.SearchMode(), found);
        });
        steps.Run("remove duplicates", [&] {
            const int removed = RemoveDuplicates(doc);
            const int expected = count > 70'000 ? count - 70'000 : 0;
            return expect(removed == expected, std::to_string(removed) + " removed");
        });
        for (const char* name : {"soak.m3u", "soak.m3u8", "soak.pls", "soak.xspf"}) {
            steps.Run((std::string("save ") + name).c_str(), [&] {
                const bool written = WritePlaylistFile(doc, dir + "/" + name, {});
                return expect(written, std::to_string(fs::file_size(dir + "/" + name)) + " bytes");
            });
        }
        steps.Run("save per folder", [&] {
            const FolderGroups groups = GroupByFolder(doc.CurrentList());
            const bool written = SaveEachFolder(doc, groups, {false, dir + "/folders.txt"});
            return expect(written, std::to_string(groups.Groups.size()) + " playlists");
        });
        const size_t kept = size();
        steps.Run("read the playlist back", [&] {
            doc.UpdateItemCount();
            doc.ClearCurrentList();
            ReadListFile(doc, dir + "/soak.m3u8", nullptr, 100);
            return expect(size() == kept, std::to_string(size()) + " records");
        });
    }
    std::printf("peak resident memory       %8.1f MiB\n", PeakMemoryKiB() / 1024.0);
    return problems + host.Failures;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: torvane_soak DIR [COUNT]\n");
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 100'000;
    fs::create_directories(argv[1]);
    const int problems = Soak(fs::absolute(argv[1]).string(), count);
#if defined(__SANITIZE_ADDRESS__)
    const bool leaked = __lsan_do_recoverable_leak_check() != 0;
    std::printf("LeakSanitizer              %s\n",
                leaked ? "leaks found (report above)" : "no leaks");
#else
    const bool leaked = false;
    std::printf("LeakSanitizer              not built in (configure with -DTORVANE_SANITIZE=ON)\n");
#endif
    return problems > 0 || leaked ? 1 : 0;
}
