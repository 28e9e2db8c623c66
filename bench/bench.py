# Measures Vornet against its goals, beside a minimal window program under the same Wine, and
# writes bench/RESULTS.md: start-up and exit, idle cost, one switch's file calls, the core's
# instructions, size and imports, and vornet-report beside Timewarrior. tools/bench runs it after
# building and starting Xvfb and a warm Wine server (DISPLAY, WINEPREFIX and the rest exported).
import argparse, collections, datetime, os, random, re, shutil, signal, statistics, subprocess, tempfile, time, timeit
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
VORNET, CROSS, NATIVE = ROOT / "dist/Vornet.exe", ROOT / "build/cross/bench", ROOT / "build/native"
SYSTEM_DLLS = "kernel32 user32 gdi32 shell32 comctl32 msvcrt advapi32 ole32 comdlg32 ntdll".split()
WM_CLOSE, WM_COMMAND, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP = 0x10, 0x111, 0x200, 0x201, 0x202
IDM_SWITCH_KEEP_OPEN, IDM_EXIT = 40004, 40008  # src/res/resource.h
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
TASKS = ["Coding", "Break", "Meeting, client", "Mail", "Review", "Planning", "Support", "Docs"]
BILL = ["--by", "month", "--group", "project", "--round", "15"]  # the month's bill, vornet-report's other figure


def output(*cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, check=True, **kw).stdout.strip()


def load():
    return " ".join(Path("/proc/loadavg").read_text().split()[:3])


def processes():
    # (pid, first word of the command line, environment) of every process that can be read.
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            yield (int(pid), Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")[0],
                   Path(f"/proc/{pid}/environ").read_bytes().split(b"\0"))
        except OSError:
            pass


