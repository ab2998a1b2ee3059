// The owner-drawn button's edge, caption shift and emboss by state.
#include "controls/button_look.h"

#include <gtest/gtest.h>

namespace nv {
namespace {

TEST(ButtonLook, EdgeShiftAndEmbossByState) {
  struct Row {
    ButtonState state;
    ButtonEdge edge;
    int shift;
    bool embossed;
  };
  const auto state = [](auto change) {
    ButtonState s;
    change(s);
    return s;
  };
  const Row rows[] = {
      {state([](ButtonState&) {}), ButtonEdge::Raised, 0, false},
      {state([](ButtonState& s) { s.isDefault = true; }), ButtonEdge::DefaultDouble, 0, false},
      {state([](ButtonState& s) { s.flat = true; }), ButtonEdge::None, 0, false},
      {state([](ButtonState& s) { s.flat = s.hover = true; }), ButtonEdge::ThinRaised, 0, false},
      {state([](ButtonState& s) { s.flat = s.hover = s.isDefault = true; }),
       ButtonEdge::DefaultDouble, 0, false},
      {state([](ButtonState& s) { s.pushed = true; }), ButtonEdge::Sunken, 1, false},
      {state([](ButtonState& s) { s.pushed = s.flat = true; }), ButtonEdge::ThinSunken, 1, false},
      {state([](ButtonState& s) { s.checked = true; }), ButtonEdge::Sunken, 1, false},
      {state([](ButtonState& s) { s.checked = true, s.border3d = s.pushLike = false; }),
       ButtonEdge::None, 0, false},
      {state([](ButtonState& s) { s.border3d = s.pushLike = false; }), ButtonEdge::None, 0, false},
      {state([](ButtonState& s) { s.disabled = s.pushed = true; }), ButtonEdge::Raised, 0, true},
      {state([](ButtonState& s) { s.disabled = s.flat = true; }), ButtonEdge::None, 0, true},
  };
  int i = 0;
  for (const Row& row : rows) {
    const ButtonLook look = ChooseButtonLook(row.state);
    EXPECT_EQ(look.edge, row.edge) << "row " << i;
    EXPECT_EQ(look.captionShift, row.shift) << "row " << i;
    EXPECT_EQ(look.embossed, row.embossed) << "row " << i;
    ++i;
  }
}

}  // namespace
}  // namespace nv
