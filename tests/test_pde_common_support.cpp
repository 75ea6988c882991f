#include "test_pde_common_support.h"

#include "TempRoot.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>

#include <cstdlib>

void EnsureQtApplication()
{
    if (QApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "test_pde_common";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

PPDFile OpenTestPPD(const std::string &name)
{
    std::string path = std::string(TINT_TEST_DATA) + "/" + name;
    if (!FileExists(path))
        path = std::string(TINT_SOURCE_DIR) + "/Demo/" + name;
    PPDFile ppd(ppdOpenFile(path.c_str()));
    if (ppd)
        ppdMarkDefaults(ppd.get());
    return ppd;
}

TestPane::TestPane(ppd_file_t *ppd, const std::vector<PaneRow> &rows)
{
    EnsureQtApplication();
    root_ = std::make_unique<QWidget>();
    std::vector<PDEControlItem> filled;
    for (const PaneRow &row : rows) {
        QWidget *control = nullptr;
        switch (row.kind) {
        case kPDEControlPopUp:
            control = new QComboBox(root_.get());
            break;
        case kPDEControlCheckBox:
            control = new QCheckBox(QStringLiteral("layout"), root_.get());
            break;
        case kPDEControlPushButton:
            control = new QPushButton(QStringLiteral("layout"), root_.get());
            break;
        case kPDEControlTabView:
            control = new QTabWidget(root_.get());
            break;
        default:
            control = new QLabel(QStringLiteral("layout"), root_.get());
            break;
        }
        filled.push_back({control, row.kind, row.ppdKey, row.titleKey, row.summaryKey, row.identifier,
                          row.profileListKind, nullptr});
    }
    filled.push_back(tint::kControlEndRecord);
    table_ = tint::createControlTable(filled, ppd, &count_);
}

TestPane::~TestPane() {}

std::vector<PaneRow> ColorOptionsRows()
{
    return {
        {kPDEControlPopUp, "WQQuickColor", nullptr, "Quick Color", "QuickColorPopup", kProfileListNone},
        {kPDEControlPopUp, "WQBrightness", nullptr, "Brightness", "", kProfileListNone},
        {kPDEControlCheckBox, "WQColorAsGray", "Color as Grayscale", "Color as Grayscale",
         "ColorAsGrayCheckBox", kProfileListNone},
        {kPDEControlCheckBox, "WQColorSeparation", "Color Separation", "Color Separation",
         "ColorSeparationCheckBox", kProfileListNone},
        {kPDEControlCheckBox, "WQEconoMode", "EconoMode", "EconoMode", "EconoModeCheckBox", kProfileListNone},
        {kPDEControlPopUp, "WQEdgeType", nullptr, "EdgeType", "EdgeTypePopup", kProfileListNone},
        {kPDEControlCheckBox, "WQAutoTrapping", "AutoTrapping", "AutoTrapping", "AutoTrappingCheckBox",
         kProfileListNone},
        {kPDEControlPopUp, "WQBlackOverprint", nullptr, "BlackOverprint", "BlackOverprintPopup",
         kProfileListNone},
        {kPDEControlStaticText, "", "Quick Color:", nullptr, "", kProfileListNone},
        {kPDEControlPushButton, "", "Advanced Color Options", nullptr, "GoToAdvancedOptionsButton",
         kProfileListNone},
        {kPDEControlPopUp, "WQImageDestinationProfile", nullptr, "Image Destination Profile", "",
         kProfileListDestination},
    };
}
