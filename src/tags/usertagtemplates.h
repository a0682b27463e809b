#pragma once
// User-tag templates: DATA\<name>.TAG, the fifty values of $TAG1$ to $TAG50$, one a line, each
// line ended by CR LF. The template's name is the file name without ".TAG"; names that differ only
// in letter case name the same file. A read-only file is a protected template.

#include "core/fileio.h"
#include "tags/usertagform.h"

#include <QString>
#include <QStringList>
#include <array>

namespace tess {

// ".TAG"
QString templateExtension();

// The names of the templates in the folder itself (sub-folders are not searched), upper-cased,
// without ".TAG", each once, in ascending order ignoring case. Names that could not name a file
// in DATA are left out.
QStringList templateNames(const QString &dataFolder);

struct TemplateRead {
    enum Status { Found, NotFound, Failed };
    Status status = NotFound;
    QStringList lines; // the first 50 lines (fewer when the file is shorter); no line breaks
};

// Reads the template file (its name with ".TAG") from the folder, its letter case ignored. A name
// that could not name a file in DATA counts as not found.
TemplateRead readTemplate(const QString &dataFolder, const QString &fileName);

// The bytes of a template file: the fifty values, each followed by CR LF (line breaks in a value
// are dropped, so every file has exactly fifty lines).
QByteArray templateFileBytes(const std::array<QString, kUserTagCount> &tags);

// Writes the template (file name with ".TAG") whole; an existing file of that name in another
// letter case is the one replaced. A read-only file is never replaced.
FileResult writeTemplate(const QString &dataFolder, const QString &fileName,
                         const std::array<QString, kUserTagCount> &tags);

enum class TemplateFileState { Missing, ReadOnly, Writable };
// The state of the template of that name (without extension).
TemplateFileState templateFileState(const QString &dataFolder, const QString &name);

// Deletes the template of that name (without extension); 53 when there is no such file.
FileResult deleteTemplate(const QString &dataFolder, const QString &name);
// Sets or clears the read-only state of the template of that name (without extension).
FileResult setTemplateReadOnly(const QString &dataFolder, const QString &name, bool readOnly);

} // namespace tess
