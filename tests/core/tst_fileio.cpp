// Whole files: reading, writing through a temporary file that replaces the old one only when
// complete, the error number of each cause of failure, and the read-only state.

#include "core/fileio.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

const QByteArray kOld("old content\r\n");

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestFileIO : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writeReplacesTheWholeFile()
    {
        QTemporaryDir tmp;
        const QString p = tmp.path() + "/a.txt";
        FileResult r = writeWholeFile(p, "first, and longer\r\n");
        QVERIFY(r.ok());
        QCOMPARE(r.path, p);
        r = writeWholeFile(p, "second\r\n");
        QVERIFY(r.ok());
        QCOMPARE(test::fileBytes(p), QByteArray("second\r\n"));
        QVERIFY(writeWholeFile(p, QByteArray()).ok());
        QCOMPARE(QFileInfo(p).size(), 0);
        QCOMPARE(entriesOf(tmp.path()), QStringList{"a.txt"}); // no temporary file left behind
        // The replacement has the permissions of the file it replaces.
        const QFileDevice::Permissions kept = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(p, kept));
        QVERIFY(writeWholeFile(p, "third\r\n").ok());
        QCOMPARE(QFile::permissions(p) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), kept);
    }

    // What stands at a name that is not a regular file is named for what it is, links followed.
    void notRegularFileTextNamesTheKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("folder") << "folder"
                                << "It is a folder, not a file";
        QTest::newRow("pipe") << "pipe"
                              << "It is a pipe (FIFO), not a regular file";
        QTest::newRow("socket") << "socket"
                                << "It is a socket, not a regular file";
        QTest::newRow("link to a device") << "link to a device"
                                          << "It is a link to a device, not to a regular file";
        QTest::newRow("link to a folder") << "link to a folder"
                                          << "It is a link to a folder, not to a file";
        QTest::newRow("dangling link") << "dangling link"
                                       << "It is a link to nothing (a dangling link)";
    }
    void notRegularFileTextNamesTheKind()
    {
#ifdef Q_OS_WIN
        QSKIP("no pipes, sockets or devices in a folder");
#else
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QTemporaryDir tmp;
        const QString path = tmp.path() + "/name";
        if (kind == "folder") {
            QVERIFY(QDir(tmp.path()).mkdir("name"));
        } else if (kind == "pipe") {
            QVERIFY(test::makeFifo(path));
        } else if (kind == "socket") {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const QByteArray native = QFile::encodeName(path);
            if (native.size() >= qsizetype(sizeof address.sun_path))
                QSKIP("the temporary folder's path is too long for a socket");
            std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
            QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
            ::close(fd);
        } else if (kind == "link to a device") {
            QVERIFY(QFile::link("/dev/null", path));
        } else if (kind == "link to a folder") {
            QVERIFY(QFile::link(tmp.path(), path));
        } else {
            QVERIFY(QFile::link(tmp.path() + "/none", path));
        }
        QCOMPARE(notRegularFileText(path), text);
        // A writer refuses it with the same words (a folder has its own, older ones).
        if (kind != "folder" && kind != "link to a folder") {
            const FileResult r = writeWholeFile(path, "new");
            QCOMPARE(r.error, kPathFileAccessError);
            QCOMPARE(r.reason, text);
            QCOMPARE(notReplaceableReason(path), text);
        }
        QCOMPARE(entriesOf(tmp.path()), QStringList{"name"});
#endif
    }

    // Reading or appending never waits on a pipe, nor on a link to one: both are refused at once,
    // and the pipe stays as it was.
    void readersAndAppendsNeverWaitOnAPipe()
    {
#ifdef Q_OS_WIN
        QSKIP("no named pipes in a folder");
#else
        QTemporaryDir tmp;
        const QString pipe = tmp.path() + "/pipe";
        const QString link = tmp.path() + "/link";
        QVERIFY(test::makeFifo(pipe));
        QVERIFY(QFile::link(pipe, link));
        const test::HangWatchdog watchdog(20, "a reader or an append on a pipe");
        for (const QString &path : {pipe, link}) {
            const QString text = path == pipe ? QStringLiteral("It is a pipe (FIFO), not a regular file")
                                              : QStringLiteral("It is a link to a pipe (FIFO), not to a regular file");
            QByteArray bytes;
            FileResult r = tess::readWholeFile(path, bytes);
            QCOMPARE(r.error, kPathFileAccessError);
            QCOMPARE(r.reason, text);
            r = readFileInPieces(path, 16, [](QByteArrayView) { QFAIL("nothing is read"); });
            QCOMPARE(r.reason, text);
            r = appendToFile(path, "block\r\n");
            QCOMPARE(r.error, kPathFileAccessError);
            QCOMPARE(r.reason, text);
            QFile f(path);
            r = openRegularFile(f, QIODevice::ReadOnly);
            QCOMPARE(r.reason, text);
            QVERIFY(!f.isOpen());
        }
        struct stat st;
        QVERIFY(::lstat(QFile::encodeName(pipe).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        // An append to a regular file, through a link, is a plain append.
        const QString log = tmp.path() + "/log.txt";
        QVERIFY(writeWholeFile(log, "one\r\n").ok());
        QVERIFY(QFile::link(log, tmp.path() + "/log link"));
        QVERIFY(appendToFile(tmp.path() + "/log link", "two\r\n").ok());
        QCOMPARE(test::fileBytes(log), QByteArray("one\r\ntwo\r\n"));
#endif
    }

    // Each cause of a failed write gives its own number, and the old file stays as it was.
    void writeFailures_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("error");
        QTest::newRow("missing folder") << "missing folder" << kPathNotFound;
        QTest::newRow("a file where the folder should be") << "file as folder" << kPathNotFound;
        QTest::newRow("folder in the way") << "folder in the way" << kPathFileAccessError;
        QTest::newRow("read-only file") << "read-only file" << kPermissionDenied;
        QTest::newRow("read-only folder") << "read-only folder" << kPermissionDenied;
        // A write smaller than any buffer, and one larger than the limit many times over.
        QTest::newRow("full disk, small write") << "full disk 6000" << kPathFileAccessError;
        QTest::newRow("full disk, large write") << "full disk 262144" << kPathFileAccessError;
    }
    void writeFailures()
    {
        QFETCH(QString, cause);
        QFETCH(int, error);
        QTemporaryDir tmp;
        const QString dir = tmp.path() + "/work";
        QVERIFY(QDir().mkpath(dir));
        QString path = dir + "/a.txt";
        QByteArray bytes("new\r\n");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(kOld);
        old.close();

        if (cause == "missing folder") {
            path = dir + "/NOFOLDER/a.txt";
        } else if (cause == "file as folder") {
            path = dir + "/a.txt/b.txt";
        } else if (cause == "folder in the way") {
            QVERIFY(QDir(dir).mkdir("sub"));
            path = dir + "/sub";
        } else if (cause == "read-only file") {
            QVERIFY(setReadOnlyFile(path, true).ok());
        } else if (cause == "read-only folder") {
#ifdef Q_OS_WIN
            QSKIP("the read-only attribute of a folder does not stop writes into it");
#else
            if (runningAsRoot())
                QSKIP("root writes into every folder");
            QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
#endif
        } else if (cause.startsWith("full disk")) {
            bytes = QByteArray(cause.section(' ', 2).toInt(), 'x');
        }

        FileResult r;
        if (cause.startsWith("full disk")) {
            test::FileSizeLimit limit(4096);
            if (!limit.ok())
                QSKIP("no file-size limit to stand in for a full disk");
            r = writeWholeFile(path, bytes);
        } else {
            r = writeWholeFile(path, bytes);
        }
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QCOMPARE(r.error, error);
        QVERIFY(!r.ok());
        QCOMPARE(r.path, path);
        QVERIFY2(!r.reason.isEmpty(), "the reason is given");
        if (cause.startsWith("full disk"))
            QVERIFY2(r.reason.startsWith("Disk full"), qPrintable(r.reason));
        QCOMPARE(test::fileBytes(dir + "/a.txt"), kOld);
        // Nothing else appeared beside it: the temporary file is gone.
        const QStringList left = cause == "folder in the way" ? QStringList{"a.txt", "sub"} : QStringList{"a.txt"};
        QCOMPARE(entriesOf(dir), left);
        setReadOnlyFile(dir + "/a.txt", false);
    }

    void readWholeFile_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("error");
        QTest::newRow("ok") << "ok" << 0;
        QTest::newRow("empty file") << "empty" << 0;
        QTest::newRow("missing file") << "missing file" << kFileNotFound;
        QTest::newRow("missing folder") << "missing folder" << kPathNotFound;
        QTest::newRow("folder in the way") << "folder in the way" << kPathFileAccessError;
        QTest::newRow("pipe") << "pipe" << kPathFileAccessError;
        QTest::newRow("unreadable file") << "unreadable" << kPermissionDenied;
    }
    void readWholeFile()
    {
        QFETCH(QString, cause);
        QFETCH(int, error);
        QTemporaryDir tmp;
        QString path = tmp.path() + "/a.txt";
        QByteArray expected = kOld;
        if (cause == "empty")
            expected.clear();
        if (cause != "missing file" && cause != "missing folder") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(expected);
        }
        if (cause == "missing folder") {
            path = tmp.path() + "/NOFOLDER/a.txt";
        } else if (cause == "folder in the way") {
            path = tmp.path() + "/sub";
            QVERIFY(QDir(tmp.path()).mkdir("sub"));
        } else if (cause == "pipe") {
#ifdef Q_OS_WIN
            QSKIP("no named pipes in a folder");
#else
            // Reading a pipe would wait for a writer: it is refused at once.
            path = tmp.path() + "/pipe.txt";
            QCOMPARE(mkfifo(qPrintable(path), 0600), 0);
#endif
        } else if (cause == "unreadable") {
#ifdef Q_OS_WIN
            QSKIP("permission bits do not apply");
#else
            if (runningAsRoot())
                QSKIP("root reads every file");
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
#endif
        }

        QByteArray bytes("left over");
        const FileResult r = tess::readWholeFile(path, bytes);
        QCOMPARE(r.error, error);
        QCOMPARE(r.path, path);
        if (error == 0) {
            QCOMPARE(bytes, expected);
        } else {
            QVERIFY(bytes.isEmpty());
            QVERIFY(!r.reason.isEmpty());
        }
    }

    // A file written in pieces: the piece the disk refuses fails at once with its cause, every later
    // piece fails too, and finish() keeps the old file; a file whose pieces all fit is put in place.
    void streamedWriteStopsAtTheFirstRefusal()
    {
        QTemporaryDir tmp;
        const QString path = tmp.path() + "/out.txt";
        QVERIFY(writeWholeFile(path, kOld).ok());
        FileResult r;
        qint64 third = 0;
        {
            test::FileSizeLimit limit(4096);
            if (!limit.ok())
                QSKIP("no file-size limit to stand in for a full disk");
            WholeFileWriter out(path);
            QVERIFY(out.start().ok());
            QCOMPARE(out.write(QByteArray(3000, 'a')), 3000);
            QCOMPARE(out.write(QByteArray(3000, 'b')), -1);
            third = out.write("c");
            r = out.finish();
        }
        QCOMPARE(third, -1);
        QCOMPARE(r.error, kPathFileAccessError);
        QCOMPARE(r.path, path);
        QVERIFY2(r.reason.startsWith("Disk full"), qPrintable(r.reason));
        QCOMPARE(test::fileBytes(path), kOld);
        QCOMPARE(entriesOf(tmp.path()), QStringList{"out.txt"});

        // Left unfinished, the writer cancels; finished whole, the file is replaced.
        {
            WholeFileWriter out(path);
            QVERIFY(out.start().ok());
            out.write("half");
        }
        QCOMPARE(test::fileBytes(path), kOld);
        WholeFileWriter out(path);
        QVERIFY(out.start().ok());
        out.write("one ");
        out.write("two");
        QVERIFY(out.finish().ok());
        QCOMPARE(test::fileBytes(path), QByteArray("one two"));
        QCOMPARE(entriesOf(tmp.path()), QStringList{"out.txt"});
    }

    // A large old file is let go of after the new one is in place; nothing of it stays open.
    void replacingALargeFile()
    {
        QTemporaryDir tmp;
        const QString path = tmp.path() + "/big.csv";
        QVERIFY(writeWholeFile(path, QByteArray(20 * 1024 * 1024, 'x')).ok());
        const QStringList openBefore = entriesOf(QStringLiteral("/proc/self/fd"));
        WholeFileWriter out(path);
        QVERIFY(out.start().ok());
        QCOMPARE(out.write("new"), 3);
        QVERIFY(out.finish().ok());
        QCOMPARE(test::fileBytes(path), QByteArray("new"));
        QCOMPARE(entriesOf(tmp.path()), QStringList{"big.csv"});
        if (QFileInfo::exists(QStringLiteral("/proc/self/fd")))
            QTRY_COMPARE(entriesOf(QStringLiteral("/proc/self/fd")).size(), openBefore.size());
    }

    void readOnlyTogglesOnlyTheWritePermission()
    {
        test::TempProgramFolder tmp;
        const QString p = tmp.writeFile(QStringLiteral("SCRIPTS/a.scr"), "X\r\n");
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                     QFile::WriteGroup | QFile::ReadOther);
        QVERIFY(!isReadOnlyFile(p));
        QVERIFY(setReadOnlyFile(p, true).ok());
        QVERIFY(isReadOnlyFile(p));
        QFileDevice::Permissions perms = QFile::permissions(p);
        QVERIFY(perms & QFile::ExeOwner);
        QVERIFY(perms & QFile::ReadGroup);
        QVERIFY(!(perms & (QFile::WriteGroup | QFile::WriteOwner)));
        QVERIFY(setReadOnlyFile(p, false).ok());
        QVERIFY(!isReadOnlyFile(p));
        perms = QFile::permissions(p);
        QVERIFY(perms & QFile::ExeOwner);
        QVERIFY(perms & QFile::ReadOther);
        QCOMPARE(setReadOnlyFile(tmp.path() + QStringLiteral("SCRIPTS/none.scr"), true).error, 53);
    }

    // Read-only is the owner's write permission missing, or this user not allowed to write the file:
    // root's file of mode 0644 is read-only to another user. As root the rows of another user run
    // as "nobody"; elsewhere they skip (only root can act as another user).
    void readOnlyIsForThisUser_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherUser");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("the owner's 0644") << 0644 << false << false;
        QTest::newRow("the owner's 0444") << 0444 << false << true;
        QTest::newRow("another user's 0644") << 0644 << true << true;
        QTest::newRow("another user's 0666") << 0666 << true << false;
        QTest::newRow("another user's 0466") << 0466 << true << true;
    }
    void readOnlyIsForThisUser()
    {
#ifdef Q_OS_WIN
        QSKIP("permissions of the owner and of others are POSIX");
#else
        QFETCH(int, mode);
        QFETCH(bool, otherUser);
        test::TempProgramFolder tmp;
        QVERIFY(test::openToEveryone(tmp.folder()));
        const QString p = tmp.writeFile(QStringLiteral("DWG/a.dwg"), "AC1027");
        QCOMPARE(::chmod(QFile::encodeName(p).constData(), mode_t(mode)), 0);
        std::optional<test::OtherUser> other;
        if (otherUser) {
            other.emplace();
            if (!other->ok())
                QSKIP("only root can act as another user");
        }
        QTEST(isReadOnlyFile(p), "readOnly");
#endif
    }
};

QTEST_GUILESS_MAIN(TestFileIO)
#include "tst_fileio.moc"
