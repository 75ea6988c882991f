#include "AdvancedColorOptions.h"

#include "ClassRegistry.h"
#include "PDECommon.h"
#include "TintPaths.h"
#if TINT_HAVE_PROFILESTORE
#include "ProfileStore.h"
#endif

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <cerrno>
#include <new>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TINT_REGISTER_WIDGET_CLASS(AdvancedColorOptions);

namespace
{

// The pane's table template. Controls are filled in from the outlets when the
// table is built, in the order of the outlet list in createPDEControlTable.
// Records 0 to 20 are the pop-ups in preset order (Image, Text, Graphics, each
// RGB Source, RGB Intent, RGB Gray Treatment, Destination Profile, Halftone,
// EdgeEnhance; then the three Simulation pop-ups). The Halftone pop-ups have
// no identifier, so no preset rule can name them.
constexpr PDEControlItem kAdvancedTemplate[] = {
    {nullptr, kPDEControlPopUp, "WQImageRGBSource", "RGB Source:", "Image RGB Source", "ImageRGBSourcePopup",
     kProfileListRGBSource, nullptr},
    {nullptr, kPDEControlPopUp, "WQImageRenderIntent", "RGB Intent:", "Image RGB Intent",
     "ImageRenderIntentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQImageGrayTreatment", "RGB Gray Treatment:", "Image RGB Gray Treatment",
     "ImageGrayTreatmentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQImageDestinationProfile", "Destination Profile:",
     "Image Destination Profile", "ImageDestinationProfilePopup", kProfileListDestination, nullptr},
    {nullptr, kPDEControlPopUp, "WQImageHalftone", "Halftone:", "Image Halftone", "", kProfileListNone,
     nullptr},
    {nullptr, kPDEControlPopUp, "WQImageEdgeEnhance", "EdgeEnhance:", "Image EdgeEnhance",
     "ImageEdgeEnhancePopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQTextRGBSource", "RGB Source:", "Text RGB Source", "TextRGBSourcePopup",
     kProfileListRGBSource, nullptr},
    {nullptr, kPDEControlPopUp, "WQTextRenderIntent", "RGB Intent:", "Text RGB Intent",
     "TextRenderIntentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQTextGrayTreatment", "RGB Gray Treatment:", "Text RGB Gray Treatment",
     "TextGrayTreatmentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQTextDestinationProfile", "Destination Profile:",
     "Text Destination Profile", "TextDestinationProfilePopup", kProfileListDestination, nullptr},
    {nullptr, kPDEControlPopUp, "WQTextHalftone", "Halftone:", "Text Halftone", "", kProfileListNone,
     nullptr},
    {nullptr, kPDEControlPopUp, "WQTextEdgeEnhance", "EdgeEnhance:", "Text EdgeEnhance",
     "TextEdgeEnhancePopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQGraphicsRGBSource", "RGB Source:", "Graphics RGB Source",
     "GraphicsRGBSourcePopup", kProfileListRGBSource, nullptr},
    {nullptr, kPDEControlPopUp, "WQGraphicsRenderIntent", "RGB Intent:", "Graphics RGB Intent",
     "GraphicsRenderIntentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQGraphicsGrayTreatment", "RGB Gray Treatment:",
     "Graphics RGB Gray Treatment", "GraphicsGrayTreatmentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQGraphicsDestinationProfile", "Destination Profile:",
     "Graphics Destination Profile", "GraphicsDestinationProfilePopup", kProfileListDestination, nullptr},
    {nullptr, kPDEControlPopUp, "WQGraphicsHalftone", "Halftone:", "Graphics Halftone", "", kProfileListNone,
     nullptr},
    {nullptr, kPDEControlPopUp, "WQGraphicsEdgeEnhance", "EdgeEnhance:", "Graphics EdgeEnhance",
     "GraphicsEdgeEnhancePopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQSimSource", "Simulation Profile:", "Simulation Profile",
     "SimulationSourcePopup", kProfileListSimulation, nullptr},
    {nullptr, kPDEControlPopUp, "WQSimRenderIntent", "Match Paper Color:", "Match Paper Color",
     "SimulationRenderIntentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQSimGrayTreatment", "CMYK Gray Treatment:", "CMYK Gray Treatment",
     "SimulationGrayTreatmentPopup", kProfileListNone, nullptr},
    {nullptr, kPDEControlTabView, "", "Image", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Source:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Intent:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Gray Treatment:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Destination Profile:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Halftone:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "EdgeEnhance:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Source:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Intent:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Gray Treatment:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Destination Profile:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Halftone:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "EdgeEnhance:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Source:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Intent:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "RGB Gray Treatment:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Destination Profile:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Halftone:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "EdgeEnhance:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Simulation Profile:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Match Paper Color:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "CMYK Gray Treatment:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlPushButton, "", "Management Profile", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlPushButton, "", "Sendrix", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlPushButton, "", "Hide Advanced Options", nullptr, "", kProfileListNone, nullptr},
    kPDEControlEndRecord,
};
constexpr int kAdvancedRecords = sizeof(kAdvancedTemplate) / sizeof(kAdvancedTemplate[0]);
static_assert(kAdvancedRecords == 47);

constexpr int kPresetPopups = 21;
constexpr int16_t kPresetCount = 3; // Quick Color positions 0..2; 3 is "Custom"

// Item position of each pop-up (record 0..20 of the table) for Quick Color
// positions 0, 1 and 2. Selection is by position only: what a position means
// is decided by the PPD's choice order.
struct QuickColorPresetRow {
    int record;
    int position[kPresetCount];
};
constexpr QuickColorPresetRow kQuickColorPresets[kPresetPopups] = {
    {0, {1, 1, 1}},  // Image RGB Source
    {1, {0, 0, 1}},  // Image RGB Intent
    {2, {1, 0, 1}},  // Image RGB Gray Treatment
    {3, {0, 0, 0}},  // Image Destination Profile
    {4, {1, 1, 2}},  // Image Halftone
    {5, {0, 0, 1}},  // Image EdgeEnhance
    {6, {1, 1, 1}},  // Text RGB Source
    {7, {1, 0, 1}},  // Text RGB Intent
    {8, {1, 0, 1}},  // Text RGB Gray Treatment
    {9, {0, 0, 0}},  // Text Destination Profile
    {10, {2, 1, 2}}, // Text Halftone
    {11, {1, 0, 1}}, // Text EdgeEnhance
    {12, {1, 1, 1}}, // Graphics RGB Source
    {13, {1, 0, 1}}, // Graphics RGB Intent
    {14, {1, 0, 1}}, // Graphics RGB Gray Treatment
    {15, {0, 0, 0}}, // Graphics Destination Profile
    {16, {1, 1, 2}}, // Graphics Halftone
    {17, {1, 0, 1}}, // Graphics EdgeEnhance
    {18, {0, 0, 0}}, // Simulation Profile
    {19, {0, 0, 0}}, // Match Paper Color
    {20, {0, 0, 0}}, // CMYK Gray Treatment
};

// With Econo Mode on, these pop-ups are moved to their first item after the
// preset, in this order. Text EdgeEnhance is never overridden; preset 1 has
// its edge enhancement off already.
struct EconoOverride {
    int16_t preset;
    int record;
};
constexpr EconoOverride kEconoOverrides[] = {
    {0, 17}, // Graphics EdgeEnhance
    {2, 5},  // Image EdgeEnhance
    {2, 17}, // Graphics EdgeEnhance
};

bool PathExists(const char *path)
{
    struct stat st;
    return ::stat(path, &st) == 0;
}

// Hands path to the desktop's opener, detached: a short-lived shell starts
// the opener in the background, in a session of its own, with its standard
// streams on /dev/null, and exits at once; the dialog waits only for that
// shell, so the opener is neither waited for nor left a zombie.
void OpenDetached(const char *path)
{
    static const char kScript[] = "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";
    const char *const argv[] = {"/bin/sh", "-c", kScript, "sh", path, nullptr};

    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0)
        return;
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        posix_spawnattr_destroy(&attr);
        return;
    }
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);

    pid_t shell = -1;
    const int spawned =
        posix_spawn(&shell, argv[0], &actions, &attr, const_cast<char *const *>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (spawned != 0)
        return;
    int status = 0;
    while (::waitpid(shell, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

AdvancedColorOptions::AdvancedColorOptions(QWidget *parent) : QWidget(parent) {}

AdvancedColorOptions::~AdvancedColorOptions()
{
    // The panel frees the table on release; a pane destroyed without that
    // must not leak its choice lists.
    if (ctrlTable)
        deallocPDEControlTable();
}

void AdvancedColorOptions::setPPDFile(ppd_file_t *ppdFile)
{
    ppd = ppdFile;
}

void AdvancedColorOptions::setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession)
{
    setting = printSettings;
    session = printSession;
}

void AdvancedColorOptions::setViewBounds(const QRect &bounds)
{
    resize(bounds.width(), bounds.height());
}

void AdvancedColorOptions::createPDEControlTable()
{
    QWidget *const outlets[kAdvancedRecords - 1] = {
        menu_iRGBSource,         menu_iRGBIntent,
        menu_iRGBGrayTreatment,  menu_iDestinationProfile,
        menu_iHalftone,          menu_iEdgeEnhancement,
        menu_tRGBSource,         menu_tRGBIntent,
        menu_tRGBGrayTreatment,  menu_tDestinationProfile,
        menu_tHalftone,          menu_tEdgeEnhancement,
        menu_gRGBSource,         menu_gRGBIntent,
        menu_gRGBGrayTreatment,  menu_gDestinationProfile,
        menu_gHalftone,          menu_gEdgeEnhancement,
        menu_sSimulationProfile, menu_sMatchPaperColor,
        menu_sCMYKGrayTreatment, tab_SwitchVew,
        text_iRGBSource,         text_iRGBIntent,
        text_iRGBGrayTreatment,  text_iDestinationProfile,
        text_iHalftone,          text_iEdgeEnhancement,
        text_tRGBSource,         text_tRGBIntent,
        text_tRGBGrayTreatment,  text_tDestinationProfile,
        text_tHalftone,          text_tEdgeEnhancement,
        text_gRGBSource,         text_gRGBIntent,
        text_gRGBGrayTreatment,  text_gDestinationProfile,
        text_gHalftone,          text_gEdgeEnhancement,
        text_sSimulationProfile, text_sMatchPaperColor,
        text_sCMYKGrayTreatment, button_ManageProfile,
        button_Sendrix,          button_HideAdvancedOptions,
    };
    // A table built earlier is released first, never leaked.
    if (ctrlTable)
        deallocPDEControlTable();
    // Always all 47 records, closed by the end record, even when the layout
    // lacks a control: the record without one then ends every walk, while
    // the rules and the compound table, which stop at the end record, never
    // read past the table. Null when it cannot be allocated; the pane then
    // stays unbound and the switcher never shows it.
    ctrlCount = kAdvancedRecords;
    ctrlTable.reset(new (std::nothrow) PDEControlItem[kAdvancedRecords]());
    if (ctrlTable) {
        for (int i = 0; i < kAdvancedRecords; ++i) {
            ctrlTable[i] = kAdvancedTemplate[i];
            if (i < kAdvancedRecords - 1)
                ctrlTable[i].control = outlets[i];
        }
        for (PDEControlItem *item = ctrlTable.get(); item->control; ++item) {
            item->choices = nullptr;
            if (item->ppdKey[0] != '\0')
                PDECommon::commonGetPPDArrayForUIOption(ppd, item->ppdKey, &item->choices);
        }
    }

    if (tab_SwitchVew)
        tab_SwitchVew->setCurrentIndex(0);
#if TINT_HAVE_PROFILESTORE
    if (button_ManageProfile)
        button_ManageProfile->setEnabled(WQPListIsAdminProfile() != 0);
#else
    // Without the profile store nobody can write the list.
    if (button_ManageProfile)
        button_ManageProfile->setEnabled(false);
#endif
}

void AdvancedColorOptions::deallocPDEControlTable()
{
    if (!ctrlTable)
        return;
    PDECommon::commonReleasePPDArrays(ctrlTable.get());
    ctrlTable.reset();
}

PDEControlItem *AdvancedColorOptions::getControlData()
{
    return ctrlTable.get();
}

int16_t AdvancedColorOptions::getControlCount()
{
    return ctrlCount;
}

void AdvancedColorOptions::addPPDArray(std::vector<std::string> *array)
{
    if (ctrlTable)
        PDECommon::commonAddPPDArray(array, ctrlTable.get());
}

void AdvancedColorOptions::createPDEItemForPPDKey()
{
    if (!ctrlTable)
        return;
    PDECommon::commonBuildPDEItem(ctrlTable.get(), ppd);
    PDECommon::commonAddMenuFromProfilePlist(ctrlTable.get());
}

void AdvancedColorOptions::defaultFromPPDInfo()
{
    if (ctrlTable)
        PDECommon::commonDefaultFromPPDInfo(ctrlTable.get());
}

void AdvancedColorOptions::setControlValueToTicket()
{
    if (ctrlTable)
        PDECommon::commonSyncTicketFromPane(setting, session, ctrlTable.get());
}

void AdvancedColorOptions::getControlValueFromTicket()
{
    if (ctrlTable)
        PDECommon::commonSyncPaneFromTicket(setting, session, ctrlTable.get());
}

void AdvancedColorOptions::getSummaryText(PMDictionaryRef summaryDict, PMArrayRef addArray)
{
    if (ctrlTable)
        PDECommon::commonGetSummaryText(ctrlTable.get(), summaryDict, addArray);
}

namespace
{

// The pop-up of a preset record (records 0 to 20 of the pane's table).
QComboBox *PopUpOf(const PDEControlItem &item)
{
    return qobject_cast<QComboBox *>(item.control);
}

// Selects position in popup when the pop-up has such an item; a pop-up with
// fewer items (a PPD with fewer choices) is left as it is.
void SelectPresetPosition(QComboBox *popup, int position)
{
    if (popup && position >= 0 && position < popup->count())
        popup->setCurrentIndex(position);
}

// Title of the item at position, or of the current item when the pop-up has
// no such item (it was left as it is).
std::string PresetTitle(QComboBox *popup, int position)
{
    if (!popup)
        return std::string();
    if (position >= 0 && position < popup->count())
        return popup->itemText(position).toStdString();
    return popup->currentText().toStdString();
}

} // namespace

void AdvancedColorOptions::changeItemAccodingQuickColor(int16_t quickColor, int16_t econoMode)
{
    // Without a table the pane was never bound to its controls.
    if (!ctrlTable || quickColor < 0 || quickColor >= kPresetCount)
        return;
    for (const QuickColorPresetRow &row : kQuickColorPresets)
        SelectPresetPosition(PopUpOf(ctrlTable[row.record]), row.position[quickColor]);
    if (econoMode == 0)
        return;
    for (const EconoOverride &override : kEconoOverrides) {
        if (override.preset == quickColor)
            SelectPresetPosition(PopUpOf(ctrlTable[override.record]), 0);
    }
}

void AdvancedColorOptions::getSummaryItemAccodingQuickColor(int16_t quickColor, int16_t econoMode,
                                                            PMDictionaryRef summaryDict, PMArrayRef addArray)
{
    if (!ctrlTable || quickColor < 0 || quickColor >= kPresetCount)
        return;
    for (const QuickColorPresetRow &row : kQuickColorPresets) {
        const PDEControlItem &item = ctrlTable[row.record];
        PDECommon::commonGetSummaryTextQuickColor(
            item.summaryKey, PresetTitle(PopUpOf(item), row.position[quickColor]), summaryDict, addArray);
    }
    if (econoMode == 0)
        return;
    for (const EconoOverride &override : kEconoOverrides) {
        if (override.preset != quickColor)
            continue;
        const PDEControlItem &item = ctrlTable[override.record];
        PDECommon::commonGetSummaryTextQuickColor(item.summaryKey, PresetTitle(PopUpOf(item), 0), summaryDict,
                                                  addArray);
    }
}

void AdvancedColorOptions::sendrixButton(QObject *)
{
    // Refused rather than cut when the root makes the path too long: a cut
    // path would name another file.
    char path[TINT_PATH_BUFFER];
    if (TintCopyPath(path, TintSendrixPath().c_str()) != 0)
        return;
    if (!PathExists(path))
        return;
    OpenDetached(path);
}
