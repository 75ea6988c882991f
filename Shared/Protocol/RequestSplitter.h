// Splitting a request string in the service. Each tag is found by its first
// occurrence in the whole request; a field runs from the end of the tag before
// it (or the start) to the start of its own tag. The protocol has no escaping.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tint
{

struct SwapRequest {
    int type = 0;
    std::optional<std::string> currentPath; // absent: tag missing or "NULL"
    std::optional<std::string> prevPath;
};

struct WalkRequest {
    std::string model;
    std::string user;
    std::vector<std::string> args; // the piece after the last ":arg:" is dropped
};

struct DataRequest {
    std::string url;  // text before the first ":AddURL:END"
    std::string data; // everything after it, verbatim
};

// Each returns false for a malformed request: a tag is missing from whose end
// a later field is measured, or the tags stand out of order. Nothing may be
// done for such a request.
bool splitSwapRequest(const std::string &request, SwapRequest *out);
bool splitWalkRequest(const std::string &request, WalkRequest *out);
bool splitDataRequest(const std::string &request, DataRequest *out);

// The leading decimal integer of text (leading blanks and a sign allowed,
// saturating at the int range); 0 when there is none. *found tells whether
// digits were there.
int leadingInteger(const std::string &text, bool *found = nullptr);

} // namespace tint
