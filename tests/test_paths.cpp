#include "TempRoot.h"
#include "TintPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(Paths, RootPrefixesTheInstalledPaths)
{
    unsetenv("TINT_ROOT");
    EXPECT_EQ(TintPreferencesFolder(), std::string(kTintPreferencesFolder));
    EXPECT_EQ(TintRelayPath(), std::string(kTintRelayPath));

    setenv("TINT_ROOT", "/tmp/r//", 1);
    EXPECT_EQ(TintPreferencesFolder(), std::string("/tmp/r") + kTintPreferencesFolder);
    EXPECT_EQ(TintProfileFolder(), std::string("/tmp/r") + kTintProfileFolder);
    unsetenv("TINT_ROOT");
}

TEST(Paths, FormattedPathsThatDoNotFitAreRefusedNotCut)
{
    TempRoot root;
    char buffer[TINT_PATH_BUFFER];
    ASSERT_EQ(TintFormatPreferencesPath(buffer, "%s-QV-MR52-profile.plist", "alice"), 0);
    EXPECT_EQ(std::string(buffer), root.prefFile("alice-QV-MR52-profile.plist"));

    // Exactly 254 bytes fits; 255 does not.
    std::string folder = root.preferences();
    std::string fits(254 - folder.size(), 'a');
    ASSERT_EQ(TintFormatPreferencesPath(buffer, "%s", fits.c_str()), 0);
    EXPECT_EQ(std::string(buffer).size(), 254u);
    std::string tooLong = fits + "b";
    EXPECT_EQ(TintFormatPreferencesPath(buffer, "%s", tooLong.c_str()), -1);
    EXPECT_EQ(buffer[0], '\0');
}

TEST(Paths, LoginNameComesFromThePasswordDatabase)
{
    EXPECT_FALSE(TintLoginName().empty());
}
