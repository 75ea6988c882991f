// Profile list files: what the store writes, what it reads, and what it
// refuses. Python's plistlib is the reference reader and writer.
#include "PlistCheck.h"
#include "ProfileStoreBackend.h"
#include "test_profile_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <sstream>
#include <vector>

namespace
{

const char *const kGroups[] = {"RGB", "SIM", "DST"};

// Prints every numbered value of a list file as plistlib sees it; "-" for a
// missing key, and the counts of each sub-dictionary.
const char kPlistlibDump[] = R"PY(
import plistlib, sys
with open(sys.argv[1], 'rb') as f:
    d = plistlib.load(f)
out = ["PlistVersion %r" % d.get("PlistVersion")]
ints = ("IndexOnDevice", "InMenu", "ProfileClass", "Location")
texts = ("FileName", "ProfileName")
for g in ("RGB", "SIM", "DST"):
    gd = d[g]
    out.append("%s iNum %s" % (g, gd.get("iNum", "-")))
    for k in ints + texts:
        out.append("%s %s %d" % (g, k, len(gd[k])))
    for i in range(500):
        row = [g, str(i)]
        for k in ints:
            v = gd[k].get("%s%04d" % (k, i))
            if v is not None and (type(v) is not int):
                v = "badtype"
            row.append("-" if v is None else str(v))
        for k in texts:
            v = gd[k].get("%s%04d" % (k, i))
            row.append("-" if v is None else (v.encode("utf-8").hex() or "''"))
        out.append(" ".join(row))
print("\n".join(out))
)PY";

// Writes a list the way another program might: keys in shuffled order,
// numbered keys missing, extra keys, negative values, texts longer than a
// field. Prints what the store must read from it (missing values read as 0 or
// empty into a fresh table, texts cut to 31 bytes).
const char kPlistlibWriter[] = R"PY(
import plistlib, random, sys
rnd = random.Random(int(sys.argv[2]))
names = ["sRGB.icc", "\u00c9cran", "\u65e5\u672c\u8a9e\u30d7\u30ed\u30d5\u30a1\u30a4\u30eb",
         "0123456789abcdefghijklmnopqrstuvwxyzABCD", "\u00e9" * 17, "tab\there", "a&b<c>d", ""]
ints = ["IndexOnDevice", "InMenu", "ProfileClass", "Location"]
texts = ["FileName", "ProfileName"]
root_items = []
expected = []
for g, used in (("RGB", 37), ("SIM", 500), ("DST", 0)):
    subs = {k: [] for k in ints + texts}
    for i in range(500):
        vals = {}
        if i < used:
            vals["InMenu"] = rnd.randint(1, 6)
            for k in ("IndexOnDevice", "ProfileClass", "Location"):
                if rnd.random() < 0.9:
                    vals[k] = rnd.choice([rnd.randint(-2**31, 2**31 - 1), rnd.randint(-5, 1000)])
            for k in texts:
                if rnd.random() < 0.9:
                    vals[k] = rnd.choice(names)
        elif rnd.random() < 0.3:
            vals["InMenu"] = 0
        for k, v in vals.items():
            subs[k].append(("%s%04d" % (k, i), v))
        row = [g, str(i)]
        for k in ints:
            row.append(str(vals.get(k, 0)))
        for k in texts:
            row.append(vals.get(k, "").encode("utf-8")[:31].hex() or "''")
        expected.append(" ".join(row))
    expected.append("%s iNum %d" % (g, used))
    for k in subs:
        if rnd.random() < 0.5:
            subs[k].append(("%s%04d" % (k, 500 + rnd.randint(0, 99)), 1 if k in ints else "beyond"))
        subs[k].append(("Unrelated", "x"))
        rnd.shuffle(subs[k])
    items = [(k, dict(v)) for k, v in subs.items()] + [("Comment", "extra")]
    if used or rnd.random() < 0.5:
        items.append(("iNum", used))
    rnd.shuffle(items)
    root_items.append((g, dict(items)))
root_items += [("PlistVersion", 1), ("Extra", [1, 2, 3])]
rnd.shuffle(root_items)
with open(sys.argv[1], "wb") as f:
    plistlib.dump(dict(root_items), f, sort_keys=False)
