"""torvane-cli gathering folders and list files, as a user runs it."""

import os
import subprocess
import unittest

from cli_case import CLI, CliCase


class GatherCase(CliCase):
    def cli(self, *args, cwd=None):
        return subprocess.run([CLI, "--profile", self.profile, "--read", "none", *args],
                              capture_output=True, text=True, cwd=cwd, timeout=60)

    @staticmethod
    def first_columns(result):
        return [line.split("\t")[0] for line in result.stdout.splitlines()]

    def printed_paths(self, result):
        self.assertEqual(result.returncode, 0, result.stderr)
        return self.first_columns(result)

    def make_tree(self):
        for name in ("music/s/t/y.mp3", "music/s/x.mp3", "music/a.mp3", "music/b.mp3",
                     "music/.hidden.mp3", "music/.h/z.mp3", "music/cover.jpg"):
            self.write(name)
        return self.path("music")


class FolderTest(GatherCase):
    def test_depth_2_written_in_scan_order(self):
        music = self.make_tree()
        out = self.path("out.m3u")
        result = self.cli(music, "--depth", "2", "-o", out)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "", "writing a file prints nothing")
        with open(out, "rb") as f:
            self.assertEqual(f.read().decode(), "".join(
                f"{music}/{name}\r\n" for name in ("s/x.mp3", "b.mp3", "a.mp3")))

    def test_depth_default_comes_from_the_profile(self):
        music = self.make_tree()
        with open(self.profile, "w") as f:
            f.write("[app]\nSearchClass=1\n")
        self.assertEqual(self.printed_paths(self.cli(music)),
                         [f"{music}/b.mp3", f"{music}/a.mp3"])
        self.assertEqual(self.printed_paths(self.cli(music, "--depth", "0")),
                         [f"{music}/{name}" for name in ("s/t/y.mp3", "s/x.mp3", "b.mp3", "a.mp3")])

    def test_relative_folder_input_gives_absolute_paths(self):
        self.make_tree()
        paths = self.printed_paths(self.cli("music/s", cwd=self.dir))
        self.assertEqual(paths, [self.path("music/s/t/y.mp3"), self.path("music/s/x.mp3")])

    def test_link_loop_ends(self):
        music = self.make_tree()
        os.symlink(music, self.path("music/s/loop"))
        paths = self.printed_paths(self.cli(music))
        self.assertEqual(len(paths), 4)

    def test_negative_depth_is_a_usage_error(self):
        self.assertEqual(self.cli(self.dir, "--depth", "-1").returncode, 2)


class ListFileTest(GatherCase):
    def test_list_inputs_resolve_from_their_own_folder(self):
        music = self.make_tree()
        self.write("lists/mix.m3u", b"#EXTM3U\r\n#EXTINF:10,x\r\n../music/a.mp3\r\n"
                   b"  \"../music/s/x.mp3\"\r\n" + music.encode() + b"/b.mp3\r\n")
        self.write("lists/plain.txt", b"\xEF\xBB\xBF../music/s/t/y.mp3\n")
        paths = self.printed_paths(self.cli("lists/mix.m3u", "lists/plain.txt", cwd=self.dir))
        self.assertEqual(paths, [f"{music}/a.mp3", f"{music}/s/x.mp3", f"{music}/b.mp3",
                                 f"{music}/s/t/y.mp3"])

    def test_mixed_inputs_and_refusals(self):
        music = self.make_tree()
        self.write("l.m3u8", b"music/a.mp3\n")
        result = self.cli(self.path("l.m3u8"), self.path("music/b.mp3"), "bare.mp3", music,
                          "--depth", "1")
        self.assertEqual(result.returncode, 1)
        self.assertIn("追加しませんでした: bare.mp3", result.stderr)
        self.assertEqual(self.first_columns(result),
                         [f"{music}/a.mp3", f"{music}/b.mp3", f"{music}/b.mp3", f"{music}/a.mp3"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
