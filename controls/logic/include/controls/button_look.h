// How an owner-drawn button looks in one state: which edge it gets, whether its caption moves
// down-right by a pixel, and whether the caption is embossed (disabled).
#pragma once

namespace nv {

enum class ButtonEdge {
  None,
  Raised,         // two-pixel raised edge
  Sunken,         // two-pixel sunken edge
  DefaultDouble,  // sunken edge, then a raised edge one pixel further in
  ThinRaised,     // flat button: one-pixel light top-left, shadow bottom-right
  ThinSunken,     // flat button pushed: one-pixel shadow top-left, light bottom-right
};

struct ButtonState {
  bool disabled = false;
  bool pushed = false;  // held down with the pointer over it, or by the space key
  bool checked = false;
  bool hover = false;
  bool flat = false;
  bool isDefault = false;
  bool border3d = true;  // off for check boxes and radio buttons that are not push-like
  bool pushLike = true;
};

struct ButtonLook {
  ButtonEdge edge = ButtonEdge::None;
  int captionShift = 0;  // pixels right and down
  bool embossed = false;
};

ButtonLook ChooseButtonLook(const ButtonState& state);

}  // namespace nv
