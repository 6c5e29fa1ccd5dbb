#include "core/commands/InfoCommands.h"
#include "DocFixture.h"
#include "StalledStorage.h"

#include <filesystem>

namespace torvane {
namespace {

class InfoCommandsTest : public test::DocTest {
protected:
    // Ten files of 1..10 kB, nothing read yet.
    void AddTen() {
        for (int i = 1; i <= 10; ++i)
            ASSERT_TRUE(doc.AddFile(
                dir.Write("f" + std::to_string(i) + ".mp3", std::string(i * 1024, '\0')), true));
        doc.UpdateItemCount();
    }
    std::vector<int> ReadRows() const {
        std::vector<int> rows;
        for (size_t i = 0; i < doc.CurrentList().size(); ++i)
            if (doc.CurrentList()[i]->Has(CListData::SizeRead))
                rows.push_back(static_cast<int>(i));
        return rows;
    }
};

TEST_F(InfoCommandsTest, ScopeOfTheRows) {
    AddTen();
    GetInfo(doc, InfoScope::Selection);
    EXPECT_EQ(ReadRows().size(), 10u) << "no selection: every row";
    EXPECT_EQ(view.Redraws, 1);
    EXPECT_FALSE(host.WaitCursor);

    Clear();
    AddTen();
    view.Selection = {4};
    GetSizes(doc, InfoScope::SelectionOfMany);
    EXPECT_EQ(ReadRows().size(), 10u) << "the tool bar reads all with one row selected";

    Clear();
    AddTen();
    view.Selection = {2, 7};
    GetSizes(doc, InfoScope::SelectionOfMany);
    EXPECT_EQ(ReadRows(), (std::vector<int>{2, 7}));
    GetInfo(doc, InfoScope::Selection);
    view.Selection = {3};
    GetInfo(doc, InfoScope::Selection);
    EXPECT_EQ(ReadRows(), (std::vector<int>{2, 3, 7}));
    GetInfo(doc, InfoScope::All);
    EXPECT_EQ(ReadRows().size(), 10u);
}

TEST_F(InfoCommandsTest, ProgressOfSelectedRowsAndCancel) {
    AddTen();
    view.Selection = {1, 3, 5, 99};
    host.ProgressPositions.clear();
    GetSizes(doc, InfoScope::Selection);
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 25, 50, 75}))
        << "k × 100 / s from the first; a row past the end stops the walk";

    Clear();
    AddTen();
    host.CancelAfter = 7; // SetPos(0), then SetPos and the question for each row
    GetInfo(doc, InfoScope::All);
    EXPECT_EQ(ReadRows(), (std::vector<int>{0, 1, 2})) << "items 4..10 unchanged";
    EXPECT_EQ(host.ProgressClosed, host.ProgressOpened);
}

TEST_F(InfoCommandsTest, SizesOfGoneFilesKeepTheirText) {
    AddTen();
    GetSizes(doc, InfoScope::All);
    std::filesystem::remove(dir / "f2.mp3");
    GetSizes(doc, InfoScope::All);
    const CListData& gone = *doc.CurrentList()[1];
    EXPECT_TRUE(gone.Has(CListData::Missing));
    EXPECT_EQ(gone.GetSizeText(SizeUnit::KB), "2.0 kB");
    dir.Write("f2.mp3", "");
    GetSizes(doc, InfoScope::All);
    EXPECT_FALSE(gone.Has(CListData::Missing)) << "back again";
}

// Off the window's thread the sizes of the rows are asked ahead by the readers, with the same
// outcome; a status that never comes holds up no cancel, and the rows before it keep theirs.
TEST_F(InfoCommandsTest, SizesAskedOffTheWindowsThread) {
    host.OffThread = true;
    for (int i = 0; i < 600; ++i)
        ASSERT_TRUE(
            doc.AddFile(dir.Write("g" + std::to_string(i) + ".mp3", std::string(i, 'x')), true));
    doc.UpdateItemCount();
    GetSizes(doc, InfoScope::All);
    ASSERT_EQ(ReadRows().size(), 600u);
    EXPECT_EQ(doc.CurrentList()[599]->Size(), 599);

    Clear();
    for (int i = 0; i < 600; ++i)
        ASSERT_TRUE(doc.AddFile(dir / ("g" + std::to_string(i) + ".mp3"), true));
    doc.UpdateItemCount();
    // the position and the question of each row before the stalled one, then turns of the wait
    host.CancelAfter = 650;
    const test::CStalledPath stalled(dir / "g300.mp3");
    GetSizes(doc, InfoScope::All);
    EXPECT_TRUE(stalled.Holding());
    const std::vector<int> read = ReadRows();
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read.size(), static_cast<size_t>(read.back()) + 1) << "every row up to the last";
    EXPECT_LT(read.back(), 300);
    EXPECT_EQ(host.ProgressClosed, host.ProgressOpened);
}

TEST_F(InfoCommandsTest, ClearSelectedInfo) {
    AddTen();
    GetInfo(doc, InfoScope::All);
    ClearSelectedInfo(doc);
    EXPECT_EQ(ReadRows().size(), 10u) << "nothing selected: nothing cleared";
    view.Selection = {0, 9};
    ClearSelectedInfo(doc);
    EXPECT_EQ(ReadRows().size(), 8u);
    const CListData& cleared = *doc.CurrentList()[0];
    EXPECT_EQ(cleared.GetSizeText(SizeUnit::KB), "");
    EXPECT_EQ(cleared.FileName(), "f1");
}

TEST_F(InfoCommandsTest, ReadOnLoadSwitches) {
    doc.Settings().readtag = 1;
    EXPECT_TRUE(ReadSizesOnLoadChecked(doc));
    EXPECT_FALSE(ReadSizesOnLoadEnabled(doc));
    ToggleReadTagsOnLoad(doc);
    EXPECT_EQ(doc.Settings().readtag, 0);
    EXPECT_FALSE(ReadSizesOnLoadChecked(doc));
    EXPECT_TRUE(ReadSizesOnLoadEnabled(doc));
    ToggleReadSizesOnLoad(doc);
    EXPECT_EQ(doc.Settings().readtag, 2);
}

} // namespace
} // namespace torvane
