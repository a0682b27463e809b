#include "core/appenvironment.h"
#include "core/pathhelpers.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

// The value of a column of the current row.
#define FETCHED(type, name) (*static_cast<type *>(QTest::qData(#name, ::qMetaTypeId<type>())))

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tess;

namespace {

bool runningAsRoot()
{
#ifdef Q_OS_WIN
    return false;
#else
    return geteuid() == 0;
#endif
}

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes);
}

// A hidden file or folder: a dot name, which Windows needs marked as well.
void markHidden(const QString &path)
{
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    QVERIFY(SetFileAttributesW(native.c_str(), GetFileAttributesW(native.c_str()) | FILE_ATTRIBUTE_HIDDEN));
#else
    QVERIFY(QFileInfo(path).fileName().startsWith(QLatin1Char('.')));
#endif
}

} // namespace

class TestPathHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void primitives_data();
    void primitives();
    void nameParts_data();
    void nameParts();
    void parentFolderOf_data();
    void parentFolderOf();
    void folderFromRoot_data();
    void folderFromRoot();
    void folderFromDrive_data();
    void folderFromDrive();
    void shellPathStrings_data();
    void shellPathStrings();

    void existenceTests();
    void pathExistsIgnoresCaseAndHidesHidden();
    void pathExistsReportsABadLookup();
    void pathExistenceAnswersAsPathExists();
    void fileAccessStatus();
    void fileAccessStatusOfUnreadableFile();
    void makeFolderPath();
    void makeFolderPathFailsWhereAFileStands();
    void makeFolderPathOnUncAndHiddenFolders();
    void makeFolderPathWithoutPermission();
    void listFilesMatching();

    void isOddNumber_data();
    void isOddNumber();
    void textBetweenMarkers_data();
    void textBetweenMarkers();
    void userAndComputerNames();
    void versionCodes_data();
    void versionCodes();
    void versionOfThisSystem();
};

// ---- Path primitives ----

void TestPathHelpers::primitives_data()
{
    // "%" in an expected text stands for the platform's separator (a path without one gets it).
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("root");
    QTest::addColumn<bool>("isRoot");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("without");

    QTest::newRow("file") << "C:\\A\\x.dwg" << 3 << false << 4 << "C:\\A\\x.dwg\\"
                          << "C:\\A\\x.dwg";
    QTest::newRow("folder with separator") << "C:\\A\\" << 3 << false << 4 << "C:\\A\\"
                                           << "C:\\A";
    QTest::newRow("drive root") << "C:\\" << 3 << true << 2 << "C:\\"
                                << "C:\\";
    QTest::newRow("drive root, slash") << "C:/" << 3 << true << 2 << "C:/"
                                       << "C:/";
    QTest::newRow("drive alone") << "C:" << 2 << true << -1 << "C:%"
                                 << "C:";
    QTest::newRow("drive-relative") << "C:x" << 2 << false << -1 << "C:x%"
                                    << "C:x";
    QTest::newRow("drive-relative folder") << "C:x\\" << 2 << false << 3 << "C:x\\"
                                           << "C:x";
    QTest::newRow("not a drive") << "1:x" << 0 << false << -1 << "1:x%"
                                 << "1:x";
    QTest::newRow("doubled separators") << "C:\\A\\\\" << 3 << false << 5 << "C:\\A\\\\"
                                        << "C:\\A";
    QTest::newRow("mixed: the last one is kept") << "C:\\A/B" << 3 << false << 4 << "C:\\A/B/"
                                                 << "C:\\A/B";
    QTest::newRow("UNC folder") << "\\\\srv\\share\\A\\" << 12 << false << 13 << "\\\\srv\\share\\A\\"
                                << "\\\\srv\\share\\A";
    QTest::newRow("UNC root") << "\\\\srv\\share\\" << 12 << true << 11 << "\\\\srv\\share\\"
                              << "\\\\srv\\share\\";
    QTest::newRow("UNC root without separator") << "\\\\srv\\share" << 11 << true << 5 << "\\\\srv\\share\\"
                                                << "\\\\srv\\share";
    QTest::newRow("UNC server only") << "\\\\srv" << 5 << false << 1 << "\\\\srv\\"
                                     << "\\\\srv";
    QTest::newRow("backslash root") << "\\" << 1 << true << 0 << "\\"
                                    << "\\";
    QTest::newRow("POSIX root") << "/" << 1 << true << 0 << "/"
                                << "/";
    QTest::newRow("POSIX folder") << "/home/u//" << 1 << false << 8 << "/home/u//"
                                  << "/home/u";
    QTest::newRow("POSIX network root") << "//srv/share" << 11 << true << 5 << "//srv/share/"
                                        << "//srv/share";
    QTest::newRow("relative") << "a/b" << 0 << false << 1 << "a/b/"
                              << "a/b";
    QTest::newRow("bare name") << "x.dwg" << 0 << false << -1 << "x.dwg%"
                               << "x.dwg";
    QTest::newRow("empty") << "" << 0 << false << -1 << ""
                           << "";
}

