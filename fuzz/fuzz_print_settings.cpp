// The print-settings reader of the host: any bytes as a settings file give
// settings or a one-line error, and settings that were read can be written
// and read back.
#include "PrintSettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    PMDictionary values;
    std::string error;
    if (!PMPrintSettingsFromPropertyList(text, &values, &error)) {
        if (error.empty() || error.find('\n') != std::string::npos || !values.empty())
            std::abort();
        return 0;
    }
    std::string xml;
    if (PMPrintSettingsToXML(values, &xml, &error)) {
        PMDictionary again;
        if (!PMPrintSettingsFromPropertyList(xml, &again, &error))
            std::abort(); // what was written must read back
    }
    return 0;
}
