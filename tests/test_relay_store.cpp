// The plug-in's back end of the store: every file operation and whole-file
// write goes through Tintrelay to Tintvault on a private bus.
#include "Precondition.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"
#include "ProfileStoreDirect.h"
#include "ProfileTable.h"
#include "ProfileTables.h"
#include "SessionBus.h"
#include "TempRoot.h"
#include "TintPaths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace
{

// Names outside ASCII make the XML text longer in bytes than in characters.
constexpr char kNonAsciiNames[] = "Profil \xc3\xa9t\xc3\xa9 %d/%d";

std::unique_ptr<ProfileTable> Table()
{
    auto t = std::make_unique<ProfileTable>();
    std::memset(t.get(), 0, sizeof *t);
    return t;
}

class RelayStore : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ::umask(002);
        ASSERT_TRUE(bus.running());
        ASSERT_FALSE(TintLoginName().empty());
        SetTestProfileStore(&tint::relayProfileStore());
    }
    void TearDown() override { SetTestProfileStore(nullptr); }
    TempRoot root;
    SessionBus bus;
};

} // namespace

TEST_F(RelayStore, FullListWrittenInPiecesReadsBackEqual)
{
    auto rgb = Table(), sim = Table(), dst = Table();
    FillFullGroup(rgb.get(), 0, kNonAsciiNames);
    FillFullGroup(sim.get(), 1, kNonAsciiNames);
    FillFullGroup(dst.get(), 2, kNonAsciiNames);
    ASSERT_EQ(WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0);

    const std::string text = ReadFile(root.currentList());
    EXPECT_GT(text.size(), 4u * 90000u) << "five pieces or more";
    EXPECT_FALSE(FileExists(root.currentList() + ".dummy"));
    struct stat st;
    ASSERT_EQ(::stat(root.currentList().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0664u);

    auto r = Table(), s = Table(), d = Table();
    ASSERT_EQ(WQPListReadProfile_All(r.get(), s.get(), d.get()), 0);
    // availability never reaches the file; everything else must.
    for (ProfileTable *t : {rgb.get(), sim.get(), dst.get()})
        for (ProfileEntry &e : t->entry)
            e.availability = 0;
    EXPECT_EQ(std::memcmp(r.get(), rgb.get(), sizeof(ProfileTable)), 0);
    EXPECT_EQ(std::memcmp(s.get(), sim.get(), sizeof(ProfileTable)), 0);
    EXPECT_EQ(std::memcmp(d.get(), dst.get(), sizeof(ProfileTable)), 0);
}

TEST_F(RelayStore, TextBeyondTheArgumentLimitInBytesStillArrives)
{
    // 100000 three-byte characters: a piece of 90000 of them would be an
    // argument of 270000 bytes, which the kernel refuses.
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><string>";
    for (int i = 0; i < 100000; ++i)
        xml += "\xe2\x82\xac";
    xml += "\xf0\x9f\x98\x80</string></plist>\n";
    ASSERT_EQ(ProfileStoreWriteWholeFile(xml.data(), xml.size()), 0);
    EXPECT_EQ(ReadFile(root.currentList()), xml);
}

TEST_F(RelayStore, NoRelayNoWrite)
{
    ASSERT_TRUE(WriteFile(root.currentList(), "before"));
    fs::remove(TintRelayPath());
    auto t = Table();
    EXPECT_EQ(WQPListWriteProfile_All(t.get(), t.get(), t.get()), -1);
    EXPECT_EQ(ProfileStoreWriteWholeFile("<?xml", 5), -1);
    EXPECT_EQ(ProfileStoreLastError(), "no relay at " + TintRelayPath());
    EXPECT_EQ(WQPListIsAdminProfile(), 0);
    EXPECT_EQ(WQPListExistProfile(), 0);
    EXPECT_EQ(WQPListRemove(kProfileRemoveCurrent), 0);
    EXPECT_EQ(ReadFile(root.currentList()), "before");
}

TEST_F(RelayStore, FileOperationsThroughTheRelay)
{
    const std::string current = root.currentList();
    const std::string previous = root.previousList();

    EXPECT_EQ(WQPListIsAdminProfile(), 1);
    EXPECT_FALSE(FileExists(current));
    EXPECT_EQ(WQPListExistProfile(), 0);

    // Only a whole property list is restored.
    const std::string list = "<plist><string>current</string></plist>";
    ASSERT_TRUE(WriteFile(current, list));
    EXPECT_EQ(WQPListExistProfile(), 1);
    WQPListSwapProfile(kProfileSwapBackup);
    EXPECT_EQ(ReadFile(previous), list);

    ASSERT_TRUE(WriteFile(current, "edited"));
    WQPListSwapProfile(kProfileSwapRestore);
    EXPECT_EQ(ReadFile(current), list);
    EXPECT_FALSE(FileExists(previous));

    ASSERT_TRUE(WriteFile(previous, "p"));
    WQPListSwapProfile(kProfileSwapDiscard);
    EXPECT_FALSE(FileExists(previous));

    ASSERT_TRUE(WriteFile(previous, "p"));
    EXPECT_EQ(WQPListRemove(1), 0);
    EXPECT_TRUE(FileExists(previous));
    EXPECT_TRUE(FileExists(current));
    EXPECT_EQ(WQPListRemove(kProfileRemovePrevious), 1);
    EXPECT_FALSE(FileExists(previous));
    EXPECT_EQ(WQPListRemove(kProfileRemovePrevious), 0);
    EXPECT_EQ(WQPListRemove(kProfileRemoveCurrent), 1);
    EXPECT_FALSE(FileExists(current));
}

TEST_F(RelayStore, UnwritableListMakesEveryOperationANoOp)
{
    if (::getuid() != 0)
        TINT_SKIP_OUTSIDE_CI("needs root to run the bus as another user");
    // The service runs as "nobody"; the list belongs to root and is read-only.
    bus.stop();
    root.openToAll();
    SessionBus::Options options;
    options.user = "nobody";
    options.group = "nogroup";
    SessionBus other(options);
    ASSERT_TRUE(other.running());
    ASSERT_TRUE(WriteFile(root.currentList(), "mine"));
    ASSERT_TRUE(WriteFile(root.previousList(), "prev"));
    fs::permissions(root.currentList(), fs::perms(0644));

    EXPECT_EQ(WQPListIsAdminProfile(), 0);
    EXPECT_EQ(WQPListExistProfile(), 0) << "0 although the file exists";
    WQPListSwapProfile(kProfileSwapRestore);
    EXPECT_EQ(WQPListRemove(kProfileRemovePrevious), 0);
    auto t = Table();
    EXPECT_EQ(WQPListWriteProfile_All(t.get(), t.get(), t.get()), -1);
    EXPECT_EQ(ReadFile(root.currentList()), "mine");
    EXPECT_EQ(ReadFile(root.previousList()), "prev");
    EXPECT_FALSE(FileExists(root.currentList() + ".dummy"));
}
