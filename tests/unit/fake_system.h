// An in-memory stand-in for the operating system: files, a clock the test sets, and a record
// of every message box. Faults are injected per file.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "app/system.h"

struct FakeFile {
    std::string content;
    bool locked = false;     // held open without sharing by another program
    bool readOnly = false;
    bool failWrites = false; // creating works, writing fails (disk full)
};

struct ShownMessage {
    std::string text;
    std::string title;
    unsigned kind;
};

struct FakeSystem {
    std::map<std::string, FakeFile> files;
    std::vector<ShownMessage> messages;
    LocalTime now{};
    bool failCreates = false; // no file can be created (the folder is read-only)
    int replaceCount = 0;
};

extern FakeSystem fake;

// Resets the fake and the program's process-wide state to a fresh start on a 1920x1080 screen.
void ResetFakeSystem();
LocalTime At(int year, int month, int day, int hour, int minute, int second, int ms = 0);
bool HasFile(const std::string& name);
// A fresh start at 2026-12-05 09:00:00 with the tasks Break, A and B.
void StartWithThreeTasks();
// A switch to `row` made at `when`, as a click on that row makes it.
void SwitchAt(int row, LocalTime when);
std::string FileText(const std::string& name);
