// The value model over real widgets and real PPD choice lists: control
// values, choice list positions, defaults, constraint values, and joining
// and listing tables.
#include "test_pde_common_support.h"

#include <gtest/gtest.h>

namespace
{

class ValueModel : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ppd = OpenTestPPD("QV-MR52.ppd");
        ASSERT_TRUE(ppd);
        pane = std::make_unique<TestPane>(ppd.get(), ColorOptionsRows());
        ASSERT_FALSE(pane->table().empty());
        PDECommon::commonBuildPDEItem(pane->table(), ppd.get());
    }
    PPDFile ppd;
    std::unique_ptr<TestPane> pane;
};

TEST_F(ValueModel, PopUpValueOutsideTheMenuIsIgnoredAndMinusOneClears)
{
    PDEControlItem &brightness = pane->item(kBrightness);
    ASSERT_EQ(pane->popUp(kBrightness)->count(), 5);
    struct Step {
        int32_t set;
        int32_t expect;
    };
    const Step steps[] = {{2, 2}, {5, 2}, {4, 4}, {77, 4}, {-1, -1}, {0, 0}, {-7, -1}};
    for (const Step &s : steps) {
        PDECommon::commonSetControlValueWithSInt32(&brightness, s.set);
        EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&brightness), s.expect)
            << "after setting " << s.set;
        EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&brightness), s.expect);
    }
}

TEST_F(ValueModel, CheckBoxValueIsItsStateAndItsPositionIsThatOfTrueOrFalse)
{
    PDEControlItem &gray = pane->item(kColorAsGray); // choices True, False
    PDECommon::commonSetControlValueWithSInt32(&gray, 1);
    EXPECT_TRUE(pane->checkBox(kColorAsGray)->isChecked());
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&gray), 1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&gray), 0);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&gray), "On");
    PDECommon::commonSetControlValueWithSInt32(&gray, 0);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&gray), 0);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&gray), 1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&gray), "Off");
}

TEST_F(ValueModel, CheckBoxWithoutAFalseChoiceHasNoPositionWhenOff)
{
    PDEControlItem &gray = pane->item(kColorAsGray);
    PPDChoiceList onlyTrue = {{"WQColorAsGray", "True", "True", "On", kPPDChoiceConflictFalse}};
    PPDChoiceListRef own = gray.choices;
    gray.choices = std::make_shared<const PPDChoiceList>(onlyTrue);
    PDECommon::commonSetControlValueWithSInt32(&gray, 0);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&gray), -1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&gray), std::nullopt);
    PDECommon::commonSetControlValueWithSInt32(&gray, 1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&gray), 0);
    gray.choices = own;
}

TEST_F(ValueModel, PopUpTextIsTheSelectedTitleAndNothingWithoutSelection)
{
    PDEControlItem &quick = pane->item(kQuickColor);
    PDECommon::commonSetControlValueWithSInt32(&quick, 1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&quick), "Vivid Photos");
    PDECommon::commonSetControlValueWithSInt32(&quick, -1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&quick), std::nullopt);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&pane->item(kQuickColorLabel)),
              std::nullopt);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithSInt32(&pane->item(kQuickColorLabel)), 0);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(nullptr), 0);
}

TEST_F(ValueModel, TicketValuesBecomeControlValues)
{
    struct Case {
        int row;
        PMValue choice;
        int32_t expect;
    };
    const Case cases[] = {
        {kColorAsGray, PMValue("True"), 1},        {kColorAsGray, PMValue("TRUE"), 1},
        {kColorAsGray, PMValue("true"), 1},        {kColorAsGray, PMValue("tRUE"), 0},
        {kColorAsGray, PMValue("False"), 0},       {kColorAsGray, PMValue("1"), 0},
        {kColorAsGray, PMValue(true), 0},          {kColorAsGray, PMValue(), 0},
        {kEdgeType, PMValue("Medium"), 2},         {kEdgeType, PMValue("Extreme"), -1},
        {kEdgeType, PMValue("medium"), -1},        {kEdgeType, PMValue(2), -1},
        {kEdgeType, PMValue::newDictionary(), -1}, {kQuickColorLabel, PMValue("Auto"), 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(
            PDECommon::commonGetTicketValueWithSInt32(&pane->item(c.row), pane->item(c.row).ppdKey, c.choice),
            c.expect)
            << "row " << c.row;
    EXPECT_EQ(PDECommon::commonGetTicketValueWithSInt32(nullptr, "WQEdgeType", PMValue("Medium")), 0);
}

TEST_F(ValueModel, DefaultsComeFromThePPD)
{
    for (int row = 0; row < kTestPaneRows; ++row)
        PDECommon::commonSetControlValueWithSInt32(&pane->item(row), 3);
    PDECommon::commonDefaultFromPPDInfo(pane->table());
    struct Expect {
        int row;
        int32_t value;
    };
    const Expect expected[] = {
        {kQuickColor, 0}, {kBrightness, 2},   {kColorAsGray, 0},    {kColorSeparation, 0},  {kEconoMode, 0},
        {kEdgeType, 1},   {kAutoTrapping, 1}, {kBlackOverprint, 0}, {kImageDestination, 0},
    };
    for (const Expect &e : expected)
        EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&pane->item(e.row)), e.value) << "row " << e.row;
}

