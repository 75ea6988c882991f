// Colour preset rules: which colour settings exclude or grey out others.
//
// The rules live in one constant table, cstColorOption, closed by a rule
// whose main operation is kCSTMainEnd. The engine walks it over a control
// table and finds controls by their identifier, so a rule may read a control
// of the Color Options pane and act on one of the Advanced pane when it is
// given the combined table of both panes. Rules compare and set constraint
// values (a pop-up's selected position + 1, 0 for no selection; a check
// box's value), never raw control values.
#pragma once

#include "PDECommon.h"

#include <QString>

#include <cstdint>

// Codes of the rule table.
enum : int32_t {
    kCSTBracketOpen = 1001, // grouping; unused, ignored by the engine
    kCSTBracketClose = 1002,
    kCSTAnd = 1003, // expression connectives
    kCSTOr = 1004,
    kCSTEqual = 1005, // conditions
    kCSTNotEqual = 1006,
    kCSTValueChange = 1007, // value change: set the target to the value
    kCSTLess = 1009,
    kCSTGreater = 1010,
    kCSTLessEqual = 1011,
    kCSTLessEqual2 = 1012,
    kCSTGreaterEqual = 1013,
    kCSTGreaterEqual2 = 1014,
    kCSTListEnd = 1017,  // end of a condition list and of an expression
    kCSTTableEnd = 1019, // main operation of the end rule
    kCSTMainAbstractionCondition = 1020,
    kCSTMainAbstractionTarget = 1021,
    kCSTMainValueChange = 1022, // conditional value change: every rule
    kCSTMainDisplayIcon = 1023,
    kCSTMainHint = 1024,
    kCSTActGreyOut = 1027,
    kCSTActChangeMessage = 1028,
    kCSTActErrorMessage = 1029,
    kCSTActToolChange = 1030,
    kCSTActHint = 1031,
};

// The spellings of the codes, padded with spaces to fixed widths: operators
// and brackets to 3 characters, actions to 11, main operations to 32.
inline constexpr char kCSTSpellBracketOpen[] = "(  ";
inline constexpr char kCSTSpellBracketClose[] = ")  ";
inline constexpr char kCSTSpellAnd[] = "&  ";
inline constexpr char kCSTSpellOr[] = "|  ";
inline constexpr char kCSTSpellEqual[] = "=  ";
inline constexpr char kCSTSpellNotEqual[] = "!= ";
inline constexpr char kCSTSpellValueChange[] = "-> ";
inline constexpr char kCSTSpellLess[] = "<  ";
inline constexpr char kCSTSpellGreater[] = ">  ";
inline constexpr char kCSTSpellLessEqual[] = "=< ";
inline constexpr char kCSTSpellLessEqual2[] = "<= ";
inline constexpr char kCSTSpellGreaterEqual[] = ">= ";
inline constexpr char kCSTSpellGreaterEqual2[] = "=> ";
inline constexpr char kCSTSpellMainAbstractionCondition[] = "ABSTRACTION_CONDITION           ";
inline constexpr char kCSTSpellMainAbstractionTarget[] = "ABSTRACTION_TARGET              ";
inline constexpr char kCSTSpellMainValueChange[] = "VRCHG                           ";
inline constexpr char kCSTSpellMainDisplayIcon[] = "DPICO                           ";
inline constexpr char kCSTSpellMainHint[] = "HINT                            ";
inline constexpr char kCSTSpellActGreyOut[] = "/GROUT     ";
inline constexpr char kCSTSpellActChangeMessage[] = "/CHMSG_    ";
inline constexpr char kCSTSpellActErrorMessage[] = "/ERMSG_    ";
inline constexpr char kCSTSpellActToolChange[] = "/TOOLC_    ";
inline constexpr char kCSTSpellActHint[] = "/HINT_     ";

// The padded spelling of a code; "" for codes that have none (the ends).
const char *CSTCodeSpelling(int32_t code);

// Engine limits.
constexpr int kCSTMaxConditions = 20;       // condition flags kept per rule
constexpr int kCSTMaxExpressionTokens = 40; // tokens read before kCSTListEnd
constexpr int kCSTNameLength = 32;

// One condition; also the target and the value-change part of a rule.
struct CSTCondition {
    char name[kCSTNameLength];   // identifier of a control, zero-padded
    char choice[kCSTNameLength]; // name of the choice the value stands for; descriptive only
    int32_t value;               // constraint value
    int32_t op;                  // kCSTEqual … kCSTGreaterEqual2, kCSTValueChange, or kCSTListEnd (none)
};

struct CSTAction {
    int32_t action; // kCSTActGreyOut …
    int32_t param;  // always 0; not read
};

struct CSTRule {
    int32_t mainOp; // kCSTMainValueChange, or kCSTTableEnd for the end rule
    int8_t conditionCount;
    const CSTCondition *conditions; // closed by value -1, op kCSTListEnd
    int8_t expressionLength;        // informational
    const int32_t *expression;      // postfix tokens closed by kCSTListEnd
    CSTCondition target;
    CSTCondition valueChange;
    int8_t actionCount;
    const CSTAction *actions;
};

// The rule table, in evaluation order, closed by its end rule.
extern const CSTRule cstColorOption[];
// Number of rules before the end rule.
extern const int kCSTColorOptionRuleCount;

// Applies every rule, in order, to the controls of table: a true rule sets
// its value change and greys its target out, a false rule enables its
// target again. A later rule sees what an earlier one has just set.
void vColorPresetConstraints(tint::ControlSpan table);
// Whether condition conditionIndex of rule ruleIndex holds over table now.
bool CSTConditionHolds(int ruleIndex, int conditionIndex, tint::ControlSpan table);
// The truth value (0 or 1) of rule ruleIndex over table.
int bMatchCondition(int ruleIndex, tint::ControlSpan table);
// Sets the value change of rule ruleIndex on its target, if any.
void vValueChange(int ruleIndex, tint::ControlSpan table);
// Performs (greys out) / undoes (enables) the actions of rule ruleIndex on its target.
void vActOption(int ruleIndex, tint::ControlSpan table);
void vActReverseOption(int ruleIndex, tint::ControlSpan table);

// Why rule ruleIndex greys its target, as one localized sentence made from
// the rule's conditions and the titles of the controls they name in table
// ("Unavailable while Color as Grayscale is on"), naming only the conditions
// that hold at that moment (all of them when none does). Greying a target gives it
// this sentence as tool tip and accessible description; enabling it drops
// them. "" for an index outside the table.
QString CSTRuleReason(int ruleIndex, tint::ControlSpan table);
