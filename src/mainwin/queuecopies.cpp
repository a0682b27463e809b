#include "mainwin/queuecopies.h"

#include "core/pathhelpers.h"

namespace tess {

const QList<QueueCopyKind> &queueCopyKinds()
{
    static const QList<QueueCopyKind> kinds{
        {"mnuCopyListtoClip", "&Paths and Filenames", false, CopyPart::FullPath, CopyLayout::JoinedLines, false},
        {"mnuCopyWithExt", "&Filenames With Extension", false, CopyPart::FileName, CopyLayout::JoinedLines, false},
        {"mnuCopyWOExtension", "Filenames &Without Extension", false, CopyPart::FileTitle, CopyLayout::JoinedLines,
         false},
        {"mnuCopyClipCSV", "Filename(s) &Comma Separated", false, CopyPart::FileTitle, CopyLayout::CommaList, true},
        {"mnuCopySelectedtoClip", "&Path(s) and Filename(s)", true, CopyPart::FullPath, CopyLayout::TerminatedLines,
         true},
        {"mnuCopySelFilewithExt", "&Filename(s) With Extension", true, CopyPart::FileName, CopyLayout::TerminatedLines,
         true},
        {"mnuCopySelFileWOExt", "Filename(s) &Without Extension", true, CopyPart::FileTitle,
         CopyLayout::TerminatedLines, true},
        {"mnuCopySelFileCSV", "Filename(s) &Comma Separated", true, CopyPart::FileTitle, CopyLayout::CommaList, true},
    };
    return kinds;
}

QString queueCopyText(const QStringList &entries, CopyPart part, CopyLayout layout)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString comma = QStringLiteral(", ");
    QString text;
    qsizetype size = 0;
    for (const QString &e : entries)
        size += e.size() + 2;
    text.reserve(size);
    bool first = true;
    for (const QString &e : entries) {
        if (!first && layout != CopyLayout::TerminatedLines)
            text += layout == CopyLayout::CommaList ? comma : crlf;
        first = false;
        // FileNameOf and FileTitleOf without a copy of each name.
        const QStringView name = QStringView(e).sliced(lastSeparatorIndex(e) + 1);
        switch (part) {
        case CopyPart::FullPath: text += e; break;
        case CopyPart::FileName: text += name; break;
        case CopyPart::FileTitle:
            if (e.size() > 3 && name.size() >= 4)
                text += name.chopped(4);
            break;
        }
        if (layout == CopyLayout::TerminatedLines)
            text += crlf;
    }
    return text;
}

} // namespace tess
