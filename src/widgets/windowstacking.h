#pragma once
// Keeping a window above all others, and letting it go back into the normal stacking order.

class QWidget;

namespace tess {

// Both keep the window's position, size and visibility; only its stacking changes. A null
// window, or one already in the wanted state, is left alone.
void SetWindowTopmost(QWidget *window);
void ClearWindowTopmost(QWidget *window);

} // namespace tess
