#include "scripts/userscriptpane.h"

#include "core/appenvironment.h"
#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "core/fileselector.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "scripts/scriptfilelist.h"
#include "scripts/scriptlibrary.h"
#include "widgets/boxtext.h"
#include "widgets/commandbox.h"
#include "widgets/placement.h"
#include "widgets/twips.h"
#include "widgets/wrapcheckbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace tess {

namespace {

// The title of the delete script boxes.
QString confirmDeleteTitle() { return QStringLiteral("Confirm Delete"); }

// The busy pointer for the length of a handler.
struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

QPushButton *makeButton(const QString &name, const QString &caption, const QString &tip, int w, int h)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setMinimumSize(twipsToPixels(w), twipsToPixels(h));
    return b;
}

} // namespace

UserScriptPane::UserScriptPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("UserScriptPane"));
    buildControls();
}

void UserScriptPane::buildControls()
{
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setToolTip(QStringLiteral("Enter AutoCAD Script (do not include OPEN and QSAVE commands)"));
    Text1->setFont(commandBoxFont(9));
    setCommandBoxMargin(Text1);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setMinimumSize(twipsToPixels(3000), twipsToPixels(1500));

    cmdClearSCREditor = makeButton(QStringLiteral("cmdClearSCREditor"), QStringLiteral("C&lear"),
                                   QStringLiteral("Clear the current script"), 855, 300);
    Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("&Undo"), QStringLiteral("Undo your last Edit"),
                          855, 300);
    cmdSCREditOpen = makeButton(QStringLiteral("cmdSCREditOpen"), QStringLiteral("&Editor"),
                                QStringLiteral("Script Editor"), 885, 300);
    // The table's widths, not the style's wider default.
    setDesignWidth(cmdClearSCREditor, 855);
    setDesignWidth(Command2, 855);
    setDesignWidth(cmdSCREditOpen, 885);
    chkAppend = new QCheckBox(QStringLiteral("Append"));
    chkAppend->setObjectName(QStringLiteral("chkAppend"));

    frameUserScriptList = new QGroupBox(QStringLiteral("User-Script List"), this);
    frameUserScriptList->setObjectName(QStringLiteral("frameUserScriptList"));
    frameUserScriptList->setToolTip(refreshFileListTip());
    frameUserScriptList->setFixedWidth(twipsToPixels(4755));
    frameUserScriptList->installEventFilter(this);

    cmdFilterUserScriptShow =
        makeButton(QStringLiteral("cmdFilterUserScriptShow"), QStringLiteral("Filter"), QString(), 795, 275);
    scrFilter = new QLineEdit;
    scrFilter->setObjectName(QStringLiteral("scrFilter"));
    scrFilter->setToolTip(QStringLiteral("Filter your user scripts (? and * are acceptable)"));
    scrFilter->installEventFilter(this);
    // Two lines high, beside the filter.
    chkProjDir = new WrapCheckBox(QStringLiteral("Display Scripts found in Drawing Directory"), twipsToPixels(2175));
    chkProjDir->setObjectName(QStringLiteral("chkProjDir"));
    chkProjDir->setToolTip(
        QStringLiteral("User Script directory changes to currently displayed directory in Drawing File Selector"));
    File2 = new ScriptFileList;
    File2->setObjectName(QStringLiteral("File2"));
    Label14 = new QLabel(QStringLiteral("User Script Name:"));
    Label14->setObjectName(QStringLiteral("Label14"));
    Label14->installEventFilter(this);
    Text2 = new QLineEdit;
    Text2->setObjectName(QStringLiteral("Text2"));
    cmdSAVESCR = makeButton(QStringLiteral("cmdSAVESCR"), QStringLiteral("&Save"),
                            QStringLiteral("Save the currently displayed script"), 855, 315);
    cmdDeleteSCR = makeButton(QStringLiteral("cmdDeleteSCR"), QStringLiteral("&Delete"),
                              QStringLiteral("Delete the currently selected script"), 855, 315);
    cmdDeleteSCR->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    chkReadOnly = new QCheckBox(QStringLiteral("Read-Only"));
    chkReadOnly->setObjectName(QStringLiteral("chkReadOnly"));
    cmdBrowse = makeButton(QStringLiteral("cmdBrowse"), QStringLiteral("&Browse"),
                           QStringLiteral("Browse your drives for scripts"), 855, 315);

    // Left: the script and its buttons; right: the script list frame.
    auto *left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(twipsToPixels(90));
    left->addWidget(Text1, 1);
    auto *leftButtons = new QHBoxLayout;
    leftButtons->setSpacing(twipsToPixels(90));
    leftButtons->addWidget(cmdClearSCREditor);
    leftButtons->addWidget(Command2);
    leftButtons->addWidget(cmdSCREditOpen);
    leftButtons->addStretch(1);
    leftButtons->addWidget(chkAppend);
    left->addLayout(leftButtons);

    // Inside the frame, counted from its top edge (the title counts): the filter row at 240, the
    // two-line check box beside it from 120, the list from 540; the name row 750 and the buttons
    // 400 twips above the frame's bottom, the buttons 315 twips high.
    const QMargins inFrame = frameUserScriptList->contentsMargins();
    auto *frame = new QVBoxLayout(frameUserScriptList);
    frame->setContentsMargins(std::max(0, twipsToPixels(120) - inFrame.left()), 0, twipsToPixels(105),
                              std::max(0, twipsToPixels(85) - inFrame.bottom()));
    frame->setSpacing(0);
    keepLayoutTop(frameUserScriptList, 240);
    auto *filterRow = new QHBoxLayout;
    filterRow->setSpacing(twipsToPixels(105));
    cmdFilterUserScriptShow->setFixedHeight(twipsToPixels(275));
    setDesignWidth(cmdFilterUserScriptShow, 795);
    scrFilter->setFixedWidth(twipsToPixels(1395));
    filterRow->addWidget(cmdFilterUserScriptShow);
    filterRow->addWidget(scrFilter);
    filterRow->addStretch(1);
    frame->addLayout(filterRow);
    chkProjDir->setParent(frameUserScriptList);
    // It stands on the frame's top border: opaque, so the border does not run through its caption,
    // and as high as its caption's lines need.
    chkProjDir->setAutoFillBackground(true);
    const int projDirLines =
        pixelsToTwips(static_cast<WrapCheckBox *>(chkProjDir)->sizeForWidth(twipsToPixels(2175)).height());
    placeControls(frameUserScriptList, {{"chkProjDir", 2520, 120, 2175, std::max(375, projDirLines)}});
    // The list starts 540 twips down, or below the check box where its caption needs more lines.
    const QSize projDir = static_cast<WrapCheckBox *>(chkProjDir)->sizeForWidth(chkProjDir->width());
    chkProjDir->resize(chkProjDir->width(), std::max(chkProjDir->height(), projDir.height()));
    const int listTop = std::max(twipsToPixels(540), chkProjDir->geometry().bottom() + 1 + twipsToPixels(45));
    frame->addSpacing(std::max(0, listTop - twipsToPixels(240) - scrFilter->sizeHint().height()));
    frame->addWidget(File2, 1);
    frame->addSpacing(twipsToPixels(60));
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(Label14);
    nameRow->addWidget(Text2, 1);
    frame->addLayout(nameRow);
    frame->addSpacing(twipsToPixels(30));
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(twipsToPixels(75));
    for (QPushButton *b : {cmdSAVESCR, cmdDeleteSCR, cmdBrowse})
        b->setFixedHeight(twipsToPixels(315));
    buttonRow->addWidget(cmdSAVESCR);
    buttonRow->addWidget(cmdDeleteSCR);
    buttonRow->addWidget(chkReadOnly);
    buttonRow->addStretch(1);
    buttonRow->addWidget(cmdBrowse);
    frame->addLayout(buttonRow);

    auto *top = new QHBoxLayout(this);
    top->setContentsMargins(twipsToPixels(120), twipsToPixels(120), twipsToPixels(120), twipsToPixels(90));
    top->setSpacing(twipsToPixels(120));
    top->addLayout(left, 1);
    top->addWidget(frameUserScriptList);

    connect(Text1, &QPlainTextEdit::textChanged, this, &UserScriptPane::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &UserScriptPane::Text2_Change);
    connect(File2, &ScriptFileList::entryClicked, this, &UserScriptPane::File2_Click);
    connect(File2, &ScriptFileList::entryDoubleClicked, this, &UserScriptPane::File2_DblClick);
    connect(cmdSAVESCR, &QPushButton::clicked, this, &UserScriptPane::cmdSAVESCR_Click);
    connect(cmdDeleteSCR, &QPushButton::clicked, this, &UserScriptPane::cmdDeleteSCR_Click);
    connect(cmdClearSCREditor, &QPushButton::clicked, this, &UserScriptPane::cmdClearSCREditor_Click);
    connect(chkReadOnly, &QCheckBox::toggled, this, &UserScriptPane::chkReadOnly_Click);
    connect(chkProjDir, &QCheckBox::toggled, this, &UserScriptPane::chkProjDir_Click);
    connect(scrFilter, &QLineEdit::textChanged, this, &UserScriptPane::scrFilter_Change);
    connect(Command2, &QPushButton::clicked, this, &UserScriptPane::Command2_Click);
    connect(cmdSCREditOpen, &QPushButton::clicked, this, &UserScriptPane::editorRequested);
    connect(cmdBrowse, &QPushButton::clicked, this, &UserScriptPane::browseRequested);
    connect(cmdFilterUserScriptShow, &QPushButton::clicked, this, &UserScriptPane::cmdFilterUserScriptShow_Click);
    cmdSCREditOpen->setEnabled(false);
    cmdBrowse->setEnabled(false);
    cmdFilterUserScriptShow->setEnabled(false);
}

