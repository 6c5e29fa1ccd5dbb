#include "core/listops/Sorting.h"
#include "ListOpsFixture.h"
#include "MpegFill.h"

#include <algorithm>
#include <random>

namespace torvane {
namespace {

using test::Texts;

using test::Tags;

// The sort as first written, kept plain as an oracle: key texts built afresh at every
// comparison, the pivot read at position mid at each comparison, both parts recursed.
class CLiteralSort {
public:
    CLiteralSort(TrackList& list, ColumnKey key, bool descending, SortKeyContext context)
        : m_List(list), m_Key(key), m_Descending(descending), m_Context(context) {}

    void SortAll() {
        if (m_List.empty())
            return;
        QuickSortPass(0, static_cast<ptrdiff_t>(m_List.size()) - 1);
        InsertionPass(0, static_cast<ptrdiff_t>(m_List.size()) - 1);
    }

    void SortSelection(std::vector<int> selected) {
        if (selected.size() < 2)
            return;
        // Each selected row after the first is taken out and put right below the previous one.
        const int first = selected.front();
        int prev = first;
        for (size_t k = 1; k < selected.size(); ++k) {
            const int next = selected[k];
            if (next != prev + 1) {
                CListData* record = m_List.at(static_cast<size_t>(next));
                m_List.erase(m_List.begin() + next);
                m_List.insert(m_List.begin() + prev + 1, record);
                prev = prev + 1;
            } else {
                prev = next;
            }
        }
        QuickSortPass(first, prev);
        InsertionPass(first, prev);
    }

private:
    std::strong_ordering Compare(ptrdiff_t a, ptrdiff_t b) const {
        return CompareItems(*m_List.at(static_cast<size_t>(a)), *m_List.at(static_cast<size_t>(b)),
                            m_Key, m_Context);
    }

