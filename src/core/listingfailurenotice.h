#pragma once

#include <QString>

namespace tess {

// Names a folder whose listing failed, once: a folder list and a file list showing one folder both
// fail on it, and a refresh of the same folder fails again. The folder is named anew after
// forget(), which the owner calls when the user asks for the lists again or another folder shows.
class ListingFailureNotice
{
public:
    void report(const QString &folder, const QString &reason);
    void forget() { m_named.clear(); }
    // forget() unless `folder` is the one last named.
    void forgetUnless(const QString &folder)
    {
        if (folder != m_named)
            m_named.clear();
    }

private:
    QString m_named;
};

} // namespace tess
