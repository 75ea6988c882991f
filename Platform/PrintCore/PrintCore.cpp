#include "PrintCore.h"

OSStatus PMPrintSettingsGetValue(PMPrintSettings settings, const std::string &key, PMValue *value)
{
    if (!settings || !value)
        return kPMInvalidParameter;
    auto it = settings->values.find(key);
    if (it == settings->values.end() || it->second.isNull()) {
        *value = PMValue();
        return kPMKeyNotFound;
    }
    *value = it->second; // dictionaries and arrays are shared, not copied
    return noErr;
}

OSStatus PMPrintSettingsSetValue(PMPrintSettings settings, const std::string &key, const PMValue &value,
                                 bool /*locked*/)
{
    if (!settings)
        return kPMInvalidParameter;
    if (value.isNull())
        settings->values.erase(key);
    else
        settings->values[key] = value;
    return noErr;
}

OSStatus PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter *printer)
{
    if (!session || !printer)
        return kPMInvalidParameter;
    *printer = session->currentPrinter;
    return *printer ? noErr : kPMInvalidPrinter;
}

std::string PMPrinterGetID(PMPrinter printer)
{
    return printer ? printer->identifier : std::string();
}

OSStatus PMPrinterCopyDeviceURI(PMPrinter printer, std::string *uri)
{
    if (!printer || !uri)
        return kPMInvalidParameter;
    if (printer->deviceURI.empty())
        return kPMInvalidPrinter;
    *uri = printer->deviceURI;
    return noErr;
}
