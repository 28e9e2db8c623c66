#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

using namespace std::string_literals;

namespace {

std::string DefaultFile()
{
    std::string text = "00=Break\r\n";
    for (int i = 1; i < 50; ++i)
        text += (i < 10 ? "0" : "") + std::to_string(i) + "=\r\n";
    return text + "current_task=0\r\nwinX=960\r\nwinY=0\r\nwintop=1\r\nfsize=18\r\nfontface=Arial\r\n"
                  "ftype=400\r\ntoumeido=255\r\nbackR=0\r\nbackG=0\r\nbackB=0\r\nrectR=192\r\n"
                  "rectG=192\r\nrectB=192\r\ntext1R=255\r\ntext1G=255\r\ntext1B=255\r\n"
                  "text2R=192\r\ntext2G=192\r\ntext2B=192\r\nhotkey=1568\r\n";
}

// setting.ini as another program left it, loaded as at start-up.
void LoadFile(const std::string& text)
{
    ResetFakeSystem();
    PutFile("setting.ini", text);
    LoadSettings(nullptr);
}

TEST(SettingsFile, FirstStartWritesTheDefaultFileAndSavesReproduceIt)
{
    ResetFakeSystem();
    EXPECT_EQ(0, LoadSettings(nullptr));
    EXPECT_EQ(DefaultFile(), FileText("setting.ini"));
    EXPECT_STREQ("Break", TaskTable[0]);
    EXPECT_EQ(1, lastRow);
    LoadSettings(nullptr);
    ASSERT_EQ(0, SaveSettings(nullptr));
    EXPECT_EQ(DefaultFile(), FileText("setting.ini"));
    EXPECT_EQ(1u, fake.files.size()); // nothing kept aside in normal use
    EXPECT_EQ("", TakeTitles());
}

TEST(SettingsFile, EveryFieldGoesOutAndComesBack)
{
    ResetFakeSystem();
    SetTaskName(7, "Meeting, client");
    current_task = -3;
    int SettingsRecord::*fields[] = {
        &SettingsRecord::winX,   &SettingsRecord::winY,   &SettingsRecord::wintop,
        &SettingsRecord::fsize,  &SettingsRecord::ftype,  &SettingsRecord::toumeido,
        &SettingsRecord::backR,  &SettingsRecord::backG,  &SettingsRecord::backB,
        &SettingsRecord::rectR,  &SettingsRecord::rectG,  &SettingsRecord::rectB,
        &SettingsRecord::text1R, &SettingsRecord::text1G, &SettingsRecord::text1B,
        &SettingsRecord::text2R, &SettingsRecord::text2G, &SettingsRecord::text2B,
        &SettingsRecord::hotkey};
    int value = 10;
    for (auto field : fields)
        Settings.*field = value++;
    Settings.wintop = -7;
    strcpy(Settings.fontface, "MS Gothic");
    ASSERT_EQ(0, SaveSettings(nullptr));
    std::string saved = FileText("setting.ini");
    SetDefaultSettings();
    LoadSettings(nullptr);
    value = 10;
    for (auto field : fields) {
        EXPECT_EQ(field == &SettingsRecord::wintop ? -7 : value, Settings.*field);
        ++value;
    }
    EXPECT_EQ(-3, current_task);
    EXPECT_STREQ("Meeting, client", TaskTable[7]);
    EXPECT_STREQ("MS Gothic", Settings.fontface);
    EXPECT_EQ(8, lastRow);
    SaveSettings(nullptr);
    EXPECT_EQ(saved, FileText("setting.ini"));
}

TEST(SettingsFile, LoadedNumbersAreReadLikeStrtolAndClamped)
{
    // Numbers are read by the one parser (its own tests); here each field's bounds.
    struct Case { const char* line; int SettingsRecord::*field; int expected; } cases[] = {
        {"fsize=5", &SettingsRecord::fsize, 6},        {"fsize=6", &SettingsRecord::fsize, 6},
        {"fsize=256", &SettingsRecord::fsize, 256},    {"fsize=257", &SettingsRecord::fsize, 256},
        {"fsize=20abc", &SettingsRecord::fsize, 20},   {"toumeido=0", &SettingsRecord::toumeido, 1},
        {"toumeido=-5", &SettingsRecord::toumeido, 1}, {"toumeido=256", &SettingsRecord::toumeido, 255},
        {"toumeido=255", &SettingsRecord::toumeido, 255},
        {"backG=256", &SettingsRecord::backG, 0},      {"backG=255", &SettingsRecord::backG, 255},
        {"rectB=-1", &SettingsRecord::rectB, 0},       {"text2B=0", &SettingsRecord::text2B, 0},
        {"text1R=300", &SettingsRecord::text1R, 0},    {"wintop=-7", &SettingsRecord::wintop, -7},
        {"ftype=99999999999", &SettingsRecord::ftype, 2147483647},
        {"WINX=100", &SettingsRecord::winX, 100},      {" winX=100", &SettingsRecord::winX, 960},
        {"BACKR=5", &SettingsRecord::backR, 5},        {"winX=\r\n12", &SettingsRecord::winX, 0},
        {"backR=5", &SettingsRecord::hotkey, 0x620}, // without the key: Ctrl+Alt+Space
        {"hotkey=4095", &SettingsRecord::hotkey, 4095}, {"hotkey=4096", &SettingsRecord::hotkey, 0},
        {"hotkey=-1", &SettingsRecord::hotkey, 0},
    };
    for (const Case& c : cases) {
        LoadFile(std::string(c.line) + "\r\n");
        EXPECT_EQ(c.expected, Settings.*c.field) << c.line;
    }
}

TEST(SettingsFile, APlaceOutsideTheScreenAreaGoesToItsOriginAsItLoads)
{
    // Each screen area: one monitor, and a second one left of or above the primary.
    struct Case { ScreenArea screen; int winX, winY, x, y; } cases[] = {
        {{0, 0, 1920, 1080}, -1, 1081, 0, 0},         {{0, 0, 1920, 1080}, 1920, 1080, 1920, 1080},
        {{-1920, 0, 3840, 1080}, -1920, 5, -1920, 5}, {{-1920, 0, 3840, 1080}, -1921, 5, -1920, 5},
        {{-1920, 0, 3840, 1080}, 1920, 0, 1920, 0},   {{-1920, 0, 3840, 1080}, 1921, 0, -1920, 0},
        {{0, -1080, 1920, 2160}, 10, -1080, 10, -1080}, {{0, -1080, 1920, 2160}, 10, 1081, 10, -1080},
        {{0, -1080, 1920, 2160}, 10, -1081, 10, -1080},
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        fake.screen = c.screen;
        MeasureScreen();
        PutFile("setting.ini", "winX=" + std::to_string(c.winX) + "\r\nwinY=" +
                                   std::to_string(c.winY) + "\r\n");
        LoadSettings(nullptr);
        EXPECT_EQ(c.x, Settings.winX) << c.winX;
        EXPECT_EQ(c.y, Settings.winY) << c.winY;
    }
}

TEST(SettingsFile, KeysAreFoundAtLineStartsWhateverTheLineEnds)
{
    struct Case { std::string text; int slot; const char* name; } cases[] = {
        {"01=A\r\n02=B\r\n", 2, "B"},
        {"01=A\n02=B\n03=C", 3, "C"},             // bare LF, no end on the last line
        {"\xEF\xBB\xBF" "00=Home\r\n", 0, "Home"}, // a byte-order mark
        {"01=A\r\n\r\n02=QA", 2, "QA"},            // after an empty line, a short last value
        {"01=A\r\n\0" "02=B\r\n"s, 2, ""},         // the text ends at a NUL
        {"01=A\r\n02=", 2, ""}, {"02=first\r\n02=second\r\n", 2, "first"}, {"x02=B\r\n", 2, ""},
        {"01=A\rB\r\n", 1, "A"}, {"50=X\r\n49=Y\r\n", 49, "Y"}, {"0:=X\r\n10=Y\r\n", 10, "Y"},
    };
    for (const Case& c : cases) {
        LoadFile(c.text);
        EXPECT_STREQ(c.name, TaskTable[c.slot]) << c.text;
    }
}

// A file with `named` names (slot i named "Ti") and `extra` lines after them.
std::string NamesFile(int named, const std::string& extra = "")
{
    std::string text;
    for (int i = 0; i < named; ++i)
        text += (i < 10 ? "0" : "") + std::to_string(i) + "=T" + std::to_string(i) + "\r\n";
    return text + extra;
}

TEST(SettingsFile, LastRowIsOnePastTheLastNameWithinTheScreenHeight)
{
    struct Case { std::string text; int screen; int lastRow; int dpi = 96; } cases[] = {
        {"", 1080, 1},
        {NamesFile(4), 1080, 4},
        {NamesFile(2) + "10=X\r\n", 1080, 11},
        {NamesFile(50), 1080, 49},
        {NamesFile(50, "fsize=40\r\n"), 1080, 25},
        {NamesFile(25, "fsize=40\r\n"), 1080, 25},
        {NamesFile(24, "fsize=40\r\n"), 1080, 24},
        {NamesFile(3), 20, 0},
        {NamesFile(50), 1080, 28, 192}, // rows of 36 pixels at 200%
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        screenHeight = c.screen;
        windowDpi = c.dpi;
        PutFile("setting.ini", c.text);
        LoadSettings(nullptr);
        EXPECT_EQ(c.lastRow, lastRow) << c.text;
    }
}

// UTF-16 of an ASCII or Latin-1 text, with its byte-order mark.
std::string Utf16(const std::string& latin1, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : latin1)
        out += bigEndian ? "\0"s + c : std::string(1, c) + '\0';
    return out;
}

