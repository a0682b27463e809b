#include "testsupport.h"

#include "core/appenvironment.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace tess::test {

ScriptedPrompter::ScriptedPrompter() { setPrompter(this); }
ScriptedPrompter::~ScriptedPrompter() { setPrompter(nullptr); }

int ScriptedPrompter::message(const QString &text, int style, const QString &title)
{
    m_shown.append({text, style, title});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    if (m_answerDefault)
        return defaultAnswer(style);
    QTest::qFail(qPrintable(QStringLiteral("unexpected message box [%1]: %2").arg(title, text)), __FILE__, __LINE__);
    const int buttons = style & 7;
    return buttons == vbYesNo ? vbNo : buttons == vbOKOnly ? vbOK : vbCancel;
}

static std::optional<QString> takeOrFail(QList<std::optional<QString>> &q, const char *what, const QString &title)
{
    if (!q.isEmpty())
        return q.takeFirst();
    QTest::qFail(qPrintable(QStringLiteral("unexpected %1: %2").arg(QLatin1String(what), title)), __FILE__, __LINE__);
    return std::nullopt;
}

std::optional<QString> ScriptedPrompter::openFile(const QString &title, const QString &, const QString &)
{
    return takeOrFail(m_files, "file picker", title);
}
std::optional<QString> ScriptedPrompter::saveFile(const QString &title, const QString &, const QString &)
{
    return takeOrFail(m_saves, "save picker", title);
}
std::optional<QString> ScriptedPrompter::folder(const QString &title, const QString &)
{
    return takeOrFail(m_folders, "folder picker", title);
}
std::optional<QString> ScriptedPrompter::input(const QString &prompt, const QString &, const QString &)
{
    return takeOrFail(m_inputs, "input box", prompt);
}

RecordingLauncher::RecordingLauncher() { setLauncher(this); }
RecordingLauncher::~RecordingLauncher() { setLauncher(nullptr); }

LaunchResult RecordingLauncher::start(const QString &program, const QStringList &arguments,
                                      const QString &workingFolder)
{
    calls.append({program, arguments, workingFolder, false});
    return nextResult;
}

LaunchResult RecordingLauncher::open(const QString &target)
{
    calls.append({target, {}, {}, true});
    return nextResult;
}

TempProgramFolder::TempProgramFolder(const QString &login)
{
    QDir d(m_dir.path());
    for (const char *sub : {"DATA", "SCRIPTS", "SCRIPTS-SIMPLE", "LISP", "BACKUP"})
        d.mkdir(QLatin1String(sub));
    AppEnvironment::overrideProgramFolder(QDir::toNativeSeparators(m_dir.path()));
    AppEnvironment::overrideLoginName(login);
    AppEnvironment::overrideComputerName(QStringLiteral("TESTPC"));
    SettingsStore::useFile(settingsFile());
}

TempProgramFolder::~TempProgramFolder()
{
    SettingsStore::useFile(QDir(QDir::tempPath()).filePath(QStringLiteral("tessaline-test-unused.ini")));
    QFile::remove(QDir(QDir::tempPath()).filePath(QStringLiteral("tessaline-test-unused.ini")));
    AppEnvironment::overrideProgramFolder(QString());
    AppEnvironment::overrideLoginName(QString());
    AppEnvironment::overrideComputerName(QString());
}

QString TempProgramFolder::folder() const { return QDir::toNativeSeparators(m_dir.path()); }
QString TempProgramFolder::path() const { return folder() + AppEnvironment::separator(); }
QString TempProgramFolder::data() const { return path() + QStringLiteral("DATA") + AppEnvironment::separator(); }
QString TempProgramFolder::settingsFile() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

QString TempProgramFolder::writeFile(const QString &relative, const QByteArray &bytes) const
{
    const QString full = m_dir.filePath(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write fixture %s", qPrintable(full));
    f.write(bytes);
    return QDir::toNativeSeparators(full);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString dataPath(const QString &relative)
{
    return relative.isEmpty() ? QStringLiteral(TESSALINE_TEST_DATA)
                              : QStringLiteral(TESSALINE_TEST_DATA) + QLatin1Char('/') + relative;
}

} // namespace tess::test
