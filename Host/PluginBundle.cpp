#include "PluginBundle.h"
#include "TintDialogTranslation.h"

#include "PropertyListLimits.h"

#include <plist/plist.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};

// The string under key in a dictionary node, or "".
std::string StringEntry(plist_t dict, const char *key)
{
    plist_t node = plist_dict_get_item(dict, key);
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return {};
    char *value = nullptr;
    plist_get_string_val(node, &value);
    std::string text = value ? value : "";
    std::free(value);
    return text;
}

} // namespace

bool PluginBundle::load(const std::string &bundlePath, std::string *error)
{
    std::error_code ec;
    const fs::path bundle = fs::absolute(bundlePath, ec);
    const fs::path infoPath = bundle / "Contents/Info.plist";
    std::ifstream in(infoPath, std::ios::binary);
    if (!in) {
        *error = TintDialogTr("no plug-in bundle at %1 (missing Contents/Info.plist)")
                     .arg(QString::fromStdString(bundle.string()))
                     .toStdString();
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    // A bundle's Info.plist is a flat dictionary of a few kilobytes.
    if (xml.size() > 1024u * 1024u || !TintPropertyListNestingWithin(xml, 32) ||
        TintPropertyListHoldsNul(xml)) {
        *error = infoPath.string() + ": too large or nested too deep for a bundle's Info.plist";
        return false;
    }
    plist_t root = nullptr;
    if (!xml.empty())
        plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    std::unique_ptr<void, PlistFree> owned(root);
    if (!root || plist_get_node_type(root) != PLIST_DICT) {
        *error = TintDialogTr("%1: not a property list dictionary")
                     .arg(QString::fromStdString(infoPath.string()))
                     .toStdString();
        return false;
    }
    std::string principal = StringEntry(root, "NSPrincipalClass");
    if (principal.empty()) {
        *error = TintDialogTr("%1: no NSPrincipalClass")
                     .arg(QString::fromStdString(infoPath.string()))
                     .toStdString();
        return false;
    }
    std::string executable = StringEntry(root, "CFBundleExecutable");
    if (executable.empty())
        executable = "Tintpane";
    // Either the library's file name or the bare name of the bundle's code.
    if (executable.size() < 3 || executable.compare(executable.size() - 3, 3, ".so") != 0)
        executable = "lib" + executable + ".so";
    const fs::path library = bundle / "Contents/Linux" / executable;

    // RTLD_LOCAL: the plug-in's own copies of shared code stay its own.
    void *handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char *why = ::dlerror();
        *error = TintDialogTr("cannot load %1: %2")
                     .arg(QString::fromStdString(library.string()), why ? why : "unknown error")
                     .toStdString();
        return false;
    }
    auto factory = reinterpret_cast<TintpaneCreateObjectFn>(::dlsym(handle, "TintpaneCreateObject"));
    if (!factory) {
        *error = TintDialogTr("%1 does not export TintpaneCreateObject")
                     .arg(QString::fromStdString(library.string()))
                     .toStdString();
        return false;
    }
    path_ = bundle.string();
    principalClass_ = principal;
    factory_ = factory;
    return true;
}

std::unique_ptr<PDEPlugInProtocol> PluginBundle::createPrincipal() const
{
    if (!factory_)
        return nullptr;
    return std::unique_ptr<PDEPlugInProtocol>(
        static_cast<PDEPlugInProtocol *>(factory_(principalClass_.c_str())));
}
