// Tidying tables after a walk, and the merge of an edited list with the file
// for printers on direct connections.
#include "test_profile_fixture.h"

#include <vector>

namespace
{

// Used slots as "slot:inMenu:fileName" for compact comparisons.
std::vector<std::string> Used(const ProfileTable &t)
{
    std::vector<std::string> used;
    for (int i = 0; i < kProfileTableSlots; ++i) {
        const ProfileEntry &e = t.entry[i];
        if (e.inMenu != 0 || e.fileName[0] != '\0')
            used.push_back(std::to_string(i) + ":" + std::to_string(e.inMenu) + ":" + e.fileName);
    }
    return used;
}

void Name(char *field, const char *prefix, int n)
{
    std::snprintf(field, kProfileTextField, "%s%d", prefix, n);
}

} // namespace

TEST(ProfileTidy, PaddingPacksUsedEntriesInOrder)
{
    auto t = NewTable();
    SetEntry(&t->entry[0], 1, 4, 1, "a", "A", 4, 3);
    SetEntry(&t->entry[3], 2, 6, 2, "b", "B", 4, 3);
    SetEntry(&t->entry[7], 3, 1, 3, "c", "C", 4, 3);
    t->iNum = 3;
    WQPListPaddingProfile_Dict(t.get());
    EXPECT_EQ(Used(*t), (std::vector<std::string>{"0:4:a", "1:6:b", "2:1:c"}));
    EXPECT_EQ(t->entry[2].indexOnDevice, 3);
    EXPECT_EQ(t->entry[2].availability, 3);
    EXPECT_EQ(t->iNum, 3);
    // A slot moved from keeps its profile class and nothing else.
    EXPECT_EQ(t->entry[7].profileClass, 3);
    EXPECT_EQ(t->entry[7].indexOnDevice, 0);
    EXPECT_EQ(t->entry[7].availability, 0);

    // Already packed, a full table, and the last slot only.
    auto full = NewTable();
    for (int i = 0; i < kProfileTableSlots; ++i)
        SetEntry(&full->entry[i], i, 2, 1, "f", "F", 4);
    auto before = NewTable();
    *before = *full;
    WQPListPaddingProfile_Dict(full.get());
    EXPECT_TRUE(SameBytes(*full, *before));
    auto last = NewTable();
    SetEntry(&last->entry[499], 9, 5, 2, "z", "Z", 4);
    WQPListPaddingProfile_Dict(last.get());
    EXPECT_EQ(Used(*last), (std::vector<std::string>{"0:5:z"}));
}

TEST(ProfileTidy, CheckWithInMenu)
{
    // The count agrees: nothing changes, even with a used entry after a gap.
    auto t = NewTable();
    SetEntry(&t->entry[0], 1, 4, 1, "a", "A", 4);
    SetEntry(&t->entry[5], 2, 4, 1, "b", "B", 4);
    t->iNum = 2;
    auto before = NewTable();
    *before = *t;
    WQPlistCheckWithInMenu_Dict(t.get());
    EXPECT_TRUE(SameBytes(*t, *before));

    // The count differs: everything from the count on is cleared.
    t->iNum = 7;
    t->entry[1].profileClass = 3; // a free slot with leftovers
    WQPlistCheckWithInMenu_Dict(t.get());
    EXPECT_EQ(t->iNum, 2);
    EXPECT_EQ(Used(*t), (std::vector<std::string>{"0:4:a"}));
    EXPECT_EQ(t->entry[1].profileClass, 3);
    EXPECT_EQ(t->entry[5].indexOnDevice, 0);
}