TEST(SettingsFile, AFileSavedInUnicodeIsTakenInTheSystemsCodePageAndKeptWhenACharacterHasNoForm)
{
    struct Case { int codePage; std::string text, name; bool kept; } cases[] = {
        {1252, "01=Caf\xC3\xA9 cr\xC3\xA8me\r\n", "Caf\xE9 cr\xE8me", false},
        {1252, "\xEF\xBB\xBF" "01=Stra\xC3\x9F" "e \xE2\x82\xAC\r\n", "Stra\xDF" "e \x80", false},
        {1252, Utf16("01=Se\xF1or\r\n", false), "Se\xF1or", false},
        {1252, Utf16("01=Se\xF1or\r\n", true), "Se\xF1or", false},
        {1252, "01=Caf\xE9\r\n", "Caf\xE9", false},                  // ANSI already
        {1252, "01=\xC4\x81 \xE6\x97\xA5\r\n", "? ?", true},          // no form in 1252
        {932, "01=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n", "\x93\xFA\x96\x7B\x8C\xEA", false},
        {932, "01=\x93\xFA\x96\x7B\r\n", "\x93\xFA\x96\x7B", false}, // Shift_JIS already
        {1252, "\xFF\xFE", "", false}, // a UTF-16 file with nothing but its mark
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        fake.codePage = c.codePage;
        PutFile("setting.ini", c.text);
        LoadSettings(nullptr);
        EXPECT_EQ(c.name, TaskTable[1]) << c.text;
        EXPECT_EQ(0, SaveSettings(nullptr));
        EXPECT_EQ(c.kept, HasFile("setting-kept-1.ini")) << c.text;
        EXPECT_EQ(c.kept ? "Warning" : "", TakeTitles());
        EXPECT_NE(std::string::npos, FileText("setting.ini").find("\r\n01=" + c.name + "\r\n"));
    }
}

