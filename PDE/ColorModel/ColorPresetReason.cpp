// The sentence that says why a colour preset rule greys its target, read off
// the rule itself: each condition names a control by its identifier, and the
// control's own (localized) title and the choice it compares with make the
// words. A rule changed in the table therefore explains itself correctly
// without a second list of texts to keep in step.
#include "ColorPresetConstraints.h"

#include "ControlReason.h"
#include "PDECommon.h"

#include <QCheckBox>
#include <QComboBox>

#include <cstring>

namespace
{

const PDEControlItem *FindByIdentifier(tint::ControlSpan table, const char (&name)[kCSTNameLength])
{
    const std::size_t length = strnlen(name, kCSTNameLength);
    for (const PDEControlItem &item : tint::tableRecords(table)) {
        if (item.identifier && std::strlen(item.identifier) == length &&
            std::memcmp(item.identifier, name, length) == 0)
            return &item;
    }
    return nullptr;
}

QString FixedText(const char (&text)[kCSTNameLength])
{
    return QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, kCSTNameLength)));
}

// What a person calls the control: its summary name ("Image RGB Source"
// rather than the bare label "RGB Source:"), else its title.
QString ControlName(const PDEControlItem *item, const CSTCondition &condition)
{
    if (item && item->summaryKey)
        return tint::localized(item->summaryKey);
    if (item && item->titleKey)
        return tint::localized(item->titleKey);
    return FixedText(condition.name);
}

// The title the pop-up shows for a constraint value (its item value - 1).
QString ChoiceTitle(const PDEControlItem *item, const CSTCondition &condition)
{
    if (auto *popUp = item ? qobject_cast<QComboBox *>(item->control) : nullptr) {
        if (condition.value >= 1 && condition.value <= popUp->count())
            return popUp->itemText(condition.value - 1);
    }
    return FixedText(condition.choice);
}

QString ConditionPhrase(const PDEControlItem *item, const CSTCondition &condition)
{
    const QString name = ControlName(item, condition);
    const bool negated = condition.op == kCSTNotEqual;
    if (item && item->kind == kPDEControlCheckBox) {
        const bool on = (condition.value != 0) != negated;
        return tint::localized(on ? "%1 is on" : "%1 is off").arg(name);
    }
    return tint::localized(negated ? "%1 is not %2" : "%1 is %2").arg(name, ChoiceTitle(item, condition));
}

} // namespace

QString CSTRuleReason(int ruleIndex, tint::ControlSpan table)
{
    if (ruleIndex < 0 || ruleIndex >= kCSTColorOptionRuleCount)
        return QString();
    const CSTRule &rule = cstColorOption[ruleIndex];
    const int count = rule.conditionCount < kCSTMaxConditions ? rule.conditionCount : kCSTMaxConditions;
    if (count <= 0)
        return QString();

    // A button greyed while a pop-up stands on anything but one choice leads
    // to what that choice opens: say which choice to make.
    const PDEControlItem *target = FindByIdentifier(table, rule.target.name);
    if (count == 1 && rule.conditions[0].op == kCSTNotEqual && target &&
        target->kind == kPDEControlPushButton) {
        const PDEControlItem *item = FindByIdentifier(table, rule.conditions[0].name);
        return tint::localized("Choose %1 \"%2\" to change the advanced options")
            .arg(ControlName(item, rule.conditions[0]), ChoiceTitle(item, rule.conditions[0]));
    }

    bool conjunction = false;
    for (int t = 0; rule.expression && t < kCSTMaxExpressionTokens && rule.expression[t] != kCSTListEnd; ++t)
        conjunction = conjunction || rule.expression[t] == kCSTAnd;
    // Only what is true now: a condition that does not hold is no reason.
    bool anyHolds = false;
    for (int j = 0; j < count; ++j)
        anyHolds = anyHolds || CSTConditionHolds(ruleIndex, j, table);
    QString phrase;
    for (int j = 0; j < count; ++j) {
        if (anyHolds && !CSTConditionHolds(ruleIndex, j, table))
            continue;
        const QString one =
            ConditionPhrase(FindByIdentifier(table, rule.conditions[j].name), rule.conditions[j]);
        phrase =
            phrase.isEmpty() ? one : tint::localized(conjunction ? "%1 and %2" : "%1 or %2").arg(phrase, one);
    }
    return tint::localized("Unavailable while %1").arg(phrase);
}
