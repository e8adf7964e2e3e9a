#pragma once

// The "About Kestrio" box: the program icon, a separator and the five version fields of
// the form. OK and the window's close button both close it.

#include <QDialog>

#include "ui/about_form.h"

class QLabel;

namespace kestrio::platform {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(const ui::AboutForm& form, QWidget* owner);

  // Field 0 CompanyName ... 4 Comments.
  QLabel* Field(int index) const { return fields_[index]; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* owner_;
  QLabel* fields_[5] = {};
};

}  // namespace kestrio::platform
