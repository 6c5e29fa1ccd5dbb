"""The installed descriptions of the programs agree with the programs: the manual pages list
the options --help lists, every listed option is one the parser takes, the command-line
reference (docs/cli.md) documents them, and the desktop entry offers the file types the
program gathers."""

import gzip
import os
import re
import subprocess
import unittest
import xml.etree.ElementTree as ET

from cli_case import CLI, CliCase, run

GUI = os.environ["TORVANE_GUI"]
MAN_DIR = os.environ["TORVANE_MAN_DIR"]
DATA_DIR = os.environ["TORVANE_DATA_DIR"]
CLI_REFERENCE = os.environ["TORVANE_CLI_REFERENCE"]

OPTION = re.compile(r"(?<![\w-])--[a-z](?:[a-z0-9-]*[a-z0-9])?")


def options(text):
    return set(OPTION.findall(text))


def man_page_options(program):
    with gzip.open(os.path.join(MAN_DIR, program + ".1.gz"), "rt") as f:
        # troff writes a minus sign as "\-" and switches fonts with "\fB" and the like
        text = re.sub(r"\\f[BIRP]|\\[/,]", "", f.read())
        return options(text.replace("\\-", "-"))


def gui_without_display(*args):
    """Runs the desktop program with no display to open and no platform chosen, as a packager's
    build or a shell on a server does."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    return subprocess.run([GUI, *args], capture_output=True, text=True, env=env, timeout=60)


def gui_help():
    return gui_without_display("--help").stdout


def cli_help():
    return run("--help").stdout + run("info", "--help").stdout


def desktop_mime_types():
    with open(os.path.join(DATA_DIR, "torvane.desktop"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("MimeType="):
                return [t for t in line.strip()[len("MimeType="):].split(";") if t]
    return []


def shared_mime_globs():
    """Each type's extensions as shared-mime-info gives them."""
    globs = {}
    with open("/usr/share/mime/globs2") as f:
        for line in f:
            if line.startswith("#"):
                continue
            _, mime, glob = line.strip().split(":")[:3]
            if glob.startswith("*.") and "*" not in glob[2:]:
                globs.setdefault(mime, set()).add(glob[2:].lower())
    return globs


def globbed_extensions(mime_types):
    """The extensions of each type (also when it is named by an alias)."""
    aliases = {}
    with open("/usr/share/mime/aliases") as f:
        for line in f:
            alias, canonical = line.split()
            aliases[alias] = canonical
    globs = shared_mime_globs()
    return {t: globs.get(aliases.get(t, t), set()) for t in mime_types}


class DesktopProgramTest(unittest.TestCase):
    def test_help_and_version_need_no_display(self):
        for args in (["--help"], ["-h"], ["--version"], ["--profile", "/x.ini", "--version"]):
            with self.subTest(args=args):
                result = gui_without_display(*args)
                self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("--no-cache", gui_without_display("--help").stdout)
        self.assertRegex(gui_without_display("--version").stdout, r"^Torvane \d+\.\d+\.\d+")


class PackageFilesTest(unittest.TestCase):
    def test_the_release_records_name_the_version_the_programs_print(self):
        version = run("--version").stdout.split()[1]
        with open(os.path.join(DATA_DIR, "changelog"), encoding="utf-8") as f:
            self.assertEqual(re.match(r"torvane \((.*?)\)", f.readline()).group(1), version)
        metainfo = os.path.join(DATA_DIR, "org.torvane.torvane.metainfo.xml")
        root = ET.parse(metainfo).getroot()
        self.assertEqual(root.findtext("id"), "org.torvane.torvane")
        self.assertEqual(root.find("releases/release").get("version"), version)


