#include "mainwin/saveasoptions.h"

#include "core/messages.h"
#include "core/pathhelpers.h"

namespace tess {

QStringList saveAsFormatList()
{
    return {dontChangeFormatText(), QStringLiteral("R13"),  QStringLiteral("R14"),
            QStringLiteral("2000"), QStringLiteral("2002"), QStringLiteral("2004"),
            QStringLiteral("2007"), QStringLiteral("2010"), QStringLiteral("2013")};
}

QString saveAsExampleName(const QString &firstEntry, const QString &prefix, const QString &suffix,
                          const TagSubstitution &substitute)
{
    const QString title = FileTitleOf(firstEntry);
    const QString p = substitute ? substitute(prefix, 1, title, 0) : prefix;
    const QString s = substitute ? substitute(suffix, 1, title, 0) : suffix;
    return p + title + s + QStringLiteral(".DWG");
}

} // namespace tess
