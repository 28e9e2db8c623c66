// The Win32 file layer against real files, in a fresh folder per test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/system.h"

namespace {

class FileLayer : public ::testing::Test {
protected:
    char previous[MAX_PATH];
    std::string folder;

    void SetUp() override
    {
        GetCurrentDirectoryA(MAX_PATH, previous);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "vornet-files-" + std::to_string(GetCurrentProcessId()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder.c_str(), NULL);
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    }
    void TearDown() override
    {
        for (const char* name : {"a.ini", "a.ini.tmp", "b.ini", "c.ini", "log.csv"}) {
            SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(name);
        }
        RemoveDirectoryA("dir.ini");
        SetCurrentDirectoryA(previous);
        RemoveDirectoryA(folder.c_str());
    }
    static std::string Read(const char* name)
    {
        static char buffer[64];
        size_t length = 0;
        FileStamp stamp;
        ReadResult r = ReadWholeFile(name, buffer, sizeof buffer, &length, &stamp);
        return r == READ_OK ? std::string(buffer, length) : "<" + std::to_string(r) + ">";
    }
    static void Put(const char* name, const std::string& text)
    {
        FileStamp stamp;
        ASSERT_EQ(WRITE_OK, ReplaceWholeFile(name, text.data(), text.size(), &stamp));
    }
    // Held open without sharing, as another program may.
    static HANDLE Hold(const char* name)
    {
        return CreateFileA(name, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    }
};

TEST_F(FileLayer, ReadsWhatMayBeReadAndTellsTheRest)
{
    EXPECT_EQ("<1>", Read("a.ini")); // missing
    Put("a.ini", std::string(64, 'x'));
    EXPECT_EQ(std::string(64, 'x'), Read("a.ini"));
    Put("a.ini", std::string(65, 'x'));
    EXPECT_EQ("<3>", Read("a.ini")); // too large
    Put("a.ini", "text");
    HANDLE held = Hold("a.ini");
    EXPECT_EQ("<2>", Read("a.ini"));
    CloseHandle(held);
    SetFileAttributesA("a.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ("text", Read("a.ini")); // read-only is read all the same
    CreateDirectoryA("dir.ini", NULL);
    EXPECT_EQ("<2>", Read("dir.ini"));
    // The end of a file, alongside other readers.
    char end[4];
    size_t length = 0;
    int whole = 0;
    EXPECT_EQ(READ_MISSING, ReadFileEnd("b.ini", end, sizeof end, &length, &whole));
    Put("b.ini", "abcdef");
    held = CreateFileA("b.ini", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_EQ(READ_OK, ReadFileEnd("b.ini", end, sizeof end, &length, &whole));
    EXPECT_EQ("cdef", std::string(end, length) + (whole ? " whole" : ""));
    CloseHandle(held);
    held = Hold("b.ini");
    EXPECT_EQ(READ_UNOPENABLE, ReadFileEnd("b.ini", end, sizeof end, &length, &whole));
    CloseHandle(held);
    Put("b.ini", "ab");
    ASSERT_EQ(READ_OK, ReadFileEnd("b.ini", end, sizeof end, &length, &whole));
    EXPECT_EQ("ab whole", std::string(end, length) + (whole ? " whole" : ""));
}

TEST_F(FileLayer, AReplaceIsWholeOrNothingAndStampsTheVersion)
{
    FileStamp written, read;
    Put("a.ini", "old");
    ASSERT_EQ(WRITE_OK, ReplaceWholeFile("a.ini", "newer", 5, &written));
    EXPECT_EQ(5u, written.size);
    EXPECT_EQ(1, ReadFileStamp("a.ini", &read));
    EXPECT_EQ(written.written, read.written);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("a.ini.tmp"));
    HANDLE held = Hold("a.ini");
    EXPECT_EQ(WRITE_CANNOT_CREATE, ReplaceWholeFile("a.ini", "x", 1, &written));
    EXPECT_EQ(WRITE_CANNOT_CREATE, RewriteWholeFile("a.ini", "x", 1, &written));
    CloseHandle(held);
    SetFileAttributesA("a.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(WRITE_CANNOT_CREATE, ReplaceWholeFile("a.ini", "x", 1, &written));
    SetFileAttributesA("a.ini", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("newer", Read("a.ini"));
    ASSERT_EQ(WRITE_OK, RewriteWholeFile("a.ini", "in", 2, &written));
    EXPECT_EQ("in", Read("a.ini"));
    EXPECT_EQ(WRITE_CANNOT_CREATE, RewriteWholeFile("log.csv", "x", 1, &written)); // only existing
    Put("a.ini.tmp", "left by a killed save");
    Put("a.ini", "again");
    EXPECT_EQ("again", Read("a.ini"));
}

TEST_F(FileLayer, AppendsGoAfterTheLastByteOrNowhere)
{
    EXPECT_EQ(WRITE_OK, AppendToFile("log.csv", "a", 1));
    EXPECT_EQ(WRITE_OK, AppendToFile("log.csv", "bc", 2));
    HANDLE held = Hold("log.csv");
    EXPECT_EQ(WRITE_CANNOT_CREATE, AppendToFile("log.csv", "d", 1));
    CloseHandle(held);
    EXPECT_EQ("abc", Read("log.csv"));
}

TEST_F(FileLayer, MovesNeverReplaceAFileNorTakeReadOnlyFilesOrFolders)
{
    EXPECT_EQ(-1, MoveFileTo("a.ini", "b.ini"));
    Put("a.ini", "mine");
    Put("b.ini", "theirs");
    EXPECT_EQ(-1, MoveFileTo("a.ini", "b.ini"));
    ASSERT_EQ(0, MoveFileTo("a.ini", "c.ini"));
    EXPECT_EQ("mine", Read("c.ini"));
    EXPECT_EQ("theirs", Read("b.ini"));
    SetFileAttributesA("c.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(-1, MoveFileTo("c.ini", "d.ini"));
    CreateDirectoryA("dir.ini", NULL);
    EXPECT_EQ(-1, MoveFileTo("dir.ini", "e.ini"));
}

} // namespace
