"""Measures Vornet side by side with a minimal window program under the same Wine, and writes
bench/RESULTS.md. Run by tools/bench, which builds both, starts Xvfb and a warm Wine server
in a prefix of its own and exports DISPLAY, WINEPREFIX and the rest.

    python3 bench/bench.py [--runs N] [--idle S] [--strace S] [--warmup N]
                           [--profile-runs N] [--no-variants] [--out FILE]

What is measured (interleaved: the programs take turns, the one that goes first rotating
from round to round, so that load from elsewhere falls on all of them alike):
- start-up: bench-probe.exe CreateProcess-es the program and polls for its visible window and
  its first painted pixel (QueryPerformanceCounter); and the whole `wine X.exe`, timed from
  outside (wall clock before the `wine` command to the probe's painted pixel), with the CPU
  time of the program's process at that moment;
- exit: the Exit command (Vornet, WM_COMMAND 40008) or WM_CLOSE (minimal) to the process's
  end, with setting.ini written (Vornet); and from the same request until `wine X.exe` returns;
- a profile: trace builds with a time stamp after each step of start-up and exit, and the
  proposed changes built and measured beside Vornet as it is (bench/variants.py);
- idle: both running, no input, for a while: CPU time, wake-ups and context switches of every
  thread of each process from /proc, and the system calls strace sees in a second window;
- one switch under Wine: the system calls of Vornet and the Wine server (strace);
- the native core under callgrind (bench/core-instructions);
- the size of dist/Vornet.exe and the DLLs it imports.
"""

import argparse
import datetime
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
VORNET = os.path.join(ROOT, "dist", "Vornet.exe")
CROSS = os.path.join(ROOT, "build", "cross")
MINIMAL = os.path.join(CROSS, "bench", "bench-minimal-window.exe")
PROBE = os.path.join(CROSS, "bench", "bench-probe.exe")
OBJDUMP = "x86_64-w64-mingw32-objdump"

CMD_EXIT = 40008
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "comctl32.dll",
               "msvcrt.dll", "advapi32.dll", "ole32.dll", "comdlg32.dll", "ntdll.dll"}

GOAL_RATIO = 1.10
GOAL_LOAD_INSTRUCTIONS = 2_000_000
GOAL_SWITCH_INSTRUCTIONS = 100_000
GOAL_EXE_BYTES = 150 * 1024

# Proposed changes, built and measured beside Vornet as it is (bench/variants.py).
PROPOSALS = ["lazy comctl32", "no white fill", "both", "tray after paint"]


class Program:
    def __init__(self, name, exe, class_name, title, exit_how, writes_settings):
        self.name = name
        self.exe = exe
        self.class_name = class_name
        self.title = title
        self.exit_how = exit_how
        self.writes_settings = writes_settings
        self.folder = tempfile.mkdtemp(prefix=f"vornet-bench-{name.split()[0].lower()}-")
        self.local_exe = os.path.join(self.folder, os.path.basename(exe))
        shutil.copy2(exe, self.local_exe)


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def wine(*args, cwd=None, timeout=120):
    done = subprocess.run(["wine", *args], cwd=cwd, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=timeout)
    return done.stdout.decode(errors="replace").strip()


def probe(*args, timeout=120):
    answer = wine(PROBE, *args, timeout=timeout)
    if not answer.startswith("ok"):
        raise RuntimeError(f"bench-probe {args[0]}: {answer!r}")
    return answer.split()[1:]


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def command_output(*args):
    try:
        return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              check=False).stdout.decode(errors="replace").strip()
    except OSError as error:
        return f"({error})"


# ---------------------------------------------------------------- start-up and exit

def launch_once(program):
    settings = os.path.join(program.folder, "setting.ini")
    args = ["launch", winpath(program.local_exe), winpath(program.folder), program.class_name,
            program.title, str(program.exit_how)]
    if program.writes_settings:
        args.append(winpath(settings))
    visible, painted, exit_ms, written, code = probe(*args)[:5]
    return {"visible": float(visible), "painted": float(painted), "exit": float(exit_ms),
            "written": int(written), "code": int(code)}