TEST(SettingsFile, AFileHoldingWhatTheLoadDidNotTakeIsKeptAsideBeforeASave)
{
    std::string own = DefaultFile();
    std::string lf = own, utf16 = "\xFF\xFE";
    for (size_t i; (i = lf.find("\r\n")) != std::string::npos;)
        lf.erase(i, 1);
    for (char c : std::string("00=A\r\n"))
        utf16 += std::string(1, c) + '\0';
    struct Case { std::string text; bool kept; } cases[] = {
        {own, false}, {lf, false}, {"\xEF\xBB\xBF" + own, false}, {own + "\r\n  \r\n\t\r\n", false},
        {own + "\0\0"s, false}, {utf16, false}, // converted whole
        {"; my tasks\r\n" + own, true}, {" 01=A\r\n", true}, {"01=A\r\n01=B\r\n", true},
        {"colour=3\r\n", true}, {"01=A\r\n\0" "02=B\r\n"s, true}, {"01=A\rB\r\n", true}, {"1/=A\r\n", true},
        {"01=" + std::string(2047, 'x') + "\r\n", false}, {"01=" + std::string(2048, 'x') + "\r\n", true},
        {"fontface=" + std::string(127, 'F') + "\r\n", false},
        {"fontface=" + std::string(128, 'F') + "\r\n", true},
    };
    for (const Case& c : cases) {
        LoadFile(c.text);
        TakeTitles();
        EXPECT_EQ(0, SaveSettings(nullptr));
        EXPECT_EQ(c.kept, HasFile("setting-kept-1.ini")) << c.text;
        if (c.kept) {
            EXPECT_EQ(c.text, FileText("setting-kept-1.ini"));
            EXPECT_NE(std::string::npos, fake.messages.at(0).text.find(
                "setting.ini held lines that Vornet does not use, so it was kept as setting-kept-1.ini"));
        }
        EXPECT_EQ(c.kept ? "Warning" : "", TakeTitles());
        SaveSettings(nullptr); // once kept, never again
        EXPECT_FALSE(HasFile("setting-kept-2.ini"));
    }
    LoadFile("colour=3\r\n");
    PutFile("setting-kept-1.ini", "kept before");
    SaveSettings(nullptr);
    EXPECT_EQ("kept before", FileText("setting-kept-1.ini")); // a kept file is never replaced
    EXPECT_EQ("colour=3\r\n", FileText("setting-kept-2.ini"));
    for (int taken : {9998, 9999}) { // names up to kept-9999; then it stays, unwritten
        LoadFile("colour=3\r\n");
        for (int n = 1; n <= taken; ++n)
            PutFile("setting-kept-" + std::to_string(n) + ".ini", "");
        EXPECT_EQ(taken == 9998 ? 0 : -1, SaveSettings(nullptr));
        EXPECT_EQ(taken == 9998 ? "colour=3\r\n" : "", FileText("setting-kept-9999.ini"));
    }
}

