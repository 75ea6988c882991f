// The probe, backup/discard/restore, existence and removal on real files, and
// the permission cases run as an unprivileged user.
#include "PlistCheck.h"
#include "ProfileStorePathBackend.h"
#include "test_profile_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace
{

std::string RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(rng() & 0xFF);
    return bytes;
}

unsigned Mode(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0xFFFFFFFFu;
}

std::vector<std::string> FolderEntries(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(ProfileStoreTest, ProbeLeavesNoFileAndChangesNothing)
{
    EXPECT_EQ(WQPListIsAdminProfile(), 1);
    EXPECT_FALSE(FileExists(current()));
    EXPECT_TRUE(FolderEntries(root.preferences()).empty());

    ASSERT_TRUE(WriteFile(current(), "contents"));
    EXPECT_EQ(WQPListIsAdminProfile(), 1);
    EXPECT_EQ(ReadFile(current()), "contents");

    // The mask stays 002 for the rest of the process.
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(mask, 002u);
}

TEST_F(ProfileStoreTest, SwapTypes)
{
    const std::string big = RandomBytes(200000, 7);
    struct Case {
        const char *what;
        int32_t type;
        bool currentThere, previousThere;
        // expected afterwards; nullptr: absent
        const char *currentAfter, *previousAfter;
    };
    // "C" and "P" stand for the two files' original contents.
    const Case cases[] = {
        {"backup", 2, true, true, "C", "C"},
        {"backup over nothing", 2, true, false, "C", "C"},
        {"backup without a current file", 2, false, true, nullptr, ""},
        {"discard", 1, true, true, "C", nullptr},
        {"restore", 0, true, true, "P", nullptr},
        {"restore without a previous file", 0, true, false, "C", nullptr},
        {"unknown type", 5, true, true, "C", "P"},
        {"negative type", -1, true, true, "C", "P"},
    };
    const std::string previousText(300000, 'p'); // longer than the copy, so no tail may survive
    for (const Case &c : cases) {
        ::unlink(current().c_str());
        ::unlink(previous().c_str());
        if (c.currentThere) {
            ASSERT_TRUE(WriteFile(current(), big));
        }
        if (c.previousThere) {
            ASSERT_TRUE(WriteFile(previous(), previousText));
        }
        WQPListSwapProfile(c.type);
        const auto expect = [&](const std::string &path, const char *what, const char *which) {
            if (what == nullptr) {
                EXPECT_FALSE(FileExists(path)) << c.what << ": " << which;
                return;
            }
            ASSERT_TRUE(FileExists(path)) << c.what << ": " << which;
            const std::string want = std::string(what) == "C"   ? big
                                     : std::string(what) == "P" ? previousText
                                                                : what;
            EXPECT_TRUE(ReadFile(path) == want) << c.what << ": " << which << " has " << ReadFile(path).size()
                                                << " bytes, expected " << want.size();
        };
        expect(current(), c.currentAfter, "current");
        expect(previous(), c.previousAfter, "previous");
    }
    // A backup is created group-writable under the probe's mask.
    WriteFile(current(), big);
    ::unlink(previous().c_str());
    WQPListSwapProfile(2);
    EXPECT_EQ(Mode(previous()), 0664u);
}

TEST_F(ProfileStoreTest, ExistAndRemove)
{
    EXPECT_EQ(WQPListExistProfile(), 0);
    ASSERT_TRUE(WriteFile(current(), "c"));
    EXPECT_EQ(WQPListExistProfile(), 1);

    struct Case {
        int32_t selector;
        bool currentThere, previousThere;
        int result;
        bool currentAfter, previousAfter;
    };
    const Case cases[] = {
        {3, true, true, 1, false, true}, {2, true, true, 1, true, false},  {1, true, true, 0, true, true},
        {0, true, true, 0, true, true},  {3, false, true, 0, false, true}, {2, true, false, 0, true, false},
    };
    for (const Case &c : cases) {
        ::unlink(current().c_str());
        ::unlink(previous().c_str());
        if (c.currentThere)
            WriteFile(current(), "c");
        if (c.previousThere)
            WriteFile(previous(), "p");
        EXPECT_EQ(WQPListRemove(c.selector), c.result) << c.selector;
        EXPECT_EQ(FileExists(current()), c.currentAfter) << c.selector;
        EXPECT_EQ(FileExists(previous()), c.previousAfter) << c.selector;
    }
    // An empty folder in the previous file's place goes too.
    ASSERT_EQ(::mkdir(previous().c_str(), 0755), 0);
    EXPECT_EQ(WQPListRemove(2), 1);
    EXPECT_FALSE(FileExists(previous()));
}

TEST_F(ProfileStoreTest, PathPrimitives)
{
    // Absent paths make the steps that need them do nothing.
    EXPECT_EQ(ProfileFileProbe(nullptr), 0);
    EXPECT_EQ(ProfileFileExist(nullptr), 0);
    EXPECT_EQ(ProfileFileRemove(""), 0);
    WriteFile(previous(), "p");
    ProfileFileSwap(0, nullptr, previous().c_str());
    EXPECT_EQ(ReadFile(previous()), "p");
    ProfileFileSwap(2, nullptr, previous().c_str());
    EXPECT_EQ(ReadFile(previous()), "") << "target opened before the source is checked";
    ProfileFileSwap(1, current().c_str(), nullptr);

    // Whole-file writes: a new file gets 0664 under the mask, a replaced one
    // keeps its mode, and no temporary file stays behind.
    ::umask(002);
    ::unlink(previous().c_str());
    ASSERT_EQ(ProfileFileWriteWhole(current().c_str(), "one", 3), 1);
    EXPECT_EQ(Mode(current()), 0664u);
    ASSERT_EQ(::chmod(current().c_str(), 0640), 0);
    ASSERT_EQ(ProfileFileWriteWhole(current().c_str(), "two", 3), 1);
    EXPECT_EQ(ReadFile(current()), "two");
    EXPECT_EQ(Mode(current()), 0640u);
    EXPECT_EQ(FolderEntries(root.preferences()), std::vector<std::string>{fs::path(current()).filename()});
    // A folder in the way: the write fails and leaves nothing behind.
    const std::string blocked = root.prefFile("blocked");
    ASSERT_EQ(::mkdir(blocked.c_str(), 0755), 0);
    EXPECT_EQ(ProfileFileWriteWhole(blocked.c_str(), "x", 1), 0);
    EXPECT_EQ(FolderEntries(root.preferences()).size(), 2u);
}

TEST_F(ProfileStoreTest, AFailedWriteKeepsTheOldList)
{
    ASSERT_TRUE(WriteFile(current(), "old list"));
    // A file-size limit makes the write fail part way, as a full disk would.
    const std::string script =
        "trap '' XFSZ; ulimit -f 8; exec " + ShellQuote(PROFILE_TOOL) + " write " + ShellQuote(current());
    int status = -1;
    EXPECT_EQ(RunCommand("sh -c " + ShellQuote(script), &status), "-1\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(current()), "old list");
    EXPECT_EQ(FolderEntries(root.preferences()).size(), 1u) << "no temporary file left behind";
}

// Runs the store tool as nobody; the tool is copied into the root so that the
// user can reach it wherever the build tree lies.
class ProfilePermissionTest : public ProfileStoreTest
{
  protected:
    void SetUp() override
    {
        ProfileStoreTest::SetUp();
        tool_ = root.path() + "/test_profile_tool";
        std::error_code ec;
        fs::copy_file(PROFILE_TOOL, tool_, ec);
        ASSERT_FALSE(ec) << ec.message();
        ::chmod(tool_.c_str(), 0755);
    }
    std::string asNobody(const std::string &args) const
    {
        int status = -1;
        std::string out =
            RunCommand("setpriv --reuid=nobody --regid=nogroup --clear-groups " + ShellQuote(tool_) + " " +
                           args + " " + ShellQuote(current()) + " " + ShellQuote(previous()) + " 2>&1",
                       &status);
        EXPECT_EQ(status, 0) << args << ": " << out;
        if (!out.empty() && out.back() == '\n')
            out.pop_back();
        return out;
    }
    std::string tool_;
};

TEST_F(ProfilePermissionTest, FolderNotWritable)
{
    ASSERT_EQ(::chmod(root.path().c_str(), 0755), 0); // reachable, nothing more
    ::chmod(root.preferences().c_str(), 0755);
    for (fs::path dir = fs::path(root.preferences()).parent_path().parent_path();
         dir.string().size() > root.path().size(); dir = dir.parent_path())
        ::chmod(dir.c_str(), 0755);
    EXPECT_EQ(asNobody("probe"), "0");
    EXPECT_EQ(asNobody("write"), "-1");
    EXPECT_FALSE(FileExists(current()));

    // A file the user may write, in a folder the user may not: the list is
    // only ever replaced whole, which needs the folder, so the write fails
    // and the old list stays.
    ASSERT_TRUE(WriteFile(current(), "old list"));
    ASSERT_EQ(::chmod(current().c_str(), 0666), 0);
    EXPECT_EQ(asNobody("probe"), "1");
    EXPECT_EQ(asNobody("exist"), "1");
    EXPECT_EQ(asNobody("write"), "-1");
    EXPECT_EQ(ReadFile(current()), "old list");
}

TEST_F(ProfilePermissionTest, ReadOnlyFileInAWritableFolder)
{
    root.openToAll();
    ASSERT_TRUE(WriteFile(current(), "read only"));
    ASSERT_EQ(::chmod(current().c_str(), 0444), 0);
    EXPECT_EQ(asNobody("probe"), "0");
    EXPECT_EQ(asNobody("exist"), "0") << "no write permission hides the file";
    EXPECT_EQ(asNobody("remove 3"), "0");
    EXPECT_EQ(asNobody("write"), "-1");
    EXPECT_EQ(asNobody("swap 2"), "done");
    EXPECT_EQ(ReadFile(current()), "read only");
    EXPECT_FALSE(FileExists(previous()));
}

TEST_F(ProfilePermissionTest, WritableFolder)
{
    root.openToAll();
    EXPECT_EQ(asNobody("probe"), "1");
    EXPECT_FALSE(FileExists(current()));
    EXPECT_EQ(asNobody("write"), "0");
    EXPECT_EQ(Mode(current()), 0664u);
    EXPECT_EQ(asNobody("read"), "0 1");
    EXPECT_EQ(asNobody("swap 2"), "done");
    EXPECT_EQ(ReadFile(previous()), ReadFile(current()));
    EXPECT_EQ(asNobody("remove 2"), "1");
    EXPECT_FALSE(FileExists(previous()));
}
