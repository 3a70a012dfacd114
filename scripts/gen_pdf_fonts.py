#!/usr/bin/env python3
"""Generates src/pdf/PdfFontTables.{h,cpp}: the width tables of the twelve standard Type 1 fonts,
the code ranges of the two Shift_JIS CMaps and the proportional Japanese width runs.

Inputs:
  ../shared/data/afm/*.afm        advance widths per glyph name
  ../shared/data/cmap/90ms-RKSJ-H, 90msp-RKSJ-H   code ranges to Adobe-Japan1 CIDs
  ../shared/data/cmap/Adobe-Japan1-UCS2           CID to Unicode, to find the glyph behind a CID
  Noto Sans CJK JP (fonts-noto-cjk)               advance widths of the proportional runs

Usage: scripts/gen_pdf_fonts.py [--data DIR] [--font TTC] [--out DIR]
"""
import argparse
import os
import re
import struct

# WinAnsiEncoding glyph names for codes 32..255 (PDF reference, Annex D). Codes the encoding
# leaves unused above 40 show the bullet.
WIN_ANSI = (
    "space exclam quotedbl numbersign dollar percent ampersand quotesingle parenleft parenright "
    "asterisk plus comma hyphen period slash zero one two three four five six seven eight nine "
    "colon semicolon less equal greater question at A B C D E F G H I J K L M N O P Q R S T U V "
    "W X Y Z bracketleft backslash bracketright asciicircum underscore grave a b c d e f g h i j "
    "k l m n o p q r s t u v w x y z braceleft bar braceright asciitilde bullet "
    "Euro bullet quotesinglbase florin quotedblbase ellipsis dagger daggerdbl circumflex "
    "perthousand Scaron guilsinglleft OE bullet Zcaron bullet bullet quoteleft quoteright "
    "quotedblleft quotedblright bullet endash emdash tilde trademark scaron guilsinglright oe "
    "bullet zcaron Ydieresis space exclamdown cent sterling currency yen brokenbar section "
    "dieresis copyright ordfeminine guillemotleft logicalnot hyphen registered macron degree "
    "plusminus twosuperior threesuperior acute mu paragraph periodcentered cedilla onesuperior "
    "ordmasculine guillemotright onequarter onehalf threequarters questiondown Agrave Aacute "
    "Acircumflex Atilde Adieresis Aring AE Ccedilla Egrave Eacute Ecircumflex Edieresis Igrave "
    "Iacute Icircumflex Idieresis Eth Ntilde Ograve Oacute Ocircumflex Otilde Odieresis multiply "
    "Oslash Ugrave Uacute Ucircumflex Udieresis Yacute Thorn germandbls agrave aacute "
    "acircumflex atilde adieresis aring ae ccedilla egrave eacute ecircumflex edieresis igrave "
    "iacute icircumflex idieresis eth ntilde ograve oacute ocircumflex otilde odieresis divide "
    "oslash ugrave uacute ucircumflex udieresis yacute thorn ydieresis"
).split()
assert len(WIN_ANSI) == 224, len(WIN_ANSI)

# (C++ table name, AFM file) in the order of the registered fonts.
STANDARD_FONTS = [
    ("kCourierWidths", "Courier"),
    ("kCourierBoldWidths", "Courier-Bold"),
    ("kCourierObliqueWidths", "Courier-Oblique"),
    ("kCourierBoldObliqueWidths", "Courier-BoldOblique"),
    ("kHelveticaWidths", "Helvetica"),
    ("kHelveticaBoldWidths", "Helvetica-Bold"),
    ("kHelveticaObliqueWidths", "Helvetica-Oblique"),
    ("kHelveticaBoldObliqueWidths", "Helvetica-BoldOblique"),
    ("kTimesRomanWidths", "Times-Roman"),
    ("kTimesBoldWidths", "Times-Bold"),
    ("kTimesItalicWidths", "Times-Italic"),
    ("kTimesBoldItalicWidths", "Times-BoldItalic"),
]

# Proportional runs of the Japanese fonts: start CID and number of widths.
PROPORTIONAL_RUNS = [(1, 95), (326, 64), (633, 63), (771, 8), (780, 10), (790, 26), (816, 26),
                     (842, 83), (925, 63), (988, 23)]
# Widths the file format of the proportional fonts fixes whatever the metrics source says.
FIXED_WIDTHS = {1: 305, 2: 219, 3: 500}


def afm_widths(path):
    widths = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            if not line.startswith("C "):
                continue
            fields = dict(p.strip().split(" ", 1) for p in line.split(";") if p.strip())
            widths[fields["N"]] = int(fields["WX"])
    table = []
    for name in WIN_ANSI:
        # Fonts older than the euro have no glyph for it: such codes show the missing glyph,
        # which is given the width of the bullet they share the slot style with.
        table.append(widths.get(name, widths["bullet"]))
    return table


