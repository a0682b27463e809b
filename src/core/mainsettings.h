#pragma once
// MainSettings: the one shared state object of the program. Members appear in their fixed
// declaration order. Positions, sizes and counters are at least 32 bits wide (the window
// and queue sizes of today do not fit in 16 bits); switches keep the 16-bit check-box values
// (1 on, 0 off; option buttons -1 selected, 0 not).

#include <QString>
#include <QStringList>
#include <array>

namespace tess {

struct MainSettings {
    // 0 Scratch copy of the queue for one operation.
    QStringList Queue;
    // 1-2 Operating-system texts.
    QString OS;
    QString OS_Platform;
    // 3-5 Scratch.
    QString Msg;
    QString Waste;
    qint32 x = 0;
    // 6-9 Main window, twips.
    qint32 LeftCoord = 0;
    qint32 TopCoord = 0;
    qint32 FormHeight = 0;
    qint32 FormWidth = 0;
    // 10-14 Batch script output and script folders.
    QString SCROutputPath;
    QString SCROutputPathNorm;
    QString SCROutputPathAlt;
    QString SCRIPTSDir;
    bool SCRIPTSPathOption = false;
    // 15-18
    qint16 LT = 0;
    QString Delay;
    bool StopBatch = false;
    bool StopNow = false;
    // 19-25 Warnings and verification.
    qint16 WarnDoubleSpace = 0;
    qint16 WarnBlankLine = 0;
    qint16 WarnSpaceInBlank = 0;
    qint16 WarnLTLisp = 0;
    qint16 WarnLineEndsWithSpace = 0;
    qint16 VerifyFilesBit = 0;
    qint16 WarnFoldersNotExist = 0;
    // 26-34
    bool BadFolderFound = false;
    QString TextEditor;
    QString AutoCADEXE;
    QString Switches;
    QString SourcePath;
    QString DWGPattern;
    QString SCRPattern;
    bool SCRChanged = false;
    bool SCRChangedInAppend = false;
    // 35-40 Batch flow.
    qint16 DebugComments = 0;
    qint16 IncludeStatus = 0;
    QString PreBatch;
    QString PreUserScript;
    QString PostUserScript;
    QString PostBatch;
    // 41-47 Preferences.
    qint16 AutoLaunchEditor = 0;
    qint16 AutoADDFavorites = 0;
    qint16 EnableDelay = 0;
    qint16 AutoMinimize = 0;
    qint16 R14Compatible = 0;
    qint16 OutputToDefaultPath = 0;
    qint16 ShowSCRComplete = 0;
    // 48-50
    qint16 UseDelay = 0;
    qint16 TestRun = 0;
    qint16 SAVEAS = 0;
    // 51-56 SAVEAS.
    QString NamePrefix;
    QString NameSuffix;
    qint16 OverWriteFiles = 0;
    QString SaveAsType;
    qint16 SaveAsOriginalLocation = 0;
    QString DWGOutFolder;
    // 57 Drawings processed by all runs so far.
    double TotalFilesProcessed = 0;
    // 58 Program folder with a trailing separator.
    QString ProgramPath;
    // 59-62 Layout (splitter tops in twips).
    qint32 HDividerTop = 0;
    qint32 HLeftDividerTop = 0;
    qint16 SimpleMode = 0;
    qint16 SimpleScriptPathOverride = 0;
    // 63
    QString ForPrint;
    // 64-67
    qint16 DWGPreviewShow = 0;
    qint16 AutoSortEnabled = 0;
    qint16 AutoSortType = 0;
    qint16 TipsShow = 0;
    // 68-75 User tag settings.
    qint32 COUNTERSTART = 0;
    qint32 COUNTERSTEP = 0;
    QString SHEETCHARS;
    QString FIRSTFILECHARS;
    QString LASTFILECHARS;
    qint16 TRIMZEROS = 0;
    qint16 PADCOUNTER = 0;
    qint16 PADDIGITS = 0;
    // 76-86 Date texts of the date tags (computed, never stored).
    QString DDMMYY;
    QString MMDDYY;
    QString YYMMDD;
    QString LONGDATE;
    QString YYYY;
    QString YY;
    QString MM;
    QString MM_1;
    QString MM_2;
    QString MM_3;
    QString DD;
    // 87 Current User Set, 0 to 4.
    qint16 Face = 0;
    // 88-137 TAG1 … TAG50: TAG[n - 1] holds $TAGn$.
    std::array<QString, 50> TAG;
    // 138-139 Drawing load method.
    qint16 LoadOpen = 0;
    QString OpenOther;
    // 141 (the night run tells the composer itself that it runs: Command1_Compile_Click's argument)
    // Not read by the long scans: each takes its stop request from the ScanProgress passed to it
    // (the scan window is one).
    int STOPSCAN = 0;
    // 142-147
    qint16 METAEnabled = 0;
    qint16 METAImmediate = 0;
    qint16 ResourceWarning = 0;
    qint16 ResourceFileLimit = 0;
    qint16 ScanForRogueTags = 0;
    qint16 EnableLogging = 0;
    // 148-150
    QString TodayTime_12;
    QString TodayTime_24;
    QString WDPCurrentFile;
};

// The program's single instance.
MainSettings &mainSettings();

// The text of the box shown for a stored value that does not convert to its member.
QString badStoredValueMessage();
// Its title.
QString badStoredValueTitle();

// What the load met.
struct SettingsLoadResult {
    QStringList badMembers; // members whose stored text did not convert (their defaults are used)
    QString storeProblem;   // the store could not be read ("" when it could); shown once
};

// Reads every stored member with its default, in the load order of the main window, and sets the
// computed members that need no window: OS, OS_Platform, R14Compatible (0), ProgramPath,
// SCRIPTSDir (the program's "SCRIPTS" folder when empty) and SCROutputPath. A stored text that
// does not convert shows the bad-value box and the member takes its default; the other keys are
// read all the same. A store that could not be read is reported once, in a box, before the reads.
SettingsLoadResult loadMainSettings(MainSettings &s);

// Writes the keys of the end-of-run save (window geometry, splitters, filters, batch texts, load
// method, batch switches, SAVEAS, the processed counter, source and SAVEAS folders, output choice
// and the User Set index "Face"), every one as text. Goes on after a failed key; returns whether
// all were written and names the failed keys ("Section\Key") in failedKeys.
bool writeMainSettings(const MainSettings &s, QStringList *failedKeys = nullptr);

// The Options reset: deletes the sections Compatible, Paths, Programs and Startup; UserTags stays.
bool deleteSettingsSections();

} // namespace tess