print("\n".join(expected))
)PY";

std::string Hex(const char *bytes, size_t length)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < length; ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex.empty() ? "''" : hex;
}

// What the dump script prints for a table the store wrote; omitted names
// are the ones a test knows to be unwritable.
std::string ExpectedFileDump(const ProfileTable *const tables[3], const std::vector<std::string> &omitted)
{
    std::ostringstream out;
    out << "PlistVersion 1\n";
    for (int g = 0; g < 3; ++g) {
        const ProfileTable &t = *tables[g];
        out << kGroups[g] << " iNum " << t.iNum << "\n";
        for (const char *k : {"IndexOnDevice", "InMenu", "ProfileClass", "Location"})
            out << kGroups[g] << " " << k << " 500\n";
        for (const char *k : {"FileName", "ProfileName"}) {
            int present = 500;
            for (const ProfileEntry &e : t.entry) {
                const char *field = std::string(k) == "FileName" ? e.fileName : e.profileName;
                for (const std::string &o : omitted)
                    present -= (o == field);
            }
            out << kGroups[g] << " " << k << " " << present << "\n";
        }
        for (int i = 0; i < kProfileTableSlots; ++i) {
            const ProfileEntry &e = t.entry[i];
            out << kGroups[g] << " " << i << " " << e.indexOnDevice << " " << e.inMenu << " "
                << e.profileClass << " " << e.location;
            for (const char *field : {e.fileName, e.profileName}) {
                bool omit = false;
                for (const std::string &o : omitted)
                    omit = omit || o == field;
                out << " " << (omit ? std::string("-") : Hex(field, strnlen(field, 32)));
            }
            out << "\n";
        }
    }
    return out.str();
}

// The store's view of a table in the writer script's format.
std::string TableDump(const ProfileTable &t, const char *group)
{
    std::ostringstream out;
    for (int i = 0; i < kProfileTableSlots; ++i) {
        const ProfileEntry &e = t.entry[i];
        out << group << " " << i << " " << e.indexOnDevice << " " << e.inMenu << " " << e.profileClass << " "
            << e.location << " " << Hex(e.fileName, strnlen(e.fileName, 32)) << " "
            << Hex(e.profileName, strnlen(e.profileName, 32)) << "\n";
    }
    out << group << " iNum " << t.iNum << "\n";
    return out.str();
}

// "" when the texts are equal, else the first line where they differ.
std::string FirstDifference(const std::string &actual, const std::string &expected)
{
    std::istringstream a(actual), e(expected);
    std::string la, le;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, la));
        const bool moreE = static_cast<bool>(std::getline(e, le));
        if (!moreA && !moreE)
            return "";
        if (moreA != moreE || la != le)
            return "line " + std::to_string(line) + ": got \"" + (moreA ? la : "<end>") + "\", expected \"" +
                   (moreE ? le : "<end>") + "\"";
    }
}

} // namespace

TEST_F(ProfileStoreTest, PlistlibReadsWhatTheStoreWrites)
{
    auto rgb = NewTable(), sim = NewTable(), dst = NewTable();
    SetEntry(&rgb->entry[0], 3, InMenu::DeviceShown, 1, "sRGB.icc", "sRGB Display", 4, 9);
    SetEntry(&rgb->entry[1], -1, InMenu::UserShown, INT32_MAX,
             "\xC3\x89"
             "cran.icc",
             "a&b<c>d\"e'", INT32_MIN);
    SetEntry(&rgb->entry[2], 502, InMenu::UserHidden, 2, "tab\tnl\n.icc", "bell\x07name", -4);
    SetEntry(&rgb->entry[3], 7, InMenu::MissingShown, 3, "bad\xFF.icc", "esc\x1b", 4);
    rgb->iNum = 4;
    for (int i = 0; i < kProfileTableSlots; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "sim%03d.icc", i);
        SetEntry(&sim->entry[i], i + 1, 1 + i % 6, 1 + i % 3, name, name, -i);
    }
    sim->iNum = kProfileTableSlots;
    // dst stays empty: iNum 0, every slot written as zeros and empty texts.

    ASSERT_EQ(WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0);
    const std::string text = ReadFile(current());
    EXPECT_EQ(text.find("vailability"), std::string::npos);
    EXPECT_EQ(text.find('\x07'), std::string::npos);

    int status = -1;
    const std::string dump = RunPython(kPlistlibDump, {current()}, &status);
    ASSERT_EQ(status, 0) << dump;
    const ProfileTable *tables[3] = {rgb.get(), sim.get(), dst.get()};
    // Texts XML cannot carry, and invalid UTF-8, are left out of the file.
    EXPECT_EQ(FirstDifference(dump, ExpectedFileDump(tables, {"bell\x07name", "esc\x1b", "bad\xFF.icc"})),
              "");
}

