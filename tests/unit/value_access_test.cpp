// Typed access to single registry values.
#include "store/value_access.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace nv {
namespace {

TEST(ValueAccess, ParseLeadingInt) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {{"0", true, 0},
               {"42", true, 42},
               {"\t\n 5", true, 5},
               {"+8", true, 8},
               {"-2147483648", true, INT32_MIN},
               {"x1", false, 0},
               {"", false, 0},
               {" ", false, 0},
               {"- 1", false, 0},
               {"12 34", true, 12}};
  for (const Case& c : cases) {
    int32_t value = 0;
    EXPECT_EQ(ParseLeadingInt(c.text, &value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace nv
