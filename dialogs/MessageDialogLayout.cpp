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

    // Limits: a huge text or one very long word must not make a window larger than the screen.
    int growW = dW;
    int growH = dH;
    if (m.maxWindow.cx > 0 && m.window.cx + growW > m.maxWindow.cx) {
        const int cut = m.window.cx + growW - std::max<int>(m.maxWindow.cx, m.window.cx);
        growW -= cut;
        text.right -= cut;
    }
    if (m.maxWindow.cy > 0 && m.window.cy + growH > m.maxWindow.cy) {
        const int cut = m.window.cy + growH - std::max<int>(m.maxWindow.cy, m.window.cy);
        growH -= cut;
        text.bottom -= cut;
    }

    MessageDialogLayout layout{};
    layout.window = SIZE{m.window.cx + growW, m.window.cy + growH};
    layout.text = SIZE{std::max(0, static_cast<int>(text.right - text.left)),
                       std::max(0, static_cast<int>(text.bottom - text.top))};
    layout.buttonShift = SIZE{text.right - m.buttonRect.right, growH};
    return layout;
}