void UserScriptPane::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&UserScriptPane::editorRequested))
        cmdSCREditOpen->setEnabled(true);
    else if (signal == QMetaMethod::fromSignal(&UserScriptPane::browseRequested))
        cmdBrowse->setEnabled(true);
    else if (signal == QMetaMethod::fromSignal(&UserScriptPane::scriptFilterRequested))
        cmdFilterUserScriptShow->setEnabled(true);
    QWidget::connectNotify(signal);
}

bool UserScriptPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scrFilter && event->type() == QEvent::MouseButtonDblClick) {
        scrFilter_DblClick();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == frameUserScriptList)
            frameUserScriptList_Click();
        else if (watched == Label14)
            Label14_Click();
    }
    return QWidget::eventFilter(watched, event);
}

QString UserScriptPane::scriptText() const { return plainBoxText(Text1); }

void UserScriptPane::setScriptText(const QString &text) { replaceBoxText(Text1, text); }

QString UserScriptPane::scriptName() const { return Text2->text(); }

void UserScriptPane::setScriptName(const QString &name)
{
    if (Text2->text() != name)
        Text2->setText(name);
}

QString UserScriptPane::scriptListFolder() const { return File2->path(); }

bool UserScriptPane::setScriptListFolder(const QString &folder)
{
    if (!File2->setPath(folder))
        return false;
    Text2_Change(); // the name rule looks at the listed folder
    return true;
}

