#pragma once

// The three texts of the status bar sharing its width: the statistics on the right are
// never cut; the guidance on the left takes at least the tree's width when there is room
// and its whole text when it fits; the hint in between gets what is left. A text that
// does not fit ends in "..." and shows whole in its tooltip.

#include <QString>
#include <QWidget>

#include <array>

namespace kestrio::platform {

class StatusParts : public QWidget {
  Q_OBJECT

 public:
  explicit StatusParts(QWidget* parent = nullptr);

  // Part 0 guidance, 1 hint, 2 statistics.
  void SetText(int part, const QString& text);
  QString Text(int part) const;
  // The text as painted now, "..." included.
  QString ShownText(int part) const;
  // The guidance part's width when the window has room for it (the tree's width).
  void SetGuidanceWidth(int width);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Share();
  int TextWidth(const QString& text) const;

  std::array<QString, 3> texts_;
  std::array<QString, 3> shown_;
  std::array<QRect, 3> rects_;
  int guidance_width_ = 0;
};

}  // namespace kestrio::platform
