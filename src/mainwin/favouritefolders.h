#pragma once
// The main window's favourite folders: "&Favorites" (Command18) opens frmDirSelector, "&Add"
// (Command19) and the automatic additions after queue additions and composing put the file
// selector's current folder into DATA\"Favorites.dat".

#include "widgets/keptwindow.h"

#include <QObject>

namespace tess {

class frmDirSelector;
class frmMain;

class FavouriteFolders final : public QObject
{
    Q_OBJECT
public:
    explicit FavouriteFolders(frmMain &window);

    // The dialog, loaded (reading the file) at its first use.
    frmDirSelector *dirSelector();
    bool isDirSelectorLoaded() const;

    // Adds the current folder and saves. The file is read afresh first so that entries saved
    // meanwhile by another user are kept; a file that cannot be read is not written over. automatic:
    // the addition after queue additions and composing, which reports a failure once per run.
    void AddDirToFavorites(bool automatic = false);
    void Command18_Click();
    void Command19_Click() { AddDirToFavorites(false); }

private:
    frmMain &m_window;
    KeptWindow<frmDirSelector> m_dialog;
    bool m_automaticFailureShown = false;
};

} // namespace tess
