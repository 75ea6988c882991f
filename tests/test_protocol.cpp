// Request strings, their splitting, file URLs and transfer pieces.
#include "FileUrl.h"
#include "RelayProtocol.h"
#include "RequestBuilder.h"
#include "RequestSplitter.h"
#include "TintText.h"
#include "TransferPieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::string Build(const char *method, const std::vector<std::string> &args, bool *ok = nullptr)
{
    const tint::MethodInfo *info = tint::findMethod(method);
    EXPECT_NE(info, nullptr) << method;
    std::string request;
    const bool built = info && tint::buildRequest(*info, args, &request);
    if (ok)
        *ok = built;
    return request;
}

} // namespace

TEST(ProtocolBuild, RequestsAreTheFieldsAndTagsWithNothingBetween)
{
    struct Row {
        const char *method;
        std::vector<std::string> args;
        std::string request;
    } rows[] = {
        {"wqPListSwapProfile_XPC",
         {"2", "/a/cur.plist", "/a/prev.plist"},
         "2:ARG_iSwapType/a/cur.plist:ARG_cFooCurrentString/a/prev.plist:ARG_cFooPrevString"},
        {"mibwalk_XPC",
         {"QV-MR52", "alice", "x", "y"},
         "QV-MR52:ModelName:ENDalice:USErName:ENDx:arg:y:arg:"},
        {"mibwalk_XPC", {"QV-MR52", "alice"}, "QV-MR52:ModelName:ENDalice:USErName:END"},
        {"wqPListRemove_XPC", {"/p/a b.plist"}, "/p/a b.plist"},
        {"writeDataToPlistFileRename_XPC", {"file:///p/x.plist"}, "file:///p/x.plist"},
        {"writeDataToPlistFile_XPC",
         {"file:///p/x.plist", "<a>:AddURL:END</a>"},
         "file:///p/x.plist:AddURL:END<a>:AddURL:END</a>"},
        {"writeDictionaryToPlistFile_XPC", {"file:///p/x.plist", "é"}, "file:///p/x.plist:AddURL:ENDé"},
        // Arguments beyond those a method uses are ignored.
        {"wqPListExistProfile_XPC", {"/p", "extra"}, "/p"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Build(row.method, row.args), row.request) << row.method;
}

TEST(ProtocolBuild, TooFewArgumentsOrBadUtf8BuildNothing)
{
    struct Row {
        const char *method;
        std::vector<std::string> args;
    } rows[] = {
        {"wqPListRemove_XPC", {}},
        {"wqPListSwapProfile_XPC", {"2", "/a"}},
        {"mibwalk_XPC", {"QV-MR52"}},
        {"writeDataToPlistFile_XPC", {"file:///x"}},
        {"wqPListIsAdminProfile_XPC", {"/p/\xff.plist"}},
        {"mibwalk_XPC", {"QV-MR52", "alice", "\xc3"}},
    };
    for (const Row &row : rows) {
        bool ok = true;
        EXPECT_EQ(Build(row.method, row.args, &ok), "") << row.method;
        EXPECT_FALSE(ok) << row.method;
    }
}

TEST(ProtocolSplit, SwapFieldsNullAndMissingTags)
{
    struct Row {
        std::string request;
        bool wellFormed;
        int type;
        const char *current; // nullptr: absent
        const char *previous;
    } rows[] = {
        {"2:ARG_iSwapType/a/cur.plist:ARG_cFooCurrentString/a/prev.plist:ARG_cFooPrevString", true, 2,
         "/a/cur.plist", "/a/prev.plist"},
        {"1:ARG_iSwapTypeNULL:ARG_cFooCurrentString/a/prev.plist:ARG_cFooPrevString", true, 1, nullptr,
         "/a/prev.plist"},
        {"NULL:ARG_iSwapType/c:ARG_cFooCurrentStringNULL:ARG_cFooPrevString", true, 0, "/c", nullptr},
        {"7x:ARG_iSwapType", true, 7, nullptr, nullptr},
        {"abc:ARG_iSwapType/c:ARG_cFooCurrentString", true, 0, "/c", nullptr},
        {"-3:ARG_iSwapType", true, -3, nullptr, nullptr},
        {"99999999999:ARG_iSwapType", true, 2147483647, nullptr, nullptr},
        {"", true, 0, nullptr, nullptr},
        // Fields are measured from the end of a tag that is missing.
        {"2/a/cur.plist:ARG_cFooCurrentString/a/prev.plist:ARG_cFooPrevString", false, 0, nullptr, nullptr},
        {"2:ARG_iSwapType/a/prev.plist:ARG_cFooPrevString", false, 0, nullptr, nullptr},
        // Tags out of order.
        {"/p:ARG_cFooPrevString2:ARG_iSwapType/c:ARG_cFooCurrentString", false, 0, nullptr, nullptr},
    };
    for (const Row &row : rows) {
        tint::SwapRequest swap;
        ASSERT_EQ(tint::splitSwapRequest(row.request, &swap), row.wellFormed) << row.request;
        if (!row.wellFormed)
            continue;
        EXPECT_EQ(swap.type, row.type) << row.request;
        EXPECT_EQ(swap.currentPath.has_value(), row.current != nullptr) << row.request;
        if (row.current && swap.currentPath) {
            EXPECT_EQ(*swap.currentPath, row.current);
        }
        EXPECT_EQ(swap.prevPath.has_value(), row.previous != nullptr) << row.request;
        if (row.previous && swap.prevPath) {
            EXPECT_EQ(*swap.prevPath, row.previous);
        }
    }
}

TEST(ProtocolSplit, WalkArgumentsAndTheDroppedLastPiece)
{
    struct Row {
        std::string request;
        bool wellFormed;
        std::string model, user;
        std::vector<std::string> args;
    } rows[] = {
        {"QV-MR52:ModelName:ENDalice:USErName:ENDx:arg:y:arg:", true, "QV-MR52", "alice", {"x", "y"}},
        {"QV-MR52:ModelName:ENDalice:USErName:END", true, "QV-MR52", "alice", {}},
        // A walk part that does not end in ":arg:" loses its last argument.
        {"M:ModelName:ENDu:USErName:ENDx:arg:y", true, "M", "u", {"x"}},
        {"M:ModelName:ENDu:USErName:END:arg::arg:", true, "M", "u", {"", ""}},
        {":ModelName:END:USErName:END", true, "", "", {}},
        {"M:ModelName:ENDu", false, "", "", {}},
        {"Mu:USErName:ENDx:arg:", false, "", "", {}},
        {"u:USErName:ENDM:ModelName:END", false, "", "", {}},
    };
    for (const Row &row : rows) {
        tint::WalkRequest walk;
        ASSERT_EQ(tint::splitWalkRequest(row.request, &walk), row.wellFormed) << row.request;
        if (!row.wellFormed)
            continue;
        EXPECT_EQ(walk.model, row.model);
        EXPECT_EQ(walk.user, row.user);
        EXPECT_EQ(walk.args, row.args) << row.request;
    }
}

TEST(ProtocolSplit, DataAfterTheFirstTagIsVerbatim)
{
    tint::DataRequest data;
    ASSERT_TRUE(tint::splitDataRequest("file:///x:AddURL:ENDa:AddURL:ENDb\n", &data));
    EXPECT_EQ(data.url, "file:///x");
    EXPECT_EQ(data.data, "a:AddURL:ENDb\n");
    ASSERT_TRUE(tint::splitDataRequest("file:///x:AddURL:END", &data));
    EXPECT_EQ(data.data, "");
    EXPECT_FALSE(tint::splitDataRequest("file:///x", &data));
}

TEST(ProtocolSplit, BuildThenSplitRoundTrips)
{
    const std::vector<std::string> walkArgs = {
        "snmpwalk", "-Os", "-c", "wemblo", "-v", "1", "127.0.0.1", "1.3.6.1.4.1.64999.1.1.1.1.6.13.1.1"};
    std::vector<std::string> args = {"QV-MR52", "alice"};
    args.insert(args.end(), walkArgs.begin(), walkArgs.end());
    tint::WalkRequest walk;
    ASSERT_TRUE(tint::splitWalkRequest(Build("mibwalk_XPC", args), &walk));
    EXPECT_EQ(walk.args, walkArgs);
}

TEST(ProtocolFileUrl, PathsAndUrls)
{
    EXPECT_EQ(TintFileUrlFromPath("/Library/Application Support/a%b.plist"),
              "file:///Library/Application%20Support/a%25b.plist");
    EXPECT_EQ(TintFileUrlFromPath("relative"), "");

    struct Row {
        const char *url;
        bool ok;
        const char *path;
    } rows[] = {
        {"file:///Library/Application%20Support/a%25b.plist", true, "/Library/Application Support/a%b.plist"},
        {"file://localhost/x/y.plist", true, "/x/y.plist"},
        {"file:/x/y.plist", true, "/x/y.plist"},
        {"file:///x/%C3%A9.plist", true, "/x/\xc3\xa9.plist"},
        {"file://host/x", false, ""},
        {"http:///x", false, ""},
        {"/x/y.plist", false, ""},
        {"file:///x%2", false, ""},
        {"file:///x%zz", false, ""},
        {"file:///x%00y", false, ""},
        {"file:///x?y", false, ""},
        {"file:///x#y", false, ""},
    };
    for (const Row &row : rows) {
        std::string path;
        EXPECT_EQ(TintPathFromFileUrl(row.url, &path), row.ok) << row.url;
        EXPECT_EQ(path, row.path) << row.url;
    }
    const std::string odd = "/p/ä ö%#?&+\x01.plist";
    std::string back;
    ASSERT_TRUE(TintPathFromFileUrl(TintFileUrlFromPath(odd), &back));
    EXPECT_EQ(back, odd);
}

TEST(ProtocolPieces, FullPiecesThenTheRest)
{
    const std::string two(2 * 90000, 'a');
    auto pieces = TintSplitTransferPieces(two);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 90000u);
    pieces = TintSplitTransferPieces(two + "b");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[2], "b");
    pieces = TintSplitTransferPieces("");
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0], "");
    EXPECT_TRUE(TintSplitTransferPieces("\xff").empty());
}