TEST_F(ProfileStoreTest, ReadsWhatPlistlibWrites)
{
    for (int seed : {1, 2, 3}) {
        int status = -1;
        const std::string expected = RunPython(kPlistlibWriter, {current(), std::to_string(seed)}, &status);
        ASSERT_EQ(status, 0) << expected;
        auto rgb = NewTable(), sim = NewTable(), dst = NewTable();
        ASSERT_EQ(WQPListReadProfile_All(rgb.get(), sim.get(), dst.get()), 0) << "seed " << seed;
        EXPECT_EQ(FirstDifference(TableDump(*rgb, "RGB") + TableDump(*sim, "SIM") + TableDump(*dst, "DST"),
                                  expected),
                  "")
            << "seed " << seed;

        // The same list as a binary property list reads the same.
        RunPython("import plistlib, sys\n"
                  "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
                  "plistlib.dump(d, open(sys.argv[1], 'wb'), fmt=plistlib.FMT_BINARY)\n",
                  {current()}, &status);
        ASSERT_EQ(status, 0);
        ASSERT_EQ(ReadFile(current()).compare(0, 6, "bplist"), 0);
        auto rgb2 = NewTable(), sim2 = NewTable(), dst2 = NewTable();
        ASSERT_EQ(WQPListReadProfile_All(rgb2.get(), sim2.get(), dst2.get()), 0) << "binary, seed " << seed;
        EXPECT_TRUE(SameBytes(*rgb, *rgb2) && SameBytes(*sim, *sim2) && SameBytes(*dst, *dst2))
            << "binary, seed " << seed;
    }
}

TEST_F(ProfileStoreTest, StoreReadsBackWhatItWrote)
{
    auto rgb = NewTable(), sim = NewTable(), dst = NewTable();
    for (int i = 0; i < 120; ++i)
        SetEntry(&rgb->entry[i], i * 7 - 50, 1 + i % 6, i % 4, "f\xE2\x82\xAC.icc",
                 "\xE6\x97\xA5\xE6\x9C\xAC", i - 60, 5);
    rgb->iNum = 120;
    SetEntry(&dst->entry[0], 0, InMenu::UserShown, 2, "only.icc", "Only", 4, 3);
    dst->iNum = 1;
    ASSERT_EQ(WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0);

    auto rgbIn = NewTable(), simIn = NewTable(), dstIn = NewTable();
    ASSERT_EQ(WQPListReadProfile_All(rgbIn.get(), simIn.get(), dstIn.get()), 0);
    // availability lives in memory only.
    for (ProfileTable *t : {rgb.get(), dst.get()})
        for (ProfileEntry &e : t->entry)
            e.availability = 0;
    EXPECT_TRUE(SameBytes(*rgbIn, *rgb));
    EXPECT_TRUE(SameBytes(*simIn, *sim));
    EXPECT_TRUE(SameBytes(*dstIn, *dst));

    auto one = NewTable();
    ASSERT_EQ(WQPListReadProfile_Dict(one.get(), kProfileGroupDST), 0);
    EXPECT_TRUE(SameBytes(*one, *dst));
}

