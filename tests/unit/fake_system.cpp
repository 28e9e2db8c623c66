#include "fake_system.h"

#include <stdio.h>
#include <string.h>

#include "app/program_run.h"
#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "base/utf8.h"
#include "tasks/running_period.h"
#include "tasks/task_switch.h"
#include "tasks/task_table.h"

FakeSystem fake;

void ResetFakeSystem()
{
    fake = FakeSystem();
    fake.now = At(2026, 12, 5, 9, 0, 0);
    MeasureScreen();
    windowDpi = DPI_AT_100_PERCENT;
    ResetProgramState();
    StartRunningTask();
}

void StartWithTasks()
{
    ResetFakeSystem();
    SetTaskName(0, "Break");
    SetTaskName(1, "A");
    SetTaskName(2, "B");
    StartRunningTask();
}

void SwitchAt(int row, int hour, int minute, int second, int ms)
{
    fake.now = At(2026, 12, 5, hour, minute, second, ms);
    selectedRow = row;
    SwitchToSelectedTask(nullptr);
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

void CrashFakeSystem(bool powerLoss)
{
    if (powerLoss)
        fake.files = fake.durable;
    fake.stopAt = -1;
}

int ShowMessage(OwnerWindow, const char* text, const char* title, unsigned kind)
{
    fake.messages.push_back({text, title, kind, dialogOpen});
    if (fake.insideBox) {
        std::function<int()> inside = fake.insideBox;
        fake.insideBox = nullptr;
        return inside();
    }
    if (kind != MESSAGE_QUESTION)
        return 1;
    if (fake.answers.empty())
        return fake.answer;
    int answer = fake.answers.front();
    fake.answers.erase(fake.answers.begin());
    return answer;
}

namespace {

// The code point of the character at text[*i], or -1 for a byte that begins none.
long DecodeOne(const char* text, size_t length, UnicodeForm form, size_t* i)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text);
    if (form != FORM_UTF8) {
        int high = form == FORM_UTF16BE ? 0 : 1;
        long unit = b[*i + high] << 8 | b[*i + 1 - high];
        *i += 2;
        return unit >= 0xD800 && unit <= 0xDFFF ? -1 : unit; // pairs are past both models
    }
    size_t n = Utf8SequenceLength(text, length, *i);
    if (n == 0) {
        ++*i;
        return -1;
    }
    long cp = n == 1 ? b[*i] : b[*i] & (0x7F >> n);
    for (size_t k = 1; k < n; ++k)
        cp = cp << 6 | (b[*i + k] & 0x3F);
    *i += n;
    return cp;
}

// Two models: of code pages 1252 and 932, the characters the tests use.
std::string EncodeOne(long cp)
{
    static const std::map<long, std::string> k1252 = {{0x20AC, "\x80"}, {0x2019, "\x92"}};
    static const std::map<long, std::string> k932 = {
        {0x65E5, "\x93\xFA"}, {0x672C, "\x96\x7B"}, {0x8A9E, "\x8C\xEA"}};
    if (cp >= 0 && cp < 0x80)
        return std::string(1, static_cast<char>(cp));
    if (fake.codePage == 1252 && cp >= 0xA0 && cp <= 0xFF)
        return std::string(1, static_cast<char>(cp));
    const std::map<long, std::string>& table = fake.codePage == 932 ? k932 : k1252;
    auto it = table.find(cp);
    return it != table.end() ? it->second : std::string();
}

} // namespace

size_t ConvertToAnsi(char* text, size_t length, UnicodeForm form, int* lossy)
{
    std::string out;
    *lossy = 0;
    for (size_t i = 0; i + (form == FORM_UTF8 ? 0 : 1) < length;) {
        std::string ansi = EncodeOne(DecodeOne(text, length, form, &i));
        *lossy |= ansi.empty();
        out += ansi.empty() ? "?" : ansi;
    }
    memcpy(text, out.data(), out.size());
    return out.size();
}

ScreenArea ReadScreenArea()
{
    return fake.screen;
}

int IsLeadByte(unsigned char b)
{
    return fake.codePage == 932 && ((b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc));
}

