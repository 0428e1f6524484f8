#include "forms/form_design.h"

#include <algorithm>

namespace velmaric::forms {

const Control_Design* Find_Control(const Form_Design& form, const std::string& name) {
  const auto found = std::find_if(form.controls.begin(), form.controls.end(),
                                  [&name](const Control_Design& row) { return name == row.name; });
  return found == form.controls.end() ? nullptr : &*found;
}

}  // namespace velmaric::forms
