#include "core/listops/Reorder.h"
#include "ListOpsFixture.h"

#include <set>

namespace torvane {
namespace {

class ReorderTest : public test::ListOpsTest {};

TEST_F(ReorderTest, MovesEveryRunByOneRow) {
    AddNumbered(10);
    const std::vector<int> selected{3, 4, 7};
    RowSelection up = MoveUp(doc, selected);
    EXPECT_EQ(Names(), Numbers({0, 1, 3, 4, 2, 5, 7, 6, 8, 9}));
    EXPECT_EQ(up.Rows, (std::vector<int>{2, 3, 6}));
    EXPECT_EQ(up.Visible, 2);
    EXPECT_EQ(view.Redraws, 1);

    // Back down from the moved rows restores the order.
    const RowSelection down = MoveDown(doc, up.Rows);
    EXPECT_EQ(Names(), Numbers({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(down.Rows, selected);

    EXPECT_EQ(MoveDown(doc, selected).Rows, (std::vector<int>{4, 5, 8}));
    EXPECT_EQ(Names(), Numbers({0, 1, 2, 5, 3, 4, 6, 8, 7, 9}));
    EXPECT_EQ(host.Beeps, 0);
}

TEST_F(ReorderTest, MovesStopAtTheEdgesWithABeep) {
    AddNumbered(10);
    const std::vector<int> top{0, 5};
    EXPECT_EQ(MoveUp(doc, top).Rows, top) << "row 5 could move, but nothing does";
    const std::vector<int> bottom{2, 9};
    EXPECT_EQ(MoveDown(doc, bottom).Rows, bottom);
    EXPECT_EQ(host.Beeps, 2);
    EXPECT_EQ(Names(), Numbers({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    EXPECT_TRUE(MoveUp(doc, {}).Rows.empty()) << "no selection: nothing, no beep";
    EXPECT_EQ(host.Beeps, 2);
}

TEST_F(ReorderTest, ShuffleSelectionShufflesOnlyTheGatheredBlock) {
    AddNumbered(10);
    doc.Random().Seed(11);
    const RowSelection result = ShuffleSelection(doc, std::vector<int>{2, 5, 7});
    EXPECT_EQ(result.Rows, (std::vector<int>{2, 3, 4}));
    const std::vector<std::string> names = Names();
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 2), Numbers({0, 1}));
    EXPECT_EQ(std::vector<std::string>(names.begin() + 5, names.end()), Numbers({3, 4, 6, 8, 9}));
    EXPECT_EQ(std::set<std::string>(names.begin() + 2, names.begin() + 5),
              std::set<std::string>({"2", "5", "7"}));
    EXPECT_FALSE(host.WaitCursor);
    EXPECT_EQ(host.ProgressOpened, host.ProgressClosed);

    const std::vector<std::string> before = Names();
    ShuffleSelection(doc, std::vector<int>{6});
    EXPECT_EQ(Names(), before) << "one row: nothing to shuffle";
}

// The shuffle draws r and exchanges rows i and r % (i + 1), in two passes.
TEST_F(ReorderTest, ShuffleFollowsTheGeneratorAndReachesEveryRow) {
    AddNumbered(4);
    doc.Random().Seed(3);
    CRandom random(3);
    std::vector<int> expected{0, 1, 2, 3};
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 4; ++i)
            std::swap(expected[static_cast<size_t>(i)],
                      expected[static_cast<size_t>(random.Next() % (i + 1))]);
    ShuffleAll(doc);
    EXPECT_EQ(Names(), Numbers({expected[0], expected[1], expected[2], expected[3]}));
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 0, 12, 25, 37, 0, 25, 50, 75}));

    std::set<int> rowsOfTheLast;
    for (int round = 0; round < 200; ++round) {
        ShuffleAll(doc);
        const std::vector<std::string> names = Names();
        rowsOfTheLast.insert(
            static_cast<int>(std::find(names.begin(), names.end(), "3") - names.begin()));
    }
    EXPECT_EQ(rowsOfTheLast, std::set<int>({0, 1, 2, 3}));
}

TEST_F(ReorderTest, RemoveSelectedKeepsAFocusRow) {
    AddNumbered(10);
    RowSelection result = RemoveSelected(doc, std::vector<int>{8, 9});
    EXPECT_EQ(Names(), Numbers({0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(result.Rows, (std::vector<int>{7}));
    EXPECT_EQ(result.Focus, 7);
    EXPECT_EQ(result.Visible, 7);
    EXPECT_EQ(view.CountText, " 8 件");

    result = RemoveSelected(doc, std::vector<int>{1, 3});
    EXPECT_EQ(Names(), Numbers({0, 2, 4, 5, 6, 7}));
    EXPECT_EQ(result.Rows, (std::vector<int>{1}));

    result = RemoveSelected(doc, SelectAll(6).Rows);
    EXPECT_TRUE(doc.CurrentList().empty());
    EXPECT_TRUE(result.Rows.empty());
    EXPECT_EQ(result.Focus, -1);
    EXPECT_EQ(view.CountText, " 0 件");
}

TEST_F(ReorderTest, RemovingASharedRecordFromOneListKeepsIt) {
    AddNumbered(3);
    for (CListData* record : doc.AllList())
        Share(record, doc.SearchList());
    doc.SetSearchMode(true);
    RemoveSelected(doc, std::vector<int>{0, 2});
    EXPECT_EQ(Names(doc.SearchList()), Numbers({1}));
    EXPECT_EQ(Names(doc.AllList()), Numbers({0, 1, 2}));
    EXPECT_EQ(doc.AllList()[0]->RefCount(), 1);

    doc.SetSearchMode(false);
    RemoveSelected(doc, std::vector<int>{0, 1, 2}); // deletes 0 and 2; 1 lives in the search list
    EXPECT_EQ(doc.SearchList()[0]->RefCount(), 1);
    EXPECT_EQ(doc.SearchList()[0]->FileName(), "1");
}

TEST_F(ReorderTest, SwapListsTwiceRestoresBoth) {
    AddNumbered(3);
    Share(doc.AllList()[2], doc.SearchList());
    SwapLists(doc);
    EXPECT_EQ(Names(doc.AllList()), Numbers({2}));
    EXPECT_EQ(Names(doc.SearchList()), Numbers({0, 1, 2}));
    EXPECT_EQ(view.CountText, " 1 件") << "show-all mode shows the former search list";
    EXPECT_EQ(doc.SearchMode(), false);
    SwapLists(doc);
    EXPECT_EQ(Names(doc.AllList()), Numbers({0, 1, 2}));
    EXPECT_EQ(Names(doc.SearchList()), Numbers({2}));
    EXPECT_EQ(doc.AllList()[2]->RefCount(), 2);
}

TEST(Selection, SelectAllAndInvert) {
    EXPECT_EQ(SelectAll(3).Rows, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SelectAll(3).Focus, -1) << "the focus stays";
    EXPECT_TRUE(SelectAll(0).Rows.empty());

    const RowSelection inverted = InvertSelection(5, std::vector<int>{0, 3});
    EXPECT_EQ(inverted.Rows, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(inverted.Focus, 1);
    const RowSelection none = InvertSelection(3, std::vector<int>{0, 1, 2});
    EXPECT_TRUE(none.Rows.empty());
    EXPECT_EQ(none.Focus, -1);
}

} // namespace
} // namespace torvane
