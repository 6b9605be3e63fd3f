"""Form rules shared by the bank generator and the bank checker."""

FOLD_MAP = {
    "，": ",", "。": ".", "？": "?", "：": ":", "》": ">", "《": "<",
    "“": '"', "”": '"', "～": "~", "☆": "*", "★": "*", "￥": "$", "￣": "~",
}


def fold(s):
    """The search fold the program applies to text before matching."""
    out = []
    for ch in s:
        if ch in (" ", "\u3000"):
            continue
        ch = FOLD_MAP.get(ch, ch)
        o = ord(ch)
        if 0xFF01 <= o <= 0xFF5E:  # full-width ASCII row
            ch = chr(o - 0xFEE0)
        if "a" <= ch <= "z":
            ch = ch.upper()
        out.append(ch)
    return "".join(out)


BANKS = {
    "main": {"file": "main_bank.txt", "lines": 3399, "max_bytes": 385, "trailing_crlf": True},
    "custom": {"file": "custom_bank.txt", "lines": 938, "max_bytes": 141, "trailing_crlf": False},
}

REQUIRED = {
    "main": {
        "first": "据<不列颠百科全书>所载,迄今为止世界上最大的百科全书是?【永乐大典】",
        "lines": [
            "泸定桥在我国哪个省境内?【四川】",
            '"善提本无树,明镜亦非台,本来无一物,何处惹尘埃"出自【明澈】',
            '"菩提本无树,明镜亦非台,本来无一物,何处惹尘埃"出自【六祖坛经】',
            "螟蛉子可以婉指:【养子(义子)】",
            "纳米(NM)作单位,1NM等于?【10的负9次方】",
            '"WHO"代表什么世界组织【世界卫生组织】',
            "UFO的具体含义是:【不明飞行物】",
            "DNA分子的结构是:【双螺旋结构】",
            "红军二万五千里长征开始于何年?【1934年10月】",
            '"四羊方尊"是哪个朝代的文物?【商】(正确)',
            '"有板有眼"的"板"是我国传统音乐节奏中的:强拍】',
        ],
    },
    "custom": {
        "first": "猫无论以什么姿势从空中落下,总是:【四脚先着地】",
        "lines": [
            "泸定桥在我国哪个省境内?【四川】",
            '"善提本无树,明镜亦非台,本来无一物,何处惹尘埃"出自【明澈】',
        ],
    },
}

# Search texts whose hits are pinned: only these lines may contain them.
PINNED = {
    "泸定桥": {"泸定桥在我国哪个省境内?【四川】"},
    "善提本无树": {'"善提本无树,明镜亦非台,本来无一物,何处惹尘埃"出自【明澈】'},
    "菩提本无树": {'"菩提本无树,明镜亦非台,本来无一物,何处惹尘埃"出自【六祖坛经】'},
    "STBWS": set(),
    "PTBWS": set(),
    "NM": {"纳米(NM)作单位,1NM等于?【10的负9次方】"},
}

MAX_SHARED = 40  # lines allowed in both banks besides the required shared ones


def line_errors(line, bank):
    """Problems of one line on its own (shape is checked per bank)."""
    errs = []
    if line == "":
        errs.append("empty line")
    for bad, name in (("\x00", "NUL"), ("\x1a", "0x1A"), ("\t", "TAB"), ("\r", "CR"), ("\n", "LF")):
        if bad in line:
            errs.append("contains " + name)
    # A character must be in GB2312 and have the same bytes under the GB2312
    # and GBK codecs (the middle dot and the long dash do not: their GBK
    # decoding differs from the GB2312 one, so they are kept out).
    for ch in line:
        try:
            ok = ch.encode("gb2312") == ch.encode("gbk")
        except UnicodeEncodeError:
            ok = False
        if not ok:
            errs.append("not GB2312 (or codec-dependent): %r" % ch)
    if errs:
        return errs
    n = len(line.encode("gbk"))
    if n > BANKS[bank]["max_bytes"]:
        errs.append("%d bytes, longer than %d" % (n, BANKS[bank]["max_bytes"]))
    if fold(line) != line:
        errs.append("not in folded form (fold gives %s)" % fold(line))
    if '"="' in line:
        errs.append('contains "=" between quotes')
    for text, allowed in PINNED.items():
        if text in line and line not in allowed:
            errs.append("contains pinned text " + text)
    return errs


