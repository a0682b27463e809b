#include "batch/runlog.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/textfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace tess {

namespace {

const QLatin1String kCrLf("\r\n");

QString trueFalse(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace

RunLogInput RunLogInput::from(const MainSettings &s, const QString &userScript, const QStringList &queue)
{
    RunLogInput in;
    in.osPlatform = s.OS_Platform;
    in.os = s.OS;
    in.R14Compatible = s.R14Compatible;
    in.LT = s.LT;
    in.autoCadExe = s.AutoCADEXE;
    in.switches = s.Switches;
    in.normalOutputSelected = s.OutputToDefaultPath == 1;
    in.normalOutput = s.SCROutputPathNorm;
    in.alternateOutput = s.SCROutputPathAlt;
    in.textEditor = s.TextEditor;
    in.preBatch = s.PreBatch;
    in.preUserScript = s.PreUserScript;
    in.userScript = userScript;
    in.postUserScript = s.PostUserScript;
    in.postBatch = s.PostBatch;
    in.delay = s.UseDelay != 0 ? 1 : 0;
    in.testRun = s.TestRun != 0 ? 1 : 0;
    in.saveAs = s.SAVEAS != 0 ? 1 : 0;
    in.outFormat = s.SaveAsType;
    in.prefix = s.NamePrefix;
    in.suffix = s.NameSuffix;
    in.queue = queue;
    return in;
}

QString runLogBlock(const RunLogInput &in)
{
    const QString rule(91, QLatin1Char('*'));
    QString out;
    auto line = [&out](const QString &text) {
        out += withCrLfLineEnds(text);
        out += kCrLf;
    };
    line(rule);
    line(QStringLiteral("DATE: ") + in.locale.toString(in.moment.date(), QLocale::ShortFormat));
    line(QStringLiteral("TIME: ") + in.moment.time().toString(QStringLiteral("HH:mm:ss")));
    line(QStringLiteral("USER: ") + in.user);
    line(QStringLiteral("PC: ") + in.computer);
    line(QStringLiteral("Operating Platform: ") + in.osPlatform);
    line(QStringLiteral("Operating System: ") + in.os);
    line(QStringLiteral("Tessaline Title: ") + in.appTitle);
    line(QStringLiteral("Tessaline Version: ") + in.version);
    line(QStringLiteral("AutoCAD R14 Compatibility : ") + QString::number(in.R14Compatible));
    line(QStringLiteral("AutoCAD LT Compatibility: ") + QString::number(in.LT));
    line(QStringLiteral("AutoCAD Executable: ") + in.autoCadExe);
    line(QStringLiteral("AutoCAD Switches: ") + in.switches);
    line(QStringLiteral("Standard Output Path Selected: ") + trueFalse(in.normalOutputSelected));
    line(QStringLiteral("Tessaline Batch Output Path: ") + in.normalOutput);
    line(QStringLiteral("Standard Alternate Output Path Selected: ") + trueFalse(!in.normalOutputSelected));
    line(QStringLiteral("Tessaline Altername Output Path: ") + in.alternateOutput);
    line(QStringLiteral("Text Editor: ") + in.textEditor);
    line(QStringLiteral("PRE Batch: ") + in.preBatch);
    line(QStringLiteral("PRE UserScript: ") + in.preUserScript);
    line(QStringLiteral("User Script: ") + in.userScript);
    line(QStringLiteral("POST User Script: ") + in.postUserScript);
    line(QStringLiteral("POST Batch: ") + in.postBatch);
    line(QStringLiteral("Delay Checkbox: ") + QString::number(in.delay));
    line(QStringLiteral("TestRun Checkbox: ") + QString::number(in.testRun));
    line(QStringLiteral("SaveAS Checkbox: ") + QString::number(in.saveAs));
    line(QStringLiteral("SaveAS Output Format: ") + in.outFormat);
    line(QStringLiteral("SaveAS Output Prefix: ") + in.prefix);
    line(QStringLiteral("SaveAS Output Suffix: ") + in.suffix);
    for (const QString &path : in.queue)
        line(path);
    line(rule);
    return out;
}

QString runLogPath() { return AppEnvironment::dataFolder() + QStringLiteral("tessaline.log"); }

FileResult appendRunLog(const QString &block, const QString &path)
{
    // Only a regular file is appended to, never waiting on a pipe; a block that could not be appended
    // whole, or did not reach the disk, is taken back: the log keeps only whole blocks.
    QStringEncoder encoder(QStringConverter::System);
    return appendToFile(path, encoder.encode(block));
}

QString nightRunFindingsText(const NightRunFindings &f)
{
    if (!f.any())
        return QString();
    QString out;
    auto line = [&out](const QString &text) {
        out += withCrLfLineEnds(text);
        out += kCrLf;
    };
    auto folders = [&line](const QString &heading, const QStringList &list) {
        if (list.isEmpty())
            return;
        line(heading);
        for (const QString &folder : list)
            line(QStringLiteral("    ") + folder);
    };
    line(QStringLiteral("NIGHT RUN ") + f.moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
         QStringLiteral(", checks of the batch script ") + f.script + QStringLiteral(":"));
    if (!f.readBackFailure.isEmpty())
        line(f.readBackFailure);
    folders(QStringLiteral("Folders named in the batch script that did not exist, created:"), f.createdFolders);
    folders(QStringLiteral("Folders named in the batch script that did not exist and could not be created:"),
            f.failedFolders);
    if (!f.leftoverProjectTags.isEmpty())
        line(f.leftoverProjectTags);
    return out;
}

QString runLogFailureMessage(const FileResult &r)
{
    return fileFailureMessage(QStringLiteral("The run log could not be written (the batch script was written)"), r);
}

} // namespace tess