void TestPathHelpers::primitives()
{
    QFETCH(QString, path);
    const QString sep(AppEnvironment::separator());
    QCOMPARE(pathRootLength(path), qsizetype(FETCHED(int, root)));
    QCOMPARE(isPathRoot(path), FETCHED(bool, isRoot));
    QCOMPARE(lastSeparatorIndex(path), qsizetype(FETCHED(int, last)));
    const QString with = FETCHED(QString, with).replace(QLatin1Char('%'), sep);
    QCOMPARE(withTrailingSeparator(path), with);
    QCOMPARE(withoutTrailingSeparator(path), FETCHED(QString, without));
    QCOMPARE(joinPath(path, QStringLiteral("n")), path.isEmpty() ? QStringLiteral("n") : with + QLatin1Char('n'));
    if (!path.isEmpty() && lastSeparatorIndex(path) < 0)
        QCOMPARE(withTrailingSeparator(path, QLatin1Char('/')), path + QLatin1Char('/'));
}

// ---- Path strings ----

void TestPathHelpers::nameParts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");

    QTest::newRow("P") << "C:\\A\\B\\C\\x.dwg"
                       << "C:"
                       << "C:\\A\\B\\C\\"
                       << "x.dwg"
                       << "x";
    QTest::newRow("bare name") << "x.dwg"
                               << "x."
                               << ""
                               << "x.dwg"
                               << "x";
    QTest::newRow("drive root") << "C:\\"
                                << "C:"
                                << "C:\\"
                                << ""
                                << "";
    QTest::newRow("folder with separator") << "C:\\A\\"
                                           << "C:"
                                           << "C:\\A\\"
                                           << ""
                                           << "";
    QTest::newRow("only an extension") << "C:\\A\\.dwg"
                                       << "C:"
                                       << "C:\\A\\"
                                       << ".dwg"
                                       << "";
    QTest::newRow("name too short") << "C:\\A\\ab"
                                    << "C:"
                                    << "C:\\A\\"
                                    << "ab"
                                    << "";
    QTest::newRow("name of three") << "C:\\A\\abc"
                                   << "C:"
                                   << "C:\\A\\"
                                   << "abc"
                                   << "";
    QTest::newRow("four-letter extension") << "x.jpeg"
                                           << "x."
                                           << ""
                                           << "x.jpeg"
                                           << "x.";
    QTest::newRow("no extension") << "README"
                                  << "RE"
                                  << ""
                                  << "README"
                                  << "RE";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << ""
                           << "";
    QTest::newRow("forward slashes") << "C:/A/x.dwg"
                                     << "C:"
                                     << "C:/A/"
                                     << "x.dwg"
                                     << "x";
    QTest::newRow("drive-relative") << "C:x.dwg"
                                    << "C:"
                                    << ""
                                    << "C:x.dwg"
                                    << "C:x";
    QTest::newRow("UNC") << "\\\\srv\\share\\A\\x.dwg"
                         << "\\\\srv\\share"
                         << "\\\\srv\\share\\A\\"
                         << "x.dwg"
                         << "x";
    QTest::newRow("UNC share only") << "\\\\srv\\share"
                                    << "\\\\srv\\share"
                                    << "\\\\srv\\"
                                    << "share"
                                    << "s";
    QTest::newRow("POSIX") << "/home/u/x.dwg"
                           << ""
                           << "/home/u/"
                           << "x.dwg"
                           << "x";
    QTest::newRow("POSIX root") << "/"
                                << ""
                                << "/"
                                << ""
                                << "";
}

