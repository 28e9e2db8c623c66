// An in-memory stand-in for the operating system: files with faults a test injects, a clock
// the test sets, the code page's lead bytes, and a record of every message box.
#pragma once
#include <stdint.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/system.h"

struct FakeFile {
    std::string content;
    bool locked = false;     // held open without sharing by another program
    bool readOnly = false;   // may be read, never written, moved or deleted
    bool failWrites = false; // opening works, writing fails (a full disk)
    uint64_t written = 0;    // last-write time
};

struct FakeShortcut {
    std::string program, folder;
};

struct ShownMessage {
    std::string text;
    std::string title;
    unsigned kind;
    int dialogOpen; // as it was while the box was up
};

struct FakeSystem {
    std::map<std::string, FakeFile> files;
    std::vector<ShownMessage> messages;
    LocalTime now{};
    bool noNewFiles = false; // the folder takes no new file; existing ones may be written
    bool diskFull = false;   // no text is written; names may still change
    int answer = 7;          // the button every question gets (7: IDNO)
    int codePage = 1252;     // 932: two-byte characters as on a Japanese system
    uint64_t clock = 0;      // last-write times
    ScreenArea screen = {0, 0, 1920, 1080};
    unsigned long idleMilliseconds = 0; // since the user's last input
    std::string program = "C:\\Vornet\\Vornet.exe", folder = "C:\\Zeit";
    std::map<std::string, FakeShortcut> startup; // the Startup folder's shortcuts
    bool startupRefuses = false;                 // shortcuts can be neither made nor removed
    std::vector<int> answers;             // the next questions' buttons, in order; then `answer`
    std::function<int()> insideBox;       // runs inside the next box and gives its button
    // A crash: the file changes are counted from 0, and from the one numbered `stopAt` on
    // none reaches the disk.
    long changes = 0;
    long stopAt = -1;
    std::vector<LocalTime> changeTimes; // the clock at each change
    // The files as a power loss leaves them: each file's text as it was last flushed, and
    // the files there were at the last flush of any (a removal or a rename is the file
    // system's record, on the disk with the next flush).
    bool trackDurable = false;
    std::map<std::string, FakeFile> durable;
};

extern FakeSystem fake;

// The fake and the program's process-wide state as at a fresh start on a 1920x1080 screen,
// at 2026-12-05 09:00:00.
void ResetFakeSystem();
LocalTime At(int year, int month, int day, int hour, int minute, int second, int ms = 0);
bool HasFile(const std::string& name);
std::string FileText(const std::string& name);
// ResetFakeSystem with the tasks Break, A and B.
void StartWithTasks();
// A click on `row` at this moment of 2026-12-05.
void SwitchAt(int row, int hour, int minute, int second = 0, int ms = 0);
// A file as another program writes it.
void PutFile(const std::string& name, const std::string& content);
// The process ends at once after a stop (the disk as it is) or a power loss (the disk as it
// was at the last flush); the fake then counts no more stops.
void CrashFakeSystem(bool powerLoss);
// The titles of the boxes shown since the last call, "|"-separated, and forgets them.
std::string TakeTitles();
