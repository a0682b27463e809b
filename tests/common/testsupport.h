#pragma once
// The test support of the core: the fixture, the seam doubles and file helpers. Widget-only
// helpers live apart (modalguard.h), so tests of the core link the core library alone.

#include "core/fileio.h"
#include "fixture.h"
#include "recordinglauncher.h"
#include "scriptedprompter.h"
#include "tempprogramfolder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace tess::test {

// The bytes of a file, or "<missing>" when it cannot be read (so a comparison names the problem).
QByteArray fileBytes(const QString &path);

// The folder of the fixtures (tests/data).
QString dataPath(const QString &relative = QString());

// A file of the shared fixtures beside the clone (shared/fixtures/<relative>, see tests/CMakeLists.txt),
// or "" when it is not there: the test then skips what needs it.
//     const QString dwg = test::sharedFixturePath(QStringLiteral("dwg/sample_AC1018.dwg"));
//     if (dwg.isEmpty())
//         QSKIP("shared fixtures not found");
QString sharedFixturePath(const QString &relative);

// Compares text with the golden file tests/data/<relative>, line by line (CR LF and LF alike).
// Returns "" when they match, else the lines that differ (the first 20), with both texts. With the
// environment variable TESSALINE_UPDATE_GOLDEN=1 the golden file is rewritten from `actual`
// instead (review the change with git diff before committing it).
//     const QString diff = test::goldenMismatch(text, QStringLiteral("golden/first-start.ini"));
//     QVERIFY2(diff.isEmpty(), qPrintable(diff));
QString goldenMismatch(const QByteArray &actual, const QString &relative);

// While it lives, no file of this process may grow past `bytes`: a write beyond that fails with
// EFBIG exactly as a write fails on a full disk (SIGXFSZ, which would end the process, is ignored
// meanwhile). POSIX only: elsewhere ok() is false, and a test skips with QSKIP. Nothing else should
// write files meanwhile (a log file would hit the limit too).
//     test::FileSizeLimit limit(4096);
//     if (!limit.ok())
//         QSKIP("no file-size limit on this system");
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
    bool m_limited = false; // the limit was read, so the destructor puts it back
    quint64 m_oldSoft = 0;
    void (*m_oldHandler)(int) = nullptr;
};

// The given names of files in folder, put in the order in which the system lists the folder (a
// name the folder does not hold comes last): what an unsorted folder listing shows.
QStringList inListingOrder(const QString &folder, const QStringList &names);
// While it lives, the file module's sync (or close) fails with the system's error code (EIO for a
// failing disk, ENOSPC for a full one) for every file whose path contains pathPart (every file when
// it is empty): what a full thin volume or a failing disk does after it accepted every write. Other
// files are synced and closed as usual; a failing close still lets go of the file. failures() counts
// the calls it made fail.
//     test::FailingDiskCall failing(test::FailingDiskCall::Sync, EIO, QStringLiteral("tester-list.tmp"));
class FailingDiskCall
{
public:
    enum Call { Sync, Close };
    FailingDiskCall(Call call, int code, const QString &pathPart = QString());
    ~FailingDiskCall();
    FailingDiskCall(const FailingDiskCall &) = delete;
    FailingDiskCall &operator=(const FailingDiskCall &) = delete;
    int failures() const { return *m_failures; }

private:
    DiskCalls m_previous;
    std::shared_ptr<int> m_failures = std::make_shared<int>(0);
};

// Ends the test process with a message naming `what` when it is not destroyed within `seconds`: a
// test of something that must never wait (a pipe opened as a file) fails instead of hanging.
//     const test::HangWatchdog watchdog(20, "the run log on a pipe");
class HangWatchdog
{
public:
    HangWatchdog(int seconds, const char *what);
    ~HangWatchdog();
    HangWatchdog(const HangWatchdog &) = delete;
    HangWatchdog &operator=(const HangWatchdog &) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

// Makes a named pipe (FIFO) at path; false where the system has none (Windows).
bool makeFifo(const QString &path);

// Lets the file be run as a program (the execute permission where files carry one; true on Windows).
bool makeProgram(const QString &path);

// While it lives, another program holds the file as AutoCAD holds the script it runs: on Windows it
// is open without sharing; elsewhere a read lease is held on it, as a file server holds one for a
// client, so that an open for writing is refused at once. ok() is false where the file system grants
// no lease: the test then skips. The lease break signal (SIGIO) is ignored meanwhile.
class HeldFile
{
public:
    explicit HeldFile(const QString &path);
    ~HeldFile();
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
#ifdef Q_OS_WIN
    void *m_handle = nullptr;
#else
    int m_fd = -1;
    void (*m_oldHandler)(int) = nullptr;
#endif
};

// While it lives, this process runs as another user ("nobody": user and group 65534, no other
// groups), so that a file whose owner may write it (root's, mode 0644) is one this user may not.
// Only root can become another user: ok() is false otherwise (and on Windows), and the test skips.
// The code under test may only write into folders opened with openToEveryone meanwhile.
//     test::OtherUser other;
//     if (!other.ok())
//         QSKIP("only root can act as another user");
class OtherUser
{
public:
    OtherUser();
    ~OtherUser();
    OtherUser(const OtherUser &) = delete;
    OtherUser &operator=(const OtherUser &) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
    unsigned m_uid[3] = {};
    unsigned m_gid[3] = {};
    QList<unsigned> m_groups;
};

// Lets every user read, write and enter the folder (one made by the test). False when it cannot, or
// when a folder above it cannot be entered by every user.
bool openToEveryone(const QString &folder);

// The program's LISP folder as the wizards' load lines name it: programFolder + "/LISP/", every
// "\" as "/", in capitals where file names ignore case and with its own letters elsewhere.
QString lispFolder(const QString &programFolder);

} // namespace tess::test
