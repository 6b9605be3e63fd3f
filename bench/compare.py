#!/usr/bin/env python3
"""Times wenyuan against grep and sort on one bank file and prints ratios.

Called by bench/run.sh with the build directory and the bank file. Every
whole-process time is the fastest of several runs, with the commands being
compared run in turn so that a busy moment of the machine hits both alike.
"""
import json
import os
import platform
import resource
import subprocess
import sys
import tempfile
import time

RUNS = 7
# Output goes to a file: GNU grep stops at the first match when its output is
# /dev/null, which would not be a fair comparison.
SINK = tempfile.TemporaryFile()
# Search texts: a selective and a very common one of each kind.
SEARCHES = [("chinese", "明月"), ("chinese", "下一句"), ("pinyin", "JSN"), ("pinyin", "XYJS")]


def timed(cmd, env=None):
    SINK.seek(0)
    SINK.truncate()
    start = time.perf_counter()
    subprocess.run(cmd, stdout=SINK, stderr=subprocess.DEVNULL, env=env)
    return time.perf_counter() - start


def fastest(*cmds, env=None):
    """The fastest time of each command over RUNS rounds, one run of each per round."""
    best = [float("inf")] * len(cmds)
    for cmd in cmds:  # warm the page cache and the binaries
        timed(cmd, env)
    for _ in range(RUNS):
        for i, cmd in enumerate(cmds):
            best[i] = min(best[i], timed(cmd, env))
    return best


def peak_kb(cmd, env=None):
    """Peak resident memory of the command, as /usr/bin/time -v reports it."""
    SINK.seek(0)
    SINK.truncate()
    out = subprocess.run(["/usr/bin/time", "-v", *cmd], stdout=SINK, stderr=subprocess.PIPE, env=env).stderr
    for line in out.decode("utf-8", "replace").splitlines():
        if "Maximum resident set size" in line:
            return int(line.split(":")[1])
    return -1


def main():
    build, bank = sys.argv[1], sys.argv[2]
    cli = os.path.join(build, "cli", "wenyuan-cli")
    core_bench = os.path.join(build, "bench", "core_bench")
    c_env = dict(os.environ, LC_ALL="C")
    size = os.path.getsize(bank)
    with open(bank, "rb") as f:
        lines = f.read().count(b"\r\n")

    cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
    mem = next(int(l.split()[1]) for l in open("/proc/meminfo") if l.startswith("MemTotal"))
    print(f"machine: {os.cpu_count()} cores ({cpu}), {mem / 1048576:.0f} GiB, {platform.system()} {platform.release()}")
    print(f"load average at start: {os.getloadavg()[0]:.2f}")
    print(f"bank: {bank}, {lines} lines, {size} bytes")
    print()

    # In-process figures from Google Benchmark.
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        args = [core_bench, "--bank", bank]
        for _, text in SEARCHES:
            args += ["--search", text]
        subprocess.run(args + [f"--benchmark_out={out.name}", "--benchmark_out_format=json"],
                       stdout=subprocess.DEVNULL, check=True)
        results = {b["name"].split("/min_time")[0].split("/iterations")[0]: b for b in json.load(open(out.name))["benchmarks"]}

    def ms(name):
        return results[name]["real_time"]  # the benchmarks report milliseconds

    load = ms("LoadMainBank")
    print(f"in-process, Google Benchmark:")
    print(f"  load the bank into the search lists     {load:8.1f} ms")
    print(f"  the add check over every line           {ms('IsNewQuestion'):8.1f} ms")
    print(f"  DedupLines                              {ms('DedupLines'):8.1f} ms")
    print()

    print("search (target: in-process search within 2x of grep -F -c):")
    print(f"  {'text':10} {'hits':>7} {'in-process':>11} {'grep -F -c':>11} {'ratio':>6} {'load/search':>12}"
          f" {'wenyuan-cli':>12} {'cli/grep':>9}")
    for kind, text in SEARCHES:
        gbk = text.encode("gbk")
        grep_s, cli_s = fastest(["grep", "-F", "-c", gbk, bank], [cli, "search", "--bank", bank, text], env=c_env)
        search = ms(f"Search/{text}")
        hits = int(results[f"Search/{text}"]["hits"])
        print(f"  {text + ' (' + kind + ')':10} {hits:7d} {search:8.1f} ms {grep_s * 1000:8.1f} ms {search / (grep_s * 1000):6.2f}"
              f" {load / search:12.1f} {cli_s * 1000:9.0f} ms {cli_s / grep_s:9.1f}")
    print()

    dedup_s, sort_s = fastest([cli, "dedup", bank], ["sort", "-u", bank], env=c_env)
    print("duplicate removal (target: within 1.5x of sort -u):")
    print(f"  wenyuan-cli dedup {dedup_s * 1000:6.0f} ms, LC_ALL=C sort -u {sort_s * 1000:6.0f} ms, ratio {dedup_s / sort_s:.2f}")
    print()

    print("peak memory (target: under 4x the file size):")
    for name, cmd in [("wenyuan-cli search", [cli, "search", "--bank", bank, SEARCHES[0][1]]),
                      ("wenyuan-cli search (common)", [cli, "search", "--bank", bank, SEARCHES[3][1]]),
                      ("wenyuan-cli dedup", [cli, "dedup", bank]),
                      ("LC_ALL=C sort -u", ["sort", "-u", bank]),
                      ("LC_ALL=C grep -F -c", ["grep", "-F", "-c", SEARCHES[0][1].encode("gbk"), bank])]:
        kb = peak_kb(cmd, env=c_env)
        print(f"  {name:28} {kb / 1024:7.1f} MiB  {kb * 1024 / size:5.2f}x the file")


if __name__ == "__main__":
    main()
