// vornet-driver: looks at and pokes the running Vornet program from another Win32 process,
// for the end-to-end tests. Built as a console program and run under Wine next to Vornet.
//
// Modes:
//   vornet-driver.exe serve          read one command per line on stdin, answer each with
//                                    exactly one line on stdout; ends at EOF or "quit"
//   vornet-driver.exe CMD ARGS...    run one command, print its answer, exit 0 on "ok"
//
// Answers are "ok FIELDS..." or "err MESSAGE". Fields are bare words or double-quoted
// strings with C escapes (\\ \" \n \r \t \xNN); arguments may be quoted the same way.
// Numbers are decimal or 0x hex; window handles are printed as 0x hex.
// DLG names a dialog: its exact title, or @0xHWND. MS is a time-out in milliseconds.
//
// Main window (class "Quernbox", title "Vornet", visible):
//   window                   -> HWND
//   wait-window MS           -> HWND, once the window is visible
//   wait-gone MS             -> (no visible main window left)
//   visible                  -> 1|0 (the window may exist hidden)
//   rect                     -> L T R B       outer rectangle (GetWindowRect)
//   client                   -> L T R B       client area in screen coordinates
//   region                   -> L T R B | none   bounding box of the window region, window coords
//   topmost                  -> 1|0           WS_EX_TOPMOST
//   style                    -> STYLE EXSTYLE
//   alpha                    -> ALPHA FLAGS KEY  (GetLayeredWindowAttributes)
//   foreground               -> 1|0 HWND      is the main window the foreground window
//   post MSG WPARAM LPARAM   -> posts to the main window
//   send MSG WPARAM LPARAM [MS] -> RESULT     SendMessageTimeout to the main window
//   command ID               -> posts WM_COMMAND ID
//   post-to HWND MSG WPARAM LPARAM, send-to HWND MSG WPARAM LPARAM [MS]: any window
// Process:
//   pid                      -> PID of the Vornet process (from its window, else by exe name)
//   wait-exit MS             -> EXITCODE, once the Vornet process has ended
//   kill                     -> TerminateProcess, for crash tests
//   gdi                      -> GDI USER      GetGuiResources counts (0 0 where unsupported)
// Dialogs and message boxes (visible "#32770" windows of the Vornet process):
//   dialogs                  -> N then N x (HWND "title")
//   wait-dialog DLG MS       -> HWND
//   wait-no-dialog DLG MS    -> (the dialog is gone)
//   controls DLG             -> N then N x (ID "class" STYLE EXSTYLE L T R B VISIBLE ENABLED "text")
//   get-text DLG ID          -> "text"       (WM_GETTEXT, ID 0 = the dialog's own title)
//   set-text DLG ID TEXT     -> sets it with WM_SETTEXT (the control notifies as usual)
//   dlg-click DLG ID         -> posts WM_COMMAND (ID, BN_CLICKED, control) to the dialog
//   dlg-command DLG ID [CODE]-> posts WM_COMMAND (ID, CODE, control) to the dialog
//   bm-click DLG ID          -> posts BM_CLICK to the button (check boxes toggle)
//   get-check DLG ID         -> 0|1|2 (BM_GETCHECK)
//   set-check DLG ID N       -> BM_SETCHECK, no notification
//   combo DLG ID             -> COUNT CURSEL then COUNT x "item"
//   combo-select DLG ID N    -> CB_SETCURSEL, then posts CBN_SELCHANGE to the dialog
//   scroll DLG ID            -> POS MIN MAX  (SBM_GETPOS, GetScrollInfo)
//   set-scroll DLG ID POS    -> SBM_SETPOS, no notification
//   hscroll DLG ID CODE [POS]-> posts WM_HSCROLL (CODE, POS, bar) to the dialog; CODE is a
//                               number or lineleft|lineright|pageleft|pageright|
//                               thumbposition|thumbtrack|left|right|endscroll
//   msgbox MS                -> HWND "title" "text"   (a "#32770" with static 0xFFFF)
//   msgbox-ok [MS]           -> posts IDOK to the message box
//   msgbox-button ID [MS]    -> posts WM_COMMAND ID (BN_CLICKED) to the message box
//   wait-no-msgbox MS        -> (no message box left)
// Shell, screen, files:
//   taskbar-created          -> broadcasts the registered "TaskbarCreated" message
//   tray                     -> N then N x (L T R B) icons of Wine's standalone tray
//   tray-has ID [HWND]       -> 1|0 whether the shell knows icon (HWND, ID); HWND defaults to
//                               the main window (probe: NIM_MODIFY that changes nothing)
//   tray-delete ID [HWND]    -> removes that icon from the shell, as a shell restart loses it
//   tooltip MS               -> N then N x "text" of the visible tooltips (e.g. the tray
//                               icon's tip while the pointer rests on it)
//   menu                     -> HWND L T R B HMENU COUNT then COUNT x (ID "text") of the open
//                               popup menu; COUNT is -1 when its items cannot be read from here
//   wait-menu MS / wait-no-menu MS -> like "menu" / (no popup menu visible)
//   pixel X Y                -> RRGGBB (GetPixel on the screen DC)
//   cursor                   -> X Y
//   window-at X Y            -> HWND "class" "title" IS_VORNET   top-level window at that point
//   metrics [N]              -> name=value list, or the value of GetSystemMetrics(N)
//   windows                  -> N then N x (HWND PID "class" "title" VISIBLE L T R B)
//   hold-file PATH [always]  -> opens PATH without sharing (OPEN_EXISTING, or OPEN_ALWAYS)
//   release-file PATH        -> closes it
//   ping                     -> (nothing; to measure the round trip)
//   quit                     -> ends serve mode
//
// What Wine 8 allows from another process (measured):
// - Menus are objects of the process that made them: MN_GETHMENU names the menu, but
//   GetMenuItemCount on it fails here, so "menu" gives the window and COUNT -1.
// - The tray is winex11's "__winex11_standalone_tray" window (explorer's process) with one
//   "__winex11_tray_icon" child per icon; nothing in them names the owner, hence the
//   NIM_MODIFY probe. The tooltip control answers WM_GETTEXT with the tip it shows.
// - GetPixel on the screen DC reads what X shows (a layered window's blend only while a
//   compositor runs), the same as an X screenshot.
// - GetGuiResources is a stub that answers 0.
// - CB_GETLBTEXT comes back as UTF-16 even to an "A" call, so the wide call is used.

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

