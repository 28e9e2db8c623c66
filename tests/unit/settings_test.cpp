#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "app/shell_state.h"
#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

namespace {

const char kDefaultFile[] =
    "00=Break\r\n01=\r\n02=\r\n03=\r\n04=\r\n05=\r\n06=\r\n07=\r\n08=\r\n09=\r\n"
    "10=\r\n11=\r\n12=\r\n13=\r\n14=\r\n15=\r\n16=\r\n17=\r\n18=\r\n19=\r\n"
    "20=\r\n21=\r\n22=\r\n23=\r\n24=\r\n25=\r\n26=\r\n27=\r\n28=\r\n29=\r\n"
    "30=\r\n31=\r\n32=\r\n33=\r\n34=\r\n35=\r\n36=\r\n37=\r\n38=\r\n39=\r\n"
    "40=\r\n41=\r\n42=\r\n43=\r\n44=\r\n45=\r\n46=\r\n47=\r\n48=\r\n49=\r\n"
    "current_task=0\r\nwinX=960\r\nwinY=0\r\nwintop=1\r\nfsize=18\r\nfontface=Arial\r\n"
    "ftype=400\r\ntoumeido=255\r\nbackR=0\r\nbackG=0\r\nbackB=0\r\nrectR=192\r\nrectG=192\r\n"
    "rectB=192\r\ntext1R=255\r\ntext1G=255\r\ntext1B=255\r\ntext2R=192\r\ntext2G=192\r\n"
    "text2B=192\r\n";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFakeSystem(); }

    // Loads `text` as setting.ini over the defaults.
    void Load(const std::string& text)
    {
        fake.files["setting.ini"].content = text;
        LoadSettings(nullptr);
    }
};

TEST_F(SettingsTest, FirstStartWritesTheDefaultFileByteForByte)
{
    EXPECT_EQ(0, LoadSettings(nullptr));
    EXPECT_EQ(kDefaultFile, FileText("setting.ini"));
    EXPECT_STREQ("Break", TaskTable[0]);
    EXPECT_EQ(1, lastRow);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SettingsTest, SavedFileLoadsBackToTheSameState)
{
    SetTaskName(1, "Coding");
    SetTaskName(7, "Meeting, client");
    current_task = 7;
    Settings.winX = 100;
    Settings.winY = 200;
    Settings.wintop = 0;
    Settings.fsize = 24;
    Settings.ftype = 700;
    Settings.toumeido = 128;
    Settings.text2B = 7;
    strcpy(Settings.fontface, "MS Gothic");
    ASSERT_EQ(0, SaveSettings(nullptr));
    std::string saved = FileText("setting.ini");

    SetDefaultSettings();
    LoadSettings(nullptr);
    EXPECT_STREQ("Coding", TaskTable[1]);
    EXPECT_STREQ("Meeting, client", TaskTable[7]);
    EXPECT_EQ(7, current_task);
    EXPECT_EQ(8, lastRow);
    EXPECT_EQ(100, Settings.winX);
    EXPECT_EQ(200, Settings.winY);
    EXPECT_EQ(0, Settings.wintop);
    EXPECT_EQ(24, Settings.fsize);
    EXPECT_EQ(700, Settings.ftype);
    EXPECT_EQ(128, Settings.toumeido);
    EXPECT_EQ(7, Settings.text2B);
    EXPECT_STREQ("MS Gothic", Settings.fontface);
    ASSERT_EQ(0, SaveSettings(nullptr));
    EXPECT_EQ(saved, FileText("setting.ini"));
}

struct ClampCase {
    const char* line;
    int SettingsRecord::*field;
    int expected;
};