void TestPathHelpers::nameParts()
{
    QFETCH(QString, path);
    QCOMPARE(DriveOf(path), FETCHED(QString, drive));
    QCOMPARE(FolderOf(path), FETCHED(QString, folder));
    QCOMPARE(FileNameOf(path), FETCHED(QString, name));
    QCOMPARE(FileTitleOf(path), FETCHED(QString, title));
}

void TestPathHelpers::parentFolderOf_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");

    const QString p = QStringLiteral("C:\\A\\B\\C\\x.dwg");
    QTest::newRow("P 0") << p << 0 << "C:\\A\\B\\C\\";
    QTest::newRow("P 1") << p << 1 << "C:\\A\\B\\";
    QTest::newRow("P 2") << p << 2 << "C:\\A\\";
    QTest::newRow("P 3") << p << 3 << "C:\\";
    QTest::newRow("P 4") << p << 4 << "C:\\";
    QTest::newRow("P 99") << p << 99 << "C:\\";
    QTest::newRow("empty") << "" << 0 << "";
    QTest::newRow("bare name") << "x.dwg" << 0 << "x.d";
    QTest::newRow("forward slashes 99") << "C:/A/B/x.dwg" << 99 << "C:/";
    QTest::newRow("drive-relative 0") << "C:x\\y.dwg" << 0 << "C:x\\";
    QTest::newRow("drive-relative 99") << "C:x\\y.dwg" << 99 << "C:x";
    const QString unc = QStringLiteral("\\\\srv\\share\\A\\B\\x.dwg");
    QTest::newRow("UNC 0") << unc << 0 << "\\\\srv\\share\\A\\B\\";
    QTest::newRow("UNC 2") << unc << 2 << "\\\\srv\\share\\";
    QTest::newRow("UNC 3 stops at the share") << unc << 3 << "\\\\srv\\share\\";
    QTest::newRow("UNC 99") << unc << 99 << "\\\\srv\\share\\";
    QTest::newRow("POSIX 0") << "/home/u/x.dwg" << 0 << "/home/u/";
    QTest::newRow("POSIX 1") << "/home/u/x.dwg" << 1 << "/home/";
    QTest::newRow("POSIX 2") << "/home/u/x.dwg" << 2 << "/";
    QTest::newRow("POSIX 99") << "/home/u/x.dwg" << 99 << "/";
}

void TestPathHelpers::parentFolderOf()
{
    QFETCH(QString, path);
    QFETCH(int, n);
    QCOMPARE(ParentFolderOf(path, n), FETCHED(QString, expected));
}

void TestPathHelpers::folderFromRoot_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");

    const QString p = QStringLiteral("C:\\A\\B\\C\\x.dwg");
    QTest::newRow("P 0") << p << 0 << "C:\\";
    QTest::newRow("P 1") << p << 1 << "C:\\A\\";
    QTest::newRow("P 2") << p << 2 << "C:\\A\\B\\";
    QTest::newRow("P 3") << p << 3 << "C:\\A\\B\\C\\";
    QTest::newRow("P 4") << p << 4 << p;
    QTest::newRow("P 9") << p << 9 << p;
    QTest::newRow("drive-relative 0") << "C:x\\y\\z.dwg" << 0 << "C:x\\";
    const QString unc = QStringLiteral("\\\\srv\\share\\A\\x.dwg");
    QTest::newRow("UNC 0 is the share") << unc << 0 << "\\\\srv\\share\\";
    QTest::newRow("UNC 1") << unc << 1 << "\\\\srv\\share\\A\\";
    QTest::newRow("UNC 2") << unc << 2 << unc;
    QTest::newRow("POSIX 0") << "/home/u/x.dwg" << 0 << "/";
    QTest::newRow("POSIX 1") << "/home/u/x.dwg" << 1 << "/home/";
    QTest::newRow("POSIX 5") << "/home/u/x.dwg" << 5 << "/home/u/x.dwg";
}

void TestPathHelpers::folderFromRoot()
{
    QFETCH(QString, path);
    QFETCH(int, n);
    QCOMPARE(FolderFromRoot(path, n), FETCHED(QString, expected));
}

