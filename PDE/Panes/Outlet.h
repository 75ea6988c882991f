// Outlets and actions: how the objects of a loaded layout reach the code.
// An outlet is a typed member of an owner object (the panel, a controller,
// a pane, the profile window's controller) that holds an object of the
// layout; it is bound once, at load, by the object's name. An action is a
// member function of a receiver that a control's user act calls. The panel,
// its panes and the profile window all bind through these.
#pragma once

#include <QObject>

namespace tint
{

// Reads and sets one typed member of an owner object.
struct OutletMember {
    QObject *(*get)(QObject *owner);
    // An object of another class than the member's leaves the member null.
    void (*set)(QObject *owner, QObject *target);
};

template <typename M> struct OutletMemberTraits;
template <typename C, typename T> struct OutletMemberTraits<T * C::*> {
    using Owner = C;
    using Target = T;
};

template <auto Member>
inline constexpr OutletMember kOutletMember = {
    [](QObject *owner) -> QObject * {
        auto *o = dynamic_cast<typename OutletMemberTraits<decltype(Member)>::Owner *>(owner);
        return o ? o->*Member : nullptr;
    },
    [](QObject *owner, QObject *target) {
        using Traits = OutletMemberTraits<decltype(Member)>;
        if (auto *o = dynamic_cast<typename Traits::Owner *>(owner))
            o->*Member = dynamic_cast<typename Traits::Target *>(target);
    },
};

// The object called name: root itself or one of its descendants.
QObject *findLayoutObject(QObject *root, const char *name);

// Finds the object called objectName (root or below) and, with a member,
// binds owner's member to it. Returns the member's object afterwards, or
// without a member the object found. A missing object, or one of another
// class than the member's, is logged with its name and leaves the member
// null.
QObject *bindOutlet(QObject *owner, const OutletMember *member, QObject *root, const char *objectName);

// An action: calls receiver's method with the control that sent it.
using ActionSender = void (*)(QObject *receiver, QObject *sender);

template <typename M> struct ActionMethodTraits;
template <typename C> struct ActionMethodTraits<void (C::*)(QObject *)> {
    using Receiver = C;
};

template <auto Method> void sendAction(QObject *receiver, QObject *sender)
{
    if (auto *r = dynamic_cast<typename ActionMethodTraits<decltype(Method)>::Receiver *>(receiver))
        (r->*Method)(sender);
}

// Connects a control's user act to send(receiver, control): a pop-up's
// activation, a button's or check box's click. Neither fires when code sets
// a value, so values set by code never re-enter the rules or the editing.
void connectAction(QObject *control, QObject *receiver, ActionSender send);

} // namespace tint

// The object name and outlet of an owner's member that has the name of its
// object in the layout.
#define TINT_OUTLET(Owner, member) #member, &tint::kOutletMember < &Owner::member>
