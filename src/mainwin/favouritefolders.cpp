#include "mainwin/favouritefolders.h"

#include "core/favourites.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmDirSelector.h"
#include "mainwin/frmMain.h"

#include <QCloseEvent>

namespace tess {

namespace {

// The dialog's close box unloads it; its buttons only hide it.
class UnloadOnCloseBox final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && event->spontaneous())
            watched->deleteLater();
        return false;
    }
};

} // namespace

FavouriteFolders::FavouriteFolders(frmMain &window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("favouriteFolders"));
    FileSelectorPane *files = window.fileSelector();
    connect(files, &FileSelectorPane::favouritesRequested, this, &FavouriteFolders::Command18_Click);
    connect(files, &FileSelectorPane::addFavouriteRequested, this, &FavouriteFolders::Command19_Click);
}

frmDirSelector *FavouriteFolders::dirSelector()
{
    if (!m_dialog) {
        m_dialog = new frmDirSelector(m_window.fileSelector(), &m_window);
        m_dialog->installEventFilter(new UnloadOnCloseBox(m_dialog));
    }
    return m_dialog;
}

void FavouriteFolders::AddDirToFavorites(bool automatic)
{
    const bool report = !automatic || !m_automaticFailureShown;
    const FavoritesRead read = readFavoritesFile(favoritesFilePath());
    FileResult failure = read.result;
    QString what = QStringLiteral("The favourite folders could not be read, so the folder was not added");
    QStringList list = read.entries;
    if (failure.ok()) {
        sortIgnoringCase(list);
        addFavouriteFolder(list, m_window.fileSelector()->folder());
        failure = writeFavoritesFile(favoritesFilePath(), list);
        what = QStringLiteral("The favourite folders could not be saved");
        if (m_dialog)
            m_dialog->setEntries(list);
    }
    if (!failure.ok() && report) {
        if (automatic)
            m_automaticFailureShown = true;
        msgBox(fileFailureMessage(what, failure), vbOKOnly | vbExclamation, appTitle());
    }
}

void FavouriteFolders::Command18_Click()
{
    frmDirSelector *d = dirSelector();
    d->exec();
    // Whatever closed it, the list shows the file again (unconfirmed removals are dropped).
    if (m_dialog)
        m_dialog->LoadRecentDir();
}

} // namespace tess
