#!/usr/bin/env python3
"""Builds data/main_bank.txt and data/custom_bank.txt.

Hand-written lines come from facts/main/*.txt and facts/custom/*.txt (UTF-8,
one line a fact, '#' starts a comment, files read in name order; the first
line of 00_required.txt is the bank's first line). The rest of each bank is
filled with poetry lines made by poems.py. The output is checked against
every rule in banklib.py before anything is written; any broken rule stops
the build with a message.

Run from anywhere:  python3 tools/banks/gen_banks.py [--check-only]
"""
import glob
import hashlib
import os
import sys

import banklib
import poems

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.normpath(os.path.join(HERE, "..", "..", "data"))


def read_facts(bank):
    lines = []
    for path in sorted(glob.glob(os.path.join(HERE, "facts", bank, "*.txt"))):
        for n, raw in enumerate(open(path, encoding="utf-8"), 1):
            ln = raw.rstrip("\n")
            if ln.strip() == "" or ln.startswith("#"):
                continue
            errs = banklib.line_errors(ln, bank)
            if banklib.shape(ln) is None:
                errs.append("bad shape")
            if errs:
                sys.exit("%s:%d: %s: %s" % (os.path.relpath(path, HERE), n, "; ".join(errs), ln))
            lines.append(ln)
    return lines


def question(line):
    return line.split("【")[0] if "【" in line else line.split("】")[0]


def spread_pick(cands, n):
    """Choose n of cands spread over the whole list (by a hash of each line),
    keeping their order; the same candidates always give the same choice."""
    if n >= len(cands):
        return list(cands)
    keyed = sorted(range(len(cands)), key=lambda i: hashlib.sha1(cands[i].encode("utf-8")).hexdigest())
    keep = set(keyed[:n])
    return [c for i, c in enumerate(cands) if i in keep]


def fill(hand, groups, bank, spread=True):
    """hand + generated lines from groups (list of (lines, take_all)) up to the
    bank's line count. Groups marked take_all are taken whole; the last group
    is cut to fit exactly, either sampled over its whole length (spread) or
    from its start (its order is then the order of preference)."""
    target = banklib.BANKS[bank]["lines"]
    used_q = set(question(l) for l in hand)
    used = set(hand)
    out = list(hand)
    gen = 0
    for i, (lines, take_all) in enumerate(groups):
        fresh = []
        for l in lines:
            q = question(l)
            if l in used or q in used_q or banklib.line_errors(l, bank) or banklib.shape(l) != "normal":
                continue
            used.add(l)
            used_q.add(q)
            fresh.append(l)
        room = target - len(out)
        if not take_all or len(fresh) > room:
            fresh = spread_pick(fresh, room) if spread else fresh[:room]
        out.extend(fresh)
        gen += len(fresh)
    if len(out) != target:
        sys.exit("%s: only %d lines could be made, want %d" % (bank, len(out), target))
    return out, gen


def build():
    main_hand = read_facts("main")
    custom_hand = read_facts("custom")

    t_next, t_auth, t_from = poems.tang_lines()
    main, main_gen = fill(main_hand, [(t_auth, True), (t_from, True), (t_next, False)], "main")

    s_next, s_who, s_tune = poems.songci_lines()
    # fragments come ordered by poet (best-known first), so take from the start
    custom, custom_gen = fill(custom_hand, [(s_who, True), (s_tune, True), (s_next, False)],
                              "custom", spread=False)

    errs = banklib.bank_errors(main, "main") + banklib.bank_errors(custom, "custom") \
        + banklib.pair_errors(main, custom)
    if errs:
        sys.exit("\n".join(errs[:50]))
    return {"main": (main, len(main) - main_gen, main_gen),
            "custom": (custom, len(custom) - custom_gen, custom_gen)}


def main():
    check_only = "--check-only" in sys.argv[1:]
    res = build()
    for bank, (lines, hand, gen) in res.items():
        path = os.path.join(DATA, banklib.BANKS[bank]["file"])
        data = banklib.encode_bank(lines, bank)
        if check_only:
            same = os.path.exists(path) and open(path, "rb").read() == data
            print("%s: %s" % (path, "up to date" if same else "DIFFERS from a fresh build"))
            if not same:
                sys.exit(1)
        else:
            os.makedirs(DATA, exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
            print("%s: %d lines (%d hand-written, %d generated), %d bytes"
                  % (path, len(lines), hand, gen, len(data)))


if __name__ == "__main__":
    main()
