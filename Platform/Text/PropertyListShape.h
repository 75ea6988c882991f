// Whether a transfer file holds a whole XML property list, checked before it
// may replace a profile list.
#pragma once

#include <string_view>

// True when text is well-formed XML whose root is <plist> holding exactly one
// value, every <dict> alternates <key> and a value, and every element is one
// a property list may hold (leaves hold text only, <true/> and <false/>
// nothing). A transfer that lost, repeated or interleaved pieces fails. A
// streaming check: far cheaper than building the tree, which matters because
// every list the plug-in saves passes through it.
bool TintIsPropertyListText(std::string_view text);
