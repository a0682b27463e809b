#pragma once
// The common frame of the two pick windows: a sizable tool window without minimise or maximise
// box and without taskbar button, placed from its stored geometry (outer size in twips), kept on
// top while open, and handing back to the main window when closed: the geometry is stored, the
// main window is shown first (the program never ends with the pick window) and the window is
// released (its opener holds it in a KeptWindow, and the next opening makes a new one).

#include "utilities/pickwindows.h"

#include <QWidget>

namespace tess {

class FileSelection;

class PickWindowBase : public QWidget
{
    Q_OBJECT
public:
    // The window's outer place and size in twips, as stored.
    PickGeometry geometryTwips() const;
    // Shows the window at g (brought onto a screen when it would open off every screen), makes it
    // topmost and hides the main window.
    void openAt(const PickGeometry &g);

    // The difference between the outer and the client size, in twips, used for the stored sizes.
    static constexpr int kFrameWidthTwips = 15;
    static constexpr int kFrameHeightTwips = 270;

protected:
    // files: the main window's file selection; mainWindow: hidden while this window is open.
    PickWindowBase(PickWindow which, FileSelection &files, QWidget *mainWindow);
    void closeEvent(QCloseEvent *event) override;
    // The window's outer width and height in twips (for the resize rules).
    int outerWidthTwips() const;
    int outerHeightTwips() const;
    // Runs after the geometry is stored and the main window is shown (hand back what is its own).
    virtual void afterUnload() {}
    // A step of the closing failed: the geometry key at `line` (108 left, 110 top, 112 width, 114
    // height) could not be stored, for `reason`. The closing goes on; by default nothing is shown.
    virtual void unloadStepFailed(int line, const QString &reason)
    {
        Q_UNUSED(line);
        Q_UNUSED(reason);
    }
    // Opens one file with its associated program, started in the root of the main window's drive;
    // a missing file says so.
    void openPickedFile(const QString &path) const;

    FileSelection &m_files;

private:
    QWidget *m_mainWindow;
    PickWindow m_which;
    PickGeometry m_stored;
};

} // namespace tess
