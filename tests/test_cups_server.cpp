// The private CUPS scheduler that the printing tests run against: a held
// job's options read back through IPP, user defaults kept in the fixture's
// folder, and a released job reaching the queue's file device with the
// PostScript code of the sample PPD's colour choices.
#include "CupsServer.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

namespace
{

const std::string kSamplePPD = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";
const std::string kSampleDocument = std::string(TINT_SOURCE_DIR) + "/Demo/sample.ps";

TEST(CupsServer, HeldJobKeepsItsOptionsAndReleasedJobPrintsTheChoices)
{
    CupsServer cups;
    ASSERT_TRUE(cups.running()) << cups.log();
    const std::string device = cups.dir() + "/printed.ps";
    ASSERT_TRUE(cups.addQueue("QV-MR52", "file://" + device, kSamplePPD, CupsServer::kHoldJobs));

    // User defaults go to the fixture's home, and lp prints with them.
    int status = -1;
    RunCommand("lpoptions -p QV-MR52 -o WQBrightness=Plus1 2>&1", &status);
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(FileExists(cups.home() + "/.cups/lpoptions"));
    const std::string submitted = RunCommand("lp -d QV-MR52 -n 2 -o WQQuickColor=Vivid -o PageSize=Letter '" +
                                                 kSampleDocument + "' 2>&1",
                                             &status);
    ASSERT_EQ(status, 0) << submitted;

    const std::vector<int> jobs = cups.jobIds();
    ASSERT_EQ(jobs.size(), 1u);
    auto job = cups.jobAttributes(jobs[0]);
    EXPECT_EQ(job["job-state"], "pending-held");
    EXPECT_EQ(job["WQQuickColor"], "Vivid");
    EXPECT_EQ(job["WQBrightness"], "Plus1");
    EXPECT_EQ(job["PageSize"], "Letter");
    EXPECT_EQ(job["copies"], "2");

    ASSERT_TRUE(cups.releaseJob(jobs[0]));
    ASSERT_EQ(cups.waitForJobEnd(jobs[0]), CupsServer::kJobCompleted) << cups.log();
    const std::string printed = ReadFile(device);
    EXPECT_NE(printed.find("userdict /WQQuickColor /Vivid put"), std::string::npos)
        << printed.substr(0, 4000);
    EXPECT_NE(printed.find("userdict /WQBrightness /Plus1 put"), std::string::npos);
}

} // namespace