void TestPathHelpers::folderFromDrive_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");

    QTest::newRow("P") << "C:\\A\\B\\C\\x.dwg" << true << "C:\\A\\B\\C\\";
    QTest::newRow("save-as line") << "_.SAVEAS  \"D:\\OUT\\SUB\\x.dwg\"" << true << "D:\\OUT\\SUB\\";
    QTest::newRow("earlier colon") << "x:y \"D:\\OUT\\x.dwg\"" << true << "x:y \"D:\\OUT\\";
    QTest::newRow("forward slashes") << "\"D:/OUT/x.dwg\"" << true << "D:/OUT/";
    QTest::newRow("no colon") << "\\OUT\\x.dwg" << false << "";
    QTest::newRow("colon first") << ":\\OUT\\x.dwg" << false << "";
    QTest::newRow("colon after the last separator") << "A\\x:y" << false << "";
    QTest::newRow("no separator") << "D:x.dwg" << false << "";
}

void TestPathHelpers::folderFromDrive()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    const std::optional<QString> r = FolderFromDrive(text);
    QCOMPARE(r.has_value(), ok);
    if (ok)
        QCOMPARE(*r, FETCHED(QString, expected));
}

void TestPathHelpers::shellPathStrings_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("extension");

    QTest::newRow("file") << "C:\\A\\x.dwg"
                          << "x.dwg"
                          << "C:\\A"
                          << ".dwg";
    QTest::newRow("in the root") << "C:\\x.dwg"
                                 << "x.dwg"
                                 << "C:\\"
                                 << ".dwg";
    QTest::newRow("trailing separator") << "C:\\A\\"
                                        << "A\\"
                                        << "C:\\A"
                                        << "";
    QTest::newRow("root") << "C:\\"
                          << "C:\\"
                          << "C:\\"
                          << "";
    QTest::newRow("dotted folder") << "C:\\A.b\\x"
                                   << "x"
                                   << "C:\\A.b"
                                   << "";
    QTest::newRow("UNC") << "\\\\srv\\share\\x.dwg"
                         << "x.dwg"
                         << "\\\\srv\\share\\"
                         << ".dwg";
    QTest::newRow("relative") << "x.dwg"
                              << "x.dwg"
                              << ""
                              << ".dwg";
    QTest::newRow("drive-relative") << "C:x.dwg"
                                    << "x.dwg"
                                    << "C:"
                                    << ".dwg";
    QTest::newRow("drive-relative folder") << "C:x\\y.dwg"
                                           << "y.dwg"
                                           << "C:x"
                                           << ".dwg";
    QTest::newRow("POSIX") << "/home/x.tar.gz"
                           << "x.tar.gz"
                           << "/home"
                           << ".gz";
    QTest::newRow("POSIX root file") << "/x"
                                     << "x"
                                     << "/"
                                     << "";
}

void TestPathHelpers::shellPathStrings()
{
    QFETCH(QString, path);
    const QString copy = path;
    QCOMPARE(ShlFileName(path), FETCHED(QString, name));
    QCOMPARE(ShlRemoveFileSpec(path), FETCHED(QString, removed));
    QCOMPARE(ShlExtension(path), FETCHED(QString, extension));
    QCOMPARE(path, copy);
}

// ---- Disk ----

void TestPathHelpers::existenceTests()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString d = dir.path() + QLatin1Char('/');
    touch(d + "x.dwg");
    touch(d + ".hidden.dwg");
    markHidden(d + ".hidden.dwg");
    QVERIFY(QDir(d).mkdir("sub"));
    QVERIFY(QDir(d).mkdir(".hsub"));
    markHidden(d + ".hsub");

    QCOMPARE(ShlFileExists(d + "x.dwg"), 1);
    QCOMPARE(ShlFileExists(d + ".hidden.dwg"), 1);
    QCOMPARE(ShlFileExists(d + "sub"), 1);
    QCOMPARE(ShlFileExists(d + "missing"), 0);
    QCOMPARE(ShlFileExists(QString()), 0);
    QCOMPARE(ShlIsDirectory(d + "sub"), 16);
    QCOMPARE(ShlIsDirectory(d + "x.dwg"), 0);
    QCOMPARE(ShlIsDirectory(d + "missing"), 0);

    QVERIFY(FileOrFolderExists(d + "x.dwg"));
    QVERIFY(FileOrFolderExists(d + "*.dwg"));
    QVERIFY(!FileOrFolderExists(d + ".hidden.dwg")); // the ordinary lookup skips hidden files
    QVERIFY(!FileOrFolderExists(d + "sub"));
    QVERIFY(!FileOrFolderExists(d + "missing"));
    QVERIFY(!FileOrFolderExists(QString(), true));
    // The drop target's use: a path with a separator appended and the folder flag.
    QVERIFY(FileOrFolderExists(d + "sub/", true));
    QVERIFY(FileOrFolderExists(d + ".hsub/", true));
    QVERIFY(!FileOrFolderExists(d + "x.dwg/", true));
    QVERIFY(!FileOrFolderExists(d + "missing/", true));
    QVERIFY(FileOrFolderExists(d + "x.dwg", true)); // a matching file counts with the folder flag too
    QVERIFY(!FileOrFolderExists(d + "x*/x.dwg"));   // a failing lookup is silent
}

