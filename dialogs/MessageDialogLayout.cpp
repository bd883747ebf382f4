#include "dialogs/MessageDialogLayout.h"
#include <algorithm>

MessageDialogLayout ComputeMessageDialogLayout(const MessageDialogMeasures& m)
{
    RECT text = m.measuredText;
    text.right = std::max(text.right, m.buttonRect.right);
    int dW = text.right - m.textRect.right;
    const int dH = std::max(0, static_cast<int>(text.bottom - m.textRect.bottom));

    const int needed = m.captionWidth - (m.window.cx - m.captionReserve) + kCaptionSpare;
    if (needed > dW && needed < 0) {
        text.right += needed - dW;
        dW = needed;
    }

    MessageDialogLayout layout{};
    layout.window = SIZE{m.window.cx + dW, m.window.cy + dH};
    layout.text = SIZE{std::max(0, static_cast<int>(text.right - text.left)),
                       std::max(0, static_cast<int>(text.bottom - text.top))};
    layout.buttonShift = SIZE{text.right - m.buttonRect.right, dH};
    return layout;
}
