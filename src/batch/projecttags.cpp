#include "batch/projecttags.h"

#include "batch/tagsubstitution.h"
#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/like.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/textfiles.h"

#include <QDir>
#include <QHash>
#include <QSet>

namespace tess {

namespace {

const QString kIndexName = QStringLiteral("PTAGMAN.DAT");

QString errorText(int number, const QString &description,
                  const QString &procedure = QStringLiteral("SubstituteProjectTAGS"))
{
    return unexpectedErrorText(number, description, procedure, QStringLiteral("Form frmMain"));
}

// File names of a folder, looked up exactly first, then ignoring case.
class FolderNames
{
public:
    explicit FolderNames(const QString &folder)
    {
        const QStringList names =
            QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &n : names) {
            m_exact.insert(n);
            const QString key = n.toCaseFolded();
            if (!m_folded.contains(key))
                m_folded.insert(key, n);
        }
    }
    // The name as it is on disk, or an empty text.
    QString find(const QString &name) const
    {
        if (m_exact.contains(name))
            return name;
        return m_folded.value(name.toCaseFolded());
    }

private:
    QSet<QString> m_exact;
    QHash<QString, QString> m_folded;
};

enum class ReadStatus { Ok, Missing, Unreadable };

ReadStatus readFile(const QString &path, QByteArray &bytes)
{
    const FileResult r = readWholeFile(path, bytes);
    if (r.ok())
        return ReadStatus::Ok;
    return r.error == kFileNotFound || r.error == kPathNotFound ? ReadStatus::Missing : ReadStatus::Unreadable;
}

} // namespace

bool ProjectPathMatches(const QString &filename, const QString &pattern)
{
    return Like(filename, QLatin1Char('*') + pattern + QLatin1Char('*'));
}

QString decodeText(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

ProjectTagFile ProjectTagFile::parse(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    ProjectTagFile p;
    QStringList lines = splitTextLines(decodeText(bytes, encoding));
    if (!lines.isEmpty())
        p.pattern = lines.takeFirst();
    if (lines.size() > ValueCount)
        lines.resize(ValueCount);
    p.values = lines;
    return p;
}

QStringList parseProjectIndex(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringList names;
    for (const QString &line : splitTextLines(decodeText(bytes, encoding))) {
        if (!line.trimmed().isEmpty())
            names.append(line);
    }
    return names;
}

bool isPlainProjectFileName(const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(':')))
        return false;
    const QString t = name.trimmed();
    return t != QLatin1String(".") && t != QLatin1String("..") && !name.contains(QChar(0));
}

QString projectIndexFileName() { return kIndexName; }

bool isValidProjectPattern(const QString &pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) != QLatin1Char('['))
            continue;
        const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
        if (close < 0)
            return false;
        qsizetype b = i + 1;
        if (b < close && pattern.at(b) == QLatin1Char('!'))
            ++b;
        for (qsizetype k = b; k + 2 < close; ++k) {
            if (pattern.at(k + 1) == QLatin1Char('-')) {
                if (pattern.at(k) > pattern.at(k + 2))
                    return false;
                k += 2;
            }
        }
        i = close;
    }
    return true;
}

ProjectTagSet ProjectTagSet::load(const QString &dataFolder, QStringConverter::Encoding encoding)
{
    ProjectTagSet set;
    const QString folder = withTrailingSeparator(dataFolder);
    const FolderNames names(folder);

    const QString indexName = names.find(kIndexName);
    QByteArray bytes;
    const ReadStatus indexStatus = indexName.isEmpty() ? ReadStatus::Missing : readFile(folder + indexName, bytes);
    if (indexStatus == ReadStatus::Missing) {
        set.m_endedAtMissingFile = true; // no index: no active project
        return set;
    }
    if (indexStatus == ReadStatus::Unreadable) {
        set.m_loadError = errorText(75, pathFileAccessErrorText()) + QStringLiteral("\r\n") + folder + indexName;
        return set;
    }

    for (const QString &line : parseProjectIndex(bytes, encoding)) {
        const QString onDisk = isPlainProjectFileName(line) ? names.find(line) : QString();
        QByteArray content;
        const ReadStatus status = onDisk.isEmpty() ? ReadStatus::Missing : readFile(folder + onDisk, content);
        if (status == ReadStatus::Missing) {
            set.m_stoppedAt = line;
            set.m_endedAtMissingFile = true;
            break;
        }
        if (status == ReadStatus::Unreadable) {
            set.m_loadError = errorText(75, pathFileAccessErrorText()) + QStringLiteral("\r\n") + folder + onDisk;
            break;
        }
        ProjectTagFile p = ProjectTagFile::parse(content, encoding);
        p.fileName = line;
        set.m_projects.append(p);
    }
    set.compilePatterns();
    return set;
}

