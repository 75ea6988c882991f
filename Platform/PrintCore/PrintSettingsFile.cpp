#include "PrintSettingsFile.h"

#include "PropertyListLimits.h"
#include "TintText.h"

#include <plist/plist.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace
{

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

struct MallocFree {
    void operator()(char *p) const { std::free(p); }
};

bool FromNode(plist_t node, PMValue *out, std::string *error, const std::string &where)
{
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        char *s = nullptr;
        plist_get_string_val(node, &s);
        std::unique_ptr<char, MallocFree> owned(s);
        *out = PMValue(std::string(s ? s : ""));
        return true;
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        // libplist has no signed integers; negative values come back as
        // their two's complement.
        *out = PMValue(static_cast<int64_t>(v));
        return true;
    }
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        *out = PMValue(b != 0);
        return true;
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        *out = PMValue(d);
        return true;
    }
    case PLIST_DATA: {
        char *bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        std::unique_ptr<char, MallocFree> owned(bytes);
        PMData data;
        if (bytes)
            data.bytes.assign(reinterpret_cast<const uint8_t *>(bytes),
                              reinterpret_cast<const uint8_t *>(bytes) + length);
        *out = PMValue(std::move(data));
        return true;
    }
    case PLIST_DATE: {
        // Kept as the file holds it, so that writing the settings back does
        // not lose it (a dialog's own tickets carry such stamps).
        PMDate date;
        plist_get_date_val(node, &date.seconds, &date.microseconds);
        *out = PMValue(date);
        return true;
    }
    case PLIST_DICT: {
        PMValue dict = PMValue::newDictionary();
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char *key = nullptr;
            plist_t child = nullptr;
            plist_dict_next_item(node, it, &key, &child);
            if (!child) {
                std::free(key);
                break;
            }
            std::unique_ptr<char, MallocFree> ownedKey(key);
            PMValue value;
            if (!FromNode(child, &value, error, where + "/" + (key ? key : ""))) {
                std::free(it);
                return false;
            }
            (*dict.dictionary())[key ? key : ""] = value;
        }
        std::free(it);
        *out = dict;
        return true;
    }
    case PLIST_ARRAY: {
        PMValue array = PMValue::newArray();
        uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; i++) {
            PMValue value;
            if (!FromNode(plist_array_get_item(node, i), &value, error, where + "/" + std::to_string(i)))
                return false;
            array.array()->push_back(value);
        }
        *out = array;
        return true;
    }
    default:
        *error = "unsupported value type at " + (where.empty() ? std::string("/") : where);
        return false;
    }
}