TEST(ProfileTidy, CleanPaddingSalvageAfterAWalk)
{
    struct Case {
        const char *what;
        int32_t indexOnDevice, inMenu;
        const char *fileName;
        // after Clean, and after Padding and Salvage
        int32_t cleanIndex, cleanMenu, finalMenu;
        bool kept;
    };
    const Case cases[] = {
        {"shown, gone from the printer", 0, InMenu::DeviceShown, "gone", 501, InMenu::MissingShown,
         InMenu::UserShown, true},
        {"missing shown without index", 0, InMenu::MissingShown, "miss", 501, InMenu::MissingShown,
         InMenu::UserShown, true},
        {"hidden, gone from the printer", 0, InMenu::DeviceHidden, "hid", 0, 0, 0, false},
        {"user hidden without index", 0, InMenu::UserHidden, "uh", 0, 0, 0, false},
        {"on the printer", 12, InMenu::DeviceShown, "dev", 12, InMenu::DeviceShown, InMenu::DeviceShown,
         true},
        {"missing shown with index", 7, InMenu::MissingShown, "ms", 7, InMenu::MissingShown,
         InMenu::UserShown, true},
        {"no file name", 0, InMenu::DeviceShown, "", 0, InMenu::DeviceShown, InMenu::DeviceShown, true},
    };
    for (const Case &c : cases) {
        auto t = NewTable();
        SetEntry(&t->entry[0], 3, InMenu::DeviceShown, 1, "first", "", 4);
        SetEntry(&t->entry[1], c.indexOnDevice, c.inMenu, 2, c.fileName, "P", 4);
        SetEntry(&t->entry[2], 4, InMenu::DeviceHidden, 1, "third", "", 4);
        t->iNum = 3;
        WQPListCleanProfile_Dict(t.get());
        EXPECT_EQ(t->iNum, c.kept ? 3 : 2) << c.what;
        EXPECT_EQ(t->entry[1].indexOnDevice, c.cleanIndex) << c.what;
        EXPECT_EQ(t->entry[1].inMenu, c.cleanMenu) << c.what;
        WQPListPaddingProfile_Dict(t.get());
        WQPListSalvage_Dict(t.get());
        if (c.kept) {
            EXPECT_EQ(t->entry[1].inMenu, c.finalMenu) << c.what;
            EXPECT_STREQ(t->entry[2].fileName, "third") << c.what;
        } else {
            EXPECT_STREQ(t->entry[1].fileName, "third") << c.what;
            EXPECT_EQ(t->entry[2].inMenu, 0) << c.what;
        }
    }

    // A free slot that still carries a name is cleared without lowering the
    // count of the used ones.
    auto t = NewTable();
    SetEntry(&t->entry[0], 3, InMenu::DeviceShown, 1, "a", "", 4);
    SetEntry(&t->entry[1], 0, InMenu::Empty, 1, "stale", "", 4);
    t->iNum = 1;
    WQPListCleanProfile_Dict(t.get());
    EXPECT_EQ(t->iNum, 1);
    EXPECT_STREQ(t->entry[1].fileName, "");
}

TEST_F(ProfileStoreTest, DirectConnectionReadDropsAndAdoptsPrinterEntries)
{
    auto rgb = NewTable(), sim = NewTable(), dst = NewTable();
    SetEntry(&rgb->entry[0], 501, InMenu::UserShown, 2, "user.icc", "User", 4, 3);
    SetEntry(&rgb->entry[1], 11, InMenu::DeviceHidden, 1, "hidden.icc", "Hidden", 4, 1);
    SetEntry(&rgb->entry[2], 12, InMenu::DeviceShown, 3, "shown.icc", "Shown", 4, 1);
    SetEntry(&rgb->entry[3], 13, InMenu::MissingHidden, 3, "miss.icc", "Miss", 4, 1);
    rgb->iNum = 4;
    ASSERT_EQ(WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0);

    auto t = NewTable();
    ASSERT_EQ(WQPListReadProfile_Dict_Pap(t.get(), kProfileGroupRGB), 0);
    EXPECT_EQ(t->iNum, 3);
    EXPECT_EQ(Used(*t), (std::vector<std::string>{"0:6:user.icc", "1:6:shown.icc", "2:1:miss.icc"}));
    EXPECT_EQ(t->entry[1].indexOnDevice, 12);
    EXPECT_EQ(t->entry[1].profileClass, 3);
    EXPECT_STREQ(t->entry[1].profileName, "Shown");
}