// A failed command throws its message; the dispatcher turns it into "err ...".
struct Failure {
  std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw Failure{message}; }

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7f) {
          char buf[8];
          snprintf(buf, sizeof buf, "\\x%02X", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits a command line into words; "..." groups words and takes the escapes of Quote.
Args Tokenize(const std::string& line) {
  Args words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) i++;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '"') {
      i++;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '"') { closed = true; break; }
        if (c != '\\' || i >= line.size()) { word += c; continue; }
        char e = line[i++];
        switch (e) {
          case 'n': word += '\n'; break;
          case 'r': word += '\r'; break;
          case 't': word += '\t'; break;
          case 'x': {
            int hi = i < line.size() ? HexDigit(line[i]) : -1;
            int lo = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
            if (hi < 0 || lo < 0) Fail("bad \\x escape");
            word += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
          }
          default: word += e;
        }
      }
      if (!closed) Fail("unterminated quote");
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n') word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

long long Number(const std::string& text) {
  const char* s = text.c_str();
  bool negative = false;
  if (*s == '-') { negative = true; s++; }
  char* end = nullptr;
  unsigned long long value;
  if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    value = strtoull(s + 2, &end, 16);
    if (end == s + 2) Fail("not a number: " + text);
  } else {
    value = strtoull(s, &end, 10);
    if (end == s) Fail("not a number: " + text);
  }
  if (*end) Fail("not a number: " + text);
  return negative ? -static_cast<long long>(value) : static_cast<long long>(value);
}

std::string Num(long long value) { return std::to_string(value); }

std::string Hex(unsigned long long value) {
  char buf[32];
  snprintf(buf, sizeof buf, "0x%llx", value);
  return buf;
}

std::string Handle(HWND window) { return Hex(reinterpret_cast<ULONG_PTR>(window)); }

std::string RectText(const RECT& r) {
  return Num(r.left) + " " + Num(r.top) + " " + Num(r.right) + " " + Num(r.bottom);
}

void NeedArgs(const Args& a, size_t count, const char* usage) {
  if (a.size() < count + 1) Fail(std::string("usage: ") + usage);
}

