#pragma once

class QWidget;

namespace tavorin {

// Put a top-level window into, or take it out of, the always-on-top band.
// Neither moves, resizes, re-creates nor hides the window; where the window
// system offers no such band the calls change nothing.
void MakeTopmost(QWidget* window);
void MakeNotTopmost(QWidget* window);
// Puts a shown top-level window into the always-on-top band, above the
// windows already there, and asks the window manager for the keyboard focus
// on it as a task bar would (a manager refuses an application's own request
// when another program had input more recently).
void BringToFront(QWidget* window);

}  // namespace tavorin