class SettingsClampTest : public SettingsTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(SettingsClampTest, LoadedValueIsCleaned)
{
    Load(std::string(GetParam().line) + "\r\nend=1\r\n");
    EXPECT_EQ(GetParam().expected, Settings.*(GetParam().field));
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, SettingsClampTest,
    ::testing::Values(
        ClampCase{"fsize=3", &SettingsRecord::fsize, 6}, ClampCase{"fsize=5", &SettingsRecord::fsize, 6},
        ClampCase{"fsize=6", &SettingsRecord::fsize, 6}, ClampCase{"fsize=256", &SettingsRecord::fsize, 256},
        ClampCase{"fsize=257", &SettingsRecord::fsize, 256},
        ClampCase{"fsize=300", &SettingsRecord::fsize, 256},
        ClampCase{"fsize=20abc", &SettingsRecord::fsize, 20},
        ClampCase{"fsize=abc", &SettingsRecord::fsize, 6},
        ClampCase{"fsize=  +30", &SettingsRecord::fsize, 30},
        ClampCase{"toumeido=0", &SettingsRecord::toumeido, 1},
        ClampCase{"toumeido=-5", &SettingsRecord::toumeido, 1},
        ClampCase{"toumeido=1", &SettingsRecord::toumeido, 1},
        ClampCase{"toumeido=255", &SettingsRecord::toumeido, 255},
        ClampCase{"toumeido=256", &SettingsRecord::toumeido, 255},
        ClampCase{"winX=-1", &SettingsRecord::winX, 0}, ClampCase{"winX=1920", &SettingsRecord::winX, 1920},
        ClampCase{"winX=1921", &SettingsRecord::winX, 0},
        ClampCase{"winY=1080", &SettingsRecord::winY, 1080},
        ClampCase{"winY=1081", &SettingsRecord::winY, 0}, ClampCase{"winY=-1", &SettingsRecord::winY, 0},
        ClampCase{"backG=300", &SettingsRecord::backG, 0}, ClampCase{"backG=255", &SettingsRecord::backG, 255},
        ClampCase{"rectB=-1", &SettingsRecord::rectB, 0}, ClampCase{"text1R=0", &SettingsRecord::text1R, 0},
        ClampCase{"wintop=-7", &SettingsRecord::wintop, -7},
        ClampCase{"ftype=99999999999", &SettingsRecord::ftype, 2147483647},
        ClampCase{"ftype=-99999999999", &SettingsRecord::ftype, -2147483647 - 1},
        ClampCase{"WinX=100", &SettingsRecord::winX, 100},
        ClampCase{"WINX=100", &SettingsRecord::winX, 100},
        ClampCase{" winX=100", &SettingsRecord::winX, 960}));

TEST_F(SettingsTest, OneBadColourLeavesTheOthers)
{
    Load("backR=10\r\nbackG=300\r\nbackB=20\r\n");
    EXPECT_EQ(10, Settings.backR);
    EXPECT_EQ(0, Settings.backG);
    EXPECT_EQ(20, Settings.backB);
}

TEST_F(SettingsTest, KeysAreFoundOnlyAtLineStartsAfterCrLf)
{
    struct Case {
        const char* text;
        int winX;
    } cases[] = {
        {"a=1\r\n\r\nwinX=100\r\n", 100},     // an empty line hides nothing
        {"x=1\r\n\r\n\r\nwinX=101\r\n", 101}, //
        {"x=1 winX=5\r\nwinX=102\r\n", 102},  // not at a line start
        {"winX=103\nwinY=7\n", 103},          // LF alone: only the first key
        {"x=1\nwinX=104\r\n", 960},
        {"winX=105\r\nwinX=999\r\n", 105},    // the first line counts
        {"winX=106", 106},                    // no final line end, three characters follow
        {"winX=10", 960},                     // fewer than three characters follow
        {"winX=\r\n", 960},                   // a key and its line end alone
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        Load(c.text);
        EXPECT_EQ(c.winX, Settings.winX) << c.text;
    }
    ResetFakeSystem();
    Load("winX=103\nwinY=7\n");
    EXPECT_EQ(0, Settings.winY);
}

TEST_F(SettingsTest, FindKeyReportsThePositionAfterTheKey)
{
    struct Case {
        const char* key;
        const char* text;
        int result;
        int position;
    } cases[] = {
        {"winX=", "winX=100\r\n", 0, 5},
        {"winx=", "WINX=100\r\n", 0, 5},
        {"winY=", "winX=100\r\nwinY=200\r\n", 0, 15},
        {"winY=", "winX=100\r\nwinY=2", -1, 0},
        {"fsize=", "", -1, 0},
        {"00=", "00=Break\r\n", 0, 3},
        {"01=", "00=a\r\r\n01=bcd", 0, 10},
    };
    for (const Case& c : cases) {
        int position = 0;
        EXPECT_EQ(c.result, FindKey(c.key, &position, c.text)) << c.key << " in " << c.text;
        if (c.result == 0) {
            EXPECT_EQ(c.position, position) << c.key;
        }
    }
}

TEST_F(SettingsTest, NulByteEndsTheText)
{
    Load(std::string("winX=100\r\n\0winY=200\r\n", 21));
    EXPECT_EQ(100, Settings.winX);
    EXPECT_EQ(0, Settings.winY);
}

TEST_F(SettingsTest, MissingKeysKeepTheirValues)
{
    SetTaskName(3, "Keep me");
    Settings.fsize = 30;
    strcpy(Settings.fontface, "Courier");
    Load("01=One\r\nwinY=5\r\n");
    EXPECT_STREQ("Keep me", TaskTable[3]);
    EXPECT_STREQ("One", TaskTable[1]);
    EXPECT_EQ(30, Settings.fsize);
    EXPECT_STREQ("Courier", Settings.fontface);
    EXPECT_EQ(5, Settings.winY);
}