// Polls until check() is true or the deadline passes; the tests wait through these.
template <typename Check>
bool WaitUntil(long long ms, Check check) {
  ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ms < 0 ? 0 : ms);
  for (;;) {
    if (check()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
}

const UINT kSendTimeout = 3000;

LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT ms = kSendTimeout) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, ms, &result))
    Fail("SendMessageTimeout failed (error " + Num(GetLastError()) + ")");
  return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TitleOf(HWND window) {
  char title[1024] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// WM_GETTEXT through the message queue, so controls of another process answer too.
std::string TextOf(HWND window) {
  LRESULT length = SendTimed(window, WM_GETTEXTLENGTH, 0, 0);
  if (length < 0) length = 0;
  std::vector<char> buf(static_cast<size_t>(length) + 2, '\0');
  LRESULT got = SendTimed(window, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  if (got < 0) got = 0;
  return std::string(buf.data(), strnlen(buf.data(), buf.size()));
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

// ---- the Vornet process and its main window ----

HWND FindMainWindow(bool mustBeVisible) {
  HWND window = FindWindowA("Quernbox", "Vornet");
  if (window && mustBeVisible && !IsWindowVisible(window)) return nullptr;
  return window;
}

HWND MainWindow() {
  HWND window = FindMainWindow(true);
  if (!window) Fail("no visible Vornet window");
  return window;
}

DWORD FindProcessByName(const char* exe) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = Process32First(snap, &entry); more; more = Process32Next(snap, &entry)) {
    if (lstrcmpiA(entry.szExeFile, exe) == 0) { found = entry.th32ProcessID; break; }
  }
  CloseHandle(snap);
  return found;
}

// The handle stays open once found, so wait-exit still works after the window is gone.
DWORD gPid = 0;
HANDLE gProcess = nullptr;

void ForgetProcess() {
  if (gProcess) CloseHandle(gProcess);
  gProcess = nullptr;
  gPid = 0;
}

DWORD CurrentPid() {
  DWORD pid = 0;
  if (HWND window = FindMainWindow(false)) pid = ProcessOf(window);
  if (!pid) pid = FindProcessByName("Vornet.exe");
  return pid;
}

bool CachedProcessEnded() {
  DWORD code = 0;
  return gProcess && GetExitCodeProcess(gProcess, &code) && code != STILL_ACTIVE;
}

DWORD VornetPid() {
  DWORD pid = CurrentPid();
  // Process ids are reused: a cached handle whose process has ended names another one.
  if (pid && (pid != gPid || CachedProcessEnded())) {
    ForgetProcess();
    gProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
    gPid = pid;
  }
  if (!pid && gProcess) {
    DWORD code = 0;
    if (GetExitCodeProcess(gProcess, &code) && code == STILL_ACTIVE) pid = gPid;
  }
  return pid;
}

HANDLE VornetProcess() {
  VornetPid();
  if (!gProcess) Fail("no Vornet process");
  return gProcess;
}

// ---- dialogs ----

struct DialogSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  if (IsWindowVisible(window) && ClassOf(window) == "#32770" && (!search->pid || ProcessOf(window) == search->pid))
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> VornetDialogs() {
  DialogSearch search{VornetPid(), {}};
  if (!search.pid) return {};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsMessageBox(HWND dialog) {
  HWND text = GetDlgItem(dialog, 0xFFFF);
  return text && ClassOf(text) == "Static";
}

HWND FindDialog(const std::string& name) {
  if (!name.empty() && name[0] == '@') {
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(Number(name.substr(1))));
    return IsWindow(window) && IsWindowVisible(window) ? window : nullptr;
  }
  for (HWND dialog : VornetDialogs())
    if (TitleOf(dialog) == name) return dialog;
  return nullptr;
}

HWND Dialog(const std::string& name) {
  HWND dialog = FindDialog(name);
  if (!dialog) Fail("no dialog " + Quote(name));
  return dialog;
}

HWND Control(HWND dialog, const std::string& id) {
  if (Number(id) == 0) return dialog;
  HWND control = GetDlgItem(dialog, static_cast<int>(Number(id)));
  if (!control) Fail("no control " + id);
  return control;
}

HWND FindMessageBox() {
  for (HWND dialog : VornetDialogs())
    if (IsMessageBox(dialog)) return dialog;
  return nullptr;
}

// ---- popup menus ----

HWND FindMenuWindow() {
  HWND menu = nullptr;
  while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr)
    if (IsWindowVisible(menu)) return menu;
  return nullptr;
}

std::string DescribeMenu(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  std::string out = Handle(window) + " " + RectText(r);
  HMENU menu = reinterpret_cast<HMENU>(SendTimed(window, 0x01E1 /* MN_GETHMENU */, 0, 0));
  int count = menu ? GetMenuItemCount(menu) : -1;
  out += " " + Hex(reinterpret_cast<ULONG_PTR>(menu)) + " " + Num(count);
  for (int i = 0; i < count; i++) {
    char text[512] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    UINT id = GetMenuItemID(menu, i);
    out += " " + Num(static_cast<int>(id)) + " " + Quote(text);
  }
  return out;
}

// ---- the notification area ----

struct TraySearch {
  std::vector<HWND> icons;
};

BOOL CALLBACK CollectTrayIcon(HWND window, LPARAM param) {
  if (IsWindowVisible(window) && ClassOf(window) == "__winex11_tray_icon")
    reinterpret_cast<TraySearch*>(param)->icons.push_back(window);
  return TRUE;
}

// ---- held files ----

std::map<std::string, HANDLE> gHeldFiles;

// ---- commands ----

using Handler = std::string (*)(const Args&);

std::string CmdWindow(const Args&) { return Handle(MainWindow()); }

std::string CmdWaitWindow(const Args& a) {
  NeedArgs(a, 1, "wait-window MS");
  HWND window = nullptr;
  if (!WaitUntil(Number(a[1]), [&] { return (window = FindMainWindow(true)) != nullptr; }))
    Fail("timeout waiting for the Vornet window");
  VornetPid();
  return Handle(window);
}

std::string CmdWaitGone(const Args& a) {
  NeedArgs(a, 1, "wait-gone MS");
  if (!WaitUntil(Number(a[1]), [] { return FindMainWindow(true) == nullptr; }))
    Fail("timeout: the Vornet window is still there");
  return "";
}

std::string CmdVisible(const Args&) {
  HWND window = FindMainWindow(false);
  if (!window) Fail("no Vornet window");
  return IsWindowVisible(window) ? "1" : "0";
}

