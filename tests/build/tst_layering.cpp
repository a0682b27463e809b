// The layering of src/: a file compiled into the core library includes no QtGui or QtWidgets header
// and no file of the gui library (directly or through a header it includes), and a folder of src/
// includes only the folders its row of the allowed-include table names. Each fault is named by the
// file, line and include.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

using HeaderModules = QHash<QString, QString>;  // header file name -> "QtGui" or "QtWidgets"
using SourceFiles = QMap<QString, QString>;     // path under src/ -> contents
using FolderTable = QMap<QString, QStringList>; // folder of src/ -> the folders it may include

// Which folder of src/ may include which. The shared folders sit at the bottom (core, then the
// widget toolkit); a feature folder includes them and the few features it builds on; only app,
// which installs every feature, includes the main window. A new folder needs a row here.
FolderTable allowedIncludes()
{
    return {
        {"core", {}},
        {"widgets", {"core"}},
        {"preview", {"core", "widgets"}},
        {"batch", {"core", "widgets"}},
        {"tags", {"batch", "core", "widgets"}},
        {"scripts", {"core", "tags", "widgets"}},
        {"options", {"core", "widgets"}},
        {"help", {"core", "scripts", "widgets"}},
        {"utilities", {"core", "preview", "scripts", "widgets"}},
        {"wizards", {"batch", "core", "scripts", "tags", "widgets"}},
        {"mainwin", {"batch", "core", "preview", "widgets"}},
        {"app",
         {"batch", "core", "help", "mainwin", "options", "preview", "scripts", "tags", "utilities", "widgets",
          "wizards"}},
    };
}

// Every header the installed QtGui and QtWidgets ship (class headers such as QColor and QWidget,
// module headers, the lower-case qcolor.h ...), read from Qt's own include folders.
HeaderModules installedGuiHeaders()
{
    HeaderModules modules;
    const QString headers = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    const QString libraries = QLibraryInfo::path(QLibraryInfo::LibrariesPath);
    // QtGui last: the few headers both modules ship (qaction.h ...) count as QtGui's.
    for (const QString &module : {QStringLiteral("QtWidgets"), QStringLiteral("QtGui")}) {
        QDir dir(headers + QLatin1Char('/') + module);
        if (!dir.exists()) // a framework build keeps them inside the framework
            dir.setPath(libraries + QLatin1Char('/') + module + QStringLiteral(".framework/Headers"));
        for (const QString &name : dir.entryList(QDir::Files))
            modules.insert(name, module);
    }
    return modules;
}

struct Include {
    int line = 0;
    QString written; // as in the source, with its <> or ""
    QString target;  // the project file it names; empty for any other header
};

class LayeringCheck
{
public:
    LayeringCheck(const QString &srcDir, const QStringList &coreFiles, const QStringList &guiFiles,
                  const HeaderModules &guiHeaders)
        : m_src(QDir::cleanPath(srcDir)), m_guiHeaders(guiHeaders)
    {
        for (const QString &f : coreFiles)
            m_core << QDir::cleanPath(f);
        for (const QString &f : guiFiles)
            m_gui.insert(QDir::cleanPath(f));
    }

    // Every include of a QtGui/QtWidgets header or of a gui-library file made by a core file or by
    // a project header that a core file includes (headers listed in no library count as core).
    QStringList guiIncludesInCore() const
    {
        QStringList problems;
        QStringList pending = m_core;
        QSet<QString> seen;
        const QSet<QString> core(m_core.cbegin(), m_core.cend());
        while (!pending.isEmpty()) {
            const QString file = pending.takeFirst();
            if (seen.contains(file) || !isUnderSrc(file))
                continue;
            seen.insert(file);
            for (const Include &inc : includesOf(file)) {
                if (inc.target.isEmpty()) {
                    const QString module = guiModuleOf(inc.written.mid(1, inc.written.size() - 2));
                    if (!module.isEmpty())
                        problems
                            << QStringLiteral("%1 includes %2, a %3 header").arg(where(file, inc), inc.written, module);
                } else if (m_gui.contains(inc.target) && !core.contains(inc.target)) {
                    problems << QStringLiteral("%1 includes %2, a file of the gui library")
                                    .arg(where(file, inc), inc.written);
                } else {
                    pending << inc.target;
                }
            }
        }
        return problems;
    }

