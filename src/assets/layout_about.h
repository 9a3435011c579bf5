#pragma once

#include <memory>

#include "platform/form.h"

namespace kvz {

// The about screen as laid out: title, the texts about this version, the decoration and the
// "OK" button.
std::unique_ptr<Form> makeFrmAbout();

}  // namespace kvz