def whole_once(program):
    """`wine X.exe` from outside: wall clock from the command to the first painted pixel,
    and from the exit request until the `wine` command returns; and the CPU time the
    program's own process had used when its first pixel showed (schedstat, ns)."""
    watcher = subprocess.Popen(["wine", PROBE, "watch", program.class_name, program.title,
                                str(program.exit_how)], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    ready = watcher.stdout.readline().decode().strip()
    if ready != "ready":
        watcher.kill()
        raise RuntimeError(f"bench-probe watch: {ready!r}")
    started = time.time_ns()
    target = subprocess.Popen(["wine", program.local_exe], cwd=program.folder,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              stdin=subprocess.DEVNULL)
    painted_line = watcher.stdout.readline().decode().strip()
    # `wine X.exe` becomes the program's process (same Linux PID): its CPU time so far.
    cpu = process_counters(target.pid)
    # Reaped here rather than by Popen, for the CPU time of the whole life (rusage).
    deadline = time.monotonic() + 60
    while True:
        pid, status, usage = os.wait4(target.pid, os.WNOHANG)
        if pid == target.pid:
            break
        if time.monotonic() > deadline:
            target.kill()
            raise RuntimeError(f"{program.name} did not end")
        time.sleep(0.0005)
    returned = time.time_ns()
    target.returncode = os.waitstatus_to_exitcode(status)
    total_cpu_ms = (usage.ru_utime + usage.ru_stime) * 1000
    answer = watcher.stdout.readline().decode().strip()
    watcher.wait(timeout=30)
    if not painted_line.startswith("painted") or not answer.startswith("ok"):
        raise RuntimeError(f"bench-probe watch: {painted_line!r} {answer!r}")
    painted, posted, gone = (int(w) for w in answer.split()[1:])
    return {"launch": (painted - started) / 1e6, "exit": (returned - posted) / 1e6,
            "gone": (gone - posted) / 1e6,
            "cpu": cpu["cpu_ns"] / 1e6 if cpu else float("nan"),
            "cpu_total": total_cpu_ms,
            "cpu_after": total_cpu_ms - cpu["cpu_ns"] / 1e6 if cpu else float("nan"),
            "slices": cpu["slices"] if cpu else 0}


def interleaved(programs, runs, measure):
    """Runs each program `runs` times, taking turns; the one that goes first rotates."""
    results = {p.name: [] for p in programs}
    for i in range(runs):
        k = i % len(programs)
        for program in programs[k:] + programs[:k]:
            results[program.name].append(measure(program))
    return results


def launch_traced(program):
    """launch_once for a trace build: adds its time stamps, in ms from CreateProcess (labels
    with "x:" from the exit request)."""
    trace = os.path.join(program.folder, "trace.txt")
    if os.path.exists(trace):
        os.remove(trace)
    settings = os.path.join(program.folder, "setting.ini")
    args = ["launch", winpath(program.local_exe), winpath(program.folder), program.class_name,
            program.title, str(program.exit_how)]
    if program.writes_settings:
        args.append(winpath(settings))
    words = probe(*args)
    row = {"painted": float(words[1]), "exit": float(words[2])}
    start, exit_start = float(words[5]), float(words[6])
    with open(trace) as f:
        for line in f:
            label, _, stamp = line.rstrip("\n").rpartition("\t")
            if label and label not in row:
                row[label] = float(stamp) - (exit_start if label.startswith("x:") else start)
    return row


# ---------------------------------------------------------------- idle

def linux_pid_of(program, since_pids):
    """The Linux process that runs program.exe in this Wine prefix."""
    prefix = os.environ.get("WINEPREFIX", "")
    name = os.path.basename(program.exe).lower()
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) in since_pids:
            continue
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                cmdline = f.read().decode(errors="replace").lower()
            with open(f"/proc/{entry}/environ", "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        if name in cmdline and f"WINEPREFIX={prefix}".encode() in environ:
            if program.folder.lower() in cmdline or winpath(program.folder).lower() in cmdline \
                    or os.path.basename(program.local_exe).lower() in cmdline:
                return int(entry)
    return None


def process_counters(pid):
    """Summed over the process's threads: CPU time (schedstat, ns, and utime + stime in clock
    ticks), times each thread was put on a CPU (schedstat), and context switches."""
    cpu_ns = slices = ticks = voluntary = involuntary = threads = 0
    try:
        tids = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return None
    for tid in tids:
        try:
            with open(f"/proc/{pid}/task/{tid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                status = f.read()
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                run_ns, _, timeslices = (int(w) for w in f.read().split()[:3])
        except OSError:
            continue
        threads += 1
        cpu_ns += run_ns
        slices += timeslices
        ticks += int(fields[11]) + int(fields[12])  # utime, stime
        voluntary += int(re.search(r"^voluntary_ctxt_switches:\s*(\d+)", status, re.M).group(1))
        involuntary += int(re.search(r"^nonvoluntary_ctxt_switches:\s*(\d+)", status, re.M).group(1))
    return {"cpu_ns": cpu_ns, "slices": slices, "ticks": ticks, "voluntary": voluntary,
            "involuntary": involuntary, "threads": threads}


def strace_calls(path):
    """(total calls, [(syscall, calls)]) from an strace -c summary file."""
    try:
        with open(path) as f:
            text = f.read()
    except OSError:
        return None
    rows = []
    total = 0
    for line in text.splitlines():
        words = line.split()
        if len(words) >= 5 and re.match(r"^[\d.]+$", words[0]) and words[-1] != "total":
            calls = int(words[3])
            rows.append((words[-1], calls))
        if words and words[-1] == "total" and len(words) >= 4:
            total = int(words[2]) if len(words) == 5 else int(words[3])
    return total, rows


def idle(programs, seconds, strace_seconds):
    hz = os.sysconf("SC_CLK_TCK")
    before_pids = {int(e) for e in os.listdir("/proc") if e.isdigit()}
    launched = []
    for program in programs:
        proc = subprocess.Popen(["wine", program.local_exe], cwd=program.folder,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                stdin=subprocess.DEVNULL)
        probe("wait", program.class_name, program.title)
        launched.append(proc)
    time.sleep(2)  # let start-up work (fonts, the tray) finish
    # `wine X.exe` becomes the program's process; checked, else looked for.
    pids = {}
    for program, proc in zip(programs, launched):
        try:
            with open(f"/proc/{proc.pid}/cmdline", "rb") as f:
                own = os.path.basename(program.exe).lower().encode() in f.read().lower()
        except OSError:
            own = False
        pids[program.name] = proc.pid if own else linux_pid_of(program, before_pids)
    result = {}
    try:
        first = {name: process_counters(pid) for name, pid in pids.items() if pid}
        load_start = load_average()
        time.sleep(seconds)
        second = {name: process_counters(pid) for name, pid in pids.items() if pid}
        load_end = load_average()
        for name in pids:
            if name not in first or name not in second:
                result[name] = None
                continue
            a, b = first[name], second[name]
            result[name] = {"pid": pids[name], "threads": b["threads"],
                            "cpu_ms": (b["ticks"] - a["ticks"]) * 1000 / hz,
                            "cpu_us": (b["cpu_ns"] - a["cpu_ns"]) / 1000,
                            "slices": b["slices"] - a["slices"],
                            "voluntary": b["voluntary"] - a["voluntary"],
                            "involuntary": b["involuntary"] - a["involuntary"]}
        result["_load"] = (load_start, load_end)
        # A second window with strace: every system call either process makes while idle.
        traces = {}
        if strace_seconds > 0 and shutil.which("strace"):
            for name, pid in pids.items():
                if pid:
                    out = os.path.join(tempfile.gettempdir(), f"vornet-bench-strace-{pid}.txt")
                    traces[name] = (subprocess.Popen(
                        ["strace", "-c", "-f", "-p", str(pid), "-o", out],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL), out)
            time.sleep(strace_seconds)
            for name, (proc, out) in traces.items():
                proc.send_signal(2)  # SIGINT: strace detaches and writes its summary
                try:
                    proc.wait(timeout=20)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
                summary = strace_calls(out)
                if result.get(name) is not None:
                    result[name]["strace"] = summary
                try:
                    os.remove(out)
                except OSError:
                    pass
    finally:
        for program, proc in zip(programs, launched):
            try:
                probe("end", program.class_name, program.title, str(program.exit_how))
            except (RuntimeError, subprocess.TimeoutExpired):
                pass
            try:
                proc.wait(timeout=30)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
    return result


# ---------------------------------------------------------------- one switch's system calls

CMD_SWITCH_KEEP_OPEN = 40004


def wineserver_pid():
    prefix = os.environ.get("WINEPREFIX", "")
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as f:
                comm = f.read().strip()
            with open(f"/proc/{entry}/environ", "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        if comm.startswith("wineserver") and f"WINEPREFIX={prefix}".encode() in environ:
            return int(entry)
    return None


def switch_syscalls(program):
    """One real switch under Wine (the list open, a named row selected, Ctrl+C's command,
    which switches and leaves the list open): the system calls Vornet's process and the Wine
    server make meanwhile, from strace."""
    if shutil.which("strace") is None:
        return None
    settings = os.path.join(program.folder, "setting.ini")
    with open(settings, "rb") as f:
        text = f.read()
    text = re.sub(rb"^01=[^\r]*", b"01=Coding", text, flags=re.M)
    text = re.sub(rb"^02=[^\r]*", b"02=Meeting", text, flags=re.M)
    with open(settings, "wb") as f:
        f.write(text)
    # An existing log, as after any earlier switch (a missing one costs Wine a directory scan).
    log = os.path.join(program.folder, "timelog.csv")
    with open(log, "wb") as f:
        f.write(b"2026/01/01 09:00:00,0:00:01,1,Break\r\n")
    target = subprocess.Popen(["wine", program.local_exe], cwd=program.folder,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              stdin=subprocess.DEVNULL)
    out = os.path.join(tempfile.gettempdir(), f"vornet-bench-switch-{target.pid}.txt")
    result = None
    try:
        probe("wait", program.class_name, program.title)
        fsize = 18
        driver = subprocess.Popen(
            ["wine", PROBE, "switch", program.class_name, program.title,
             str(CMD_SWITCH_KEEP_OPEN), str(1 * fsize + 3 + fsize // 2),
             str(2 * fsize + 3 + fsize // 2)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        armed = driver.stdout.readline().decode().strip()
        server = wineserver_pid()
        if armed != "armed" or server is None:
            driver.kill()
            driver.wait()
            return None
        tracer = subprocess.Popen(["strace", "-f", "-ttt", "-s", "64", "-p", str(target.pid),
                                   "-p", str(server), "-o", out],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)  # attached, and the attach's own interruption over
        go = time.time()
        driver.stdin.write(b"go\n")
        driver.stdin.flush()
        done = driver.stdout.readline().decode().strip()
        driver.wait(timeout=30)
        tracer.send_signal(2)
        tracer.wait(timeout=30)
        with open(log, "rb") as f:
            lines_written = f.read().count(b"\r\n") - 1
        result = parse_switch_trace(out, target.pid, server, go, go + 0.45)
        result["log_lines"] = lines_written
        result["done"] = done
    finally:
        try:
            probe("end", program.class_name, program.title, str(program.exit_how))
        except (RuntimeError, subprocess.TimeoutExpired):
            pass
        target.wait(timeout=30)
        try:
            os.remove(out)
        except OSError:
            pass
    return result


def parse_switch_trace(path, vornet_pid, server_pid, start, end):
    """Calls per process between start and end (epoch seconds), and the ones that touch
    timelog.csv: by name, or through the descriptor the server opened it as and passed on."""
    calls = {"vornet": {}, "server": {}}
    file_calls = []
    fds = set()  # (pid, fd) that are timelog.csv
    pending_fd = False  # the server opened timelog.csv: the client's next received fd is it
    with open(path, errors="replace") as f:
        for line in f:
            m = re.match(r"^(\d+)\s+([\d.]+)\s+(<\.\.\. )?(\w+)(.*)$", line)
            if not m or m.group(3):
                continue  # a resumed call was counted where it started
            pid, stamp, name, rest = int(m.group(1)), float(m.group(2)), m.group(4), m.group(5)
            if not start <= stamp <= end:
                continue
            who = "server" if pid == server_pid else "vornet"
            calls[who][name] = calls[who].get(name, 0) + 1
            fd_match = re.match(r"\((\d+)", rest)
            ret = re.search(r"=\s+(-?\d+)\s*$", rest.strip())
            key = (pid, int(fd_match.group(1))) if fd_match else None
            touches = "timelog.csv" in rest or key in fds
            if "timelog.csv" in rest and name in ("open", "openat") and ret and int(ret.group(1)) >= 0:
                fds.add((pid, int(ret.group(1))))
                pending_fd = who == "server"
            if who == "vornet" and name == "recvmsg" and pending_fd and "SCM_RIGHTS" in rest:
                passed = re.search(r"cmsg_data=\[(\d+)\]", rest)
                if passed:
                    fds.add((pid, int(passed.group(1))))
                    pending_fd = False
                    touches = True
            if touches:
                shown = re.sub(r"/\S*/timelog\.csv", ".../timelog.csv", rest.strip())
                file_calls.append(f"{who}: {name}{shown[:100]}")
                if name == "close" and key is not None:
                    fds.discard(key)
    return {"calls": calls, "file_calls": file_calls}


# ---------------------------------------------------------------- core, size

def core_instructions():
    script = os.path.join(HERE, "core-instructions")
    done = subprocess.run([script], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    text = done.stdout.decode(errors="replace")
    counts = {}
    for line in text.splitlines():
        m = re.match(r"^(.*?):\s+(\d+) instructions", line)
        if m:
            counts[m.group(1).strip()] = int(m.group(2))
    return counts, text.strip()


def imports(exe):
    text = command_output(OBJDUMP, "-p", exe)
    return sorted(re.findall(r"DLL Name:\s*(\S+)", text), key=str.lower)


# ---------------------------------------------------------------- statistics and report

def quantile(values, q):
    values = sorted(values)
    if len(values) == 1:
        return values[0]
    pos = (len(values) - 1) * q
    low = int(pos)
    high = min(low + 1, len(values) - 1)
    return values[low] + (values[high] - values[low]) * (pos - low)


def describe(values):
    return {"median": statistics.median(values), "q1": quantile(values, 0.25),
            "q3": quantile(values, 0.75), "min": min(values), "max": max(values),
            "n": len(values)}


def fmt_ms(d):
    return (f"**{d['median']:.1f}** (IQR {d['q1']:.1f}–{d['q3']:.1f}; "
            f"{d['min']:.1f}–{d['max']:.1f})")


def verdict(ok):
    return "**met**" if ok else "**not met**"


def machine_lines():
    model = "?"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return [
        f"- CPU: {model}, {os.cpu_count()} cores (`nproc`: {command_output('nproc')})",
        f"- Kernel: {platform.release()}; {command_output('wine', '--version')}; "
        f"Xvfb 1920x1080x24, no window manager, no compositor",
        f"- Compiler: {command_output('x86_64-w64-mingw32-g++-posix', '--version').splitlines()[0]}",
    ]


def build_variants(names, log):
    import variants
    built = {}
    workdir = os.path.join(tempfile.gettempdir(), "vornet-bench-variants")
    for name in names:
        print(f"bench: building the variant \"{name}\"", flush=True)
        try:
            built[name] = variants.build(name, workdir, log)
        except variants.VariantError as error:
            built[name] = str(error)
    return built


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--idle", type=float, default=60)
    parser.add_argument("--strace", type=float, default=20)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--profile-runs", type=int, default=12)
    parser.add_argument("--no-variants", action="store_true",
                        help="skip the profile and the proposed changes (variant builds)")
    parser.add_argument("--wait-load", type=float, default=0,
                        help="before measuring, wait until the 1-minute load average is below "
                             "this (0: do not wait)")
    parser.add_argument("--wait-max", type=float, default=900,
                        help="seconds to wait for that at most")
    parser.add_argument("--out", default=os.path.join(HERE, "RESULTS.md"))
    args = parser.parse_args()
    for path in (VORNET, MINIMAL, PROBE):
        if not os.path.exists(path):
            sys.exit(f"bench: {path} is missing; run tools/build")

    started = datetime.datetime.now().astimezone()
    load_before = load_average()
    built = {}
    if not args.no_variants:
        log = os.path.join(ROOT, "build", "bench-variants.log")
        if os.path.exists(log):
            os.remove(log)
        built = build_variants(PROPOSALS + ["trace"], log)
    args.waited = None
    if args.wait_load > 0:
        waited_from = time.monotonic()
        print(f"bench: waiting for a load average below {args.wait_load} "
              f"(now {load_average()}, at most {args.wait_max:.0f} s)", flush=True)
        while (float(load_average().split()[0]) >= args.wait_load
               and time.monotonic() - waited_from < args.wait_max):
            time.sleep(5)
        args.waited = time.monotonic() - waited_from
    load_measuring = load_average()
    vornet = Program("Vornet", VORNET, "Quernbox", "Vornet", CMD_EXIT, True)
    minimal = Program("minimal window", MINIMAL, "VornetBenchMinimal", "Minimal", "close", False)
    programs = [vornet, minimal]
    proposals = [Program(name, built[name][0], "Quernbox", "Vornet", CMD_EXIT, True)
                 for name in PROPOSALS if isinstance(built.get(name), tuple)]
    traced = []
    if isinstance(built.get("trace"), tuple):
        traced = [Program("Vornet (trace)", built["trace"][0], "Quernbox", "Vornet", CMD_EXIT, True),
                  Program("minimal window (trace)", built["trace"][1], "VornetBenchMinimal",
                          "Minimal", "close", False)]
    profile = {}
    try:
        # Warm-up: the first run writes Vornet's setting.ini (the defaults, as a user's first
        # run does) and brings the programs and Wine's DLLs into the page cache.
        for _ in range(args.warmup):
            for program in programs + proposals + traced:
                launch_once(program)
        print(f"bench: start-up and exit, {args.runs} runs each, interleaved"
              + (f" (with {len(proposals)} variants)" if proposals else ""), flush=True)
        launches = interleaved(programs + proposals, args.runs, launch_once)
        print(f"bench: whole `wine X.exe`, {args.runs} runs each, interleaved"
              + (f" (with {len(proposals)} variants)" if proposals else ""), flush=True)
        wholes = interleaved(programs + proposals, args.runs, whole_once)
        if traced:
            print(f"bench: profile of start-up and exit, {args.profile_runs} runs each", flush=True)
            profile = interleaved(traced, args.profile_runs, launch_traced)
        load_mid = load_average()
        print(f"bench: idle, {args.idle:.0f} s side by side", flush=True)
        idles = idle(programs, args.idle, args.strace)
        print("bench: one switch under strace", flush=True)
        switch = switch_syscalls(vornet)
    finally:
        for program in programs + proposals + traced:
            shutil.rmtree(program.folder, ignore_errors=True)
    print("bench: the core under callgrind", flush=True)
    counts, core_text = core_instructions()
    load_after = load_average()
    finished = datetime.datetime.now().astimezone()

    write_report(args, started, finished,
                 (load_before, load_measuring, load_mid, load_after), launches, wholes,
                 idles, switch, counts, core_text, built, profile)
    print(f"bench: wrote {os.path.relpath(args.out, ROOT)}")


def write_profile(add, profile, args):
    VT, MT = "Vornet (trace)", "minimal window (trace)"
    add("## Where the time goes: a profile of start-up and exit")
    add("")
    add("Trace builds (bench/variants.py, \"trace\"): the same sources with a "
        "QueryPerformanceCounter time stamp after each step (bench/variants/trace.h), launched "
        f"by bench-probe.exe like the others, {args.profile_runs} runs each, interleaved. A "
        "sampling profiler cannot see this time: most of it is spent waiting on the Wine "
        "server, the X server and the shell's tray, in other processes. Medians in ms; "
        "\"at\" is from CreateProcess (exit steps: from the exit request), \"step\" is the "
        "median of each run's difference to the step before.")
    add("")
    for name in (VT, MT):
        rows = profile.get(name) or []
        if not rows:
            continue
        labels = [k for k in rows[0] if k not in ("painted", "exit")]
        add(f"**{name.replace(' (trace)', '')}**")
        add("")
        add("| step | at | step |")
        add("|---|---|---|")
        previous = None
        for label in labels:
            values = [r[label] for r in rows if label in r]
            if previous is not None and previous.startswith("x:") == label.startswith("x:"):
                steps = [r[label] - r[previous] for r in rows if label in r and previous in r]
                step = f"{statistics.median(steps):.1f}"
            else:
                step = ""
            add(f"| {label.replace('x:', 'exit: ')} | {statistics.median(values):.1f} | {step} |")
            previous = label
        painted = statistics.median(r["painted"] for r in rows)
        exit_ms = statistics.median(r["exit"] for r in rows)
        add(f"| first pixel seen by the probe | {painted:.1f} | |")
        add(f"| exit: process gone | {exit_ms:.1f} | |")
        add("")


def profile_step(rows, label):
    """Median over runs of the time from the step before `label` to `label`, or None."""
    if not rows or label not in rows[0]:
        return None
    labels = [k for k in rows[0] if k not in ("painted", "exit")]
    at = labels.index(label)
    if at == 0:
        return statistics.median(r[label] for r in rows)
    previous = labels[at - 1]
    values = [r[label] - r[previous] for r in rows if label in r and previous in r]
    return statistics.median(values) if values else None


def profile_at(rows, label):
    values = [r[label] for r in rows or [] if label in r]
    return statistics.median(values) if values else None


def write_causes(add, profile, launches, wholes, built):
    """The causes, in numbers from this run's profile and variants, and what can be done."""
    V, M = "Vornet", "minimal window"
    vt, mt = profile.get("Vornet (trace)"), profile.get("minimal window (trace)")

    def ms(value):
        return "?" if value is None else f"{value:.1f} ms"

    def cpu(name):
        rows = wholes.get(name)
        return statistics.median(r["cpu"] for r in rows) if rows else None

    def wall(name):
        rows = launches.get(name)
        return statistics.median(r["painted"] for r in rows) if rows else None

    def cpu_after(name):
        rows = wholes.get(name)
        return statistics.median(r["cpu_after"] for r in rows) if rows else None

    add("## Causes, and what could be done")
    add("")
    if vt and mt:
        v_paint = statistics.median(r["painted"] for r in vt)
        m_paint = statistics.median(r["painted"] for r in mt)
        add(f"In the trace runs the first pixel shows {v_paint:.1f} ms after CreateProcess for "
            f"Vornet and {m_paint:.1f} ms for the minimal window: 1.10× leaves Vornet "
            f"{0.1 * m_paint:.1f} ms for everything it does beyond a bare window, and it spends "
            f"{v_paint - m_paint:.1f} ms.")
        add("")
    add("Start-up, from the profile and the variants above:")
    add("")
    add(f"- **COMCTL32 at load time.** Vornet reaches WinMain "
        f"{ms(None if not vt or not mt else profile_at(vt, 'WinMain') - profile_at(mt, 'WinMain'))} "
        "after the minimal window: Wine loads and initialises COMCTL32 (its start-up registers "
        "the common controls' window classes, and brings USER32's graphics driver up with it) "
        "and SHELL32 before WinMain. The driver's part is only moved, not added: the minimal "
        f"window pays it in its first CreateWindowExA ({ms(profile_step(mt, 'CreateWindowExA returned'))}"
        f" against {ms(profile_step(vt, 'InitMainWindow'))} from Vornet's WinMain to "
        "InitMainWindow). COMCTL32 is needed only for the up-down controls of the Properties "
        "and back-dated change dialogs (the dialog templates use only USER32's own classes). "
        "Loaded on first use instead (variant \"lazy comctl32\"; the first of those dialogs "
        "then loads it), CreateProcess → first pixel goes from "
        f"{ms(wall(V))} to {ms(wall('lazy comctl32'))} (minimal window: {ms(wall(M))}), CPU "
        f"time to the first paint from {ms(cpu(V))} to {ms(cpu('lazy comctl32'))} (minimal "
        f"window: {ms(cpu(M))}).")
    add(f"- **The white fill of the back buffer.** PatBlt over the whole screen-sized bitmap "
        f"(1920 × 1080 × 4 bytes, fresh memory): {ms(profile_step(vt, 'PatBlt of the whole bitmap'))}. "
        "Every paint fills the whole client area before it is copied, so the white is never "
        "seen; without it (variant \"no white fill\") CreateProcess → first pixel is "
        f"{ms(wall('no white fill'))}, the CPU time to the first paint "
        f"{ms(cpu('no white fill'))}, and the pages never touched are never freed at exit "
        f"(CPU from first paint to end: {ms(cpu_after('no white fill'))} against "
        f"{ms(cpu_after(V))}). The bitmap itself costs {ms(profile_step(vt, 'CreateCompatibleBitmap'))}:"
        " its memory is only reserved.")
    add(f"- **The tray icon before the strip.** AddTrayIcon: "
        f"{ms(profile_step(vt, 'AddTrayIcon'))}, most of it waiting for the tray's process "
        "(Shell_NotifyIconA is a synchronous call to it; under Wine, with no icon before, that "
        "process also creates or shows its own tray window, and hides it when the last icon "
        "goes). The icon is the program's handle in the shell, so it stays; tried: "
        "posted to the window from InitMainWindow and added by the window procedure right "
        "after the first paint (variant \"tray after paint\"), CreateProcess → first pixel "
        f"is {ms(wall('tray after paint'))} against {ms(wall(V))}. The profile shows why "
        "little or nothing is won: the painted strip reaches the screen only "
        f"{ms(None if not vt else statistics.median(r['painted'] - r['UpdateWindow (first paint done)'] for r in vt))}"
        " after the paint (minimal window: "
        f"{ms(None if not mt else statistics.median(r['painted'] - r['UpdateWindow (first paint done)'] for r in mt))}"
        "), when Wine hands the window's surface to X, and a tray call made right after the "
        "paint overlaps that wait. Not proposed.")
    add(f"- The rest is small: LoadSettings {ms(profile_step(vt, 'LoadSettings'))}, the fonts "
        f"{ms(profile_step(vt, 'CreateFontA x2'))} (GDI makes them when first used: "
        f"FitWindowToTasks, {ms(profile_step(vt, 'FitWindowToTasks'))} with the opacity call before it, measures with the task "
        f"font), SetWindowRgn {ms(profile_step(vt, 'SetWindowRgn'))}, SetWindowPos "
        f"{ms(profile_step(vt, 'PlaceInitialStrip'))}, ShowWindow "
        f"{ms(profile_step(vt, 'ShowWindow'))} (minimal window: "
        f"{ms(profile_step(mt, 'ShowWindow'))}), the first paint "
        f"{ms(profile_step(vt, 'UpdateWindow (first paint done)'))}.")
    add("")
    add("Exit, from the profile:")
    add("")
    add(f"- SaveSettings {ms(profile_step(vt, 'x:SaveSettings'))} (setting.ini written whole to a "
        "temporary file, flushed with FlushFileBuffers, moved over the old one), "
        f"ReleaseDrawingResources {ms(profile_step(vt, 'x:ReleaseDrawingResources'))} (the "
        f"back buffer's memory given back), RemoveTrayIcon {ms(profile_step(vt, 'x:RemoveTrayIcon'))}"
        " (again a synchronous call to the tray's process), the end of the message loop "
        f"{ms(profile_step(vt, 'x:message loop ended'))}.")
    m_exit = statistics.median(r["exit"] for r in mt) if mt else None
    save = profile_step(vt, "x:SaveSettings")
    tray = profile_step(vt, "x:RemoveTrayIcon")
    add(f"- The minimal window's whole exit takes {ms(profile_at(mt, 'x:message loop ended'))} to the "
        f"end of its loop and {ms(m_exit)} to the process's end in the same trace runs, so 1.10× "
        f"leaves Vornet {ms(None if m_exit is None else 0.1 * m_exit)} for its own work. The save "
        f"with its flush ({ms(save)}) and the removal of the tray icon ({ms(tray)}), which the "
        "program must do before it ends (\"process gone with setting.ini written\"), take "
        f"{ms(None if save is None or tray is None else save + tray)} by themselves: the goal "
        "cannot be reached while they stay. Dropping the flush (the file's durability after a "
        "power loss) or leaving the icon to the shell would change behaviour, and are not "
        "proposed; the back buffer's release is the part that the white fill's removal makes "
        "smaller (fewer pages touched).")
    add("")


def write_proposals(add, launches, wholes, built, args):
    V, M = "Vornet", "minimal window"
    add("## Proposed changes, measured beside Vornet as it is")
    add("")
    add("Variant builds from a copy of the tree (bench/variants.py; the tree is not changed), "
        "launched by bench-probe.exe in the same interleaved rounds as Vornet and the minimal "
        f"window above ({args.runs} runs each). Times in ms. Proposed: \"lazy comctl32\", "
        "\"no white fill\" and the two together, \"both\"; \"tray after paint\" was tried "
        "and is not proposed (see the causes below).")
    add("")
    add("| build | CreateProcess → first pixel | ratio | CPU to first pixel | ratio "
        "| exit → process gone | ratio | CPU, first pixel to end | ratio | imports | size |")
    add("|---|---|---|---|---|---|---|---|---|---|---|")
    base_cpu = statistics.median(r["cpu"] for r in wholes[M])
    base_cpu_after = statistics.median(r["cpu_after"] for r in wholes[M])
    base_start = statistics.median(r["painted"] for r in launches[M])
    base_exit = statistics.median(r["exit"] for r in launches[M])
    rows = [(V, VORNET)] + [(n, built[n][0]) for n in PROPOSALS if isinstance(built.get(n), tuple)]
    for name, exe in rows:
        if name not in launches:
            continue
        start = describe([r["painted"] for r in launches[name]])
        exit_d = describe([r["exit"] for r in launches[name]])
        cpu = describe([r["cpu"] for r in wholes[name]])
        cpu_after = describe([r["cpu_after"] for r in wholes[name]])
        dlls = ", ".join(d.replace(".dll", "").replace(".DLL", "") for d in imports(exe))
        add(f"| {name if name != V else 'Vornet as it is'} | {fmt_ms(start)} | "
            f"{start['median'] / base_start:.2f} | {fmt_ms(cpu)} | "
            f"{cpu['median'] / base_cpu:.2f} | {fmt_ms(exit_d)} | "
            f"{exit_d['median'] / base_exit:.2f} | {fmt_ms(cpu_after)} | "
            f"{cpu_after['median'] / base_cpu_after:.2f} | {dlls} | {os.path.getsize(exe):,} |")
    for name in PROPOSALS:
        if isinstance(built.get(name), str):
            add(f"| {name} | not built: {built[name]} | | | | | | | | | |")
    add("")
    add("Ratios are to the minimal window's medians in the same rounds. CPU times are those of "
        "the program's own process (started as `wine X.exe`, bench.py's whole-command runs); "
        "they leave out the work done for it by the Wine server, the X server and the tray's "
        "process, and are far less moved by the machine's load than the wall-clock times.")
    add("")


def write_report(args, started, finished, loads, launches, wholes, idles, switch, counts,
                 core_text, built, profile):
    V, M = "Vornet", "minimal window"
    lines = []
    add = lines.append
    add("# Vornet: performance measured against the limit")
    add("")
    add(f"Written by `tools/bench` on {started:%Y-%m-%d %H:%M %Z} "
        f"(took {(finished - started).total_seconds():.0f} s). Benchmarks are not tests: "
        "`tools/test` does not run them.")
    add("")
    add("## Machine")
    add("")
    lines.extend(machine_lines())
    add(f"- Load average (1, 5, 15 min) at the start: {loads[0]}; when the measurements began "
        f"(after the variant builds): {loads[1]}; after the start-up, exit and profile runs: "
        f"{loads[2]}; at the end: {loads[3]}."
        + ("" if args.waited is None else
           f" Before measuring, bench.py waited {args.waited:.0f} s for the 1-minute load to "
           f"fall below {args.wait_load}"
           + (f"; it did not within {args.wait_max:.0f} s." if args.waited >= args.wait_max
              else "."))
        + " Other developers' builds, Wine tests and fuzzers "
        "share the machine: every comparison below is interleaved run by run, so their load "
        "falls on both programs alike, but absolute times move with it.")
    add("")
    add("## Commands")
    add("")
    prefix = os.environ.get("VORNET_WINEPREFIX")
    add("    " + (f"VORNET_WINEPREFIX={prefix} " if prefix else "") + "tools/bench"
        + "".join(f" {a}" for a in sys.argv[1:]))
    add("")
    add("tools/bench builds everything (tools/build), starts Xvfb and a warm Wine server in a "
        "prefix of its own (VORNET_WINEPREFIX, else build/wineprefix) and runs "
        f"`bench/bench.py` with these arguments: {args.runs} runs each, idle {args.idle:.0f} s, "
        f"strace window {args.strace:.0f} s, {args.warmup} warm-up runs, "
        f"{args.profile_runs} profile runs.")
    add("")
    add("- `build/cross/bench/bench-probe.exe launch EXE FOLDER CLASS TITLE EXIT [FILE]` "
        "(bench/launch_probe.cpp): CreateProcess, then polls every 1 ms for "
        "FindWindowA + IsWindowVisible and for the client area's top-left screen pixel "
        "(GetPixel on the screen DC) turning 192,192,192, the frame colour both programs draw "
        "there; 300 ms later it posts the exit request and waits on the process handle. "
        "QueryPerformanceCounter; the `wine` loader start-up both share is outside this span.")
    add("- `bench-probe.exe watch ...` + `wine X.exe` started by bench.py: the whole command, "
        "wall clock (CLOCK_REALTIME on both sides).")
    add("- Minimal window: `build/cross/bench/bench-minimal-window.exe` (bench/minimal_window.cpp): "
        "a WS_EX_LAYERED | WS_EX_TOOLWINDOW popup, SetLayeredWindowAttributes(255), paints a "
        "framed rectangle; same CMake configuration and options as Vornet "
        "(Release: -O3 -DNDEBUG, -ffunction-sections; -static -s -Wl,--gc-sections, -mwindows).")
    add("- Vornet runs in a folder of its own with the setting.ini it wrote on its first "
        "(warm-up) run: the defaults, 70 lines. Each program had "
        f"{args.warmup} warm-up runs, not counted.")
    add("")
    add("Times in ms: **median** (IQR: interquartile range; min–max), over "
        f"{args.runs} runs each.")
    add("")

    # Start-up
    rows = []
    goals = []
    add("## Start-up: launch → strip visible and painted")
    add("")
    add("| measure | Vornet | minimal window | ratio of medians |")
    add("|---|---|---|---|")
    for key, label in (("visible", "CreateProcess → window visible"),
                       ("painted", "CreateProcess → first pixel painted")):
        dv = describe([r[key] for r in launches[V]])
        dm = describe([r[key] for r in launches[M]])
        ratio = dv["median"] / dm["median"]
        add(f"| {label} | {fmt_ms(dv)} | {fmt_ms(dm)} | {ratio:.2f} |")
        if key == "painted":
            start_ratio = ratio
    dv = describe([r["launch"] for r in wholes[V]])
    dm = describe([r["launch"] for r in wholes[M]])
    whole_start_ratio = dv["median"] / dm["median"]
    add(f"| whole `wine X.exe` → first pixel painted | {fmt_ms(dv)} | {fmt_ms(dm)} | "
        f"{whole_start_ratio:.2f} |")
    dv = describe([r["cpu"] for r in wholes[V]])
    dm = describe([r["cpu"] for r in wholes[M]])
    cpu_ratio = dv["median"] / dm["median"]
    add(f"| CPU time of the program's process at its first painted pixel (schedstat) | "
        f"{fmt_ms(dv)} | {fmt_ms(dm)} | {cpu_ratio:.2f} |")
    paired = [v["painted"] / m["painted"] for v, m in zip(launches[V], launches[M])]
    add("")
    add(f"Run by run (pairs in the order they ran), Vornet / minimal for CreateProcess → painted: "
        f"median {statistics.median(paired):.2f}, range {min(paired):.2f}–{max(paired):.2f}.")
    add("")
    add(f"Goal: within {GOAL_RATIO:.2f}× of the minimal window: {verdict(start_ratio <= GOAL_RATIO)} "
        f"({start_ratio:.2f}×).")
    goals.append(("Start-up within 1.10× of the minimal window", start_ratio <= GOAL_RATIO,
                  f"{start_ratio:.2f}× (whole `wine X.exe`: {whole_start_ratio:.2f}×)"))
    add("")

    # Exit
    add("## Exit: request → process gone")
    add("")
    add("| measure | Vornet (Exit command) | minimal window (WM_CLOSE) | ratio of medians |")
    add("|---|---|---|---|")
    dv = describe([r["exit"] for r in launches[V]])
    dm = describe([r["exit"] for r in launches[M]])
    exit_ratio = dv["median"] / dm["median"]
    add(f"| request → process gone (probe) | {fmt_ms(dv)} | {fmt_ms(dm)} | {exit_ratio:.2f} |")
    dv = describe([r["exit"] for r in wholes[V]])
    dm = describe([r["exit"] for r in wholes[M]])
    whole_exit_ratio = dv["median"] / dm["median"]
    add(f"| request → `wine X.exe` returned | {fmt_ms(dv)} | {fmt_ms(dm)} | "
        f"{whole_exit_ratio:.2f} |")
    dv = describe([r["cpu_after"] for r in wholes[V]])
    dm = describe([r["cpu_after"] for r in wholes[M]])
    add(f"| CPU time of the program's process from its first paint to its end (rusage − "
        f"schedstat; the 300 ms before the request are idle) | {fmt_ms(dv)} | {fmt_ms(dm)} | "
        f"{dv['median'] / dm['median']:.2f} |")
    written = sum(1 for r in launches[V] if r["written"] == 1)
    codes = sorted({r["code"] for r in launches[V] + launches[M]})
    add("")
    add(f"setting.ini written during Vornet's exit: {written} of {len(launches[V])} runs. "
        f"Exit codes seen: {', '.join(map(str, codes))}.")
    add("")
    add(f"Goal: within {GOAL_RATIO:.2f}× of the minimal window: {verdict(exit_ratio <= GOAL_RATIO)} "
        f"({exit_ratio:.2f}×).")
    goals.append(("Exit within 1.10× of the minimal window", exit_ratio <= GOAL_RATIO,
                  f"{exit_ratio:.2f}× (until `wine` returns: {whole_exit_ratio:.2f}×)"))
    add("")

    # Profile
    if profile:
        write_profile(add, profile, args)
    # Proposals
    if built:
        write_proposals(add, launches, wholes, built, args)

    if profile and built:
        write_causes(add, profile, launches, wholes, built)

    # Idle
    add(f"## Idle: {args.idle:.0f} s, no input")
    add("")
    load_start, load_end = idles.get("_load", ("?", "?"))
    add("Both programs running side by side, 2 s after their first paint; counters of every "
        "thread of each Wine process from /proc/PID/task/*/{stat,status,schedstat} before and "
        f"after (utime+stime in clock ticks of {1000 // os.sysconf('SC_CLK_TCK')} ms; schedstat: "
        "run time in ns and the number of times the thread was put on a CPU, i.e. every "
        "wake-up). "
        f"Load average at the start and end of the window: {load_start}; {load_end}.")
    add("")
    add("| program | threads | CPU time (utime+stime) | CPU time (schedstat) | times put on a CPU "
        "(schedstat) | voluntary switches | involuntary switches "
        "| system calls (strace -c -f, second window) |")
    add("|---|---|---|---|---|---|---|---|")
    idle_ok = True
    for name in (V, M):
        r = idles.get(name)
        if r is None:
            add(f"| {name} | ? | not found | | | |")
            idle_ok = False
            continue
        trace = r.get("strace")
        if trace is None:
            calls = "strace not available"
        else:
            total, rows_ = trace
            calls = f"{total}" + (f" ({', '.join(f'{n} {c}' for n, c in rows_[:6])})" if rows_ else "")
        add(f"| {name} | {r['threads']} | {r['cpu_ms']:.0f} ms | {r['cpu_us']:.0f} µs | "
            f"{r['slices']} | {r['voluntary']} | {r['involuntary']} | {calls} |")
        if name == V:
            idle_ok = (r["cpu_us"] == 0 and r["slices"] == 0 and r["voluntary"] == 0
                       and r["involuntary"] == 0 and (trace is None or trace[0] == 0))
    add("")
    add(f"The strace window was {args.strace:.0f} s long, after the counters' window (attaching "
        "strace interrupts the process once, so it is kept out of the counted window).")
    add("")
    add(f"Goal: no activity while idle: {verdict(idle_ok)}.")
    goals.append(("No activity while idle", idle_ok,
                  "0 µs CPU, 0 wake-ups, 0 context switches, 0 system calls" if idle_ok
                  else "see the table"))
    add("")

    # Core
    add("## The native core under callgrind (bench/core-instructions)")
    add("")
    add("    " + "\n    ".join(core_text.splitlines()))
    add("")
    load_only = counts.get("LoadSettings alone, full 102650-byte file")
    load_save = counts.get("LoadSettings + SaveSettings, full 102650-byte file")
    one_switch = next((v for k, v in counts.items() if k.startswith("one switch")), None)
    load_value = load_only if load_only is not None else load_save
    if load_value is not None:
        ok = load_value <= GOAL_LOAD_INSTRUCTIONS
        add(f"Goal: LoadSettings of a full file within 2 million instructions: {verdict(ok)} "
            f"({load_value:,}; with SaveSettings: {load_save:,}).")
        goals.append(("LoadSettings of a full file ≤ 2,000,000 instructions", ok,
                      f"{load_value:,} (+ SaveSettings: {load_save:,})"))
    add("")
    add("### One switch under Wine, its system calls")
    add("")
    if switch is None:
        add("Not measured (strace missing, or the switch could not be driven).")
        opens = appends = closes = None
    else:
        vc, sc = switch["calls"]["vornet"], switch["calls"]["server"]
        add("Vornet running with two named tasks and an existing timelog.csv; the list opened, "
            "a row switched to (the first switch only starts the period), the next row "
            "selected; then `strace -f -ttt` on Vornet's process and the Wine server for the "
            "one switch measured (command 40004, which switches and leaves the list open), "
            f"0.45 s from the request. Lines appended to timelog.csv: {switch['log_lines']}.")
        add("")
        add(f"- Vornet's process: {sum(vc.values())} system calls "
            f"({', '.join(f'{k} {v}' for k, v in sorted(vc.items(), key=lambda i: -i[1]))}); "
            "most are requests to the Wine server and their replies.")
        add(f"- Wine server (for every process of the prefix in that window): "
            f"{sum(sc.values())} ({', '.join(f'{k} {v}' for k, v in sorted(sc.items(), key=lambda i: -i[1]))}).")
        add("- The calls on timelog.csv, in order:")
        add("")
        for call in switch["file_calls"]:
            add(f"      {call}")
        add("")
        opens = sum(1 for c in switch["file_calls"] if c.startswith("server: openat"))
        appends = sum(1 for c in switch["file_calls"] if re.match(r"vornet: (p?write|writev)", c))
        closes = sum(1 for c in switch["file_calls"] if re.match(r"\w+: close", c))
        add(f"One open (the Wine server opens files for its clients and passes the descriptor "
            f"on), {appends} write, {closes} closes (the server's and the client's copy of the "
            "descriptor); before them the read-only guard's GetFileAttributesA (a stat and an "
            "extended-attribute read) and Wine's own stat of the path in CreateFileA.")
    if one_switch is not None:
        ok = one_switch <= GOAL_SWITCH_INSTRUCTIONS and (opens is None or (opens == 1 and appends == 1))
        add("")
        add(f"Goal: a switch within 100 thousand instructions plus one open/append/close: "
            f"{verdict(ok)} ({one_switch:,} instructions in the core"
            + ("" if opens is None else f"; {opens} open, {appends} append, {closes} close under Wine")
            + ").")
        goals.append(("A switch ≤ 100,000 instructions + one open/append/close", ok,
                      f"{one_switch:,} instructions"
                      + ("" if opens is None else f"; {opens} open, {appends} write")))
    add("")

    # Size
    size = os.path.getsize(VORNET)
    dlls = imports(VORNET)
    foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
    add("## Size and imports of dist/Vornet.exe")
    add("")
    add(f"- Size: {size:,} bytes ({size / 1024:.1f} KB); the minimal window: "
        f"{os.path.getsize(MINIMAL):,} bytes.")
    add(f"- Imports (`{OBJDUMP} -p`): {', '.join(dlls)}"
        + (f" — not system DLLs: {', '.join(foreign)}" if foreign else " — system DLLs only."))
    add("")
    ok = size <= GOAL_EXE_BYTES and not foreign
    add(f"Goal: within 150 KB, system DLLs only: {verdict(ok)}.")
    goals.append(("Vornet.exe ≤ 150 KB, system DLLs only", ok,
                  f"{size / 1024:.1f} KB, {len(dlls)} system DLLs"))
    add("")

    summary = ["## Summary", "", "| goal | result | measured |", "|---|---|---|"]
    for goal, ok, measured in goals:
        summary.append(f"| {goal} | {verdict(ok)} | {measured} |")
    summary.append("")
    # The summary goes right after the machine and commands, before the details.
    at = lines.index("## Start-up: launch → strip visible and painted")
    lines[at:at] = summary

    with open(args.out, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
