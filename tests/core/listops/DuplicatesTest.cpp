#include "core/listops/Duplicates.h"
#include "ListOpsFixture.h"
#include "MpegFill.h"

#include <array>
#include <random>

namespace torvane {
namespace {

using test::Texts;

using test::Tags;

// The duplicate check as first written, kept plain as an oracle: every record against every
// later one, at most maxRounds rounds (a cancel between rounds).
int LiteralRemoveDuplicates(CTorvaneDoc& doc, size_t maxRounds = SIZE_MAX) {
    TrackList& list = doc.CurrentList();
    const size_t start = list.size();
    size_t n = start;
    for (size_t i = 0; i + 1 < n && i < maxRounds; ++i) {
        CListData* base = list[i];
        for (size_t j = i + 1; j < n;) {
            if (base->CompareForDuplicate(*list[j], doc.Codec()) !=
                CListData::DuplicateMatch::Different) {
                doc.ReleaseItem(list, j);
                list.erase(list.begin() + static_cast<ptrdiff_t>(j));
                --n;
            } else {
                ++j;
            }
        }
    }
    return static_cast<int>(start - list.size());
}

int LiteralListDuplicates(CTorvaneDoc& doc, size_t maxRounds = SIZE_MAX) {
    TrackList& search = doc.SearchList();
    const size_t oldCount = search.size();
    TrackList work = doc.CurrentList();
    size_t n = work.size();
    const auto append = [&](CListData* record) {
        record->AddRef();
        search.push_back(record);
    };
    for (size_t p = 0; p + 1 < n && p < maxRounds; ++p) {
        CListData* base = work[p];
        bool found = false;
        for (size_t j = p + 1; j < n;) {
            const CListData::DuplicateMatch r = base->CompareForDuplicate(*work[j], doc.Codec());
            if (r != CListData::DuplicateMatch::Different) {
                if (r == CListData::DuplicateMatch::SameTrack)
                    append(work[j]);
                work.erase(work.begin() + static_cast<ptrdiff_t>(j));
                --n;
                found = true;
            } else {
                ++j;
            }
        }
        if (found)
            append(base);
    }
    for (size_t i = 0; i < oldCount; ++i)
        doc.ReleaseItem(search, i);
    search.erase(search.begin(), search.begin() + static_cast<ptrdiff_t>(oldCount));
    doc.SetSearchMode(true);
    return static_cast<int>(search.size());
}

// Paths and counts of both lists: what the two algorithms must agree on.
std::vector<std::string> Snapshot(CTorvaneDoc& doc) {
    std::vector<std::string> lines{std::to_string(doc.SearchMode())};
    for (const TrackList* list : {&doc.SearchList(), &doc.AllList()}) {
        for (const CListData* record : *list)
            lines.push_back(record->FilePath() + " " + std::to_string(record->RefCount()));
        lines.emplace_back("--");
    }
    return lines;
}

// Builds the same random list into any document: read records with few distinct sizes and
// tags, records that cannot be read (missing files, an existing file of a type without a
// reader, of the same size as untagged read ones), and records standing twice.
void BuildRandomList(CTorvaneDoc& doc, uint32_t seed, const std::string& unreadable) {
    std::mt19937 random(seed);
    doc.Settings().readtag = 0;
    const int count = seed % 10 == 0 ? 400 : static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
        const unsigned kind = random() % 10;
        TrackList& list = doc.CurrentList();
        if (kind == 0 && !list.empty()) {
            CListData* again = list[random() % list.size()];
            again->AddRef();
            list.push_back(again);
            continue;
        }
        if (kind == 1) {
            doc.AddFile(random() % 2 ? "/gone/" + std::to_string(random() % 2) + ".mp3"
                                     : unreadable,
                        false);
            continue;
        }
        doc.AddFile("/m/" + std::to_string(i) + ".mp3", false);
        CListData* record = list.back();
        const char* title = std::array{"", "t", "T"}[random() % 3];
        const char* artist = random() % 2 ? "" : "a";
        test::FillAsMpeg(*record, Tags(title, artist));
        record->SetSize(random() % 2 ? 100 : 200);
        record->SetState(CListData::InfoRead, true);
    }
    // Some records shared with the search list, so that listing releases what it held.
    if (count > 0 && random() % 2) {
        TrackList& all = doc.AllList();
        for (size_t i = 0; i < all.size(); i += 3) {
            all[i]->AddRef();
            doc.SearchList().push_back(all[i]);
        }
        if (random() % 2)
            doc.SetSearchMode(true);
    }
}

class DuplicatesTest : public test::ListOpsTest {
protected:
    const std::string unreadable = dir.Write("readme.txt", std::string(100, 'x'));
};

TEST_F(DuplicatesTest, CheckKeepsTheFirstAndListingPutsItLast) {
    Add("/m/A.mp3", Tags("t", "a", "x"), 100);
    Add("/m/B.mp3", Tags("u", "a", "x"), 100);
    Add("/m/A2.mp3", Tags("t", "a", "x"), 100);
    Add("/m/a3.mp3", Tags("T", "a", "x"), 100); // letter case differs: no duplicate

    EXPECT_EQ(ListDuplicates(doc), 2);
    EXPECT_EQ(Names(doc.SearchList()), (Texts{"A2", "A"}));
    EXPECT_EQ(doc.SearchMode(), true);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text.rfind("2件の重複がありました。\n\t処理時間 ", 0), 0u);
    EXPECT_EQ(host.Messages[0].Caption, "");

