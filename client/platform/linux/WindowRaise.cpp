#include "platform/WindowRaise.h"

#include <QWidget>

namespace platform {

void makeTopMost(QWidget* window)
{
    if (window == nullptr) {
        return;
    }
    // The window manager's "above" state; changing the flags of a shown window hides it,
    // so show it again without activating it a second time.
    if (!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const bool visible = window->isVisible();
        window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (visible) {
            window->show();
        }
        window->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

} // namespace platform
