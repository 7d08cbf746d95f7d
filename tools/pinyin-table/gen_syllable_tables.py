#!/usr/bin/env python3
"""Writes netname/syllable_tables.cpp: the syllable records and the GBK index.

Every GBK Chinese-character position is decoded, its Mandarin readings are read
from the Unicode Character Database's Unihan_Readings.txt (bz2 as Debian ships
it), stripped of tones, and mapped to the first reading that is one of the
converter's syllables. Standard library only; the output is byte-for-byte
reproducible from the same inputs.

Usage: gen_syllable_tables.py [--unihan PATH] [--output PATH] [--stats]
"""

import argparse
import bz2
import re
import sys
import unicodedata

DEFAULT_UNIHAN = "/usr/share/unicode/Unihan_Readings.txt.bz2"

# Records 1..393 in table order (four sit out of alphabetical place: fou, ji,
# qiao, yao); record 394 is empty; 395..405 follow.
MAIN_SYLLABLES = """
a ai an ang ao ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu ca cai can cang cao ce ceng
cha chai chan chang chao che chen cheng chi chong chou chu chuai chuan chuang chui chun chuo ci cong cou cu
cuan cui cun cuo da dai dan dang dao de deng di dian diao die ding diu dong dou du duan dui dun duo e en er
fa fan fang fei fen feng fu fou ga gai gan gang gao ge ji gen geng gong gou gu gua guai guan guang gui gun
guo ha hai han hang hao he hei hen heng hong hou hu hua huai huan huang hui hun huo jia jian jiang qiao
jiao jie jin jing jiong jiu ju juan jue jun ka kai kan kang kao ke ken keng kong kou ku kua kuai kuan kuang
kui kun kuo la lai lan lang lao le lei leng li lia lian liang liao lie lin ling liu long lou lu luan lue
lun luo ma mai man mang mao me mei men meng mi mian miao mie min ming miu mo mou mu na nai nan nang nao ne
nei nen neng ni nian niang niao nie nin ning niu nong nu nuan nue yao nuo o ou pa pai pan pang pao pei pen
peng pi pian piao pie pin ping po pou pu qi qia qian qiang qie qin qing qiong qiu qu quan que qun ran rang
rao re ren reng ri rong rou ru ruan rui run ruo sa sai san sang sao se sen seng sha shai shan shang shao
she shen sheng shi shou shu shua shuai shuan shuang shui shun shuo si song sou su suan sui sun suo ta tai
tan tang tao te teng ti tian tiao tie ting tong tou tu tuan tui tun tuo wa wai wan wang wei wen weng wo wu
xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue xun ya yan yang ye yi yin ying yo yong you yu
yuan yue yun za zai zan zang zao ze zei zen zeng zha zhai zhan zhang zhao zhe zhen zheng zhi zhong zhou
zhu zhua zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu zuan zui zun zuo
""".split()
EXTRA_SYLLABLES = "ei m n dia cen nou jv qv xv lv nv".split()
RECORDS = MAIN_SYLLABLES + [""] + EXTRA_SYLLABLES  # record n is RECORDS[n - 1]

# Reading fields, most authoritative first.
FIELDS = ("kMandarin", "kHanyuPinlu", "kXHC1983", "kTGHZ2013", "kHanyuPinyin")

# Characters whose reading is fixed rather than taken from the data: the
# everyday reading where the data's first one is another, and three
# characters that stay without syllable.
FIXED = {"行": "hang", "嘸": "m", "嗲": "dia", "佛": None, "给": None, "髟": None}

ROWS = 126     # lead bytes 0x81..0xFE
COLUMNS = 191  # trail bytes 0x40..0xFE


def is_hanzi_position(lead, trail):
    """GBK positions that hold Chinese characters (user-defined areas excluded)."""
    if trail == 0x7F or not 0x40 <= trail <= 0xFE:
        return False
    if 0x81 <= lead <= 0xA0 or 0xB0 <= lead <= 0xF7:
        return True
    if 0xAA <= lead <= 0xAF or 0xF8 <= lead <= 0xFD:
        return trail < 0xA1
    return False


def toneless(reading):
    """zhōng -> zhong, lǘ -> lv, lüè -> lue, ḿ -> m; None if nothing is left."""
    text = unicodedata.normalize("NFD", reading.strip().lower())
    text = text.replace("u\u0308", "v")
    text = "".join(ch for ch in text if not unicodedata.combining(ch))
    if text in ("lve", "nve"):
        text = text[0] + "ue"
    return text if re.fullmatch(r"[a-z]+", text) else None


def field_readings(field, value):
    """The readings of one Unihan field value, in the order given."""
    out = []
    for item in value.split():
        if field == "kHanyuPinlu":
            item = item.split("(", 1)[0]
        elif field in ("kXHC1983", "kTGHZ2013", "kHanyuPinyin"):
            item = item.split(":", 1)[1] if ":" in item else item
        out.extend(part for part in item.split(",") if part)
    return out


