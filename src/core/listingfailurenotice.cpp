#include "core/listingfailurenotice.h"

#include "core/messages.h"

namespace tess {

void ListingFailureNotice::report(const QString &folder, const QString &reason)
{
    if (folder == m_named)
        return;
    m_named = folder;
    showFolderUnreadable(folder, reason);
}

} // namespace tess