std::string CmdRect(const Args&) {
  RECT r;
  GetWindowRect(MainWindow(), &r);
  return RectText(r);
}

std::string CmdClient(const Args&) {
  HWND window = MainWindow();
  RECT r;
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return RectText(r);
}

std::string CmdRegion(const Args&) {
  HWND window = MainWindow();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(window, region);
  std::string out = "none";
  if (kind != ERROR) {
    RECT box;
    GetRgnBox(region, &box);
    out = RectText(box);
  }
  DeleteObject(region);
  return out;
}

std::string CmdTopmost(const Args&) {
  return (GetWindowLongA(MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) ? "1" : "0";
}

std::string CmdStyle(const Args&) {
  HWND window = MainWindow();
  return Hex(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE))) + " " +
         Hex(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
}

std::string CmdAlpha(const Args&) {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(MainWindow(), &key, &alpha, &flags))
    Fail("GetLayeredWindowAttributes failed (error " + Num(GetLastError()) + ")");
  return Num(alpha) + " " + Num(flags) + " " + Hex(key);
}

std::string CmdForeground(const Args&) {
  HWND window = MainWindow();
  HWND foreground = GetForegroundWindow();
  return std::string(foreground == window ? "1" : "0") + " " + Handle(foreground);
}

std::string PostTo(HWND window, const Args& a, size_t first) {
  UINT message = static_cast<UINT>(Number(a[first]));
  WPARAM wParam = static_cast<WPARAM>(Number(a[first + 1]));
  LPARAM lParam = static_cast<LPARAM>(Number(a[first + 2]));
  if (!PostMessageA(window, message, wParam, lParam)) Fail("PostMessage failed (error " + Num(GetLastError()) + ")");
  return "";
}

std::string SendTo(HWND window, const Args& a, size_t first) {
  UINT message = static_cast<UINT>(Number(a[first]));
  WPARAM wParam = static_cast<WPARAM>(Number(a[first + 1]));
  LPARAM lParam = static_cast<LPARAM>(Number(a[first + 2]));
  UINT ms = a.size() > first + 3 ? static_cast<UINT>(Number(a[first + 3])) : kSendTimeout;
  return Num(SendTimed(window, message, wParam, lParam, ms));
}

HWND HandleArg(const std::string& text) {
  HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(Number(text)));
  if (!IsWindow(window)) Fail("no window " + text);
  return window;
}

std::string CmdPost(const Args& a) {
  NeedArgs(a, 3, "post MSG WPARAM LPARAM");
  return PostTo(MainWindow(), a, 1);
}

std::string CmdSend(const Args& a) {
  NeedArgs(a, 3, "send MSG WPARAM LPARAM [MS]");
  return SendTo(MainWindow(), a, 1);
}

std::string CmdPostTo(const Args& a) {
  NeedArgs(a, 4, "post-to HWND MSG WPARAM LPARAM");
  return PostTo(HandleArg(a[1]), a, 2);
}

std::string CmdSendTo(const Args& a) {
  NeedArgs(a, 4, "send-to HWND MSG WPARAM LPARAM [MS]");
  return SendTo(HandleArg(a[1]), a, 2);
}

std::string CmdCommand(const Args& a) {
  NeedArgs(a, 1, "command ID");
  if (!PostMessageA(MainWindow(), WM_COMMAND, static_cast<WPARAM>(Number(a[1])), 0)) Fail("PostMessage failed");
  return "";
}

std::string CmdPid(const Args&) {
  DWORD pid = VornetPid();
  if (!pid) Fail("no Vornet process");
  return Num(pid);
}

std::string CmdWaitExit(const Args& a) {
  NeedArgs(a, 1, "wait-exit MS");
  HANDLE process = VornetProcess();
  DWORD ms = static_cast<DWORD>(Number(a[1]));
  if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0) Fail("timeout: Vornet is still running");
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  ForgetProcess();
  return Num(code);
}

std::string CmdKill(const Args&) {
  HANDLE process = VornetProcess();
  if (!TerminateProcess(process, 1)) Fail("TerminateProcess failed (error " + Num(GetLastError()) + ")");
  DWORD waited = WaitForSingleObject(process, 5000);
  ForgetProcess();
  if (waited != WAIT_OBJECT_0) Fail("the process did not end within 5 s");
  return "";
}

std::string CmdGdi(const Args&) {
  HANDLE process = VornetProcess();
  return Num(GetGuiResources(process, GR_GDIOBJECTS)) + " " + Num(GetGuiResources(process, GR_USEROBJECTS));
}

std::string CmdDialogs(const Args&) {
  std::vector<HWND> dialogs = VornetDialogs();
  std::string out = Num(static_cast<long long>(dialogs.size()));
  for (HWND dialog : dialogs) out += " " + Handle(dialog) + " " + Quote(TitleOf(dialog));
  return out;
}

