// The profile management window on its real layout, driven through its
// controls (mouse clicks on rows and check boxes, typed text, buttons), over
// real profile list files in a temporary root. The store is linked with its
// direct back end, so the window's OK writes the file itself.
#include "AdvancedColorOptions.h"
#include "PDEPlugIn.h"
#include "PDEPlugInInterface.h"
#include "ProfileControl.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "TempRoot.h"
#include "TintPaths.h"
#include "WQTextField.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace
{

QApplication *app()
{
    static int argc = 1;
    static char name[] = "test_profile_control";
    static char *argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *instance = new QApplication(argc, argv);
    return instance;
}

ProfileEntry Entry(int32_t inMenu, const char *fileName, const char *profileName, int32_t location = 4,
                   int32_t index = 1)
{
    ProfileEntry e{};
    e.indexOnDevice = index;
    e.inMenu = inMenu;
    e.profileClass = 1;
    std::strncpy(e.fileName, fileName, sizeof e.fileName - 1);
    std::strncpy(e.profileName, profileName, sizeof e.profileName - 1);
    e.location = location;
    return e;
}

void Append(ProfileTable *table, const ProfileEntry &e)
{
    table->entry[table->iNum++] = e;
}

class ProfileWindowTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        app();
        ProfileControl::setLayoutFile(QStringLiteral(TINT_SOURCE_DIR "/PDE/Resources/ProfileControl.ui"));
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PATH, root.currentList().c_str()), 0);
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH, root.previousList().c_str()), 0);
        rgb = std::make_unique<ProfileTable>();
        sim = std::make_unique<ProfileTable>();
        dst = std::make_unique<ProfileTable>();
        *rgb = *sim = *dst = ProfileTable{};
        session.currentPrinter = &printer;
    }
    void TearDown() override
    {
        control.reset();
        std::memset(WQ_PLIST_PROFILE_PATH, 0, sizeof WQ_PLIST_PROFILE_PATH);
        std::memset(WQ_PLIST_PROFILE_PREV_PATH, 0, sizeof WQ_PLIST_PROFILE_PREV_PATH);
    }

    void writeList() { ASSERT_EQ(WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()), 0); }
    void readList()
    {
        *rgb = *sim = *dst = ProfileTable{};
        ASSERT_EQ(WQPListReadProfile_All(rgb.get(), sim.get(), dst.get()), 0);
    }

    // Opens the window as the pane's button does, without its modal run, so
    // that the test acts between the steps.
    ProfileControl &open(const char *deviceURI = "lpd://127.0.0.1/queue")
    {
        printer.deviceURI = deviceURI;
        control = std::make_unique<ProfileControl>();
        control->setPMPrint(&settings, &session);
        window = control->profileManagementWindow();
        EXPECT_NE(window, nullptr);
        control->initWithProfileControl();
        window->show();
        return *control;
    }

    void showGroup(int group)
    {
        control->_profileMenu->setCurrentIndex(group);
        emit control->_profileMenu->activated(group);
    }
    QRect cellRect(int row, int column)
    {
        QTableView *view = control->_profileTableView;
        return view->visualRect(view->model()->index(row, column));
    }
    void clickRow(int row)
    {
        QTest::mouseClick(control->_profileTableView->viewport(), Qt::LeftButton, {},
                          cellRect(row, 2).center());
    }
    void clickCheckBox(int row)
    {
        QTableView *view = control->_profileTableView;
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = cellRect(row, 1);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
    }
    void click(QPushButton *button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void typeInto(WQTextField *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    int selectedRow()
    {
        auto rows = control->_profileTableView->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    QString cell(int row, int column)
    {
        return control->_profileTableView->model()->index(row, column).data().toString();
    }

    // Enabled state of the group pop-up, Add, Edit, Delete and the nine
    // controls of the edit area, as a string of 0/1 in that order.
    std::string state()
    {
        ProfileControl &c = *control;
        QWidget *widgets[] = {c._profileMenu,     c._addButton,    c._editButton,   c._deleteButton,
                              c._fileNameText,    c._fileNameEdit, c._browse,       c._profileNameText,
                              c._profileNameEdit, c._locationText, c._locationMenu, c._localCancel,
                              c._localOK};
        std::string s;
        for (QWidget *w : widgets)
            s += w->isEnabled() ? '1' : '0';
        return s;
    }

    TempRoot root;
    std::unique_ptr<ProfileTable> rgb, sim, dst;
    PMPrintSettingsRecord settings;
    PMPrinterRecord printer{"QV_MR52", ""};
    PMPrintSessionRecord session;
    std::unique_ptr<ProfileControl> control;
    QDialog *window = nullptr;
};

//                                       group add edit del | fileLbl file browse nameLbl name locLbl loc
//                                       cancel ok
constexpr char kIdle[] = "1100000000000";
constexpr char kIdleSelected[] = "1111000000000";
constexpr char kIdleSelectedOnPrinter[] = "1110000000000";
constexpr char kAddingEmpty[] = "0000111111110";
constexpr char kAddingNamed[] = "0000111111111";
constexpr char kEditingPrinterEntry[] = "0000000110011";
constexpr char kEditingUserEntry[] = "0000111111111";

} // namespace

TEST_F(ProfileWindowTest, EnablingRulesFollowTheUsersSteps)
{
    Append(dst.get(), Entry(InMenu::DeviceShown, "printer.icc", "On Printer"));
    Append(dst.get(), Entry(InMenu::UserShown, "mine.icc", "Mine", 4, 501));
    Append(dst.get(), Entry(InMenu::MissingHidden, "gone.icc", "Gone"));
    writeList();
    open();
    EXPECT_EQ(state(), kIdle);
    EXPECT_EQ(control->_profileMenu->currentIndex(), 0);

    showGroup(2);
    ASSERT_EQ(control->_profileTableView->model()->rowCount(), 3);
    EXPECT_EQ(state(), kIdle);

    struct Step {
        int row;
        const char *state;
        const char *fileName;
    } const selections[] = {
        {0, kIdleSelectedOnPrinter, "printer.icc"},
        {1, kIdleSelected, "mine.icc"},
        {2, kIdleSelected, "gone.icc"}, // missing from the printer: may be deleted
    };
    for (const Step &step : selections) {
        clickRow(step.row);
        EXPECT_EQ(selectedRow(), step.row);
        EXPECT_EQ(state(), step.state) << "row " << step.row;
        EXPECT_EQ(control->_fileNameEdit->text().toStdString(), step.fileName);
    }

    // Editing an entry from the printer opens only the display name.
    clickRow(2);
    click(control->_editButton);
    EXPECT_EQ(state(), kEditingPrinterEntry);
    clickRow(0); // the selection cannot change while editing
    EXPECT_EQ(selectedRow(), 2);
    click(control->_localCancel);
    EXPECT_EQ(state(), kIdle);
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(control->_fileNameEdit->text(), "");

    clickRow(1);
    click(control->_editButton);
    EXPECT_EQ(state(), kEditingUserEntry);
    click(control->_localCancel);

    click(control->_addButton);
    EXPECT_EQ(state(), kAddingEmpty);
    QTest::keyClicks(control->_fileNameEdit, "x");
    EXPECT_EQ(state(), kAddingNamed);
    typeInto(control->_fileNameEdit, ".icc");
    EXPECT_EQ(state(), kAddingEmpty);
    clickRow(0);
    EXPECT_EQ(selectedRow(), -1);
    click(control->_localCancel);
    EXPECT_EQ(state(), kIdle);

    // Changing the group drops the selection.
    clickRow(1);
    showGroup(0);
    EXPECT_EQ(state(), kIdle);
    EXPECT_EQ(control->_profileTableView->model()->rowCount(), 0);
}

TEST_F(ProfileWindowTest, AddChecksDuplicatesOnTheDiskOnly)
{
    Append(rgb.get(), Entry(InMenu::DeviceShown, "dup.icc", "On Disk", 4));
    Append(rgb.get(), Entry(InMenu::DeviceShown, "card.icc", "On Card", 5));
    writeList();
    open();

    struct Case {
        const char *fileName;
        bool accepted;
    } const cases[] = {{"dup.icc", false}, {"card.icc", true}, {"card.icc", false}, {"Dup.icc", true}};
    int expectedRows = 2;
    for (const Case &c : cases) {
        if (control->mode() != ProfileControl::kModeAdding)
            click(control->_addButton);
        typeInto(control->_fileNameEdit, c.fileName);
        typeInto(control->_profileNameEdit, "Added");
        click(control->_localOK);
        expectedRows += c.accepted ? 1 : 0;
        EXPECT_EQ(control->mode(), c.accepted ? ProfileControl::kModeIdle : ProfileControl::kModeAdding)
            << c.fileName;
        EXPECT_EQ(control->_profileTableView->model()->rowCount(), expectedRows) << c.fileName;
        EXPECT_EQ(state(), c.accepted ? kIdle : kAddingNamed) << c.fileName;
    }

    const ProfileEntry &added = control->workingTable(0).entry[2];
    EXPECT_STREQ(added.fileName, "card.icc");
    EXPECT_STREQ(added.profileName, "Added");
    EXPECT_EQ(added.inMenu, InMenu::UserShown);
    EXPECT_EQ(added.indexOnDevice, 502);
    EXPECT_EQ(added.location, 4);
    EXPECT_EQ(added.profileClass, 2);
    EXPECT_EQ(added.availability, 3);
    EXPECT_EQ(cell(2, 4), "Disk");
    EXPECT_EQ(control->_profileTableView->model()->index(2, 1).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // A location without a name of its own shows as its number.
    EXPECT_EQ(cell(1, 4), "5");

    // A nameless entry is not taken: the name field asks for a name.
    click(control->_addButton);
    typeInto(control->_fileNameEdit, "nameless.icc");
    click(control->_localOK);
    EXPECT_EQ(control->mode(), ProfileControl::kModeAdding);
    EXPECT_EQ(control->_profileTableView->model()->rowCount(), expectedRows);
    EXPECT_EQ(control->_profileNameEdit->placeholderText().toStdString(), "Enter a profile name");
}

TEST_F(ProfileWindowTest, FullGroupTakesNoMoreEntries)
{
    for (int i = 0; i < kProfileTableSlots; ++i) {
        std::string name = "p" + std::to_string(i) + ".icc";
        Append(sim.get(), Entry(InMenu::UserShown, name.c_str(), "n", 4, 500 + i));
    }
    writeList();
    open();
    showGroup(1);
    ASSERT_EQ(control->_profileTableView->model()->rowCount(), 500);
    click(control->_addButton);
    typeInto(control->_fileNameEdit, "extra.icc");
    click(control->_localOK);
    EXPECT_EQ(control->mode(), ProfileControl::kModeAdding);
    EXPECT_EQ(control->workingTable(1).iNum, 500);
}

TEST_F(ProfileWindowTest, EditingAPrinterEntryChangesOnlyItsDisplayName)
{
    Append(rgb.get(), Entry(InMenu::DeviceHidden, "srgb.icc", "sRGB", 5, 7));
    Append(rgb.get(), Entry(InMenu::UserHidden, "own.icc", "Own", 4, 501));
    writeList();
    open();
    clickRow(0);
    click(control->_editButton);
    typeInto(control->_profileNameEdit, "Renamed");
    click(control->_localOK);
    const ProfileEntry &printerEntry = control->workingTable(0).entry[0];
    EXPECT_STREQ(printerEntry.fileName, "srgb.icc");
    EXPECT_STREQ(printerEntry.profileName, "Renamed");
    EXPECT_EQ(printerEntry.location, 5);
    EXPECT_EQ(printerEntry.inMenu, InMenu::DeviceHidden);

    clickRow(1);
    click(control->_editButton);
    typeInto(control->_fileNameEdit, "new.icm");
    typeInto(control->_profileNameEdit, "New");
    click(control->_localOK);
    const ProfileEntry &own = control->workingTable(0).entry[1];
    EXPECT_STREQ(own.fileName, "new.icm");
    EXPECT_STREQ(own.profileName, "New");
    EXPECT_EQ(own.inMenu, InMenu::UserHidden);
    // Not a direct connection: nothing is remembered as replaced.
    EXPECT_EQ(control->deletedTable(0).iNum, 0);
}

TEST_F(ProfileWindowTest, CheckBoxesSwapTheListedBit)
{
    const int32_t codes[] = {InMenu::MissingHidden, InMenu::DeviceHidden, InMenu::MissingShown,
                             InMenu::DeviceShown,   InMenu::UserHidden,   InMenu::UserShown};
    const int32_t toggled[] = {InMenu::MissingShown, InMenu::DeviceShown, InMenu::MissingHidden,
                               InMenu::DeviceHidden, InMenu::UserShown,   InMenu::UserHidden};
    for (int i = 0; i < 6; ++i) {
        std::string name = "t" + std::to_string(i) + ".icc";
        Append(dst.get(), Entry(codes[i], name.c_str(), "t"));
    }
    writeList();
    open();
    showGroup(2);
    for (int i = 0; i < 6; ++i) {
        clickCheckBox(i);
        EXPECT_EQ(control->workingTable(2).entry[i].inMenu, toggled[i]) << "row " << i;
    }
    clickCheckBox(0);
    EXPECT_EQ(control->workingTable(2).entry[0].inMenu, InMenu::MissingHidden);
}

TEST_F(ProfileWindowTest, DeleteMovesTheRestUp)
{
    Append(rgb.get(), Entry(InMenu::UserShown, "a.icc", "A", 4, 500));
    Append(rgb.get(), Entry(InMenu::UserShown, "b.icc", "B", 4, 501));
    Append(rgb.get(), Entry(InMenu::UserShown, "c.icc", "C", 4, 502));
    writeList();
    open();
    clickRow(0);
    click(control->_deleteButton);
    EXPECT_EQ(state(), kIdle);
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(control->_fileNameEdit->text(), "");
    const ProfileTable &t = control->workingTable(0);
    EXPECT_EQ(t.iNum, 2);
    EXPECT_STREQ(t.entry[0].fileName, "b.icc");
    EXPECT_STREQ(t.entry[1].fileName, "c.icc");
    EXPECT_EQ(t.entry[2].inMenu, InMenu::Empty);
}

TEST_F(ProfileWindowTest, CancelLeavesTheFileUntouchedAndOKWritesIt)
{
    Append(rgb.get(), Entry(InMenu::UserShown, "keep.icc", "Keep", 4, 500));
    Append(rgb.get(), Entry(InMenu::DeviceHidden, "dev.icc", "Dev", 4, 3));
    writeList();
    const std::string before = ReadFile(root.currentList());
    ASSERT_FALSE(before.empty());

    for (bool commit : {false, true}) {
        open();
        clickCheckBox(1);
        clickRow(0);
        click(control->_deleteButton);
        click(control->_addButton);
        typeInto(control->_fileNameEdit, "added.icc");
        typeInto(control->_profileNameEdit, "Added");
        click(control->_localOK);
        click(commit ? control->_windowOK : control->_windowCancel);
        EXPECT_FALSE(window->isVisible());
        if (!commit) {
            EXPECT_EQ(ReadFile(root.currentList()), before);
        }
    }
    readList();
    ASSERT_EQ(rgb->iNum, 2);
    EXPECT_STREQ(rgb->entry[0].fileName, "dev.icc");
    EXPECT_EQ(rgb->entry[0].inMenu, InMenu::DeviceShown);
    EXPECT_STREQ(rgb->entry[1].fileName, "added.icc");
    EXPECT_EQ(rgb->entry[1].inMenu, InMenu::UserShown);
}

TEST_F(ProfileWindowTest, DirectConnectionsRememberDeletedAndReplacedEntries)
{
    for (const char *uri : {"usb://VARNO/QV-MR52?serial=1", "pap://zone/QV-MR52"}) {
        *dst = ProfileTable{};
        Append(dst.get(), Entry(InMenu::DeviceShown, "shown.icc", "Shown", 4, 2));
        Append(dst.get(), Entry(InMenu::DeviceHidden, "hidden.icc", "Hidden", 4, 3));
        Append(dst.get(), Entry(InMenu::UserShown, "user.icc", "User", 4, 501));
        Append(dst.get(), Entry(InMenu::DeviceShown, "edit.icc", "Edit", 4, 4));
        writeList();
        open(uri);
        EXPECT_EQ(control->protocol(), std::string(uri).rfind("usb", 0) == 0 ? 3 : 2);
        showGroup(2);
        // The direct-connection read hides the printer's hidden entries and
        // turns shown ones into the user's.
        ASSERT_EQ(control->_profileTableView->model()->rowCount(), 3) << uri;
        EXPECT_EQ(control->workingTable(2).entry[0].inMenu, InMenu::UserShown);

        clickRow(0);
        click(control->_deleteButton);
        clickRow(1); // edit.icc
        click(control->_editButton);
        typeInto(control->_profileNameEdit, "Edited");
        click(control->_localOK);
        const ProfileTable &deleted = control->deletedTable(2);
        ASSERT_EQ(deleted.iNum, 2);
        EXPECT_STREQ(deleted.entry[0].fileName, "shown.icc");
        EXPECT_STREQ(deleted.entry[1].fileName, "edit.icc");
        EXPECT_STREQ(deleted.entry[1].profileName, "Edit");

        click(control->_windowOK);
        readList();
        // The hidden printer entry survives; the deleted one does not come
        // back from the file; the edited one is there once, edited.
        ASSERT_EQ(dst->iNum, 3) << uri;
        EXPECT_STREQ(dst->entry[0].fileName, "hidden.icc");
        EXPECT_STREQ(dst->entry[1].fileName, "user.icc");
        EXPECT_STREQ(dst->entry[2].fileName, "edit.icc");
        EXPECT_STREQ(dst->entry[2].profileName, "Edited");
    }
}

TEST_F(ProfileWindowTest, FullDeletedTableTakesNoMoreCopiesButDeletionGoesOn)
{
    for (int i = 0; i < kProfileTableSlots; ++i) {
        std::string name = "d" + std::to_string(i) + ".icc";
        Append(dst.get(), Entry(InMenu::UserShown, name.c_str(), "n", 4, 500 + i));
    }
    writeList();
    open("usb://VARNO/QV-MR52");
    showGroup(2);
    for (int i = 0; i < kProfileTableSlots; ++i) {
        clickRow(0);
        click(control->_deleteButton);
    }
    EXPECT_EQ(control->workingTable(2).iNum, 0);
    ASSERT_EQ(control->deletedTable(2).iNum, 500);
    EXPECT_STREQ(control->deletedTable(2).entry[499].fileName, "d499.icc");

    click(control->_addButton);
    typeInto(control->_fileNameEdit, "late.icc");
    typeInto(control->_profileNameEdit, "Late");
    click(control->_localOK);
    clickRow(0);
    click(control->_deleteButton);
    EXPECT_EQ(control->workingTable(2).iNum, 0);
    EXPECT_EQ(control->deletedTable(2).iNum, 500);
    EXPECT_STREQ(control->deletedTable(2).entry[499].fileName, "d499.icc");
}

TEST_F(ProfileWindowTest, PrinterIconOnlyForNetworkQueues)
{
    std::filesystem::create_directories(std::filesystem::path(TintPrinterIconPath()).parent_path());
    QPixmap icon(32, 32);
    icon.fill(Qt::red);
    ASSERT_TRUE(icon.save(QString::fromStdString(TintPrinterIconPath()), "PNG"));
    Append(rgb.get(), Entry(InMenu::DeviceShown, "dev.icc", "Dev"));
    Append(rgb.get(), Entry(InMenu::MissingShown, "gone.icc", "Gone"));
    writeList();
    struct Case {
        const char *uri;
        bool icon;
    } const cases[] = {{"lpd://127.0.0.1/q", true},
                       {"dnssd://Printer._ipp._tcp.local./", true},
                       {"socket://127.0.0.1", false},
                       {"usb://VARNO/QV", false}};
    for (const Case &c : cases) {
        open(c.uri);
        QAbstractItemModel *model = control->_profileTableView->model();
        EXPECT_EQ(!model->index(0, 0).data(Qt::DecorationRole).isNull(), c.icon) << c.uri;
        EXPECT_TRUE(model->index(1, 0).data(Qt::DecorationRole).isNull()) << c.uri;
    }
}

TEST_F(ProfileWindowTest, BrowseTakesOnlyNamesThePrinterCanHold)
{
    const std::string folder = TintProfileFolder();
    std::filesystem::create_directories(folder);
    struct Case {
        std::string name;
        bool taken;
    } const cases[] = {
        {"good.icc", true},      {std::string(31, 'a'), true}, {std::string(32, 'a'), false},
        {"two.dots.icc", false}, {"with space.icc", false},    {"caf\xC3\xA9.icc", false},
    };
    for (const Case &c : cases)
        ASSERT_TRUE(WriteFile(folder + "/" + c.name, "x")) << c.name;
    open();
    for (const Case &c : cases) {
        click(control->_addButton);
        QTest::keyClicks(control->_fileNameEdit, "typed");
        QTimer::singleShot(0, [&] {
            auto *panel = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->directory().absolutePath().toStdString(), folder);
            EXPECT_EQ(panel->nameFilters(), QStringList{"ICC profiles (*.icc *.icm)"});
            panel->selectFile(QString::fromStdString(folder + "/" + c.name));
            static_cast<QDialog *>(panel)->accept();
        });
        click(control->_browse);
        EXPECT_EQ(control->_fileNameEdit->text().toStdString(), c.taken ? c.name : "") << c.name;
        EXPECT_EQ(control->_localOK->isEnabled(), c.taken) << c.name;
        click(control->_localCancel);
    }
}

TEST_F(ProfileWindowTest, ModalRunEndsWithTheWindowsButtons)
{
    writeList();
    control = std::make_unique<ProfileControl>();
    printer.deviceURI = "lpd://127.0.0.1/q";
    control->setPMPrint(&settings, &session);
    ASSERT_NE(control->profileManagementWindow(), nullptr);
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(control->_profileManagementWindow->isModal());
        EXPECT_EQ(control->_profileManagementWindow->windowTitle(), "ProfileTitle");
        QTest::mouseClick(control->_windowCancel, Qt::LeftButton);
    });
    control->showProfileManagementWindow();
    EXPECT_FALSE(control->_profileManagementWindow->isVisible());
}

