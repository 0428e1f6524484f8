#pragma once
// The About box as plain data. Its texts about the product are filled in
// when it is made; the rows carry their design names until then.

#include "forms/form_design.h"

namespace velmaric::forms {

// A box of fixed size, 591 x 354.
const Form_Design& About_Form();

}  // namespace velmaric::forms
