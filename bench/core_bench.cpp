// Runs the core's costly operations on the in-memory file system, so that callgrind can count
// their instructions alone (bench/core-instructions), or times them when run directly.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <string>

#include "app/shell_state.h"
#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

// A setting.ini of exactly 102650 bytes: 50 long names and every other key.
static std::string FullSettingsText()
{
    std::string keys =
        "current_task=3\r\nwinX=100\r\nwinY=200\r\nwintop=1\r\nfsize=18\r\nfontface=Arial\r\n"
        "ftype=400\r\ntoumeido=255\r\nbackR=0\r\nbackG=0\r\nbackB=0\r\nrectR=192\r\nrectG=192\r\n"
        "rectB=192\r\ntext1R=255\r\ntext1G=255\r\ntext1B=255\r\ntext2R=192\r\ntext2G=192\r\n"
        "text2B=192\r\n";
    size_t room = 102650 - keys.size() - 50 * 5; // bytes left for the 50 names
    std::string text;
    for (int i = 0; i < 50; ++i) {
        char key[8];
        snprintf(key, sizeof key, "%02d=", i);
        size_t nameLength = room / 50 + (static_cast<size_t>(i) < room % 50 ? 1 : 0);
        text += key + std::string(nameLength, static_cast<char>('a' + i % 26)) + "\r\n";
    }
    text += keys;
    return text;
}

// Kept out of line so that callgrind can count each one alone.
#if defined(__GNUC__)
#define MEASURED __attribute__((noinline))
#else
#define MEASURED
#endif

MEASURED void MeasuredLoadAndSave()
{
    LoadSettings(nullptr);
    SaveSettings(nullptr);
}

MEASURED void MeasuredLoad()
{
    LoadSettings(nullptr);
}

MEASURED void MeasuredSwitch()
{
    selectedRow = selectedRow == 1 ? 2 : 1;
    SwitchToSelectedTask(nullptr);
}

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? atoi(argv[1]) : 1;
    ResetFakeSystem();
    std::string text = FullSettingsText();
    fake.files["setting.ini"].content = text;
    LoadSettings(nullptr);
    SetTaskName(1, "Coding");
    SetTaskName(2, "Meeting, client");
    StartRunningTask();
    firstSwitchPending = 0;

    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        fake.files["setting.ini"].content = text;
        MeasuredLoadAndSave();
    }
    auto t1 = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        fake.files["setting.ini"].content = text;
        MeasuredLoad();
    }
    auto t2 = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        fake.files["timelog.csv"].content.clear();
        MeasuredSwitch();
    }
    auto t3 = std::chrono::steady_clock::now();
    double loadSave = std::chrono::duration<double, std::micro>(t1 - t0).count() / rounds;
    double loadAlone = std::chrono::duration<double, std::micro>(t2 - t1).count() / rounds;
    double oneSwitch = std::chrono::duration<double, std::micro>(t3 - t2).count() / rounds;
    printf("setting.ini of %zu bytes: load + save %.1f us, load alone %.1f us; one switch %.2f us "
           "(%d rounds)\n",
           text.size(), loadSave, loadAlone, oneSwitch, rounds);
    return fake.messages.empty() ? 0 : 1;
}
