#pragma once

// The main window's layout rule and the placement of dialogs, as plain arithmetic the
// front end applies to its widgets. All values are pixels.

namespace kestrio::ui {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// The width of the tree pane (and of the status bar's guidance part beneath it) after
// the window is resized to window_width: a quarter of it; the list takes the rest.
inline int TreePaneWidth(int window_width) { return window_width / 4; }

// Top-left screen position that centres a dialog of the given size over its owner's
// screen rectangle, kept inside a screen of screen_width x screen_height.
Point CentreOverOwner(int dialog_width, int dialog_height, const Rect& owner, int screen_width,
                      int screen_height);

}  // namespace kestrio::ui