std::string CmdWaitDialog(const Args& a) {
  NeedArgs(a, 2, "wait-dialog DLG MS");
  HWND dialog = nullptr;
  if (!WaitUntil(Number(a[2]), [&] { return (dialog = FindDialog(a[1])) != nullptr; }))
    Fail("timeout waiting for dialog " + Quote(a[1]));
  return Handle(dialog);
}

std::string CmdWaitNoDialog(const Args& a) {
  NeedArgs(a, 2, "wait-no-dialog DLG MS");
  if (!WaitUntil(Number(a[2]), [&] { return FindDialog(a[1]) == nullptr; }))
    Fail("timeout: dialog " + Quote(a[1]) + " is still open");
  return "";
}

struct ControlList {
  HWND dialog;
  std::vector<HWND> controls;
};

BOOL CALLBACK CollectControl(HWND window, LPARAM param) {
  auto* list = reinterpret_cast<ControlList*>(param);
  if (GetParent(window) == list->dialog) list->controls.push_back(window);
  return TRUE;
}

std::string CmdControls(const Args& a) {
  NeedArgs(a, 1, "controls DLG");
  ControlList list{Dialog(a[1]), {}};
  EnumChildWindows(list.dialog, CollectControl, reinterpret_cast<LPARAM>(&list));
  std::string out = Num(static_cast<long long>(list.controls.size()));
  for (HWND control : list.controls) {
    RECT r;
    GetWindowRect(control, &r);
    out += " " + Num(static_cast<int>(GetWindowLongPtrA(control, GWLP_ID))) + " " + Quote(ClassOf(control)) + " " +
           Hex(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE))) + " " +
           Hex(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE))) + " " + RectText(r) + " " +
           (IsWindowVisible(control) ? "1" : "0") + " " + (IsWindowEnabled(control) ? "1" : "0") + " " +
           Quote(TextOf(control));
  }
  return out;
}

std::string CmdGetText(const Args& a) {
  NeedArgs(a, 2, "get-text DLG ID");
  return Quote(TextOf(Control(Dialog(a[1]), a[2])));
}

std::string CmdSetText(const Args& a) {
  NeedArgs(a, 3, "set-text DLG ID TEXT");
  HWND control = Control(Dialog(a[1]), a[2]);
  if (!SendTimed(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[3].c_str()))) Fail("WM_SETTEXT refused");
  return "";
}

std::string PostCommand(HWND dialog, int id, int code) {
  HWND control = GetDlgItem(dialog, id);
  if (!PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control)))
    Fail("PostMessage failed");
  return "";
}

std::string CmdDlgClick(const Args& a) {
  NeedArgs(a, 2, "dlg-click DLG ID");
  return PostCommand(Dialog(a[1]), static_cast<int>(Number(a[2])), BN_CLICKED);
}

std::string CmdDlgCommand(const Args& a) {
  NeedArgs(a, 2, "dlg-command DLG ID [CODE]");
  int code = a.size() > 3 ? static_cast<int>(Number(a[3])) : 0;
  return PostCommand(Dialog(a[1]), static_cast<int>(Number(a[2])), code);
}

std::string CmdBmClick(const Args& a) {
  NeedArgs(a, 2, "bm-click DLG ID");
  if (!PostMessageA(Control(Dialog(a[1]), a[2]), BM_CLICK, 0, 0)) Fail("PostMessage failed");
  return "";
}

std::string CmdGetCheck(const Args& a) {
  NeedArgs(a, 2, "get-check DLG ID");
  return Num(SendTimed(Control(Dialog(a[1]), a[2]), BM_GETCHECK, 0, 0));
}

std::string CmdSetCheck(const Args& a) {
  NeedArgs(a, 3, "set-check DLG ID N");
  SendTimed(Control(Dialog(a[1]), a[2]), BM_SETCHECK, static_cast<WPARAM>(Number(a[3])), 0);
  return "";
}

// Wine hands CB_GETLBTEXT across processes without converting to ANSI (an "A" call gets
// UTF-16 back), so the wide message is used and converted here.
std::string ComboItem(HWND combo, LRESULT index) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kSendTimeout, &length) ||
      static_cast<LRESULT>(length) < 0)
    Fail("CB_GETLBTEXTLEN failed");
  std::vector<wchar_t> wide(length + 2, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG,
                           kSendTimeout, &got))
    Fail("CB_GETLBTEXT failed");
  wide.back() = L'\0';
  int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(bytes > 0 ? bytes : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, &text[0], static_cast<int>(text.size()), nullptr, nullptr);
  text.resize(strlen(text.c_str()));
  return text;
}

std::string CmdCombo(const Args& a) {
  NeedArgs(a, 2, "combo DLG ID");
  HWND combo = Control(Dialog(a[1]), a[2]);
  LRESULT count = SendTimed(combo, CB_GETCOUNT, 0, 0);
  LRESULT selected = SendTimed(combo, CB_GETCURSEL, 0, 0);
  if (count < 0) Fail("CB_GETCOUNT failed");
  std::string out = Num(count) + " " + Num(selected);
  for (LRESULT i = 0; i < count; i++) out += " " + Quote(ComboItem(combo, i));
  return out;
}