def cmap_ranges(path):
    ranges = []
    inside = False
    with open(path, encoding="latin-1") as f:
        for line in f:
            if "begincidrange" in line:
                inside = True
                continue
            if "endcidrange" in line:
                inside = False
                continue
            if inside:
                m = re.match(r"\s*<([0-9a-fA-F]+)>\s*<([0-9a-fA-F]+)>\s*(\d+)", line)
                if m:
                    ranges.append((int(m.group(1), 16), int(m.group(2), 16), int(m.group(3))))
    return ranges


def cid_to_unicode(path):
    mapping = {}
    mode = None
    with open(path, encoding="latin-1") as f:
        for line in f:
            if "beginbfchar" in line:
                mode = "char"
                continue
            if "beginbfrange" in line:
                mode = "range"
                continue
            if "endbfchar" in line or "endbfrange" in line:
                mode = None
                continue
            if mode == "char":
                m = re.match(r"\s*<([0-9a-fA-F]+)>\s*<([0-9a-fA-F]+)>", line)
                if m:
                    mapping.setdefault(int(m.group(1), 16), int(m.group(2)[:4], 16))
            elif mode == "range":
                m = re.match(r"\s*<([0-9a-fA-F]+)>\s*<([0-9a-fA-F]+)>\s*<([0-9a-fA-F]+)>", line)
                if m:
                    first, last, uni = (int(m.group(i), 16) for i in (1, 2, 3))
                    for k in range(last - first + 1):
                        mapping.setdefault(first + k, uni + k)
    return mapping


class OpenTypeFace:
    """The few tables of one face of a TrueType/OpenType collection needed for advances."""

    def __init__(self, data, offset):
        self.data = data
        num_tables = struct.unpack_from(">H", data, offset + 4)[0]
        self.tables = {}
        for i in range(num_tables):
            tag, _, off, length = struct.unpack_from(">4sIII", data, offset + 12 + 16 * i)
            self.tables[tag.decode("latin-1")] = (off, length)

    def family(self):
        off, _ = self.tables["name"]
        _, count, strings = struct.unpack_from(">HHH", self.data, off)
        for i in range(count):
            pid, eid, lid, nid, length, soff = struct.unpack_from(">6H", self.data, off + 6 + 12 * i)
            if nid == 1 and pid == 3:
                raw = self.data[off + strings + soff: off + strings + soff + length]
                return raw.decode("utf-16-be")
        return ""

    def advances(self):
        units = struct.unpack_from(">H", self.data, self.tables["head"][0] + 18)[0]
        count = struct.unpack_from(">H", self.data, self.tables["hhea"][0] + 34)[0]
        off = self.tables["hmtx"][0]
        adv = [struct.unpack_from(">H", self.data, off + 4 * i)[0] for i in range(count)]
        return units, adv

    def cmap(self):
        off, _ = self.tables["cmap"]
        n = struct.unpack_from(">H", self.data, off + 2)[0]
        best = None
        for i in range(n):
            pid, eid, soff = struct.unpack_from(">HHI", self.data, off + 4 + 8 * i)
            fmt = struct.unpack_from(">H", self.data, off + soff)[0]
            if pid == 3 and fmt == 12:
                best = off + soff
        result = {}
        groups = struct.unpack_from(">I", self.data, best + 12)[0]
        for g in range(groups):
            start, end, glyph = struct.unpack_from(">III", self.data, best + 16 + 12 * g)
            for c in range(start, end + 1):
                result[c] = glyph + c - start
        return result


def proportional_widths(font_path, ucs):
    with open(font_path, "rb") as f:
        data = f.read()
    faces = struct.unpack_from(">I", data, 8)[0]
    for i in range(faces):
        face = OpenTypeFace(data, struct.unpack_from(">I", data, 12 + 4 * i)[0])
        if face.family() == "Noto Sans CJK JP":
            break
    else:
        raise SystemExit("Noto Sans CJK JP not found in " + font_path)
    units, adv = face.advances()
    cmap = face.cmap()
    runs = []
    for start, count in PROPORTIONAL_RUNS:
        widths = []
        for cid in range(start, start + count):
            if cid in FIXED_WIDTHS:
                widths.append(FIXED_WIDTHS[cid])
                continue
            glyph = cmap.get(ucs.get(cid, -1))
            if glyph is None:
                widths.append(1000)
            else:
                widths.append(round(adv[min(glyph, len(adv) - 1)] * 1000 / units))
        runs.append((start, widths))
    return runs


