// The options a printed job carries: the top-level print settings that are
// plain values (the plug-in's own nested dictionaries stay in the dialog).
#pragma once

#include "PrintCore.h"

#include <cups/ppd.h>

#include <string>
#include <utility>
#include <vector>

// One "KEY=VALUE" line per top-level string, integer, boolean or real
// setting, in key order.
std::string PrintJobOptionsText(const PMDictionary &settings);

// The settings a job for a queue with this PPD sends as job attributes,
// in key order: every PPD option of the queue, and beside each the panel's
// own keys that name no PPD option (KEY + "Custom", KEY + "CustomFilename"),
// so that the printer's filter can read them. Other settings stay behind.
std::vector<std::pair<std::string, std::string>> PrintJobAttributes(const PMDictionary &settings,
                                                                    ppd_file_t *ppd);
