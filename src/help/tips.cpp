#include "help/tips.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/textfiles.h"

#include <QDir>
#include <QFileInfo>

namespace tess {

namespace {

const QString &tipsFileName()
{
    static const QString name = QStringLiteral("tips.txt");
    return name;
}

} // namespace

QString tipsFilePath()
{
    const QString data = AppEnvironment::programFolder() + QStringLiteral("/DATA");
    const QString exact = data + QLatin1Char('/') + tipsFileName();
    if (QFileInfo::exists(exact))
        return exact;
    // File names in the program's own folders are found whatever their letter case ("TIPS.TXT").
    const QStringList found = QDir(data).entryList({tipsFileName()}, QDir::Files | QDir::Hidden, QDir::Name);
    return found.isEmpty() ? exact : data + QLatin1Char('/') + found.first();
}

QString tipWithParagraphs(const QString &line)
{
    QString text = line;
    text.replace(QStringLiteral("  "), QStringLiteral("\r\n\r\n"));
    return text;
}

QStringList tipsFromBytes(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    // One final line end is dropped, every other CR LF, lone LF or lone CR ends a line.
    const QStringList lines = textFromFileBytes(bytes).split(QLatin1Char('\n'));
    QStringList tips;
    tips.reserve(lines.size());
    for (const QString &line : lines)
        tips.append(tipWithParagraphs(line));
    return tips;
}

TipsFile readTipsFile(const QString &path)
{
    TipsFile file;
    file.path = path;
    QByteArray bytes;
    const FileResult r = readWholeFile(path, bytes);
    // No DATA folder means no tips file either: the same message as for a missing file.
    if (r.error == kFileNotFound || r.error == kPathNotFound) {
        file.status = TipsFile::Status::Missing;
        return file;
    }
    if (!r.ok()) {
        file.status = TipsFile::Status::Unreadable;
        file.reason = r.reason;
        return file;
    }
    file.tips = tipsFromBytes(bytes);
    file.status = file.tips.isEmpty() ? TipsFile::Status::Empty : TipsFile::Status::Loaded;
    return file;
}

int firstTipIndex(const QString &storedTipNumber, int count)
{
    if (count <= 0)
        return 0;
    bool ok = false;
    const qint64 stored = storedTipNumber.trimmed().toLongLong(&ok);
    if (!ok || stored < 0 || stored >= count)
        return 0;
    return stored + 1 < count ? int(stored + 1) : 0;
}

int nextTipIndex(int current, int count)
{
    if (count <= 0)
        return 0;
    return current + 1 >= count || current < 0 ? 0 : current + 1;
}

int previousTipIndex(int current, int count)
{
    if (count <= 0)
        return 0;
    return current - 1 < 0 || current > count ? count - 1 : current - 1;
}

QString tipPositionText(int current, int count)
{
    return QStringLiteral("Tip ") + QString::number(current + 1) + QLatin1Char('/') + QString::number(count);
}

QString tipsFileMissingText() { return QStringLiteral("TIPS.TXT file not found in Tessaline directory"); }

QString tipsFileEmptyText() { return QStringLiteral("TIPS.TXT file is empty"); }

QString tipsFileUnreadableText(const TipsFile &file)
{
    return QStringLiteral("TIPS.TXT file could not be read:\r\n") + QDir::toNativeSeparators(file.path) +
           QStringLiteral("\r\n\r\n") + file.reason;
}

} // namespace tess
