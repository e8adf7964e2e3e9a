#include "ui/window_geometry.h"

namespace kestrio::ui {

namespace {

// The splitter keeps both panes at least this wide.
constexpr int kSplitterMargin = 50;
// The gap between the panes right after a resize.
constexpr int kResizeGap = 2;

PaneLayout LayoutAt(int splitter_x, int gap, int width, int height, int status_height) {
  const int h = height - status_height;
  PaneLayout layout;
  layout.splitter_x = splitter_x;
  layout.list = {splitter_x + gap, 0, width - splitter_x - gap, h};
  layout.status_first_part_end = splitter_x;
  layout.status_last_part_end = width;
  layout.tree = {0, 0, splitter_x, h};
  return layout;
}

}  // namespace

int SplitterBarWidth(int system_edge_width) {
  return system_edge_width == 0 ? 2 : system_edge_width;
}

PaneLayout LayoutOnResize(int width, int height, int status_height) {
  return LayoutAt(width / 4, kResizeGap, width, height, status_height);
}

int SplitterTrackPosition(int x, int bar_width, int client_width) {
  int p = x - bar_width / 2;
  if (p < kSplitterMargin) p = kSplitterMargin;
  if (p > client_width - kSplitterMargin) p = client_width - kSplitterMargin;
  return p + 1;
}

PaneLayout LayoutAfterSplitterDrag(int x, int bar_width, int width, int height, int status_height) {
  const int p = SplitterTrackPosition(x, bar_width, width);
  return LayoutAt(p - bar_width / 2, bar_width, width, height, status_height);
}

Point CentreOverOwner(int dialog_width, int dialog_height, const Rect& owner, int screen_width,
                      int screen_height) {
  Point at{owner.x + (owner.width - dialog_width) / 2,
           owner.y + (owner.height - dialog_height) / 2};
  if (at.x < 0) {
    at.x = 0;
  } else if (at.x + dialog_width > screen_width) {
    at.x = screen_width - dialog_width;
  }
  if (at.y < 0) {
    at.y = 0;
  } else if (at.y + dialog_height > screen_height) {
    at.y = screen_height - dialog_height;
  }
  return at;
}

}  // namespace kestrio::ui
