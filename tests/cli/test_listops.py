"""torvane-cli list operations and the folder search, run as a user runs them."""

import os
import unittest

from cli_case import CliCase


class ListOpsTestCase(CliCase):
    def cli(self, *args, status=0):
        result = super().cli(*args)
        self.assertEqual(result.returncode, status, result.stderr)
        return result

    @staticmethod
    def names_of(result):
        """The FileName column of each record a run printed."""
        return [line.split("\t")[1] for line in result.stdout.splitlines()]

    def names(self, *args):
        return self.names_of(self.cli(*args))


class SortAndShuffleTest(ListOpsTestCase):
    def test_sort_keys_and_directions(self):
        paths = [self.write(name, b"\0" * size)
                 for name, size in (("b.mp3", 30), ("C.mp3", 10), ("a.mp3", 20))]
        self.assertEqual(self.names("--sort", "name", *paths), ["a", "b", "C"])
        self.assertEqual(self.names("--sort", "name:desc", *paths), ["C", "b", "a"])
        self.assertEqual(self.names("--sort", "size", *paths), ["C", "a", "b"])
        # Equal keys fall back on the path in the same direction.
        self.assertEqual(self.names("--sort", "genre:desc", *paths), ["C", "b", "a"])
        self.assertEqual(self.names("--sort", "name", "--sort", "size:desc", *paths),
                         ["b", "a", "C"])
        result = self.cli("--sort", "colour", *paths, status=2)
        self.assertIn("not a sort key", result.stderr)

    def test_ignore_leading_digits(self):
        paths = [self.write(name) for name in ("01 - b.mp3", "02_a.mp3", "c.mp3")]
        self.assertEqual(self.names("--sort", "name", *paths), ["01 - b", "02_a", "c"])
        self.assertEqual(self.names("--ignore-leading-digits", "--sort", "name", *paths),
                         ["01 - b", "02_a", "c"], "'- b' sorts before 'a'")
        self.assertEqual(self.names("--sort", "path:desc", "--ignore-leading-digits", *paths),
                         ["c", "02_a", "01 - b"])

    def test_shuffle_repeats_with_a_seed(self):
        paths = [self.write(f"{i:02}.mp3") for i in range(20)]
        first = self.names("--seed", "5", "--shuffle", *paths)
        self.assertEqual(self.names("--shuffle", "--seed", "5", *paths), first)
        self.assertEqual(sorted(first), [f"{i:02}" for i in range(20)])
        self.assertNotEqual(first, self.names("--seed", "6", "--shuffle", *paths))
        self.assertNotEqual(first, sorted(first))


class DuplicateTest(ListOpsTestCase):
    def songs(self):
        """A and A2 are duplicates: untagged files of the same size."""
        return [self.write("A.mp3", b"\0" * 1000), self.write("B.mp3", b"\0" * 1001),
                self.write("A2.mp3", b"\0" * 1000)]

    def test_dedupe_keeps_the_first(self):
        result = self.cli("--dedupe", *self.songs())
        self.assertEqual(self.names_of(result), ["A", "B"])
        self.assertRegex(result.stderr, r"1件の重複がありました。\n\t処理時間 \d+秒")

    def test_list_dupes_puts_the_first_last(self):
        result = self.cli("--list-dupes", "--read", "none", *self.songs())
        self.assertEqual(self.names_of(result), ["A2", "A"])
        self.assertIn("2件の重複がありました。", result.stderr)

    def test_no_duplicates(self):
        result = self.cli("--list-dupes", *self.songs()[:2])
        self.assertEqual(result.stdout, "")
        self.assertRegex(result.stderr, r"重複は見つかりませんでした。\n\t処理時間 \d+秒")


