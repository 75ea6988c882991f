// The service's back end: the current and previous profile list file are the
// paths held in these globals, set by the walk request for its duration
// (callers serialise requests that set them). Whole-file writes go straight
// to disk.
#pragma once

#include "TintPaths.h"

extern char WQ_PLIST_PROFILE_PATH[TINT_PATH_BUFFER];
extern char WQ_PLIST_PROFILE_PREV_PATH[TINT_PATH_BUFFER];