// Case as the system's comparison folds it, as far as the tests need: ASCII letters, and in
// 932 the full-width Latin capitals (0x82 0x60..0x79).
int SameCharacterIgnoringCase(const char* a, const char* b, size_t length)
{
    auto fold = [length](const char* c) {
        int first = static_cast<unsigned char>(c[0]), last = static_cast<unsigned char>(c[length - 1]);
        if (length == 2)
            return first << 8 | (first == 0x82 && last >= 0x60 && last <= 0x79 ? last + 0x21 : last);
        return int(static_cast<unsigned char>(LowerAscii(c[0])));
    };
    return fold(a) == fold(b);
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

// 1 when a change is past the stop: it does not reach the disk.
static bool Lost()
{
    bool lost = fake.stopAt >= 0 && fake.changes >= fake.stopAt;
    ++fake.changes;
    fake.changeTimes.push_back(fake.now);
    return lost;
}

// A flush of `name`: its text is on the disk, and so is the file system's record so far
// (which files there are, under which names); other files' texts are not.
static void Flushed(const std::string& name)
{
    if (!fake.trackDurable)
        return;
    for (auto it = fake.durable.begin(); it != fake.durable.end();)
        it = fake.files.count(it->first) ? std::next(it) : fake.durable.erase(it);
    for (const auto& file : fake.files) {
        if (!fake.durable.count(file.first) || file.first == name)
            fake.durable[file.first] = file.second;
    }
}

ReadResult ReadFileEnd(const char* name, char* buffer, size_t size, size_t* length, int* whole)
{
    auto it = fake.files.find(name);
    if (it == fake.files.end())
        return READ_MISSING;
    if (it->second.locked)
        return READ_UNOPENABLE;
    const std::string& text = it->second.content;
    *whole = text.size() <= size;
    *length = *whole ? text.size() : size;
    memcpy(buffer, text.data() + text.size() - *length, *length);
    return READ_OK;
}

// Writes `data` over an existing or new file, unless the file refuses.
static WriteResult Write(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    auto it = fake.files.find(name);
    if (it != fake.files.end() && (it->second.locked || it->second.readOnly))
        return WRITE_CANNOT_CREATE;
    if (fake.diskFull || (it != fake.files.end() && it->second.failWrites))
        return WRITE_FAILED;
    FakeFile& file = fake.files[name];
    file.content.assign(data, length);
    file.written = ++fake.clock;
    Stamp(file, stamp);
    Flushed(name);
    return WRITE_OK;
}

WriteResult ReplaceWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    if (Lost())
        return WRITE_OK;
    auto it = fake.files.find(name);
    if (it != fake.files.end() && (it->second.locked || it->second.readOnly))
        return WRITE_CANNOT_CREATE;
    if (fake.noNewFiles)
        return WRITE_NO_TEMPORARY;
    return Write(name, data, length, stamp);
}

WriteResult RewriteWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    if (Lost())
        return WRITE_OK;
    if (!HasFile(name))
        return WRITE_CANNOT_CREATE;
    return Write(name, data, length, stamp);
}

WriteResult AppendToFile(const char* name, const char* data, size_t length)
{
    if (Lost())
        return WRITE_OK;
    auto it = fake.files.find(name);
    if (it == fake.files.end() && fake.noNewFiles)
        return WRITE_CANNOT_CREATE;
    if (it != fake.files.end() && (it->second.locked || it->second.readOnly))
        return WRITE_CANNOT_CREATE;
    if (it != fake.files.end() && it->second.failWrites)
        return WRITE_FAILED;
    FakeFile& file = fake.files[name]; // grown in place: a fuzzed day appends thousands
    file.content.append(data, length);
    file.written = ++fake.clock;
    Flushed(name);
    return WRITE_OK;
}

int RemoveFile(const char* name)
{
    if (Lost())
        return 0;
    auto it = fake.files.find(name);
    if (it != fake.files.end() && (it->second.locked || it->second.readOnly))
        return -1;
    fake.files.erase(name);
    return 0;
}

unsigned long MillisecondsSinceInput()
{
    return fake.idleMilliseconds;
}

void ReadProgramPlace(char* program, size_t programSize, char* folder, size_t folderSize)
{
    snprintf(program, programSize, "%s", fake.program.c_str());
    snprintf(folder, folderSize, "%s", fake.folder.c_str());
}

int ReadStartupShortcut(const char* name, char* program, size_t programSize, char* folder,
                        size_t folderSize)
{
    auto it = fake.startup.find(name);
    if (it == fake.startup.end())
        return 0;
    snprintf(program, programSize, "%s", it->second.program.c_str());
    snprintf(folder, folderSize, "%s", it->second.folder.c_str());
    return 1;
}

int MakeStartupShortcut(const char* name, const char* program, const char* folder)
{
    if (fake.startupRefuses)
        return -1;
    fake.startup[name] = FakeShortcut{program, folder};
    return 0;
}

int RemoveStartupShortcut(const char* name)
{
    if (fake.startupRefuses)
        return -1;
    fake.startup.erase(name);
    return 0;
}

int MoveFileTo(const char* from, const char* to)
{
    if (Lost())
        return 0;
    auto it = fake.files.find(from);
    if (it == fake.files.end() || it->second.locked || it->second.readOnly || fake.noNewFiles ||
        HasFile(to))
        return -1;
    fake.files[to] = it->second;
    fake.files.erase(from);
    return 0;
}
