"""torvane-cli run as a user runs it: its output and its exit status."""

import json
import os
import unittest

from cli_case import CliCase, run


class GatherTest(CliCase):
    def test_print_gives_the_fifteen_columns(self):
        song = self.write("some/dir/song.mp3", b"\0" * 4096)
        result = self.cli("--print", song)
        self.assertEqual(result.returncode, 0, result.stderr)
        fields = result.stdout.rstrip("\n").split("\t")
        self.assertEqual(len(fields), 15)
        self.assertEqual(fields[:4], [song, "song", "mp3", "4.0 kB"])

    def test_units_and_read_override(self):
        song = self.write("a.mp3", b"\0" * (3 * 1024 * 1024))
        result = self.cli("--size-unit", "mb", song)
        self.assertEqual(result.stdout.split("\t")[3], "3.0 MB")
        result = self.cli("--read", "none", song)
        self.assertEqual(result.stdout.split("\t")[3], "", "nothing read")

    def test_json_lines(self):
        a = self.write("a.mp3", b"\0" * 10)
        b = self.write("b.ogg", b"")
        result = self.cli("--json", a, b)
        self.assertEqual(result.returncode, 0, result.stderr)
        records = [json.loads(line) for line in result.stdout.splitlines()]
        self.assertEqual([r["FilePath"] for r in records], [a, b])
        self.assertEqual(records[0]["Size"], 10)
        self.assertEqual(records[0]["State"], ["SizeRead"])
        self.assertEqual(records[0]["Display"]["Size"], "0.1 kB")
        for name in ("FileName", "Ext", "Title", "ExtTitle", "ExtGenre", "Type",
                     "SamplingRate", "BitRate", "Time", "TagSets", "RefCount"):
            self.assertIn(name, records[0])

    def test_refused_inputs_give_status_1(self):
        song = self.write("a.mp3")
        result = self.cli(song, "bare.mp3", os.path.join(self.dir, "notes.txt"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("torvane-cli: 追加しませんでした: bare.mp3", result.stderr)
        self.assertEqual(len(result.stdout.splitlines()), 1)

        result = self.cli("--no-ext-check", os.path.join(self.dir, "notes.txt"))
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_an_existing_file_is_taken_by_its_exact_name(self):
        blank = self.write("ends in a blank.mp3 ", b"\0" * 10)
        result = self.cli("--no-ext-check", "--json", blank, " " + blank)
        self.assertEqual(result.returncode, 0, result.stderr)
        records = [json.loads(line) for line in result.stdout.splitlines()]
        self.assertEqual([r["FilePath"] for r in records], [blank, blank[:-1]],
                         "a path that names no file is an entry, trimmed")
        self.assertEqual(records[0]["Size"], 10)

    def test_profile_is_read_and_never_written(self):
        with open(self.profile, "w") as f:
            f.write("[app]\nSizeOf=1\n[ext]\ncount=1\n0=mp3,0,\n")
        before = os.stat(self.profile).st_mtime_ns
        song = self.write("a.mp3")
        self.assertEqual(self.cli(song).returncode, 1, "mp3 disabled in the profile")
        flac = self.write("b.wav", b"\0" * 2000000)
        self.assertIn("1.9 MB", self.cli(flac).stdout)
        self.assertEqual(os.stat(self.profile).st_mtime_ns, before)

        missing = os.path.join(self.dir, "new.ini")
        run("--profile", missing, song)
        self.assertFalse(os.path.exists(missing))

    def test_usage_errors_give_status_2(self):
        self.assertEqual(self.cli("--size-unit", "gb", "/a.mp3").returncode, 2)
        self.assertEqual(self.cli("--bogus").returncode, 2)
        self.assertEqual(self.cli().returncode, 2)
        self.assertEqual(run("--help").returncode, 0)


class LanguageAndVersionTest(CliCase):
    def locale_run(self, *args, **variables):
        env = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_MESSAGES", "LANG")}
        env.update(variables)
        return self.cli(*args, env=env)

    def test_messages_follow_the_locale(self):
        missing_folder = os.path.join(self.dir, "no", "such", "out.m3u")
        song = self.write("a.mp3")
        cases = [({"LANG": "ja_JP.UTF-8"}, "ファイルのオープンに失敗しました", "追加しませんでした"),
                 ({"LC_ALL": "ja_JP.eucJP", "LANG": "C"}, "ファイルのオープンに失敗しました",
                  "追加しませんでした"),
                 ({"LANG": "C.UTF-8"}, "Could not open the file", "not added"),
                 ({"LC_MESSAGES": "de_DE.UTF-8", "LANG": "ja_JP.UTF-8"},
                  "Could not open the file", "not added"),
                 ({"LANG": "java"}, "Could not open the file", "not added"),
                 ({}, "Could not open the file", "not added")]
        for variables, message, own in cases:
            with self.subTest(locale=variables):
                result = self.locale_run("-o", missing_folder, song, "bare.mp3", **variables)
                self.assertEqual(result.returncode, 1)
                self.assertIn(message, result.stderr)
                self.assertIn(own + ": bare.mp3", result.stderr)

    def test_version_and_help(self):
        result = run("--version")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertRegex(result.stdout, r"^torvane-cli \d+\.\d+\.\d+")
        self.assertEqual(run("--help").returncode, 0)

    def test_template_name_without_its_extension(self):
        song = self.write("a.mp3")
        out = self.path("list.htm")
        result = self.cli("--template", "full-table", "-o", out, song)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("a.mp3", self.read("list.htm"))
        result = self.cli("--template", "no-such-template", "-o", out, song)
        self.assertEqual(result.returncode, 1)
        self.assertIn("テンプレートファイルがありません", result.stderr)


class InfoTest(CliCase):
    def test_missing_file_is_reported_and_others_printed(self):
        song = self.write("a.flac", b"x" * 100)
        result = run("info", "--profile", self.profile, os.path.join(self.dir, "gone.mp3"), song)
        self.assertEqual(result.returncode, 1)
        self.assertIn("gone.mp3", result.stderr)
        records = [json.loads(line) for line in result.stdout.splitlines()]
        self.assertEqual(len(records), 1)
        self.assertIsNone(records[0]["reader"])
        self.assertEqual(records[0]["Size"], 100)


if __name__ == "__main__":
    unittest.main(verbosity=2)
