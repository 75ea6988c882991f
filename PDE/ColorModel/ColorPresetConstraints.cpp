// The colour preset rule table and its engine.
#include "ColorPresetConstraints.h"

#include "ControlReason.h"
#include "PDECommon.h"

#include <QWidget>

#include <cstring>

namespace
{

constexpr CSTCondition kListEnd = {"", "", -1, kCSTListEnd};
constexpr CSTCondition kNoChange = {"", "", 0, kCSTListEnd};

} // namespace

// Condition lists, shared by the rules that read the same controls.
static const CSTCondition conditionsColorOptions_0000[] = {
    {"QuickColorPopup", "Custom", 4, kCSTNotEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0001[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0002[] = {
    {"ColorSeparationCheckBox", "Checked", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0003[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"ImageRGBSourcePopup", "None", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0004[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"ImageDestinationProfilePopup", "Auto", 1, kCSTNotEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0005[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"TextRGBSourcePopup", "None", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0006[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"TextDestinationProfilePopup", "Auto", 1, kCSTNotEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0007[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"GraphicsRGBSourcePopup", "None", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0008[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"GraphicsDestinationProfilePopup", "Auto", 1, kCSTNotEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0009[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"SimulationSourcePopup", "None", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0010[] = {
    {"ColorAsGrayCheckBox", "Checked", 1, kCSTEqual},
    {"SimulationSourcePopup", "None", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0013[] = {
    {"EconoModeCheckBox", "Checked", 1, kCSTEqual},
    {"EdgeTypePopup", "Off", 1, kCSTEqual},
    kListEnd,
};
static const CSTCondition conditionsColorOptions_0014[] = {
    {"EdgeTypePopup", "Off", 1, kCSTEqual},
    kListEnd,
};

// Expressions: condition 0 alone; condition 0 OR condition 1.
static const int32_t conditions2ndColorOptions_0000[] = {kCSTListEnd};
static const int32_t conditions2ndColorOptions_0001[] = {0, 1, kCSTOr, kCSTListEnd};

// The one action every rule takes.
static const CSTAction options_0001[] = {{kCSTActGreyOut, 0}};

namespace
{

constexpr CSTRule Rule(const CSTCondition *conditions, int8_t count, const int32_t *expression, int8_t length,
                       const char *target)
{
    CSTRule r{};
    r.mainOp = kCSTMainValueChange;
    r.conditionCount = count;
    r.conditions = conditions;
    r.expressionLength = length;
    r.expression = expression;
    r.target = kNoChange;
    r.valueChange = kNoChange;
    for (int i = 0; i < kCSTNameLength && target[i] != '\0'; ++i) {
        r.target.name[i] = target[i];
        r.valueChange.name[i] = target[i];
    }
    r.actionCount = 1;
    r.actions = options_0001;
    return r;
}

// A rule that also sets its target to value (named choice) before greying it.
constexpr CSTRule SettingRule(const CSTCondition *conditions, int8_t count, const int32_t *expression,
                              int8_t length, const char *target, int32_t value, const char *choice)
{
    CSTRule r = Rule(conditions, count, expression, length, target);
    r.valueChange.value = value;
    r.valueChange.op = kCSTValueChange;
    for (int i = 0; i < kCSTNameLength && choice[i] != '\0'; ++i)
        r.valueChange.choice[i] = choice[i];
    return r;
}

} // namespace

namespace
{
constexpr const int32_t *C0 = conditions2ndColorOptions_0000;
constexpr const int32_t *C0_OR_C1 = conditions2ndColorOptions_0001;
} // namespace

// Evaluated in this order; a later rule sees what an earlier one has set.
constinit const CSTRule cstColorOption[] = {
    Rule(conditionsColorOptions_0000, 1, C0, 0, "GoToAdvancedOptionsButton"),
    SettingRule(conditionsColorOptions_0001, 1, C0, 0, "ColorSeparationCheckBox", 0, "UnChecked"),
    SettingRule(conditionsColorOptions_0002, 1, C0, 0, "ColorAsGrayCheckBox", 0, "UnChecked"),
    Rule(conditionsColorOptions_0001, 1, C0, 0, "ImageRGBSourcePopup"),
    Rule(conditionsColorOptions_0003, 2, C0_OR_C1, 3, "ImageRenderIntentPopup"),
    Rule(conditionsColorOptions_0004, 2, C0_OR_C1, 3, "ImageGrayTreatmentPopup"),
    Rule(conditionsColorOptions_0001, 1, C0, 0, "ImageDestinationProfilePopup"),
    Rule(conditionsColorOptions_0001, 1, C0, 0, "TextRGBSourcePopup"),
    Rule(conditionsColorOptions_0005, 2, C0_OR_C1, 3, "TextRenderIntentPopup"),
    Rule(conditionsColorOptions_0006, 2, C0_OR_C1, 3, "TextGrayTreatmentPopup"),
    Rule(conditionsColorOptions_0001, 1, C0, 0, "TextDestinationProfilePopup"),
    Rule(conditionsColorOptions_0001, 1, C0, 0, "GraphicsRGBSourcePopup"),
    Rule(conditionsColorOptions_0007, 2, C0_OR_C1, 3, "GraphicsRenderIntentPopup"),
    Rule(conditionsColorOptions_0008, 2, C0_OR_C1, 3, "GraphicsGrayTreatmentPopup"),
    Rule(conditionsColorOptions_0001, 1, C0, 0, "GraphicsDestinationProfilePopup"),
    Rule(conditionsColorOptions_0001, 1, C0, 0, "SimulationSourcePopup"),
    Rule(conditionsColorOptions_0009, 2, C0_OR_C1, 3, "SimulationRenderIntentPopup"),
    Rule(conditionsColorOptions_0010, 2, C0_OR_C1, 3, "SimulationGrayTreatmentPopup"),
    Rule(conditionsColorOptions_0013, 2, C0_OR_C1, 3, "ImageEdgeEnhancePopup"),
    // One condition under the OR expression: flag 1 is never set, so this is c0 alone.
    Rule(conditionsColorOptions_0014, 1, C0_OR_C1, 0, "TextEdgeEnhancePopup"),
    Rule(conditionsColorOptions_0013, 2, C0_OR_C1, 3, "GraphicsEdgeEnhancePopup"),
    {kCSTTableEnd, 0, nullptr, 0, nullptr, kNoChange, kNoChange, 0, nullptr},
};

const int kCSTColorOptionRuleCount = static_cast<int>(sizeof cstColorOption / sizeof cstColorOption[0]) - 1;

const char *CSTCodeSpelling(int32_t code)
{
    static const struct {
        int32_t code;
        const char *spelling;
    } spellings[] = {
        {kCSTBracketOpen, kCSTSpellBracketOpen},
        {kCSTBracketClose, kCSTSpellBracketClose},
        {kCSTAnd, kCSTSpellAnd},
        {kCSTOr, kCSTSpellOr},
        {kCSTEqual, kCSTSpellEqual},
        {kCSTNotEqual, kCSTSpellNotEqual},
        {kCSTValueChange, kCSTSpellValueChange},
        {kCSTLess, kCSTSpellLess},
        {kCSTGreater, kCSTSpellGreater},
        {kCSTLessEqual, kCSTSpellLessEqual},
        {kCSTLessEqual2, kCSTSpellLessEqual2},
        {kCSTGreaterEqual, kCSTSpellGreaterEqual},
        {kCSTGreaterEqual2, kCSTSpellGreaterEqual2},
        {kCSTMainAbstractionCondition, kCSTSpellMainAbstractionCondition},
        {kCSTMainAbstractionTarget, kCSTSpellMainAbstractionTarget},
        {kCSTMainValueChange, kCSTSpellMainValueChange},
        {kCSTMainDisplayIcon, kCSTSpellMainDisplayIcon},
        {kCSTMainHint, kCSTSpellMainHint},
        {kCSTActGreyOut, kCSTSpellActGreyOut},
        {kCSTActChangeMessage, kCSTSpellActChangeMessage},
        {kCSTActErrorMessage, kCSTSpellActErrorMessage},
        {kCSTActToolChange, kCSTSpellActToolChange},
        {kCSTActHint, kCSTSpellActHint},
        {kCSTListEnd, ""},
    };
    for (const auto &s : spellings) {
        if (s.code == code)
            return s.spelling;
    }
    return "";
}

namespace
{

// The first record before the end record whose identifier is exactly name.
PDEControlItem *FindControl(tint::ControlSpan table, const char name[kCSTNameLength])
{
    const std::size_t length = strnlen(name, kCSTNameLength);
    for (PDEControlItem &item : tint::tableRecords(table)) {
        const char *identifier = item.identifier;
        if (identifier != nullptr && std::strlen(identifier) == length &&
            std::memcmp(identifier, name, length) == 0)
            return &item;
    }
    return nullptr;
}

bool Compare(int32_t v, int32_t op, int32_t w)
{
    switch (op) {
    case kCSTEqual:
        return v == w;
    case kCSTNotEqual:
        return v != w;
    case kCSTLess:
        return v < w;
    case kCSTGreater:
        return v > w;
    case kCSTLessEqual:
    case kCSTLessEqual2:
        return v <= w;
    case kCSTGreaterEqual:
    case kCSTGreaterEqual2:
        return v >= w;
    default:
        return false;
    }
}

const CSTRule *RuleAt(int ruleIndex)
{
    if (ruleIndex < 0 || ruleIndex > kCSTColorOptionRuleCount)
        return nullptr;
    const CSTRule *rule = &cstColorOption[ruleIndex];
    return rule->mainOp == kCSTTableEnd ? nullptr : rule;
}

void SetActions(int ruleIndex, tint::ControlSpan table, bool enabled)
{
    const CSTRule *rule = RuleAt(ruleIndex);
    if (rule == nullptr)
        return;
    for (int i = 0; i < rule->actionCount; ++i) {
        PDEControlItem *target = FindControl(table, rule->target.name);
        if (target == nullptr || rule->actions[i].action != kCSTActGreyOut)
            continue;
        if (!target->control)
            continue;
        if (enabled)
            tint::setControlAvailable(target->control);
        else
            tint::setControlUnavailable(target->control, CSTRuleReason(ruleIndex, table));
    }
}

} // namespace

bool CSTConditionHolds(int ruleIndex, int conditionIndex, tint::ControlSpan table)
{
    const CSTRule *rule = RuleAt(ruleIndex);
    if (rule == nullptr || conditionIndex < 0 || conditionIndex >= rule->conditionCount ||
        conditionIndex >= kCSTMaxConditions)
        return false;
    const CSTCondition &condition = rule->conditions[conditionIndex];
    PDEControlItem *item = FindControl(table, condition.name);
    if (item == nullptr)
        return false;
    const int32_t v =
        PDECommon::commonConvertToCSTValue(item, PDECommon::commonGetControlValueWithSInt32(item));
    return Compare(v, condition.op, condition.value);
}

int bMatchCondition(int ruleIndex, tint::ControlSpan table)
{
    const CSTRule *rule = RuleAt(ruleIndex);
    if (rule == nullptr)
        return 0;

    bool flags[kCSTMaxConditions] = {};
    const int count = rule->conditionCount < kCSTMaxConditions ? rule->conditionCount : kCSTMaxConditions;
    for (int j = 0; j < count; ++j)
        flags[j] = CSTConditionHolds(ruleIndex, j, table);

    // Postfix over a result seeded with flag 0: "0 1 |" is flag 0 OR flag 1.
    bool result = count >= 1 && flags[0];
    bool operand = false;
    for (int t = 0; rule->expression != nullptr && t < kCSTMaxExpressionTokens; ++t) {
        const int32_t token = rule->expression[t];
        if (token == kCSTListEnd)
            break;
        if (token >= 0 && token <= 999)
            operand = token < kCSTMaxConditions && flags[token];
        else if (token == kCSTOr)
            result = result || operand;
        else if (token == kCSTAnd)
            result = result && operand;
    }
    return result ? 1 : 0;
}

void vValueChange(int ruleIndex, tint::ControlSpan table)
{
    const CSTRule *rule = RuleAt(ruleIndex);
    if (rule == nullptr || rule->valueChange.op != kCSTValueChange)
        return;
    PDEControlItem *target = FindControl(table, rule->target.name);
    if (target == nullptr)
        return;
    PDECommon::commonSetControlValueWithSInt32(
        target, PDECommon::commonConvertFromCSTValue(target, rule->valueChange.value));
}

void vActOption(int ruleIndex, tint::ControlSpan table)
{
    SetActions(ruleIndex, table, false);
}

void vActReverseOption(int ruleIndex, tint::ControlSpan table)
{
    SetActions(ruleIndex, table, true);
}

void vColorPresetConstraints(tint::ControlSpan table)
{
    if (table.empty() || cstColorOption[0].mainOp == kCSTTableEnd)
        return;
    for (int i = 0; cstColorOption[i].mainOp != kCSTTableEnd; ++i) {
        if (bMatchCondition(i, table) == 0) {
            vActReverseOption(i, table);
        } else {
            vValueChange(i, table);
            vActOption(i, table);
        }
    }
}
