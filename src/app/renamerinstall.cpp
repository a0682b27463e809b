#include "app/renamerinstall.h"

#include "app/application.h"
#include "batch/batchcomposer.h"
#include "batch/frmFileErrorReport.h"
#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "mainwin/frmMain.h"
#include "utilities/frmFileRenamer.h"

#include <QAction>
#include <QKeySequence>

namespace tess {

namespace {

QString renamerWarning()
{
    return QStringList{QStringLiteral("WARNING"),
                       QStringLiteral("The Renamer function must be used with care!!"),
                       QString(),
                       QStringLiteral("--Use it at Your Own Risk--"),
                       QString(),
                       QStringLiteral("Please rename copies of your files, and"),
                       QStringLiteral("keep the originals in a safe place."),
                       QString(),
                       QStringLiteral("Continue?")}
        .join(QStringLiteral("\r\n"));
}

// "&File Renamer": duplicates out of the queue, the queue checked, the warning, then the renamer.
void mnuRenamer_Click(frmMain &w, BatchComposer *composer)
{
    w.removeQueueDuplicates();
    if (composer && !composer->VerifyQueueFiles())
        return;
    if (msgBox(renamerWarning(), vbOKCancel | vbInformation | vbDefaultButton2) != vbOK)
        return;
    const int problems = composer ? composer->fileErrorReport()->problemCount() : 0;
    frmFileRenamer renamer(*w.queue(), w.files(), problems, &w);
    renamer.exec();
}

} // namespace

void installRenamer(Application &app, frmMain &w, BatchComposer *composer)
{
    Q_UNUSED(app);
    QAction *item = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuRenamer"), QStringLiteral("&File Renamer"),
                                  QStringLiteral("mnuNightRun"), ItemTrait::HiddenInSimpleMode | ItemTrait::NeedsQueue);
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    QObject::connect(item, &QAction::triggered, &w, [&w, composer] { mnuRenamer_Click(w, composer); });
}

} // namespace tess