ProjectTagSet::ProjectTagSet(QList<ProjectTagFile> projects) : m_projects(std::move(projects)) { compilePatterns(); }

void ProjectTagSet::compilePatterns()
{
    m_patterns.clear();
    m_patterns.reserve(size_t(m_projects.size()));
    m_validPatterns.clear();
    for (const ProjectTagFile &p : m_projects) {
        m_patterns.emplace_back(QLatin1Char('*') + p.pattern + QLatin1Char('*'));
        m_validPatterns.push_back(isValidProjectPattern(p.pattern));
    }
}

QStringList ProjectTagSet::invalidPatternProjects() const
{
    QStringList names;
    for (int i = 0; i < m_projects.size(); ++i) {
        if (!m_validPatterns[size_t(i)])
            names << m_projects.at(i).fileName;
    }
    return names;
}

ProjectTagSet ProjectTagSet::loadFromDataFolder() { return load(AppEnvironment::dataFolder()); }

QList<int> ProjectTagSet::matchingProjects(const QString &filename) const
{
    QList<int> matches;
    for (int i = 0; i < m_projects.size(); ++i) {
        if (m_validPatterns[size_t(i)] && m_patterns[size_t(i)].matches(filename))
            matches.append(i);
    }
    return matches;
}

void ProjectTagSet::matchingProjectsOfAll(const QStringList &paths, std::vector<int> &listOf,
                                          QList<QList<int>> &lists) const
{
    listOf.assign(size_t(paths.size()), 0);
    lists.clear();
    const qsizetype projectCount = m_projects.size();
    QHash<QList<int>, int> ids;
    auto idOf = [&](const QList<int> &given) {
        // An emptied list keeps its storage; the empty answers are all kept as the one without any.
        const QList<int> found = given.isEmpty() ? QList<int>() : given;
        auto it = ids.constFind(found);
        if (it == ids.constEnd()) {
            it = ids.insert(found, int(lists.size()));
            lists.append(found);
        }
        return *it;
    };
    // Per folder: each project's progress through it, and the answer when no project depends on the
    // rest of the path (-1 otherwise).
    struct Folder {
        std::vector<LikePattern::Progress> progress;
        int list = -1;
    };
    QHash<QStringView, Folder> folders;
    const QString separators = QStringLiteral("\\/");
    QStringView lastFolder;
    const Folder *folder = nullptr;
    QList<int> found;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString &path = paths.at(i);
        const QStringView folderPart = QStringView(path).left(lastSeparatorIndex(path) + 1);
        if (!folder || folderPart != lastFolder) {
            auto it = folders.find(folderPart);
            if (it == folders.end()) {
                Folder f;
                bool settled = true;
                found.clear();
                for (qsizetype j = 0; j < projectCount; ++j) {
                    LikePattern::Progress p;
                    if (!m_validPatterns[size_t(j)]) {
                        p.never = true;
                    } else if (m_patterns[size_t(j)].isContainsTest()) {
                        p = m_patterns[size_t(j)].progressIn(folderPart, separators);
                    } else {
                        // Only a pattern that cannot be resumed: a fresh test for every path.
                        p.found = p.never = false;
                        p.segment = -1;
                    }
                    settled = settled && (p.found || p.never);
                    if (p.found)
                        found.append(int(j));
                    f.progress.push_back(p);
                }
                if (settled)
                    f.list = idOf(found);
                it = folders.insert(folderPart, std::move(f));
            }
            folder = &*it;
            lastFolder = folderPart;
        }
        if (folder->list >= 0) {
            listOf[size_t(i)] = folder->list;
            continue;
        }
        found.clear();
        for (qsizetype j = 0; j < projectCount; ++j) {
            const LikePattern::Progress &p = folder->progress[size_t(j)];
            const bool match = p.segment < 0 ? m_patterns[size_t(j)].matches(path)
                                             : m_patterns[size_t(j)].matchesFrom(p, path, folderPart.size());
            if (match)
                found.append(int(j));
        }
        listOf[size_t(i)] = idOf(found);
    }
}

