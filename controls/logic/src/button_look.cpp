#include "controls/button_look.h"

namespace nv {

ButtonLook ChooseButtonLook(const ButtonState& s) {
  ButtonLook look;
  if (s.disabled) {
    look.edge = s.border3d && !s.flat ? ButtonEdge::Raised : ButtonEdge::None;
    look.embossed = true;
    return look;
  }
  if (s.pushed || s.checked) {
    look.captionShift = s.pushLike ? 1 : 0;
    if (s.border3d) look.edge = s.flat ? ButtonEdge::ThinSunken : ButtonEdge::Sunken;
    return look;
  }
  // A flat button shows its edge only while the pointer is over it.
  if (s.border3d && (s.hover || !s.flat)) {
    look.edge = s.isDefault ? ButtonEdge::DefaultDouble
                : s.flat    ? ButtonEdge::ThinRaised
                            : ButtonEdge::Raised;
  }
  return look;
}

}  // namespace nv
