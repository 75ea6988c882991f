#include "RequestBuilder.h"

#include "RelayProtocol.h"
#include "RequestTags.h"
#include "TintText.h"

bool tint::buildRequest(const tint::MethodInfo &method, const std::vector<std::string> &args,
                        std::string *request)
{
    request->clear();
    if (args.size() < method.minArguments)
        return false;

    std::string out;
    switch (method.form) {
    case tint::RequestForm::Path:
        out = args[0];
        break;
    case tint::RequestForm::Swap:
        out = args[0] + kTagSwapType + args[1] + kTagCurrentPath + args[2] + kTagPrevPath;
        break;
    case tint::RequestForm::UrlAndData:
        out = args[0] + kTagAddURL + args[1];
        break;
    case tint::RequestForm::Walk:
        out = args[0] + kTagModelName + args[1] + kTagUserName;
        for (std::size_t i = 2; i < args.size(); ++i) {
            out += args[i];
            out += kTagArg;
        }
        break;
    }
    // The bus carries only UTF-8; the tags are ASCII, so checking the whole
    // request checks every argument that went into it.
    if (!TintIsValidUtf8(out))
        return false;
    *request = std::move(out);
    return true;
}
