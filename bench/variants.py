"""Variant builds of Vornet and of the minimal window for tools/bench, made from a copy of the
tree in a temporary folder (the tree itself is never touched):

- "trace": time stamps at each step of start-up and exit (bench/variants/trace.h), for the
  profile of where the time goes;
- the proposed changes, alone and together ("both"), to measure them side by side:
  "lazy comctl32" (COMCTL32 loaded when a dialog first needs it, not imported:
  bench/variants/lazy_comctl32.h, force-included, no source edited) and "no white fill" (the
  full-screen PatBlt of the new back buffer left out);
- "tray after paint", a change tried and measured but not proposed: the tray icon added by a
  message posted from InitMainWindow, so after the first paint.

Source edits are made by anchors (a line that contains a given text); a variant whose anchor
is gone from the sources is reported and skipped, not guessed.
"""

import os
import shutil
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
TOOLCHAIN = os.path.join(ROOT, "cmake", "mingw-w64-x86_64.cmake")

MAIN = "src/app/main_win32.cpp"
PROCEDURE = "src/app/window_procedure_win32.cpp"
PAINTING = "src/display/painting_win32.cpp"
PLACEMENT = "src/display/window_placement_win32.cpp"
MINIMAL = "bench/minimal_window.cpp"


class VariantError(Exception):
    pass


# An edit: (file, anchor, kind, text). kind "before"/"after" inserts the line `text` (indented
# like the anchor's line) before or after the first line containing anchor; "replace"
# replaces that line's code by `text`.
def mark(file, anchor, label, where="after"):
    return (file, anchor, where, f'Mark("{label}");')


TRACE_VORNET = [
    mark(MAIN, "appInstance = instance;", "WinMain", "before"),
    mark(MAIN, "LoadSettings(window);", "InitMainWindow", "before"),
    mark(MAIN, "LoadSettings(window);", "LoadSettings"),
    mark(PAINTING, "backBitmap = CreateCompatibleBitmap(", "CreateCompatibleBitmap"),
    mark(PAINTING, "previewFont = MakeFont(12", "CreateFontA x2"),
    mark(PAINTING, "PatBlt(backBuffer, 0, 0, screenWidth, screenHeight", "PatBlt of the whole bitmap"),
    mark(MAIN, "CreateBackBufferAndFonts(window);", "CreateBackBufferAndFonts"),
    mark(MAIN, "AddTrayIcon(window, IDI_VORNET", "AddTrayIcon"),
    mark(PLACEMENT, "FitWindowToTasks();", "FitWindowToTasks"),
    mark(PLACEMENT, "SetWindowRgn(window, region, TRUE);", "SetWindowRgn"),
    mark(MAIN, "PlaceInitialStrip(window);", "PlaceInitialStrip"),
    mark(MAIN, "NoteClaimedWindow(window);", "CreateWindowExA returned", "before"),
    mark(MAIN, "ShowWindow(window, showCommand);", "ShowWindow"),
    mark(MAIN, "UpdateWindow(window);", "UpdateWindow (first paint done)"),
    mark(MAIN, "ReadWindowOrigin(window);", "x:ShutdownMainWindow", "before"),
    mark(MAIN, "SaveSettings(window);", "x:SaveSettings"),
    mark(MAIN, "SaveHeldLogAside(window);", "x:AppendTimeLog"),
    mark(MAIN, "ReleaseDrawingResources();", "x:ReleaseDrawingResources"),
    mark(MAIN, "RemoveTrayIcon();", "x:RemoveTrayIcon"),
    mark(MAIN, "int exitCode = RunMessageLoop(window);", "x:message loop ended"),
    (MAIN, "return exitCode;", "before", "WriteTrace();"),
]

TRACE_MINIMAL = [
    mark(MINIMAL, "WNDCLASSEXA windowClass;", "WinMain", "before"),
    mark(MINIMAL, "if (window == NULL)", "CreateWindowExA returned", "before"),
    mark(MINIMAL, "ShowWindow(window, showCommand);", "ShowWindow"),
    mark(MINIMAL, "UpdateWindow(window);", "UpdateWindow (first paint done)"),
    mark(MINIMAL, "case WM_DESTROY:", "x:WM_DESTROY", "after"),
    mark(MINIMAL, "return static_cast<int>(message.wParam);", "x:message loop ended", "before"),
    (MINIMAL, "return static_cast<int>(message.wParam);", "before", "WriteTrace();"),
]