TEST(ProtocolPieces, NonAsciiStaysBelowTheArgumentLimitAndPairsStayWhole)
{
    // 90000 three-byte characters would make a 270000-byte argument.
    std::string wide;
    for (int i = 0; i < 100000; ++i)
        wide += "\xe2\x82\xac"; // U+20AC
    auto pieces = TintSplitTransferPieces(wide);
    std::string joined;
    for (const std::string &p : pieces) {
        EXPECT_LE(p.size(), kTintMaxArgumentBytes);
        EXPECT_TRUE(TintIsValidUtf8(p));
        joined += p;
    }
    EXPECT_EQ(joined, wide);
    EXPECT_EQ(pieces[0].size() % 3, 0u);

    // A character outside the BMP that would straddle the cut moves to the
    // next piece: the first piece gets 89999 units.
    std::string pair = std::string(89999, 'a') + "\xf0\x9f\x98\x80" + "b";
    pieces = TintSplitTransferPieces(pair);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::string(89999, 'a'));
    EXPECT_EQ(pieces[1], "\xf0\x9f\x98\x80"
                         "b");
}

TEST(ProtocolUtf8, Validation)
{
    struct Row {
        std::string text;
        bool valid;
    } rows[] = {
        {"plain", true},
        {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", true},
        {std::string("a\0b", 3), true},
        {"\xc0\xaf", false},         // overlong
        {"\xed\xa0\x80", false},     // surrogate
        {"\xf4\x90\x80\x80", false}, // above U+10FFFF
        {"\xe2\x82", false},         // truncated
        {"\x80", false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TintIsValidUtf8(row.text), row.valid);
}

// The text layer's choices that its callers rely on: which characters XML
// takes, where a cut may fall, and the two ways a bad percent escape goes.
TEST(TextLayer, XmlCharactersCutsAndPercentEscapes)
{
    EXPECT_TRUE(TintIsXmlSafeUtf8("tab\tline\ncr\r\xc3\xa9"));
    for (const char *bad : {"a\x01", "\xef\xbf\xbe", "\xc3"})
        EXPECT_FALSE(TintIsXmlSafeUtf8(bad)) << bad;
    EXPECT_TRUE(TintHasNoXmlForbiddenControls("latin-1 \xe9 passes"));
    EXPECT_FALSE(TintHasNoXmlForbiddenControls("a\x1f"));

    const std::string euro = "ab\xe2\x82\xac"; // 5 bytes
    EXPECT_EQ(TintUtf8CutLength(euro, 4), 2u); // never inside the euro sign
    EXPECT_EQ(TintUtf8CutLength(euro, 5), 5u);

    struct Row {
        std::string text;
        std::string keep;   // TintBadEscape::Keep
        const char *refuse; // TintBadEscape::Refuse; nullptr: refused
    } rows[] = {
        {"a%20b%41", "a bA", "a bA"},
        {"100%", "100%", nullptr},
        {"%zz1", "%zz1", nullptr},
        {"%4", "%4", nullptr},
        {"x%00", std::string("x\0", 2), nullptr},
    };
    for (const Row &row : rows) {
        std::string out;
        EXPECT_TRUE(TintPercentDecode(row.text, TintBadEscape::Keep, &out));
        EXPECT_EQ(out, row.keep) << row.text;
        EXPECT_EQ(TintPercentDecode(row.text, TintBadEscape::Refuse, &out), row.refuse != nullptr)
            << row.text;
        EXPECT_EQ(out, row.refuse ? row.refuse : "") << row.text;
    }
}
