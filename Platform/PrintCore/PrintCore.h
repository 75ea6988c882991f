// The print dialog's job state as the plug-in sees it: print settings (a
// store of property-list values by string key), the print session and its
// current printer. The host owns all three; the plug-in reads and writes
// through these functions only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

typedef int32_t OSStatus;
enum : OSStatus {
    noErr = 0,
    kPMInvalidParameter = -50,
    kPMKeyNotFound = -30899,
    kPMInvalidPrinter = -30882,
};

// Type identifiers of stored values (the plug-in compares them before it
// trusts a value it found in the settings).
enum PMTypeID : int {
    kPMTypeNone = 0,
    kPMTypeString = 1,
    kPMTypeInteger = 2,
    kPMTypeBoolean = 3,
    kPMTypeDictionary = 4,
    kPMTypeArray = 5,
    kPMTypeReal = 6,
    kPMTypeData = 7,
    kPMTypeDate = 8,
};

// Raw bytes, as a property list's <data> holds them.
struct PMData {
    std::vector<uint8_t> bytes;
};
// A point in time as a property list's <date> holds it: seconds (and
// microseconds) from 2001-01-01 00:00:00 UTC.
struct PMDate {
    int32_t seconds = 0;
    int32_t microseconds = 0;
};

class PMValue;
using PMDictionary = std::map<std::string, PMValue>;
using PMArray = std::vector<PMValue>;
using PMDictionaryRef = std::shared_ptr<PMDictionary>;
using PMArrayRef = std::shared_ptr<PMArray>;

// One property-list value. Dictionaries and arrays are held by reference: a
// copy of a PMValue shares the same mutable container.
class PMValue
{
  public:
    PMValue() = default;
    PMValue(const char *s) : v_(std::string(s ? s : "")) {}
    PMValue(std::string s) : v_(std::move(s)) {}
    PMValue(int64_t i) : v_(i) {}
    PMValue(int i) : v_(static_cast<int64_t>(i)) {}
    PMValue(bool b) : v_(b) {}
    PMValue(double d) : v_(d) {}
    PMValue(PMDictionaryRef d) : v_(std::move(d)) {}
    PMValue(PMArrayRef a) : v_(std::move(a)) {}
    PMValue(PMData d) : v_(std::move(d)) {}
    PMValue(PMDate d) : v_(d) {}

    PMTypeID typeID() const
    {
        switch (v_.index()) {
        case 1:
            return kPMTypeString;
        case 2:
            return kPMTypeInteger;
        case 3:
            return kPMTypeBoolean;
        case 4:
            return kPMTypeReal;
        case 5:
            return std::get<5>(v_) ? kPMTypeDictionary : kPMTypeNone;
        case 6:
            return std::get<6>(v_) ? kPMTypeArray : kPMTypeNone;
        case 7:
            return kPMTypeData;
        case 8:
            return kPMTypeDate;
        default:
            return kPMTypeNone;
        }
    }
    bool isNull() const { return typeID() == kPMTypeNone; }

    // Accessors return null / defaults when the value has another type.
    const std::string *string() const { return std::get_if<std::string>(&v_); }
    const int64_t *integer() const { return std::get_if<int64_t>(&v_); }
    const bool *boolean() const { return std::get_if<bool>(&v_); }
    const double *real() const { return std::get_if<double>(&v_); }
    const PMData *data() const { return std::get_if<PMData>(&v_); }
    const PMDate *date() const { return std::get_if<PMDate>(&v_); }
    PMDictionaryRef dictionary() const
    {
        auto p = std::get_if<PMDictionaryRef>(&v_);
        return p ? *p : nullptr;
    }
    PMArrayRef array() const
    {
        auto p = std::get_if<PMArrayRef>(&v_);
        return p ? *p : nullptr;
    }

    static PMValue newDictionary() { return PMValue(std::make_shared<PMDictionary>()); }
    static PMValue newArray() { return PMValue(std::make_shared<PMArray>()); }

  private:
    std::variant<std::monostate, std::string, int64_t, bool, double, PMDictionaryRef, PMArrayRef, PMData,
                 PMDate>
        v_;
};

// Opaque handles, as the print dialog hands them over.
struct PMPrintSettingsRecord {
    PMDictionary values;
};
struct PMPrinterRecord {
    std::string identifier;
    std::string deviceURI; // empty: the queue has no device URI
};
struct PMPrintSessionRecord {
    PMPrinterRecord *currentPrinter = nullptr;
};
typedef PMPrintSettingsRecord *PMPrintSettings;
typedef PMPrintSessionRecord *PMPrintSession;
typedef PMPrinterRecord *PMPrinter;

// value receives the stored value (sharing a stored dictionary); returns
// kPMKeyNotFound (value null) when nothing is stored under key.
OSStatus PMPrintSettingsGetValue(PMPrintSettings settings, const std::string &key, PMValue *value);
// Stores value under key; a null value removes the key. locked is accepted
// and ignored, as on the original platform for unlocked sets.
OSStatus PMPrintSettingsSetValue(PMPrintSettings settings, const std::string &key, const PMValue &value,
                                 bool locked);
OSStatus PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter *printer);
// The printer's identifier (queue name); empty when printer is null.
std::string PMPrinterGetID(PMPrinter printer);
// uri receives the device URI; kPMInvalidPrinter when there is none.
OSStatus PMPrinterCopyDeviceURI(PMPrinter printer, std::string *uri);
