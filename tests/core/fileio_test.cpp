// Writing a file through a temporary file renamed into place: what lands at the target on success, and that a
// failure leaves the target exactly as it was with no temporary file behind. And the heap made ready for a large
// file.

#include "AtomicFile.h"
#include "LargeFileHeap.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/gnlx-fileio-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    // Every entry of the folder: a leftover temporary file shows up here.
    std::size_t Entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    fs::path dir;
};

TEST_F(AtomicFile, NewAndReplacedFilesGetTheBytesAndKeepTheirMode)
{
    fs::path target = dir / "a.ies";
    EXPECT_EQ(fileio::WriteFileAtomically(target, std::string("one\0two", 7)), "");
    EXPECT_EQ(Slurp(target), std::string("one\0two", 7));

    ::chmod(target.c_str(), 0640);
    EXPECT_EQ(fileio::WriteFileAtomically(target, "second"), "");
    EXPECT_EQ(Slurp(target), "second");
    struct stat st { };
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A link stays a link; the file it points at gets the bytes.
    fs::create_symlink("a.ies", dir / "link.ies");
    EXPECT_EQ(fileio::WriteFileAtomically(dir / "link.ies", "through"), "");
    EXPECT_TRUE(fs::is_symlink(dir / "link.ies"));
    EXPECT_EQ(Slurp(target), "through");
    EXPECT_EQ(Entries(), 2u);
}

TEST_F(AtomicFile, AFailedWriteLeavesTheTargetUntouched)
{
    struct Case {
        const char* name;
        void (*prepare)(const fs::path& target);
        const char* reason;
    };
    const Case cases[] = {
        { "empty folder", [](const fs::path& t) { fs::create_directory(t); }, "Is a directory" },
        { "read-only file",
            [](const fs::path& t) {
                std::ofstream(t) << "keep me";
                ::chmod(t.c_str(), 0444);
            },
            "Permission denied" },
        { "missing folder", [](const fs::path&) {}, "No such file or directory" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path target = std::string(c.name) == "missing folder" ? dir / "nowhere" / "x.pgm" : dir / "x.pgm";
        c.prepare(target);
        std::size_t before = Entries();
        std::string before_bytes = fs::is_regular_file(target) ? Slurp(target) : "";
        EXPECT_EQ(fileio::WriteFileAtomically(target, "new bytes"), c.reason);
        EXPECT_EQ(Entries(), before);
        if (fs::is_regular_file(target)) {
            EXPECT_EQ(Slurp(target), before_bytes);
        }
        if (std::string(c.name) == "empty folder") {
            EXPECT_TRUE(fs::is_directory(target));
        }
        fs::remove_all(target);
    }
}

TEST_F(AtomicFile, AFolderThatRefusesNewFilesRefusesTheWrite)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may create files in any folder";
    std::ofstream(dir / "x.pgm") << "old";
    ::chmod(dir.c_str(), 0555);
    EXPECT_EQ(fileio::WriteFileAtomically(dir / "x.pgm", "new"), "Permission denied");
    EXPECT_EQ(Slurp(dir / "x.pgm"), "old");
}

TEST_F(AtomicFile, ALongNameStillGetsItsTemporaryFile)
{
    fs::path target = dir / (std::string(250, 'n') + ".ies");
    EXPECT_EQ(fileio::WriteFileAtomically(target, "long"), "");
    EXPECT_EQ(Slurp(target), "long");
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFile, PiecesLandInOrderAndAProducerThatThrowsLeavesTheTargetUntouched)
{
    const fs::path target = dir / "p.ies";
    EXPECT_EQ(fileio::WriteFileAtomically(target,
                  [](const fileio::PieceSink& write) {
                      for (const char* piece : { "one ", "", "two ", "three" })
                          EXPECT_TRUE(write(piece));
                  }),
        "");
    EXPECT_EQ(Slurp(target), "one two three");

    EXPECT_THROW(fileio::WriteFileAtomically(target,
                     [](const fileio::PieceSink& write) {
                         write("half a file");
                         throw std::runtime_error("out of memory");
                     }),
        std::runtime_error);
    EXPECT_EQ(Slurp(target), "one two three");
    EXPECT_EQ(Entries(), 1u);
}

TEST(LargeFileHeap, LargeBlocksComeFromTheHeapAdvisedForHugePages)
{
    if (!fileio::PrepareHeapForLargeFiles())
        GTEST_SKIP() << "not the GNU C library on Linux";
    // An 8 MB block, which the library would otherwise map on its own, lies in a mapping advised for huge pages.
    const std::vector<char> block(8 << 20, 'x');
    const auto address = reinterpret_cast<std::uintptr_t>(block.data()) + block.size() / 2;
    std::ifstream maps("/proc/self/smaps");
    bool inside = false, advised = false;
    for (std::string line; std::getline(maps, line);) {
        std::uintptr_t from = 0, to = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx ", &from, &to) == 2) // a mapping's first line
            inside = from <= address && address < to;
        if (inside && line.rfind("VmFlags:", 0) == 0)
            advised = line.find(" hg") != std::string::npos;
    }
    EXPECT_TRUE(advised);
}

TEST(LargeFileHeap, ATableSizedBlockFaultsInLargePages)
{
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    std::getline(mode, modes);
    if (!fileio::PrepareHeapForLargeFiles() || modes.find("[never]") != std::string::npos || modes.empty())
        GTEST_SKIP() << "no large pages here";
    // 10 MB touched 4 kB at a time would take 2,560 faults; in 2 MB pages a handful (the first heap block once took
    // 512 small ones, touched before the advice was given).
    rusage before {}, after {};
    ::getrusage(RUSAGE_SELF, &before);
    const std::vector<char> block(10 << 20, 'x');
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_minflt - before.ru_minflt, 100) << static_cast<const void*>(block.data());
}

} // namespace