void TestPathHelpers::pathExistsIgnoresCaseAndHidesHidden()
{
    test::ScriptedPrompter prompter; // any box fails the test
    QTemporaryDir dir;
    const QString d = dir.path() + QLatin1Char('/');
    QVERIFY(QDir(d).mkdir("DATA"));
    touch(d + "DATA/X.DWG");
    touch(d + "DATA/.tester-list.tmp");
    markHidden(d + "DATA/.tester-list.tmp");

    QCOMPARE(Path_Exists(d + "DATA/X.DWG", "x.dwg"), 1);
    QCOMPARE(Path_Exists(d + "DATA/x.dwg", "x.dwg"), 1); // the lookup itself ignores case
    QCOMPARE(Path_Exists(d + "data/x.dwg", "x.dwg"), 0); // only the name, not the folders
    QCOMPARE(Path_Exists(d + "DATA/X.DWG", "y.dwg"), 0);
    QCOMPARE(Path_Exists(d + "DATA/*.dwg", "X.DWG"), 1);
    QCOMPARE(Path_Exists(d + "DATA/missing.dwg", "missing.dwg"), 0);
    QCOMPARE(Path_Exists(d + "NOFOLDER/missing.dwg", "missing.dwg"), 0);
    QCOMPARE(Path_Exists(d + "DATA/.tester-list.tmp", ".tester-list.tmp"), 0);
    QCOMPARE(Path_Exists(d + "DATA", "DATA"), 0);
    QVERIFY(prompter.shown().isEmpty());
}

void TestPathHelpers::pathExistsReportsABadLookup()
{
    test::ScriptedPrompter prompter;
    prompter.expectMessage(vbOK);
    QTemporaryDir dir;
    QCOMPARE(Path_Exists(dir.path() + "/D*/x.dwg", "x.dwg"), 0);
    QCOMPARE(prompter.shown().size(), 1);
    QCOMPARE(prompter.last().text,
             QStringLiteral("Error 52 (Filename Error) x.dwg in procedure Path_Exists of Module Module1"));
    QCOMPARE(prompter.last().style, int(vbOKOnly));
    QCOMPARE(prompter.last().title, appTitle());

    // The same lookup through the cache names it the same way.
    prompter.expectMessage(vbOK);
    PathExistence cache;
    QCOMPARE(cache.exists(dir.path() + "/D*/x.dwg", "x.dwg"), 0);
    QCOMPARE(prompter.shown().size(), 2);
    QCOMPARE(prompter.last().text, prompter.shown().first().text);
}

void TestPathHelpers::pathExistenceAnswersAsPathExists()
{
    test::ScriptedPrompter prompter; // any box fails the test
    QTemporaryDir dir;
    const QString d = dir.path() + QLatin1Char('/');
    QVERIFY(QDir(d).mkpath("DATA/Sub.dwg"));
    QVERIFY(QDir(d).mkpath("EMPTY"));
    for (const char *name : {"X.DWG", "a.dwg", "A.DWG", "\u212a.dwg", "stra\u00dfe.dwg", ".tester-list.tmp"})
        touch(d + "DATA/" + QString::fromUtf8(name));
    markHidden(d + "DATA/.tester-list.tmp");

    // Every query twice, through one cache, so the later ones are answered from the listings.
    const QList<QPair<const char *, const char *>> queries = {
        {"DATA/X.DWG", "x.dwg"},
        {"DATA/x.dwg", "x.dwg"},
        {"DATA/x.dwg", "y.dwg"},
        {"DATA/a.DWG", "A.dwg"},
        {"DATA/k.dwg", "K.DWG"},
        {"DATA/STRASSE.dwg", "strasse.dwg"},
        {"DATA/STRA\u1e9eE.dwg", "STRA\u1e9eE.dwg"},
        {"DATA/sub.dwg", "sub.dwg"},
        {"DATA/.TESTER-LIST.tmp", ".tester-list.tmp"},
        {"DATA/missing.dwg", "missing.dwg"},
        {"data/x.dwg", "x.dwg"},
        {"NOFOLDER/missing.dwg", "missing.dwg"},
        {"EMPTY/x.dwg", "x.dwg"},
        {"DATA/*.dwg", "X.DWG"},
        {"DATA", "DATA"},
    };
    PathExistence cache;
    for (int round = 0; round < 2; ++round) {
        for (const auto &[path, name] : queries) {
            const QString full = d + QString::fromUtf8(path);
            const QString fileName = QString::fromUtf8(name);
            QCOMPARE(cache.exists(full, fileName), Path_Exists(full, fileName));
        }
    }
    QVERIFY(prompter.shown().isEmpty());
}

