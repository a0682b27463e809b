// The project-file reader on any bytes: the index and project parsers, the name check, pattern matching
// and the substitution (checked against the literal replacement of the 40 tags).

#include "batch/projecttags.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace tess;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &name : parseProjectIndex(bytes, QStringConverter::Utf8)) {
        if (isPlainProjectFileName(name) && (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))))
            abort();
    }
    ProjectTagFile latin = ProjectTagFile::parse(bytes, QStringConverter::Latin1);
    ProjectTagFile p = ProjectTagFile::parse(bytes, QStringConverter::Utf8);
    if (p.values.size() > ProjectTagFile::ValueCount || latin.values.size() > ProjectTagFile::ValueCount)
        abort();

    // The last line of the file doubles as a drawing path and as the text to substitute.
    const QString path = p.values.isEmpty() ? p.pattern : p.values.last();
    const ProjectTagSet set({p, latin});
    const QList<int> matches = set.matchingProjects(path);
    const QString got = set.applyProjects(path, matches);

    QString want = path;
    for (const int i : matches) {
        const ProjectTagFile &f = set.projects().at(i);
        bool stop = false;
        for (int n = 1; n <= ProjectTagFile::ValueCount; ++n) {
            if (n > f.values.size()) {
                stop = true;
                break;
            }
            want.replace(QStringLiteral("$PROJECTTAG%1$").arg(n), f.values.at(n - 1), Qt::CaseInsensitive);
        }
        if (stop)
            break;
    }
    if (got != want) {
        fprintf(stderr, "text [%s]\ngot  [%s]\nwant [%s]\n", qPrintable(path), qPrintable(got), qPrintable(want));
        abort();
    }
    return 0;
}
