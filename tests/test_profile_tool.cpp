// Runs one profile store operation on the given current and previous list
// and prints its result, so tests can run it as another user:
//   test_profile_tool probe|exist|write|read CURRENT [PREVIOUS]
//   test_profile_tool swap|remove N CURRENT PREVIOUS
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const std::string command = argv[1];
    int arg = 0;
    int pathAt = 2;
    if (command == "swap" || command == "remove") {
        arg = std::atoi(argv[2]);
        pathAt = 3;
    }
    if (argc <= pathAt)
        return 2;
    if (TintCopyPath(WQ_PLIST_PROFILE_PATH, argv[pathAt]) != 0)
        return 2;
    if (argc > pathAt + 1 && TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH, argv[pathAt + 1]) != 0)
        return 2;

    if (command == "probe") {
        std::printf("%d\n", WQPListIsAdminProfile());
    } else if (command == "exist") {
        std::printf("%d\n", WQPListExistProfile());
    } else if (command == "remove") {
        std::printf("%d\n", WQPListRemove(arg));
    } else if (command == "swap") {
        WQPListSwapProfile(arg);
        std::printf("done\n");
    } else if (command == "write") {
        auto rgb = std::make_unique<ProfileTable>();
        auto other = std::make_unique<ProfileTable>();
        rgb->entry[0].indexOnDevice = 501;
        rgb->entry[0].inMenu = InMenu::UserShown;
        std::strcpy(rgb->entry[0].fileName, "tool.icc");
        rgb->iNum = 1;
        std::printf("%d\n", WQPListWriteProfile_All(rgb.get(), other.get(), other.get()));
    } else if (command == "read") {
        auto rgb = std::make_unique<ProfileTable>();
        int32_t result = WQPListReadProfile_Dict(rgb.get(), kProfileGroupRGB);
        std::printf("%d %d\n", result, rgb->iNum);
    } else {
        return 2;
    }
    return 0;
}
