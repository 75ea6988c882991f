// Limits checked on property-list text before it reaches the parser. The
// parser descends recursively, so a file nesting containers thousands deep
// would exhaust the stack of whoever reads it: every reader of property
// lists from files that others can write checks the depth first.
#pragma once

#include <string_view>

// True when the <dict>/<array> elements of XML text, or the containers
// reachable from the top object of a binary property list, nest at most
// maxDepth deep. A binary structure the check cannot follow is refused.
// Text that merely looks like such a tag (in a comment) is counted as well,
// which only ever refuses more.
bool TintPropertyListNestingWithin(std::string_view text, int maxDepth);

// True when a text (a key or a string) of the property list holds a NUL
// character. libplist aborts the whole process when asked for such a text,
// so readers refuse these files before parsing them. XML carries no NUL at
// all; of a binary list every text object is looked at.
bool TintPropertyListHoldsNul(std::string_view text);
