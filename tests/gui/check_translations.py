"""Every text of the interface has a finished English translation.

lupdate gathers the texts from the code into a copy of the catalogue, so a text added to the
code without a translation fails here even when the catalogue was not refreshed. A translation
keeps the source's "%1" arguments, its key hint after the tab and a mnemonic where the source
has one.

Usage: check_translations.py LUPDATE CATALOGUE.ts SOURCE_DIR...
"""

import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path


def problems_of(source, translation):
    if not translation:
        return ["no translation"]
    found = []
    if sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", translation)):
        found.append("arguments differ")
    if re.search(r".\t", source) and source.split("\t", 1)[1] != translation.split("\t", 1)[-1]:
        found.append("key hint differs")
    if re.search(r"&[^&\s]", source) and not re.search(r"&[^&\s]", translation):
        found.append("mnemonic lost")
    return found


def main():
    lupdate, catalogue, *sources = sys.argv[1:]
    with tempfile.TemporaryDirectory() as folder:
        copy = Path(folder) / Path(catalogue).name
        shutil.copy(catalogue, copy)
        # headers are named by their path under src/, the folder above the sources
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none",
                        "-I", str(Path(sources[0]).parent), *sources, "-ts", str(copy)],
                       check=True)
        failures = []
        for context in ET.parse(copy).getroot().iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                source = message.findtext("source") or ""
                translation = message.find("translation")
                text = (translation.text or "") if translation is not None else ""
                problems = problems_of(source, text)
                if translation is not None and translation.get("type"):
                    problems.append(translation.get("type"))
                if problems:
                    failures.append(f"{name}: {source!r} -> {text!r}: {', '.join(problems)}")
    for failure in failures:
        print(failure)
    print(f"{len(failures)} unfinished translation(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
