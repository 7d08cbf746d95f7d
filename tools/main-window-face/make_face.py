#!/usr/bin/env python3
"""Writes the main window's face: one face of an installed font collection cut
down to the characters of the given sources and printable ASCII, under a family
name of its own.

The main window is all text in one face. Its glyphs, looked up in the 25 MB
system collection, lie spread over the file, and the kernel maps 64 KB around
each one it reads: 4 MB of the program's memory at start, for some 120 glyphs.
From a cut-down copy of the same face the same glyphs cost a few pages.

    make_face.py --font FILE --index N --family NAME --out OUT.otf SOURCE...
"""
import argparse
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def characters(paths):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            chars.update(ch for ch in f.read() if ord(ch) > 0x7F)
    return chars


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--font", required=True)
    parser.add_argument("--index", type=int, default=0)
    parser.add_argument("--family", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("sources", nargs="+")
    args = parser.parse_args()

    options = subset.Options()
    options.font_number = args.index
    # Everything that shapes or rasterises the kept glyphs stays as it is, so
    # that they render exactly as from the full face.
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.hinting = True
    options.notdef_outline = True
    font = subset.load_font(args.font, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in characters(args.sources)])
    subsetter.subset(font)

    # A family of its own: under the collection's name it would stand in for
    # the whole face wherever a window asks for that; the face's licence (SIL
    # OFL 1.1, kept in its copyright and licence records) asks the same of a
    # modified copy.
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (1, 3, 4, 6, 16, 17, 21, 22):
            names.removeNames(nameID=record.nameID)
    postscript = args.family.replace(" ", "")
    for name_id, text in ((1, args.family), (2, "Regular"), (3, postscript + "-Regular"),
                          (4, args.family), (6, postscript + "-Regular")):
        names.setName(text, name_id, 3, 1, 0x409)
    subset.save_font(font, args.out, options)
    return 0


if __name__ == "__main__":
    sys.exit(main())
