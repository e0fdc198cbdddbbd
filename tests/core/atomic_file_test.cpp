#include "foundation/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "test_support.h"

namespace lumora {
namespace {
namespace fs = std::filesystem;
using test::TempDir;

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> listing(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

TEST(AtomicFile, ReplacesTheContentAndLeavesNoTemporaryFile) {
    TempDir d;
    const fs::path target = d.path() / "sub" / "NOTES.DAT";
    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "first version", &error)) << error;
    EXPECT_EQ(readText(target), "first version");
    ASSERT_TRUE(writeFileAtomically(target, "new", &error)) << error;
    EXPECT_EQ(readText(target), "new");
    ASSERT_TRUE(writeFileAtomically(target, "", &error)) << error;
    EXPECT_EQ(fs::file_size(target), 0u);
    EXPECT_EQ(listing(target.parent_path()), (std::set<std::string>{"NOTES.DAT"}));
}

TEST(AtomicFile, FailuresKeepTheOldStateAndRemoveTheTemporaryFile) {
    TempDir d;
    test::writeFile(d.path() / "plain", std::string("keep me"));
    fs::create_directories(d.path() / "folder" / "inside");
    const struct {
        const char* name;
        fs::path target;
    } cases[] = {
        {"the target is a folder", d.path() / "folder"},
        {"the parent is a regular file", d.path() / "plain" / "x.dat"},
        {"the grandparent is a regular file", d.path() / "plain" / "a" / "x.dat"},
        {"no file name", fs::path()},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(writeFileAtomically(c.target, "data", &error)) << c.name;
        EXPECT_NE(error.find("cannot be written"), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(listing(d.path()), (std::set<std::string>{"folder", "plain"})) << c.name;
        EXPECT_EQ(listing(d.path() / "folder"), (std::set<std::string>{"inside"})) << c.name;
        EXPECT_EQ(readText(d.path() / "plain"), "keep me") << c.name;
    }
}

TEST(AtomicFile, AWriteCutShortKeepsTheOldFileWhole) {
    TempDir d;
    const fs::path target = d.path() / "big.dat";
    test::writeFile(target, std::string("old content"));
    // A file-size limit makes the data fail part way through, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = writeFileAtomically(target, std::string(100000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find("big.dat"), std::string::npos) << error;
    EXPECT_EQ(readText(target), "old content");
    EXPECT_EQ(listing(d.path()), (std::set<std::string>{"big.dat"}));
}

TEST(AtomicFile, AnOutsideWriterFillsTheTemporaryFileUntilCommit) {
    TempDir d;
    const fs::path target = d.path() / "clip.avi";
    test::writeFile(target, std::string("old"));
    {
        AtomicFile file(target, ".avi");
        ASSERT_TRUE(file.ok()) << file.error();
        EXPECT_EQ(file.tempPath().parent_path(), d.path());
        EXPECT_EQ(file.tempPath().extension(), ".avi");
        test::writeFile(file.tempPath(), std::string("abandoned"));
    } // never committed: the old file stays, the temporary goes
    EXPECT_EQ(readText(target), "old");
    EXPECT_EQ(listing(d.path()), (std::set<std::string>{"clip.avi"}));

    AtomicFile a(target), b(target);
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_NE(a.tempPath(), b.tempPath()); // two writers never share a temporary file
    test::writeFile(a.tempPath(), std::string("new"));
    ASSERT_TRUE(a.commit()) << a.error();
    EXPECT_FALSE(a.ok());
    EXPECT_EQ(readText(target), "new");
}

} // namespace
} // namespace lumora
