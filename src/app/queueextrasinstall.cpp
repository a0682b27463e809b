#include "app/queueextrasinstall.h"

#include "app/application.h"
#include "core/fileselection.h"
#include "mainwin/favouritefolders.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmDWGFilter.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuecopies.h"
#include "mainwin/queueentryactions.h"
#include "mainwin/queuepane.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace tess {

namespace {

QMenu *addPopupSubMenu(QMenu *parent, const QString &name, const QString &caption)
{
    auto *m = new QMenu(caption, parent);
    m->setObjectName(name);
    parent->addMenu(m);
    return m;
}

} // namespace

void installQueueExtras(Application &, frmMain &w)
{
    auto *actions = new QueueEntryActions(w);
    const MainMenu popup = MainMenu::QueuePopup;

    QAction *open = w.addMenuItem(popup, QStringLiteral("mnuOpen"), QStringLiteral("&Open Selected File(s)"),
                                  QStringLiteral("mnuSort"));
    QFont bold = open->font();
    bold.setBold(true);
    open->setFont(bold);
    w.menu(popup)->setDefaultAction(open);
    QObject::connect(open, &QAction::triggered, actions, &QueueEntryActions::mnuOpen_Click);
    QObject::connect(w.addMenuItem(popup, QStringLiteral("mnuSkip"), QStringLiteral("S&kip Past Selected File"),
                                   QStringLiteral("mnuSort")),
                     &QAction::triggered, actions, &QueueEntryActions::mnuSkip_Click);
    QAction *gotoDir = w.addMenuItem(popup, QStringLiteral("mnuGotoDir"), QStringLiteral("<- &Goto Dir"),
                                     QStringLiteral("mnunothing5"));
    gotoDir->setEnabled(false);
    QObject::connect(gotoDir, &QAction::triggered, actions, &QueueEntryActions::mnuGotoDir_Click);
    QObject::connect(w.addMenuItem(popup, QStringLiteral("mnuOpenDirInExplorer"),
                                   QStringLiteral("&Open Explorer in Directory"), QStringLiteral("mnunothing5")),
                     &QAction::triggered, actions, &QueueEntryActions::mnuOpenDirInExplorer_Click);

    // "&Copy to Clipboard" with its "&All" and "&Selected" submenus.
    QMenu *copy = addPopupSubMenu(w.menu(popup), QStringLiteral("mnuCopy"), QStringLiteral("&Copy to Clipboard"));
    QMenu *all = addPopupSubMenu(copy, QStringLiteral("cmdAll"), QStringLiteral("&All"));
    QMenu *selected = addPopupSubMenu(copy, QStringLiteral("mnuSelected"), QStringLiteral("&Selected"));
    for (const QueueCopyKind &kind : queueCopyKinds()) {
        QAction *a = w.addMenuItem(kind.selectedOnly ? selected : all, QString::fromLatin1(kind.item),
                                   QString::fromLatin1(kind.caption));
        if (const QueueEntryActions::Handler handler = QueueEntryActions::copyHandler(QLatin1StringView(kind.item)))
            QObject::connect(a, &QAction::triggered, actions, handler);
    }

    // Favourite folders.
    auto *favourites = new FavouriteFolders(w);
    QObject::connect(w.queuePane(), &QueuePane::addDirToFavoritesRequested, favourites,
                     [favourites] { favourites->AddDirToFavorites(true); });
    // Stored drawing filters: "Filter" opens the window with the current filter in its pattern box.
    QObject::connect(w.fileSelector(), &FileSelectorPane::filterFormRequested, &w, [&w] {
        FileSelection *selection = w.files();
        auto *filters = w.findChild<frmDWGFilter *>(QString::fromLatin1(drawingFilterConfig().objectName));
        // Made at the first opening; a double-click only hides it, its close box unloads it.
        if (!filters)
            filters = new frmDWGFilter(
                drawingFilterConfig(), [selection](const QString &pattern) { selection->setFilter(pattern); }, &w);
        filters->tbDWGFilter->setText(selection->filter());
        filters->exec();
        if (filters->wasUnloaded()) {
            filters->setObjectName(QString());
            filters->deleteLater();
        }
    });
    w.RefreshQueueControls();
}

void addDirToFavoritesAutomatically(frmMain &w)
{
    if (auto *favourites = w.findChild<FavouriteFolders *>())
        favourites->AddDirToFavorites(true);
}

} // namespace tess
