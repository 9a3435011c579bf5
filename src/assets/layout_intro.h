#pragma once

#include <memory>
#include "assets/layout_builders.h"
#include "platform/form.h"

namespace kvz {

// The start menu as laid out: four picture buttons, the logo, the strip, the beta notice and
// the hidden loading frame.
std::unique_ptr<Form> makeFrmIntro();

}  // namespace kvz
