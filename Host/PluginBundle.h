// A print-dialog plug-in bundle: Contents/Info.plist names the principal
// class by its run-time name and the library (CFBundleExecutable: its file
// name, or a bare name for lib<name>.so) in Contents/Linux, which exports the factory
// TintpaneCreateObject.
#pragma once

#include "PDEPanelProtocol.h"

#include <memory>
#include <string>

class PluginBundle
{
  public:
    // Reads the bundle's Info.plist and loads its library. The library is
    // never unloaded: objects and Qt classes from it may live until exit.
    bool load(const std::string &bundlePath, std::string *error);

    const std::string &path() const { return path_; }
    const std::string &principalClass() const { return principalClass_; }

    // A new instance of the principal class, or null.
    std::unique_ptr<PDEPlugInProtocol> createPrincipal() const;

  private:
    std::string path_;
    std::string principalClass_;
    TintpaneCreateObjectFn factory_ = nullptr;
};
