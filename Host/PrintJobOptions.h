// The options a printed job carries: the top-level print settings that are
// plain values (the plug-in's own nested dictionaries stay in the dialog).
#pragma once

#include "PrintCore.h"

#include <string>

// One "KEY=VALUE" line per top-level string, integer, boolean or real
// setting, in key order.
std::string PrintJobOptionsText(const PMDictionary &settings);