QString UserScriptPane::scriptsHomeFolder()
{
    const MainSettings &s = mainSettings();
    if (s.SCRIPTSPathOption && !s.SCRIPTSDir.isEmpty())
        return s.SCRIPTSDir;
    return AppEnvironment::subFolder(QStringLiteral("SCRIPTS"));
}

void UserScriptPane::setSources(DrawingQueue *queue, FileSelection *files)
{
    m_queue = queue;
    m_files = files;
}

void UserScriptPane::drawingFolderChanged(const QString &folder)
{
    if (chkProjDir->isChecked() && !setScriptListFolder(folder))
        reportMissingFolder(folder);
}

// ---- The change rule and the name rule ----

void UserScriptPane::applyCreateRule()
{
    Q_EMIT createButtonsEnabledRequested(!scriptText().isEmpty() && m_queue && m_queue->count() > 0);
}

void UserScriptPane::Text1_Change()
{
    mainSettings().SCRChanged = true;
    applyCreateRule();
    if (mainSettings().METAEnabled == 1 && mainSettings().METAImmediate == 1)
        Q_EMIT metaScanRequested(false);
}

QString UserScriptPane::nameRulePath() const
{
    const QString name = Text2->text();
    if (checkScriptName(name) != ScriptNameProblem::None || File2->path().isEmpty())
        return QString();
    return scriptPathInFolder(File2->path(), scriptFileName(name));
}

void UserScriptPane::Text2_Change()
{
    const QString p = nameRulePath();
    const bool exists = !p.isEmpty() && QFileInfo(p).isFile();
    setReadOnlyBox(exists && isReadOnlyFile(p));
    applySaveDeleteState();
}

void UserScriptPane::setReadOnlyBox(bool on)
{
    if (chkReadOnly->isChecked() != on)
        chkReadOnly->setChecked(on); // runs chkReadOnly_Click
}

void UserScriptPane::applySaveDeleteState()
{
    cmdSAVESCR->setEnabled(!chkReadOnly->isChecked());
    cmdDeleteSCR->setEnabled(!chkReadOnly->isChecked());
}

