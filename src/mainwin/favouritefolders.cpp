#include "mainwin/favouritefolders.h"

#include "core/favourites.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmDirSelector.h"
#include "mainwin/frmMain.h"

namespace tess {

FavouriteFolders::FavouriteFolders(frmMain &window)
    : QObject(&window), m_window(window),
      m_dialog([&window] { return new frmDirSelector(window.fileSelector(), &window); })
{
    setObjectName(QStringLiteral("favouriteFolders"));
    FileSelectorPane *files = window.fileSelector();
    connect(files, &FileSelectorPane::favouritesRequested, this, &FavouriteFolders::Command18_Click);
    connect(files, &FileSelectorPane::addFavouriteRequested, this, &FavouriteFolders::Command19_Click);
}

frmDirSelector *FavouriteFolders::dirSelector() { return m_dialog.get(); }
bool FavouriteFolders::isDirSelectorLoaded() const { return m_dialog.existing() != nullptr; }

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
        if (frmDirSelector *d = m_dialog.existing())
            d->setEntries(list);
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
    if (frmDirSelector *shown = m_dialog.existing())
        shown->LoadRecentDir();
}

} // namespace tess