    // Every include that crosses from one folder of src/ into another the table does not allow it
    // to include, and every folder the table has no row for.
    QStringList includesOutsideTable(const FolderTable &allowed) const
    {
        QDirIterator it(m_src, {QStringLiteral("*.h"), QStringLiteral("*.hpp"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext())
            files << QDir::cleanPath(it.next());
        files.sort();
        QStringList problems;
        QSet<QString> unlisted;
        for (const QString &file : files) {
            const QString from = folderOf(file);
            if (from.isEmpty())
                continue;
            if (!allowed.contains(from)) {
                if (!unlisted.contains(from))
                    problems << QStringLiteral("src/%1 has no row in the table of allowed includes").arg(from);
                unlisted.insert(from);
                continue;
            }
            for (const Include &inc : includesOf(file)) {
                const QString to = folderOf(inc.target);
                if (!to.isEmpty() && to != from && !allowed.value(from).contains(to))
                    problems << QStringLiteral("%1 includes %2, but src/%3 may not include src/%4")
                                    .arg(where(file, inc), inc.written, from, to);
            }
        }
        return problems;
    }

private:
    QString guiModuleOf(const QString &name) const
    {
        for (const QString &module : {QStringLiteral("QtGui"), QStringLiteral("QtWidgets")}) {
            if (name == module || name.startsWith(module + QLatin1Char('/')))
                return module;
        }
        return name.contains(QLatin1Char('/')) ? QString() : m_guiHeaders.value(name);
    }

    const QList<Include> &includesOf(const QString &file) const
    {
        auto cached = m_includes.constFind(file);
        if (cached != m_includes.cend())
            return *cached;
        static const QRegularExpression directive(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
        QList<Include> found;
        QFile f(file);
        if (f.open(QIODevice::ReadOnly)) {
            const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QRegularExpressionMatch m = directive.match(lines.at(i));
                if (!m.hasMatch())
                    continue;
                const bool quoted = m.captured(1) == QLatin1String("\"");
                const QString name = m.captured(2);
                Include inc;
                inc.line = int(i + 1);
                inc.written =
                    quoted ? QLatin1Char('"') + name + QLatin1Char('"') : QLatin1Char('<') + name + QLatin1Char('>');
                inc.target = resolve(file, name, quoted);
                found << inc;
            }
        }
        return *m_includes.insert(file, found);
    }

    // The project file an include names: beside the including file (quoted form), else under src/.
    QString resolve(const QString &from, const QString &name, bool quoted) const
    {
        QStringList candidates;
        if (quoted)
            candidates << QFileInfo(from).absolutePath() + QLatin1Char('/') + name;
        candidates << m_src + QLatin1Char('/') + name;
        for (const QString &candidate : candidates) {
            const QString path = QDir::cleanPath(candidate);
            if (isUnderSrc(path) && QFileInfo(path).isFile())
                return path;
        }
        return {};
    }

    bool isUnderSrc(const QString &path) const { return path.startsWith(m_src + QLatin1Char('/')); }

    // The first folder under src/ that holds the file; empty for a file outside any folder.
    QString folderOf(const QString &path) const
    {
        if (!isUnderSrc(path))
            return {};
        const QStringList parts = path.mid(m_src.size() + 1).split(QLatin1Char('/'));
        return parts.size() > 1 ? parts.first() : QString();
    }

    QString where(const QString &file, const Include &inc) const
    {
        return QStringLiteral("src/%1:%2").arg(file.mid(m_src.size() + 1)).arg(inc.line);
    }

    QString m_src;
    QStringList m_core;
    QSet<QString> m_gui;
    HeaderModules m_guiHeaders;
    mutable QHash<QString, QList<Include>> m_includes;
};

} // namespace

class TestLayering : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void coreIncludesNoGuiHeader();
    void foldersIncludeOnlyWhatTheTableAllows();
    void faultsAreNamed_data();
    void faultsAreNamed();

private:
    LayeringCheck projectCheck() const;

    HeaderModules m_guiHeaders;
};

void TestLayering::initTestCase()
{
    m_guiHeaders = installedGuiHeaders();
    for (const char *name : {"QGuiApplication", "QColor", "QPixmap", "qfont.h", "QWidget", "QApplication"})
        QVERIFY2(m_guiHeaders.contains(QLatin1String(name)),
                 qPrintable(QStringLiteral("no %1 among the installed Qt headers under %2")
                                .arg(QLatin1String(name), QLibraryInfo::path(QLibraryInfo::HeadersPath))));
    QVERIFY(!m_guiHeaders.contains(QStringLiteral("QString")));
}