class Program:
    # A copy of the program in a folder of its own, started and ended by bench-probe.exe.
    def __init__(self, name, exe, cls, title, exit_message):
        self.name, self.window, self.exit = name, [cls, title], exit_message
        self.folder = Path(tempfile.mkdtemp(prefix="vornet-bench-"))
        self.exe, self.ini = self.folder / exe.name, self.folder / "setting.ini"
        self.winexe = "Z:" + str(self.exe).replace("/", "\\")
        shutil.copy2(exe, self.exe)

    def start(self):
        self.probe = subprocess.Popen(["wine", CROSS / "bench-probe.exe", self.winexe,
                                       self.winexe.rsplit("\\", 1)[0], *self.window], text=True,
                                      stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        return self.answer("painted")

    def answer(self, word):
        line = self.probe.stdout.readline().split()
        if not line or line[0] != word:
            raise RuntimeError(f"{self.name}: bench-probe answered {line}, not {word}")
        return [float(w) for w in line[1:]]

    def post(self, message, wparam=0, x=0, y=0, kind="p"):
        self.probe.stdin.write(f"{kind} {message} {wparam} {x} {y}\n")
        self.probe.stdin.flush()

    def stop(self):
        # Exit request → process gone (ms), setting.ini written meanwhile, exit code.
        written = lambda: self.ini.exists() and self.ini.stat().st_mtime_ns
        before = written()
        self.post(*self.exit, kind="e")
        ms, code = self.answer("ok")
        self.probe.wait(timeout=60)
        return ms, written() != before, int(code)

    def pid(self):  # Wine gives the program's Linux process its Windows path as command line
        return next(pid for pid, cmd, _ in processes() if cmd == self.winexe.encode())


def launch(p):
    visible, painted = p.start()
    time.sleep(0.3)
    return (visible, painted) + p.stop()


def counters(pid):
    # CPU time (µs), times put on a CPU, context switches: summed over the threads.
    tasks = list(Path(f"/proc/{pid}/task").iterdir())
    sched = [[int(n) for n in (t / "schedstat").read_text().split()] for t in tasks]
    switches = [int(n) for t in tasks for n in re.findall(r"ctxt_switches:\s*(\d+)", (t / "status").read_text())]
    return [sum(s[0] for s in sched) / 1000, sum(s[2] for s in sched), sum(switches)]


def traced(pids, seconds, out, *options):
    # strace of the processes: yields the window's start, 1 s after attaching (which interrupts
    # each process once), then the output once the window of seconds is over.
    tracer = subprocess.Popen(["strace", "-f", "-o", out, *options, *(f"-p{pid}" for pid in pids)], **QUIET)
    time.sleep(1)
    yield time.time()
    time.sleep(seconds)
    tracer.send_signal(signal.SIGINT)
    tracer.wait(timeout=60)
    yield Path(out).read_text(errors="replace")


def watch(pids, seconds):
    # The counters' growth over the seconds, and the bursts: half seconds in which it ran at all.
    before = last = [counters(pid) for pid in pids]
    bursts = [0] * len(pids)
    for _ in range(int(seconds * 2)):
        time.sleep(0.5)
        now = [counters(pid) for pid in pids]
        bursts = [n + (b[1] != a[1]) for n, a, b in zip(bursts, last, now)]
        last = now
    return [[b - a for a, b in zip(x, y)] + [n] for x, y, n in zip(before, last, bursts)]


def idle(programs, args, work):
    # Counters over args.idle s from 2 s after the first paint, then system calls over args.strace s.
    for p in programs:
        p.start()
    time.sleep(2)
    pids = [p.pid() for p in programs]
    result = [r[:3] for r in watch(pids, args.idle)]
    for r, pid in zip(result, pids):
        trace = traced([pid], args.strace, f"{work}/c{pid}", "-c")
        next(trace)
        r.append(sum(int(row.split()[3]) for row in next(trace).splitlines()
                     if re.match(r"\s*[\d.]+\s+[\d.]+\s+\d+\s+\d+\s", row) and not row.endswith("total")))
    for p in programs:
        p.stop()
    return result


def click_row(v, row, keep_open=False):
    # Opens the list by a click and clicks `row` (the strip is left), or switches to it with the
    # list kept open.
    y = 18 * row + 12  # the middle of row n
    for message, held, at in ((WM_LBUTTONDOWN, 1, 5), (WM_LBUTTONUP, 0, 5), (WM_MOUSEMOVE, 0, y)):
        v.post(message, held, 5, at)
        time.sleep(0.3 if message == WM_LBUTTONUP else 0)
    if keep_open:
        v.post(WM_COMMAND, IDM_SWITCH_KEEP_OPEN)
    else:
        v.post(WM_LBUTTONDOWN, 1, 5, y)
        v.post(WM_LBUTTONUP, 0, 5, y)
    time.sleep(0.3)


def idle_running(v, args):
    # Vornet alone, counters over args.idle s: first with a task running (past the first
    # switch, so the running file's minute refresh is on), then during a break; each chosen
    # by a click on its row, which leaves the strip, as a user leaves it.
    named(v)
    v.start()
    result = []
    for row in (1, 0):
        click_row(v, row)
        time.sleep(2)
        result += watch([v.pid()], args.idle)
    v.stop()
    return result


def named(v):
    v.ini.write_bytes(re.sub(rb"(?m)^0([12])=\r", lambda m: b"0%s=Task %s\r" % (m[1], m[1]), v.ini.read_bytes()))


def switch_calls(v, work):
    # One switch with the list open (the first switch only starts the period), traced for
    # 0.45 s: system calls of Vornet and of the Wine server, and those on timelog.csv.
    named(v)
    log = v.folder / "timelog.csv"
    log.write_bytes(b"2026/01/01 09:00:00,0:00:01,1,Break\r\n")  # a log exists, as after any switch
    v.start()
    click_row(v, 1, keep_open=True)  # the first switch only starts the period
    v.post(WM_MOUSEMOVE, 0, 5, 48)  # row 2, for the switch measured
    prefix = f"WINEPREFIX={os.environ['WINEPREFIX']}".encode()
    server = next(pid for pid, cmd, env in processes() if b"wineserver" in cmd and prefix in env)
    trace = traced([v.pid(), server], 0.5, f"{work}/switch", "-ttt", "-y", "-s80")
    began = next(trace)
    v.post(WM_COMMAND, IDM_SWITCH_KEEP_OPEN)
    counts, on_files = collections.Counter(), []
    for m in re.finditer(r"(?m)^(\d+) +([\d.]+) +(\w+)\((.*)", next(trace)):
        if began <= float(m[2]) <= began + 0.45:
            who = "server" if int(m[1]) == server else "Vornet"
            on_log = re.match(r'(AT_FDCWD<[^>]*>, )?("|\d+<)[^">]*timelog\.csv[">]', m[4])  # by path or descriptor
            on_running = re.match(r'(AT_FDCWD<[^>]*>, )?("|\d+<)[^">]*timelog-running\.csv(\.tmp)?[">]', m[4])
            counts.update([who] + [f"{who} {m[3]}"] * bool(on_log) + [f"running {who} {m[3]}"] * bool(on_running))
            on_files += [float(m[2])] * bool(on_log or on_running)
    counts["ms"] = round((max(on_files) - min(on_files)) * 1000, 1) if on_files else 0
    appended = log.read_bytes().count(b"\n") - 1  # before the exit logs the period running
    v.stop()
    return counts, appended


def instructions(function, work):
    subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={work}/cg",
                    f"--toggle-collect={function}", NATIVE / "bench/core_bench"], check=True, **QUIET)
    return int(re.search(r"(?m)^(?:summary|totals): (\d+)", Path(f"{work}/cg").read_text())[1])