void UserScriptPane::chkReadOnly_Click()
{
    if (m_inReadOnlyReset)
        return;
    const QString p = nameRulePath();
    if (!p.isEmpty() && QFileInfo(p).isFile() && isReadOnlyFile(p) != chkReadOnly->isChecked()) {
        const ScriptFileResult r = setReadOnlyFile(p, chkReadOnly->isChecked());
        if (!r.ok()) {
            m_inReadOnlyReset = true;
            chkReadOnly->setChecked(isReadOnlyFile(p));
            m_inReadOnlyReset = false;
            msgBox(fileFailureMessage(QStringLiteral("The read-only state could not be changed"), r), vbOKOnly,
                   alertTitle());
        }
    }
    applySaveDeleteState();
    Q_EMIT controlStatesChanged();
}

// ---- Loading ----

void UserScriptPane::reportMissingFolder(const QString &folder)
{
    showWorkingPathUnavailable(folder);
    keepDrawingFolder();
    Q_EMIT scriptFolderMissing(folder);
}

void UserScriptPane::keepDrawingFolder()
{
    // The drawing folder stays where it is; when it is gone too, its nearest existing parent.
    if (!m_files)
        return;
    const QString folder = m_files->folder();
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parent = nearestExistingFolder(folder);
        if (!parent.isEmpty())
            m_files->setFolder(parent);
    }
}

void UserScriptPane::File2_Click()
{
    const QString name = File2->fileName();
    if (name.isEmpty())
        return;
    const ScriptFileResult r = readScriptFile(withTrailingSeparator(File2->path()) + name);
    if (!r.ok()) {
        if (r.error == 76) {
            reportMissingFolder(File2->path());
            File2->refresh();
        } else if (r.error == 53) {
            File2->refresh(); // the file went away: the list shows what is there now
        } else {
            showScriptReadFailure(r);
        }
        return;
    }
    if (mainSettings().SCRChanged && !chkAppend->isChecked()) {
        const QString shownName = Text2->text().isEmpty() ? QStringLiteral("UNNAMED") : Text2->text();
        const int answer =
            msgBox(QStringLiteral("Are you sure you want to discard changes in \"") + shownName +
                       QStringLiteral("\" user-script?\r\n\r\nPressing YES will DISCARD your changes...\r\nPressing NO "
                                      "will allow you to Save/Rename your script..."),
                   vbYesNo + vbExclamation + vbDefaultButton2, QStringLiteral(" Discard Changes?"));
        if (answer != vbYes) {
            // The name is offered for a new name: selected from where its caret stood to its end.
            Text2->setFocus();
            Text2->setSelection(Text2->cursorPosition(), int(Text2->text().size()));
            return;
        }
    }
    const bool appending = chkAppend->isChecked();
    subUpdate_MiniScript(r.text);
    if (!appending)
        setScriptName(scriptNameOfFile(name));
    mainSettings().SCRChanged = false;
    applyCreateRule();
    if (appending) {
        mainSettings().SCRChanged = true;
        chkAppend->setChecked(false);
    }
    if (mainSettings().METAEnabled == 1)
        Q_EMIT metaScanRequested(true);
}

void UserScriptPane::subUpdate_MiniScript(const QString &content)
{
    if (chkAppend->isChecked() && !scriptText().isEmpty()) {
        QTextCursor c(Text1->document());
        c.movePosition(QTextCursor::End);
        c.insertText(QStringLiteral("\n") + content);
        Text1->setTextCursor(c); // the caret at the end of the new text
    } else {
        setScriptText(content);
    }
}

void UserScriptPane::subUpdate_SimpleScript(const QString &content) { setScriptText(content); }

void UserScriptPane::loadSimpleScript(const QString &content)
{
    subUpdate_SimpleScript(content);
    applyCreateRule();
    if (chkAppend->isChecked())
        mainSettings().SCRChanged = true;
    if (mainSettings().METAEnabled == 1)
        Q_EMIT metaScanRequested(true);
}

// ---- Save, Delete, Clear ----

