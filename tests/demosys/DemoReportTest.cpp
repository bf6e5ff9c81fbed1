// The resource report a demo in debug mode prints at shut-down: its frame of rules and headings,
// the system parameters (or "No Data") and the pools, between "[Shutting Down]" and the pools'
// deletion; nothing of it without debug mode.
#include <gtest/gtest.h>

#include <string>

#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/Data.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

namespace {

const std::string RULE(64, '#');

std::string report(const std::string& parameters, const std::string& pools) {
  return RULE + "\n# Resources                                                    #\n" + RULE +
         "\n--------------------- System parameters ------------------------\n" + parameters +
         "\n--------------------- DataPools --------------------------------\n" + pools + "\n" + RULE + "\n";
}

class DemoReportTest : public ::testing::Test {
 protected:
  // Disposes a fresh demo, returning what it printed then; `parameters` and `pools` receive
  // the texts the report should show.
  std::string dispose(bool debug, bool withParameters, std::string& parameters, std::string& pools) {
    char program[] = "test";
    char* argv[] = {program, nullptr};
    testing::internal::CaptureStdout();
    Demo demo(1, argv);
    testing::internal::GetCapturedStdout();
    if (withParameters) {
      auto* group = new ParameterGroup("system");
      group->addParameter("stop", "0:01:000");
      QNVDemosys::parameters = new Parameters();
      QNVDemosys::parameters->addGroup("system", group);
      parameters = QNVDemosys::parameters->toString();
    } else {
      parameters = "No Data";
    }
    // Building the pools' text also prints the shader count, which lands inside the report.
    testing::internal::CaptureStdout();
    std::string text = QNVDemosys::data->toString();
    pools = testing::internal::GetCapturedStdout() + text;
    demo.debug(debug);
    testing::internal::CaptureStdout();
    demo.dispose();
    return testing::internal::GetCapturedStdout();
  }
};

}  // namespace

TEST_F(DemoReportTest, DebugModeReportsBetweenShutDownAndThePoolsAndOtherwiseNothing) {
  std::string parameters, pools;
  std::string printed = dispose(true, true, parameters, pools);
  EXPECT_NE(parameters.find("0:01:000"), std::string::npos) << parameters;
  EXPECT_EQ(pools.rfind("Shaders in pool : 0\n", 0), 0u) << pools;
  EXPECT_EQ(printed.rfind("[Shutting Down]\n" + report(parameters, pools) + "[Deleting Pools]\n", 0), 0u)
      << printed;
  printed = dispose(true, false, parameters, pools);
  EXPECT_NE(printed.find(report("No Data", pools)), std::string::npos) << printed;
  printed = dispose(false, true, parameters, pools);
  EXPECT_EQ(printed.find(RULE), std::string::npos) << printed;
  EXPECT_EQ(printed.rfind("[Shutting Down]\n[Deleting Pools]\n", 0), 0u) << printed;
}