def periods(count):
    # Back-to-back periods of 30 s to 30 min from 2000-01-01, with a short gap now and then.
    rng, moment = random.Random(20261205), datetime.datetime(2000, 1, 1, 8)
    for _ in range(count):
        seconds = rng.randint(30, 1800)
        yield moment, seconds, rng.choice(TASKS)
        moment += datetime.timedelta(seconds=seconds + rng.choice((0, 0, 0, 1, 5)))


def best(runs, *cmd, env=None):
    # Seconds of the fastest of the runs.
    return min(timeit.repeat(lambda: subprocess.run(cmd, env=env, check=True, **QUIET), number=1, repeat=runs))


def max_rss(*cmd):
    # The most memory (KB) one run of the command took, as GNU time counts it: for a child of
    # this Python process, the kernel would count Python's own pages from before the exec.
    run = subprocess.run(["/usr/bin/time", "-f", "%M", *cmd], stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=True)
    return int(run.stderr.split()[-1])


def report_vs_timewarrior(args, work):
    # vornet-report on a big log and a smaller one, beside a bare mawk sum of the big one's
    # seconds column (reading and adding it up, no more); `timew summary` on the smaller one's
    # periods written into its data files (in UTC, and run with TZ=UTC, so that its days are the log's).
    report, db, months = NATIVE / "vornet-report", Path(work) / "timew", {}
    for n in (args.lines, args.timew_lines):
        Path(f"{work}/{n}.csv").write_text("".join(
            f"{t:%Y/%m/%d %H:%M:%S},{s // 3600}:{s // 60 % 60:02}:{s % 60:02},{s},{task}\r\n"
            for t, s, task in periods(n)), newline="")
    (db / "data").mkdir(parents=True)
    (db / "timewarrior.cfg").write_text("verbose = off\nconfirmation = off\nreports.summary.holidays = no\n")
    for t, s, task in periods(args.timew_lines):
        end, tag = t + datetime.timedelta(seconds=s), f'"{task}"' if " " in task or "," in task else task
        months.setdefault(f"{t:%Y-%m}", []).append(f"inc {t:%Y%m%dT%H%M%SZ} - {end:%Y%m%dT%H%M%SZ} # {tag}\n")
    for month, rows in months.items():
        (db / "data" / f"{month}.data").write_text("".join(rows))
    big, small = (f"{work}/{n}.csv" for n in (args.lines, args.timew_lines))
    r = {"mawk": best(args.report_runs, "mawk", "-F,", "{s+=$3} END {print s}", big),
         "day": best(args.report_runs, report, big), "bill": best(args.report_runs, report, *BILL, big),
         "small": best(args.report_runs, report, small)}
    r.update({f"rss {k} {n}": max_rss(report, *a, f"{work}/{n}.csv")
              for k, a in (("day", []), ("bill", BILL)) for n in (args.lines, args.timew_lines)})
    table = output(report, "--by", "total", "--format", "csv", small)
    r["ours"] = sum(int(row.split(",")[-3]) for row in table.splitlines() if row.split(",")[1] in ("work", "break")) / 3600
    timew = ["timew", "summary", "2000-01-01", "-", f"{end + datetime.timedelta(days=1):%Y-%m-%d}", ":nocolor"]
    env = dict(os.environ, TIMEWARRIORDB=str(db), TZ="UTC")
    h, m, s = map(int, re.findall(r"(?m)^\s*(\d+):(\d\d):(\d\d)\s*$", output(*timew, env=env))[-1])
    r["timew"], r["theirs"] = best(args.timew_runs, *timew, env=env), (h * 3600 + m * 60 + s) / 3600
    return r


