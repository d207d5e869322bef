// The conjecture explorer (Form43): five pages, each a statement to verify
// on a number of the pupil's own.
#pragma once

#include <memory>

#include "framework/windowmodel.h"

namespace kz {

std::unique_ptr<WindowModel> makeConjectureWindow();

}  // namespace kz