    doc.SetSearchMode(false);
    EXPECT_EQ(RemoveDuplicates(doc), 1);
    EXPECT_EQ(Names(), (Texts{"A", "B", "a3"}));
    EXPECT_EQ(host.Messages[1].Text.rfind("1件の重複がありました。", 0), 0u);
    EXPECT_EQ(view.CountText, " 3 件");
    EXPECT_EQ(doc.SearchList()[0]->RefCount(), 1) << "A2 lives on in the search list";
    EXPECT_EQ(host.ProgressOpened, 2);
    EXPECT_EQ(host.ProgressClosed, 2);
}

TEST_F(DuplicatesTest, RecordsThatCannotBeReadAreNoDuplicates) {
    Add(dir / "gone.mp3", {}, 0, false);
    Add(dir / "gone.mp3", {}, 0, false);
    Add("/m/untagged.mp3", Tags(""), 100);
    Add(unreadable, {}, 0, false); // same size, no tags to compare: still no duplicate
    EXPECT_EQ(RemoveDuplicates(doc), 0);
    EXPECT_EQ(doc.CurrentList().size(), 4u);
    EXPECT_EQ(host.Messages.back().Text.rfind("重複は見つかりませんでした。\n\t処理時間 ", 0), 0u);
    EXPECT_TRUE(doc.CurrentList()[0]->Has(CListData::Missing)) << "read during the check";

    CListData untagged;
    untagged.SetPath(unreadable);
    untagged.ReadInfo(doc.Codec());
    EXPECT_EQ(doc.CurrentList()[2]->CompareForDuplicate(untagged, doc.Codec()),
              CListData::DuplicateMatch::Different);
    EXPECT_EQ(untagged.CompareForDuplicate(*doc.CurrentList()[2], doc.Codec()),
              CListData::DuplicateMatch::Different);

    EXPECT_EQ(ListDuplicates(doc), 0);
    EXPECT_TRUE(doc.SearchList().empty());
    EXPECT_EQ(doc.SearchMode(), true) << "switched even without a find";
}

TEST_F(DuplicatesTest, ARecordStandingTwiceInTheSearchList) {
    CListData* song = Add("/m/song.mp3", Tags("t"), 100);
    Share(song, doc.SearchList());
    Share(song, doc.SearchList());
    doc.SetSearchMode(true);
    EXPECT_EQ(ListDuplicates(doc), 1) << "its first slot once, as the group's first member";
    EXPECT_EQ(doc.SearchList().size(), 1u);
    EXPECT_EQ(song->RefCount(), 2);

    Share(song, doc.SearchList());
    EXPECT_EQ(RemoveDuplicates(doc), 1);
    EXPECT_EQ(doc.SearchList().size(), 1u);
    EXPECT_EQ(song->RefCount(), 2) << "the record survives in the all list and the first slot";
}

TEST_F(DuplicatesTest, ProgressFollowsTheShrinkingList) {
    for (int i = 0; i < 6; ++i)
        Add("/m/" + std::to_string(i) + ".mp3", Tags(i < 3 ? "same" : std::to_string(i)), 100);
    RemoveDuplicates(doc);
    // Rounds 0..2 of lists of 6, then 4 records: 0, 0 (open), 0 * 100 / 6, 1 * 100 / 4, ...
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 0, 25, 50}));
}

TEST_F(DuplicatesTest, MatchesThePairwiseAlgorithmOnRandomLists) {
    for (uint32_t seed = 0; seed < 80; ++seed) {
        for (bool listing : {false, true}) {
            CProfile otherProfile;
            test::CFakeHost otherHost;
            CTorvaneDoc literal(otherProfile, otherHost);
            BuildRandomList(literal, seed, unreadable);
            const int expected =
                listing ? LiteralListDuplicates(literal) : LiteralRemoveDuplicates(literal);

            CTorvaneDoc fast(otherProfile, otherHost);
            BuildRandomList(fast, seed, unreadable);
            EXPECT_EQ(listing ? ListDuplicates(fast) : RemoveDuplicates(fast), expected);
            ASSERT_EQ(Snapshot(fast), Snapshot(literal)) << "seed " << seed << " " << listing;
        }
    }
}

// A cancel ends the check between rounds: what was done stands, as after that many rounds of
// the pairwise algorithm.
TEST_F(DuplicatesTest, ACancelKeepsWhatWasDone) {
    for (int cancelAfter = 1; cancelAfter < 30; ++cancelAfter) {
        for (bool listing : {false, true}) {
            CProfile otherProfile;
            test::CFakeHost cancelling;
            cancelling.CancelAfter = cancelAfter;
            CTorvaneDoc fast(otherProfile, cancelling);
            BuildRandomList(fast, 3, unreadable);
            listing ? ListDuplicates(fast) : RemoveDuplicates(fast);
            const auto result = Snapshot(fast);

            bool matched = false;
            for (size_t rounds = 0; rounds < 40 && !matched; ++rounds) {
                test::CFakeHost otherHost;
                CTorvaneDoc literal(otherProfile, otherHost);
                BuildRandomList(literal, 3, unreadable);
                listing ? LiteralListDuplicates(literal, rounds)
                        : LiteralRemoveDuplicates(literal, rounds);
                matched = Snapshot(literal) == result;
            }
            EXPECT_TRUE(matched) << "cancel after " << cancelAfter << " " << listing;
        }
    }
}

TEST(DuplicateMessages, TextsAndSeconds) {
    EXPECT_EQ(JapaneseText(DuplicateMessage(3, 2)), "3件の重複がありました。\n\t処理時間 2秒");
    EXPECT_EQ(JapaneseText(DuplicateMessage(0, 1)), "重複は見つかりませんでした。\n\t処理時間 1秒");
    using std::chrono::milliseconds;
    EXPECT_EQ(ReportedSeconds(milliseconds(400)), 1);
    EXPECT_EQ(ReportedSeconds(milliseconds(2500)), 3);
}

} // namespace
} // namespace torvane