// A load while another program holds the file open: it cannot be read this time.
void LoadWhileHeld()
{
    fake.files["setting.ini"].locked = true;
    LoadSettings(nullptr);
    fake.files["setting.ini"].locked = false;
}

TEST(SettingsFile, AFileThisRunDidNotReadOrThatChangedSinceIsKeptAside)
{
    struct Case { void (*happen)(); bool kept; } cases[] = {
        {[] { PutFile("setting.ini", "01=Theirs\r\n"); }, true},
        {[] { fake.files["setting.ini"].content += "01=More\r\n"; }, true}, // same time, new size
        {LoadWhileHeld, false}, // read before, so it is ours still
        {[] { PutFile("setting.ini", "01=Theirs\r\n"); LoadWhileHeld(); }, true},
    };
    for (const Case& c : cases) {
        LoadFile(NamesFile(3));
        c.happen();
        std::string before = FileText("setting.ini");
        TakeTitles();
        EXPECT_EQ(0, SaveSettings(nullptr));
        EXPECT_EQ(c.kept, HasFile("setting-kept-1.ini"));
        if (c.kept) {
            EXPECT_EQ(before, FileText("setting-kept-1.ini"));
            EXPECT_EQ("setting.ini was changed by another program, so it was kept as setting-kept-1.ini "
                      "before a new setting.ini was written.", fake.messages.at(0).text);
        }
    }
    // Kept, and then no room for a new file: the kept file is named all the same.
    LoadFile(NamesFile(3));
    PutFile("setting.ini", "01=Theirs\r\n");
    fake.diskFull = true;
    TakeTitles();
    EXPECT_EQ(-1, SaveSettings(nullptr));
    EXPECT_EQ("setting.ini file write error.\r\n\r\nThe setting.ini was changed by another program, "
              "so it was kept as setting-kept-1.ini. No new setting.ini could be written.",
              fake.messages.at(0).text);
    EXPECT_EQ("OPEN ERROR", TakeTitles());
    // Held by another program at start-up: never overwritten unread.
    ResetFakeSystem();
    PutFile("setting.ini", "01=Mine\r\n");
    LoadWhileHeld();
    EXPECT_EQ("OPEN ERROR", TakeTitles());
    EXPECT_EQ(0, SaveSettings(nullptr));
    EXPECT_EQ("01=Mine\r\n", FileText("setting-kept-1.ini"));
    EXPECT_NE(std::string::npos, fake.messages.at(0).text.find("setting.ini could not be read, so"));
}

