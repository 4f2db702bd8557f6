#pragma once

class QBoxLayout;
class QMainWindow;
class QMenu;

namespace mhbk {
class PageHost;
}

namespace mhbk::takeoff {

class TakeoffDock;

// Puts the takeoff list into the main window: the dock (hidden until asked for), "加入清单"
// and "工程量清单" in the place the bottom bar keeps for them, "工程量清单(&L)" in the popup
// menu, and Ctrl+Enter for 加入清单. What the active page offers comes from its services on the
// host. The dock is a child of `window`.
TakeoffDock *installTakeoff(PageHost &host, QMainWindow &window, QMenu &popupMenu, QBoxLayout &barPlace);

} // namespace mhbk::takeoff
