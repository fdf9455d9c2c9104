// Loading modules: the errors a user meets, each naming the file and the cause.
#include <gtest/gtest.h>

#include "tests/support/case_name.h"

#include <string>

#include "scanhost/plugin_loader.h"
#include "scanhost/tests/hostile_text.h"

namespace {

struct LoadCase {
  std::string name;
  std::string path;
  std::string error;  // empty: loads
};

const LoadCase kLoads[] = {
    {"loads", HOSTILE_MODULE, ""},
    {"missing_file", "/nonexistent/probe/none.so", "cannot load"},
    {"not_a_module", __FILE__, "cannot load"},
    {"missing_export", NO_FINALIZE_MODULE, "missing export Finalize"},
    {"info_refuses", REFUSING_MODULE, "refused by its Info"},
};

class LoadTable : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTable, LoadsOrSaysWhy) {
  const LoadCase& row = GetParam();
  std::string error;
  const auto plugin = LoadPlugin(row.path, &error);
  if (row.error.empty()) {
    ASSERT_NE(plugin, nullptr) << error;
    EXPECT_EQ(plugin->Name(), kHostileColumnName);
    EXPECT_EQ(plugin->Description(), "Hostile\ntest column");
    EXPECT_EQ(plugin->Level(), 216);
    EXPECT_EQ(plugin->info.HostLevel, kHostLevel);
    return;
  }
  EXPECT_EQ(plugin, nullptr);
  EXPECT_EQ(error.rfind(row.path + ": ", 0), 0u) << error;  // starts with the file
  EXPECT_NE(error.find(row.error), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
}

INSTANTIATE_TEST_SUITE_P(Modules, LoadTable, ::testing::ValuesIn(kLoads),
                         CaseName());

}  // namespace
