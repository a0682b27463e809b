#include "options/frmOptions.h"

#include "core/appenvironment.h"
#include "core/clock.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "options/frmAutoCADEXEBrowse.h"
#include "options/frmBrowseSCRIPSDir.h"
#include "options/frmSCRDirSelect.h"
#include "options/frmTXTEDITORDirSelect.h"
#include "options/resetandbackup.h"
#include "widgets/placement.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"
#include "widgets/wrapcheckbox.h"
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QWindow>
#include <algorithm>

// The six tab pages of the Options dialog: their controls and their places.

namespace tess {

namespace {

// The caption of chkResourcesStarved leaves 17 blanks for the file-limit box.
const char *const kFileLimitCaptionStart = "Warn when attempting to open more than";
constexpr int kFileLimitBlanks = 17;

template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QGroupBox *frame(QWidget *page, const char *name, const QString &title)
{
    return named(new QGroupBox(title, page), name);
}

QCheckBox *check(QWidget *parent, const char *name, const QString &caption, const QString &tip = QString())
{
    QCheckBox *c = named(new QCheckBox(caption, parent), name);
    if (!tip.isEmpty())
        c->setToolTip(tip);
    return c;
}

// A check box whose caption takes two lines in its frame.
QCheckBox *wrapCheck(QWidget *parent, const char *name, const QString &caption, int widthTwips)
{
    return named(new WrapCheckBox(caption, twipsToPixels(widthTwips), parent), name);
}

QRadioButton *option(QWidget *parent, const char *name, const QString &caption, const QString &tip = QString())
{
    QRadioButton *o = named(new QRadioButton(caption, parent), name);
    if (!tip.isEmpty())
        o->setToolTip(tip);
    return o;
}

QLineEdit *box(QWidget *parent, const char *name, const QString &tip = QString())
{
    QLineEdit *b = named(new QLineEdit(parent), name);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

QLabel *label(QWidget *parent, const char *name, const QString &text, bool wrap = false)
{
    QLabel *l = named(new QLabel(text, parent), name);
    l->setWordWrap(wrap);
    return l;
}

// Sets a check box or option only when its value changes, so its handler runs as a click's would.
void placePage(QWidget *page, const QList<Placement> &table)
{
    const PlacementResult placed = placeControls(page, table, kTabStripTwips);
    Q_ASSERT_X(placed.missing.isEmpty(), "frmOptions", "a placed control is missing");
}

// The folder a picker opens in for a path it is about to fill: the path's folder, "" when none.

} // namespace

QWidget *frmOptions::buildConfigPage()
{
    auto *page = named(new QWidget, "tabConfig");
    QGroupBox *compat = frame(page, "fraCompatibility", QStringLiteral("Compatibility"));
    chkLT = check(compat, "chkLT", QStringLiteral("AutoCAD LT (No Lisp)"));

    QGroupBox *acad = frame(page, "fraAutoCADExe", QStringLiteral("AutoCAD Executable Location"));
    tbAutoCadEXE = box(acad, "tbAutoCadEXE", QStringLiteral("The path to your AutoCAD executable"));
    cmdBrowseAcadEXE = button(acad, "cmdBrowseAcadEXE", QStringLiteral("&Browse"));
    label(acad, "lblSwitches", QStringLiteral("Switches/Parameters (eg. /p \"f:\\extra\\acad_set\\ed-map.arg\")"));
    tbSwitches = box(acad, "tbSwitches");

    QGroupBox *scripts = frame(page, "fraScriptDir", QStringLiteral("Location of User Scripts"));
    optScriptDirDefault[0] = option(scripts, "optScriptDirDefault0", QStringLiteral("Default /SCRIPTS/ directory."));
    optScriptDirDefault[1] = option(scripts, "optScriptDirDefault1", QStringLiteral("Other"));
    tbScriptDir = box(scripts, "tbScriptDir");
    cmdBrowseSCRIPTSDir = button(scripts, "cmdBrowseSCRIPTSDir", QStringLiteral("Brow&se"));

    QGroupBox *output =
        frame(page, "fraOutput", QStringLiteral("Tessaline Script Output (C:\\AutoCAD\\SUPPORT\\ recommended)"));
    optNormalOutputPath = option(output, "optNormalOutputPath", QStringLiteral("Batch Script Output Path"),
                                 QStringLiteral("Normal output path select"));
    cmdBrowseSCRDir = button(output, "cmdBrowseSCRDir", QStringLiteral("B&rowse"));
    Text1 = box(output, "Text1", QStringLiteral("C:\\PROGRAM FILES\\AUTOCAD\\SUPPORT\\TESSALINE.SCR (Recommended)"));
    optAltOutputPath = option(output, "optAltOutputPath",
                              QStringLiteral("Alternate Batch Script Output (eg: N:\\SCRIPTS\\tessaline.scr)"),
                              QStringLiteral("Alternate output path select"));
    tbAltOutput = box(output, "tbAltOutput", QStringLiteral("Alternate output path (Possibly a Network drive)"));

    QGroupBox *editor = frame(page, "fraTextEditor", QStringLiteral("Text Editor (Example: NOTEPAD.EXE)"));
    Text2 = box(editor, "Text2", QStringLiteral("NOTEPAD.EXE (Recomended as it is in the path)"));
    Command1 = button(editor, "Command1", QStringLiteral("Bro&wse"));

    placePage(page, {
                        {"fraCompatibility", 120, 480, 6255, 615},
                        {"chkLT", 240, 270, 3855, 255, 5895},
                        {"fraAutoCADExe", 120, 1170, 6255, 1395},
                        {"tbAutoCadEXE", 240, 285, 4815, 315},
                        {"cmdBrowseAcadEXE", 5160, 270, 975, 345},
                        {"lblSwitches", 240, 690, 5895, 255, 5895},
                        {"tbSwitches", 240, 960, 5895, 315},
                        {"fraScriptDir", 120, 2640, 6255, 1050},
                        {"optScriptDirDefault0", 240, 285, 3855, 255, 4815},
                        {"optScriptDirDefault1", 240, 645, 855, 255, 885},
                        {"tbScriptDir", 1140, 615, 3915, 315},
                        {"cmdBrowseSCRIPTSDir", 5160, 600, 975, 345},
                        {"fraOutput", 120, 3765, 6255, 1785},
                        {"optNormalOutputPath", 240, 300, 3855, 255, 4815},
                        {"cmdBrowseSCRDir", 5160, 255, 975, 345},
                        {"Text1", 240, 630, 5895, 315},
                        {"optAltOutputPath", 240, 1035, 5895, 255, 5895},
                        {"tbAltOutput", 240, 1335, 5895, 315},
                        {"fraTextEditor", 120, 5625, 6255, 795},
                        {"Text2", 240, 300, 4815, 315},
                        {"Command1", 5160, 285, 975, 345},
                    });
    return page;
}

QWidget *frmOptions::buildPrefsPage()
{
    auto *page = named(new QWidget, "tabPrefs");
    QGroupBox *load = frame(page, "fraLoad", QStringLiteral("To Load Drawings"));
    optLoadOpen[0] = option(load, "optLoadOpen0", QStringLiteral("Use \"OPEN...\" (with DBMOD)"));
    optLoadOpen[1] = option(load, "optLoadOpen1", QStringLiteral("Use \"RECOVER...\" (with DBMOD)"));
    optLoadOpen[3] = option(load, "optLoadOpen3", QStringLiteral("Use Velquintar"));
    Label8 = label(load, "Label8", QStringLiteral("(what is this?)"));
    Label8->setCursor(Qt::PointingHandCursor);
    optLoadOpen[2] = option(load, "optLoadOpen2", QStringLiteral("Other"));
    tbOpenOther = box(load, "tbOpenOther");
    m_loadGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i)
        m_loadGroup->addButton(optLoadOpen[i], i);

