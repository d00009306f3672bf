#include "platform/WindowRaise.h"

#include "platform/win/Win32Window.h"

#include <QWidget>

namespace platform {

void makeTopMost(QWidget* window)
{
    if (window != nullptr) {
        win32::setWindowTopMost(reinterpret_cast<void*>(window->winId()));
    }
}

} // namespace platform