TEST(ProfileMapping, KeepsPrinterEntriesUnlessHeldOrDeleted)
{
    auto edited = NewTable(), file = NewTable(), out = NewTable(), deleted = NewTable();
    SetEntry(&file->entry[0], 1, InMenu::DeviceHidden, 1, "keep.icc", "", 4);
    SetEntry(&file->entry[1], 2, InMenu::DeviceHidden, 1, "deleted.icc", "", 4);
    SetEntry(&file->entry[2], 3, InMenu::DeviceShown, 1, "edited.icc", "", 4);
    SetEntry(&file->entry[3], 4, InMenu::UserShown, 2, "user.icc", "", 4);
    SetEntry(&file->entry[4], 5, InMenu::MissingShown, 2, "missing.icc", "", 4);
    SetEntry(&file->entry[5], 6, InMenu::DeviceShown, 1, "deleted.icc", "", 9); // other location
    file->iNum = 6;
    SetEntry(&deleted->entry[0], 2, InMenu::DeviceHidden, 1, "deleted.icc", "", 4);
    deleted->iNum = 1;
    SetEntry(&edited->entry[0], 3, InMenu::UserShown, 1, "edited.icc", "", 4);
    SetEntry(&edited->entry[1], 507, InMenu::UserHidden, 2, "new.icc", "", 4);
    edited->iNum = 2;

    EXPECT_EQ(WQPListMapping_Pap(edited.get(), file.get(), out.get(), deleted.get()), 2);
    EXPECT_EQ(out->iNum, 4);
    EXPECT_EQ(Used(*out),
              (std::vector<std::string>{"0:2:keep.icc", "1:4:deleted.icc", "2:6:edited.icc", "3:5:new.icc"}));
    EXPECT_EQ(out->entry[1].location, 9);
}

TEST(ProfileMapping, StopsAtFiveHundredEntries)
{
    auto edited = NewTable(), file = NewTable(), out = NewTable(), deleted = NewTable();
    for (int i = 0; i < 400; ++i) {
        SetEntry(&file->entry[i], i + 1, InMenu::DeviceShown, 1, "", "", 4);
        Name(file->entry[i].fileName, "dev", i);
    }
    file->iNum = 400;
    for (int i = 0; i < 200; ++i) {
        SetEntry(&edited->entry[i], 500 + i, InMenu::UserShown, 2, "", "", 4);
        Name(edited->entry[i].fileName, "user", i);
    }
    edited->iNum = 200;
    WQPListMapping_Pap(edited.get(), file.get(), out.get(), deleted.get());
    EXPECT_EQ(out->iNum, 500);
    EXPECT_STREQ(out->entry[399].fileName, "dev399");
    EXPECT_STREQ(out->entry[400].fileName, "user0");
    EXPECT_STREQ(out->entry[499].fileName, "user99");

    // Counts outside 0..500 are bounded rather than followed off the table.
    edited->iNum = 100000;
    file->iNum = -3;
    WQPListMapping_Pap(edited.get(), file.get(), out.get(), deleted.get());
    EXPECT_EQ(out->iNum, 500);
    EXPECT_STREQ(out->entry[0].fileName, "user0");
}