TEST_F(ProfileStoreTest, EdgeValuesOfAFile)
{
    install("profile_edge.plist");
    auto rgb = NewTable(), sim = NewTable(), dst = NewTable();
    // Values a wrong-typed key must leave alone.
    SetEntry(&dst->entry[1], 99, 0, 0, "keep.icc", "", 0);
    SetEntry(&dst->entry[2], 98, 0, 0, "", "keep name", 0);
    ASSERT_EQ(WQPListReadProfile_All(rgb.get(), sim.get(), dst.get()), 0);

    // iNum 5 but two used slots with a gap: iNum becomes 2 and everything
    // from slot 2 on is cleared, the used entry in slot 2 included.
    EXPECT_EQ(rgb->iNum, 2);
    EXPECT_STREQ(rgb->entry[0].fileName, "a.icc");
    EXPECT_EQ(rgb->entry[1].inMenu, 0);
    EXPECT_EQ(rgb->entry[2].inMenu, 0);
    EXPECT_STREQ(rgb->entry[2].fileName, "");

    // A 40-byte name keeps its first 31 bytes; keys from 0500 on are not read.
    EXPECT_STREQ(sim->entry[7].fileName, "0123456789abcdefghijklmnopqrstu");
    EXPECT_EQ(sim->iNum, 8);

    EXPECT_EQ(dst->iNum, 3);
    EXPECT_EQ(dst->entry[0].indexOnDevice, -1);
    EXPECT_EQ(dst->entry[0].profileClass, INT32_MIN);
    EXPECT_EQ(dst->entry[0].location, INT32_MAX);
    EXPECT_EQ(dst->entry[1].indexOnDevice, 99) << "string where an integer belongs";
    EXPECT_STREQ(dst->entry[1].fileName, "keep.icc") << "integer where a string belongs";
    EXPECT_STREQ(dst->entry[1].profileName, "Typed");
    EXPECT_EQ(dst->entry[2].indexOnDevice, 98) << "integer beyond 32 bits";
    EXPECT_STREQ(dst->entry[2].profileName, "keep name") << "boolean where a string belongs";
    EXPECT_STREQ(dst->entry[2].fileName, "big.icc");
}

TEST_F(ProfileStoreTest, MissingKeysFailOnlyTheReadsThatNeedThem)
{
    struct Case {
        const char *file;
        int group; // -1: WQPListReadProfile_All
        bool pap;
        int32_t result;
    };
    const Case cases[] = {
        {"profile_sample.plist", -1, false, 0},
        {"profile_no_sim.plist", -1, false, -1},
        {"profile_no_sim.plist", 0, false, 0},
        {"profile_no_sim.plist", 1, false, -1},
        {"profile_no_sim.plist", 1, true, -1},
        {"profile_no_sim.plist", 2, true, 0},
        {"profile_dst_no_profilename.plist", -1, false, -1},
        {"profile_dst_no_profilename.plist", 0, false, 0},
        {"profile_dst_no_profilename.plist", 2, false, -1},
        {"profile_sample.plist", 3, false, -1},
        {"profile_sample.plist", -1 - 1, true, -1},
    };
    for (const Case &c : cases) {
        install(c.file);
        auto a = MarkedTable(0x5A), b = MarkedTable(0x5A), d = MarkedTable(0x5A);
        auto mark = MarkedTable(0x5A);
        int32_t result;
        if (c.group == -1)
            result = WQPListReadProfile_All(a.get(), b.get(), d.get());
        else if (c.pap)
            result = WQPListReadProfile_Dict_Pap(a.get(), c.group);
        else
            result = WQPListReadProfile_Dict(a.get(), c.group);
        EXPECT_EQ(result, c.result) << c.file << " group " << c.group;
        if (result != 0) {
            EXPECT_TRUE(SameBytes(*a, *mark) && SameBytes(*b, *mark) && SameBytes(*d, *mark))
                << c.file << " group " << c.group;
        }
    }
}

