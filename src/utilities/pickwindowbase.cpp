#include "utilities/pickwindowbase.h"

#include "core/fileselection.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "preview/frmDWGPreview.h"
#include "widgets/keptwindow.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"
#include "widgets/windowstacking.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <algorithm>

namespace tess {

namespace {
// Stored values far off any screen are held to this range before they become pixels.
constexpr int kMaxTwips = 10'000'000;
} // namespace

PickWindowBase::PickWindowBase(PickWindow which, FileSelection &files, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_files(files), m_mainWindow(mainWindow), m_which(which)
{
}

int PickWindowBase::outerWidthTwips() const { return pixelsToTwips(width()) + kFrameWidthTwips; }
int PickWindowBase::outerHeightTwips() const { return pixelsToTwips(height()) + kFrameHeightTwips; }

PickGeometry PickWindowBase::geometryTwips() const
{
    PickGeometry g;
    const QRect outer = outerGeometry(this);
    g.left = keepTwips(m_stored.left, outer.left());
    g.top = keepTwips(m_stored.top, outer.top());
    g.width = keepTwips(m_stored.width, outer.width());
    g.height = keepTwips(m_stored.height, outer.height());
    return g;
}

void PickWindowBase::openAt(const PickGeometry &wanted)
{
    m_stored.left = std::clamp(wanted.left, -kMaxTwips, kMaxTwips);
    m_stored.top = std::clamp(wanted.top, -kMaxTwips, kMaxTwips);
    m_stored.width = std::clamp(wanted.width, kFrameWidthTwips + 15, kMaxTwips);
    m_stored.height = std::clamp(wanted.height, kFrameHeightTwips + 15, kMaxTwips);
    // Topmost before its first showing, so its native window is made once.
    SetWindowTopmost(this);
    placeWindow(this, QPoint(twipsToPixels(m_stored.left), twipsToPixels(m_stored.top)),
                QSize(twipsToPixels(m_stored.width), twipsToPixels(m_stored.height)));
    show();
    // The drawing preview floats above this window while the main window is hidden.
    frmDWGPreview::setOwner(this);
    if (m_mainWindow)
        m_mainWindow->hide();
}

void PickWindowBase::closeEvent(QCloseEvent *event)
{
    const QList<int> unwritten = writePickGeometry(m_which, geometryTwips());
    // The main window first, so the program never runs without a window of its own.
    if (m_mainWindow)
        m_mainWindow->show();
    ClearWindowTopmost(this);
    frmDWGPreview::setOwner(m_mainWindow);
    afterUnload();
    // A store that refuses every write this run was reported once, at the start.
    const SettingsStore &store = SettingsStore::instance();
    if (!store.isReadOnly()) {
        for (const int key : unwritten)
            unloadStepFailed(108 + 2 * key, store.lastError());
    }
    event->accept();
    releaseOnClose(this, event);
}

void PickWindowBase::openPickedFile(const QString &path) const
{
    if (!QFileInfo::exists(path)) {
        msgBox(fileNotFoundMessage(path), vbOKOnly | vbExclamation, appTitle());
        return;
    }
    // Reports a failure itself.
    OpenWithAssociatedProgram(path, withTrailingSeparator(m_files.drive()));
}

} // namespace tess
