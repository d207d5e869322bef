#!/usr/bin/env python3
"""Makes the program's Latin face: Liberation Serif cut to letters and digits,
renamed, with the vertical metrics of the Song face.

The Song face draws "l" and "1" alike, so Latin text gets a face of its own
ahead of it. Qt takes a line's height from the first face of a font's
families, so this face must be exactly as tall as the Song face, or every
designed window would grow and clip its lines.

There is no bold cut: the Song face has none, and Qt measures a face it
emboldens itself differently from a real bold one, so this face is
emboldened the same way to stay as tall.

Usage: make_latin_face.py LATIN.ttf SONG.ttc|ttf OUT.ttf
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont

FAMILY = "KZ Latin"  # Liberation is a reserved name of the original: a modified copy may not carry it
SONG_FAMILY = "AR PL UMing CN"
# Letters and digits only. Signs, punctuation and the space keep the Song
# face's half-width advances, which the windows' narrow boxes (a lone "=" or
# "<") were designed around; digits have the same advance in both faces.
CHARACTERS = [ord(c) for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"]


def song_face(path):
    if not path.endswith(".ttc"):
        return TTFont(path)
    faces = TTCollection(path).fonts
    return next((f for f in faces if f["name"].getDebugName(1) == SONG_FAMILY), faces[0])


def scaled(value, song_upem, upem):
    exact = value * upem / song_upem
    if exact != int(exact):
        sys.exit(f"metric {value} of the Song face does not scale exactly to {upem} units")
    return int(exact)


def copy_vertical_metrics(song, latin):
    s_upem, upem = song["head"].unitsPerEm, latin["head"].unitsPerEm
    s_hhea, hhea = song["hhea"], latin["hhea"]
    for name in ("ascent", "descent", "lineGap"):
        setattr(hhea, name, scaled(getattr(s_hhea, name), s_upem, upem))
    s_os2, os2 = song["OS/2"], latin["OS/2"]
    for name in ("sTypoAscender", "sTypoDescender", "sTypoLineGap", "usWinAscent", "usWinDescent"):
        setattr(os2, name, scaled(getattr(s_os2, name), s_upem, upem))
    # Typo metrics only where the Song face itself asks for them.
    use_typo = 1 << 7
    os2.fsSelection = (os2.fsSelection & ~use_typo) | (s_os2.fsSelection & use_typo)
    # FreeType rounds the size to whole pixels when this flag is set; both faces must agree.
    whole_ppem = 1 << 3
    latin["head"].flags = (latin["head"].flags & ~whole_ppem) | (song["head"].flags & whole_ppem)


def copy_bitmap_strikes(song, latin):
    """The Song face's embedded bitmap sizes, each with one blank glyph.

    At those sizes FreeType takes the line metrics from the strike, not from
    the outline tables, and Qt reads a face with strikes through FreeType
    only; so this face needs the same strikes to measure the same. Glyphs
    missing from a strike are drawn from their outlines.
    """
    if "EBLC" not in song:
        return
    eblc, ebdt = song["EBLC"], song["EBDT"]
    upem = latin["head"].unitsPerEm
    notdef_advance = latin["hmtx"][".notdef"][0]
    for strike, glyphs in zip(eblc.strikes, ebdt.strikeData):
        index = next(t for t in strike.indexSubTables if ".notdef" in t.names)
        if index.indexFormat != 2 or index.imageFormat != 5:
            sys.exit(f"unexpected bitmap format {index.indexFormat}/{index.imageFormat} in the Song face")
        ppem = strike.bitmapSizeTable.ppemY
        m = index.metrics
        m.width = m.height = 1
        m.horiBearingX = m.horiBearingY = m.vertBearingX = m.vertBearingY = 0
        m.horiAdvance = round(notdef_advance * ppem / upem)
        m.vertAdvance = ppem
        index.names = [".notdef"]
        index.imageSize = 1
        strike.indexSubTables = [index]
        blank = glyphs[".notdef"]
        blank.imageData = b"\0"
        glyphs.clear()
        glyphs[".notdef"] = blank
    latin["EBLC"], latin["EBDT"] = eblc, ebdt


def rename(latin):
    name = latin["name"]
    keep = {0, 13, 14}  # copyright and licence travel with every copy
    name.names = [n for n in name.names if n.nameID in keep]
    ps = FAMILY.replace(" ", "") + "-Regular"
    version = latin["head"].fontRevision
    for nid, text in ((1, FAMILY), (2, "Regular"), (3, f"{ps};{version:.3f}"), (4, FAMILY),
                      (5, f"Version {version:.3f}"), (6, ps),
                      (10, "Derived from Liberation Serif: letters and digits, with the line metrics of a Song face")):
        name.setName(text, nid, 3, 1, 0x409)
        name.setName(text, nid, 1, 0, 0)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    latin_path, song_path, out = sys.argv[1:]
    latin = TTFont(latin_path, recalcTimestamp=False)  # the same bytes from the same inputs
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.layout_features = ["kern"]
    options.notdef_outline = True
    options.drop_tables += ["FFTM"]  # the original editor's timestamps
    sub = subset.Subsetter(options)
    sub.populate(unicodes=CHARACTERS)
    sub.subset(latin)
    song = song_face(song_path)
    copy_vertical_metrics(song, latin)
    copy_bitmap_strikes(song, latin)
    rename(latin)
    latin.save(out)


if __name__ == "__main__":
    main()