namespace
{

struct PanelHost : PDEHostCallback {
    PanelHost() : ppd(ppdOpenFile(TINT_SOURCE_DIR "/Demo/QV-MR52.ppd"), &ppdClose)
    {
        if (ppd)
            ppdMarkDefaults(ppd.get());
        printer.identifier = "QV_MR52";
        session.currentPrinter = &printer;
    }
    PMPrintSettings printSettings() override { return &settings; }
    PMPrintSession printSession() override { return &session; }
    ppd_file_t *ppdFile() override { return ppd.get(); }
    PMPrintSettingsRecord settings;
    PMPrinterRecord printer;
    PMPrintSessionRecord session;
    std::unique_ptr<ppd_file_t, decltype(&ppdClose)> ppd;
};

QStringList Items(QComboBox *popup)
{
    QStringList items;
    for (int i = 0; i < popup->count(); ++i)
        items << popup->itemText(i);
    return items;
}

} // namespace

// The window inside the loaded panel: its OK rebuilds the Advanced pane's
// menus from the written list and restores the pane's choices.
TEST_F(ProfileWindowTest, OKRebuildsThePaneMenusAndKeepsItsChoices)
{
    Append(dst.get(), Entry(InMenu::UserShown, "shown.icc", "Shown", 4, 500));
    Append(dst.get(), Entry(InMenu::UserHidden, "later.icc", "Later", 4, 501));
    writeList();

    PanelHost panelHost;
    ASSERT_TRUE(panelHost.ppd);
    PDEPlugIn plugIn;
    ASSERT_TRUE(plugIn.initWithBundle(TINT_PLUGIN_BUNDLE));
    auto panels = plugIn.PDEPanelsForType(kPDEPrinterModuleType, &panelHost);
    ASSERT_TRUE(panels && panels->size() == 1);
    auto *panel = dynamic_cast<PDEPlugInInterface *>(panels->front().get());
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(panel->panelView(), nullptr);
    int error = 0;
    panel->restoreValuesAndReturnError(&error);
    ProfileControl *profiles = panel->profileControl;
    ASSERT_NE(profiles, nullptr);
    ASSERT_NE(profiles->onAdvancedView, nullptr);
    QComboBox *destination = profiles->onAdvancedView->menu_iDestinationProfile;
    ASSERT_NE(destination, nullptr);
    const QStringList before = Items(destination);
    ASSERT_FALSE(before.isEmpty());
    EXPECT_EQ(before.last(), "shown.icc(Shown)Disk");
    EXPECT_FALSE(before.contains("later.icc(Later)Disk"));
    // The user's choice in the pane: the listed profile.
    destination->setCurrentIndex(static_cast<int>(before.size()) - 1);

    control.reset();
    QDialog *dialog = profiles->profileManagementWindow();
    ASSERT_NE(dialog, nullptr);
    profiles->initWithProfileControl();
    dialog->show();
    profiles->_profileMenu->setCurrentIndex(2);
    emit profiles->_profileMenu->activated(2);
    QTableView *view = profiles->_profileTableView;
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(view->model()->index(1, 1));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
    QTest::mouseClick(profiles->_windowOK, Qt::LeftButton);

    const QStringList after = Items(destination);
    EXPECT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.last(), "later.icc(Later)Disk");
    EXPECT_EQ(destination->currentIndex(), before.size() - 1);
    EXPECT_EQ(Items(profiles->onAdvancedView->menu_tDestinationProfile).last(), "later.icc(Later)Disk");
    panels->front().reset();
}
