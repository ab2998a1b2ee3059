// What screen readers learn about an OwnerDrawButton: its caption as the name, the role of its
// kind (button, check box, radio button), its pressed and checked state, and a press/toggle
// action.
#pragma once

namespace nv {

// Installs the accessibility factory once per process; later calls do nothing.
void InstallOwnerDrawButtonAccessibility();

}  // namespace nv