    QGroupBox *warn = frame(page, "fraWarnings", QStringLiteral("Display Syntax Warnings"));
    chkWarnDoubleSpace =
        check(warn, "chkWarnDoubleSpace", QStringLiteral("Warn when a \"Double Space\" exists in user script."),
              QStringLiteral("This option will enable a simple check on your script, and display any potential "
                             "problems, when you attempt to \"create\" it."));
    chkWarnBlankLine =
        check(warn, "chkWarnBlankLine", QStringLiteral("Warn when \"Blank Line\" exists in user script."));
    chkWarnSpaceInBlank = check(warn, "chkWarnSpaceInBlank",
                                QStringLiteral("Warn when a \"Space\" on a blank line exists in user script."));
    chkWarnLineEndsWithSpace =
        check(warn, "chkWarnLineEndsWithSpace", QStringLiteral("Warn when line ends with \"Space\" in user script."));
    chkWarnFolderNotExist =
        wrapCheck(warn, "chkWarnFolderNotExist",
                  QStringLiteral("Warn when referencing a folder in the output script that doesn't exist."), 5895);
    chkVerifyFilesInQueue = wrapCheck(
        warn, "chkVerifyFilesInQueue",
        QStringLiteral("Warn (with options) when a file in the Queue is Read-Only, or does not exist."), 5895);
    chkScanForRogueTags = check(warn, "chkScanForRogueTags",
                                QStringLiteral("Warn when PROJECT TAGs were not replaced in output script."));
    chkResourcesStarved = check(warn, "chkResourcesStarved",
                                QLatin1String(kFileLimitCaptionStart) + QString(kFileLimitBlanks, QLatin1Char(' ')) +
                                    QStringLiteral("files."));
    // Made after the check box, so it stands above the blanks of the caption.
    tbResourceFileLimit = box(warn, "tbResourceFileLimit");
    tbResourceFileLimit->setAlignment(Qt::AlignRight);
    chkWarnLTLisp = check(warn, "chkWarnLTLisp", QStringLiteral("Warn when attempting to use Lisp with LT."));

