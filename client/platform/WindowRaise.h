#pragma once

class QWidget;

namespace platform {

// Puts an already shown window above all others without moving, resizing or
// activating it again; it stays on top as the Windows top-most position does.
void makeTopMost(QWidget* window);

} // namespace platform
