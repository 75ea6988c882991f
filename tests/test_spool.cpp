// The spool of walked variables and its merge into the current profile list,
// on real list files in a temporary root.
#include "MibWalk.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "TempRoot.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

// One walked variable, built with Net-SNMP's own setters.
struct Var {
    netsnmp_variable_list v{};
    std::vector<oid> name;

    Var(int column, std::vector<oid> index, u_char type, const void *value, size_t length)
    {
        name.assign(kProfileEntryOid, kProfileEntryOid + kProfileEntryOidLength);
        name.push_back(column);
        name.insert(name.end(), index.begin(), index.end());
        snmp_set_var_objid(&v, name.data(), name.size());
        snmp_set_var_typed_value(&v, type, value, length);
    }
    ~Var() { snmp_free_var_internals(&v); }
    void spool() const { vSpoolPlist(v.name, v.name_length, &v, 0); }
};

void SpoolInt(int column, long row, long value)
{
    Var(column, {1, static_cast<oid>(row)}, ASN_INTEGER, &value, sizeof value).spool();
}

void SpoolText(int column, long row, const std::string &text)
{
    Var(column, {1, static_cast<oid>(row)}, ASN_OCTET_STR, text.data(), text.size()).spool();
}

// A complete printer row as the walk spools it.
void SpoolRow(long row, const std::string &file, long profileClass, long location = 4,
              const std::string &name = "From printer")
{
    SpoolInt(1, row, row);
    SpoolInt(2, row, location);
    SpoolText(3, row, name);
    SpoolText(4, row, file);
    SpoolInt(5, row, profileClass);
    SpoolInt(7, row, 1);
}

ProfileEntry Entry(int32_t inMenu, const char *file, int32_t index = 7, int32_t location = 4,
                   const char *name = "Mine")
{
    ProfileEntry e{};
    e.indexOnDevice = index;
    e.inMenu = inMenu;
    e.profileClass = 2;
    std::strncpy(e.fileName, file, sizeof e.fileName - 1);
    std::strncpy(e.profileName, name, sizeof e.profileName - 1);
    e.location = location;
    return e;
}

struct Tables {
    std::unique_ptr<ProfileTable> t[3];
    Tables()
    {
        for (auto &p : t) {
            p = std::make_unique<ProfileTable>();
            std::memset(p.get(), 0, sizeof(ProfileTable));
        }
    }
    ProfileTable &operator[](int i) { return *t[i]; }
    void add(int group, const ProfileEntry &e) { t[group]->entry[t[group]->iNum++] = e; }
    int write() { return WQPListWriteProfile_All(t[0].get(), t[1].get(), t[2].get()); }
    int read() { return WQPListReadProfile_All(t[0].get(), t[1].get(), t[2].get()); }
    // Entry of a group with this file name and location; nullptr when absent.
    const ProfileEntry *find(int group, const char *file, int32_t location = 4) const
    {
        for (int i = 0; i < t[group]->iNum; ++i)
            if (std::strcmp(t[group]->entry[i].fileName, file) == 0 &&
                t[group]->entry[i].location == location)
                return &t[group]->entry[i];
        return nullptr;
    }
    int count(int group, const char *file) const
    {
        int n = 0;
        for (const auto &e : t[group]->entry)
            n += e.inMenu != 0 && std::strcmp(e.fileName, file) == 0;
        return n;
    }
};

class Spool : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PATH, root.prefFile("alice-QV-MR52-profile.plist").c_str()),
                  0);
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH,
                               root.prefFile("alice-QV-MR52-profile.prev.plist").c_str()),
                  0);
        vSpoolPlist(nullptr, 0, nullptr, 1);
    }
    TempRoot root;
};

} // namespace

