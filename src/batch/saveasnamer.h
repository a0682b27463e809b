#pragma once
// How the composer names a drawing's SAVEAS target, once per composition compiled and then per drawing.

#include "batch/batchscriptwriter.h"
#include "batch/projecttags.h"
#include "batch/tagsubstitution.h"
#include "core/pathhelpers.h"

#include <QList>
#include <QString>
#include <limits>

namespace tess {

// Whether a short text holds a "$" (a plain loop: the values are a few characters long).
inline bool holdsDollar(QStringView s)
{
    for (const QChar c : s) {
        if (c == QLatin1Char('$'))
            return true;
    }
    return false;
}

// The SAVEAS target of a drawing: prefix + file title + suffix + the path's last four characters, in the
// drawing's own folder or the chosen one (tags substituted), every ".dxf" of the name made ".DWG".
class SaveAsNamer
{
public:
    SaveAsNamer(const BatchScriptInput &in, const TagContext &tags, const ProjectTagSet &projects,
                qsizetype matchLists = 0)
        : m_in(in), m_tags(tags), m_projects(projects),
          m_limit(tags.maxTextSize() > 0 ? tags.maxTextSize() : std::numeric_limits<qsizetype>::max()),
          m_prefix(compileName(in.prefix, matchLists)), m_suffix(compileName(in.suffix, matchLists)),
          m_folder(compileName(in.specFolder, 0))
    {
    }

    // False when a substituted text passes the bound.
    bool make(const QString &path, const QList<int> *matches, qint64 counter, qsizetype place, QString &target,
              QString &name) const
    {
        QString prefix, suffix;
        if (!nameText(m_prefix.prepared, path, matches, counter, place, prefix) ||
            !nameText(m_suffix.prepared, path, matches, counter, place, suffix))
            return false;
        name = prefix + FileTitleOf(path) + suffix + path.right(4);
        if (name.contains(QLatin1String(".dxf"), Qt::CaseInsensitive))
            name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
        target.clear();
        if (m_in.originalLocation)
            target = FolderOf(path);
        else if (!m_tags.substituteInto(target, m_folder.prepared, counter, path, place))
            return false;
        // A typed folder may lack its final separator ("D:\OUT"): the name goes inside it all the same.
        target = joinPath(target, name);
        return true;
    }

    // The same target, appended to `into`, from the drawing's values (reset for it), its match list and
    // that list's number; texts whose values may hold tags take make().
    bool makeWith(TagValues &values, const QString &path, const QList<int> *matches, int matchList, qint64 counter,
                  qsizetype place, QString &into)
    {
        const qsizetype from = into.size();
        m_name.resize(0);
        if (!fill(m_prefix, values, matches, matchList, m_name))
            return slowMake(path, matches, counter, place, into);
        m_name += values.value(m_titleRow);
        if (!fill(m_suffix, values, matches, matchList, m_name))
            return slowMake(path, matches, counter, place, into);
        m_name += QStringView(path).right(4);
        if (mayHoldDxf(m_name) && m_name.contains(QLatin1String(".dxf"), Qt::CaseInsensitive))
            m_name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
        if (m_in.originalLocation) {
            into += QStringView(path).left(values.lastSeparator() + 1);
        } else if (!fill(m_folder, values, nullptr, -1, into)) {
            into.truncate(from);
            QString folder;
            if (!m_tags.substituteInto(folder, m_folder.prepared, counter, path, place))
                return false;
            into += folder;
        }
        if (into.size() > from && !isPathSeparator(into.back())) {
            const QString folder = into.mid(from);
            into.truncate(from);
            into += withTrailingSeparator(folder);
        }
        into += m_name;
        return true;
    }

private:
    // A name text compiled once. A text without tags of its own goes to the project step unchanged, so its
    // result for each match list is worked out once (nullopt inside: that result holds tags).
    struct NameText {
        QString raw;
        PreparedTagText prepared;
        TagTemplate tmpl;
        bool noDollar = false;
        bool fillable = false; // direct, and no literal run holds a "$"
        bool mayHoldProjectTags = false;
        std::vector<std::optional<std::optional<QString>>> byMatchList;
    };