QString ProjectTagSet::incompleteMatchMessage(const QList<int> &matches) const
{
    for (const int i : matches) {
        const ProjectTagFile &p = m_projects.at(i);
        if (!p.complete())
            return errorText(62, QStringLiteral("Input past end of file")) + QStringLiteral("\r\n") + p.fileName;
    }
    return QString();
}

bool ProjectTagSet::mayHoldProjectTags(const QString &text)
{
    return text.contains(QLatin1String("$PROJECTTAG"), Qt::CaseInsensitive);
}

namespace {

// Which of $PROJECTTAG1$ … $PROJECTTAG40$ the text holds (bit n), in any case.
quint64 projectTagsIn(const QString &text)
{
    static const QLatin1String head("$PROJECTTAG");
    quint64 found = 0;
    qsizetype at = 0;
    while ((at = text.indexOf(head, at, Qt::CaseInsensitive)) >= 0) {
        qsizetype i = at + head.size();
        int n = 0;
        int digits = 0;
        while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9') && digits < 3) {
            n = n * 10 + text.at(i).unicode() - '0';
            ++i;
            ++digits;
        }
        if (digits > 0 && i < text.size() && text.at(i) == QLatin1Char('$') && n <= ProjectTagFile::ValueCount &&
            !(digits > 1 && text.at(at + head.size()) == QLatin1Char('0')))
            found |= quint64(1) << n;
        at += 1;
    }
    return found;
}

} // namespace

QString ProjectTagSet::applyProjects(const QString &text, const QList<int> &matches) const
{
    return *applyProjects(text, matches, 0);
}

std::optional<QString> ProjectTagSet::applyProjects(const QString &text, const QList<int> &matches,
                                                    qsizetype maxChars) const
{
    if (maxChars > 0 && text.size() > maxChars)
        return std::nullopt;
    QString out = text;
    // Each value replaces its tag on the result of the value before; a replacement is only needed for a tag
    // the text holds at that moment, so the tags are looked up again after every change.
    quint64 present = projectTagsIn(out);
    for (const int i : matches) {
        if (present == 0)
            break; // no project value can change a text without project tags
        const ProjectTagFile &p = m_projects.at(i);
        for (int n = 1; n <= ProjectTagFile::ValueCount; ++n) {
            if (n > p.values.size())
                return out;
            if (!(present & (quint64(1) << n)))
                continue;
            const QString tag = QStringLiteral("$PROJECTTAG%1$").arg(n);
            const QString &value = p.values.at(n - 1);
            if (maxChars > 0 && value.size() > tag.size()) {
                // The size after the replacement, counted before it is made.
                qsizetype matchCount = 0;
                for (qsizetype at = out.indexOf(tag, 0, Qt::CaseInsensitive); at >= 0;
                     at = out.indexOf(tag, at + tag.size(), Qt::CaseInsensitive))
                    ++matchCount;
                if (out.size() + matchCount * (value.size() - tag.size()) > maxChars)
                    return std::nullopt;
            }
            out.replace(tag, value, Qt::CaseInsensitive);
            present = projectTagsIn(out);
        }
    }
    return out;
}

QString ProjectTagSet::SubstituteProjectTAGS(const QString &textbox, const QString &filename) const
{
    if (!mayHoldProjectTags(textbox))
        return textbox;
    return applyProjects(textbox, matchingProjects(filename));
}

QString ProjectTagSet::SpSubstituteProjectTAGS(const TagContext &tags, const QString &textbox, qint64 CNT,
                                               const QString &filename) const
{
    const QString projected = SubstituteProjectTAGS(textbox, filename);
    if (m_endedAtMissingFile)
        return projected;
    return tags.SubstituteTAGS(projected, CNT, filename, 0);
}

} // namespace tess
