// One description per control of a pane: where the control is in the layout,
// which pane member it binds, and what its record in the pane's control
// table says. A pane's table of descriptions is the one place a control is
// written down; its control table, its outlet binding and its action binding
// are all derived from it.
#pragma once

#include "PDECommon.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>

namespace tint
{

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

// Reads and sets one typed member of a pane as a plain widget.
struct PaneMember {
    QWidget *(*get)(QWidget *pane);
    // A control of another class than the member's leaves the member null.
    void (*set)(QWidget *pane, QWidget *control);
};

template <typename M> struct PaneMemberTraits;
template <typename C, typename T> struct PaneMemberTraits<T * C::*> {
    using Pane = C;
    using Control = T;
};

template <auto Member>
inline constexpr PaneMember kPaneMember = {
    [](QWidget *pane) -> QWidget * {
        auto *p = dynamic_cast<typename PaneMemberTraits<decltype(Member)>::Pane *>(pane);
        return p ? p->*Member : nullptr;
    },
    [](QWidget *pane, QWidget *control) {
        using Traits = PaneMemberTraits<decltype(Member)>;
        if (auto *p = dynamic_cast<typename Traits::Pane *>(pane))
            p->*Member = dynamic_cast<typename Traits::Control *>(control);
    },
};

struct ControlDescription {
    const char *objectName;   // the control's object name in the layout
    const PaneMember *member; // the pane member it binds; null: the record alone holds it
    int32_t kind;
    const char *ppdKey;
    const char *titleKey;
    const char *summaryKey;
    const char *identifier;
    int16_t profileListKind;
    ControlAction action;
};

} // namespace tint

// The object name and member of a control that has a pane member of the
// same name.
#define TINT_PANE_CONTROL(Pane, member) #member, &tint::kPaneMember < &Pane::member>
