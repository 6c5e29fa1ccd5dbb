"""torvane-cli on hostile input and failing disks: garbage lists, awkward names, damaged
profiles, unreadable folders, read-only and full file systems. Each run ends with a clear
message or a quiet result, and a failed write leaves the previous file and no temporary one."""

import os
import random
import shutil
import subprocess
import tempfile
import unittest

from cli_case import CLI, CliCase, run

NOBODY = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
IS_ROOT = os.geteuid() == 0


def can_run_as_nobody():
    if not IS_ROOT or shutil.which("setpriv") is None:
        return False
    return subprocess.run([*NOBODY, "true"], capture_output=True).returncode == 0


class ScratchDisk:
    """A 64 KiB tmpfs at folder when root may mount one (read-only or full after break_it);
    otherwise a plain folder, which a non-root user can make read-only with its mode."""

    def __init__(self, folder, failure):
        self.folder, self.failure = folder, failure
        os.makedirs(folder)
        self.mounted = IS_ROOT and subprocess.run(
            ["mount", "-t", "tmpfs", "-o", "size=64k,mode=0755", "tmpfs", folder],
            capture_output=True).returncode == 0

    @property
    def real(self):
        return self.mounted or (self.failure == "read-only" and not IS_ROOT)

    def break_it(self):
        if self.failure == "read-only":
            if self.mounted:
                subprocess.run(["mount", "-o", "remount,ro", self.folder], check=True)
            else:
                os.chmod(self.folder, 0o555)
        elif self.mounted:
            with open(os.path.join(self.folder, "filler"), "wb", buffering=0) as f:
                for block in (4096, 1):
                    try:
                        while f.write(b"f" * block):
                            pass
                    except OSError:
                        pass

    def names(self):
        return sorted(n for n in os.listdir(self.folder) if n != "filler")

    def close(self):
        if self.mounted:
            subprocess.run(["umount", "-l", self.folder], capture_output=True)
        else:
            os.chmod(self.folder, 0o755)


class HostileCase(CliCase):
    def setUp(self):
        super().setUp()
        self.disks = []

    def tearDown(self):
        for disk in self.disks:
            disk.close()
        super().tearDown()

    def disk(self, failure):
        disk = ScratchDisk(self.path("disk"), failure)
        self.disks.append(disk)
        return disk

    def run_bytes(self, *args, cwd=None, prefix=()):
        return subprocess.run([*prefix, CLI, "--profile", self.profile, "--read", "none", *args],
                              capture_output=True, cwd=cwd, timeout=60)

    @staticmethod
    def read_bytes(path):
        with open(path, "rb") as f:
            return f.read()

    def paths(self, result):
        self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
        return [line.split(b"\t")[0] for line in result.stdout.split(b"\n") if line]


