#!/usr/bin/env python3
"""Writes the English catalogue of the window (a Qt .ts file) as a C++ table of pairs, the
Japanese source and its English translation, sorted by source, so that torvane-cli prints the
same English as the window without Qt. One catalogue, two readers: nothing to keep in step."""

import sys
import xml.etree.ElementTree as ET


def cpp_string(text):
    escaped = (text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
               .replace("\t", "\\t").replace("?", "\\?"))
    return '"' + escaped + '"'


def main(ts_path, output_path):
    pairs = {}
    for context in ET.parse(ts_path).getroot().iter("context"):
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "obsolete"):
                continue
            text = translation.text or ""
            if source and text:
                pairs.setdefault(source, text)
    lines = ["// Written by english_catalogue.py from the window's English catalogue.",
             '#include "texts/EnglishCatalogue.h"', "", "namespace torvane {", "",
             "const CatalogueEntry EnglishCatalogue[] = {"]
    # sorted by the bytes of the UTF-8 source, as the look-up compares them
    for source in sorted(pairs, key=lambda s: s.encode()):
        lines.append(f"    {{{cpp_string(source)}, {cpp_string(pairs[source])}}},")
    lines += ["};", "", "const size_t EnglishCatalogueSize = std::size(EnglishCatalogue);", "",
              "} // namespace torvane", ""]
    with open(output_path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
