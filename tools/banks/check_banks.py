#!/usr/bin/env python3
"""Checks the two built bank files byte for byte against the bank rules.

    python3 tools/banks/check_banks.py [DATA_DIR]

Exits non-zero and lists the problems if any rule is broken. Also runs a
table of cases through the fold and shape rules first, so a broken rule
implementation does not pass the banks silently.
"""
import os
import sys

import banklib

HERE = os.path.dirname(os.path.abspath(__file__))

FOLD_CASES = [
    ("问，答。", "问,答."),
    ("何年？：", "何年?:"),
    ("《静夜思》", "<静夜思>"),
    ("“WHO”", '"WHO"'),
    ("a b\u3000c", "ABC"),
    ("ｄｎａ１２３（）；！", "DNA123();!"),
    ("～☆★", "~**"),
    ("￥", "$"),
    ("10℃×2°→【】、…", "10℃×2°→【】、…"),
    ("nm", "NM"),
]

SHAPE_CASES = [
    ("问?【答】", "normal"),
    ('"四羊方尊"是哪个朝代的文物?【商】(正确)', "correct"),
    ("问:强拍】", "open"),
    ("问?【答】尾", None),
    ("【答】", None),
    ("问?【】", None),
    ("问?【答【又】", None),
    ("问?答", None),
    ("问?【答】(正确)尾", None),
]

LINE_CASES = [  # (line, bank, must be accepted)
    ("问?【答】", "custom", True),
    ("问 ?【答】", "custom", False),
    ("问，?【答】", "custom", False),
    ("dna?【答】", "custom", False),
    ("达·芬奇?【答】", "custom", False),
    ('问"="?【答】', "custom", False),
    ("問?【答】", "custom", False),
    ("NM是?【答】", "main", False),
    ("问?【" + "答" * 150 + "】", "main", True),
    ("问?【" + "答" * 150 + "】", "custom", False),
    ("问\t?【答】", "custom", False),
]


def self_test():
    errs = []
    for src, want in FOLD_CASES:
        if banklib.fold(src) != want:
            errs.append("fold(%r) = %r, want %r" % (src, banklib.fold(src), want))
    for line, want in SHAPE_CASES:
        if banklib.shape(line) != want:
            errs.append("shape(%r) = %r, want %r" % (line, banklib.shape(line), want))
    for line, bank, ok in LINE_CASES:
        got = not banklib.line_errors(line, bank)
        if got != ok:
            errs.append("line %r in %s accepted=%s, want %s" % (line[:20], bank, got, ok))
    return errs


def main():
    data_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "data")
    errs = self_test()
    banks = {}
    for bank, spec in banklib.BANKS.items():
        raw = open(os.path.join(data_dir, spec["file"]), "rb").read()
        for b, name in ((b"\x00", "NUL"), (b"\x1a", "0x1A"), (b"\t", "TAB")):
            if b in raw:
                errs.append("%s: contains %s byte" % (bank, name))
        if raw.replace(b"\r\n", b"").count(b"\r") or raw.replace(b"\r\n", b"").count(b"\n"):
            errs.append("%s: lone CR or LF" % bank)
        lines, e = banklib.decode_bank(raw, bank)
        errs += e
        errs += banklib.bank_errors(lines, bank)
        banks[bank] = lines
        longest = max((len(l.encode("gbk")) for l in lines), default=0)
        print("%s: %d lines, %d bytes, longest line %d bytes" % (spec["file"], len(lines), len(raw), longest))
    if len(banks) == 2:
        errs += banklib.pair_errors(banks["main"], banks["custom"])
        shared = set(banks["main"]) & set(banks["custom"])
        print("lines in both banks: %d" % len(shared))
    if errs:
        print("\n".join(errs[:100]))
        print("%d problem(s)" % len(errs))
        sys.exit(1)
    print("all bank rules hold")


if __name__ == "__main__":
    main()
