"""torvane-cli writing playlists, HTML and per-folder lists, as a user runs it."""

import html.parser
import os
import subprocess
import unittest

from cli_case import CLI, CliCase

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}


class PageStructure(html.parser.HTMLParser):
    """Checks that every element is closed in order and counts what the tests look at."""

    def __init__(self):
        super().__init__()
        self.open = []
        self.errors = []
        self.counts = {}
        self.cells = []
        self.doctype = False

    def handle_decl(self, decl):
        self.doctype = decl.lower() == "doctype html"

    def handle_starttag(self, tag, attrs):
        self.counts[tag] = self.counts.get(tag, 0) + 1
        if tag == "meta" and ("charset", "utf-8") in attrs:
            self.counts["charset"] = 1
        if tag not in VOID:
            self.open.append(tag)

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.errors.append(f"</{tag}> closes {self.open[-1:] or 'nothing'}")
        else:
            self.open.pop()

    def handle_data(self, data):
        if self.open and self.open[-1] == "td":
            self.cells.append(data)


def parse_page(path):
    with open(path, encoding="utf-8") as f:
        parser = PageStructure()
        parser.feed(f.read())
        parser.close()
    return parser


class OutputCase(CliCase):
    def setUp(self):
        super().setUp()
        self.env = dict(os.environ, XDG_DATA_HOME=self.path("data"))

    def cli(self, *args):
        return subprocess.run([CLI, "--profile", self.profile, *args], capture_output=True,
                              text=True, env=self.env, timeout=60)

    def songs(self):
        return [self.write("Pop/p.mp3", b"\0" * 1024),
                self.write("Rock/R&B <1>.mp3", b"\0" * 2048),
                self.write("Rock/r.mp3", b"\0" * 4096)]


class HtmlTest(OutputCase):
    def test_full_table_is_valid_html_with_a_row_per_item(self):
        songs = self.songs()
        result = self.cli(*songs, "-o", self.path("list.html"), "--template", "full-table.htm")
        self.assertEqual(result.returncode, 0, result.stderr)
        page = parse_page(self.path("list.html"))
        self.assertEqual(page.errors, [])
        self.assertEqual(page.open, [])
        self.assertTrue(page.doctype)
        self.assertEqual(page.counts.get("charset"), 1)
        self.assertEqual(page.counts["table"], 1)
        self.assertEqual(page.counts["tr"], 1 + len(songs))
        self.assertIn(songs[1], page.cells, "the escaped path reads back as written")
        self.assertIn("R&B <1>", page.cells)
        self.assertNotIn("%", "".join(page.cells), "every placeholder replaced")

    def test_default_template_and_numbered_list(self):
        songs = self.songs()
        self.assertEqual(self.cli(*songs, "-o", self.path("a.htm")).returncode, 0)
        self.assertEqual(parse_page(self.path("a.htm")).counts["tr"], 1 + len(songs),
                         "the first template by name is the full table")

        result = self.cli(*songs, "-o", self.path("b.HTM"), "--template", "numbered-list.htm")
        self.assertEqual(result.returncode, 0, result.stderr)
        page = parse_page(self.path("b.HTM"))
        self.assertEqual(page.errors, [])
        self.assertEqual(page.counts["li"], len(songs))

    def test_user_template_from_the_data_folder(self):
        self.write("data/torvane/templates/mine.htm",
                   b"<p>%total_size%</p>\n<!-- tvn -->\n%no%:%fname%\n<!-- tvn -->\nend\n")
        result = self.cli(*self.songs(), "-o", self.path("m.html"), "--template", "mine.htm")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(self.read("m.html"),
                         "<p>0.1 MB</p>\r\n1:p\r\n2:R&amp;B &lt;1&gt;\r\n3:r\r\nend\r\n")

    def test_missing_template_fails(self):
        result = self.cli(*self.songs(), "-o", self.path("x.html"), "--template", "none.htm")
        self.assertEqual(result.returncode, 1)
        self.assertIn("テンプレートファイルがありません", result.stderr)
        self.assertFalse(os.path.exists(self.path("x.html")))


class PlaylistTest(OutputCase):
    def test_relative_to_a_base(self):
        songs = self.songs()
        result = self.cli(*songs, "-o", self.path("Rock/list.txt"),
                          "--relative-to", self.path("Rock"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(self.read("Rock/list.txt"),
                         "../Pop/p.mp3\r\n./R&B <1>.mp3\r\n./r.mp3\r\n")

    def test_unwritable_output_gives_status_1_and_keeps_nothing_half_done(self):
        result = self.cli(*self.songs(), "-o", self.path("no/such/folder/out.m3u"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("ファイルのオープンに失敗しました", result.stderr)
        self.assertIn("no/such/folder/out.m3u", result.stderr)

    def test_print_alongside_a_written_file(self):
        result = self.cli(*self.songs(), "-o", self.path("o.m3u"), "--print")
        self.assertEqual(len(result.stdout.splitlines()), 3)


class PerFolderTest(OutputCase):
    def test_one_playlist_per_folder_and_the_index(self):
        songs = self.songs()
        result = self.cli(songs[2], songs[0], songs[1], "--per-folder", "--index",
                          self.path("index.txt"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(self.read("Pop/Pop.m3u"), "p.mp3\r\n")
        self.assertEqual(self.read("Rock/Rock.m3u"), "r.mp3\r\nR&B <1>.mp3\r\n")
        self.assertEqual(self.read("index.txt"),
                         f"{self.path('Pop/Pop.m3u')}\r\n{self.path('Rock/Rock.m3u')}\r\n")

        self.assertEqual(self.cli(*songs, "--per-folder", "--full-paths").returncode, 0)
        self.assertEqual(self.read("Rock/Rock.m3u"), f"{songs[1]}\r\n{songs[2]}\r\n")

    def test_group_that_cannot_be_written_gives_status_1(self):
        songs = self.songs()
        os.mkdir(self.path("Pop/Pop.m3u"))  # a folder where the playlist should go
        result = self.cli(*songs, "--per-folder")
        self.assertEqual(result.returncode, 1)
        self.assertIn("ファイルのオープンに失敗しました", result.stderr)
        self.assertNotIn("保存しました。", result.stderr)
        self.assertEqual(self.read("Rock/Rock.m3u"), "R&B <1>.mp3\r\nr.mp3\r\n")

    def test_per_folder_options_need_per_folder(self):
        self.assertEqual(self.cli(self.dir, "--full-paths").returncode, 2)


if __name__ == "__main__":
    unittest.main(verbosity=2)
