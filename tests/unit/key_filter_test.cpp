// The characters a key box takes.
#include "controls/key_filter.h"

#include <gtest/gtest.h>

namespace nv {
namespace {

TEST(KeyFilter, HexOnlyOrPrintableAscii) {
  struct Row {
    char32_t c;
    bool hex;
    bool ascii;
  };
  for (const Row& row :
       {Row{U'0', true, true}, Row{U'9', true, true}, Row{U'a', true, true}, Row{U'F', true, true},
        Row{U'g', false, true}, Row{U'G', false, true}, Row{U' ', false, true},
        Row{U'~', false, true}, Row{U'\b', false, false}, Row{U'\x16', false, false},
        Row{U'\x7f', false, false}, Row{U'\u00e9', false, false}, Row{U'\uff11', false, false}}) {
    EXPECT_EQ(AcceptsKeyChar(row.c, true), row.hex) << static_cast<uint32_t>(row.c);
    EXPECT_EQ(AcceptsKeyChar(row.c, false), row.ascii) << static_cast<uint32_t>(row.c);
  }
}

}  // namespace
}  // namespace nv
