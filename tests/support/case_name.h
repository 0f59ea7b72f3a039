#pragma once

#include <gtest/gtest.h>

#include <string>

namespace kalvero {

// Names each instance of a table-driven test after the `name` field of its row.
struct TCaseName {
  template <class Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace kalvero
