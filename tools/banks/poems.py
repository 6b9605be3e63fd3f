"""Reading the poetry sources and turning them into quiz lines.

Main bank:  Tang poems. The Tang "300 poems" selection is read from two
            independent transcriptions (Debian's fortunes-zh tang300, already
            simplified, and the chinese-poetry package's 唐诗三百首, traditional,
            converted with opencc t2s). A line is produced only when both
            transcriptions agree on the text, so a typo in either source or a
            wrong conversion drops the line instead of shipping it.
Custom bank: Song ci from chinese-poetry's 宋词三百首 (converted with opencc t2s
            as well; it is mostly simplified already).
"""
import json
import os
import re
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
FORTUNES = os.environ.get("FORTUNES_DIR", "/usr/share/games/fortunes")
POETRY = os.path.join(HERE, "node_modules", "chinese-poetry", "dist")

# clause-ending punctuation of the sources, full width and ASCII
_SPLIT = re.compile(r"[，。？！；：,.?!;:]")
_CJK = re.compile(r"^[\u4e00-\u9fff、]+$")

# Characters whose traditional form maps to more than one simplified form
# (or which simplified text uses in a different sense); a clause holding one
# of them is left out rather than trusting the conversion.
RISKY = set("乾著徵覆藉瞭夥麼麽鍾鐘捨餘甦蘇穀係繫嚮曏闢鬆鬚須髮發臺檯颱台於么幹干後后裏裡里雲云")


def t2s(texts):
    """Convert a list of strings with opencc t2s in one call (line per item)."""
    data = "\n".join(texts) + "\n"
    out = subprocess.run(["opencc", "-c", "t2s.json"], input=data.encode("utf-8"),
                         stdout=subprocess.PIPE, check=True).stdout.decode("utf-8")
    res = out.split("\n")[: len(texts)]
    assert len(res) == len(texts), "opencc changed the number of lines"
    return res


def gb2312_ok(s):
    try:
        s.encode("gb2312")
        return True
    except UnicodeEncodeError:
        return False


def clauses_of(lines):
    """Split poem lines into clauses; None marks a clause unusable as a quiz
    fragment (quotes, odd characters), which also breaks the sequence."""
    out = []
    for ln in lines:
        ln = ln.strip().replace(" ", "").replace("\u3000", "")
        if not ln:
            continue
        for c in _SPLIT.split(ln):
            if c == "":
                continue
            out.append(c if _CJK.match(c) and gb2312_ok(c) else None)
    return out


def base_title(t):
    t = t.strip()
    t = re.split(r"[・·]", t)[0]
    t = re.sub(r"[（(].*?[)）]", "", t)
    t = re.sub(r"(其[一二三四五六七八九十]+|[一二三四五六七八九十]+首)$", "", t)
    return t.strip()


def read_fortunes_tang300():
    path = os.path.join(FORTUNES, "tang300")
    t = open(path, encoding="utf-8").read()
    t = re.sub(r"\x1b\[[0-9;]*m", "", t)
    poems = []
    for ent in t.split("\n%\n"):
        lines = [l for l in ent.split("\n") if l.strip()]
        if len(lines) < 3:
            continue
        m = re.match(r"^《(.+)》$", lines[0].strip())
        a = re.match(r"^作者[：:](.+)$", lines[1].strip())
        if not m or not a:
            continue
        poems.append({"title": m.group(1), "author": a.group(1).strip(),
                      "lines": lines[2:]})
    return poems


def read_cp_tang300():
    d = json.load(open(os.path.join(POETRY, "mengxue", "tangshisanbaishou.json"), encoding="utf-8"))
    raw = []
    for sec in d["content"]:
        for p in sec["content"]:
            raw.append(p)
    # one opencc call for everything: title, author, paragraphs
    flat = []
    for p in raw:
        flat.append(p["chapter"] or "")
        flat.append(p["author"] or "")
        flat.extend(p["paragraphs"])
    conv = t2s(flat)
    poems, i = [], 0
    for p in raw:
        title, author = conv[i], conv[i + 1]
        n = len(p["paragraphs"])
        orig = p["paragraphs"]
        lines = conv[i + 2: i + 2 + n]
        i += 2 + n
        # drop lines whose original holds a risky character
        lines = [l if not (set(o) & RISKY) else "※" for l, o in zip(lines, orig)]
        poems.append({"title": title, "author": author, "lines": lines})
    return poems


def read_songci300():
    d = json.load(open(os.path.join(POETRY, "songci", "宋词三百首.json"), encoding="utf-8"))
    flat = []
    for p in d:
        flat.append(p["author"])
        flat.append(p["rhythmic"])
        flat.extend(p["paragraphs"])
    conv = t2s(flat)
    poems, i = [], 0
    for p in d:
        author, rhythmic = conv[i], conv[i + 1]
        n = len(p["paragraphs"])
        lines = conv[i + 2: i + 2 + n]
        lines = [l if not (set(o) & RISKY - set("于后里云台干么发须")) else "※"
                 for l, o in zip(lines, p["paragraphs"])]
        i += 2 + n
        poems.append({"title": rhythmic, "author": author, "lines": lines})
    return poems


def pairs_of(poem):
    """Consecutive clause pairs (a, b) of one poem, both usable."""
    cl = clauses_of(poem["lines"])
    return [(a, b) for a, b in zip(cl, cl[1:]) if a and b]


