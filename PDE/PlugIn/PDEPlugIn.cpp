#include "PDEPlugIn.h"

#include "ClassRegistry.h"
#include "Localization.h"
#include "PDEPlugInInterface.h"

namespace
{
std::string &bundleStore()
{
    static std::string bundle;
    return bundle;
}
} // namespace

const std::string &PDEPlugIn::pluginBundle()
{
    return bundleStore();
}

bool PDEPlugIn::initWithBundle(const std::string &bundlePath)
{
    std::string &bundle = bundleStore();
    if (bundle.empty() && !bundlePath.empty()) {
        bundle = bundlePath;
        // Texts and layouts come from this bundle from now on.
        Localization::setBundlePath(bundle);
    }
    return true;
}

std::optional<std::vector<std::unique_ptr<PDEPanelProtocol>>>
PDEPlugIn::PDEPanelsForType(const std::string &type, PDEHostCallback *hostInfo)
{
    if (type != kPDEPrinterModuleType)
        return std::nullopt;
    std::vector<std::unique_ptr<PDEPanelProtocol>> panels;
    try {
        panels.push_back(std::make_unique<PDEPlugInInterface>(hostInfo));
    } catch (...) {
        return std::nullopt;
    }
    return panels;
}

extern "C" void *TintpaneCreateObject(const char *runtimeClassName)
{
    if (!runtimeClassName)
        return nullptr;
    try {
        // The principal class is the one class the host may ask for.
        if (ClassRegistry::runtimeName("PDEPlugIn") == runtimeClassName)
            return static_cast<PDEPlugInProtocol *>(new PDEPlugIn());
        return nullptr;
    } catch (...) {
        return nullptr;
    }
}