TRAY_AFTER_PAINT = [
    (MAIN, "AddTrayIcon(window, IDI_VORNET", "replace",
     "PostMessageA(window, WM_APP + 7, 0, 0); // the tray icon once the strip is painted"),
    (PROCEDURE, "if (message == taskbarCreatedMessage && taskbarCreatedMessage != 0) {", "before",
     "if (message == WM_APP + 7) { AddTrayIcon(window, IDI_VORNET, appIcon, trayTip); return 0; }"),
]

NO_WHITE_FILL = [
    (PAINTING, "PatBlt(backBuffer, 0, 0, screenWidth, screenHeight", "replace",
     "// every paint fills the whole client area: the white fill is never seen"),
]

LAZY_COMCTL32 = "lazy_comctl32.h"
TRACE_HEADER = "trace.h"

# name -> (force-included headers, edits). The order is the report's.
VARIANTS = {
    "lazy comctl32": ([LAZY_COMCTL32], []),
    "no white fill": ([], NO_WHITE_FILL),
    "both": ([LAZY_COMCTL32], NO_WHITE_FILL),
    "tray after paint": ([], TRAY_AFTER_PAINT),
    "trace": ([TRACE_HEADER], TRACE_VORNET + TRACE_MINIMAL),
}


def apply_edits(tree, edits):
    # Grouped by file; within a file, anchors are looked up in the original text so that
    # inserted lines never serve as anchors themselves.
    by_file = {}
    for file, anchor, kind, text in edits:
        by_file.setdefault(file, []).append((anchor, kind, text))
    for file, file_edits in by_file.items():
        path = os.path.join(tree, file)
        with open(path) as f:
            lines = f.read().split("\n")
        before = {}
        after = {}
        replaced = {}
        for anchor, kind, text in file_edits:
            at = next((i for i, line in enumerate(lines) if anchor in line), None)
            if at is None:
                raise VariantError(f"{file}: no line with {anchor!r} any more")
            indent = lines[at][:len(lines[at]) - len(lines[at].lstrip())]
            if kind == "before":
                before.setdefault(at, []).append(indent + text)
            elif kind == "after":
                after.setdefault(at, []).append(indent + text)
            else:
                replaced[at] = indent + text
        out = []
        for i, line in enumerate(lines):
            out.extend(before.get(i, []))
            out.append(replaced.get(i, line))
            out.extend(after.get(i, []))
        with open(path, "w") as f:
            f.write("\n".join(out))


def build(name, workdir, log):
    """Builds variant `name`; returns (Vornet.exe, minimal window exe) of that build."""
    headers, edits = VARIANTS[name]
    tree = os.path.join(workdir, name.replace(" ", "-").replace(",", ""))
    # A fresh copy of the sources; the build folder of an earlier run is kept, so that only
    # what changed is compiled again.
    if os.path.isdir(tree):
        for entry in os.listdir(tree):
            if entry != "build":
                path = os.path.join(tree, entry)
                if os.path.isdir(path) and not os.path.islink(path):
                    shutil.rmtree(path)
                else:
                    os.remove(path)
    shutil.copytree(ROOT, tree, ignore=shutil.ignore_patterns(".git", "build", "dist"),
                    symlinks=True, dirs_exist_ok=True)
    apply_edits(tree, edits)
    flags = " ".join(f"-include {os.path.join(HERE, 'variants', h)}" for h in headers)
    build_dir = os.path.join(tree, "build")
    with open(log, "a") as out:
        for command in (
                ["cmake", "-S", tree, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                 f"-DCMAKE_TOOLCHAIN_FILE={TOOLCHAIN}", f"-DCMAKE_CXX_FLAGS={flags}"],
                ["cmake", "--build", build_dir, "--target", "Vornet", "bench-minimal-window"]):
            done = subprocess.run(command, stdout=out, stderr=subprocess.STDOUT)
            if done.returncode != 0:
                raise VariantError(f"the build failed (see {log})")
    return (os.path.join(build_dir, "Vornet.exe"),
            os.path.join(build_dir, "bench", "bench-minimal-window.exe"))
