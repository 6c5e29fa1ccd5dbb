"""torvane-cli writing and reading M3U, extended M3U, PLS and XSPF lists, checked against our
own reader, the XSPF schema and, where installed, an independent playlist parser."""

import json
import os
import shutil
import subprocess
import unittest
import urllib.parse

from cli_case import CliCase

DATA = os.environ["TORVANE_TEST_DATA"]
TAGGED = os.path.join(DATA, "cbr_id3v1.mp3")  # "Tone Artist" - "Tone Title", 2 seconds
SCHEMA = os.path.join(DATA, "xspf-1.xsd")
SYSTEM_PYTHON = "/usr/bin/python3"

# Japanese, blanks, "#", "%" and "&" in folder and file names.
NAMES = ["音楽/曲 #1 100% & more.mp3", "音楽/sub dir/b&c#.mp3", "other/x%41 y.mp3"]

# Prints what the GNOME playlist parser finds in a list: its result and each entry's URI and
# title.
TOTEM_SCRIPT = """
import json, sys
import gi
gi.require_version("TotemPlParser", "1.0")
from gi.repository import Gio, TotemPlParser
entries = []
parser = TotemPlParser.Parser()
parser.connect("entry-parsed", lambda p, uri, meta: entries.append(
    {"uri": uri, "title": meta.get(TotemPlParser.PARSER_FIELD_TITLE)}))
result = parser.parse(Gio.File.new_for_path(sys.argv[1]).get_uri(), False)
print(json.dumps({"result": result.value_nick, "entries": entries}))
"""


def totem_available():
    if not os.path.exists(SYSTEM_PYTHON):
        return False
    probe = subprocess.run([SYSTEM_PYTHON, "-c", "import gi; gi.require_version("
                            "'TotemPlParser', '1.0'); from gi.repository import TotemPlParser"],
                           capture_output=True)
    return probe.returncode == 0


def path_of_uri(uri):
    """The parser hands plain paths back as they are and relative ones as file URIs."""
    if uri.startswith("file://"):
        return urllib.parse.unquote(urllib.parse.urlparse(uri).path)
    return uri


class PlaylistCase(CliCase):
    def setUp(self):
        super().setUp()
        self.inputs = []
        for name in NAMES:
            target = self.path(name)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copy(TAGGED, target)
            self.inputs.append(target)
        os.makedirs(self.path("lists"))

    def write_list(self, name, *options):
        out = self.path("lists/" + name)
        result = self.cli("--read", "tags", *options, "-o", out, *self.inputs)
        self.assertEqual(result.returncode, 0, result.stderr)
        return out

    def read_back(self, path):
        result = self.cli("--read", "none", "--print", path)
        self.assertEqual(result.returncode, 0, result.stderr)
        return [line.split("\t")[0] for line in result.stdout.splitlines()]


class RoundTrip(PlaylistCase):
    def test_every_format_reads_back_the_same_paths(self):
        for name, options in [("a.m3u", []), ("b.m3u", ["--extended"]), ("c.txt", []),
                              ("d.m3u8", []), ("e.pls", []), ("f.xspf", []),
                              ("g.m3u", ["--encoding", "cp932"])]:
            for relative in ([], ["--relative-to", self.path("lists")]):
                with self.subTest(name=name, options=options, relative=relative):
                    out = self.write_list(name, *options, *relative)
                    self.assertEqual(self.read_back(out), self.inputs)

    def test_extended_and_legacy_m3u(self):
        out = self.write_list("x.m3u", "--extended", "--encoding", "CP932")
        with open(out, "rb") as f:
            text = f.read().decode("cp932")
        self.assertEqual(text.split("\r\n")[:3],
                         ["#EXTM3U", "#EXTINF:2,Tone Artist - Tone Title", self.inputs[0]])
        plain = self.write_list("plain.m3u")
        with open(plain, "rb") as f:
            self.assertEqual(f.read().decode(), "".join(p + "\r\n" for p in self.inputs))

    def test_names_the_code_page_cannot_hold_are_refused(self):
        korean = self.path("한국.mp3")
        shutil.copy(TAGGED, korean)
        out = self.path("lists/k.m3u")
        result = self.cli("--encoding", "cp932", "-o", out, korean, *self.inputs)
        self.assertEqual(result.returncode, 1)
        self.assertIn(korean, result.stderr)
        self.assertFalse(os.path.exists(out))


class OtherReaders(PlaylistCase):
    def test_xspf_is_valid_against_the_schema(self):
        if shutil.which("xmllint") is None:
            self.skipTest("xmllint is not installed (Debian package libxml2-utils)")
        for relative in ([], ["--relative-to", self.path("lists")]):
            out = self.write_list("v.xspf", *relative)
            check = subprocess.run(["xmllint", "--noout", "--schema", SCHEMA, out],
                                   capture_output=True, text=True)
            self.assertEqual(check.returncode, 0, check.stderr)

    def test_pls_and_m3u8_parse_in_the_gnome_playlist_parser(self):
        if not totem_available():
            self.skipTest("the GNOME playlist parser is not installed (Debian packages "
                          "python3-gi and gir1.2-totemplparser-1.0)")
        for name in ("t.pls", "t.m3u8"):
            for relative in ([], ["--relative-to", self.path("lists")]):
                with self.subTest(name=name, relative=relative):
                    out = self.write_list(name, *relative)
                    parsed = subprocess.run([SYSTEM_PYTHON, "-c", TOTEM_SCRIPT, out],
                                            capture_output=True, text=True, timeout=60)
                    self.assertEqual(parsed.returncode, 0, parsed.stderr)
                    found = json.loads(parsed.stdout)
                    self.assertEqual(found["result"], "success")
                    self.assertEqual([path_of_uri(e["uri"]) for e in found["entries"]],
                                     self.inputs)
                    self.assertEqual([e["title"] for e in found["entries"]],
                                     ["Tone Artist - Tone Title"] * len(self.inputs))


if __name__ == "__main__":
    unittest.main()
