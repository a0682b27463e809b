#pragma once
// Escape in a window that has no Cancel button, or whose Cancel would drop edits unasked: the key
// does nothing, instead of closing the window as a dialog's Escape otherwise does.

class QDialog;

namespace tess {

// From now on Escape pressed anywhere in dialog is swallowed.
void ignoreEscape(QDialog *dialog);

} // namespace tess
