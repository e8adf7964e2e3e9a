#include "ui/about_form.h"

namespace kestrio::ui {

AboutForm MakeAboutForm(const std::optional<VersionInfo>& info) {
  AboutForm form;
  const std::array<std::string_view, 5> names = {"CompanyName", "FileDescription", "ProductVersion",
                                                 "LegalCopyright", "Comments"};
  const std::array<const std::optional<std::string>*, 5> values = {
      info ? &info->CompanyName : nullptr, info ? &info->FileDescription : nullptr,
      info ? &info->ProductVersion : nullptr, info ? &info->LegalCopyright : nullptr,
      info ? &info->Comments : nullptr};
  for (std::size_t i = 0; i < names.size(); ++i) {
    AboutField& field = form.fields[i];
    field.entry_name = names[i];
    // An entry the build did not supply keeps its name on show, as a box without any
    // version information does.
    if (values[i] != nullptr && values[i]->has_value()) {
      field.text = **values[i];
      field.uses_value_font = true;
    } else {
      field.text = std::string(names[i]);
    }
  }
  return form;
}

}  // namespace kestrio::ui