// A binary property list whose top object is an array holding an array ...
// depth levels deep.
std::string DeepBinaryList(uint32_t depth)
{
    std::string data = "bplist00";
    std::vector<uint32_t> offsets;
    const auto bigEndian = [&data](uint64_t value, int size) {
        for (int i = size - 1; i >= 0; --i)
            data.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    for (uint32_t i = 0; i < depth; ++i) {
        offsets.push_back(static_cast<uint32_t>(data.size()));
        if (i + 1 < depth) {
            data.push_back('\xA1');
            bigEndian(i + 1, 4);
        } else {
            data.push_back('\xA0');
        }
    }
    const uint64_t table = data.size();
    for (uint32_t offset : offsets)
        bigEndian(offset, 4);
    data.append(6, '\0');
    data.push_back(4); // offset size
    data.push_back(4); // reference size
    bigEndian(depth, 8);
    bigEndian(0, 8);
    bigEndian(table, 8);
    return data;
}

// An XML list whose "RGB" holds arrays depth levels deep.
std::string DeepXmlList(int depth)
{
    std::string text = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>RGB</key>";
    for (int i = 0; i < depth; ++i)
        text += "<array>";
    for (int i = 0; i < depth; ++i)
        text += "</array>";
    return text + "</dict></plist>";
}

TEST_F(ProfileStoreTest, UnreadableFilesFailAndLeaveTablesAlone)
{
    ASSERT_EQ(WQPListWriteProfile_All(NewTable().get(), NewTable().get(), NewTable().get()), 0);
    const std::string full = ReadFile(current());
    struct Case {
        const char *what;
        std::string content;
    };
    const Case cases[] = {
        {"not a property list", "hello, world\n"},
        {"truncated", full.substr(0, full.size() / 2)},
        {"empty", ""},
        {"root is an array", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><integer>1</integer>"
                             "</array></plist>"},
        {"group is a string", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>RGB</key>"
                              "<string>x</string><key>SIM</key><dict/><key>DST</key><dict/></dict></plist>"},
        {"binary noise", std::string("bplist00\xFF\x01\x02\x03", 12)},
        // The parser recurses per level: such files must not take the reader
        // (the print dialog, the service) down with them.
        {"XML nested 200000 deep", DeepXmlList(200000)},
        {"binary nested 200000 deep", DeepBinaryList(200000)},
        // libplist aborts when asked for a text holding a NUL character.
        {"binary with a NUL inside a key", ReadFile(TINT_TEST_DATA "/profile_nul_key.plist")},
    };
    const auto expectRefused = [&](const std::string &what) {
        auto a = MarkedTable(0xA5), b = MarkedTable(0xA5), d = MarkedTable(0xA5);
        auto mark = MarkedTable(0xA5);
        EXPECT_EQ(WQPListReadProfile_All(a.get(), b.get(), d.get()), -1) << what;
        EXPECT_EQ(WQPListReadProfile_Dict(a.get(), 0), -1) << what;
        EXPECT_EQ(WQPListReadProfile_Dict_Pap(b.get(), 1), -1) << what;
        EXPECT_TRUE(SameBytes(*a, *mark) && SameBytes(*b, *mark) && SameBytes(*d, *mark)) << what;
        plist_t r = nullptr, s = nullptr, t = nullptr;
        EXPECT_EQ(WQPListMappingGetMainDict_FromPlist(&r, &s, &t), -1) << what;
        plist_free(r);
        plist_free(s);
        plist_free(t);
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(WriteFile(current(), c.content));
        expectRefused(c.what);
    }

    // Larger than any list could be: refused before it is read.
    ASSERT_EQ(::truncate(current().c_str(), 17L * 1024 * 1024), 0);
    expectRefused("17 MiB");

    ::unlink(current().c_str());
    expectRefused("missing");
    ASSERT_EQ(::mkfifo(current().c_str(), 0644), 0);
    expectRefused("a FIFO with no writer"); // refused, not waited on
    ::unlink(current().c_str());
    ASSERT_EQ(::mkdir(current().c_str(), 0755), 0);
    expectRefused("a folder");
}

TEST_F(ProfileStoreTest, TextThatIsNotUtf8ReadsAsEmpty)
{
    install("profile_sample.plist");
    std::string text = ReadFile(current());
    const std::string good = "<string>sRGB.icc</string>";
    const size_t at = text.find(good);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, good.size(), "<string>s\xFFRGB.icc</string>");
    ASSERT_TRUE(WriteFile(current(), text));
    auto rgb = NewTable();
    std::strcpy(rgb->entry[0].fileName, "previous");
    ASSERT_EQ(WQPListReadProfile_Dict(rgb.get(), 0), 0);
    EXPECT_STREQ(rgb->entry[0].fileName, "");
    EXPECT_STREQ(rgb->entry[0].profileName, "sRGB Display");
}