def report_section(args, r, when):
    # The report's rows of the goal table and its paragraph of RESULTS.md.
    n, k, bill = f"{args.lines:,}", f"{args.timew_lines:,}", " ".join(BILL)
    rss = lambda kind, lines: r[f"rss {kind} {lines}"]
    goals = [("vornet-report faster than `timew summary`, same periods", r["small"] < r["timew"] and abs(r["ours"] - r["theirs"]) < 0.01,
              f"{r['small']:.3f} s against {r['timew']:.3f} s ({r['timew'] / r['small']:.0f}× faster); {r['ours']:.2f} h and {r['theirs']:.2f} h"),
             (f"vornet-report's default report of {n} lines ≤ 1× a mawk sum of its seconds column", r["day"] <= r["mawk"],
              f"{r['day']:.3f} s against {r['mawk']:.3f} s ({r['day'] / r['mawk']:.2f}×)"),
             (f"vornet-report `{bill}` ≤ 1.5× that sum", r["bill"] <= 1.5 * r["mawk"],
              f"{r['bill']:.3f} s ({r['bill'] / r['mawk']:.2f}×)"),
             ("vornet-report's memory does not grow with the log", rss("bill", args.lines) <= rss("bill", args.timew_lines) + 1024,
              f"max RSS of `{bill}`: {rss('bill', args.lines):,} KB for {n} lines, {rss('bill', args.timew_lines):,} KB for {k}")]
    paragraph = f"""**vornet-report beside mawk and Timewarrior** ({when}). Best of {args.report_runs} runs on a {n}-line timelog.csv: vornet-report's default report (totals per task per day) {r['day']:.3f} s, `{bill}` {r['bill']:.3f} s, a bare `mawk -F, '{{s+=$3}} END {{print s}}'` of the same file {r['mawk']:.3f} s. Most memory (max RSS): default report {rss('day', args.lines):,} KB ({rss('day', args.timew_lines):,} KB for {k} lines: it grows with the report it prints, a row per task per day, not with the log it reads), `{bill}` {rss('bill', args.lines):,} KB ({rss('bill', args.timew_lines):,} KB for {k} lines). The default report on its first {k} periods: {r['small']:.3f} s; `timew summary` (Timewarrior {output("timew", "--version")}) of those periods written into its data files, best of {args.timew_runs}: {r['timew']:.3f} s. Hours counted: {r['ours']:.2f} and {r['theirs']:.2f}.
"""
    return goals, paragraph


def spread(values):
    (q1, _, q3), m = statistics.quantiles(values, n=4), statistics.median(values)
    return m, f"**{m:.1f}** ({q1:.1f}–{q3:.1f}; {min(values):.1f}–{max(values):.1f})"


