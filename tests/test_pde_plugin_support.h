// A print dialog in miniature for the panel tests: the job's print settings,
// a session whose current printer is the sample queue, and the queue's PPD
// opened and marked as the dialog does.
#pragma once

#include "PDEPanelProtocol.h"
#include "PDEPlugIn.h"
#include "PDEPlugInInterface.h"
#include "TempRoot.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <cstdlib>
#include <memory>
#include <string>

inline const std::string kTestBundle = TINT_PLUGIN_BUNDLE;
inline const std::string kSamplePPD = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";

struct PPDCloser {
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};

class TestHost : public PDEHostCallback
{
  public:
    explicit TestHost(const std::string &ppdPath = kSamplePPD) : ppd(ppdOpenFile(ppdPath.c_str()))
    {
        if (ppd)
            ppdMarkDefaults(ppd.get());
        printer.identifier = "QV_MR52_test";
        session.currentPrinter = &printer;
    }
    PMPrintSettings printSettings() override { return &settings; }
    PMPrintSession printSession() override { return &session; }
    ppd_file_t *ppdFile() override { return ppd.get(); }

    // The plug-in's own dictionary for this queue, or null.
    PMDictionaryRef modelDictionary()
    {
        auto product = settings.values.find("QV-MR52");
        if (product == settings.values.end() || !product->second.dictionary())
            return nullptr;
        auto queue = product->second.dictionary()->find(printer.identifier);
        if (queue == product->second.dictionary()->end())
            return nullptr;
        return queue->second.dictionary();
    }
    // A top-level setting as text ("" when absent or not text).
    std::string topLevel(const std::string &key)
    {
        auto it = settings.values.find(key);
        return it != settings.values.end() && it->second.string() ? *it->second.string() : std::string();
    }

    PMPrintSettingsRecord settings;
    PMPrinterRecord printer;
    PMPrintSessionRecord session;
    std::unique_ptr<ppd_file_t, PPDCloser> ppd;
};

class PanelTest : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        if (!qApp) {
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
            static int argc = 1;
            static char name[] = "test_pde_plugin";
            static char *argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }
    void SetUp() override
    {
        ASSERT_TRUE(host.ppdFile()) << kSamplePPD;
        // Never the session bus of whoever runs the tests: the relay finds no
        // service unless a test starts its own bus.
        setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + root.path() + "/no-bus").c_str(), 1);
        PDEPlugIn plugIn;
        ASSERT_TRUE(plugIn.initWithBundle(kTestBundle));
    }

    // The panel the plug-in hands out for the printer-module type.
    std::unique_ptr<PDEPlugInInterface> makePanel(TestHost &callback)
    {
        PDEPlugIn plugIn;
        auto panels = plugIn.PDEPanelsForType(kPDEPrinterModuleType, &callback);
        if (!panels || panels->size() != 1)
            return nullptr;
        auto *panel = dynamic_cast<PDEPlugInInterface *>(panels->front().get());
        if (!panel)
            return nullptr;
        panels->front().release();
        return std::unique_ptr<PDEPlugInInterface>(panel);
    }

    // Keeps the profile list reads away from the machine's own folders.
    TempRoot root;
    TestHost host;
};