    QGroupBox *fav = frame(page, "fraFavorites", QStringLiteral("Favorites"));
    chkFavorites =
        check(fav, "chkFavorites", QStringLiteral("Automatically add Directory Names to \"Favorites\" List"));

    QGroupBox *delay = frame(page, "fraDelay", QStringLiteral("When \"Delay\" Checkbox Enabled"));
    label(delay, "lblDelay", QStringLiteral(" Delay Value ="));
    tbDelay = box(delay, "tbDelay", QStringLiteral("(milliseconds)"));
    tbDelay->setAlignment(Qt::AlignRight);
    label(delay, "lblMilliseconds", QStringLiteral("(milliseconds)"));

    placePage(page, {
                        {"fraLoad", 120, 480, 6255, 1440},
                        {"optLoadOpen0", 240, 270, 3255, 255, 5895},
                        {"optLoadOpen1", 240, 540, 3255, 255, 5895},
                        {"optLoadOpen3", 240, 810, 1575, 255, 1605},
                        {"Label8", 1860, 810, 1335, 255, 2415},
                        {"optLoadOpen2", 240, 1110, 855, 255, 885},
                        {"tbOpenOther", 1140, 1080, 2415, 285},
                        {"fraWarnings", 120, 1995, 6255, 3375},
                        {"chkWarnDoubleSpace", 240, 270, 5895, 255},
                        {"chkWarnBlankLine", 240, 555, 5895, 255},
                        {"chkWarnSpaceInBlank", 240, 840, 5895, 255},
                        {"chkWarnLineEndsWithSpace", 240, 1125, 5895, 255},
                        {"chkWarnFolderNotExist", 240, 1410, 5895, 450},
                        {"chkVerifyFilesInQueue", 240, 1890, 5895, 450},
                        {"chkScanForRogueTags", 240, 2370, 5895, 255},
                        {"chkResourcesStarved", 240, 2685, 5895, 255},
                        {"tbResourceFileLimit", 3000, 2655, 750, 315},
                        {"chkWarnLTLisp", 240, 3000, 5895, 255},
                        {"fraFavorites", 120, 5445, 6255, 615},
                        {"chkFavorites", 240, 270, 5895, 255},
                        {"fraDelay", 120, 6135, 6255, 705},
                        {"lblDelay", 240, 315, 1215, 255, 1245},
                        {"tbDelay", 1500, 285, 975, 315},
                        {"lblMilliseconds", 2580, 315, 1455, 255, 1800},
                    });
    return page;
}

QWidget *frmOptions::buildGuiPage()
{
    auto *page = named(new QWidget, "tabGUI");
    QGroupBox *preview = frame(page, "fraPreview", QStringLiteral("DWG Preview Window"));
    chkShowPreview =
        check(preview, "chkShowPreview", QStringLiteral("Show Drawing Preview Window when program starts."));

    QGroupBox *sort = frame(page, "fraAutoSort", QStringLiteral("Auto Sort Files in Queue"));
    chkAutoSortEnabled = check(sort, "chkAutoSortEnabled", QStringLiteral("Enabled"));
    static const char *const sortNames[] = {"optSort0", "optSort1", "optSort2", "optSort3"};
    const QString sortCaptions[] = {QStringLiteral("Standard - Ascending"), QStringLiteral("Standard - Descending"),
                                    QStringLiteral("\"Smart-Sort\" - Ascending"),
                                    QStringLiteral("\"Smart-Sort\" - Descending")};
    m_sortGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        optSort[i] = option(sort, sortNames[i], sortCaptions[i]);
        m_sortGroup->addButton(optSort[i], i);
    }