TEST(FileNameRule, TwentySevenDotThree)
{
    const struct {
        const char *name;
        bool ok;
    } cases[] = {
        {"ABCDEFGH.ICC", true},
        {"ABC.ICCX", false},
        {".ICC", false},
        {"ABC.", true},
        {"A.B.C", true},
        {"A.B.CD", false},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZA", true},       // 27 bytes, no dot
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZAB", false},     // 28 bytes
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZA.ICC", true},   // 31 bytes
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZAB.ICC", false}, // base of 28
        {"ABC DEF.ICC", false},
        {"ABC+DEF.ICC", false},
        {"ABC/DEF.ICC", false},
        {"ABC~1.ICC", true},
        {"!#$%&'()-^_`{}~.a", true},
        {"a\"b", false},
        {"a*b", false},
        {"a:b", false},
        {"a\x7f", false},
        {"\xc3\xa9t\xc3\xa9.icc", false}, // UTF-8 letters are not ASCII
        {"", false},
        {nullptr, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(bJudgement8point3Format(c.name), c.ok) << (c.name ? c.name : "(null)");
}

TEST(FileNameRule, FilterAcceptsExactlyTheListedCharacters)
{
    const std::string allowed =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!#$%&'()-.^_`{}~";
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(FileNameFilter(c), b != 0 && allowed.find(c) != std::string::npos) << "byte " << b;
    }
}

TEST_F(Spool, ColumnsLandInTheirFieldsAndColumnOneCounts)
{
    SpoolRow(3, "THREE.ICC", 3, 5, "Three");
    SpoolInt(6, 3, 99); // not stored
    const ProfileEntry &e = PlistForSpool.entry[2];
    EXPECT_EQ(e.indexOnDevice, 3);
    EXPECT_EQ(e.location, 5);
    EXPECT_STREQ(e.profileName, "Three");
    EXPECT_STREQ(e.fileName, "THREE.ICC");
    EXPECT_EQ(e.profileClass, 3);
    EXPECT_EQ(e.availability, 1);
    EXPECT_EQ(e.inMenu, 0);
    EXPECT_EQ(PlistForSpool.iNum, 1);

    // A row without a column-1 value is stored but not counted.
    SpoolText(4, 4, "FOUR.ICC");
    EXPECT_STREQ(PlistForSpool.entry[3].fileName, "FOUR.ICC");
    EXPECT_EQ(PlistForSpool.iNum, 1);

    vSpoolPlist(nullptr, 0, nullptr, 1);
    EXPECT_EQ(PlistForSpool.iNum, 0);
    EXPECT_EQ(PlistForSpool.entry[2].fileName[0], '\0');
}

TEST_F(Spool, ValuesThatDoNotFitAreSkippedOrCut)
{
    const long seven = 7;
    const std::string text31(31, 'a'), text32(32, 'b'), text40(40, 'c');
    // Row 0, row 501 and short instance OIDs would write outside the spool.
    SpoolInt(1, 0, 1);
    SpoolInt(1, 501, 1);
    Var(1, {5}, ASN_INTEGER, &seven, sizeof seven).spool();
    Var(1, {}, ASN_INTEGER, &seven, sizeof seven).spool();
    EXPECT_EQ(PlistForSpool.iNum, 0);
    EXPECT_EQ(PlistForSpool.entry[4].indexOnDevice, 0);

    // Wrong types are ignored.
    Var(1, {1, 2}, ASN_OCTET_STR, "x", 1).spool();
    Var(4, {1, 2}, ASN_INTEGER, &seven, sizeof seven).spool();
    EXPECT_EQ(PlistForSpool.entry[1].indexOnDevice, 0);
    EXPECT_EQ(PlistForSpool.entry[1].fileName[0], '\0');

    // Row 500 is the last one that fits.
    SpoolInt(1, 500, 500);
    EXPECT_EQ(PlistForSpool.entry[499].indexOnDevice, 500);

    // File names: 31 bytes fit; longer ones are not stored at all.
    SpoolText(4, 10, text31);
    SpoolText(4, 11, text32);
    SpoolText(4, 12, text40);
    EXPECT_EQ(std::string(PlistForSpool.entry[9].fileName), text31);
    EXPECT_EQ(PlistForSpool.entry[10].fileName[0], '\0');
    EXPECT_EQ(PlistForSpool.entry[11].fileName[0], '\0');

    // Profile names are cut to 31 bytes, never inside a UTF-8 character.
    SpoolText(3, 20, text40);
    EXPECT_EQ(std::string(PlistForSpool.entry[19].profileName), std::string(31, 'c'));
    std::string accents;
    for (int i = 0; i < 16; ++i)
        accents += "\xc3\xa9"; // 32 bytes
    SpoolText(3, 21, accents);
    EXPECT_EQ(std::string(PlistForSpool.entry[20].profileName), accents.substr(0, 30));
    EXPECT_EQ(PlistForSpool.entry[20].profileName[31], '\0');

    // A shorter value replaces a longer one whole; bytes after a NUL are not text.
    SpoolText(3, 22, "LONGER NAME");
    SpoolText(3, 22, std::string("AB\0CD", 5));
    EXPECT_EQ(std::memcmp(PlistForSpool.entry[21].profileName, "AB\0\0\0\0\0\0\0\0\0\0", 12), 0);
}

TEST_F(Spool, TransitionsOfEveryMenuStateAfterSuccessAndFailure)
{
    // For each state: one entry the printer lists again and one it does not.
    // Expected state after the merge; 0: the entry left the list.
    const struct {
        int32_t before;
        int32_t successFound, successLost, failureFound, failureLost;
    } rows[] = {
        {InMenu::MissingHidden, InMenu::DeviceHidden, InMenu::MissingHidden, InMenu::DeviceHidden, 0},
        {InMenu::DeviceHidden, InMenu::DeviceHidden, InMenu::MissingHidden, InMenu::DeviceHidden, 0},
        {InMenu::MissingShown, InMenu::DeviceShown, InMenu::UserShown, InMenu::DeviceShown,
         InMenu::UserShown},
        {InMenu::DeviceShown, InMenu::DeviceShown, InMenu::UserShown, InMenu::DeviceShown, InMenu::UserShown},
        {InMenu::UserHidden, InMenu::DeviceHidden, InMenu::UserHidden, InMenu::DeviceHidden,
         InMenu::UserHidden},
        {InMenu::UserShown, InMenu::DeviceShown, InMenu::UserShown, InMenu::DeviceShown, InMenu::UserShown},
    };
    for (int failure = 0; failure <= 1; ++failure) {
        vSpoolPlist(nullptr, 0, nullptr, 1);
        Tables before;
        long row = 1;
        for (const auto &r : rows) {
            const std::string found = "F" + std::to_string(r.before) + ".ICC";
            const std::string lost = "L" + std::to_string(r.before) + ".ICC";
            before.add(0, Entry(r.before, found.c_str(), 10 + r.before, 4, "Given name"));
            before.add(0, Entry(r.before, lost.c_str(), 20 + r.before));
            SpoolRow(row++, found, 2);
        }
        SpoolRow(row++, "NEW.ICC", 1);
        ASSERT_EQ(before.write(), 0);

        ASSERT_EQ(vRestructPlistSpool2Current(failure), 0);
        Tables after;
        ASSERT_EQ(after.read(), 0);
        for (const auto &r : rows) {
            SCOPED_TRACE("failure " + std::to_string(failure) + " state " + std::to_string(r.before));
            const std::string found = "F" + std::to_string(r.before) + ".ICC";
            const std::string lost = "L" + std::to_string(r.before) + ".ICC";
            const ProfileEntry *f = after.find(0, found.c_str());
            const ProfileEntry *l = after.find(0, lost.c_str());
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(f->inMenu, failure ? r.failureFound : r.successFound);
            EXPECT_EQ(after.count(0, found.c_str()), 1);
            const int32_t expectLost = failure ? r.failureLost : r.successLost;
            if (expectLost == 0) {
                EXPECT_EQ(l, nullptr);
            } else {
                ASSERT_NE(l, nullptr);
                EXPECT_EQ(l->inMenu, expectLost);
            }
        }
        // A confirmed entry keeps the name the user gave it.
        EXPECT_STREQ(after.find(0, "F6.ICC")->profileName, "Given name");
        const ProfileEntry *added = after.find(0, "NEW.ICC");
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->inMenu, InMenu::DeviceHidden);
        EXPECT_STREQ(added->profileName, "From printer");
        EXPECT_EQ(after[1].iNum, 0);
        EXPECT_EQ(after[2].iNum, 0);
    }
}