def shape(line):
    """'normal', 'correct' (…】(正确)), 'open' (…】 without 【) or None."""
    lb, rb = line.count("【"), line.count("】")
    if lb == 1 and rb == 1 and line.endswith("】") and line.index("【") > 0 \
            and line.index("【") + 1 < line.index("】"):
        return "normal"
    if lb == 1 and rb == 1 and line.endswith("】(正确)") and line.index("【") > 0:
        return "correct"
    if lb == 0 and rb == 1 and line.endswith("】") and len(line) > 1:
        return "open"
    return None


def bank_errors(lines, bank):
    """Every rule a whole bank's lines must satisfy (the lines without CRLF)."""
    errs = []
    spec = BANKS[bank]
    if len(lines) != spec["lines"]:
        errs.append("%s: %d lines, want %d" % (bank, len(lines), spec["lines"]))
    seen = {}
    counts = {"normal": 0, "correct": 0, "open": 0}
    for i, ln in enumerate(lines, 1):
        for e in line_errors(ln, bank):
            errs.append("%s line %d: %s: %s" % (bank, i, e, ln))
        sh = shape(ln)
        if sh is None:
            errs.append("%s line %d: bad shape: %s" % (bank, i, ln))
        else:
            counts[sh] += 1
        if ln in seen:
            errs.append("%s line %d repeats line %d: %s" % (bank, i, seen[ln], ln))
        seen.setdefault(ln, i)
    want = {"main": (2, 2), "custom": (0, 0)}[bank]
    if (counts["correct"], counts["open"]) != want:
        errs.append("%s: %d '(正确)' lines and %d lines without 【, want %d and %d"
                    % (bank, counts["correct"], counts["open"], want[0], want[1]))
    req = REQUIRED[bank]
    if not lines or lines[0] != req["first"]:
        errs.append("%s: line 1 is not the required first line" % bank)
    for r in req["lines"]:
        if r not in seen:
            errs.append("%s: required line missing: %s" % (bank, r))
    return errs


def pair_errors(main, custom):
    shared = set(main) & set(custom)
    extra = shared - set(REQUIRED["custom"]["lines"])
    if len(extra) > MAX_SHARED:
        return ["%d lines shared by both banks beyond the required ones (at most %d)"
                % (len(extra), MAX_SHARED)]
    return []


def encode_bank(lines, bank):
    body = "\r\n".join(lines)
    if BANKS[bank]["trailing_crlf"]:
        body += "\r\n"
    return body.encode("gbk")


def decode_bank(data, bank):
    """Split raw bank bytes into lines, reporting byte-level problems."""
    errs = []
    if data.startswith(b"\xef\xbb\xbf") or data.startswith(b"\xff\xfe") or data.startswith(b"\xfe\xff"):
        errs.append("%s: starts with a byte-order mark" % bank)
    if BANKS[bank]["trailing_crlf"]:
        if not data.endswith(b"\r\n"):
            errs.append("%s: last line lacks CRLF" % bank)
        body = data[:-2] if data.endswith(b"\r\n") else data
    else:
        if data.endswith(b"\r\n") or data.endswith(b"\n") or data.endswith(b"\r"):
            errs.append("%s: ends with a line break" % bank)
        body = data
    try:
        text = body.decode("gbk")
    except UnicodeDecodeError as e:
        return [], errs + ["%s: not valid GBK at byte %d" % (bank, e.start)]
    return text.split("\r\n"), errs