    QGroupBox *meta = frame(page, "fraMeta", QStringLiteral("META Commands"));
    chkMetaEnable = check(meta, "chkMetaEnable", QStringLiteral("Enable \"META Commands\""));
    chkMetaImmediate = check(meta, "chkMetaImmediate", QStringLiteral("Enable Live META Update"));
    label(meta, "lblMetaNote", QStringLiteral(" (Tessaline Interface will change as commands are typed)"));

    QGroupBox *advanced = frame(page, "fraAdvanced", QStringLiteral("Advanced"));
    chkAutoMinimize =
        check(advanced, "chkAutoMinimize", QStringLiteral("Minimize Tessaline after creating Batch Script."));
    Check1 = check(advanced, "Check1", QStringLiteral("Launch Batch Script in Text Editor when Created."));

    placePage(page, {
                        {"fraPreview", 120, 480, 6255, 615},
                        {"chkShowPreview", 240, 270, 5895, 255},
                        {"fraAutoSort", 120, 1170, 6255, 1185},
                        {"chkAutoSortEnabled", 240, 270, 1575, 255, 2895},
                        {"optSort0", 240, 570, 2895, 255},
                        {"optSort1", 240, 855, 2895, 255},
                        {"optSort2", 3240, 570, 2895, 255},
                        {"optSort3", 3240, 855, 2895, 255},
                        {"fraMeta", 120, 2430, 6255, 1230},
                        {"chkMetaEnable", 240, 270, 5895, 255},
                        {"chkMetaImmediate", 240, 570, 5895, 255},
                        {"lblMetaNote", 240, 855, 5895, 255},
                        {"fraAdvanced", 120, 3735, 6255, 915},
                        {"chkAutoMinimize", 240, 270, 5895, 255},
                        {"Check1", 240, 570, 5895, 255},
                    });
    return page;
}

