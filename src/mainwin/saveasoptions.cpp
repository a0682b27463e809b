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
                          const TagSubstitution &substitute, const QString &folder)
{
    const QString title = FileTitleOf(firstEntry);
    const auto substituted = [&](const QString &text) { return substitute ? substitute(text, 1, title, 0) : text; };
    return joinPath(substituted(folder), substituted(prefix) + title + substituted(suffix) + QStringLiteral(".DWG"));
}

} // namespace tess
