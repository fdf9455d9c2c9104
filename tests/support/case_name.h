// Names parameterised test cases after the `name` field of their row.
#pragma once

#include <gtest/gtest.h>

#include <string>

struct CaseName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};