TEST_F(ProfileStoreTest, PathsThatDoNotFitAreRefused)
{
    auto t = NewTable();
    // A global without a terminator within its 255 bytes.
    std::memset(WQ_PLIST_PROFILE_PATH, 'a', sizeof WQ_PLIST_PROFILE_PATH);
    EXPECT_EQ(WQPListIsAdminProfile(), 0);
    EXPECT_EQ(WQPListWriteProfile_All(t.get(), t.get(), t.get()), -1);
    EXPECT_EQ(WQPListReadProfile_Dict(t.get(), 0), -1);
    std::memset(WQ_PLIST_PROFILE_PATH, 0, sizeof WQ_PLIST_PROFILE_PATH);
    EXPECT_EQ(WQPListIsAdminProfile(), 0);
    EXPECT_EQ(WQPListExistProfile(), 0);

    // The login-name form: a root so long that the path cannot fit.
    char out[TINT_PATH_BUFFER];
    ASSERT_EQ(ProfileStoreLoginPath(out, kProfileListNameFormat), 0);
    EXPECT_EQ(std::string(out), current());
    const std::string longRoot = root.path() + "/" + std::string(200, 'r');
    setenv("TINT_ROOT", longRoot.c_str(), 1);
    EXPECT_EQ(ProfileStoreLoginPath(out, kProfileListPrevNameFormat), -1);
    EXPECT_EQ(out[0], '\0');
    setenv("TINT_ROOT", root.path().c_str(), 1);
}

TEST_F(ProfileStoreTest, RawDictionaries)
{
    auto table = NewTable();
    SetEntry(&table->entry[0], 4, InMenu::DeviceShown, 1, "x.icc", "X", 4);
    table->iNum = 1;

    plist_t group = nullptr, iod = nullptr, menu = nullptr, cls = nullptr, loc = nullptr, fn = nullptr,
            pn = nullptr;
    plist_t props =
        CreatePropsDictionary(kProfileGroupSIM, table.get(), &group, &iod, &menu, &cls, &loc, &fn, &pn);
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(plist_dict_get_size(props), 1u);
    EXPECT_EQ(plist_dict_get_item(props, "SIM"), group);
    EXPECT_EQ(plist_dict_get_item(group, "FileName"), fn);
    EXPECT_EQ(plist_dict_get_size(menu), 500u);
    plist_t got[6] = {};
    int32_t count = -1;
    EXPECT_EQ(WQPListMappingGetSubDict(group, &got[0], &got[1], &got[2], &got[3], &got[4], &got[5], &count),
              0);
    EXPECT_EQ(got[0], iod);
    EXPECT_EQ(got[3], loc);
    EXPECT_EQ(got[5], pn);
    EXPECT_EQ(count, 1);
    plist_dict_remove_item(group, "Location");
    EXPECT_EQ(WQPListMappingGetSubDict(group, &got[0], &got[1], &got[2], &got[3], &got[4], &got[5], &count),
              -1);
    plist_free(props);

    props = CreatePropsDictionary(7, table.get(), &group, &iod, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(plist_dict_get_size(props), 0u);
    EXPECT_EQ(group, nullptr);
    EXPECT_EQ(iod, nullptr);
    plist_free(props);

    install("profile_no_sim.plist");
    plist_t r = nullptr, s = nullptr, d = nullptr;
    EXPECT_EQ(WQPListMappingGetMainDict_FromPlist(&r, &s, &d), -1);
    EXPECT_NE(r, nullptr) << "copies made before the missing key belong to the caller";
    EXPECT_EQ(s, nullptr);
    plist_free(r);
    install("profile_sample.plist");
    EXPECT_EQ(WQPListMappingGetMainDict_FromPlist(&r, &s, &d), 0);
    int32_t n = 0;
    EXPECT_EQ(WQPListMappingGetSubDict(d, &got[0], &got[1], &got[2], &got[3], &got[4], &got[5], &n), 0);
    EXPECT_EQ(n, 2);
    plist_free(r);
    plist_free(s);
    plist_free(d);
}