def load_readings(path):
    """code point -> {field: value} for the fields used."""
    readings = {}
    opener = bz2.open if path.endswith(".bz2") else open
    with opener(path, "rt", encoding="utf-8") as f:
        for line in f:
            if not line.startswith("U+"):
                continue
            code, field, value = line.rstrip("\n").split("\t", 2)
            if field in FIELDS:
                readings.setdefault(int(code[2:], 16), {})[field] = value
    return readings


def header_lines(path):
    """The source file's date and version lines, named in the output header."""
    opener = bz2.open if path.endswith(".bz2") else open
    keep = []
    with opener(path, "rt", encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                break
            if line.startswith("# Date:") or line.startswith("# Unicode version:"):
                keep.append(line[2:].strip())
    return keep


def syllable_of(char, readings, numbers):
    if char in FIXED:
        fixed = FIXED[char]
        return numbers[fixed] if fixed else 0
    fields = readings.get(ord(char), {})
    for field in FIELDS:
        for reading in field_readings(field, fields.get(field, "")):
            syllable = toneless(reading)
            if syllable in numbers:
                return numbers[syllable]
    return 0


def build_index(readings):
    numbers = {s: i + 1 for i, s in enumerate(RECORDS) if s}
    index = [0] * (ROWS * COLUMNS)
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            if not is_hanzi_position(lead, trail):
                continue
            try:
                char = bytes((lead, trail)).decode("gbk")
            except UnicodeDecodeError:
                continue
            char = unicodedata.normalize("NFC", char)  # 0xFD9C..0xFDA0
            if len(char) != 1:
                continue
            index[(lead - 0x81) * COLUMNS + (trail - 0x40)] = syllable_of(char, readings, numbers)
    return index


def render(index, sources):
    out = []
    out.append("// Generated by tools/pinyin-table/gen_syllable_tables.py; do not edit by hand.")
    out.append("// Inputs: Unihan_Readings.txt of the Unicode Character Database (" + "; ".join(sources) + "),")
    out.append("// fields " + ", ".join(FIELDS) + " in that order, and Python's gbk codec.")
    out.append("// Derived (modified) data: the readings are reduced to one toneless syllable per GBK position.")
    out.append("// Unicode data: Copyright (c) 1991-2022 Unicode, Inc.; see tools/pinyin-table/README.md for the")
    out.append("// Unicode licence under which it is used.")
    out.append('#include "netname/SyllableTables.h"')
    out.append("")
    out.append("namespace tongshu::netname {")
    out.append("")
    out.append("constexpr std::array<SyllableRecord, kSyllableRecords> SyllableTable = {{")
    for n, s in enumerate(RECORDS, start=1):
        letters = ", ".join("'%s'" % c for c in s) if s else ""
        out.append("    {%d, {%s}},  // %d %s" % (len(s), letters, n, s or "(empty)"))
    out.append("}};")
    out.append("")
    out.append("constexpr std::array<std::uint16_t, kIndexRows * kIndexColumns> SyllableIndex = {{")
    for row in range(ROWS):
        out.append("    // lead 0x%02X" % (0x81 + row))
        entries = index[row * COLUMNS:(row + 1) * COLUMNS]
        for start in range(0, COLUMNS, 16):
            out.append("    " + ",".join(str(e) for e in entries[start:start + 16]) + ",")
    out.append("}};")
    out.append("")
    out.append("}  // namespace tongshu::netname")
    return "\n".join(out) + "\n"


def stats(index):
    mapped = sum(1 for e in index if e)
    gb2312 = 0
    gb2312_mapped = 0
    for lead in range(0xB0, 0xF8):
        for trail in range(0xA1, 0xFF):
            try:
                bytes((lead, trail)).decode("gb2312")
            except UnicodeDecodeError:
                continue
            gb2312 += 1
            gb2312_mapped += bool(index[(lead - 0x81) * COLUMNS + trail - 0x40])
    return "mapped positions: %d; GB2312 characters mapped: %d of %d" % (mapped, gb2312_mapped, gb2312)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--unihan", default=DEFAULT_UNIHAN)
    parser.add_argument("--output", default="-")
    parser.add_argument("--stats", action="store_true", help="print coverage counts to stderr")
    args = parser.parse_args(argv)
    assert len(MAIN_SYLLABLES) == 393 and len(RECORDS) == 405, "syllable list damaged"

    index = build_index(load_readings(args.unihan))
    text = render(index, header_lines(args.unihan))
    if args.output == "-":
        sys.stdout.write(text)
    else:
        with open(args.output, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    if args.stats:
        print(stats(index), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