std::string CmdComboSelect(const Args& a) {
  NeedArgs(a, 3, "combo-select DLG ID N");
  HWND dialog = Dialog(a[1]);
  int id = static_cast<int>(Number(a[2]));
  LRESULT got = SendTimed(Control(dialog, a[2]), CB_SETCURSEL, static_cast<WPARAM>(Number(a[3])), 0);
  if (got == CB_ERR && Number(a[3]) >= 0) Fail("CB_SETCURSEL refused index " + a[3]);
  return PostCommand(dialog, id, CBN_SELCHANGE);
}

std::string CmdScroll(const Args& a) {
  NeedArgs(a, 2, "scroll DLG ID");
  HWND bar = Control(Dialog(a[1]), a[2]);
  LRESULT pos = SendTimed(bar, SBM_GETPOS, 0, 0);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  std::string range = "? ?";
  if (GetScrollInfo(bar, SB_CTL, &info)) range = Num(info.nMin) + " " + Num(info.nMax);
  return Num(pos) + " " + range;
}

std::string CmdSetScroll(const Args& a) {
  NeedArgs(a, 3, "set-scroll DLG ID POS");
  SendTimed(Control(Dialog(a[1]), a[2]), SBM_SETPOS, static_cast<WPARAM>(Number(a[3])), TRUE);
  return "";
}

int ScrollCode(const std::string& name) {
  static const std::map<std::string, int> codes = {
      {"lineleft", SB_LINELEFT},         {"lineright", SB_LINERIGHT}, {"pageleft", SB_PAGELEFT},
      {"pageright", SB_PAGERIGHT},       {"thumbposition", SB_THUMBPOSITION},
      {"thumbtrack", SB_THUMBTRACK},     {"left", SB_LEFT},           {"right", SB_RIGHT},
      {"endscroll", SB_ENDSCROLL}};
  auto it = codes.find(name);
  return it != codes.end() ? it->second : static_cast<int>(Number(name));
}

std::string CmdHScroll(const Args& a) {
  NeedArgs(a, 3, "hscroll DLG ID CODE [POS]");
  HWND dialog = Dialog(a[1]);
  HWND bar = Control(dialog, a[2]);
  int pos = a.size() > 4 ? static_cast<int>(Number(a[4])) : 0;
  if (!PostMessageA(dialog, WM_HSCROLL, MAKEWPARAM(ScrollCode(a[3]), pos), reinterpret_cast<LPARAM>(bar)))
    Fail("PostMessage failed");
  return "";
}

std::string DescribeMessageBox(HWND box) {
  return Handle(box) + " " + Quote(TitleOf(box)) + " " + Quote(TextOf(GetDlgItem(box, 0xFFFF)));
}

HWND WaitMessageBox(long long ms) {
  HWND box = nullptr;
  if (!WaitUntil(ms, [&] { return (box = FindMessageBox()) != nullptr; })) Fail("timeout waiting for a message box");
  return box;
}

std::string CmdMsgbox(const Args& a) {
  NeedArgs(a, 1, "msgbox MS");
  return DescribeMessageBox(WaitMessageBox(Number(a[1])));
}

std::string CmdMsgboxOk(const Args& a) {
  HWND box = WaitMessageBox(a.size() > 1 ? Number(a[1]) : 0);
  return PostCommand(box, IDOK, BN_CLICKED);
}

std::string CmdMsgboxButton(const Args& a) {
  NeedArgs(a, 1, "msgbox-button ID [MS]");
  HWND box = WaitMessageBox(a.size() > 2 ? Number(a[2]) : 0);
  return PostCommand(box, static_cast<int>(Number(a[1])), BN_CLICKED);
}

std::string CmdWaitNoMsgbox(const Args& a) {
  NeedArgs(a, 1, "wait-no-msgbox MS");
  if (!WaitUntil(Number(a[1]), [] { return FindMessageBox() == nullptr; })) Fail("timeout: a message box is still open");
  return "";
}

std::string CmdTaskbarCreated(const Args&) {
  UINT message = RegisterWindowMessageA("TaskbarCreated");
  if (!PostMessageA(HWND_BROADCAST, message, 0, 0)) Fail("PostMessage failed");
  return "";
}

std::string CmdTray(const Args&) {
  TraySearch search;
  HWND tray = nullptr;
  while ((tray = FindWindowExA(nullptr, tray, "__winex11_standalone_tray", nullptr)) != nullptr)
    EnumChildWindows(tray, CollectTrayIcon, reinterpret_cast<LPARAM>(&search));
  std::string out = Num(static_cast<long long>(search.icons.size()));
  for (HWND icon : search.icons) {
    RECT r;
    GetWindowRect(icon, &r);
    out += " " + RectText(r);
  }
  return out;
}

