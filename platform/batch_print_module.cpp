// The printing module kestrio-batch loads when a run asks for bout sheets or mat lists as
// PDF files: Qt's offscreen platform and the Qt printing port, nothing else.

#include <QGuiApplication>

#include <string>
#include <type_traits>

#include "platform/sheet_printer.h"
#include "ui/print_port.h"

namespace kestrio::platform {
namespace {

// Qt's application object lives as long as the port: the PDF writers need it, and it
// needs its arguments for its whole life.
class OffscreenPrintPort : public ui::PrintPort {
 public:
  explicit OffscreenPrintPort(const char* program_path)
      : program_(program_path), app_(argc_, argv_) {}

  Status WriteBoutSheetsPdf(const std::vector<reports::SheetBout>& sheets,
                            const std::string& path) override {
    return port_.WriteBoutSheetsPdf(sheets, path);
  }
  Status WriteMatListsPdf(const std::vector<reports::SheetBout>& sheets, int mats,
                          const std::string& path) override {
    return port_.WriteMatListsPdf(sheets, mats, path);
  }
  // A batch run has no one to show a preview to.
  void PreviewBoutSheets(const std::vector<reports::SheetBout>&) override {}
  void PreviewMatLists(const std::vector<reports::SheetBout>&, int) override {}

 private:
  // The batch needs no display: Qt draws on its offscreen platform.
  std::string program_;
  char platform_option_[10] = "-platform";
  char offscreen_[10] = "offscreen";
  char* argv_[4] = {program_.data(), platform_option_, offscreen_, nullptr};
  int argc_ = 3;
  QGuiApplication app_;
  QtPrintPort port_;
};

}  // namespace
}  // namespace kestrio::platform

extern "C" __attribute__((visibility("default"))) kestrio::ui::PrintPort*
kestrio_open_batch_print_port(const char* program_path, std::string* error_out) {
  // Checked against the declaration the batch calls through.
  static_assert(std::is_same_v<decltype(&kestrio_open_batch_print_port),
                               kestrio::ui::OpenBatchPrintPortFunction>);
  if (QCoreApplication::instance() != nullptr) {
    if (error_out != nullptr) *error_out = "the printing module is already in use";
    return nullptr;
  }
  return new kestrio::platform::OffscreenPrintPort(program_path);
}
