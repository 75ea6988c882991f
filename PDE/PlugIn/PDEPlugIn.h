// The bundle's principal class: what the print dialog creates first. It
// remembers the bundle it came from and hands out the one colour panel for
// the printer-module panel type.
#pragma once

#include "PDEPanelProtocol.h"

#include <string>

class PDEPlugIn : public PDEPlugInProtocol
{
  public:
    PDEPlugIn() = default;

    // Keeps the first bundle it is given for the life of the process (later
    // calls leave it as it is). Always true.
    bool initWithBundle(const std::string &bundlePath) override;
    // One PDEPlugInInterface for the printer-module type (exact comparison),
    // nullopt for any other type.
    std::optional<std::vector<std::unique_ptr<PDEPanelProtocol>>>
    PDEPanelsForType(const std::string &type, PDEHostCallback *hostInfo) override;

    // The bundle of the first initWithBundle ("" before it).
    static const std::string &pluginBundle();
};

// The bundle's one factory for its host: a new instance of the principal
// class named runtimeClassName (a PDEPlugInProtocol *, owned by the caller),
// or nullptr for any other name.
extern "C" __attribute__((visibility("default"))) void *TintpaneCreateObject(const char *runtimeClassName);