class ManPageTest(unittest.TestCase):
    def test_cli_page_lists_the_help_options(self):
        listed = options(cli_help())
        self.assertIn("--profile", listed)
        self.assertEqual(man_page_options("torvane-cli"), listed)

    def test_gui_page_lists_the_help_options(self):
        listed = options(gui_help())
        self.assertIn("--profile", listed)
        self.assertEqual(man_page_options("torvane"), listed)

    def test_pages_say_where_the_files_are_and_what_the_environment_changes(self):
        for program, variables in (("torvane", ["TORVANE_PROFILE", "XDG_CONFIG_HOME"]),
                                   ("torvane-cli", ["TORVANE_PROFILE", "LC_ALL", "LANG"])):
            with gzip.open(os.path.join(MAN_DIR, program + ".1.gz"), "rt") as f:
                page = f.read()
            with self.subTest(program=program):
                self.assertIn(".SH FILES", page)
                self.assertIn(".SH ENVIRONMENT", page)
                self.assertIn("torvane.ini", page)
                for variable in variables:
                    self.assertIn(variable, page)

    def test_every_listed_option_is_parsed(self):
        unknown = "--no-such-option"
        self.assertIn("not expected", run(unknown, "/x/a.mp3").stderr)
        for option in sorted(options(run("--help").stdout) - {"--help"}):
            with self.subTest(option=option):
                result = run(option, "1", "/nonexistent/a.mp3")
                self.assertNotIn("not expected", result.stderr)

    def test_reference_documents_every_option(self):
        with open(CLI_REFERENCE, encoding="utf-8") as f:
            documented = options(f.read())
        self.assertEqual(options(cli_help()) - {"--help"} - documented, set())


def markdown_anchors(path):
    """The anchors of a Markdown file's headings, made as the common renderers make them."""
    anchors = set()
    in_code = False
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("```"):
                in_code = not in_code
            elif line.startswith("#") and not in_code:
                heading = line.lstrip("#").strip().lower()
                anchors.add(re.sub(r"[^\w\- ]", "", heading).replace(" ", "-"))
    return anchors


class DocumentationTest(unittest.TestCase):
    DOCS = os.path.dirname(os.path.abspath(CLI_REFERENCE))
    README = os.path.join(os.path.dirname(DOCS), "README.md")
    LINK = re.compile(r"\]\(([^)\s]+)\)")

    def documents(self):
        return [self.README] + sorted(
            os.path.join(self.DOCS, name) for name in os.listdir(self.DOCS) if name.endswith(".md"))

    def test_every_link_between_the_documents_leads_somewhere(self):
        for document in self.documents():
            with open(document, encoding="utf-8") as f:
                links = self.LINK.findall(f.read())
            for link in links:
                if re.match(r"[a-z]+:", link):
                    continue
                with self.subTest(document=os.path.basename(document), link=link):
                    target, _, anchor = link.partition("#")
                    path = os.path.normpath(os.path.join(os.path.dirname(document), target)) \
                        if target else document
                    self.assertTrue(os.path.exists(path), "no such file")
                    if anchor:
                        self.assertIn(anchor, markdown_anchors(path))

    def test_user_guide_documents_every_option_of_the_desktop_program(self):
        with open(os.path.join(self.DOCS, "user-guide.md"), encoding="utf-8") as f:
            documented = options(f.read())
        listed = options(gui_help())
        self.assertIn("--lang", listed)
        self.assertEqual(listed - documented, set())


class DesktopEntryTest(CliCase):
    def test_a_file_manager_may_open_a_folder_with_the_program(self):
        self.assertIn("inode/directory", desktop_mime_types())
        self.write("music/album/a.mp3")
        result = self.cli("--read", "none", "--print", self.path("music"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("a.mp3", result.stdout)

    def test_every_offered_type_is_gathered_and_every_gathered_type_offered(self):
        # folders have no extension; the test above takes them
        types = [t for t in desktop_mime_types() if t != "inode/directory"]
        extensions = globbed_extensions(types)
        for mime, globs in extensions.items():
            with self.subTest(mime=mime):
                self.assertTrue(globs, "shared-mime-info knows no extension of " + mime)

        # The playlists the program reads; every other offered type must be an audio type
        # the program adds with its extension check on.
        lists = {"m3u", "m3u8", "pls", "xspf"}
        offered_lists = {mime for mime, globs in extensions.items() if globs & lists}
        self.assertEqual(set().union(*(extensions[m] for m in offered_lists)) & lists, lists)
        audio = {mime: globs for mime, globs in extensions.items() if mime not in offered_lists}

        # Every audio extension the desktop knows, given to the program as files to add.
        known = set().union(*(g for m, g in shared_mime_globs().items() if m.startswith("audio/")))
        paths = [self.write("music/x." + ext) for ext in sorted(known)]
        result = self.cli("--read", "none", "--print", *paths)
        taken = {line.split("\t")[2].lower() for line in result.stdout.splitlines()}
        self.assertIn("mp3", taken)
        for mime, globs in audio.items():
            with self.subTest(mime=mime):
                self.assertTrue(globs & taken, mime + " is offered but none of its files is taken")
        self.assertEqual(taken - set().union(*audio.values()), set(),
                         "types the program takes but the desktop entry does not offer")


if __name__ == "__main__":
    unittest.main()