TEST_F(ProfileStoreTest, DirectConnectionSaveKeepsHiddenPrinterEntries)
{
    // The file as the last walk left it.
    auto rgb = NewTable(), sim = NewTable(), dst = NewTable();
    SetEntry(&rgb->entry[0], 1, InMenu::DeviceHidden, 1, "hidden.icc", "Hidden", 4);
    SetEntry(&rgb->entry[1], 2, InMenu::DeviceShown, 1, "shown.icc", "Shown", 4);
    SetEntry(&rgb->entry[2], 3, InMenu::DeviceHidden, 1, "gone.icc", "Gone", 4);
    rgb->iNum = 3;
    SetEntry(&sim->entry[0], 4, InMenu::DeviceHidden, 3, "sim.icc", "Sim", 4);
    sim->iNum = 1;
    ASSERT_EQ(WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0);

    // The window's view: hidden entries dropped, shown ones adopted; the user
    // deletes nothing in RGB but "gone.icc" was deleted earlier.
    auto rgbEdit = NewTable(), simEdit = NewTable(), dstEdit = NewTable();
    ASSERT_EQ(WQPListReadProfile_Dict_Pap(rgbEdit.get(), kProfileGroupRGB), 0);
    SetEntry(&rgbEdit->entry[1], 502, InMenu::UserShown, 2, "added.icc", "Added", 4);
    rgbEdit->iNum = 2;
    auto rgbDel = NewTable(), simDel = NewTable(), dstDel = NewTable();
    SetEntry(&rgbDel->entry[0], 3, InMenu::DeviceHidden, 1, "gone.icc", "Gone", 4);
    rgbDel->iNum = 1;
    ASSERT_EQ(WQPListWriteProfile_All_Pap(rgbEdit.get(), simEdit.get(), dstEdit.get(), rgbDel.get(),
                                          simDel.get(), dstDel.get()),
              0);

    auto r = NewTable(), s = NewTable(), d = NewTable();
    ASSERT_EQ(WQPListReadProfile_All(r.get(), s.get(), d.get()), 0);
    EXPECT_EQ(Used(*r), (std::vector<std::string>{"0:2:hidden.icc", "1:6:shown.icc", "2:6:added.icc"}));
    EXPECT_EQ(Used(*s), (std::vector<std::string>{"0:2:sim.icc"}));
    EXPECT_EQ(d->iNum, 0);
}

TEST_F(ProfileStoreTest, WriteOneGroupKeepsTheOthers)
{
    install("profile_sample.plist");
    auto table = NewTable();
    SetEntry(&table->entry[0], 501, InMenu::UserShown, 2, "new.icc", "New", 4);
    table->iNum = 1;
    auto rgb = MarkedTable(1), sim = MarkedTable(1), dst = MarkedTable(1);
    ASSERT_EQ(WQPListWriteProfile_Dict(table.get(), kProfileGroupSIM, rgb.get(), sim.get(), dst.get()), 0);
    EXPECT_EQ(Used(*rgb), (std::vector<std::string>{"0:4:sRGB.icc", "1:6:mine.icc"}));
    EXPECT_TRUE(SameBytes(*sim, *table));
    EXPECT_EQ(dst->iNum, 2);

    auto r = NewTable(), s = NewTable(), d = NewTable();
    ASSERT_EQ(WQPListReadProfile_All(r.get(), s.get(), d.get()), 0);
    EXPECT_TRUE(SameBytes(*r, *rgb));
    EXPECT_TRUE(SameBytes(*s, *table));
    EXPECT_TRUE(SameBytes(*d, *dst));

    // The table to write may also be the one that receives its group.
    SetEntry(&s->entry[1], 502, InMenu::UserHidden, 2, "second.icc", "Second", 4);
    s->iNum = 2;
    ASSERT_EQ(WQPListWriteProfile_Dict(s.get(), kProfileGroupSIM, nullptr, s.get(), nullptr), 0);
    EXPECT_EQ(s->iNum, 2);
    auto check = NewTable();
    ASSERT_EQ(WQPListReadProfile_Dict(check.get(), kProfileGroupSIM), 0);
    EXPECT_EQ(Used(*check), (std::vector<std::string>{"0:6:new.icc", "1:5:second.icc"}));

    // Another group index writes nothing.
    const std::string before = ReadFile(current());
    EXPECT_EQ(WQPListWriteProfile_Dict(table.get(), 3, nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(ReadFile(current()), before);
}
