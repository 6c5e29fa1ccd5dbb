#include "core/doc/HtmlWriter.h"
#include "DocFixture.h"
#include "core/doc/TemplateFolders.h"
#include "core/media/MpegInfo.h"

namespace torvane {
namespace {

class HtmlWriterTest : public test::DocTest {
protected:
    // A record with a title and a time, as a reader would leave it.
    CListData& AddSong(const std::string& path, const std::string& title, int seconds,
                       int64_t size) {
        EXPECT_TRUE(doc.AddFile(path, true));
        CListData& record = *doc.CurrentList().back();
        MpegInfo info;
        info.StdTitle = title;
        info.PlayTime = seconds;
        info.TagFlags = MpegInfo::TagId3v1;
        record.FillFromMpeg(info);
        record.SetSize(size);
        return record;
    }
    std::string Write(const std::string& templateText) {
        dir.Write("templates/t.htm", templateText);
        EXPECT_TRUE(WriteHtml(doc, dir / "out.html", "t.htm", {dir / "templates"}));
        return dir.Read("out.html");
    }
};

TEST_F(HtmlWriterTest, TwoMarkersGiveHeaderItemsAndFooter) {
    AddSong("/m/a.mp3", "First", 61, 1024 * 1024);
    AddSong("/m/b.mp3", "", 3600, 2 * 1024 * 1024);
    const std::string page = Write("<p>%total_time%</p>\n"
                                   "<!-- TVN -->\n"
                                   "<tr>\n<td>%no%</td><td>%track_name%</td>\n</tr>\n"
                                   "<!-- tvn -->\n"
                                   "<p>%total_size%</p>\n</body>\n"
                                   "<!-- tvn -->\n");
    EXPECT_EQ(page, "<p>01:01:01</p>\r\n"
                    "<tr><td>1</td><td>First</td></tr>\r\n"
                    "<tr><td>2</td><td><BR></td></tr>\r\n"
                    "<p>3.0 MB</p></body><!-- tvn -->\r\n");
    EXPECT_EQ(host.ProgressClosed, 1);
    EXPECT_FALSE(host.WaitCursor);
}

TEST_F(HtmlWriterTest, NoMarkerIsAllHeader) {
    AddSong("/m/a.mp3", "A", 1, 1);
    AddSong("/m/b.mp3", "B", 1, 1);
    EXPECT_EQ(Write("<h1>%track_name%</h1>\n<p>%total_time%</p>"),
              "<h1>%track_name%</h1>\r\n<p>00:00:02</p>\r\n\r\n\r\n\r\n")
        << "one empty line per item and an empty footer line";
}

TEST_F(HtmlWriterTest, OneMarkerMakesTheRestTheItemBlock) {
    AddSong("/m/a.mp3", "A", 1, 1);
    EXPECT_EQ(Write("head\n <!-- tvn -->\n<!-- tvn -->\n%fname%.%no%\n"),
              "head\r\n <!-- tvn -->\r\na.1\r\n\r\n")
        << "a marker with blanks is an ordinary line";
}

TEST_F(HtmlWriterTest, ValuesAreEscapedAndNotSearchedForPlaceholders) {
    AddSong("/m/R&B <live> \"%fname%\".mp3", "Tom & Jerry's <b>", 5, 10);
    EXPECT_EQ(Write("<!-- tvn -->\n%path%|%fname%|%track_name%|%no%|%type%|%album%|100%\n"),
              "/m/R&amp;B &lt;live&gt; &quot;%fname%&quot;.mp3|"
              "R&amp;B &lt;live&gt; &quot;%fname%&quot;|Tom &amp; Jerry's &lt;b&gt;|1|ID3 V1|"
              "<BR>|100%\r\n\r\n");
}

TEST_F(HtmlWriterTest, TotalsLeaveOutUnavailableValues) {
    AddSong("/m/a.mp3", "A", 100 * 3600, 1536 * 1024);
    CListData& gone = AddSong("/m/b.mp3", "B", 0, 0);
    gone.SetSize(-1);
    gone.SetTime(-1);
    const ListTotals totals = TotalTexts(doc.CurrentList());
    EXPECT_EQ(totals.Time, "100:00:00") << "hours are not capped";
    EXPECT_EQ(totals.Size, "1.5 MB");

    Clear();
    EXPECT_EQ(TotalTexts(doc.CurrentList()).Time, "00:00:00");
    EXPECT_EQ(TotalTexts(doc.CurrentList()).Size, "0.0 MB");
}

TEST_F(HtmlWriterTest, ClearsTheSelectionAndReportsTemplateProblems) {
    AddSong("/m/a.mp3", "A", 1, 1);
    view.Selection = {0};
    EXPECT_FALSE(WriteHtml(doc, dir / "out.html", "missing.htm", {dir / "templates"}));
    EXPECT_TRUE(view.Selection.empty());

    dir.Write("templates/other.htm", "x");
    EXPECT_FALSE(WriteHtml(doc, dir / "out.html", "", {dir / "templates"}))
        << "no name: the folder itself is found and cannot be read as a template";

    dir.Write("templates/t.htm", "x");
    dir.Write("old.html", "previous");
    host.FullDiskFor = {dir / "old.html"};
    EXPECT_FALSE(WriteHtml(doc, dir / "old.html", "t.htm", {dir / "templates"}));
    EXPECT_EQ(dir.Read("old.html"), "previous");

    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{"テンプレートファイルがありません",
                                        "テンプレートファイルのオープンに失敗しました",
                                        "ファイルのオープンに失敗しました"}));
    EXPECT_FALSE(host.WaitCursor);
}

TEST(TemplateFoldersTest, SearchOrderAndChoices) {
    TemplateLocationInputs inputs;
    inputs.ProgramFolder = "/opt/torvane";
    inputs.Home = "/home/u";
    inputs.InstalledFolder = "/usr/share/torvane/templates";
    EXPECT_EQ(TemplateFolders(inputs),
              (std::vector<std::string>{"/opt/torvane/templates",
                                        "/home/u/.local/share/torvane/templates",
                                        "/usr/share/torvane/templates"}));
    inputs.XdgDataHome = "/data";
    EXPECT_EQ(TemplateFolders(inputs)[1], "/data/torvane/templates");

    test::CTempDir dir;
    dir.Write("first/b.htm", "");
    dir.Write("first/notes.txt", "");
    dir.Write("second/a.HTML", "");
    dir.Write("second/b.htm", "");
    const std::vector<std::string> folders{dir / "first", dir / "missing", dir / "second"};
    EXPECT_EQ(ListTemplates(folders), (std::vector<std::string>{"a.HTML", "b.htm"}));
    EXPECT_EQ(FindTemplate("b.htm", folders), dir / "first/b.htm") << "the first folder wins";
    EXPECT_EQ(FindTemplate("a.HTML", folders), dir / "second/a.HTML");
    EXPECT_EQ(FindTemplate("c.htm", folders), "");
}

} // namespace
} // namespace torvane