TEST_F(Spool, ClassesLocationsAndNamesDecideWhatIsMerged)
{
    SpoolRow(1, "RGB1.ICC", 1);
    SpoolRow(2, "RGB2.ICC", 2);
    SpoolRow(3, "SIMDST.ICC", 3);
    SpoolRow(4, "CLASS0.ICC", 0);
    SpoolRow(5, "CLASS4.ICC", 4);
    SpoolRow(6, "TWICE.ICC", 2, 4);
    SpoolRow(7, "TWICE.ICC", 2, 5);
    SpoolRow(8, "LOC3.ICC", 2, 3);
    SpoolRow(9, "BAD NAME.ICC", 2);
    SpoolRow(10, "", 2);
    // Rows are merged only up to the spool's count of column-1 values.
    SpoolText(4, 12, "GAP.ICC");
    SpoolInt(2, 12, 4);
    SpoolInt(5, 12, 2);

    ASSERT_EQ(vRestructPlistSpool2Current(0), 0);
    Tables t;
    ASSERT_EQ(t.read(), 0);
    EXPECT_NE(t.find(0, "RGB1.ICC"), nullptr);
    EXPECT_NE(t.find(0, "RGB2.ICC"), nullptr);
    EXPECT_EQ(t.find(0, "SIMDST.ICC"), nullptr);
    EXPECT_NE(t.find(1, "SIMDST.ICC"), nullptr);
    EXPECT_NE(t.find(2, "SIMDST.ICC"), nullptr);
    EXPECT_EQ(t[1].iNum, 1);
    EXPECT_EQ(t[2].iNum, 1);
    EXPECT_EQ(t.find(0, "CLASS0.ICC"), nullptr);
    EXPECT_EQ(t.find(0, "CLASS4.ICC"), nullptr);
    EXPECT_NE(t.find(0, "TWICE.ICC", 4), nullptr);
    EXPECT_NE(t.find(0, "TWICE.ICC", 5), nullptr);
    EXPECT_EQ(t.find(0, "LOC3.ICC", 3), nullptr);
    EXPECT_EQ(t.find(0, "BAD NAME.ICC"), nullptr);
    EXPECT_EQ(t.find(0, "GAP.ICC"), nullptr);
    EXPECT_EQ(t[0].iNum, 4);
    // Added in spool order.
    EXPECT_STREQ(t[0].entry[0].fileName, "RGB1.ICC");
    EXPECT_STREQ(t[0].entry[3].fileName, "TWICE.ICC");
    EXPECT_EQ(t[0].entry[3].location, 5);
}

