#pragma once

// The main window's layout rules and the placement of dialogs, as plain arithmetic the
// front end applies to its widgets. All values are pixels in client coordinates unless
// said otherwise.

namespace kestrio::ui {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct PaneLayout {
  int splitter_x = 0;             // the new SplitterX
  Rect tree;                      // the tree pane
  Rect list;                      // the list pane
  int status_first_part_end = 0;  // right edge of the status bar's first part
  int status_last_part_end = 0;   // right edge of its last (text-bearing) part
  friend bool operator==(const PaneLayout&, const PaneLayout&) = default;
};

// The splitter bar: the system's edge width, or 2 when the system reports 0.
int SplitterBarWidth(int system_edge_width);

// Resize to a client area of width x height; status_height is 0 while the bar is hidden.
// The tree takes a quarter of the width, the list the rest after a 2-pixel gap.
PaneLayout LayoutOnResize(int width, int height, int status_height);

// Where the splitter's tracking bar is drawn for a mouse at x: x - bar_width/2 kept at
// least 50 from the left and at most client_width - 50, plus 1.
int SplitterTrackPosition(int x, int bar_width, int client_width);

// The layout after the splitter is released at x.
PaneLayout LayoutAfterSplitterDrag(int x, int bar_width, int width, int height, int status_height);

// True where the cursor shows the west-east sizing shape.
inline bool OverSplitter(int x, int splitter_x) { return x >= splitter_x && x <= splitter_x + 2; }

// Top-left screen position that centres a dialog of the given size over its owner's
// screen rectangle, kept inside a screen of screen_width x screen_height.
struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};
Point CentreOverOwner(int dialog_width, int dialog_height, const Rect& owner, int screen_width,
                      int screen_height);

}  // namespace kestrio::ui
