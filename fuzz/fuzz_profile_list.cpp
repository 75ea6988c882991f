// The profile-list reader: whatever bytes stand in the list file, reading
// gives either -1 with the tables untouched or tables a list can hold. The
// bytes reach the store through a back end of their own, as a file's
// content would.
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

class BytesBackend : public ProfileStoreBackend
{
  public:
    std::string content;

    bool ReadCurrentList(std::string *out) override
    {
        *out = content;
        return true;
    }
    int WriteWholeFile(const char *, size_t) override { return -1; }
    int IsAdminProfile() override { return 0; }
    void SwapProfile(int32_t) override {}
    int ExistProfile() override { return 1; }
    int Remove(int32_t) override { return 0; }
};

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckTable(const ProfileTable &t)
{
    Check(t.iNum >= 0 && t.iNum <= kProfileTableSlots);
    for (const ProfileEntry &e : t.entry) {
        Check(std::memchr(e.fileName, '\0', sizeof e.fileName) != nullptr);
        Check(std::memchr(e.profileName, '\0', sizeof e.profileName) != nullptr);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static BytesBackend backend;
    static ProfileStore store(backend);
    backend.content.assign(reinterpret_cast<const char *>(data), size);

    // Zeroed, as every caller hands them over; reused, as fresh pages for
    // them on every input would cost more than the reading.
    static ProfileTable tables[3];
    static ProfileTable direct;
    static const ProfileTable kZero{};
    std::memset(tables, 0, sizeof tables);
    std::memset(&direct, 0, sizeof direct);
    if (store.WQPListReadProfile_All(&tables[0], &tables[1], &tables[2]) != 0) {
        for (const ProfileTable &t : tables)
            Check(std::memcmp(&t, &kZero, sizeof t) == 0);
        return 0;
    }
    for (const ProfileTable &t : tables)
        CheckTable(t);
    // The direct-connection form of one group, which drops and changes
    // entries as it reads.
    Check(store.WQPListReadProfile_Dict_Pap(&direct, static_cast<int32_t>(size % 3)) == 0);
    CheckTable(direct);
    return 0;
}
