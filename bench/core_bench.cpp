// Runs the core's costly operations once each on the unit tests' in-memory files, so that
// callgrind (bench/bench.py) can count each one's instructions alone.
#include <stdio.h>

#include <algorithm>
#include <string>

#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"
#include "tasks/running_period.h"
#include "tasks/task_switch.h"

// A setting.ini of exactly 102650 bytes, as a save writes it: 50 long names and every other key.
static std::string FullSettingsText()
{
    const std::string keys =
        "current_task=3\r\nwinX=100\r\nwinY=200\r\nwintop=1\r\nfsize=18\r\nfontface=Arial\r\n"
        "ftype=400\r\ntoumeido=255\r\nbackR=0\r\nbackG=0\r\nbackB=0\r\nrectR=192\r\nrectG=192\r\n"
        "rectB=192\r\ntext1R=255\r\ntext1G=255\r\ntext1B=255\r\ntext2R=192\r\ntext2G=192\r\n"
        "text2B=192\r\nhotkey=1568\r\n";
    const size_t room = 102650 - keys.size() - 50 * 5; // bytes left for the names
    std::string text;
    for (size_t i = 0; i < 50; ++i)
        text += std::string(i < 10 ? "0" : "") + std::to_string(i) + "=" +
                std::string(room / 50 + (i < room % 50), static_cast<char>('a' + i % 26)) + "\r\n";
    return text + keys;
}

// Out of line, so that callgrind's --toggle-collect can count each one alone.
[[gnu::noinline]] void MeasuredLoadAndSave() { LoadSettings(nullptr); SaveSettings(nullptr); }
[[gnu::noinline]] void MeasuredLoad() { LoadSettings(nullptr); }
[[gnu::noinline]] void MeasuredSwitch() { selectedRow = selectedRow == 1 ? 2 : 1; SwitchToSelectedTask(nullptr); }

int main()
{
    ResetFakeSystem();
    const std::string text = FullSettingsText();
    fake.files["setting.ini"].content = text;
    LoadSettings(nullptr);
    SetTaskName(1, "Coding");
    SetTaskName(2, "Meeting, client");
    StartRunningTask();
    firstSwitchPending = 0;
    fake.files["setting.ini"].content = text;
    MeasuredLoadAndSave();
    fake.files["setting.ini"].content = text;
    MeasuredLoad();
    fake.files["timelog.csv"].content.clear();
    MeasuredSwitch();
    const std::string& log = fake.files["timelog.csv"].content;
    const size_t lines = static_cast<size_t>(std::count(log.begin(), log.end(), '\n'));
    printf("setting.ini of %zu bytes; lines one switch appended: %zu\n", text.size(), lines);
    return lines == 1 ? 0 : 1;
}