def emit(out_dir, standard, rksj, rksjp, runs):
    header = os.path.join(out_dir, "PdfFontTables.h")
    source = os.path.join(out_dir, "PdfFontTables.cpp")
    with open(header, "w") as h:
        h.write("// Generated by scripts/gen_pdf_fonts.py; do not edit.\n#pragma once\n\n")
        h.write("#include <array>\n#include <cstdint>\n#include <span>\n\n")
        h.write("namespace korvent::pdf::tables {\n\n")
        h.write("// Advance widths of WinAnsiEncoding codes 32..255, thousandths of the font size.\n")
        h.write("using TType1Widths = std::array<std::int16_t, 224>;\n")
        for name, _ in standard:
            h.write(f"extern const TType1Widths {name};\n")
        h.write("\n// A run of Shift_JIS codes mapped to consecutive CIDs.\n")
        h.write("struct TCMapRange {\n    std::uint16_t first;\n    std::uint16_t last;\n"
                "    std::uint16_t cid;\n};\n")
        h.write("// 90ms-RKSJ-H and 90msp-RKSJ-H as the CMap resources list them.\n")
        h.write("extern const std::span<const TCMapRange> k90msRKSJH;\n")
        h.write("extern const std::span<const TCMapRange> k90mspRKSJH;\n\n")
        h.write("// Proportional Japanese widths: a start CID and the widths of consecutive CIDs.\n")
        h.write("struct TWidthRun {\n    int start;\n    std::span<const std::int16_t> widths;\n};\n")
        h.write("extern const std::span<const TWidthRun> kProportionalWidthRuns;\n\n")
        h.write("}  // namespace korvent::pdf::tables\n")
    with open(source, "w") as c:
        c.write("// Generated by scripts/gen_pdf_fonts.py; do not edit.\n")
        c.write("// Standard font widths from the Adobe AFM files; CMap ranges from the Adobe CMap\n")
        c.write("// resources; proportional widths from the advances of Noto Sans CJK JP.\n")
        c.write('#include "pdf/PdfFontTables.h"\n\nnamespace korvent::pdf::tables {\n\n')
        for name, widths in standard:
            c.write(f"const TType1Widths {name} = {{\n")
            for i in range(0, 224, 16):
                c.write("    " + ", ".join(str(w) for w in widths[i:i + 16]) + ",\n")
            c.write("};\n\n")
        for var, ranges, label in (("kRksjRanges", rksj, "90ms-RKSJ-H"),
                                   ("kRksjpRanges", rksjp, "90msp-RKSJ-H")):
            c.write(f"// {label}: {len(ranges)} ranges.\n")
            c.write(f"static const TCMapRange {var}[] = {{\n")
            for first, last, cid in ranges:
                c.write(f"    {{0x{first:04X}, 0x{last:04X}, {cid}}},\n")
            c.write("};\n\n")
        c.write("const std::span<const TCMapRange> k90msRKSJH(kRksjRanges);\n")
        c.write("const std::span<const TCMapRange> k90mspRKSJH(kRksjpRanges);\n\n")
        for start, widths in runs:
            c.write(f"static const std::int16_t kRun{start}[] = {{\n")
            for i in range(0, len(widths), 16):
                c.write("    " + ", ".join(str(w) for w in widths[i:i + 16]) + ",\n")
            c.write("};\n")
        c.write("\nstatic const TWidthRun kRuns[] = {\n")
        for start, _ in runs:
            c.write(f"    {{{start}, kRun{start}}},\n")
        c.write("};\nconst std::span<const TWidthRun> kProportionalWidthRuns(kRuns);\n\n")
        c.write("}  // namespace korvent::pdf::tables\n")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser()
    parser.add_argument("--data", default=os.path.join(root, "..", "shared", "data"))
    parser.add_argument("--font", default="/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc")
    parser.add_argument("--out", default=os.path.join(root, "src", "pdf"))
    args = parser.parse_args()
    standard = [(name, afm_widths(os.path.join(args.data, "afm", afm + ".afm")))
                for name, afm in STANDARD_FONTS]
    rksj = cmap_ranges(os.path.join(args.data, "cmap", "90ms-RKSJ-H"))
    rksjp = cmap_ranges(os.path.join(args.data, "cmap", "90msp-RKSJ-H"))
    ucs = cid_to_unicode(os.path.join(args.data, "cmap", "Adobe-Japan1-UCS2"))
    runs = proportional_widths(args.font, ucs)
    emit(args.out, standard, rksj, rksjp, runs)


if __name__ == "__main__":
    main()