std::string CmdTrayHas(const Args& a) {
  NeedArgs(a, 1, "tray-has ID [HWND]");
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = a.size() > 2 ? HandleArg(a[2]) : FindMainWindow(false);
  if (!data.hWnd) Fail("no Vornet window");
  data.uID = static_cast<UINT>(Number(a[1]));
  data.uFlags = 0;
  return Shell_NotifyIconA(NIM_MODIFY, &data) ? "1" : "0";
}

std::string CmdTrayDelete(const Args& a) {
  NeedArgs(a, 1, "tray-delete ID [HWND]");
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = a.size() > 2 ? HandleArg(a[2]) : FindMainWindow(false);
  if (!data.hWnd) Fail("no Vornet window");
  data.uID = static_cast<UINT>(Number(a[1]));
  if (!Shell_NotifyIconA(NIM_DELETE, &data)) Fail("no such icon");
  return "";
}

struct TooltipSearch {
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltip(HWND window, LPARAM param) {
  if (IsWindowVisible(window) && ClassOf(window) == "tooltips_class32")
    reinterpret_cast<TooltipSearch*>(param)->found.push_back(window);
  return TRUE;
}

// Wine's tooltip control answers WM_GETTEXT with the tip it is showing.
std::string CmdTooltip(const Args& a) {
  NeedArgs(a, 1, "tooltip MS");
  TooltipSearch search;
  if (!WaitUntil(Number(a[1]), [&] {
        search.found.clear();
        EnumWindows(CollectTooltip, reinterpret_cast<LPARAM>(&search));
        return !search.found.empty();
      }))
    Fail("timeout waiting for a tooltip");
  std::string out = Num(static_cast<long long>(search.found.size()));
  for (HWND tip : search.found) out += " " + Quote(TextOf(tip));
  return out;
}

std::string CmdMenu(const Args&) {
  HWND menu = FindMenuWindow();
  if (!menu) Fail("no popup menu");
  return DescribeMenu(menu);
}

std::string CmdWaitMenu(const Args& a) {
  NeedArgs(a, 1, "wait-menu MS");
  HWND menu = nullptr;
  if (!WaitUntil(Number(a[1]), [&] { return (menu = FindMenuWindow()) != nullptr; })) Fail("timeout waiting for a popup menu");
  return DescribeMenu(menu);
}

std::string CmdWaitNoMenu(const Args& a) {
  NeedArgs(a, 1, "wait-no-menu MS");
  if (!WaitUntil(Number(a[1]), [] { return FindMenuWindow() == nullptr; })) Fail("timeout: a popup menu is still open");
  return "";
}

std::string CmdPixel(const Args& a) {
  NeedArgs(a, 2, "pixel X Y");
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, static_cast<int>(Number(a[1])), static_cast<int>(Number(a[2])));
  ReleaseDC(nullptr, screen);
  if (colour == CLR_INVALID) Fail("GetPixel failed");
  char buf[16];
  snprintf(buf, sizeof buf, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return buf;
}

std::string CmdCursor(const Args&) {
  POINT p;
  if (!GetCursorPos(&p)) Fail("GetCursorPos failed");
  return Num(p.x) + " " + Num(p.y);
}

std::string CmdWindowAt(const Args& a) {
  NeedArgs(a, 2, "window-at X Y");
  POINT p = {static_cast<LONG>(Number(a[1])), static_cast<LONG>(Number(a[2]))};
  HWND window = WindowFromPoint(p);
  if (!window) return "0x0 \"\" \"\" 0";
  HWND top = GetAncestor(window, GA_ROOT);
  return Handle(top) + " " + Quote(ClassOf(top)) + " " + Quote(TitleOf(top)) + " " +
         (top == FindMainWindow(false) ? "1" : "0");
}

std::string CmdMetrics(const Args& a) {
  if (a.size() > 1) return Num(GetSystemMetrics(static_cast<int>(Number(a[1]))));
  static const struct { const char* name; int index; } named[] = {
      {"cxscreen", SM_CXSCREEN},     {"cyscreen", SM_CYSCREEN},         {"cxdlgframe", SM_CXDLGFRAME},
      {"cydlgframe", SM_CYDLGFRAME}, {"cmonitors", SM_CMONITORS},       {"xvirtualscreen", SM_XVIRTUALSCREEN},
      {"yvirtualscreen", SM_YVIRTUALSCREEN}, {"cxvirtualscreen", SM_CXVIRTUALSCREEN},
      {"cyvirtualscreen", SM_CYVIRTUALSCREEN}, {"cxdrag", SM_CXDRAG},   {"cydrag", SM_CYDRAG},
      {"cymenu", SM_CYMENU},         {"cxicon", SM_CXSMICON},           {"cycaption", SM_CYCAPTION}};
  std::string out;
  for (const auto& m : named) out += std::string(out.empty() ? "" : " ") + m.name + "=" + Num(GetSystemMetrics(m.index));
  return out;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

std::string CmdWindows(const Args&) {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  std::string out = Num(static_cast<long long>(windows.size()));
  for (HWND window : windows) {
    RECT r;
    GetWindowRect(window, &r);
    out += " " + Handle(window) + " " + Num(ProcessOf(window)) + " " + Quote(ClassOf(window)) + " " +
           Quote(TitleOf(window)) + " " + (IsWindowVisible(window) ? "1" : "0") + " " + RectText(r);
  }
  return out;
}

std::string CmdHoldFile(const Args& a) {
  NeedArgs(a, 1, "hold-file PATH [always]");
  if (gHeldFiles.count(a[1])) Fail("already held: " + a[1]);
  DWORD disposition = a.size() > 2 && a[2] == "always" ? OPEN_ALWAYS : OPEN_EXISTING;
  HANDLE file = CreateFileA(a[1].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("CreateFile failed (error " + Num(GetLastError()) + ")");
  gHeldFiles[a[1]] = file;
  return "";
}

std::string CmdReleaseFile(const Args& a) {
  NeedArgs(a, 1, "release-file PATH");
  auto it = gHeldFiles.find(a[1]);
  if (it == gHeldFiles.end()) Fail("not held: " + a[1]);
  CloseHandle(it->second);
  gHeldFiles.erase(it);
  return "";
}

std::string CmdPing(const Args&) { return ""; }

const std::map<std::string, Handler>& Commands() {
  static const std::map<std::string, Handler> table = {
      {"window", CmdWindow},           {"wait-window", CmdWaitWindow},     {"wait-gone", CmdWaitGone},
      {"visible", CmdVisible},         {"rect", CmdRect},                  {"client", CmdClient},
      {"region", CmdRegion},           {"topmost", CmdTopmost},            {"style", CmdStyle},
      {"alpha", CmdAlpha},             {"foreground", CmdForeground},      {"post", CmdPost},
      {"send", CmdSend},               {"post-to", CmdPostTo},             {"send-to", CmdSendTo},
      {"command", CmdCommand},         {"pid", CmdPid},                    {"wait-exit", CmdWaitExit},
      {"kill", CmdKill},               {"gdi", CmdGdi},                    {"dialogs", CmdDialogs},
      {"wait-dialog", CmdWaitDialog},  {"wait-no-dialog", CmdWaitNoDialog}, {"controls", CmdControls},
      {"get-text", CmdGetText},        {"set-text", CmdSetText},           {"dlg-click", CmdDlgClick},
      {"dlg-command", CmdDlgCommand},  {"bm-click", CmdBmClick},           {"get-check", CmdGetCheck},
      {"set-check", CmdSetCheck},      {"combo", CmdCombo},                {"combo-select", CmdComboSelect},
      {"scroll", CmdScroll},           {"set-scroll", CmdSetScroll},       {"hscroll", CmdHScroll},
      {"msgbox", CmdMsgbox},           {"msgbox-ok", CmdMsgboxOk},         {"msgbox-button", CmdMsgboxButton},
      {"wait-no-msgbox", CmdWaitNoMsgbox}, {"taskbar-created", CmdTaskbarCreated}, {"tray", CmdTray},
      {"tray-has", CmdTrayHas},        {"tray-delete", CmdTrayDelete},     {"tooltip", CmdTooltip},        {"menu", CmdMenu},                  {"wait-menu", CmdWaitMenu},
      {"wait-no-menu", CmdWaitNoMenu}, {"pixel", CmdPixel},                {"cursor", CmdCursor},
      {"window-at", CmdWindowAt},      {"metrics", CmdMetrics},            {"windows", CmdWindows},
      {"hold-file", CmdHoldFile},      {"release-file", CmdReleaseFile},   {"ping", CmdPing}};
  return table;
}

std::string Run(const Args& args) {
  if (args.empty()) return "err empty command";
  auto it = Commands().find(args[0]);
  if (it == Commands().end()) return "err unknown command " + Quote(args[0]);
  try {
    std::string fields = it->second(args);
    return fields.empty() ? "ok" : "ok " + fields;
  } catch (const Failure& failure) {
    return "err " + failure.message;
  }
}

void Answer(const std::string& line) {
  fputs(line.c_str(), stdout);
  fputc('\n', stdout);
  fflush(stdout);
}

int Serve() {
  std::string line;
  for (;;) {
    int c = fgetc(stdin);
    if (c == EOF) break;
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    Args args;
    std::string answer;
    try {
      args = Tokenize(line);
      if (!args.empty() && args[0] == "quit") {
        Answer("ok");
        break;
      }
      answer = Run(args);
    } catch (const Failure& failure) {
      answer = "err " + failure.message;
    }
    Answer(answer);
    line.clear();
  }
  for (auto& held : gHeldFiles) CloseHandle(held.second);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Plain LF on stdout and stdin whatever the C runtime's text mode would do.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  if (argc >= 2 && strcmp(argv[1], "serve") == 0) return Serve();
  if (argc < 2) {
    Answer("err usage: vornet-driver serve | vornet-driver CMD ARGS...");
    return 2;
  }
  Args args(argv + 1, argv + argc);
  std::string answer = Run(args);
  Answer(answer);
  return answer.compare(0, 2, "ok") == 0 ? 0 : 1;
}