class SearchTest(ListOpsTestCase):
    def test_each_search_narrows_the_one_before(self):
        paths = [self.write(name) for name in
                 ("Love less.mp3", "loveless.mp3", "Love.mp3", "less.mp3", "x/love/less.mp3")]
        self.assertEqual(
            self.names("--search", "love", "--target", "name", "--search", "LESS",
                       "--target", "name", *paths),
            ["Love less", "loveless"])
        self.assertEqual(self.names("--search", "love less", "--target", "name", *paths),
                         ["Love less", "loveless"], "blank-separated terms must all be found")
        self.assertEqual(self.names("--search", "love", "--not", "--target", "name", *paths),
                         ["less", "less"])
        self.assertEqual(self.names("--search", "love ", "--not", *paths), [],
                         "a trailing blank with NOT passes nothing")
        # Operations after a search work on its result.
        self.assertEqual(self.names("--search", "less", "--target", "name", "--sort", "name:desc",
                                    *paths), ["loveless", "Love less", "less", "less"])

    def test_existence_and_extended_conditions(self):
        small = self.write("small.mp3", b"\0" * 1024)
        large = self.write("large.mp3", b"\0" * 4096)
        text = self.write("notes.dat", b"\0" * 2048)
        gone = os.path.join(self.dir, "gone.mp3")
        args = ["--no-ext-check", "--read", "tags", small, large, text, gone]
        self.assertEqual(self.names("--exists", "no", *args), ["gone"],
                         "a condition without --search forms a search of its own")
        self.assertEqual(self.names("--ext", "MP3", "--exists", "yes", *args), ["small", "large"])
        self.assertEqual(self.names("--min-kb", "2", *args), ["large", "notes"])
        self.assertEqual(self.names("--min-kb", "2", "--max-kb", "3", *args), ["notes"],
                         "both bounds of one condition")
        # Unread bit rates and those of files without a reader count as variable.
        self.assertEqual(self.names("--max-bitrate", "0", *args), ["notes", "gone"])
        self.assertEqual(self.names("--min-bitrate", "0", *args), ["small", "large"])
        self.assertEqual(self.names("--max-time", "0", "--min-rate", "0", "--ext", "mp3", *args),
                         ["small", "large"])
        self.assertEqual(self.names("--search", "s", "--target", "name", "--sort", "name",
                                    "--min-kb", "2", *args), ["notes"],
                         "a condition after an operation starts a new (narrowing) search")

    def test_bad_values_are_usage_errors(self):
        song = self.write("a.mp3")
        for args in (["--target", "colour"], ["--exists", "maybe"], ["--min-kb", "-1"],
                     ["--seed", "x"], ["--max-kb", "2147483648"]):
            self.cli(*args, song, status=2)


class FindTest(ListOpsTestCase):
    def setUp(self):
        super().setUp()
        self.root = os.path.join(self.dir, "root")
        self.write("root/.hidden/deep/Song.mp3", b"\0" * 1000)
        self.write("root/b/song two.wav", b"\0" * 999)
        self.write("root/readme.txt", b"song")
        os.symlink(self.root, os.path.join(self.root, "b", "loop"))

    def found(self, *args, status=0):
        result = self.cli("--find", self.root, *args, status=status)
        return [os.path.relpath(line.split("\t")[0], self.root)
                for line in result.stdout.splitlines()]

    def test_whole_tree_any_type(self):
        self.assertEqual(self.found(), [".hidden/deep/Song.mp3", "b/song two.wav", "readme.txt"])
        self.assertEqual(self.found("--find-text", "SONG", "--find-target", "name"),
                         [".hidden/deep/Song.mp3", "b/song two.wav"])
        self.assertEqual(self.found("--find-text", "song", "--find-not", "--find-target", "name"),
                         ["readme.txt"])
        self.assertEqual(self.found("--find-ext", "MP3"), [".hidden/deep/Song.mp3"])

    def test_sizes_are_counted_in_1000_bytes(self):
        self.assertEqual(self.found("--find-min-kb", "1"), [".hidden/deep/Song.mp3"])
        self.assertEqual(self.found("--find-max-kb", "1", "--find-text", "song"),
                         [".hidden/deep/Song.mp3", "b/song two.wav"])
        self.found("--find-min-kb", "1", "--find-max-kb", "2", status=2)

    def test_found_files_join_the_inputs_before_the_operations(self):
        extra = self.write("a.mp3")
        result = self.cli(extra, "--find", self.root, "--find-ext", "wav", "--sort", "name:desc")
        self.assertEqual(self.names_of(result), ["song two", "a"])

    def test_a_missing_folder_fails(self):
        result = self.cli("--find", os.path.join(self.dir, "nothing"), status=1)
        self.assertIn("フォルダではありません", result.stderr)


if __name__ == "__main__":
    unittest.main()
