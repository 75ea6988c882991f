#include "RequestSplitter.h"

#include "RequestTags.h"

#include <climits>
#include <cstring>

namespace
{

constexpr std::size_t npos = std::string::npos;

std::optional<std::string> SwapField(const std::string &text)
{
    if (text == kFieldNull)
        return std::nullopt;
    return text;
}

} // namespace

int tint::leadingInteger(const std::string &text, bool *found)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        digits = true;
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (found)
        *found = digits;
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool tint::splitSwapRequest(const std::string &request, tint::SwapRequest *out)
{
    *out = tint::SwapRequest();
    const std::size_t typeTag = request.find(kTagSwapType);
    const std::size_t curTag = request.find(kTagCurrentPath);
    const std::size_t prevTag = request.find(kTagPrevPath);

    // The current path is measured from the end of the type tag, the previous
    // path from the end of the current-path tag.
    if (curTag != npos && typeTag == npos)
        return false;
    if (prevTag != npos && curTag == npos)
        return false;
    const std::size_t curStart = typeTag == npos ? npos : typeTag + std::strlen(kTagSwapType);
    const std::size_t prevStart = curTag == npos ? npos : curTag + std::strlen(kTagCurrentPath);
    if (curTag != npos && curTag < curStart)
        return false;
    if (prevTag != npos && prevTag < prevStart)
        return false;

    if (typeTag != npos) {
        const std::string typeText = request.substr(0, typeTag);
        out->type = typeText == kFieldNull ? 0 : tint::leadingInteger(typeText);
    }
    if (curTag != npos)
        out->currentPath = SwapField(request.substr(curStart, curTag - curStart));
    if (prevTag != npos)
        out->prevPath = SwapField(request.substr(prevStart, prevTag - prevStart));
    return true;
}

bool tint::splitWalkRequest(const std::string &request, tint::WalkRequest *out)
{
    *out = tint::WalkRequest();
    const std::size_t modelTag = request.find(kTagModelName);
    const std::size_t userTag = request.find(kTagUserName);
    if (modelTag == npos || userTag == npos)
        return false;
    const std::size_t userStart = modelTag + std::strlen(kTagModelName);
    if (userTag < userStart)
        return false;

    tint::WalkRequest walk;
    walk.model = request.substr(0, modelTag);
    walk.user = request.substr(userStart, userTag - userStart);
    const std::size_t tagLen = std::strlen(kTagArg);
    std::size_t pos = userTag + std::strlen(kTagUserName);
    for (;;) {
        const std::size_t next = request.find(kTagArg, pos);
        if (next == npos)
            break; // the text after the last tag is not an argument
        walk.args.push_back(request.substr(pos, next - pos));
        pos = next + tagLen;
    }
    *out = std::move(walk);
    return true;
}

bool tint::splitDataRequest(const std::string &request, tint::DataRequest *out)
{
    *out = tint::DataRequest();
    const std::size_t tag = request.find(kTagAddURL);
    if (tag == npos)
        return false;
    out->url = request.substr(0, tag);
    out->data = request.substr(tag + std::strlen(kTagAddURL));
    return true;
}