TEST(ValueModelDefaults, DefaultNotInTheListLeavesNoSelectionAndAMissingOptionTakesTheFirstItem)
{
    PPDFile unmarked = OpenTestPPD("QV-MR52-unmarked-default.ppd");
    ASSERT_TRUE(unmarked);
    TestPane pane(unmarked.get(), ColorOptionsRows());
    PDECommon::commonBuildPDEItem(pane.table(), unmarked.get());
    PDECommon::commonDefaultFromPPDInfo(pane.table());
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&pane.item(kEdgeType)), -1);
    EXPECT_EQ(PDECommon::commonGetControlValueWithSInt32(&pane.item(kBrightness)), 2);

    PPDFile noBrightness = OpenTestPPD("QV-MR52-no-brightness.ppd");
    ASSERT_TRUE(noBrightness);
    TestPane other(noBrightness.get(), ColorOptionsRows());
    EXPECT_EQ(other.item(kBrightness).choices, nullptr);
    other.popUp(kBrightness)->addItems({"layout one", "layout two"});
    other.popUp(kBrightness)->setCurrentIndex(1);
    PDECommon::commonBuildPDEItem(other.table(), noBrightness.get());
    EXPECT_EQ(other.popUp(kBrightness)->count(), 2); // the layout's menu stays
    PDECommon::commonDefaultFromPPDInfo(other.table());
    EXPECT_EQ(other.popUp(kBrightness)->currentIndex(), 0);
    EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(&other.item(kBrightness)), 0);
    EXPECT_EQ(PDECommon::commonGetDefualtValueFromPPDWithSInt32(nullptr), 0);
}

TEST_F(ValueModel, ConstraintValues)
{
    const PDEControlItem *popUp = &pane->item(kEdgeType);
    const PDEControlItem *box = &pane->item(kColorAsGray);
    struct Case {
        const PDEControlItem *item;
        int32_t control;
        int32_t constraint;
    };
    const Case to[] = {{popUp, -1, 0}, {popUp, 0, 1}, {popUp, 2, 3},
                       {box, 1, 1},    {box, 0, 0},   {nullptr, 5, 5}};
    for (const Case &c : to)
        EXPECT_EQ(PDECommon::commonConvertToCSTValue(c.item, c.control), c.constraint) << c.control;
    const Case from[] = {{popUp, 0, 0}, {popUp, 0, -3}, {popUp, 0, 1},
                         {popUp, 2, 3}, {box, 1, 1},    {nullptr, 4, 4}};
    for (const Case &c : from)
        EXPECT_EQ(PDECommon::commonConvertFromCSTValue(c.item, c.constraint), c.control) << c.constraint;
}

TEST_F(ValueModel, CompoundTableJoinsTablesInOrderAndSharesTheirLists)
{
    TestPane second(ppd.get(),
                    {{kPDEControlPopUp, "WQSimSource", nullptr, nullptr, "", kProfileListSimulation}});
    tint::ControlSpan tables[] = {pane->table(), second.table()};
    auto compound = PDECommon::commonControlTableCompound(tables, 2);
    ASSERT_FALSE(compound.empty());
    EXPECT_EQ(tint::countControlTable(compound), kTestPaneRows + 2);
    for (int i = 0; i < kTestPaneRows; ++i) {
        EXPECT_EQ(compound[i].control, pane->item(i).control);
        EXPECT_EQ(compound[i].choices, pane->item(i).choices);
    }
    EXPECT_EQ(compound[kTestPaneRows].control, second.item(0).control);
    EXPECT_EQ(compound[kTestPaneRows].profileListKind, kProfileListSimulation);
    const PDEControlItem &end = compound[kTestPaneRows + 1];
    EXPECT_EQ(end.control, nullptr);
    EXPECT_EQ(end.kind, kPDEControlEnd);
    EXPECT_STREQ(end.ppdKey, "");
    EXPECT_STREQ(end.identifier, "");
    EXPECT_EQ(end.titleKey, nullptr);
    EXPECT_EQ(end.summaryKey, nullptr);
    EXPECT_EQ(end.choices, nullptr);
}

TEST(CompoundTable, OfZeroTablesHoldsOnlyTheEndRecord)
{
    auto compound = PDECommon::commonControlTableCompound(nullptr, 0);
    ASSERT_FALSE(compound.empty());
    EXPECT_EQ(compound[0].control, nullptr);
    EXPECT_EQ(compound[0].kind, kPDEControlEnd);
    EXPECT_EQ(tint::countControlTable(compound), 1);
    tint::ControlSpan none[5] = {};
    auto alsoEmpty = PDECommon::commonControlTableCompound(none, 0);
    ASSERT_FALSE(alsoEmpty.empty());
    EXPECT_EQ(alsoEmpty[0].kind, kPDEControlEnd);
}

TEST_F(ValueModel, SupportedKeysAreTheBoundOptionsInTableOrder)
{
    std::vector<std::string> keys{"already there"};
    EXPECT_EQ(PDECommon::commonAddPPDArray(&keys, tint::ControlConstSpan(pane->table())), 0);
    const std::vector<std::string> expected = {
        "already there", "WQQuickColor", "WQBrightness",   "WQColorAsGray",    "WQColorSeparation",
        "WQEconoMode",   "WQEdgeType",   "WQAutoTrapping", "WQBlackOverprint", "WQImageDestinationProfile"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(PDECommon::commonAddPPDArray(nullptr, tint::ControlConstSpan(pane->table())),
              tint::kBadArgument);
}

} // namespace