// nullptr (and *error set) for text that XML cannot carry.
plist_t ToNode(const PMValue &value, std::string *error, const std::string &where)
{
    switch (value.typeID()) {
    case kPMTypeString: {
        const std::string &s = *value.string();
        // XML 1.0 cannot carry most control characters; libplist would write
        // them as they are and leave a file no XML reader accepts.
        if (!TintHasNoXmlForbiddenControls(s)) {
            *error = "control character in the value at " + where;
            return nullptr;
        }
        return plist_new_string(s.c_str());
    }
    case kPMTypeInteger:
        return plist_new_uint(static_cast<uint64_t>(*value.integer()));
    case kPMTypeBoolean:
        return plist_new_bool(*value.boolean() ? 1 : 0);
    case kPMTypeReal:
        return plist_new_real(*value.real());
    case kPMTypeData: {
        const std::vector<uint8_t> &bytes = value.data()->bytes;
        return plist_new_data(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    }
    case kPMTypeDate:
        return plist_new_date(value.date()->seconds, value.date()->microseconds);
    case kPMTypeDictionary: {
        PlistPtr dict(plist_new_dict());
        for (const auto &[key, child] : *value.dictionary()) {
            if (child.isNull())
                continue;
            if (!TintHasNoXmlForbiddenControls(key)) {
                *error = "control character in a key at " + where;
                return nullptr;
            }
            plist_t node = ToNode(child, error, where + "/" + key);
            if (!node)
                return nullptr;
            plist_dict_set_item(dict.get(), key.c_str(), node);
        }
        return dict.release();
    }
    case kPMTypeArray: {
        PlistPtr array(plist_new_array());
        int i = 0;
        for (const auto &child : *value.array()) {
            if (child.isNull())
                continue;
            plist_t node = ToNode(child, error, where + "/" + std::to_string(i++));
            if (!node)
                return nullptr;
            plist_array_append_item(array.get(), node);
        }
        return array.release();
    }
    default:
        *error = "no value at " + where;
        return nullptr;
    }
}

bool FileExistsAt(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

// Print settings hold a few levels of dictionaries and arrays and a few
// kilobytes; far more than that is no settings file. The parser and the
// conversion below descend recursively, so the depth is checked first.
constexpr int kSettingsMaxNesting = 64;
constexpr std::size_t kSettingsMaxBytes = 16u * 1024u * 1024u;

bool PMPrintSettingsFromPropertyList(const std::string &text, PMDictionary *values, std::string *error)
{
    std::string scratch;
    if (!error)
        error = &scratch;
    values->clear();
    if (text.size() > kSettingsMaxBytes) {
        *error = "settings file is too large (more than " + std::to_string(kSettingsMaxBytes) + " bytes)";
        return false;
    }
    if (!TintPropertyListNestingWithin(text, kSettingsMaxNesting)) {
        *error = "settings nest deeper than " + std::to_string(kSettingsMaxNesting) + " levels";
        return false;
    }
    if (TintPropertyListHoldsNul(text)) {
        *error = "a text holds a NUL character";
        return false;
    }
    plist_t root = nullptr;
    if (plist_is_binary(text.data(), static_cast<uint32_t>(text.size())))
        plist_from_bin(text.data(), static_cast<uint32_t>(text.size()), &root);
    else if (!text.empty())
        plist_from_xml(text.data(), static_cast<uint32_t>(text.size()), &root);
    PlistPtr owned(root);
    if (!root) {
        *error = "not a property list";
        return false;
    }
    if (plist_get_node_type(root) != PLIST_DICT) {
        *error = "the top level is not a dictionary";
        return false;
    }
    PMValue dict;
    if (!FromNode(root, &dict, error, "")) {
        // The error names the key, which is the file's own text: keep the
        // message on one line whatever the key holds.
        for (char &c : *error) {
            if (c == '\n' || c == '\r')
                c = ' ';
        }
        if (error->empty())
            *error = "a value cannot be read";
        return false;
    }
    *values = *dict.dictionary();
    return true;
}

bool PMReadFileWhole(const std::string &path, std::string *text, std::string *error, std::size_t maxBytes)
{
    std::string scratch;
    if (!error)
        error = &scratch;
    text->clear();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return true;
        *error = path + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        *error = path + ": " + std::strerror(EISDIR);
        return false;
    }
    if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > maxBytes) {
        *error = path + ": the file is too large (more than " + std::to_string(maxBytes) + " bytes)";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": " + std::strerror(errno ? errno : EIO);
        return false;
    }
    std::ostringstream whole;
    whole << in.rdbuf();
    if (in.bad()) {
        *error = path + ": read error";
        return false;
    }
    *text = whole.str();
    return true;
}

bool PMPrintSettingsReadFile(const std::string &path, PMDictionary *values, std::string *error)
{
    std::string scratch;
    if (!error)
        error = &scratch;
    values->clear();
    std::string text;
    if (!PMReadFileWhole(path, &text, error, kSettingsMaxBytes))
        return false;
    if (text.empty() && !FileExistsAt(path))
        return true; // no settings yet
    if (!PMPrintSettingsFromPropertyList(text, values, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return true;
}

bool PMPrintSettingsToXML(const PMDictionary &values, std::string *xml, std::string *error)
{
    std::string scratch;
    if (!error)
        error = &scratch;
    PMValue dict = PMValue::newDictionary();
    *dict.dictionary() = values;
    PlistPtr root(ToNode(dict, error, ""));
    if (!root)
        return false;
    char *text = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &text, &length);
    std::unique_ptr<char, MallocFree> owned(text);
    if (!text) {
        *error = "cannot format the settings";
        return false;
    }
    xml->assign(text, length);
    return true;
}
