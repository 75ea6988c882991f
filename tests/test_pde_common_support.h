// Shared pieces of the PDECommon tests: the Qt application, PPD files owned
// for the length of a test, and a pane made of real Qt widgets whose control
// table is built from a template the way the panes build theirs.
#pragma once

#include "PDECommon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include <cups/ppd.h>

#include <memory>
#include <string>
#include <vector>

// The application every widget needs (offscreen when no platform is set).
void EnsureQtApplication();

struct PPDCloser {
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};
using PPDFile = std::unique_ptr<ppd_file_t, PPDCloser>;

// Opens tests/data/<name> (or Demo/<name>) and marks its defaults, as the
// print dialog hands a PPD over.
PPDFile OpenTestPPD(const std::string &name);

// One row of a test pane's template; the widget is made from the kind.
struct PaneRow {
    int32_t kind;
    const char *ppdKey;
    const char *titleKey;
    const char *summaryKey;
    const char *identifier;
    int16_t profileListKind;
};

class TestPane
{
  public:
    TestPane(ppd_file_t *ppd, const std::vector<PaneRow> &rows);
    ~TestPane();
    TestPane(const TestPane &) = delete;
    TestPane &operator=(const TestPane &) = delete;

    tint::ControlSpan table() { return table_; }
    PDEControlItem &item(int row) { return table_[row]; }
    QComboBox *popUp(int row) { return qobject_cast<QComboBox *>(table_[row].control); }
    QCheckBox *checkBox(int row) { return qobject_cast<QCheckBox *>(table_[row].control); }
    int16_t count() const { return count_; }

  private:
    std::unique_ptr<QWidget> root_;
    tint::ControlTable table_;
    int16_t count_ = 0;
};

// The rows of the Color Options pane, followed by the destination-profile
// pop-up of the images (row kImageDestination).
enum {
    kQuickColor = 0,
    kBrightness,
    kColorAsGray,
    kColorSeparation,
    kEconoMode,
    kEdgeType,
    kAutoTrapping,
    kBlackOverprint,
    kQuickColorLabel,
    kAdvancedButton,
    kImageDestination,
    kTestPaneRows
};
std::vector<PaneRow> ColorOptionsRows();