    void QuickSortPass(ptrdiff_t lo, ptrdiff_t hi) {
        const ptrdiff_t mid = (lo + hi) / 2;
        ptrdiff_t i = lo;
        ptrdiff_t j = hi;
        do {
            if (m_Descending) {
                while (Compare(i, mid) > 0)
                    ++i;
                while (Compare(mid, j) > 0)
                    --j;
            } else {
                while (Compare(i, mid) < 0)
                    ++i;
                while (Compare(mid, j) < 0)
                    --j;
            }
            if (i <= j) {
                std::swap(m_List.at(static_cast<size_t>(i)), m_List.at(static_cast<size_t>(j)));
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j)
            QuickSortPass(lo, j);
        if (i < hi)
            QuickSortPass(i, hi);
    }

    void InsertionPass(ptrdiff_t lo, ptrdiff_t hi) {
        for (ptrdiff_t p = lo + 1; p <= hi; ++p) {
            for (ptrdiff_t a = p - 1; a >= lo; --a) {
                const std::strong_ordering r = Compare(a, a + 1);
                if (!((!m_Descending && r > 0) || (m_Descending && r < 0)))
                    break;
                std::swap(m_List.at(static_cast<size_t>(a)), m_List.at(static_cast<size_t>(a + 1)));
            }
        }
    }

    TrackList& m_List;
    ColumnKey m_Key;
    bool m_Descending;
    SortKeyContext m_Context;
};

std::unique_ptr<CListData> Record(const std::string& path) {
    auto record = std::make_unique<CListData>();
    record->SetPath(path);
    return record;
}

TEST(SortKeys, FoldOnlyAsciiLettersAndCompareUnsignedBytes) {
    EXPECT_TRUE(CompareSortTexts("abc", "ABC") == 0);
    EXPECT_TRUE(CompareSortTexts("a", "B") < 0);
    EXPECT_TRUE(CompareSortTexts("Z", "_") > 0) << "'Z' folds to 'z', which is above '_'";
    EXPECT_TRUE(CompareSortTexts("ab", "abc") < 0) << "the shorter text first";
    EXPECT_TRUE(CompareSortTexts("\xC3\xA9", "z") > 0) << "bytes above 0x7F compare unsigned";
    EXPECT_TRUE(CompareSortTexts("\xC3\x89", "\xC3\xA9") != 0) << "no folding outside ASCII";
}

TEST(SortKeys, IgnoreLeadingDigitsOfNamesAndPaths) {
    const SortKeyContext on{TagMode::Standard, true};
    for (const char* name : {"/a/01_Intro.mp3", "/a/2 Intro.mp3", "/a/Intro.mp3"})
        EXPECT_EQ(SortKeyText(*Record(name), ColFileName, on), "Intro") << name;
    EXPECT_EQ(SortKeyText(*Record("/a/-x.mp3"), ColFileName, on), "x");
    EXPECT_EQ(SortKeyText(*Record("/a/01 - Song.mp3"), ColFileName, on), "- Song");
    EXPECT_EQ(SortKeyText(*Record("/a/01 - Song.mp3"), ColFileName, {}), "01 - Song");

    EXPECT_EQ(SortKeyText(*Record("/a/01 b.mp3"), ColFilePath, on), "/a/b");
    EXPECT_TRUE(CompareItems(*Record("/a/01 b.mp3"), *Record("/a/b.wav"), ColFilePath, on) == 0);
    EXPECT_EQ(SortKeyText(*Record("C:\\a\\01 b.mp3"), ColFilePath, on), "C:\\a\\b");
    EXPECT_EQ(SortKeyText(*Record("01 b.mp3"), ColFilePath, on), "01 b.mp3")
        << "no separator: the whole path";
    EXPECT_EQ(SortKeyText(*Record("/a/01 b.mp3"), ColFilePath, {}), "/a/01 b.mp3");
}

TEST(SortKeys, NumbersAreRightAlignedTexts) {
    const auto owner = Record("/a/x.mp3");
    CListData& record = *owner;
    record.SetSize(-1);
    EXPECT_EQ(SortKeyText(record, ColSize, {}), "             -1");
    record.SetSize(int64_t{5} << 32);
    EXPECT_EQ(SortKeyText(record, ColSize, {}), "    21474836480") << "64-bit sizes fit";

    AudioInfo info = Tags("t");
    info.Std.TrackNum = "";
    info.TagFlags = AudioInfo::TagId3v2;
    for (const auto& [text, key] : {std::pair{"3/12", "3"}, {"x7", "0"}, {" -4", "-4"}}) {
        info.Ext.TrackNum = text;
        test::FillAsMpeg(record, info);
        EXPECT_EQ(SortKeyText(record, ColTrackNum, {}), std::string(15 - strlen(key), ' ') + key)
            << text;
    }
    EXPECT_EQ(SortKeyText(record, ColGenre, {}), "");
    EXPECT_EQ(SortKeyText(record, ColYear, {}), "");
    EXPECT_EQ(SortKeyText(record, static_cast<ColumnKey>(99), {}), "");
}

class SortingTest : public test::ListOpsTest {};

TEST_F(SortingTest, MinusOnePlacesBetweenOneAndTwoDigitsAndEmptyTagsFirst) {
    for (int rate : {128, -1, 5, 32, 9}) {
        AudioInfo info = Tags(rate == 5 ? "" : "t" + std::to_string(rate));
        info.BitRate = rate;
        Add("/m/" + std::to_string(rate) + ".mp3", info);
    }
    SortAll(doc, ColBitRate, false);
    EXPECT_EQ(Names(), (Texts{"5", "9", "-1", "32", "128"}));
    SortAll(doc, ColTitle, false);
    EXPECT_EQ(Names().front(), "5") << "the empty title first";
}

TEST_F(SortingTest, HeaderClicksToggleTheDirection) {
    Add("/m/b.mp3", Tags("x"));
    Add("/m/c.mp3", Tags("y"));
    Add("/m/a.mp3", Tags("y"));
    CSortFlags flags;
    SortAll(doc, ColFileName, flags.Take(ColFileName));
    EXPECT_EQ(Names(), (Texts{"a", "b", "c"}));
    SortAll(doc, ColFileName, flags.Take(ColFileName));
    EXPECT_EQ(Names(), (Texts{"c", "b", "a"}));
    SortAll(doc, ColFileName, flags.Take(ColFileName));
    EXPECT_EQ(Names(), (Texts{"a", "b", "c"}));

    // Another key in between starts the first one over; equal titles fall back on the path.
    EXPECT_FALSE(flags.Take(ColTitle));
    EXPECT_FALSE(flags.Take(ColFileName));
    SortAll(doc, ColTitle, true);
    EXPECT_EQ(Names(), (Texts{"c", "a", "b"}));

    // Genre has no key text: the path alone decides, in the toggled direction.
    SortAll(doc, ColGenre, false);
    EXPECT_EQ(Names(), (Texts{"a", "b", "c"}));
    SortAll(doc, ColGenre, true);
    EXPECT_EQ(Names(), (Texts{"c", "b", "a"}));
}

TEST_F(SortingTest, ProgressRedrawAndEmptyLists) {
    SortAll(doc, ColFilePath, false);
    EXPECT_EQ(host.ProgressOpened, 0) << "an empty list is left alone";

    Add("/m/only.mp3");
    SortAll(doc, ColFilePath, false);
    EXPECT_EQ(Names(), (Texts{"only"}));
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(host.ProgressClosed, 1);
    EXPECT_EQ(view.Redraws, 1);
    EXPECT_FALSE(host.WaitCursor);
}

TEST_F(SortingTest, RangeSortGathersTheSelectionFirst) {
    // Names run against the row order, so any sort that reached rows 0 and 1 would move them.
    for (int i = 0; i < 10; ++i)
        Add("/m/" + std::string(1, static_cast<char>('j' - i)) + ".mp3", Tags(std::to_string(i)));
    const std::vector<int> selected{2, 5, 7};
    const RowSelection result = SortSelection(doc, selected, ColTitle, true);
    EXPECT_EQ(result.Rows, (std::vector<int>{2, 3, 4}));
    // Gathered as 0, 1, 2, 5, 7, 3, 4, 6, 8, 9, then the block sorted by title descending.
    std::vector<std::string> titles;
    for (const CListData* record : doc.CurrentList())
        titles.emplace_back(record->GetTitle(TagMode::Standard));
    EXPECT_EQ(titles, Numbers({0, 1, 7, 5, 2, 3, 4, 6, 8, 9}));

    const int opened = host.ProgressOpened;
    EXPECT_EQ(SortSelection(doc, std::vector<int>{4}, ColTitle, false).Rows, (std::vector<int>{4}));
    EXPECT_EQ(SortSelection(doc, std::vector<int>{4, 40}, ColTitle, false).Rows,
              (std::vector<int>{4}))
        << "rows past the end are dropped";
    EXPECT_EQ(host.ProgressOpened, opened) << "fewer than two rows: no sort";
}

// Random lists with many equal keys (equal titles, sizes, names and even equal paths): the
// order of equal records is fixed by the partition steps, so this compares exact orders.
TEST_F(SortingTest, MatchesTheLiteralAlgorithmOnRandomLists) {
    std::mt19937 random(7);
    const auto pick = [&](std::initializer_list<const char*> texts) {
        return std::string(texts.begin()[random() % texts.size()]);
    };
    for (int round = 0; round < 60; ++round) {
        doc.ClearCurrentList();
        // The first list is long enough for the key texts to take mapped scratch memory.
        const int count = round == 0 ? 4000 : static_cast<int>(random() % 120);
        for (int i = 0; i < count; ++i) {
            const std::string name = pick({"01 a", "1_a", "a", "A", "02-b", "b", "10 c"});
            const std::string folder = pick({"/m/", "/M/", "/m/x/"});
            AudioInfo info = Tags(pick({"", "love", "Love", "song", "z"}), pick({"", "x", "X"}));
            info.BitRate = static_cast<int32_t>(random() % 4) * 64 - 1;
            info.PlayTime = static_cast<int32_t>(random() % 3) * 100;
            Add(folder + name + pick({".mp3", ".wav"}), info,
                static_cast<int64_t>(random() % 4) * 1000 - 1);
        }
        doc.UpdateItemCount();
        const auto key = static_cast<ColumnKey>(random() % ColumnCount);
        const bool descending = random() % 2 == 1;
        doc.Settings().DisNum = random() % 2 == 1;
        doc.Settings().TagOf = random() % 2 == 1 ? TagMode::Extended : TagMode::Standard;

        TrackList expected = doc.CurrentList();
        CLiteralSort literal(expected, key, descending, SortContextOf(doc));
        if (round % 3 == 2 && count > 4) {
            std::vector<int> selected;
            for (int row = 0; row < count; ++row)
                if (random() % 3 == 0)
                    selected.push_back(row);
            literal.SortSelection(selected);
            SortSelection(doc, selected, key, descending);
        } else {
            literal.SortAll();
            SortAll(doc, key, descending);
        }
        ASSERT_EQ(doc.CurrentList(), expected) << "round " << round << " key " << key;
    }
}

// Long keys that share prefixes of every length up to past 16 bytes, made of few bytes: a NUL,
// a byte above 0x7F and letters in both cases, so that texts differ only in their length, only
// at a byte that would be a sign bit, or only past an 8-byte boundary.
TEST_F(SortingTest, MatchesTheLiteralAlgorithmOnLongSharedPrefixes) {
    std::mt19937 random(11);
    const std::string bytes("a\0A\xC3"
                            "b",
                            5);
    const auto text = [&](size_t length) {
        std::string result;
        for (size_t i = 0; i < length; ++i)
            result += bytes[random() % (i < 14 ? 2 : bytes.size())];
        return result;
    };
    for (int round = 0; round < 20; ++round) {
        doc.ClearCurrentList();
        for (int i = 0; i < 300; ++i) {
            // No path holds a NUL byte: the folders have 0x01 where the titles have NUL.
            std::string folder = "/music/" + text(random() % 18) + "/";
            std::replace(folder.begin(), folder.end(), '\0', '\x01');
            Add(folder + std::to_string(random() % 5) + ".mp3", Tags(text(random() % 20)));
        }
        doc.UpdateItemCount();
        const ColumnKey key = round % 2 == 0 ? ColTitle : ColFilePath;
        const bool descending = round % 4 >= 2;
        TrackList expected = doc.CurrentList();
        CLiteralSort(expected, key, descending, SortContextOf(doc)).SortAll();
        SortAll(doc, key, descending);
        ASSERT_EQ(doc.CurrentList(), expected) << "round " << round;
    }
}

} // namespace
} // namespace torvane
