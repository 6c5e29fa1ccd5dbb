"""torvane-cli info on the real files of tests/data: every reader, through the binary."""

import json
import os
import shutil
import unittest

from cli_case import CliCase, run

DATA = os.environ["TORVANE_TEST_DATA"]


class InfoOnRealFiles(CliCase):
    def info(self, *names, profile_text=None):
        if profile_text is not None:
            with open(self.profile, "w") as f:
                f.write(profile_text)
        paths = [os.path.join(DATA, name) for name in names]
        result = run("info", "--profile", self.profile, *paths)
        self.assertEqual(result.returncode, 0, result.stderr)
        return [json.loads(line) for line in result.stdout.splitlines()]

    def test_each_reader_and_its_texts(self):
        records = self.info("cbr_id3v1.mp3", "id3v23_utf16.mp3", "vbr_xing.mp3", "info.wav",
                            "oggwma-tone.ogg", "oggwma-tone.wma")
        summary = [(r["reader"], r["Type"], r["Display"]["Title"], r["BitRateText"],
                    r["SamplingRateText"], r["TimeTextClock"]) for r in records]
        self.assertEqual(summary, [
            ("mpeg", "ID3 V1", "Tone Title", "16 kbit", "16000 Hz", "00:02"),
            ("mpeg", "ID3 V2", "日本語のタイトル", "16 kbit", "16000 Hz", "00:02"),
            ("mpeg", "タグなし", "", "(VBR)", "22050 Hz", "00:02"),
            ("mpeg", "RIFF Wave", "波の音", "64 kbit", "8000 Hz", "00:01"),
            ("ogg", "OggVorbis", "夜明けの歌", "64 kbit", "44100 Hz", "00:03"),
            ("wma", "Windows Media Audio V8", "Morning Song", "32 kbit", "22050 Hz", "00:02"),
        ])
        for record in records:
            self.assertEqual(record["State"], ["SizeRead", "InfoRead"])
        self.assertEqual(records[0]["TrackNum"], "7")
        self.assertEqual(records[1]["ExtTrackNum"], "03")

    def test_newer_formats(self):
        # Expected values as ffprobe, mutagen and opusinfo report them (see the reader tests).
        records = self.info("lib-tone.flac", "lib-tags.opus", "lib-opus-content.ogg",
                            "lib-aac.m4a", "lib-alac.m4a", "lib-names.aiff", "lib-id3.aif",
                            "lib-id3chunk.wav")
        summary = [(r["reader"], r["Type"], r["Display"]["Title"], r["Display"]["Artist"],
                    r["BitRateText"], r["SamplingRateText"], r["TimeTextClock"])
                   for r in records]
        self.assertEqual(summary, [
            ("flac", "FLAC", "川の流れ", "鈴木 花子", "24 kbit", "8000 Hz", "00:01"),
            ("opus", "Opus", "朝の歌", "山田 太郎", "9 kbit", "16000 Hz", "00:01"),
            ("ogg", "Opus", "朝の歌", "山田 太郎", "9 kbit", "16000 Hz", "00:01"),
            ("mp4", "MP4 AAC", "港の灯", "佐藤 次郎", "25 kbit", "22050 Hz", "00:01"),
            ("mp4", "MP4 ALAC", "Lossless", "ALAC Artist", "50 kbit", "8000 Hz", "00:01"),
            ("aiff", "AIFF", "Name Chunk", "Auth Chunk", "64 kbit", "8000 Hz", "00:01"),
            ("aiff", "AIFF", "ID3 の題", "ID3 Artist", "88 kbit", "11025 Hz", "00:01"),
            ("mpeg", "RIFF Wave", "ID3 の波", "ID3 Wave Artist", "64 kbit", "8000 Hz", "00:01"),
        ])
        for record in records:
            self.assertEqual(record["State"], ["SizeRead", "InfoRead"])
        self.assertEqual([r["Display"]["TrackNum"] for r in records],
                         ["5", "4", "4", "2", "11", "", "6", "9"])

    def test_mixed_folder_sorts_dedupes_and_searches_across_formats(self):
        music = os.path.join(self.dir, "music")
        os.mkdir(music)
        for name in ("lib-tone.flac", "lib-tags.opus", "lib-aac.m4a", "lib-alac.m4a",
                     "lib-names.aiff", "lib-id3chunk.wav", "id3v24_utf8.mp3"):
            shutil.copy(os.path.join(DATA, name), music)
        shutil.copy(os.path.join(DATA, "lib-tone.flac"), os.path.join(music, "copy.flac"))

        # A fresh profile registers the newer formats, so the folder scan takes them all.
        result = self.cli("--read", "tags", "--sort", "title", "--print", music)
        self.assertEqual(result.returncode, 0, result.stderr)
        titles = [line.split("\t")[4] for line in result.stdout.splitlines()]
        self.assertEqual(titles, ["ID3 の波", "Lossless", "Name Chunk", "夏の歌", "川の流れ",
                                  "川の流れ", "朝の歌", "港の灯"])

        result = self.cli("--read", "tags", "--dedupe", "--print", music)
        self.assertIn("1件の重複がありました。", result.stderr)
        self.assertEqual(len(result.stdout.splitlines()), 7)

        result = self.cli("--read", "tags", "--search", "の", "--target", "title", "--print",
                          music)
        self.assertEqual(len(result.stdout.splitlines()), 6)

    def test_tag_cache_beside_the_profile_and_no_cache(self):
        music = os.path.join(self.dir, "music")
        os.mkdir(music)
        song = shutil.copy(os.path.join(DATA, "id3v24_utf8.mp3"), music)
        cache = self.path("torvane-tags.cache")

        def title(*options):
            result = self.cli("--read", "tags", *options, "--print", music)
            self.assertEqual(result.returncode, 0, result.stderr)
            return result.stdout.split("\t")[4]

        read = title()
        self.assertTrue(os.path.exists(cache))
        self.assertEqual(title(), read, "filled from the cache")
        # Same size and modification time, other contents: the change time tells. It has the
        # clock's coarse resolution, so the times are set again until it has moved on.
        stamp = os.stat(song)
        with open(song, "r+b") as f:
            f.write(bytes(stamp.st_size))
        os.utime(song, ns=(stamp.st_atime_ns, stamp.st_mtime_ns))
        while os.stat(song).st_ctime_ns == stamp.st_ctime_ns:
            os.utime(song, ns=(stamp.st_atime_ns, stamp.st_mtime_ns))
        kept = os.stat(cache).st_mtime_ns
        self.assertEqual(title("--no-cache"), "", "read from the file")
        self.assertEqual(os.stat(cache).st_mtime_ns, kept, "--no-cache leaves the cache alone")
        self.assertEqual(title(), "", "read again, not taken from the cache")

    def test_extension_decides_the_reader_not_the_registry(self):
        # mp3 disabled for gathering still reads as MPEG: info reads single files directly.
        [record] = self.info("id3v24_utf8.mp3", profile_text="[ext]\ncount=1\n0=mp3,0,\n")
        self.assertEqual(record["reader"], "mpeg")
        self.assertEqual(record["ExtTitle"], "夏の歌")
        self.assertEqual(record["ExtTrackNum"], "12/14")


if __name__ == "__main__":
    unittest.main(verbosity=2)
