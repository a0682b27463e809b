#include "scripts/scripteditortext.h"

#include "core/settingskeys.h"

#include <algorithm>

namespace tess {

namespace {

QStringList numbered(const QString &prefix, int last)
{
    QStringList out;
    out.reserve(last);
    for (int n = 1; n <= last; ++n)
        out.append(prefix + QString::number(n) + QLatin1Char('$'));
    return out;
}

} // namespace

const QStringList &dynamicTagChoices()
{
    static const QStringList tags{QStringLiteral("$DATE$"),
                                  QStringLiteral("$MM/DD/YY$"),
                                  QStringLiteral("$DD/MM/YY$"),
                                  QStringLiteral("$YY/MM/DD$"),
                                  QStringLiteral("$YYYY$"),
                                  QStringLiteral("$YY$"),
                                  QStringLiteral("$MM$"),
                                  QStringLiteral("$MM-1$"),
                                  QStringLiteral("$MM-2$"),
                                  QStringLiteral("$MM-3$"),
                                  QStringLiteral("$DD$"),
                                  QStringLiteral("$TIME_12$"),
                                  QStringLiteral("$TIME_24$"),
                                  QStringLiteral("$FILENAME$"),
                                  QStringLiteral("$FILENAME-PREV$"),
                                  QStringLiteral("$FILENAME-NEXT$"),
                                  QStringLiteral("$FILEPATH$"),
                                  QStringLiteral("$FILEPATH-1$"),
                                  QStringLiteral("$FILEPATH-2$"),
                                  QStringLiteral("$FILEPATH-3$"),
                                  QStringLiteral("$FILEDRIVE$"),
                                  QStringLiteral("$FILEDRIVE+1$"),
                                  QStringLiteral("$FILEDRIVE+2$"),
                                  QStringLiteral("$FILEDRIVE+3$"),
                                  QStringLiteral("$FIRSTFILECHARS$"),
                                  QStringLiteral("$LASTFILECHARS$"),
                                  QStringLiteral("$SHEET$"),
                                  QStringLiteral("$SHEET-PREV$"),
                                  QStringLiteral("$SHEET-NEXT$"),
                                  QStringLiteral("$COUNTER$"),
                                  QStringLiteral("$FILECOUNTINQUEUE$"),
                                  QStringLiteral("$TSL_PATH$"),
                                  QStringLiteral("$USER$"),
                                  QStringLiteral("$COMPUTER$")};
    return tags;
}

const QStringList &userTagChoices()
{
    static const QStringList tags = numbered(QStringLiteral("$TAG"), 50);
    return tags;
}

const QStringList &projectTagChoices()
{
    static const QStringList tags = numbered(QStringLiteral("$PROJECTTAG"), 40);
    return tags;
}

const QStringList &metaCommandChoices()
{
    static const QStringList lines{QStringLiteral(";TESTRUN=FALSE"),
                                   QStringLiteral(";TESTRUN=TRUE"),
                                   QStringLiteral(";DELAY=FALSE"),
                                   QStringLiteral(";DELAY=TRUE"),
                                   QStringLiteral(";SAVEAS=FALSE"),
                                   QStringLiteral(";SAVEAS=TRUE"),
                                   QStringLiteral(";SAVEAS.PREFIX="),
                                   QStringLiteral(";SAVEAS.SUFFIX="),
                                   QStringLiteral(";SAVEAS.SAMELOCATION=TRUE"),
                                   QStringLiteral(";SAVEAS.THISLOCATION="),
                                   QStringLiteral(";SAVEAS.OVERWRITE=TRUE"),
                                   QStringLiteral(";SAVEAS.OVERWRITE=FALSE"),
                                   QStringLiteral(";TAGS.TEMPLATE="),
                                   QStringLiteral(";SORT.AUTO"),
                                   QStringLiteral(";SORT.ASCENDING"),
                                   QStringLiteral(";SORT.DESCENDING"),
                                   QStringLiteral(";SMARTSORT.ASCENDING"),
                                   QStringLiteral(";SMARTSORT.DESCENDING")};
    return lines;
}

QList<qsizetype> findAllOccurrences(const QString &text, const QString &search, Qt::CaseSensitivity cs)
{
    QList<qsizetype> hits;
    if (search.isEmpty() || text.size() < search.size())
        return hits;
    for (qsizetype at = text.indexOf(search, 0, cs); at >= 0; at = text.indexOf(search, at + search.size(), cs))
        hits.append(at);
    return hits;
}

ReplaceAllResult replaceAllText(const QString &text, const QString &search, const QString &replacement,
                                Qt::CaseSensitivity cs)
{
    ReplaceAllResult r;
    // One pass: the pieces between the hits are copied once into a buffer sized for the result.
    const QList<qsizetype> hits = findAllOccurrences(text, search, cs);
    r.hits = hits.size();
    if (hits.isEmpty()) {
        r.text = text;
        return r;
    }
    r.text.reserve(text.size() + hits.size() * (replacement.size() - search.size()));
    qsizetype from = 0;
    for (const qsizetype at : hits) {
        r.text.append(QStringView(text).mid(from, at - from));
        r.text.append(replacement);
        from = at + search.size();
    }
    r.text.append(QStringView(text).mid(from));
    return r;
}

ScriptEditorGeometry readScriptEditorGeometry()
{
    ScriptEditorGeometry g;
    g.left = readOtherNumber(OtherKeys::SCREditLeftOnActivate);
    g.top = readOtherNumber(OtherKeys::SCREditTopOnActivate);
    g.width = std::max(readOtherNumber(OtherKeys::SCREditWidth), kScriptEditorMinWidthTwips);
    g.height = std::max(readOtherNumber(OtherKeys::SCREditHeight), kScriptEditorMinHeightTwips);
    return g;
}

void writeScriptEditorGeometry(const ScriptEditorGeometry &g)
{
    writeOtherSetting(OtherKeys::SCREditLeft, g.left);
    writeOtherSetting(OtherKeys::SCREditTop, g.top);
    writeOtherSetting(OtherKeys::SCREditWidth, g.width);
    writeOtherSetting(OtherKeys::SCREditHeight, g.height);
}

} // namespace tess
