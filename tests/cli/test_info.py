"""torvane-cli info on the real files of tests/data: every reader, through the binary."""

import json
import os
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

    def test_extension_decides_the_reader_not_the_registry(self):
        # mp3 disabled for gathering still reads as MPEG: info reads single files directly.
        [record] = self.info("id3v24_utf8.mp3", profile_text="[ext]\ncount=1\n0=mp3,0,\n")
        self.assertEqual(record["reader"], "mpeg")
        self.assertEqual(record["ExtTitle"], "夏の歌")
        self.assertEqual(record["ExtTrackNum"], "12/14")


if __name__ == "__main__":
    unittest.main(verbosity=2)