TEST(SettingsFile, AFailedSaveChangesNothingAndSaysWhy)
{
    struct Case { void (*arrange)(); int result; const char* message; bool rewritten; } cases[] = {
        {[] { fake.files["setting.ini"].locked = true; }, -1, "setting.ini file open error.", false},
        {[] { fake.files["setting.ini"].readOnly = true; }, -1, "setting.ini file open error.", false},
        {[] { fake.files["setting.ini"].failWrites = true; }, -1, "setting.ini file write error.", false},
        {[] { fake.noNewFiles = true; }, 0, nullptr, true}, // rewritten in place
        {[] { fake.files.clear(); fake.noNewFiles = true; }, -1, "setting.ini file open error.", false},
    };
    for (const Case& c : cases) {
        LoadFile("01=Old\r\n");
        SaveSettings(nullptr);
        c.arrange();
        TaskTable[0][0] = '\0';
        SetTaskName(1, "New");
        TakeTitles();
        EXPECT_EQ(c.result, SaveSettings(nullptr));
        if (c.message != nullptr) {
            ASSERT_EQ(1u, fake.messages.size());
            EXPECT_EQ(c.message, fake.messages[0].text);
            EXPECT_EQ("OPEN ERROR", fake.messages[0].title);
            EXPECT_EQ(unsigned(MESSAGE_ERROR), fake.messages[0].kind);
        }
        EXPECT_EQ(c.rewritten ? "Break" : "", std::string(TaskTable[0])); // Break only once saved
        EXPECT_EQ(c.rewritten, FileText("setting.ini").find("01=New") != std::string::npos);
        EXPECT_FALSE(HasFile("setting-kept-1.ini"));
    }
}

TEST(SettingsFile, AnEditStaysInMemoryWhenItsSaveFailed)
{
    for (bool saves : {true, false}) {
        LoadFile(NamesFile(2));
        fake.files["setting.ini"].locked = !saves;
        SetTaskName(2, "Added");
        RecountAfterSave(nullptr, SaveSettings(nullptr));
        EXPECT_STREQ("Added", TaskTable[2]);
        EXPECT_EQ(3, lastRow);
        DeleteTaskRow(1);
        RecountAfterSave(nullptr, SaveSettings(nullptr));
        EXPECT_STREQ("Added", TaskTable[1]);
        EXPECT_EQ(2, lastRow);
    }
}

TEST(SettingsFile, TheFileNeverExceedsItsLimit)
{
    for (int codePage : {1252, 932}) {
        ResetFakeSystem();
        fake.codePage = codePage;
        std::string name;
        while (name.size() < 2046)
            name += codePage == 932 ? "\x82\xA0" : "xy";
        name += codePage == 932 ? "" : "z";
        for (int i = 0; i < 50; ++i)
            SetTaskName(i, name.c_str());
        ASSERT_EQ(0, SaveSettings(nullptr));
        size_t size = FileText("setting.ini").size();
        EXPECT_LE(size, 102650u);
        EXPECT_GE(size, 102650u - 100); // at most a character more per name
        for (int i = 0; i < 50; ++i) {
            size_t length = strlen(TaskTable[i]);
            EXPECT_GE(length, name.size() - 17);
            EXPECT_LT(length, name.size());
            EXPECT_EQ(0u, codePage == 932 ? length % 2 : 0); // never half a character
        }
        EXPECT_EQ("Some task names were too long to fit in setting.ini and were shortened.",
                  fake.messages.at(0).text);
    }
    std::string atLimit = NamesFile(1) + "01=" + std::string(102650 - 12, 'x') + "\r\n";
    ASSERT_EQ(102650u, atLimit.size());
    LoadFile(atLimit);
    EXPECT_STREQ("T0", TaskTable[0]);
    LoadFile(atLimit + "x");
    EXPECT_STREQ("", TaskTable[0]);
    EXPECT_EQ(atLimit + "x", FileText("setting-kept-1.ini"));
    EXPECT_FALSE(HasFile("setting.ini"));
    EXPECT_EQ("setting.ini file size too large.\r\n\r\nThe file was kept as setting-kept-1.ini; a new "
              "setting.ini will be written.", fake.messages.at(0).text);
    EXPECT_EQ("SIZE ERROR", fake.messages.at(0).title);
    ResetFakeSystem(); // a file that cannot be moved aside is never written over
    PutFile("setting.ini", atLimit + "x");
    fake.files["setting.ini"].readOnly = true;
    LoadSettings(nullptr);
    EXPECT_EQ("setting.ini file size too large.", fake.messages.at(0).text);
    EXPECT_EQ(-1, SaveSettings(nullptr));
    EXPECT_TRUE(atLimit + "x" == FileText("setting.ini"));
}

} // namespace
