#!/usr/bin/env python3
"""Writes a large synthetic question bank (GBK, CR LF lines) for benchmarks.

The lines are built from the built-in main bank: its questions with a few
characters changed, its question halves joined to other answers, question
templates filled with words cut from the bank, years and numbers, upper-case
abbreviations, some lines in the quoted «"question"="answer"» form, some with
full-width punctuation and lower-case letters still to be normalised, a few
lines over 1,000 bytes, and about one line in ten a repeat of an earlier one.
The output depends only on the arguments: the same seed gives the same file.

    tools/make_synthetic_bank.py OUT [--lines 1000000] [--seed 1]
"""
import argparse
import pathlib
import random

ROOT = pathlib.Path(__file__).resolve().parent.parent

TEMPLATES = [
    "{w}是哪个{c}的{t}?【{a}】",
    "下列哪一项属于{w}?【{a}】",
    "\"{w}\"一词最早出自哪部{t}?【<{a}>】",
    "{w}的首都(首府)是哪座城市?【{a}】",
    "被称为\"{w}\"的是哪位{t}?【{a}】",
    "我国第一部{w}是:【{a}】",
    "{w}和{c}之间的关系是?【{a}】",
    "成语\"{w}\"中的\"{c}\"是什么意思?【{a}】",
    "{y}年{w}发生在哪里?【{a}】",
    "1{u}等于多少{v}?【{n}】",
    "{abbr}代表什么{t}?【{a}】",
    "{abbr}是{w}的简称吗?【是的,{a}】",
    "第{n}届{w}在哪里举行?【{a}】",
]
CLAUSES = [",请选择正确答案", ",以下说法正确的是哪一项", "(单选题,第{n}题)", "(多选题)", ",是{w}还是{x}",
           "(出自{w}{x})", ",与{w}有关", "(常识题库第{n}题)"]
UNITS = ["米", "千克", "公里", "海里", "光年", "英尺", "斤", "亩", "公顷", "吨", "升", "焦耳"]
ABBREVIATIONS = ["WTO", "UN", "DNA", "RNA", "CPU", "GDP", "NBA", "FIFA", "NASA", "UFO", "APEC",
                 "WHO", "IMF", "OPEC", "LED", "USB", "GPS", "AI", "CCTV", "ISO"]
FULL_WIDTH = str.maketrans({",": "，", "?": "？", ":": "：", "(": "（", ")": "）"})


def load_bank():
    text = (ROOT / "data" / "main_bank.txt").read_bytes().decode("gbk")
    lines = [line for line in text.split("\r\n") if line]
    questions, answers = [], []
    for line in lines:
        if "【" in line and line.endswith("】"):
            q, a = line[:-1].split("【", 1)
            questions.append(q)
            answers.append(a)
    return lines, questions, answers


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--lines", type=int, default=1_000_000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    bank, questions, answers = load_bank()
    chars = sorted({ch for line in bank for ch in line if "\u4e00" <= ch <= "\u9fff"})
    words = sorted({q[i:i + n] for q in questions for n in (2, 3, 4) for i in range(0, len(q) - n, 3)
                    if all("\u4e00" <= ch <= "\u9fff" for ch in q[i:i + n])})

    def word():
        return rng.choice(words)

    def mutate(s):
        s = list(s)
        for _ in range(rng.randint(1, 3)):
            i = rng.randrange(len(s))
            if "\u4e00" <= s[i] <= "\u9fff":
                s[i] = rng.choice(chars)
        return "".join(s)

    def fresh_line():
        kind = rng.random()
        if kind < 0.35:
            i = rng.randrange(len(questions))
            line = f"{mutate(questions[i])}【{answers[i]}】"
        elif kind < 0.50:
            q1, q2 = rng.choice(questions), rng.choice(questions)
            line = f"{q1[:len(q1) // 2]}{q2[len(q2) // 2:]}【{rng.choice(answers)}】"
        else:
            line = rng.choice(TEMPLATES).format(
                w=word(), c=rng.choice(chars), t=word(), a=rng.choice(answers) if rng.random() < 0.5 else word(),
                y=rng.randint(1000, 2024), u=rng.choice(UNITS), v=rng.choice(UNITS),
                n=rng.randint(2, 99999), abbr=rng.choice(ABBREVIATIONS))
        if rng.random() < 0.7:  # a clause before the answer
            q, a = line[:-1].split("【", 1)
            clause = rng.choice(CLAUSES).format(w=word(), x=word(), n=rng.randint(1, 500))
            line = f"{q}{clause}【{a}】"
        style = rng.random()
        if style < 0.02:  # the quoted form
            q, a = line[:-1].split("【", 1)
            line = f"\"{q}\"=\"{a}\""
        elif style < 0.05:  # still to be normalised
            line = line.translate(FULL_WIDTH).lower()
        elif style < 0.0501:  # very long
            line = line[:-1] + "".join(rng.choice(chars) for _ in range(rng.randint(520, 900))) + "】"
        return line

    out = []
    for _ in range(args.lines):
        if out and rng.random() < 0.10:
            out.append(out[rng.randrange(len(out))])
        else:
            out.append(fresh_line())
    data = "".join(line + "\r\n" for line in out).encode("gbk")
    pathlib.Path(args.out).write_bytes(data)
    print(f"{args.out}: {len(out)} lines, {len(data)} bytes")


if __name__ == "__main__":
    main()