    NameText compileName(const QString &text, qsizetype matchLists) const
    {
        NameText t;
        t.raw = text;
        t.prepared = m_tags.prepare(text);
        t.noDollar = !text.contains(QLatin1Char('$'));
        t.mayHoldProjectTags = ProjectTagSet::mayHoldProjectTags(text);
        if (t.prepared.hasTags()) {
            t.tmpl = m_tags.compile(text);
            t.fillable = t.tmpl.direct && std::none_of(t.tmpl.pieces.begin(), t.tmpl.pieces.end(), [](const auto &p) {
                             return p.row == 0 && p.literal.contains(QLatin1Char('$'));
                         });
        }
        t.byMatchList.resize(size_t(matchLists));
        return t;
    }

    // Appends what nameText gives (without matches: what substituteInto gives), when that can be told
    // from the values alone; false when the text must take the general way.
    bool fill(NameText &t, TagValues &values, const QList<int> *matches, int matchList, QString &into) const
    {
        if (t.raw.size() > m_limit)
            return false;
        if (t.noDollar) {
            into += t.raw;
            return true;
        }
        if (!t.prepared.hasTags()) {
            if (!matches || matches->isEmpty() || !t.mayHoldProjectTags) {
                into += t.raw;
                return true;
            }
            std::optional<std::optional<QString>> &cached = t.byMatchList[size_t(matchList)];
            if (!cached) {
                std::optional<QString> applied = m_projects.applyProjects(t.raw, *matches, m_tags.maxTextSize());
                if (applied && (applied->size() > m_limit || m_tags.prepare(*applied).hasTags()))
                    applied.reset();
                cached.emplace(std::move(applied));
            }
            if (!*cached)
                return false;
            into += **cached;
            return true;
        }
        if (!t.fillable)
            return false;
        qsizetype peak = t.raw.size();
        for (const TagTemplate::Piece &piece : t.tmpl.pieces) {
            if (piece.row == 0)
                continue;
            const QStringView v = values.value(piece.row);
            if (holdsDollar(v))
                return false;
            peak += qMax<qsizetype>(0, v.size() - piece.tagChars);
        }
        if (peak > m_limit)
            return false;
        if (t.tmpl.hasDates)
            m_tags.refreshDates();
        for (const TagTemplate::Piece &piece : t.tmpl.pieces)
            into += piece.row == 0 ? QStringView(piece.literal) : values.value(piece.row);
        return true;
    }

    // False when no "." is followed by the letters "dxf" in any case (then the name holds no ".dxf").
    static bool mayHoldDxf(QStringView name)
    {
        auto is = [](QChar c, char16_t lower) {
            return c.unicode() < 0x80 ? (c.unicode() | 0x20) == lower : c.toCaseFolded().unicode() == lower;
        };
        for (qsizetype i = 0; i + 3 < name.size(); ++i) {
            if (name.at(i) == QLatin1Char('.') && is(name.at(i + 1), u'd') && is(name.at(i + 2), u'x') &&
                is(name.at(i + 3), u'f'))
                return true;
        }
        return false;
    }

    bool slowMake(const QString &path, const QList<int> *matches, qint64 counter, qsizetype place, QString &into)
    {
        QString target;
        if (!make(path, matches, counter, place, target, m_name))
            return false;
        into += target;
        return true;
    }

    // SubstituteTAGS, then SpSubstituteProjectTAGS (the project tags, then the tags with file number 0 unless
    // reading the projects ended at a missing file).
    bool nameText(const PreparedTagText &text, const QString &path, const QList<int> *matches, qint64 counter,
                  qsizetype place, QString &out) const
    {
        QString s;
        if (!m_tags.substituteInto(s, text, counter, path, place))
            return false;
        if (matches && !matches->isEmpty() && ProjectTagSet::mayHoldProjectTags(s)) {
            std::optional<QString> p = m_projects.applyProjects(s, *matches, m_tags.maxTextSize());
            if (!p)
                return false;
            s = std::move(*p);
        }
        if (m_projects.endedAtMissingFile()) {
            out = std::move(s);
            return true;
        }
        std::optional<QString> t = m_tags.trySubstituteTAGS(s, counter, path, 0);
        if (!t)
            return false;
        out = std::move(*t);
        return true;
    }

    const BatchScriptInput &m_in;
    const TagContext &m_tags;
    const ProjectTagSet &m_projects;
    qsizetype m_limit;
    NameText m_prefix, m_suffix, m_folder;
    const int m_titleRow = int(TagContext::tagNames().indexOf(QStringLiteral("$FILENAME$"))) + 1;
    QString m_name;

public:
    // The name of the target makeWith made last.
    const QString &lastName() const { return m_name; }
};

} // namespace tess
