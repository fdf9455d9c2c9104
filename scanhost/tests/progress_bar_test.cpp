// The progress line's text: done/total, rate, time left, and its width.
#include <gtest/gtest.h>

#include "scanhost/progress_bar.h"
#include "tests/support/case_name.h"

namespace {

struct ProgressCase {
  std::string name;
  uint64_t done;
  uint64_t total;
  double seconds;
  size_t width;
  std::string line;
};

const ProgressCase kLines[] = {
    {"start", 0, 1024, 0.0, 79,
     "[........................................] 0/1024  0/s  left ?"},
    {"half", 512, 1024, 5.0, 79,
     "[####################....................] 512/1024  102/s  left 0:05"},
    {"done", 1024, 1024, 10.0, 79,
     "[########################################] 1024/1024  102/s  left 0:00"},
    {"hours_left", 1, 65536, 1.0, 79,
     "[........................................] 1/65536  1/s  left 18:12:15"},
    {"narrow_bar", 5, 10, 1.0, 40, "[########.........] 5/10  5/s  left 0:01"},
    {"no_room_for_a_bar", 5, 10, 1.0, 24, " 5/10  5/s  left 0:01"},
    {"cut_to_width", 5, 10, 1.0, 8, " 5/10  5"},
};

class ProgressTable : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressTable, Line) {
  const ProgressCase& row = GetParam();
  EXPECT_EQ(FormatProgress(row.done, row.total, row.seconds, row.width), row.line);
}

INSTANTIATE_TEST_SUITE_P(Progress, ProgressTable, ::testing::ValuesIn(kLines), CaseName());

}  // namespace
