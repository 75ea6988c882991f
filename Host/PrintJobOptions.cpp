#include "PrintJobOptions.h"

#include <cstdio>

std::string PrintJobOptionsText(const PMDictionary &settings)
{
    std::string out;
    for (const auto &[key, value] : settings) {
        std::string text;
        switch (value.typeID()) {
        case kPMTypeString:
            text = *value.string();
            break;
        case kPMTypeInteger:
            text = std::to_string(*value.integer());
            break;
        case kPMTypeBoolean:
            text = *value.boolean() ? "true" : "false";
            break;
        case kPMTypeReal: {
            char number[64];
            std::snprintf(number, sizeof number, "%g", *value.real());
            text = number;
            break;
        }
        default:
            continue;
        }
        out += key + "=" + text + "\n";
    }
    return out;
}