void TestPathHelpers::fileAccessStatus()
{
    QTemporaryDir dir;
    const QString d = dir.path() + QLatin1Char('/');
    touch(d + "x.dwg");
    touch(d + ".hidden.dwg");
    markHidden(d + ".hidden.dwg");
    QVERIFY(QDir(d).mkdir("sub"));

    QCOMPARE(FileAccessStatus(d + "x.dwg"), 0);
    QCOMPARE(FileAccessStatus(d + ".hidden.dwg"), 0); // hidden drawings exist and are usable
    QCOMPARE(FileAccessStatus(d + "missing.dwg"), -1);
    QCOMPARE(FileAccessStatus(d + "sub"), -1);
    QCOMPARE(FileAccessStatus(QString()), -1);
#ifndef Q_OS_WIN
    // A pipe is no drawing, and opening it must not hang the check.
    QCOMPARE(mkfifo(qPrintable(d + "pipe.dwg"), 0600), 0);
    QCOMPARE(FileAccessStatus(d + "pipe.dwg"), -1);
#endif
}

void TestPathHelpers::fileAccessStatusOfUnreadableFile()
{
#ifdef Q_OS_WIN
    QSKIP("permission bits do not apply");
#else
    if (runningAsRoot())
        QSKIP("root reads every file");
    QTemporaryDir dir;
    const QString f = dir.path() + "/locked.dwg";
    touch(f);
    QVERIFY(QFile::setPermissions(f, QFileDevice::WriteOwner));
    QCOMPARE(FileAccessStatus(f), -1);
#endif
}

void TestPathHelpers::makeFolderPath()
{
    QTemporaryDir dir;
    const QString d = dir.path();
    QVERIFY(MakeFolderPath(d + "/A/B/C"));
    QVERIFY(QFileInfo(d + "/A/B/C").isDir());
    QVERIFY(MakeFolderPath(d + "/A/B/C"));   // again: nothing to do
    QVERIFY(MakeFolderPath(d + "/A/B2/C/")); // a trailing separator names the same levels
    QVERIFY(QFileInfo(d + "/A/B2/C").isDir());
    QVERIFY(!MakeFolderPath(QString()));
    QVERIFY(!MakeFolderPath(d + "/A/B*/C"));
}

void TestPathHelpers::makeFolderPathFailsWhereAFileStands()
{
    QTemporaryDir dir;
    const QString d = dir.path();
    QVERIFY(QDir(d).mkdir("A"));
    touch(d + "/A/B");
    QVERIFY(!MakeFolderPath(d + "/A/B/C"));
    QVERIFY(QFileInfo(d + "/A/B").isFile());
    QVERIFY(!MakeFolderPath(d + "/A/B"));
}

void TestPathHelpers::makeFolderPathOnUncAndHiddenFolders()
{
    QTemporaryDir dir;
    const QString d = dir.path();
    QVERIFY(QDir(d).mkdir(".hidden"));
    markHidden(d + "/.hidden");
    QVERIFY(MakeFolderPath(d + "/.hidden/.deeper/x"));
    QVERIFY(QFileInfo(d + "/.hidden/.deeper/x").isDir());
#ifdef Q_OS_WIN
    QSKIP("no share to write to");
#else
    // "//tmp/..." has the form of "\\server\share\...": its first two levels are the root and are
    // never created; the levels below are.
    QVERIFY(d.startsWith(QLatin1Char('/')));
    const QString unc = QLatin1Char('/') + d + "/U/V";
    QVERIFY(MakeFolderPath(unc));
    QVERIFY(QFileInfo(d + "/U/V").isDir());
    QVERIFY(!MakeFolderPath("//no-such-server-here/share/U"));
#endif
}

