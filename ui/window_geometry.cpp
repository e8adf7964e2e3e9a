#include "ui/window_geometry.h"

namespace kestrio::ui {

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
