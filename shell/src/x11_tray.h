// X11 questions the tray program asks of the display it runs on.
#pragma once

namespace nv {

// True when an XEmbed system tray owns the tray selection of the first screen.
bool XEmbedTrayOwned();

}  // namespace nv