QWidget *frmOptions::buildLogPage()
{
    auto *page = named(new QWidget, "tabLog");
    chkEnableLogging = check(page, "chkEnableLogging", QStringLiteral("Enable Logging"));
    label(page, "lblLogFile",
          QStringLiteral("Logging will create a file in the DATA directory called \"tessaline.log\"."), true);
    label(page, "lblLogWarning",
          QStringLiteral("WARNING: Don't turn this feature on unless you would like to record all your application "
                         "settings and data each time a script is created!"),
          true);
    placePage(page, {
                        {"chkEnableLogging", 360, 600, 3000, 255},
                        {"lblLogFile", 360, 1020, 5895, 435},
                        {"lblLogWarning", 360, 1560, 5895, 675},
                    });
    return page;
}

QWidget *frmOptions::buildResetPage()
{
    auto *page = named(new QWidget, "tabReset");
    cmdResetRegistry = button(page, "cmdResetRegistry", QStringLiteral("Reset ALL Tessaline Registry Settings"));
    cmdResetQPPos = button(page, "cmdResetQPPos", QStringLiteral("Reset Both QuickPicks Positions ONLY"));
    cmdResetSCREditPos = button(page, "cmdResetSCREditPos", QStringLiteral("Reset Script Editor Box Position ONLY"));
    cmdResetAPPPos = button(page, "cmdResetAPPPos", QStringLiteral("Reset Tessaline App Size/Pos ONLY"));
    cmdResetDWGPreviewPos = button(page, "cmdResetDWGPreviewPos", QStringLiteral("Reset DWG Preview Size/Pos ONLY"));
    placePage(page, {
                        {"cmdResetRegistry", 960, 720, 4575, 495},
                        {"cmdResetQPPos", 960, 1560, 4575, 495},
                        {"cmdResetSCREditPos", 960, 2160, 4575, 495},
                        {"cmdResetAPPPos", 960, 2760, 4575, 495},
                        {"cmdResetDWGPreviewPos", 960, 3360, 4575, 495},
                    });
    return page;
}

QWidget *frmOptions::buildBackupPage()
{
    auto *page = named(new QWidget, "tabBackup");
    // Word joiners keep the folder name "/BACKUP/" on one line when the text wraps.
    label(page, "lblBackup",
          QStringLiteral("Pressing \"Backup\" copies your User Scripts into a folder called /\u2060BACKUP\u2060/ (one "
                         "folder per backup, named by its date and time)."),
          true);
    cmdBackup = button(page, "cmdBackup", QStringLiteral("Backup"));
    cmdExploreBackup = button(page, "cmdExploreBackup", QStringLiteral("View Backup(s)"));
    placePage(page, {
                        {"lblBackup", 480, 720, 5535, 675},
                        {"cmdBackup", 1920, 1560, 2655, 495},
                        {"cmdExploreBackup", 1920, 2220, 2655, 495},
                    });
    return page;
}

// The file-limit box stands over the blanks of its check box's caption.
void frmOptions::placeFileLimitBox()
{
    QStyleOptionButton opt;
    opt.initFrom(chkResourcesStarved);
    opt.rect = chkResourcesStarved->rect();
    opt.text = chkResourcesStarved->text();
    const QRect contents =
        chkResourcesStarved->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, chkResourcesStarved);
    const QFontMetrics fm = chkResourcesStarved->fontMetrics();
    const int blank = fm.horizontalAdvance(QLatin1Char(' '));
    const int left = chkResourcesStarved->x() + contents.left() +
                     fm.horizontalAdvance(QLatin1String(kFileLimitCaptionStart)) + blank;
    const int room = (kFileLimitBlanks - 2) * blank;
    const int needed = fm.horizontalAdvance(QStringLiteral("00000")) + 10;
    const int height = tbResourceFileLimit->height();
    const int top = chkResourcesStarved->y() + (chkResourcesStarved->height() - height) / 2;
    tbResourceFileLimit->setGeometry(left, top, std::max(room, needed), height);
}

} // namespace tess