def couplets_of(poem):
    """Whole lines "A,B" made of exactly two clauses."""
    out = []
    for ln in poem["lines"]:
        parts = [c for c in _SPLIT.split(ln.strip()) if c]
        if len(parts) == 2 and all(_CJK.match(c) and gb2312_ok(c) for c in parts):
            out.append(tuple(parts))
    return out


def unique_next(pair_lists, min_len):
    """Map clause -> following clause, kept only where the clause is long
    enough and every occurrence in the corpus has the same successor."""
    seen = {}
    for pairs in pair_lists:
        for a, b in pairs:
            seen.setdefault(a, set()).add(b)
    return {a: next(iter(bs)) for a, bs in seen.items() if len(bs) == 1 and len(a) >= min_len}


# Titles shared with other poets in the complete Tang corpus are asked only when
# quiz rounds know the title by this one poem.
CANONICAL_TITLES = {"登鹳雀楼", "春晓", "蜀道难", "将进酒", "游子吟", "春望", "望岳",
                    "登岳阳楼", "客至", "石鼓歌", "老将行", "桃源行", "行路难"}


def quantang_title_authors():
    import glob
    ts = []
    for f in sorted(glob.glob(os.path.join(POETRY, "quantangshi", "poet.tang.*.json"))):
        for p in json.load(open(f, encoding="utf-8")):
            ts.append((p["title"], p["author"]))
    conv = t2s([t for t, a in ts] + [a for t, a in ts])
    n = len(ts)
    m = {}
    for i in range(n):
        m.setdefault(base_title(conv[i]), set()).add(conv[n + i])
    return m


def tang_lines():
    """Quiz lines from the Tang selection, in source order, grouped by kind."""
    fp = read_fortunes_tang300()
    cp = read_cp_tang300()
    f_pairs = set(p for poem in fp for p in pairs_of(poem))
    c_pairs = set(p for poem in cp for p in pairs_of(poem))
    agreed = f_pairs & c_pairs
    # all occurrences of a clause in either source, for the uniqueness test
    nxt = unique_next([pairs_of(p) for p in fp + cp], 4)

    c_titles = {}
    for p in cp:
        c_titles.setdefault(base_title(p["title"]), set()).add(p["author"])
    f_titles = {}
    for p in fp:
        f_titles.setdefault(base_title(p["title"]), set()).add(p["author"])

    qts = quantang_title_authors()
    nextq, authq, fromq = [], [], []
    done = set()
    for poem in fp:
        for a, b in pairs_of(poem):
            if (a, b) in agreed and nxt.get(a) == b and a not in done:
                done.add(a)
                nextq.append('"%s"的下一句是?【%s】' % (a, b))
        bt = base_title(poem["title"])
        ok_title = (len(f_titles.get(bt, ())) == 1 and c_titles.get(bt) == {poem["author"]}
                    and _CJK.match(bt) and gb2312_ok(bt) and gb2312_ok(poem["author"]))
        if ok_title:
            q = "<%s>的作者是?【%s】" % (bt, poem["author"])
            others = qts.get(bt, set()) - {poem["author"]}
            if q not in authq and (not others or bt in CANONICAL_TITLES):
                authq.append(q)
            c_coup = set(c for cpo in cp if base_title(cpo["title"]) == bt for c in couplets_of(cpo))
            for a, b in couplets_of(poem):
                if (a, b) in c_coup:
                    fromq.append('"%s,%s"出自【<%s>】' % (a, b, bt))
    return nextq, authq, fromq


# Poets in the order their lines are preferred when the bank has room for only
# part of the fragments; everyone else follows in source order.
SONG_POETS = ["苏轼", "李清照", "辛弃疾", "柳永", "欧阳修", "晏殊", "范仲淹", "王安石",
              "陆游", "秦观", "晏几道", "周邦彦", "姜夔", "张先", "贺铸", "陈与义",
              "张孝祥", "蒋捷", "范成大", "吴文英", "史达祖", "张炎", "王沂孙"]
# author fields of the source that are cut short or not a person
BAD_AUTHORS = {"无名氏", "赵令"}


def songci_lines():
    sp = read_songci300()
    rank = {a: i for i, a in enumerate(SONG_POETS)}
    sp = sorted(sp, key=lambda p: rank.get(p["author"], len(SONG_POETS)))  # stable
    nxt = unique_next([pairs_of(p) for p in sp], 4)
    # words that open many ci: a fragment is asked only if it identifies one ci
    nextq, whoq, tuneq = [], [], []
    done = set()
    for poem in sp:
        ok_meta = len(poem["author"] or "") >= 2 and poem["author"] not in BAD_AUTHORS \
            and _CJK.match(poem["author"] or "") and gb2312_ok(poem["author"]) \
            and _CJK.match(poem["title"] or "") and gb2312_ok(poem["title"])
        prs = pairs_of(poem)
        for a, b in prs:
            if nxt.get(a) == b and a not in done:
                done.add(a)
                nextq.append('"%s"的下一句是?【%s】' % (a, b))
        if ok_meta and prs:
            a, b = prs[0]
            if len(a) + len(b) >= 7 and nxt.get(a) == b:
                whoq.append('"%s,%s"是哪位词人的句子?【%s】' % (a, b, poem["author"]))
                tuneq.append('"%s,%s"所用的词牌是?【%s】' % (a, b, poem["title"]))
    return nextq, whoq, tuneq
