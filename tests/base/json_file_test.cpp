#include "base/json_file.h"
#include "tests/support/temp_dir.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace morva {
namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class JsonFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(JsonFileTest, RoundTripKeepsValuesAndWritesStyledText) {
    Json::Value doc;
    doc["profilename"] = "Profile1";
    doc["Device"][0]["LightInfo"]["Speed"] = 3;
    doc["Device"][0]["Name"] = "键盘";
    doc["B"] = true;
    const auto path = dir.path() / "p.Json";

    ASSERT_TRUE(writejsonFile(path, doc));

    EXPECT_EQ(readjsonFile(path), doc);
    const std::string text = fileText(path);
    EXPECT_EQ(text.substr(0, 14), "{\n   \"B\" : tru");
    EXPECT_EQ(text.substr(text.size() - 3), "}\n\n")
        << "styled text ends in a line feed, then one more";
}

TEST_F(JsonFileTest, CommentsAreAllowed) {
    const auto path = dir.path() / "c.json";
    writeText(path, "// leading comment\n{ \"a\" : 1, /* inline */ \"b\" : [2, 3] }\n");
    const Json::Value v = readjsonFile(path);
    EXPECT_EQ(v["a"].asInt(), 1);
    EXPECT_EQ(v["b"][1].asInt(), 3);
}

TEST_F(JsonFileTest, BadInputReadsAsNull) {
    struct Case {
        const char* name;
        const char* content; // nullptr: no file at all
    };
    const Case cases[] = {
        {"missing", nullptr},       {"empty", ""},
        {"not json", "profile=1"},  {"truncated", "{\"a\" : [1, 2"},
        {"binary", "\x01\x02\xff"},
    };
    for (const Case& c : cases) {
        const auto path = dir.path() / c.name;
        if (c.content) {
            writeText(path, c.content);
        }
        EXPECT_TRUE(readjsonFile(path).isNull()) << c.name;
    }
}

TEST_F(JsonFileTest, DamagedFilesReportWhatIsWrongWithoutThrowing) {
    struct Case {
        const char* name;
        std::string content;
        JsonReadStatus expected;
    };
    // Deeper than the reader's nesting limit: its error must not escape as an exception.
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    const std::string deepObject = [] {
        std::string text;
        for (int i = 0; i < 3000; ++i) {
            text += "{\"a\":";
        }
        return text + "1" + std::string(3000, '}');
    }();
    const Case cases[] = {
        {"deep array", deep, JsonReadStatus::NotJson},
        {"deep object", deepObject, JsonReadStatus::NotJson},
        {"empty", "", JsonReadStatus::NotJson},
        {"truncated", "{\"a\" : [1, 2", JsonReadStatus::NotJson},
        {"fine", "{\"a\" : 1}", JsonReadStatus::Ok},
    };
    for (const Case& c : cases) {
        const auto path = dir.path() / c.name;
        writeText(path, c.content);
        const JsonReadResult read = readJsonDocument(path);
        EXPECT_EQ(read.status, c.expected) << c.name;
        EXPECT_EQ(read.value.isNull(), c.expected != JsonReadStatus::Ok) << c.name;
    }
    EXPECT_EQ(readJsonDocument(dir.path() / "absent").status, JsonReadStatus::Missing);
}

TEST_F(JsonFileTest, SpecialFilesAreRefusedWithoutBlocking) {
    // A FIFO would block a plain open until a writer came.
    const auto fifo = dir.path() / "ProfileList.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(readJsonDocument(fifo).status, JsonReadStatus::Unreadable);
    EXPECT_EQ(readJsonDocument(dir.path()).status, JsonReadStatus::Unreadable);
    const auto device = dir.path() / "zero.json";
    std::filesystem::create_symlink("/dev/zero", device);
    EXPECT_EQ(readJsonDocument(device).status, JsonReadStatus::Unreadable);
}

TEST_F(JsonFileTest, WriteIntoMissingFolderFailsAndSaysSo) {
    EXPECT_FALSE(writejsonFile(dir.path() / "no" / "such" / "folder.json", Json::Value(1)));
}

TEST_F(JsonFileTest, InterruptedWriteLeavesTheOldFileWhole) {
    const auto path = dir.path() / "profile.Json";
    Json::Value original;
    original["profilename"] = "keep me";
    ASSERT_TRUE(writejsonFile(path, original));
    const std::string before = fileText(path);

    Json::Value big;
    for (int i = 0; i < 5000; ++i) {
        big["list"][i] = "a fairly long text that makes the file larger than the limit";
    }

    // A file-size limit makes the kernel refuse the write part-way, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = writejsonFile(path, big);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileText(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator{}),
              1)
        << "no temporary file is left behind";
}

} // namespace
} // namespace morva
