// The direct back end: the current and previous profile list file are the
// paths held in these globals, written directly. Tools and tests set them;
// the service gives each request a store of its own instead.
#pragma once

#include "TintPaths.h"

extern char WQ_PLIST_PROFILE_PATH[TINT_PATH_BUFFER];
extern char WQ_PLIST_PROFILE_PREV_PATH[TINT_PATH_BUFFER];
