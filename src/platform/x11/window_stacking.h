#pragma once

class QWidget;

namespace tavorin {

// Put a top-level window into, or take it out of, the always-on-top band.
// Neither moves, resizes, re-creates nor hides the window; where the window
// system offers no such band the calls change nothing.
void MakeTopmost(QWidget* window);
void MakeNotTopmost(QWidget* window);

}  // namespace tavorin
