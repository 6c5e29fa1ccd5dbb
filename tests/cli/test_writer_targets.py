"""torvane-cli writing where writing is awkward: standard output that fails, names that are not
UTF-8 in JSON, and -o targets that are links, read-only files, devices and named pipes."""

import base64
import json
import os
import shutil
import stat
import subprocess
import unittest

from cli_case import CLI, CliCase

DATA = os.environ["TORVANE_TEST_DATA"]
OPEN_FAILED = "ファイルのオープンに失敗しました".encode()


class WriterTargets(CliCase):
    def run_bytes(self, *args, stdout=subprocess.PIPE):
        return subprocess.run([CLI, "--profile", self.profile, "--read", "none", *args],
                              stdout=stdout, stderr=subprocess.PIPE, timeout=60)

    def read_bytes(self, path):
        with open(path, "rb") as f:
            return f.read()


class FailingStandardOutput(WriterTargets):
    def test_every_output_mode_into_a_full_device_fails(self):
        song = self.write("m/a.mp3")
        sample = os.path.join(DATA, "cbr_id3v1.mp3")
        for name, args in [("default", [song]), ("--print", ["--print", song]),
                           ("--json", ["--json", song]), ("-o -", ["-o", "-", song]),
                           ("info", ["info", "--profile", self.profile, sample])]:
            with self.subTest(name), open("/dev/full", "wb") as full:
                result = subprocess.run([CLI, *args] if name == "info" else
                                        [CLI, "--profile", self.profile, "--no-cache", *args],
                                        stdout=full, stderr=subprocess.PIPE, timeout=60)
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn("torvane-cli: 書き込めません: standard output: No space left on device".encode(),
                              result.stderr)

    def test_a_closed_standard_output_fails(self):
        song = self.write("m/a.mp3")
        result = subprocess.run([CLI, "--profile", self.profile, "--print", song],
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=60,
                                preexec_fn=lambda: os.close(1))
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertIn("書き込めません: standard output".encode(), result.stderr)

    def test_the_playlist_goes_to_standard_output(self):
        a, b = self.write("m/a.mp3"), self.write("m/b.mp3")
        result = self.run_bytes("-o", "-", a, b)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, (a + "\r\n" + b + "\r\n").encode())
        self.assertFalse(os.path.exists("-"))


class NamesThatAreNotUtf8(WriterTargets):
    def strict_json(self, output):
        # Strict decoding: a single raw byte that is not UTF-8 fails here.
        return [json.loads(line) for line in output.decode("utf-8").splitlines()]

    def test_json_lines_and_info_keep_the_exact_bytes(self):
        folder = self.path("m").encode()
        os.makedirs(folder)
        odd = folder + b"/caf\xe9 \xff\xfe.mp3"
        plain = folder + "/日本.mp3".encode()
        for path in (odd, plain):
            shutil.copyfile(os.path.join(DATA, "cbr_id3v1.mp3"), path)

        result = self.run_bytes("--json", folder)
        self.assertEqual(result.returncode, 0, result.stderr)
        records = {base64.b64decode(r["FilePathBytes"]) if "FilePathBytes" in r
                   else r["FilePath"].encode(): r for r in self.strict_json(result.stdout)}
        self.assertEqual(sorted(records), sorted([odd, plain]))
        self.assertEqual(records[odd]["FilePath"], self.path("m") + "/caf\ufffd \ufffd\ufffd.mp3")
        self.assertEqual(records[odd]["FileName"], "caf\ufffd \ufffd\ufffd")
        self.assertNotIn("FilePathBytes", records[plain])

        result = subprocess.run([CLI, "info", "--profile", self.profile, odd, plain],
                                capture_output=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        infos = self.strict_json(result.stdout)
        self.assertEqual(base64.b64decode(infos[0]["FilePathBytes"]), odd)
        self.assertEqual(infos[0]["reader"], "mpeg")
        self.assertNotIn("FilePathBytes", infos[1])


class OutputTargets(WriterTargets):
    def test_a_link_is_written_through_and_kept(self):
        a = self.write("m/a.mp3")
        os.makedirs(self.path("dotfiles"))
        os.symlink("../dotfiles/list.m3u", self.path("m/list.m3u"))  # dangling at first
        for _ in range(2):
            result = self.run_bytes(a, "-o", self.path("m/list.m3u"))
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertTrue(os.path.islink(self.path("m/list.m3u")))
            self.assertEqual(self.read("dotfiles/list.m3u"), a + "\r\n")

    def test_the_tag_cache_is_written_through_its_link(self):
        song = self.path("m/a.mp3")
        os.makedirs(self.path("m"))
        shutil.copyfile(os.path.join(DATA, "cbr_id3v1.mp3"), song)
        os.makedirs(self.path("dotfiles"))
        cache = self.path("torvane-tags.cache")
        os.symlink("dotfiles/tags", cache)
        result = subprocess.run([CLI, "--profile", self.profile, "--read", "tags", song],
                                capture_output=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(os.path.islink(cache))
        self.assertGreater(os.path.getsize(self.path("dotfiles/tags")), 0)

    def test_a_read_only_file_is_refused(self):
        a = self.write("m/a.mp3")
        locked = self.write("locked.m3u", b"old\r\n")
        os.chmod(locked, 0o444)
        result = self.run_bytes(a, "-o", locked)
        self.assertEqual(result.returncode, 1)
        self.assertIn(OPEN_FAILED, result.stderr)
        self.assertIn(b"Permission denied", result.stderr)
        self.assertEqual(self.read_bytes(locked), b"old\r\n")
        self.assertEqual(sorted(os.listdir(self.dir)), ["locked.m3u", "m"])

    def test_a_device_stays_a_device(self):
        a = self.write("m/a.mp3")
        device = self.path("null")
        try:
            os.mknod(device, stat.S_IFCHR | 0o666, os.makedev(1, 3))
        except OSError:
            device = "/dev/null"  # written, never replaced
        result = self.run_bytes(a, "-o", device)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(stat.S_ISCHR(os.stat(device).st_mode))

    def test_a_named_pipe_is_written_to_its_reader_and_one_without_fails(self):
        a = self.write("m/a.mp3")
        pipe = self.path("pipe.m3u")
        os.mkfifo(pipe)
        result = self.run_bytes(a, "-o", pipe)
        self.assertEqual(result.returncode, 1, "nobody reads: a failure, not a wait")
        self.assertIn(OPEN_FAILED, result.stderr)
        self.assertTrue(stat.S_ISFIFO(os.stat(pipe).st_mode))

        reader = os.open(pipe, os.O_RDONLY | os.O_NONBLOCK)
        received = []
        try:
            result = self.run_bytes(a, "-o", pipe)
            os.set_blocking(reader, True)
            received.append(os.read(reader, 65536))
        finally:
            os.close(reader)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(received, [(a + "\r\n").encode()])
        self.assertTrue(stat.S_ISFIFO(os.stat(pipe).st_mode))


if __name__ == "__main__":
    unittest.main()