// The sources of each library as CMake lists them, one "<library> <path>" a line.
LayeringCheck TestLayering::projectCheck() const
{
    QFile list(QStringLiteral(TESSALINE_LIBRARY_SOURCES));
    if (!list.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", TESSALINE_LIBRARY_SOURCES);
    const QDir project(QStringLiteral(TESSALINE_SOURCE_DIR "/.."));
    QStringList core, gui;
    for (const QString &line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString path = project.absoluteFilePath(line.mid(space + 1).trimmed());
        (line.startsWith(QLatin1String("core ")) ? core : gui) << path;
    }
    if (core.isEmpty() || gui.isEmpty())
        qFatal("%s lists no core or no gui source", TESSALINE_LIBRARY_SOURCES);
    return LayeringCheck(QStringLiteral(TESSALINE_SOURCE_DIR), core, gui, m_guiHeaders);
}

void TestLayering::coreIncludesNoGuiHeader()
{
    const QStringList problems = projectCheck().guiIncludesInCore();
    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("\n") + problems.join(QLatin1Char('\n'))));
}

void TestLayering::foldersIncludeOnlyWhatTheTableAllows()
{
    const QStringList problems = projectCheck().includesOutsideTable(allowedIncludes());
    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("\n") + problems.join(QLatin1Char('\n'))));
}

// Small source trees with one fault each (or none), and the messages that name it.
void TestLayering::faultsAreNamed_data()
{
    QTest::addColumn<SourceFiles>("files");
    QTest::addColumn<QStringList>("core");
    QTest::addColumn<QStringList>("gui");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("QtGui class header in core; widgets in gui are fine")
        << SourceFiles{{"core/a.cpp", "#include \"a.h\"\n#include <QString>\n  #  include <QColor>\n"},
                       {"core/a.h", "#pragma once\n#include <QtCore/QObject>\n"},
                       {"ui/w.cpp", "#include <QWidget>\n#include \"core/a.h\"\n"}}
        << QStringList{"core/a.cpp", "core/a.h"} << QStringList{"ui/w.cpp"}
        << QStringList{"src/core/a.cpp:3 includes <QColor>, a QtGui header"};
    QTest::newRow("module path of QtWidgets in a core header")
        << SourceFiles{{"core/a.h", "#pragma once\n#include <QtWidgets/QWidget>\n#include <QtGui>\n"}}
        << QStringList{"core/a.h"} << QStringList{}
        << QStringList{"src/core/a.h:2 includes <QtWidgets/QWidget>, a QtWidgets header",
                       "src/core/a.h:3 includes <QtGui>, a QtGui header"};
    QTest::newRow("gui file through a header listed nowhere")
        << SourceFiles{{"core/a.cpp", "#include \"b.h\"\n"},
                       {"core/b.h", "#pragma once\n#include \"frmA.h\"\n"},
                       {"core/frmA.h", "#include <QDialog>\n"}}
        << QStringList{"core/a.cpp"} << QStringList{"core/frmA.h"}
        << QStringList{"src/core/b.h:2 includes \"frmA.h\", a file of the gui library"};
    QTest::newRow("an include the table leaves out; includes within a folder and allowed ones pass")
        << SourceFiles{{"core/a.h", "#pragma once\n"},
                       {"ui/w.cpp", "#include \"ui/w.h\"\n#include \"core/a.h\"\n#include <app/main.h>\n"},
                       {"ui/w.h", "#pragma once\n"},
                       {"app/main.h", "#include \"ui/w.h\"\n"}}
        << QStringList{} << QStringList{}
        << QStringList{"src/ui/w.cpp:3 includes <app/main.h>, but src/ui may not include src/app"};
    QTest::newRow("a folder with no row is named once")
        << SourceFiles{{"extra/x.cpp", "#include \"core/a.h\"\n"},
                       {"extra/x.h", "#include \"ui/w.h\"\n"},
                       {"core/a.h", "#pragma once\n"},
                       {"ui/w.h", "#pragma once\n"}}
        << QStringList{} << QStringList{} << QStringList{"src/extra has no row in the table of allowed includes"};
}

void TestLayering::faultsAreNamed()
{
    QFETCH(SourceFiles, files);
    QFETCH(QStringList, core);
    QFETCH(QStringList, gui);
    QFETCH(QStringList, expected);

    QTemporaryDir tree;
    QVERIFY(tree.isValid());
    const QString src = tree.path() + QStringLiteral("/src");
    for (auto f = files.cbegin(); f != files.cend(); ++f) {
        const QString path = src + QLatin1Char('/') + f.key();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(f.value().toUtf8());
    }
    auto underSrc = [&](QStringList paths) {
        for (QString &p : paths)
            p = src + QLatin1Char('/') + p;
        return paths;
    };
    const LayeringCheck check(src, underSrc(core), underSrc(gui), m_guiHeaders);
    const FolderTable allowed{{"core", {}}, {"ui", {"core"}}, {"app", {"core", "ui"}}};
    QCOMPARE(check.guiIncludesInCore() + check.includesOutsideTable(allowed), expected);
}

QTEST_GUILESS_MAIN(TestLayering)
#include "tst_layering.moc"
