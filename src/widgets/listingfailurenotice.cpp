#include "widgets/listingfailurenotice.h"

#include "core/messages.h"
#include "widgets/dirlistbox.h"
#include "widgets/filelistbox.h"

namespace tess {

void ListingFailureNotice::watch(DirListBox *folders, FileListBox *files, QObject *context)
{
    auto failed = [this](const QString &folder, const QString &reason) { report(folder, reason); };
    QObject::connect(folders, &DirListBox::listingFailed, context, failed);
    QObject::connect(files, &FileListBox::listingFailed, context, failed);
}

void ListingFailureNotice::report(const QString &folder, const QString &reason)
{
    if (folder == m_named)
        return;
    m_named = folder;
    showFolderUnreadable(folder, reason);
}

} // namespace tess
