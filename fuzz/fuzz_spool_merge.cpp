// The spool and the merge, given what a walk could decode from any agent:
// a list as the reader could return it, then a run of variables (any
// column, row, length, type and value), then the merge. The merged tables
// must be lists the writer can take: iNum entries in use, packed at the
// front, free slots zeroed, texts terminated.
#include "MibWalk.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

class Bytes
{
  public:
    Bytes(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t word() { return static_cast<uint16_t>(byte() << 8 | byte()); }
    int32_t integer() { return static_cast<int32_t>(static_cast<uint32_t>(word()) << 16 | word()); }
    // Up to max bytes, as many as the next byte asks for.
    std::vector<uint8_t> text(size_t max)
    {
        const size_t n = std::min<size_t>(byte() % (max + 1), size_ - std::min(at_, size_));
        std::vector<uint8_t> out(data_ + at_, data_ + at_ + n);
        at_ += n;
        return out;
    }

  private:
    const uint8_t *data_;
    size_t size_;
    size_t at_ = 0;
};

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void FillText(char field[kProfileTextField], const std::vector<uint8_t> &text)
{
    std::memset(field, 0, kProfileTextField);
    if (!text.empty())
        std::memcpy(field, text.data(), std::min<size_t>(text.size(), kProfileTextField - 1));
}

void ReadList(Bytes &in, ProfileTable *tables)
{
    const int entries = in.byte() % 48;
    for (int i = 0; i < entries; ++i) {
        ProfileTable &t = tables[in.byte() % 3];
        ProfileEntry &e = t.entry[in.word() % kProfileTableSlots];
        e.indexOnDevice = static_cast<int16_t>(in.word());
        e.inMenu = in.byte() % 8;
        e.profileClass = in.byte() % 5;
        e.location = in.byte() % 7;
        e.availability = in.byte() % 3;
        FillText(e.fileName, in.text(36));
        FillText(e.profileName, in.text(36));
    }
    for (int g = 0; g < 3; ++g)
        tables[g].iNum = in.word() % (kProfileTableSlots + 1);
}

void SpoolVariables(Bytes &in, ProfileTable *spool)
{
    while (!in.empty()) {
        std::vector<oid> name(kProfileEntryOid, kProfileEntryOid + kProfileEntryOidLength);
        name.push_back(in.byte() % 9); // column
        const uint8_t shape = in.byte();
        if (shape % 4 != 0) {
            name.push_back(in.byte());
            name.push_back(in.word());
        }
        netsnmp_variable_list var{};
        snmp_set_var_objid(&var, name.data(), name.size());
        switch ((shape >> 2) % 4) {
        case 0: {
            long value = in.integer();
            snmp_set_var_typed_value(&var, ASN_INTEGER, &value, sizeof value);
            break;
        }
        case 1: {
            const std::vector<uint8_t> text = in.text(48);
            snmp_set_var_typed_value(&var, ASN_OCTET_STR, text.data(), text.size());
            break;
        }
        case 2:
            snmp_set_var_typed_value(&var, ASN_NULL, nullptr, 0);
            break;
        default: {
            long value = in.integer();
            snmp_set_var_typed_value(&var, ASN_COUNTER, &value, sizeof value);
            break;
        }
        }
        MibWalkSpoolVariable(spool, var.name, var.name_length, &var);
        snmp_free_var_internals(&var);
    }
}

void CheckMerged(const ProfileTable &t)
{
    Check(t.iNum >= 0 && t.iNum <= kProfileTableSlots);
    static const ProfileEntry kFree{};
    for (int i = 0; i < kProfileTableSlots; ++i) {
        const ProfileEntry &e = t.entry[i];
        Check(std::memchr(e.fileName, '\0', sizeof e.fileName) != nullptr);
        Check(std::memchr(e.profileName, '\0', sizeof e.profileName) != nullptr);
        if (i < t.iNum)
            Check(e.inMenu != 0);
        else
            Check(std::memcmp(&e, &kFree, sizeof e) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Reused: fresh pages for four tables on every input would cost more
    // than the merge itself.
    static ProfileTable tables[3];
    static ProfileTable spool;
    std::memset(tables, 0, sizeof tables);
    std::memset(&spool, 0, sizeof spool);
    Bytes in(data, size);
    const int failure = in.byte() & 1;
    ReadList(in, tables);
    SpoolVariables(in, &spool);
    Check(spool.iNum >= 0 && spool.iNum <= kProfileTableSlots);
    MibWalkMergeSpool(spool, failure, &tables[0], &tables[1], &tables[2]);
    for (int g = 0; g < 3; ++g)
        CheckMerged(tables[g]);
    return 0;
}
