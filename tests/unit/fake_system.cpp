#include "fake_system.h"

#include <stdio.h>
#include <string.h>

#include "app/program_run.h"
#include "base/shell_state.h"
#include "tasks/time_log.h"

FakeSystem fake;

void ResetFakeSystem()
{
    fake = FakeSystem();
    fake.now = At(2026, 12, 5, 9, 0, 0);
    MeasureScreen();
    ResetProgramState();
    StartRunningTask();
}

LocalTime At(int year, int month, int day, int hour, int minute, int second, int ms)
{
    auto u = [](int v) { return static_cast<unsigned short>(v); };
    return LocalTime{u(year), u(month), 0, u(day), u(hour), u(minute), u(second), u(ms)};
}

bool HasFile(const std::string& name)
{
    return fake.files.count(name) != 0;
}

std::string FileText(const std::string& name)
{
    return HasFile(name) ? fake.files[name].content : std::string();
}

void PutFile(const std::string& name, const std::string& content)
{
    FakeFile& file = fake.files[name];
    file.content = content;
    file.written = ++fake.clock;
}

std::string TakeTitles()
{
    std::string titles;
    for (const ShownMessage& m : fake.messages)
        titles += (titles.empty() ? "" : "|") + m.title;
    fake.messages.clear();
    return titles;
}

LocalTime CurrentLocalTime()
{
    return fake.now;
}

int ShowMessage(OwnerWindow, const char* text, const char* title, unsigned kind)
{
    fake.messages.push_back({text, title, kind, dialogOpen});
    return kind == MESSAGE_QUESTION ? fake.answer : 1;
}

ScreenArea ReadScreenArea()
{
    return fake.screen;
}

int IsLeadByte(unsigned char b)
{
    return fake.codePage == 932 && ((b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc));
}

static void Stamp(const FakeFile& file, FileStamp* stamp)
{
    stamp->size = file.content.size();
    stamp->written = file.written;
}

int ReadFileStamp(const char* name, FileStamp* stamp)
{
    auto it = fake.files.find(name);
    if (it == fake.files.end())
        return 0;
    Stamp(it->second, stamp);
    return 1;
}

ReadResult ReadWholeFile(const char* name, char* buffer, size_t limit, size_t* length,
                         FileStamp* stamp)
{
    auto it = fake.files.find(name);
    if (it == fake.files.end())
        return READ_MISSING;
    if (it->second.locked)
        return READ_UNOPENABLE;
    const std::string& text = it->second.content;
    if (text.size() > limit)
        return READ_TOO_LARGE;
    memcpy(buffer, text.data(), text.size());
    *length = text.size();
    Stamp(it->second, stamp);
    return READ_OK;
}

// Writes `data` over an existing or new file, unless the file refuses.
static WriteResult Write(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    auto it = fake.files.find(name);
    if (it != fake.files.end() && (it->second.locked || it->second.readOnly))
        return WRITE_CANNOT_CREATE;
    if (it != fake.files.end() && it->second.failWrites)
        return WRITE_FAILED;
    FakeFile& file = fake.files[name];
    file.content.assign(data, length);
    file.written = ++fake.clock;
    Stamp(file, stamp);
    return WRITE_OK;
}

WriteResult ReplaceWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    auto it = fake.files.find(name);
    if (it != fake.files.end() && (it->second.locked || it->second.readOnly))
        return WRITE_CANNOT_CREATE;
    if (fake.noNewFiles)
        return WRITE_NO_TEMPORARY;
    return Write(name, data, length, stamp);
}

WriteResult RewriteWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    if (!HasFile(name))
        return WRITE_CANNOT_CREATE;
    return Write(name, data, length, stamp);
}

WriteResult AppendToFile(const char* name, const char* data, size_t length)
{
    if (!HasFile(name) && fake.noNewFiles)
        return WRITE_CANNOT_CREATE;
    FileStamp stamp;
    std::string text = FileText(name) + std::string(data, length);
    return Write(name, text.data(), text.size(), &stamp);
}

int MoveFileTo(const char* from, const char* to)
{
    auto it = fake.files.find(from);
    if (it == fake.files.end() || it->second.locked || it->second.readOnly || fake.noNewFiles ||
        HasFile(to))
        return -1;
    fake.files[to] = it->second;
    fake.files.erase(from);
    return 0;
}
