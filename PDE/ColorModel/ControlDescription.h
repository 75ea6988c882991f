// One description per control of a pane: where the control is in the layout,
// which pane member it binds, and what its record in the pane's control
// table says. A pane's table of descriptions is the one place a control is
// written down; its control table, its outlet binding and its action binding
// are all derived from it.
#pragma once

#include "PDECommon.h"

#include <cstdint>

namespace tint
{

struct OutletMember; // Outlet.h

// Where a control's user action goes.
enum class ControlAction : uint8_t {
    None,
    SelectItem,      // the panel: preset rules over the Color Options table
    Constraints,     // the panel: preset rules over both panes
    ColorToAdvanced, // the pane switcher shows the Advanced pane
    AdvancedToColor, // the pane switcher shows the Color Options pane
    ManageProfile,   // the profile window opens
    Sendrix,         // the Advanced pane opens the maker's tool
};

struct ControlDescription {
    const char *objectName;     // the control's object name in the layout
    const OutletMember *member; // the pane member it binds; null: the record alone holds it
    int32_t kind;
    const char *ppdKey;
    const char *titleKey;
    const char *summaryKey;
    const char *identifier;
    int16_t profileListKind;
    ControlAction action;
};

// Rows of a description table by the control's kind; objectName and member
// come from TINT_OUTLET(Pane, member).
constexpr ControlDescription popUp(const char *objectName, const OutletMember *member, const char *ppdKey,
                                   const char *titleKey, const char *summaryKey, const char *identifier,
                                   int16_t profileListKind, ControlAction action)
{
    return {objectName, member,     kPDEControlPopUp, ppdKey, titleKey,
            summaryKey, identifier, profileListKind,  action};
}

constexpr ControlDescription checkBox(const char *objectName, const OutletMember *member, const char *ppdKey,
                                      const char *titleKey, const char *summaryKey, const char *identifier,
                                      ControlAction action)
{
    return {objectName, member,     kPDEControlCheckBox, ppdKey, titleKey,
            summaryKey, identifier, kProfileListNone,    action};
}

constexpr ControlDescription staticText(const char *objectName, const OutletMember *member,
                                        const char *titleKey)
{
    return {objectName, member,           kPDEControlStaticText, "", titleKey, nullptr,
            "",         kProfileListNone, ControlAction::None};
}

constexpr ControlDescription pushButton(const char *objectName, const OutletMember *member,
                                        const char *titleKey, const char *identifier, ControlAction action)
{
    return {objectName, member,     kPDEControlPushButton, "",    titleKey,
            nullptr,    identifier, kProfileListNone,      action};
}

constexpr ControlDescription tabView(const char *objectName, const OutletMember *member, const char *titleKey)
{
    return {objectName, member,           kPDEControlTabView, "", titleKey, nullptr,
            "",         kProfileListNone, ControlAction::None};
}

} // namespace tint
