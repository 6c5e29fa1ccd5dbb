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

    def test_extension_decides_the_reader_not_the_registry(self):
        # mp3 disabled for gathering still reads as MPEG: info reads single files directly.
        [record] = self.info("id3v24_utf8.mp3", profile_text="[ext]\ncount=1\n0=mp3,0,\n")
        self.assertEqual(record["reader"], "mpeg")
        self.assertEqual(record["ExtTitle"], "夏の歌")
        self.assertEqual(record["ExtTrackNum"], "12/14")


if __name__ == "__main__":
    unittest.main(verbosity=2)
