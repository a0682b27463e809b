#include "utilities/frmCombineTextFiles.h"

#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "utilities/combinetext.h"
#include "widgets/controlfactory.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/escapekey.h"
#include "widgets/placement.h"
#include "widgets/repaintpacer.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtMath>
#include <algorithm>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table{
        {"Label1", 120, 120, 1095, 255},  {"Drive1", 120, 360, 2655, 315},      {"Dir1", 120, 720, 2655, 2115},
        {"Label2", 120, 3000, 2175, 255}, {"tbFileName", 120, 3240, 2655, 285}, {"cmdCombine", 3240, 3120, 1695, 495},
        {"Text1", 3120, 480, 4935, 2295},
    };
    return table;
}

QString informationText()
{
    return QStringLiteral("The purpose of this Tool is to facilitate the use of AutoCAD's \r\n"
                          "EATTEXT command (which normally outputs one CSV file \r\n"
                          "per DWG file during an attribute extraction)\r\n"
                          "\r\n"
                          "ALL CSV and TXT files in the file QUEUE, will be combined \r\n"
                          "into ONE CONTINUOUS file specified (on the left).\r\n"
                          "\r\n"
                          "Specify your OUTPUT filename, and press GO to combine.\r\n");
}

void showStepError(const QString &description, const QString &procedure, int step)
{
    msgBox(unexpectedErrorAtLineText(description, QStringLiteral("frmCombineTextFiles"), procedure, step), vbOKOnly,
           appTitle());
}

// The step of "&Go" that finds an output refused: forming the path (no name to form it with) or
// testing what the path names on disk.
int goStepOf(CombineOutputProblem problem) { return problem == CombineOutputProblem::EmptyName ? 100 : 102; }

} // namespace

frmCombineTextFiles::frmCombineTextFiles(const QStringList &queue, const QString &folder, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_queue(queue)
{
    setObjectName(QStringLiteral("frmCombineTextFiles"));
    setWindowTitle(QStringLiteral("Combine Text Files"));
    // No button cancels: Escape presses nothing.
    ignoreEscape(this);
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Select Path"), this);
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Output Filename:"), this);
    tbFileName = new QLineEdit(QStringLiteral("output.csv"), this);
    tbFileName->setObjectName(QStringLiteral("tbFileName"));
    cmdCombine = makeButton(QStringLiteral("cmdCombine"), QStringLiteral("&Go"), this);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setPlainText(informationText());
    placeControls(this, placements());
    // The information text shows whole at the program's font, each line on a line of its own:
    // where the font needs more room than the table size, the box and the window grow wider.
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics metrics(Text1->font());
    int longest = 0;
    for (const QString &line : informationText().split(QStringLiteral("\r\n")))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    const int chrome = 2 * (Text1->frameWidth() + qCeil(Text1->document()->documentMargin())) +
                       Text1->contentsMargins().left() + Text1->contentsMargins().right() + Text1->cursorWidth() + 2;
    const int grow = std::max(0, longest + chrome - Text1->width());
    Text1->resize(Text1->width() + grow, Text1->height());
    setFixedSize(twipsToPixels(8190) + grow, twipsToPixels(3960));

    // Choosing a drive moves the folder list to it; the folder list's folder receives the output.
    m_link = new DriveFolderLink(Drive1, Dir1, this);
    connect(Drive1, &DriveListBox::driveChanged, m_link, &DriveFolderLink::driveChanged);
    connect(Dir1, &DirListBox::pathChanged, m_link, &DriveFolderLink::folderChanged);
    connect(cmdCombine, &QPushButton::clicked, this, &frmCombineTextFiles::cmdCombine_Click);

    // Form_Load: the main window's drive, then its folder.
    Dir1->setPath(folder);
    m_link->showDriveOf(folder);
}

void frmCombineTextFiles::cmdCombine_Click()
{
    const QString folder = Dir1->path();
    const QString name = tbFileName->text();
    const CombineOutputProblem problem = checkCombineOutput(folder, name, m_queue);
    const QString path = combineOutputPath(folder, name);
    if (problem != CombineOutputProblem::None) {
        showStepError(combineOutputProblemText(problem, path), QStringLiteral("cmdCombine_Click"), goStepOf(problem));
        return;
    }
    if (ShlFileExists(path) && msgBox(QStringLiteral("Output file already exists!  Overwrite it?"),
                                      vbYesNo | vbExclamation, overwriteTitle()) != vbYes)
        return;
    WriteOutputFile(path);
}

bool frmCombineTextFiles::WriteOutputFile(const QString &path)
{
    std::optional<CombineError> error;
    {
        // The window takes no input meanwhile but repaints now and then.
        WaitCursor wait;
        setEnabled(false);
        RepaintPacer pacer;
        error = combineTextFiles(m_queue, path, [&pacer] { pacer.tick(); });
        setEnabled(true);
    }
    if (error) {
        showStepError(error->description, QStringLiteral("WriteOutputFile"), error->step);
        return false;
    }
    if (msgBox(QStringLiteral("File Created...\r\n\r\nWould you like to open the file now in it's associated program?"),
               vbYesNo | vbExclamation, QStringLiteral("Open File?")) == vbYes)
        OpenWithAssociatedProgram(path, withTrailingSeparator(Drive1->drive()));
    return true;
}

} // namespace tess
