// The spool of walked variables and its merge into the current profile list,
// on real list files in a temporary root.
#include "MibWalk.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "ProfileTables.h"
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

// Row numbers, short OIDs and wrong types are covered end to end against a
// scripted agent; these are the text rules.
TEST_F(Spool, TextsStayTerminatedInTheirFields)
{
    const std::string text31(31, 'a');
    // File names: 31 bytes fit; a longer one is not stored at all, since a
    // cut one could name another file.
    SpoolText(4, 10, text31);
    SpoolText(4, 11, std::string(32, 'b'));
    EXPECT_EQ(std::string(PlistForSpool.entry[9].fileName), text31);
    EXPECT_EQ(PlistForSpool.entry[10].fileName[0], '\0');

    // Profile names are cut to 31 bytes, never inside a UTF-8 character.
    SpoolText(3, 20, std::string(40, 'c'));
    EXPECT_EQ(std::string(PlistForSpool.entry[19].profileName), std::string(31, 'c'));
    std::string accents;
    for (int i = 0; i < 16; ++i)
        accents += "\xc3\xa9"; // 32 bytes
    SpoolText(3, 21, accents);
    EXPECT_EQ(std::string(PlistForSpool.entry[20].profileName), accents.substr(0, 30));

    // A shorter value replaces a longer one whole; bytes after a NUL are not text.
    SpoolText(3, 22, "LONGER NAME");
    SpoolText(3, 22, std::string("AB\0CD", 5));
    EXPECT_EQ(std::memcmp(PlistForSpool.entry[21].profileName, "AB\0\0\0\0\0\0\0\0\0\0", 12), 0);
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

    ASSERT_EQ(vRestructPlistSpool2Current(0, TestProfileStore()), 0);
    ProfileTables t;
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
    ProfileTables before;
    for (int g = 0; g < 3; ++g) {
        before.add(g, MakeProfileEntry(InMenu::UserShown, "BAD+NAME.ICC", 501));
        before.add(g, MakeProfileEntry(InMenu::DeviceShown, "KEEP.ICC", 4));
    }
    ASSERT_EQ(before.write(), 0);
    SpoolRow(1, "KEEP.ICC", 3);
    SpoolRow(2, "KEEP.ICC", 2);

    ASSERT_EQ(vRestructPlistSpool2Current(0, TestProfileStore()), 0);
    ProfileTables t;
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
    ProfileTables before;
    for (int i = 0; i < kProfileTableSlots; ++i)
        before.add(0,
                   MakeProfileEntry(InMenu::UserHidden, ("U" + std::to_string(i) + ".ICC").c_str(), 500 + i));
    ASSERT_EQ(before.write(), 0);
    SpoolRow(1, "NEW.ICC", 2);
    SpoolRow(2, "U499.ICC", 2);

    ASSERT_EQ(vRestructPlistSpool2Current(0, TestProfileStore()), 0);
    ProfileTables t;
    ASSERT_EQ(t.read(), 0);
    EXPECT_EQ(t[0].iNum, kProfileTableSlots);
    EXPECT_EQ(t.find(0, "NEW.ICC"), nullptr);
    EXPECT_EQ(t.find(0, "U499.ICC")->inMenu, InMenu::DeviceHidden);
}

TEST_F(Spool, MissingListIsCreatedUnwritableListIsReported)
{
    SpoolRow(1, "ONLY.ICC", 3);
    ASSERT_FALSE(FileExists(WQ_PLIST_PROFILE_PATH));
    ASSERT_EQ(vRestructPlistSpool2Current(1, TestProfileStore()), 0); // merged even after a failure
    ProfileTables t;
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
    EXPECT_EQ(vRestructPlistSpool2Current(0, TestProfileStore()), -1);
}