void UserScriptPane::cmdSAVESCR_Click()
{
    const QString name = Text2->text();
    const QString text = scriptText();
    if (name.isEmpty()) {
        msgBox(QStringLiteral("Please type a name for your script in the box \"User Script Name:\"."), vbOKOnly,
               alertTitle());
        Text2->setFocus();
        return;
    }
    const ScriptNameProblem problem = checkScriptName(name);
    if (problem != ScriptNameProblem::None) {
        msgBox(scriptNameMessage(problem, name), vbOKOnly, alertTitle());
        Text2->setFocus();
        return;
    }
    if (text.isEmpty()) {
        msgBox(QStringLiteral("The user script is empty: nothing was saved."), vbOKOnly, alertTitle());
        return;
    }
    if (File2->path().isEmpty()) {
        // Without a listed folder the name alone would land in the current folder.
        msgBox(QStringLiteral("The User-Script List shows no folder: the script was not saved."), vbOKOnly,
               alertTitle());
        return;
    }
    QString copyFailure;
    {
        const BusyPointer busy;
        const QString path = scriptPathInFolder(File2->path(), scriptFileName(name));
        const ScriptFileResult saved = writeScriptFile(path, trimBlanks(text));
        if (!saved.ok()) {
            msgBox(fileFailureMessage(QStringLiteral("The script could not be saved"), saved), vbOKOnly, alertTitle());
            return;
        }
        const QString copyPath = batchScriptCopyPath(mainSettings().SCROutputPath, AppEnvironment::loginName());
        if (!copyPath.isEmpty()) {
            const ScriptFileResult copied = writeScriptFile(copyPath, text);
            if (!copied.ok())
                copyFailure = fileFailureMessage(
                    QStringLiteral("The script was saved, but its copy beside the batch script could not be written"),
                    copied);
        }
        File2->refresh();
        mainSettings().SCRChanged = false;
        Text2_Change();
    }
    if (!copyFailure.isEmpty())
        msgBox(copyFailure, vbOKOnly + vbExclamation, alertTitle());
}

void UserScriptPane::cmdDeleteSCR_Click()
{
    const QString name = File2->fileName();
    if (name.isEmpty())
        return;
    const QString path = withTrailingSeparator(File2->path()) + name;
    if (isReadOnlyFile(path)) {
        msgBox(QStringLiteral("The script \"") + name + QStringLiteral("\" is read-only and cannot be deleted."),
               vbOKOnly + vbExclamation, confirmDeleteTitle());
        return;
    }
    if (msgBox(QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral("?"), vbYesNo + vbExclamation,
               confirmDeleteTitle()) != vbYes)
        return;
    const ScriptFileResult r = deleteScriptFile(path);
    if (!r.ok()) {
        msgBox(fileFailureMessage(QStringLiteral("The script could not be deleted"), r), vbOKOnly, alertTitle());
        return;
    }
    setScriptText(QString());
    setScriptName(QString());
    File2->refresh();
    mainSettings().SCRChanged = false;
}

void UserScriptPane::cmdClearSCREditor_Click()
{
    setScriptText(QString()); // one undoable edit: Ctrl+Z or "&Undo" brings the script back
    setScriptName(QString());
    mainSettings().SCRChanged = false;
    Q_EMIT createButtonsEnabledRequested(false);
}

void UserScriptPane::Command2_Click() { Text1->undo(); }

// ---- List folder, filters and openers ----

void UserScriptPane::chkProjDir_Click()
{
    QString folder;
    if (chkProjDir->isChecked())
        folder = m_files ? m_files->folder() : QString();
    else
        folder = mainSettings().SCRIPTSDir.isEmpty() ? AppEnvironment::subFolder(QStringLiteral("SCRIPTS"))
                                                     : mainSettings().SCRIPTSDir;
    if (!setScriptListFolder(folder))
        reportMissingFolder(folder);
}

void UserScriptPane::scrFilter_Change()
{
    const QString text = scrFilter->text();
    if (File2->setPattern(scriptListPattern(text))) {
        mainSettings().SCRPattern = text;
    } else {
        File2->setPattern(QStringLiteral("*.scr"));
    }
}

void UserScriptPane::scrFilter_DblClick() { scrFilter->clear(); }

void UserScriptPane::frameUserScriptList_Click() { File2->refresh(); }

void UserScriptPane::Label14_Click()
{
    const QString folder = mainSettings().SCRIPTSDir.isEmpty() ? scriptsHomeFolder() : mainSettings().SCRIPTSDir;
    RunCommandLine(QStringLiteral("explorer.exe /n,/e, ") + folder, 1);
}

} // namespace tess

namespace tess {

bool UserScriptPane::readOnlyTicked() const { return chkReadOnly->isChecked(); }

void UserScriptPane::setFilterText(const QString &text)
{
    scrFilter->setText(text);
    scrFilter_Change();
}

QString UserScriptPane::filterText() const { return scrFilter->text(); }

} // namespace tess
