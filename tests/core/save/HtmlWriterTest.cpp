#include "core/save/HtmlWriter.h"
#include "DocFixture.h"
#include "MpegFill.h"
#include "core/settings/TemplateFolders.h"

#include <filesystem>
#include <unistd.h>

namespace torvane {
namespace {

using test::Texts;

class HtmlWriterTest : public test::DocTest {
protected:
    // A record with a title and a time, as a reader would leave it.
    CListData& AddSong(const std::string& path, const std::string& title, int seconds,
                       int64_t size) {
        EXPECT_TRUE(doc.AddFile(path, true));
        CListData& record = *doc.CurrentList().back();
        AudioInfo info;
        info.Std.Title = title;
        info.PlayTime = seconds;
        info.TagFlags = AudioInfo::TagId3v1;
        test::FillAsMpeg(record, info);
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

// Twenty million line ends: kept as lines of their own they took fifty times their size. The
// parts are stretches of the one buffer.
TEST_F(HtmlWriterTest, ATemplateOfManyLinesIsOneBuffer) {
    constexpr size_t Lines = 20'000'000;
    const HtmlTemplate page = ParseTemplate(std::string(Lines, '\n'));
    EXPECT_EQ(page.Text.size(), Lines);
    EXPECT_EQ(page.Header().data(), page.Text.data());
    EXPECT_EQ(page.Header().size(), Lines);
    EXPECT_TRUE(page.Item().empty());
    EXPECT_TRUE(page.Footer().empty());

    const HtmlTemplate cut = ParseTemplate("h1\r\nh2\r\n<!-- tvn -->\r\ni1\r\ni2\r\n"
                                           "<!-- TVN -->\r\nf1\r\n<!-- tvn -->");
    const auto inside = [&](std::string_view part) {
        return part.data() >= cut.Text.data() &&
               part.data() + part.size() <= cut.Text.data() + cut.Text.size();
    };
    EXPECT_TRUE(inside(cut.Header()) && inside(cut.Item()) && inside(cut.Footer()));
    EXPECT_EQ(cut.Header(), "h1\r\nh2\r\n");
    EXPECT_EQ(JoinedLines(cut.Item(), cut.LineEnd), "i1i2");
    EXPECT_EQ(JoinedLines(cut.Footer(), cut.LineEnd), "f1<!-- tvn -->");

    const HtmlTemplate old = ParseTemplate("h\r<!-- tvn -->\ri1\ri2\r");
    EXPECT_EQ(old.LineEnd, '\r') << "an old Macintosh text is cut at its carriage returns";
    EXPECT_EQ(JoinedLines(old.Item(), old.LineEnd), "i1i2");
}

TEST_F(HtmlWriterTest, ATemplateOfManyLinesIsWritten) {
    AddSong("/m/a.mp3", "A", 1, 1);
    const std::string page = Write(std::string(200'000, '\n') + "<!-- tvn -->\n%no%\n");
    EXPECT_EQ(page.size(), 200'000 * 2 + 3 + 2);
    EXPECT_TRUE(page.ends_with("\r\n\r\n1\r\n\r\n"));
}

TEST_F(HtmlWriterTest, ATemplateTooLargeIsRefusedWithAMessage) {
    AddSong("/m/a.mp3", "A", 1, 1);
    const std::string huge = dir.Write("templates/huge.htm", "");
    ASSERT_EQ(::truncate(huge.c_str(), off_t{20} << 30), 0);
    EXPECT_FALSE(WriteHtml(doc, dir / "out.html", "huge.htm", {dir / "templates"}));
    EXPECT_EQ(host.MessageTexts(), (Texts{TemplateTooLargeMessage}));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.html"));
    EXPECT_FALSE(host.WaitCursor);
}

} // namespace
} // namespace torvane
