#pragma once

class QMainWindow;
class QMenu;

namespace mhbk {
class PageHost;
}

namespace mhbk::takeoff {

class TakeoffDock;

// Puts the takeoff list into the main window: the dock (hidden until asked for), "加入清单"
// and "工程量清单" on the bottom bar (the frame named "Panel1"), "工程量清单(&L)" in the popup
// menu, Ctrl+Enter for 加入清单, and the pages' sources. The dock is a child of `window`.
TakeoffDock *installTakeoff(PageHost &host, QMainWindow &window, QMenu &popupMenu);

} // namespace mhbk::takeoff