void TestPathHelpers::makeFolderPathWithoutPermission()
{
#ifdef Q_OS_WIN
    QSKIP("permission bits do not apply");
#else
    if (runningAsRoot())
        QSKIP("root writes every folder");
    QTemporaryDir dir;
    const QString d = dir.path();
    QVERIFY(QDir(d).mkdir("ro"));
    QVERIFY(QFile::setPermissions(d + "/ro", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QVERIFY(!MakeFolderPath(d + "/ro/A/B"));
    QFile::setPermissions(d + "/ro", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
#endif
}

void TestPathHelpers::listFilesMatching()
{
    QTemporaryDir dir;
    const QString d = dir.path() + QLatin1Char('/');
    for (const char *name : {"a.dwg", "B.DWG", ".hidden.dwg", "c.txt", "[x]#1.dwg", "ab.dwg"})
        touch(d + QString::fromLatin1(name));
    markHidden(d + ".hidden.dwg");
    QVERIFY(QDir(d).mkdir("folder.dwg"));

    auto sorted = [](QStringList l) {
        l.sort();
        return l;
    };
    QCOMPARE(sorted(ListFilesMatching(d + "*.dwg")),
             (QStringList{".hidden.dwg", "B.DWG", "[x]#1.dwg", "a.dwg", "ab.dwg"}));
    QCOMPARE(sorted(ListFilesMatching(d + "?.dwg")), (QStringList{"B.DWG", "a.dwg"}));
    // Only "*" and "?" are wildcards: "[" and "#" stand for themselves.
    QCOMPARE(ListFilesMatching(d + "[x]#1.dwg"), QStringList{"[x]#1.dwg"});
    QCOMPARE(ListFilesMatching(d + "x.dwg"), QStringList{""});
    QCOMPARE(ListFilesMatching(d + "*.xyz"), QStringList{""});
    QCOMPARE(ListFilesMatching(d + "missing/*.dwg"), QStringList{""});
    QCOMPARE(ListFilesMatching(d + "folder.dwg"), QStringList{""});
}

// ---- Numbers, markers, system ----

void TestPathHelpers::isOddNumber_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<int>("expected"); // -1 no answer, 0 false, 1 true

    QTest::newRow("33") << qint64(33) << 1;
    QTest::newRow("32") << qint64(32) << 0;
    QTest::newRow("-5") << qint64(-5) << 1;
    QTest::newRow("0") << qint64(0) << -1;
    QTest::newRow("beyond 32 bits") << (qint64(1) << 40) + 1 << 1;
    QTest::newRow("lowest") << std::numeric_limits<qint64>::min() << 0;
}

void TestPathHelpers::isOddNumber()
{
    QFETCH(qint64, n);
    QFETCH(int, expected);
    const std::optional<bool> r = IsOddNumber(n);
    QCOMPARE(r.has_value(), expected >= 0);
    if (r)
        QCOMPARE(int(*r), expected);
}

void TestPathHelpers::textBetweenMarkers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("value");

    const QString start = QStringLiteral("saveas.prefix=\"");
    QTest::newRow("found ignoring case") << "x SAVEAS.PREFIX=\"P1\" y" << start << "\"" << int(MarkedText::Found)
                                         << "P1";
    QTest::newRow("empty value") << "saveas.prefix=\"\"" << start << "\"" << int(MarkedText::Found) << "";
    QTest::newRow("first end after the start")
        << "\"a\" saveas.prefix=\"P2\" \"b\"" << start << "\"" << int(MarkedText::Found) << "P2";
    QTest::newRow("end marker ignoring case") << "[a]xyEND"
                                              << "[A]"
                                              << "end" << int(MarkedText::Found) << "xy";
    QTest::newRow("unclosed") << "saveas.prefix=\"P1" << start << "\"" << int(MarkedText::Unclosed) << "";
    QTest::newRow("no start") << "saveas.suffix=\"S\"" << start << "\"" << int(MarkedText::NoStart) << "";
    QTest::newRow("empty text") << "" << start << "\"" << int(MarkedText::NoStart) << "";
}

void TestPathHelpers::textBetweenMarkers()
{
    test::ScriptedPrompter prompter; // never a box
    QFETCH(QString, text);
    QFETCH(int, status);
    const MarkedText r = TextBetweenMarkers(text, FETCHED(QString, start), FETCHED(QString, end));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.found(), status == MarkedText::Found);
    QCOMPARE(r.text, FETCHED(QString, value));
    QCOMPARE(unclosedMarkerMessage(FETCHED(QString, start)), "There is an error in " + FETCHED(QString, start));
}

