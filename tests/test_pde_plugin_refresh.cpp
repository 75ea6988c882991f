// The profile refresh of panelView over a private session bus: the relay,
// the service and the profile list files are the real ones.
#include "test_pde_plugin_support.h"

#include "Precondition.h"
#include "SessionBus.h"
#include "TintPaths.h"

#include <QWidget>

#include <cstdio>

namespace
{
const char kEmptyList[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                          "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                          "<plist version=\"1.0\">\n<dict/>\n</plist>\n";
} // namespace

TEST_F(PanelTest, EveryViewRequestRefreshesWhenTheListIsWritable)
{
    if (!FileExists(TintRelayPath()))
        TINT_SKIP_OUTSIDE_CI("Tintrelay is not built");
    ASSERT_TRUE(WriteFile(root.currentList(), kEmptyList));
    auto panel = makePanel(host);
    ASSERT_TRUE(panel);

    // No service reachable: the probe says no, nothing is backed up.
    QWidget *view = panel->panelView();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(FileExists(root.previousList()));

    SessionBus bus;
    ASSERT_TRUE(bus.running());
    // The device URI is absent, so no walk follows; the backup is made on
    // every call all the same.
    EXPECT_EQ(panel->panelView(), view);
    EXPECT_EQ(ReadFile(root.previousList()), kEmptyList) << bus.serviceLog();
    std::remove(root.previousList().c_str());
    EXPECT_EQ(panel->panelView(), view);
    EXPECT_EQ(ReadFile(root.previousList()), kEmptyList) << bus.serviceLog();
    EXPECT_EQ(view->findChildren<QWidget *>("onColorView").size(), 1);
}
