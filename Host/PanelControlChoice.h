// Choosing a choice in one of the panel's controls as a user would.
#pragma once

#include "PrintDialog.h"

#include <string>

// Finds the control bound to PPD option key and chooses choice in it: a
// pop-up item by its choice keyword (else by its exact title), or "#N" for
// item N counted from 0; a
// check box "True" or "False". The control then sends its action as a
// user's act would (activated / clicked), so the preset rules run. false
// with *error when no control has that option, the control is greyed out,
// or the choice names nothing in it.
bool PanelChooseChoice(PrintDialog &dialog, const std::string &key, const std::string &choice,
                       std::string *error);

// Whether a person can reach the Advanced pane now: its button is enabled.
// false with the button's reason (its tool tip) in *reason otherwise.
bool PanelAdvancedPaneReachable(PrintDialog &dialog, std::string *reason);
