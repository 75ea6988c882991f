// tintdialog as a user drives it: printing with each Quick Color preset
// carries the preset positions into the job's options, and a control that a
// rule greys out cannot be set.
#include "TempRoot.h"
#include "test_advanced_keys.h"

#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{

const std::string kTintDialog = TINT_DIALOG;
const std::string kSamplePPD = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";

// Positions of the advanced options under presets 0..2.
const int kPreset[3][21] = {
    {1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 1, 1, 0, 0, 0},
    {1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0},
    {1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2, 1, 0, 0, 0},
};

struct PPDCloser {
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};

// Choice keyword at position of option key in the sample PPD.
std::string Choice(const char *key, int position)
{
    static std::unique_ptr<ppd_file_t, PPDCloser> ppd(ppdOpenFile(kSamplePPD.c_str()));
    ppd_option_t *option = ppd ? ppdFindOption(ppd.get(), key) : nullptr;
    if (!option || position < 0 || position >= option->num_choices)
        return "<none>";
    return option->choices[position].choice;
}

std::map<std::string, std::string> ParseOptions(const std::string &text)
{
    std::map<std::string, std::string> options;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            options[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return options;
}

class AdvancedTintDialog : public ::testing::Test
{
  protected:
    // Runs tintdialog with the job's settings in this test's root.
    std::string run(const std::string &arguments, int *status)
    {
        const std::string command = "QT_QPA_PLATFORM=offscreen LC_ALL=C '" + kTintDialog + "' --ppd '" +
                                    kSamplePPD + "' --settings '" + settings + "' " + arguments + " 2>'" +
                                    root.path() + "/stderr'";
        return RunCommand(command, status);
    }
    std::string errors() { return ReadFile(root.path() + "/stderr"); }

    TempRoot root;
    std::string settings = root.path() + "/job-settings.plist";
};

TEST_F(AdvancedTintDialog, PrintCarriesEachPresetIntoTheJob)
{
    const char *const quickColor[] = {"Auto", "Vivid", "Document"};
    for (int preset = 0; preset < 3; ++preset) {
        for (bool econo : {false, true}) {
            SCOPED_TRACE(std::string(quickColor[preset]) + (econo ? " with" : " without") + " Econo Mode");
            std::remove(settings.c_str());
            int status = -1;
            // First the advanced pop-ups away from every preset position, as
            // a user might have left them under Custom.
            run("set WQQuickColor=Custom WQImageRGBSource=AdobeRGB WQTextHalftone=Auto "
                "WQGraphicsEdgeEnhance=Off WQImageEdgeEnhance=Off WQSimSource=Euroscale",
                &status);
            ASSERT_EQ(status, 0) << errors();
            run(std::string("set WQQuickColor=") + quickColor[preset] +
                    " WQEconoMode=" + (econo ? "True" : "False"),
                &status);
            ASSERT_EQ(status, 0) << errors();

            const auto options = ParseOptions(run("print", &status));
            ASSERT_EQ(status, 0) << errors();
            EXPECT_EQ(options.at("WQQuickColor"), quickColor[preset]);
            for (int i = 0; i < 21; ++i) {
                int position = kPreset[preset][i];
                const std::string key = kAdvancedKeys[i];
                if (econo &&
                    ((preset == 0 && key == "WQGraphicsEdgeEnhance") ||
                     (preset == 2 && (key == "WQImageEdgeEnhance" || key == "WQGraphicsEdgeEnhance"))))
                    position = 0;
                ASSERT_TRUE(options.count(key)) << key;
                EXPECT_EQ(options.at(key), Choice(kAdvancedKeys[i], position)) << key;
            }
        }
    }
}

TEST_F(AdvancedTintDialog, PrintUnderCustomKeepsTheUsersChoices)
{
    int status = -1;
    run("set WQQuickColor=Custom WQImageRGBSource=AdobeRGB WQTextHalftone=Auto WQSimSource=Euroscale",
        &status);
    ASSERT_EQ(status, 0) << errors();
    const auto options = ParseOptions(run("print", &status));
    ASSERT_EQ(status, 0) << errors();
    EXPECT_EQ(options.at("WQImageRGBSource"), "AdobeRGB");
    EXPECT_EQ(options.at("WQTextHalftone"), "Auto");
    EXPECT_EQ(options.at("WQSimSource"), "Euroscale");
}

TEST_F(AdvancedTintDialog, SetOfAGreyedControlIsRefusedAndWritesNothing)
{
    int status = -1;
    // Within one command: grayscale greys the image RGB source at once.
    run("set WQColorAsGray=True WQImageRGBSource=AdobeRGB", &status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errors().find("WQImageRGBSource"), std::string::npos) << errors();
    EXPECT_FALSE(FileExists(settings));

    // Across commands: the saved grayscale greys separation on restore.
    run("set WQColorAsGray=True", &status);
    ASSERT_EQ(status, 0) << errors();
    const std::string saved = ReadFile(settings);
    ASSERT_FALSE(saved.empty());
    for (const char *pair :
         {"WQColorSeparation=True", "WQTextDestinationProfile=Glossy", "WQSimGrayTreatment=CMYK"}) {
        run(std::string("set ") + pair, &status);
        EXPECT_EQ(status, 2) << pair;
        EXPECT_EQ(ReadFile(settings), saved) << pair;
    }
    // Edge type Off greys every edge enhancement but leaves the rest alone
    // (under Custom, where the advanced options are within reach).
    run("set WQQuickColor=Custom WQColorAsGray=False WQEdgeType=Off", &status);
    ASSERT_EQ(status, 0) << errors();
    run("set WQTextEdgeEnhance=On", &status);
    EXPECT_EQ(status, 2);
    run("set WQTextHalftone=Detail", &status);
    EXPECT_EQ(status, 0) << errors();
}

} // namespace
