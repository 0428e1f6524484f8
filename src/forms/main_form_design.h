#pragma once
// The main window as plain data: its controls, their tab order and its menu.

#include "forms/form_design.h"

namespace velmaric::forms {

// Client area 441 x 373, never smaller than the size at which the texts
// stay readable.
const Form_Design& Main_Form();

}  // namespace velmaric::forms
