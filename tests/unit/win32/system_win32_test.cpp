// The Win32 file layer against real files, in a fresh folder per test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/shell_state.h"
#include "app/system.h"

namespace {

class FileLayerTest : public ::testing::Test {
protected:
    char previous[MAX_PATH];
    std::string folder;

    void SetUp() override
    {
        GetCurrentDirectoryA(MAX_PATH, previous);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "vornet-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder.c_str(), NULL);
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("*", &found);
        while (search != INVALID_HANDLE_VALUE) {
            std::string name = found.cFileName;
            if (name != "." && name != "..") {
                SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileA(name.c_str()))
                    RemoveDirectoryA(name.c_str());
            }
            if (!FindNextFileA(search, &found)) {
                FindClose(search);
                break;
            }
        }
        SetCurrentDirectoryA(previous);
        RemoveDirectoryA(folder.c_str());
    }

    static void Write(const char* name, const std::string& text)
    {
        HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, f);
        DWORD written = 0;
        WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
        CloseHandle(f);
    }
    static std::string Read(const char* name)
    {
        HANDLE f = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        if (f == INVALID_HANDLE_VALUE)
            return "<missing>";
        std::string text(200000, '\0');
        DWORD got = 0;
        ReadFile(f, &text[0], static_cast<DWORD>(text.size()), &got, NULL);
        CloseHandle(f);
        text.resize(got);
        return text;
    }
    // Holds `name` open without sharing, as another program may.
    static HANDLE Hold(const char* name)
    {
        return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    }
    static bool Exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }
};

TEST_F(FileLayerTest, ReadGivesEachKindOfFileItsResult)
{
    size_t length = 0;
    EXPECT_EQ(READ_MISSING, ReadWholeFile("setting.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));

    Write("setting.ini", std::string(102650, 'a'));
    EXPECT_EQ(READ_OK, ReadWholeFile("setting.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));
    EXPECT_EQ(102650u, length);

    Write("setting.ini", std::string(102651, 'a'));
    EXPECT_EQ(READ_TOO_LARGE, ReadWholeFile("setting.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));

    Write("setting.ini", "");
    EXPECT_EQ(READ_OK, ReadWholeFile("setting.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));
    EXPECT_EQ(0u, length);

    HANDLE held = Hold("setting.ini");
    EXPECT_EQ(READ_UNOPENABLE, ReadWholeFile("setting.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));
    CloseHandle(held);

    SetFileAttributesA("setting.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(READ_UNOPENABLE, ReadWholeFile("setting.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));

    CreateDirectoryA("folder.ini", NULL);
    EXPECT_EQ(READ_UNOPENABLE, ReadWholeFile("folder.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));
}

TEST_F(FileLayerTest, ReplaceWritesWholeTextsAndLeavesNoTemporaryFile)
{
    EXPECT_EQ(WRITE_OK, ReplaceWholeFile("setting.ini", "first", 5));
    EXPECT_EQ("first", Read("setting.ini"));
    EXPECT_EQ(WRITE_OK, ReplaceWholeFile("setting.ini", "second\r\n", 8));
    EXPECT_EQ("second\r\n", Read("setting.ini"));
    EXPECT_FALSE(Exists("setting.ini.tmp"));
}

TEST_F(FileLayerTest, ReplaceRefusedKeepsTheOldText)
{
    Write("setting.ini", "old");
    HANDLE held = Hold("setting.ini");
    EXPECT_EQ(WRITE_CANNOT_CREATE, ReplaceWholeFile("setting.ini", "new", 3));
    CloseHandle(held);
    EXPECT_EQ("old", Read("setting.ini"));

    SetFileAttributesA("setting.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(WRITE_CANNOT_CREATE, ReplaceWholeFile("setting.ini", "new", 3));
    EXPECT_EQ("old", Read("setting.ini"));
    EXPECT_FALSE(Exists("setting.ini.tmp"));

    CreateDirectoryA("folder.ini", NULL);
    EXPECT_EQ(WRITE_CANNOT_CREATE, ReplaceWholeFile("folder.ini", "new", 3));
}

TEST_F(FileLayerTest, ALeftoverTemporaryFileFromAnInterruptedSaveChangesNothing)
{
    Write("setting.ini", "whole old text");
    Write("setting.ini.tmp", "half a ne");
    size_t length = 0;
    ASSERT_EQ(READ_OK, ReadWholeFile("setting.ini", fileBuffer, SETTINGS_TEXT_LIMIT, &length));
    EXPECT_EQ("whole old text", std::string(fileBuffer, length));
    EXPECT_EQ(WRITE_OK, ReplaceWholeFile("setting.ini", "new", 3));
    EXPECT_EQ("new", Read("setting.ini"));
}

TEST_F(FileLayerTest, AppendAddsAfterTheLastByte)
{
    EXPECT_EQ(WRITE_OK, AppendToFile("timelog.csv", "a\r\n", 3));
    Write("timelog.csv", "no line end");
    EXPECT_EQ(WRITE_OK, AppendToFile("timelog.csv", "b\r\n", 3));
    EXPECT_EQ("no line endb\r\n", Read("timelog.csv"));
}

TEST_F(FileLayerTest, AppendRefusedChangesNothing)
{
    Write("timelog.csv", "kept\r\n");
    HANDLE held = Hold("timelog.csv");
    EXPECT_EQ(WRITE_CANNOT_CREATE, AppendToFile("timelog.csv", "x\r\n", 3));
    CloseHandle(held);
    SetFileAttributesA("timelog.csv", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(WRITE_CANNOT_CREATE, AppendToFile("timelog.csv", "x\r\n", 3));
    EXPECT_EQ("kept\r\n", Read("timelog.csv"));
    CreateDirectoryA("log.csv", NULL);
    EXPECT_EQ(WRITE_CANNOT_CREATE, AppendToFile("log.csv", "x\r\n", 3));
}

TEST_F(FileLayerTest, KeepAsideTakesTheFirstFreeName)
{
    char kept[MAX_PATH];
    EXPECT_EQ(1, KeepFileAside("setting.ini", kept, sizeof kept));
    Write("setting.ini", "one");
    ASSERT_EQ(0, KeepFileAside("setting.ini", kept, sizeof kept));
    EXPECT_STREQ("setting-kept-1.ini", kept);
    Write("setting.ini", "two");
    ASSERT_EQ(0, KeepFileAside("setting.ini", kept, sizeof kept));
    EXPECT_STREQ("setting-kept-2.ini", kept);
    EXPECT_EQ("one", Read("setting-kept-1.ini"));
    EXPECT_EQ("two", Read("setting-kept-2.ini"));
    EXPECT_FALSE(Exists("setting.ini"));
}

TEST_F(FileLayerTest, KeepAsideLeavesReadOnlyFilesAndFoldersAlone)
{
    char kept[MAX_PATH];
    Write("setting.ini", "frozen");
    SetFileAttributesA("setting.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(-1, KeepFileAside("setting.ini", kept, sizeof kept));
    EXPECT_EQ("frozen", Read("setting.ini"));
    CreateDirectoryA("folder.ini", NULL);
    EXPECT_EQ(-1, KeepFileAside("folder.ini", kept, sizeof kept));
}

} // namespace