TEST_F(Spool, NamesBreakingTheRuleLeaveEveryGroupWithoutDuplicates)
{
    // In SIM the bad entry stands before a shown printer entry that the
    // printer lists again: it must be confirmed, not added a second time.
    Tables before;
    for (int g = 0; g < 3; ++g) {
        before.add(g, Entry(InMenu::UserShown, "BAD+NAME.ICC", 501));
        before.add(g, Entry(InMenu::DeviceShown, "KEEP.ICC", 4));
    }
    ASSERT_EQ(before.write(), 0);
    SpoolRow(1, "KEEP.ICC", 3);
    SpoolRow(2, "KEEP.ICC", 2);

    ASSERT_EQ(vRestructPlistSpool2Current(0), 0);
    Tables t;
    ASSERT_EQ(t.read(), 0);
    for (int g = 0; g < 3; ++g) {
        SCOPED_TRACE(g);
        EXPECT_EQ(t.find(g, "BAD+NAME.ICC"), nullptr);
        EXPECT_EQ(t.count(g, "KEEP.ICC"), 1);
        ASSERT_NE(t.find(g, "KEEP.ICC"), nullptr);
        EXPECT_EQ(t.find(g, "KEEP.ICC")->inMenu, InMenu::DeviceShown);
        EXPECT_EQ(t[g].iNum, 1);
    }
}

TEST_F(Spool, FullGroupDropsNewProfilesAndStillMatchesKnownOnes)
{
    Tables before;
    for (int i = 0; i < kProfileTableSlots; ++i)
        before.add(0, Entry(InMenu::UserHidden, ("U" + std::to_string(i) + ".ICC").c_str(), 500 + i));
    ASSERT_EQ(before.write(), 0);
    SpoolRow(1, "NEW.ICC", 2);
    SpoolRow(2, "U499.ICC", 2);

    ASSERT_EQ(vRestructPlistSpool2Current(0), 0);
    Tables t;
    ASSERT_EQ(t.read(), 0);
    EXPECT_EQ(t[0].iNum, kProfileTableSlots);
    EXPECT_EQ(t.find(0, "NEW.ICC"), nullptr);
    EXPECT_EQ(t.find(0, "U499.ICC")->inMenu, InMenu::DeviceHidden);
}

TEST_F(Spool, MissingListIsCreatedUnwritableListIsReported)
{
    SpoolRow(1, "ONLY.ICC", 3);
    ASSERT_FALSE(FileExists(WQ_PLIST_PROFILE_PATH));
    ASSERT_EQ(vRestructPlistSpool2Current(1), 0); // merged even after a failure
    Tables t;
    ASSERT_EQ(t.read(), 0);
    EXPECT_EQ(t.find(1, "ONLY.ICC")->inMenu, InMenu::DeviceHidden);

    // The written file is a property list any reader takes: free slots are
    // zeros and empty texts, iNum counts the entries in use.
    int status = 0;
    const std::string out =
        RunCommand("python3 -c \"import plistlib,sys; d=plistlib.load(open(sys.argv[1],'rb')); "
                   "print(d['SIM']['iNum'], d['DST']['iNum'], d['RGB']['iNum'], "
                   "repr(d['SIM']['FileName']['FileName0001']), "
                   "d['SIM']['ProfileClass']['ProfileClass0001'])\" '" +
                       std::string(WQ_PLIST_PROFILE_PATH) + "'",
                   &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, "1 1 0 '' 0\n");

    ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PATH, (root.path() + "/no/such/folder/list.plist").c_str()), 0);
    EXPECT_EQ(vRestructPlistSpool2Current(0), -1);
}