class HostileLists(HostileCase):
    def test_garbage_nul_bytes_lone_cr_and_a_cycle(self):
        a, b = self.write("m/a.mp3"), self.write("m/b.mp3")
        noise = bytes(random.Random(7).getrandbits(8) for _ in range(100_000))
        self.write("m/junk.m3u", noise + b"\n" + a.encode() + b"\n" + noise)
        self.write("m/nul.m3u", b"b.mp3\0.mp3\n\0\nb.mp3\n")
        self.write("m/mac.m3u", b"#EXTM3U\ra.mp3\r\rb.mp3\r")
        self.write("m/one.m3u", b"a.mp3\ntwo.txt\n")
        self.write("m/two.txt", b"one.m3u\nb.mp3\n")
        for name, expected in [("junk.m3u", [a]), ("nul.m3u", [b]), ("mac.m3u", [a, b]),
                               ("one.m3u", [a, b])]:
            with self.subTest(name):
                result = self.run_bytes("--print", self.path("m/" + name))
                self.assertEqual(self.paths(result), [p.encode() for p in expected])

    def test_a_named_pipe_is_refused_without_waiting(self):
        os.mkfifo(self.path("pipe.m3u"))
        result = self.run_bytes("--print", self.path("pipe.m3u"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("リストファイルを読めません".encode(), result.stderr)


    def test_a_chain_of_twenty_thousand_lists(self):
        """Each names the next, and the last the first: read without deepening the stack."""
        count = 20_000
        for i in range(count):
            self.write(f"c/l{i}.m3u", f"/m/{i}.mp3\nl{(i + 1) % count}.m3u\n".encode())
        printed = self.paths(self.run_bytes("--print", self.path("c/l0.m3u")))
        self.assertEqual(printed, [f"/m/{i}.mp3".encode() for i in range(count)])

    def test_a_list_too_large_is_refused_with_a_message(self):
        """Twenty gigabytes of a sparse file, which costs no disk."""
        huge = self.write("huge.m3u")
        os.truncate(huge, 20 << 30)
        a = self.write("m/a.mp3")
        self.write("outer.m3u", b"huge.m3u\n" + a.encode() + b"\n")
        result = self.run_bytes("--print", huge)
        self.assertEqual(result.returncode, 1)
        self.assertIn("リストファイルが大きすぎるため、読み込みませんでした。".encode(),
                      result.stderr)
        self.assertIn("リストファイルを読めません".encode(), result.stderr)
        result = self.run_bytes("--print", self.path("outer.m3u"))
        self.assertEqual(self.paths(result), [a.encode()], "the rest of the list is read")
        self.assertIn("大きすぎる".encode(), result.stderr)


class HostileNames(HostileCase):
    def test_awkward_names_print_and_write(self):
        os.makedirs(self.path("d"))
        for raw in (b"-dash.mp3", b"#hash.mp3", b"tab\there.mp3", b"bad\xff.mp3"):
            open(os.path.join(self.path("d").encode(), raw), "wb").close()
        folder = self.path("d").encode()
        printed = self.paths(self.run_bytes("--print", folder))
        self.assertEqual(sorted(printed), sorted(folder + b"/" + n for n in (
            b"-dash.mp3", b"#hash.mp3", b"tab here.mp3", b"bad\xff.mp3")),
            "--print shows a tab as a blank, to keep its columns")
        for out in ("o.m3u", "o.m3u8", "o.pls", "o.xspf"):
            with self.subTest(out):
                self.assertEqual(self.run_bytes(folder, "-o", self.path(out)).returncode, 0)
                self.assertEqual(self.paths(self.run_bytes("--print", self.path(out))), printed)

    def test_a_leading_dash_needs_the_separator(self):
        self.write("-x/a.mp3")
        result = self.run_bytes("--print", "-x/a.mp3", cwd=self.dir)
        self.assertEqual(result.returncode, 2, "taken for an option: a usage error")
        result = self.run_bytes("--print", "--", "-x/a.mp3", cwd=self.dir)
        self.assertEqual(self.paths(result), [b"-x/a.mp3"])

    def test_a_line_break_in_a_name_is_reported_for_line_formats(self):
        self.write("d/new\nline.mp3")
        self.write("d/ok.mp3")
        out = self.path("out.m3u")
        result = self.run_bytes(self.path("d"), "-o", out)
        self.assertEqual(result.returncode, 1)
        self.assertIn("次の名前は改行を含むため、保存しませんでした。".encode(), result.stderr)
        self.assertIn(b"new\\nline.mp3", result.stderr)
        self.assertFalse(os.path.exists(out))
        result = self.run_bytes(self.path("d"), "--per-folder")
        self.assertEqual(result.returncode, 1)
        self.assertFalse(os.path.exists(self.path("d/d.m3u")))
        xspf = self.path("out.xspf")
        self.assertEqual(self.run_bytes(self.path("d"), "-o", xspf).returncode, 0)
        self.assertEqual(len(self.paths(self.run_bytes("--print", xspf))), 2)


class HostileProfiles(HostileCase):
    def test_damaged_profiles_give_the_defaults_and_stay_as_they_were(self):
        self.write("m/s/t/deep.mp3")
        self.write("m/top.mp3")
        garbage = bytes(random.Random(3).getrandbits(8) for _ in range(50_000))
        for text in (garbage, b"[app]\nSearchClass=-5\n",
                     b"[app]\nSearchClass=99999999999999999999\nSizeOf=-1\n",
                     b"[app]\nSearchClass=1\n[app]\nSearchClass=-5\n[ext]\ncount=2000000000\n"):
            with self.subTest(text[:40]):
                self.write("torvane.ini", text)
                printed = self.paths(self.run_bytes("--print", self.path("m")))
                expected = 1 if text.startswith(b"[app]\nSearchClass=1\n") else 2
                self.assertEqual(len(printed), expected, "every level unless 1 came first")
                with open(self.profile, "rb") as f:
                    self.assertEqual(f.read(), text, "the tool never writes the profile")


    def test_a_profile_too_large_is_ignored_and_kept(self):
        self.write("m/s/t/deep.mp3")
        self.write("torvane.ini", b"[app]\nSearchClass=1\n")
        os.truncate(self.profile, 20 << 30)
        result = self.run_bytes("--print", self.path("m"))
        self.assertEqual(len(self.paths(result)), 1, "the defaults: every level")
        self.assertIn(b"settings file is larger than", result.stderr)
        self.assertEqual(os.path.getsize(self.profile), 20 << 30)


@unittest.skipUnless(can_run_as_nobody(), "needs root and setpriv to run as another user")
class UnreadableFolder(HostileCase):
    def test_an_unreadable_folder_and_list_are_skipped_as_specified(self):
        os.chmod(self.dir, 0o755)
        self.write("m/open/a.mp3")
        self.write("m/closed/b.mp3")
        self.write("m/closed.m3u", b"open/a.mp3\n")
        os.chmod(self.path("m/closed"), 0o700)
        os.chmod(self.path("m/closed.m3u"), 0o600)
        result = self.run_bytes("--print", self.path("m"), prefix=NOBODY)
        self.assertEqual(self.paths(result), [self.path("m/open/a.mp3").encode()])
        self.assertEqual(result.stderr, b"", "an unreadable folder is skipped silently")
        result = self.run_bytes("--print", self.path("m/closed.m3u"), prefix=NOBODY)
        self.assertEqual(result.returncode, 1)
        self.assertIn("リストファイルを読めません".encode(), result.stderr)


class FailingDisk(HostileCase):
    def check_writes_fail(self, failure):
        disk = self.disk(failure)
        if not disk.real:
            self.skipTest("no mount privilege: the core tests fail the write seam instead")
        a = self.write("m/a.mp3")
        self.write("m/b.mp3")
        outputs = ["o.m3u", "o.m3u8", "o.pls", "o.xspf", "o.htm"]
        for out in outputs:
            self.assertEqual(self.run_bytes(a, "-o", os.path.join(disk.folder, out)).returncode, 0)
        previous = {n: self.read_bytes(os.path.join(disk.folder, n)) for n in disk.names()}
        disk.break_it()
        for out in outputs:
            with self.subTest(out):
                result = self.run_bytes(self.path("m"), "-o", os.path.join(disk.folder, out))
                self.assertEqual(result.returncode, 1)
                self.assertIn("ファイルのオープンに失敗しました".encode(), result.stderr)
                self.assertIn("書き込めません: ".encode() + disk.folder.encode(), result.stderr)
        self.assertEqual(disk.names(), sorted(previous), "no temporary file is left")
        for name, content in previous.items():
            self.assertEqual(self.read_bytes(os.path.join(disk.folder, name)), content, name)

    def test_read_only_file_system(self):
        self.check_writes_fail("read-only")

    def test_full_file_system(self):
        self.check_writes_fail("full")

    def test_a_tag_cache_that_cannot_be_written(self):
        disk = self.disk("read-only")
        if not disk.real:
            self.skipTest("no mount privilege and running as root")
        profile = os.path.join(disk.folder, "torvane.ini")
        song = self.write("m/a.mp3")
        self.assertEqual(run("--profile", profile, "--read", "tags", song).returncode, 0)
        cache = os.path.join(disk.folder, "torvane-tags.cache")
        previous = self.read_bytes(cache)
        self.write("m/b.mp3")
        disk.break_it()
        result = run("--profile", profile, "--read", "tags", "--print", self.path("m"))
        self.assertEqual(result.returncode, 1)
        self.assertEqual(len(result.stdout.splitlines()), 2, "the list is still printed")
        self.assertIn("書き込めません: " + cache, result.stderr)
        self.assertIn("ファイルのオープンに失敗しました", result.stderr)
        self.assertEqual(self.read_bytes(cache), previous)
        self.assertEqual(disk.names(), ["torvane-tags.cache"], "no temporary file is left")
        # Without the cache nothing is written, and nothing fails.
        result = run("--profile", profile, "--read", "tags", "--no-cache", self.path("m"))
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_per_folder_lists_into_a_read_only_folder(self):
        disk = self.disk("read-only")
        if not disk.real:
            self.skipTest("no mount privilege and running as root")
        track = os.path.join(disk.folder, "a.mp3")
        open(track, "wb").close()
        disk.break_it()
        result = self.run_bytes(track, "--per-folder", "--index", self.path("index.txt"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("ファイルのオープンに失敗しました".encode(), result.stderr)
        self.assertNotIn("保存しました。".encode(), result.stderr)
        self.assertEqual(disk.names(), ["a.mp3"])


if __name__ == "__main__":
    unittest.main()