def main():
    parser = argparse.ArgumentParser()
    for name, default in (("runs", 20), ("idle", 60), ("strace", 20), ("wait-load", 1.0), ("wait-max", 600),
                          ("lines", 1000000), ("timew-lines", 100000), ("report-runs", 10), ("timew-runs", 3)):
        parser.add_argument(f"--{name}", type=type(default), default=default)
    parser.add_argument("--out", default=ROOT / "bench/RESULTS.md", type=Path)
    args = parser.parse_args()
    began, loads, work = time.time(), [load()], tempfile.mkdtemp()
    while float(load().split()[0]) > args.wait_load and time.time() - began < args.wait_max:
        time.sleep(10)  # others' builds share the machine: wait a while for a quieter moment
    waited, loads = time.time() - began, loads + [load()]
    when = f"{datetime.datetime.fromtimestamp(began, datetime.timezone.utc):%Y-%m-%d %H:%M} UTC"
    programs = [Program("Vornet", VORNET, "Quernbox", "Vornet", (WM_COMMAND, IDM_EXIT)), Program(
        "minimal window", CROSS / "bench-minimal-window.exe", "VornetBenchMinimal", "Minimal", (WM_CLOSE,))]
    try:
        for p in programs * 2:  # warm-up: Vornet writes its setting.ini, the files are cached
            launch(p)
        runs = [[], []]
        for i in range(args.runs):  # interleaved, the one that goes first taking turns
            for k in (i % 2, 1 - i % 2):
                runs[k].append(launch(programs[k]))
        idles, loads = idle(programs, args, work), loads + [load()]
        running = idle_running(programs[0], args)
        switch, appended = switch_calls(programs[0], work)
    finally:
        for p in programs:
            shutil.rmtree(p.folder, ignore_errors=True)
    core = [instructions(f, work) for f in ("MeasuredLoadAndSave*", "MeasuredLoad()", "MeasuredSwitch*")]
    core_line = output(NATIVE / "bench/core_bench")
    report_goals, report_paragraph = report_section(args, report_vs_timewarrior(args, work), f"{when}, by `tools/bench`")
    shutil.rmtree(work, ignore_errors=True)

    rows, ratio = "", []
    for i, label in enumerate(("CreateProcess → window visible", "CreateProcess → first pixel painted",
                               "exit request → process gone")):
        (v, vtext), (m, mtext) = (spread([r[i] for r in runs[k]]) for k in (0, 1))
        ratio.append(v / m)
        rows += f"| {label} | {vtext} | {mtext} | {v / m:.2f} |\n"
    size, dlls = VORNET.stat().st_size, re.findall(r"DLL Name:\s*(\S+)", output("x86_64-w64-mingw32-objdump", "-p", VORNET))
    foreign = [d for d in dlls if d.lower().removesuffix(".dll") not in SYSTEM_DLLS]
    activity = "{:.0f} µs CPU, {} wake-ups, {} context switches, {} system calls".format
    woken = "{:.0f} µs CPU, {} times on a CPU, {} context switches, bursts: {}".format
    calls = lambda *names: sum(switch.get(f"{who} {n}", 0) for who in ("Vornet", "server") for n in names)
    on_running = ", ".join(f"{k.split(' ', 1)[1]} {n}" for k, n in sorted(switch.items()) if k.startswith("running "))
    minutes = args.idle / 60
    files = calls("open", "openat"), calls("write", "writev", "pwrite64"), calls("fsync", "fdatasync"), calls("close")
    goals = [("Start-up within 1.10× of the minimal window", ratio[1] <= 1.10, f"{ratio[1]:.2f}×"),
             ("Exit within 1.10× of the minimal window", ratio[2] <= 1.10, f"{ratio[2]:.2f}×"),
             ("No activity while idle", idles[0] == [0, 0, 0, 0], activity(*idles[0])),
             ("While a task runs: at most one wake-up a minute; none during a break",
              running[0][3] <= max(1, round(minutes)) and running[1][1] == 0,
              f"task: {woken(*running[0])}; break: {woken(*running[1])}, over {args.idle} s each"),
             ("LoadSettings of a full file ≤ 2,000,000 instructions", core[1] <= 2e6, f"{core[1]:,} (+ SaveSettings: {core[0]:,})"),
             ("A switch ≤ 100,000 instructions + one open/append/flush/close", core[2] <= 1e5 and files[:3] == (1, 1, 1) and
              files[3] and appended == 1, "{:,} instructions; {} open, {} write, {} flush, {} close".format(core[2], *files)),
             ("Vornet.exe ≤ 150 KB, system DLLs only", size <= 150 * 1024 and not foreign,
              f"{size:,} bytes ({size / 1024:.1f} KB); {', '.join(dlls)}")] + report_goals
    cpu, prefix = re.search(r"model name\s*: (.*)", Path("/proc/cpuinfo").read_text())[1], os.environ.get("VORNET_WINEPREFIX")
    args.out.write_text(f"""# Vornet: benchmark results

Written by `tools/bench` on {datetime.datetime.fromtimestamp(began, datetime.timezone.utc):%Y-%m-%d %H:%M} UTC in {time.time() - began:.0f} s: `{f"VORNET_WINEPREFIX={prefix} " if prefix else ""}tools/bench` (bench/bench.py: {args.runs} runs each, idle {args.idle} s, strace {args.strace} s). Not a test: `tools/test` does not run it.

{cpu}, {os.cpu_count()} cores; Linux {os.uname().release}; {output("wine", "--version")}; Xvfb 1920x1080x24, no window manager; {output("x86_64-w64-mingw32-g++-posix", "--version").splitlines()[0]}. Load average (1, 5, 15 min): {loads[0]} at the start; {loads[1]} when measuring began (after {waited:.0f} s waiting for below {args.wait_load}); {loads[2]} after start-up, exit and idle; {load()} at the end. Others' builds and tests share the machine; start-up and exit runs are interleaved, so that their load falls on both programs alike.

| goal | result | measured |
|---|---|---|
""" + "".join(f"| {g} | {'**met**' if ok else '**not met**'} | {m} |\n" for g, ok, m in goals) + f"""
**Start-up and exit.** bench-probe.exe (bench/probe.cpp) starts each program with CreateProcess, polls every 1 ms for its visible window and for the client area's top-left screen pixel showing the frame colour both draw there, and 300 ms later asks it to end: Vornet with its Exit command, the minimal window (bench/minimal_window.cpp, built with Vornet's options) with WM_CLOSE. Milliseconds, **median** (IQR; min–max) over {args.runs} runs each, after 2 warm-up runs. Vornet wrote setting.ini during its exit in {sum(r[3] for r in runs[0])} of {args.runs} runs; exit codes seen: {sorted({r[4] for r in runs[0] + runs[1]})}.

| measure | Vornet | minimal window | ratio of medians |
|---|---|---|---|
{rows}
**Idle.** Both programs running, no input, from 2 s after their first paint: every thread's /proc schedstat and status over {args.idle} s, then `strace -c -f` of each in turn for {args.strace} s (from 1 s after attaching, which interrupts the process once). The minimal window: """ + activity(*idles[1]) + f""".

**A task running, a break.** Vornet alone, a task clicked in its list, then the break task, each leaving the strip: the same counters over {args.idle} s each, from 2 s after the click. A burst is a half second in which the process ran at all: one renewal of the running file is one burst, whose file calls (made, written, flushed, renamed, each a request to the Wine server) put it on a CPU many times. While a task other than the break task runs, a timer renews the running file's last moment once a minute; during a break, an absence or before the first switch there is no timer.

**The core.** Instructions counted by callgrind in bench/core_bench.cpp, the core on the unit tests' in-memory files ({core_line}): LoadSettings + SaveSettings {core[0]:,}; LoadSettings alone {core[1]:,}; one switch {core[2]:,}.

**One switch under Wine** with the list open (Vornet's command {IDM_SWITCH_KEEP_OPEN}), `strace -f -y` of Vornet's process and the Wine server for 0.45 s: {switch.get("Vornet", 0)} system calls by Vornet, {switch.get("server", 0)} by the server (mostly requests and replies between the two). Those on timelog.csv: {", ".join(f"{k} {n}" for k, n in sorted(switch.items()) if " " in k and not k.startswith("running "))}. Those on timelog-running.csv and its temporary file (written whole: made, written, flushed, renamed over it): {on_running or "none"}. The server opens files for its clients and passes the descriptor on, so each closes its copy. From the first call on either file to the last: {switch.get("ms", 0)} ms (under strace, which slows every call). Lines appended: {appended}.

{report_paragraph.rstrip()}
""")
    print(f"bench: wrote {args.out}")


if __name__ == "__main__":
    main()