void TestPathHelpers::userAndComputerNames()
{
    AppEnvironment::overrideLoginName("abcd");
    AppEnvironment::overrideComputerName("TESTPC");
    QCOMPARE(GetUserNameString().size(), 5);
    QCOMPARE(GetUserNameString().back(), QChar(0));
    QCOMPARE(GetUserNameClean(), QStringLiteral("abcd"));
    QCOMPARE(GetComputerNameString(), QStringLiteral("TESTPC") + QChar(0));

    // A blank name never gives an empty per-user prefix.
    AppEnvironment::overrideLoginName("   ");
    QCOMPARE(GetUserNameClean(), QStringLiteral("user"));
    QCOMPARE(GetUserNameString(), QStringLiteral("user") + QChar(0));

    AppEnvironment::overrideLoginName(QString());
    AppEnvironment::overrideComputerName(QString());
    QVERIFY(!GetUserNameClean().isEmpty());
    QVERIFY(!GetUserNameClean().contains(QChar(0)));
}

void TestPathHelpers::versionCodes_data()
{
    QTest::addColumn<int>("platform");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("os");

    QTest::newRow("Win32s") << 0 << 3 << 1 << 0 << "Windows 32";
    QTest::newRow("95") << 1 << 4 << 0 << 1 << "Windows 95";
    QTest::newRow("98") << 1 << 4 << 10 << 2 << "Windows 98";
    QTest::newRow("ME") << 1 << 4 << 90 << 3 << "Windows ME";
    QTest::newRow("9x other") << 1 << 4 << 5 << 0 << "Windows 32";
    QTest::newRow("NT 4") << 2 << 4 << 0 << 4 << "Windows NT";
    QTest::newRow("NT 3.51") << 2 << 3 << 51 << 4 << "Windows NT";
    QTest::newRow("2000") << 2 << 5 << 0 << 5 << "Windows 2K";
    QTest::newRow("XP") << 2 << 5 << 1 << 6 << "Windows XP";
    QTest::newRow("2003") << 2 << 5 << 2 << 0 << "Windows 32";
    QTest::newRow("Vista") << 2 << 6 << 0 << 0 << "Windows 32";
    QTest::newRow("10") << 2 << 10 << 0 << 0 << "Windows 32";
    QTest::newRow("other platform") << 3 << 5 << 1 << 0 << "Windows 32";
}

void TestPathHelpers::versionCodes()
{
    QFETCH(int, code);
    QCOMPARE(windowsVersionCodeFor(FETCHED(int, platform), FETCHED(int, major), FETCHED(int, minor)), code);
    QCOMPARE(osText(code), FETCHED(QString, os));
}

void TestPathHelpers::versionOfThisSystem()
{
    QCOMPARE(osPlatformText(0), QStringLiteral("Windows 32"));
    QCOMPARE(osPlatformText(1), QStringLiteral("Windows 95/98/ME"));
    QCOMPARE(osPlatformText(2), QStringLiteral("Windows NT/2K"));
    QCOMPARE(osPlatformText(3), QString());
    QCOMPARE(osText(7), QString());
    QCOMPARE(osText(-1), QString());
    // Every system this program runs on today is a late NT.
    QCOMPARE(GetPlatformId(), 2);
    QCOMPARE(GetWindowsVersionCode(), 0);
    QCOMPARE(osText(GetWindowsVersionCode()), QStringLiteral("Windows 32"));
    // The run log names the system the program runs on: Windows by its version's texts, any other
    // by its own names.
#ifdef Q_OS_WIN
    QCOMPARE(systemPlatformText(), osPlatformText(GetPlatformId()));
    QCOMPARE(systemOsText(), osText(GetWindowsVersionCode()));
#else
    QCOMPARE(systemPlatformText().toLower(), QSysInfo::kernelType());
    QVERIFY(systemPlatformText().at(0).isUpper());
    QCOMPARE(systemOsText(), QSysInfo::prettyProductName());
    QVERIFY(!systemOsText().contains(QLatin1String("Windows")));
#endif
}

QTEST_GUILESS_MAIN(TestPathHelpers)
#include "tst_pathhelpers.moc"