TEST_F(SettingsTest, EmptyFileKeepsEveryValue)
{
    Load("");
    EXPECT_EQ(960, Settings.winX);
    EXPECT_EQ(1, lastRow);
    EXPECT_STREQ("", TaskTable[0]);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SettingsTest, LongNamesAreCutTo2047AndLongFacesIgnored)
{
    std::string name2047(2047, 'n'), name2100(2100, 'm');
    Load("01=" + name2047 + "\r\n02=" + name2100 + "\r\nfontface=" + std::string(128, 'f') +
         "\r\n");
    EXPECT_EQ(name2047, TaskTable[1]);
    EXPECT_EQ(std::string(2047, 'm'), TaskTable[2]);
    EXPECT_STREQ("Arial", Settings.fontface);
    Load("fontface=" + std::string(127, 'g') + "\r\n");
    EXPECT_EQ(std::string(127, 'g'), Settings.fontface);
}

TEST_F(SettingsTest, LastRowFollowsTheHighestNamedSlot)
{
    struct Case {
        const char* text;
        int fsize;
        int lastRow;
    } cases[] = {
        {"00=a\r\n01=b\r\n02=c\r\n03=d\r\n", 18, 4},
        {"00=a\r\n07=b\r\n", 18, 8},
        {"00=a\r\n49=z\r\n", 18, 49},
        {"00=a\r\n30=b\r\nfsize=40\r\n", 40, 25},  // 26 rows of 40 plus 12 fit in 1080
        {"00=a\r\n24=b\r\nfsize=40\r\n", 40, 25},
        {"00=a\r\n23=b\r\nfsize=40\r\n", 40, 24},
        {"00=a\r\n49=b\r\nfsize=256\r\n", 256, 3},
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        Load(c.text);
        EXPECT_EQ(c.fsize, Settings.fsize) << c.text;
        EXPECT_EQ(c.lastRow, lastRow) << c.text;
    }
}

TEST_F(SettingsTest, LastRowNeverGoesBelowZeroOnATinyScreen)
{
    screenHeight = 20;
    Load("00=a\r\n05=b\r\nfsize=256\r\n");
    EXPECT_EQ(0, lastRow);
}

TEST_F(SettingsTest, FullTableGivesLastRow49)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += (i < 10 ? "0" : "") + std::to_string(i) + "=Task " + std::to_string(i) + "\r\n";
    Load(text);
    EXPECT_EQ(49, lastRow);
    EXPECT_STREQ("Task 49", TaskTable[49]);
}

TEST_F(SettingsTest, SizeLimitIs102650Bytes)
{
    std::string fits = "winX=100\r\n" + std::string(102650 - 10, 'x');
    Load(fits);
    EXPECT_EQ(100, Settings.winX);
    EXPECT_TRUE(fake.messages.empty());

    ResetFakeSystem();
    std::string tooLarge = "winX=100\r\n" + std::string(102651 - 10, 'x');
    fake.files["setting.ini"].content = tooLarge;
    EXPECT_EQ(-1, LoadSettings(nullptr));
    EXPECT_EQ(960, Settings.winX);
    ASSERT_EQ(1u, fake.messages.size());
    EXPECT_EQ("SIZE ERROR", fake.messages[0].title);
    EXPECT_EQ(0u, fake.messages[0].text.find("setting.ini file size too large."));
}

TEST_F(SettingsTest, TooLargeFileIsKeptAsideAndSurvivesLaterSaves)
{
    std::string tooLarge = "01=Precious\r\n" + std::string(102651, 'x');
    fake.files["setting.ini"].content = tooLarge;
    LoadSettings(nullptr);
    EXPECT_NE(std::string::npos, fake.messages[0].text.find("setting-kept-1.ini"));
    SaveSettings(nullptr);
    EXPECT_EQ(tooLarge, FileText("setting-kept-1.ini"));
    EXPECT_EQ(0u, FileText("setting.ini").find("00=Break\r\n"));
}

TEST_F(SettingsTest, TooLargeFileThatCannotBeMovedIsNeverOverwritten)
{
    std::string tooLarge(102651, 'x');
    fake.files["setting.ini"].content = tooLarge;
    fake.files["setting.ini"].readOnly = true;  // read-only files are not moved
    LoadSettings(nullptr);
    fake.files["setting.ini"].readOnly = false; // the user clears it while we run
    SaveSettings(nullptr);
    EXPECT_EQ(tooLarge, FileText("setting-kept-1.ini"));
}

