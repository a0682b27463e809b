#pragma once
// Project tags: "$PROJECTTAG1$" … "$PROJECTTAG40$", with their values from the active project files.
//
// The index "PTAGMAN.DAT" in DATA names the active project files (".PRJ"), one a line, in match order.
// A project file holds its path pattern on line 1 and the 40 values on lines 2 to 41. A project applies
// to every drawing whose full path holds the pattern (`ProjectPathMatches`); every matching project is
// applied in index order, so the first matching one supplies the values.
//
// A ProjectTagSet reads the index and the listed files once, for a whole composition. Reading stops at
// the first listed file that is missing (the files after it are not read), and at a line naming anything
// outside DATA (a path separator, a drive or "." / ".."), which counts as missing. A missing file (or no
// index at all) also ends the SAVEAS name's project step without its second tag pass.

#include "core/like.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <optional>
#include <vector>

namespace tess {

class TagContext;

// True when filename is Like "*" & pattern & "*", ignoring case.
bool ProjectPathMatches(const QString &filename, const QString &pattern);

// The text of a file's bytes in the given encoding (a leading byte-order mark is dropped).
QString decodeText(QByteArrayView bytes, QStringConverter::Encoding encoding);

struct ProjectTagFile {
    static constexpr int ValueCount = 40;
    QString fileName;   // as named in the index, such as "P100.PRJ"
    QString pattern;    // line 1
    QStringList values; // lines 2 to 41 (fewer when the file is short)
    bool complete() const { return values.size() >= ValueCount; }

    // Reads a project file's content (any bytes).
    static ProjectTagFile parse(QByteArrayView bytes, QStringConverter::Encoding encoding = QStringConverter::System);
};

// The names listed in an index file's content, in order; blank lines are skipped.
QStringList parseProjectIndex(QByteArrayView bytes, QStringConverter::Encoding encoding = QStringConverter::System);
// True when an index line names a file inside DATA (no separator, no drive, not "." or "..").
bool isPlainProjectFileName(const QString &name);
// "PTAGMAN.DAT": the index of the active projects in DATA.
QString projectIndexFileName();
// False for a path pattern that the wildcard rules cannot read: a "[" without its "]", or a range
// that runs backwards ("[z-a]"). Such a project matches no drawing.
bool isValidProjectPattern(const QString &pattern);

class ProjectTagSet
{
public:
    ProjectTagSet() = default;
    explicit ProjectTagSet(QList<ProjectTagFile> projects);

    // Reads dataFolder/PTAGMAN.DAT and the files it lists (names looked up ignoring case). No index: no
    // projects. A listed file that exists but cannot be read makes loadError() non-empty.
    static ProjectTagSet load(const QString &dataFolder,
                              QStringConverter::Encoding encoding = QStringConverter::System);
    // The same from the program's DATA folder.
    static ProjectTagSet loadFromDataFolder();

    const QList<ProjectTagFile> &projects() const { return m_projects; }
    // The index line where reading stopped (a missing or outside file); empty when every line was read.
    const QString &stoppedAt() const { return m_stoppedAt; }
    const QString &loadError() const { return m_loadError; }
    // True when reading ended at a file that is not there: no index, or a listed file (stoppedAt()). The
    // project step then ends without its own tag pass (SpSubstituteProjectTAGS).
    bool endedAtMissingFile() const { return m_endedAtMissingFile; }

    // Indices into projects() of the projects whose pattern the path matches, in index order. A
    // project whose pattern is not valid (isValidProjectPattern) matches nothing.
    QList<int> matchingProjects(const QString &filename) const;
    // matchingProjects for every path of a list: lists holds each distinct answer once, in the order of
    // first appearance, and listOf[i] the answer for paths[i]. The part of the work that only depends on
    // a path's folder is done once per folder.
    void matchingProjectsOfAll(const QStringList &paths, std::vector<int> &listOf, QList<QList<int>> &lists) const;
    // The file names of the loaded projects whose pattern is not valid, in index order (for one
    // warning per composition).
    QStringList invalidPatternProjects() const;
    // The message for a matching project that lacks some of its 41 lines (empty when all are complete);
    // such a project cannot substitute and the composition must stop before writing. The message names
    // SubstituteProjectTAGS, the user script's step, which every drawing passes before its SAVEAS name.
    QString incompleteMatchMessage(const QList<int> &matches) const;

    // Applies the values of the given projects, in order, to the text: for each project, $PROJECTTAG1$ …
    // $PROJECTTAG40$ one after the other, every occurrence ignoring case. A short project ends the
    // substitution at its end.
    QString applyProjects(const QString &text, const QList<int> &matches) const;
    // The same, bounded like the tag substitution: nullopt when the text would grow past maxChars at any
    // step (values may hold the tags of later values, so a text can double at every step).
    std::optional<QString> applyProjects(const QString &text, const QList<int> &matches, qsizetype maxChars) const;

    // The project tags of the text replaced for the drawing.
    QString SubstituteProjectTAGS(const QString &textbox, const QString &filename) const;
    // The project tags replaced, then every other tag (with file number 0, counter CNT) unless reading ended
    // at a missing file: the text then comes back after the project tags (its other tags were replaced before).
    QString SpSubstituteProjectTAGS(const TagContext &tags, const QString &textbox, qint64 CNT,
                                    const QString &filename) const;

    // True when the text holds "$PROJECTTAG" in any case (texts without it are never changed).
    static bool mayHoldProjectTags(const QString &text);

private:
    void compilePatterns();

    QList<ProjectTagFile> m_projects;
    std::vector<LikePattern> m_patterns; // "*" & pattern & "*" of each project
    std::vector<bool> m_validPatterns;
    QString m_stoppedAt;
    QString m_loadError;
    bool m_endedAtMissingFile = false;
};

} // namespace tess
