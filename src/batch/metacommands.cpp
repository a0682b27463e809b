#include "batch/metacommands.h"

#include "core/like.h"
#include "core/pathhelpers.h"

#include <QDir>
#include <utility>

namespace tess {

namespace {

bool holdsPathParts(const QString &value)
{
    return value.contains(QLatin1Char('/')) || value.contains(QLatin1Char('\\')) || value.contains(QLatin1Char(':')) ||
           value.contains(QLatin1String(".."));
}

class Scanner
{
public:
    explicit Scanner(const QString &text) : m_text(text) {}

    bool has(const char *keyword) const
    {
        return Like(m_text, QLatin1Char('*') + QLatin1String(keyword) + QLatin1Char('*'));
    }
    void flag(const char *keyword, MetaAction::Kind kind, bool on)
    {
        if (has(keyword))
            m_scan.actions.append(MetaAction{kind, on, QString(), false});
    }
    void plain(const char *keyword, MetaAction::Kind kind) { flag(keyword, kind, true); }
    // A value keyword "key=": its quoted value; refuse tells a value that must not be used.
    template <typename Refuse> void value(const char *key, MetaAction::Kind kind, Refuse refuse)
    {
        const QString keyword = QLatin1String(key) + QLatin1Char('=');
        if (!has(keyword.toLatin1().constData()))
            return;
        const QString marker = keyword + QLatin1Char('"');
        const MarkedText marked = TextBetweenMarkers(m_text, marker, QStringLiteral("\""));
        if (marked.status == MarkedText::Unclosed)
            m_scan.unclosedMarkers.append(marker);
        // Without a quoted value the control keeps what the user gave it.
        if (!marked.found())
            return;
        MetaAction a{kind, true, marked.text, false};
        if (refuse(a.value)) {
            a.refused = true;
            m_scan.refusedKeywords.append(keyword);
        }
        m_scan.actions.append(a);
    }
    MetaScan take() { return std::move(m_scan); }

private:
    const QString &m_text;
    MetaScan m_scan;
};

} // namespace

MetaScan scanMetaCommands(const QString &text, bool includeSort)
{
    Scanner s(text);
    s.flag("testrun=true", MetaAction::TestRun, true);
    s.flag("testrun=false", MetaAction::TestRun, false);
    s.flag("delay=true", MetaAction::Delay, true);
    s.flag("delay=false", MetaAction::Delay, false);
    s.flag("saveas=true", MetaAction::SaveAs, true);
    s.flag("saveas=false", MetaAction::SaveAs, false);
    s.value("saveas.prefix", MetaAction::Prefix, holdsPathParts);
    s.value("saveas.suffix", MetaAction::Suffix, holdsPathParts);
    s.plain("saveas.samelocation=true", MetaAction::SameLocation);
    s.value("saveas.thislocation", MetaAction::ThisLocation, [](const QString &v) { return v.trimmed().isEmpty(); });
    s.value("tags.template", MetaAction::TagTemplate,
            [](const QString &v) { return v.trimmed().isEmpty() || holdsPathParts(v); });
    s.flag("saveas.overwrite=true", MetaAction::Overwrite, true);
    s.flag("saveas.overwrite=false", MetaAction::Overwrite, false);
    if (includeSort) {
        s.plain("sort.auto", MetaAction::SortAuto);
        s.plain("sort.ascending", MetaAction::SortAscending);
        s.plain("sort.Descending", MetaAction::SortDescending);
        s.plain("smartsort.ascending", MetaAction::SmartSortAscending);
        s.plain("smartsort.descending", MetaAction::SmartSortDescending);
    }
    MetaScan scan = s.take();
    for (MetaAction &a : scan.actions)
        if (a.kind == MetaAction::ThisLocation && !a.refused)
            a.value = withTrailingSeparator(a.value);
    return scan;
}

QString metaValueRefusedMessage(const QString &keyword)
{
    return QStringLiteral("The META command ") + keyword +
           QStringLiteral(" was ignored: its value must be given in double quotes, and a name may not hold a "
                          "folder (\\, /, : or ..); a folder may not be empty.");
}

} // namespace tess