TEST_F(SettingsTest, LockedFileAtStartIsKeptAsideAtTheNextSave)
{
    fake.files["setting.ini"].content = "01=Precious\r\n";
    fake.files["setting.ini"].locked = true;
    LoadSettings(nullptr);
    ASSERT_EQ(1u, fake.messages.size());
    EXPECT_EQ("setting.ini file open error.", fake.messages[0].text);
    EXPECT_EQ("OPEN ERROR", fake.messages[0].title);
    EXPECT_EQ(MESSAGE_ERROR, fake.messages[0].kind);
    EXPECT_STREQ("", TaskTable[0]); // not written, so slot 0 stays as it was

    fake.files["setting.ini"].locked = false;
    EXPECT_EQ(0, SaveSettings(nullptr));
    EXPECT_EQ("01=Precious\r\n", FileText("setting-kept-1.ini"));
    EXPECT_EQ("Warning", fake.messages.back().title);
    EXPECT_NE(std::string::npos, fake.messages.back().text.find("setting-kept-1.ini"));
}

TEST_F(SettingsTest, ReadOnlyFileIsNeitherReadNorReplaced)
{
    fake.files["setting.ini"].content = "01=Mine\r\nwinX=5\r\n";
    fake.files["setting.ini"].readOnly = true;
    LoadSettings(nullptr);
    EXPECT_EQ(960, Settings.winX);
    EXPECT_EQ("setting.ini file open error.", fake.messages.at(0).text);
    SaveSettings(nullptr);
    EXPECT_EQ("01=Mine\r\nwinX=5\r\n", FileText("setting.ini"));
}

TEST_F(SettingsTest, AFileReadThisRunMayBeReplacedWhenLaterLocked)
{
    LoadSettings(nullptr);                       // writes the defaults
    fake.files["setting.ini"].locked = true;     // another program holds it for a moment
    LoadSettings(nullptr);
    fake.files["setting.ini"].locked = false;
    SetTaskName(1, "New");
    EXPECT_EQ(0, SaveSettings(nullptr));
    EXPECT_FALSE(HasFile("setting-kept-1.ini"));
    EXPECT_NE(std::string::npos, FileText("setting.ini").find("01=New\r\n"));
}

TEST_F(SettingsTest, FailedWriteKeepsTheOldFileAndSaysSo)
{
    LoadSettings(nullptr);
    std::string before = FileText("setting.ini");
    fake.files["setting.ini"].failWrites = true;
    SetTaskName(1, "Lost?");
    EXPECT_EQ(-1, SaveSettings(nullptr));
    EXPECT_EQ(before, FileText("setting.ini"));
    EXPECT_EQ("setting.ini file write error.", fake.messages.back().text);
    EXPECT_EQ("OPEN ERROR", fake.messages.back().title);
}

TEST_F(SettingsTest, SaveWithEmptySlot0WritesBreakAndKeepsIt)
{
    LoadSettings(nullptr);
    TaskTable[0][0] = '\0';
    SaveSettings(nullptr);
    EXPECT_STREQ("Break", TaskTable[0]);
    EXPECT_EQ(0u, FileText("setting.ini").find("00=Break\r\n"));
}

TEST_F(SettingsTest, SaveNeverWritesMoreThanTheLoaderAccepts)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += (i < 10 ? "0" : "") + std::to_string(i) + "=" + std::string(2047, char('a' + i % 26)) + "\r\n";
    ASSERT_LE(text.size(), 102650u);
    Load(text);
    ASSERT_EQ(std::string(2047, 'a'), TaskTable[0]);
    EXPECT_EQ(0, SaveSettings(nullptr));
    std::string saved = FileText("setting.ini");
    EXPECT_LE(saved.size(), 102650u);
    EXPECT_GE(saved.size(), 102600u);
    EXPECT_EQ("Warning", fake.messages.back().title);
    // Every name keeps all but a few of its bytes, and the file loads back whole.
    for (int i = 0; i < 50; ++i)
        EXPECT_GE(strlen(TaskTable[i]), 2030u);
    std::string before[50];
    for (int i = 0; i < 50; ++i)
        before[i] = TaskTable[i];
    SetDefaultSettings();
    EXPECT_EQ(0, LoadSettings(nullptr));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(before[i], TaskTable[i]);
    EXPECT_EQ(49, lastRow);
}

TEST_F(SettingsTest, FolderThatCannotBeWrittenKeepsEverythingInMemory)
{
    fake.failCreates = true;
    LoadSettings(nullptr);
    EXPECT_EQ("setting.ini file open error.", fake.messages.at(0).text);
    EXPECT_STREQ("", TaskTable[0]);
    EXPECT_EQ(960, Settings.winX);
}

} // namespace
