#pragma once

namespace kz::ui {
// Registers every window the program has with the window registry. A
// catalogue entry is enabled exactly when its window is registered here.
void registerWindows();
}  // namespace kz::ui
