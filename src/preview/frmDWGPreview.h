#pragma once
// The floating drawing preview window " Preview": a sizable tool window above the main window
// whose thumbnail DwgThumbnail1 fills its client area. The main window's "&Preview" shows it at
// its stored position (Startup "DWGPreviewLeft" / "DWGPreviewTop", twips, default 1000) and hides
// it again; a click on a drawing in the file lists shows it with that drawing's preview. The
// position is stored whenever the window is hidden by "&Preview", by its close box or by another
// window's preview button, not at the end of the program.
//
// Public API for other windows:
//   ShowDrawingPreview(path)            a click on a drawing in any list;
//   cmdDWGPreviewShow_Click()           "&Preview" (toggles the window);
//   frmDWGPreview::loadedInstance()->Form_Unload()
//                                       hides the window and stores its position;
//   frmDWGPreview::resetStoredPosition()
//                                       the Options reset: the stored position back to 1000, 1000
//                                       and an open window moved there.

#include <QWidget>

namespace tess {

class DwgThumbnail;

class frmDWGPreview final : public QWidget
{
    Q_OBJECT
public:
    // The window the preview floats above (the main window). The preview window is loaded as its
    // tool window and goes with it.
    static void setOwner(QWidget *owner);
    // The program's one preview window, loaded (hidden) on first use.
    static frmDWGPreview *instance();
    // The preview window when it is loaded, else nullptr (it is not loaded by this).
    static frmDWGPreview *loadedInstance();
    // Writes 1000 and 1000 as the stored position; an open window moves there at once.
    static void resetStoredPosition();

    ~frmDWGPreview() override;

    DwgThumbnail *DwgThumbnail1 = nullptr;

    // Shows the window without taking the focus from the window in use; when it was not open, at
    // the stored position (a position off every screen is brought back onto one).
    void showAtStoredPosition();
    // Shown, or to be shown as soon as its owner is on the screen.
    bool isOpen() const { return isVisible() || m_showPending; }
    // The public hide: stores the position, leaves the topmost band and hides the window; it stays
    // loaded with its drawing.
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    explicit frmDWGPreview(QWidget *owner);
    void Form_Load();
    void moveToTwips(int left, int top);
    // Shows the window above its owner, once the owner is on the screen.
    void showAboveOwner();

    // The stored position as read or written last: kept as it is while the window did not move.
    int m_storedLeft = 1000;
    int m_storedTop = 1000;
    bool m_showPending = false; // shown when the owner comes on the screen
};

// "&Preview" on the main window: an open preview window is hidden (its position stored); a hidden
// one is shown at the stored position.
void cmdDWGPreviewShow_Click();

// A click on a drawing in a list: shows the preview window (at the stored position when it was not
// open) without taking the focus from the list, then the drawing's preview; an empty picture (the
// reason as its tooltip) when the drawing has none or cannot be read. Never a message box.
void ShowDrawingPreview(const QString &drawingPath);

} // namespace tess
