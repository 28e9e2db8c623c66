#include "fake_system.h"

#include <string.h>

#include "app/shell_state.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

FakeSystem fake;

void ResetFakeSystem()
{
    fake = FakeSystem();
    fake.now = At(2026, 12, 5, 9, 0, 0);
    screenWidth = 1920;
    screenHeight = 1080;
    dialogOpen = listOpen = dragCountdown = 0;
    selectedRow = 0;
    useBackdatedTime = 0;
    firstSwitchPending = 1;
    SetDefaultSettings();
    ResetSettingsFileState();
    DiscardHeldLog();
    runningTaskName[0] = '\0';
}

LocalTime At(int year, int month, int day, int hour, int minute, int second, int ms)
{
    LocalTime t{};
    t.wYear = static_cast<unsigned short>(year);
    t.wMonth = static_cast<unsigned short>(month);
    t.wDay = static_cast<unsigned short>(day);
    t.wHour = static_cast<unsigned short>(hour);
    t.wMinute = static_cast<unsigned short>(minute);
    t.wSecond = static_cast<unsigned short>(second);
    t.wMilliseconds = static_cast<unsigned short>(ms);
    return t;
}

bool HasFile(const std::string& name)
{
    return fake.files.count(name) != 0;
}

std::string FileText(const std::string& name)
{
    return HasFile(name) ? fake.files[name].content : std::string();
}

LocalTime CurrentLocalTime()
{
    return fake.now;
}

void ShowMessage(OwnerWindow, const char* text, const char* title, unsigned kind)
{
    fake.messages.push_back({text, title, kind});
}

ReadResult ReadWholeFile(const char* name, char* buffer, size_t limit, size_t* length)
{
    auto it = fake.files.find(name);
    if (it == fake.files.end())
        return READ_MISSING;
    if (it->second.locked || it->second.readOnly)
        return READ_UNOPENABLE;
    const std::string& text = it->second.content;
    if (text.size() > limit)
        return READ_TOO_LARGE;
    memcpy(buffer, text.data(), text.size());
    *length = text.size();
    return READ_OK;
}

WriteResult ReplaceWholeFile(const char* name, const char* data, size_t length)
{
    auto it = fake.files.find(name);
    if (fake.failCreates || (it != fake.files.end() && (it->second.locked || it->second.readOnly)))
        return WRITE_CANNOT_CREATE;
    if (it != fake.files.end() && it->second.failWrites)
        return WRITE_FAILED;
    fake.files[name].content.assign(data, length);
    ++fake.replaceCount;
    return WRITE_OK;
}

WriteResult AppendToFile(const char* name, const char* data, size_t length)
{
    auto it = fake.files.find(name);
    if (it == fake.files.end() && fake.failCreates)
        return WRITE_CANNOT_CREATE;
    FakeFile& file = fake.files[name];
    if (file.locked || file.readOnly)
        return WRITE_CANNOT_CREATE;
    if (file.failWrites)
        return WRITE_FAILED;
    file.content.append(data, length);
    return WRITE_OK;
}

int KeepFileAside(const char* name, char* keptName, size_t keptSize)
{
    auto it = fake.files.find(name);
    if (it == fake.files.end())
        return 1;
    if (it->second.locked || it->second.readOnly)
        return -1;
    std::string stem(name), ext;
    size_t dot = stem.rfind('.');
    if (dot != std::string::npos) {
        ext = stem.substr(dot);
        stem = stem.substr(0, dot);
    }
    for (int n = 1;; ++n) {
        std::string kept = stem + "-kept-" + std::to_string(n) + ext;
        if (!HasFile(kept)) {
            fake.files[kept] = it->second;
            fake.files.erase(it);
            snprintf(keptName, keptSize, "%s", kept.c_str());
            return 0;
        }
    }
}

void StartWithThreeTasks()
{
    ResetFakeSystem();
    SetTaskName(0, "Break");
    SetTaskName(1, "A");
    SetTaskName(2, "B");
    fake.now = At(2026, 12, 5, 9, 0, 0);
    StartRunningTask();
}

void SwitchAt(int row, LocalTime when)
{
    fake.now = when;
    selectedRow = row;
    SwitchToSelectedTask(nullptr);
}
