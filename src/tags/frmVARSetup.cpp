#include "tags/frmVARSetup.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/like.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "tags/datafilenames.h"
#include "tags/tagvaluebox.h"
#include "tags/usertagtemplates.h"
#include "widgets/escapekey.h"
#include "widgets/placement.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <vector>

namespace tess {

namespace {

constexpr int kFormWidth = 9390;
constexpr int kFormHeight = 6405;
constexpr int kTagsPerTab = 10;

// The window's controls in twips; children of a frame stand relative to the frame.
const QList<Placement> &formPlacements()
{
    static const QList<Placement> table = {
        {"Frame7", 120, 120, 2895, 5400},
        {"Frame5", 120, 240, 2655, 1500},
        {"lblStartAt", 120, 315, 735, 255},
        {"tbCounterStart", 900, 285, 1575, 285},
        {"lblStep", 120, 675, 735, 255},
        {"tbCounterStep", 900, 645, 1575, 285},
        {"chkPadCounter", 120, 1065, 855, 255, 900},
        {"tbPadCounter", 1020, 1035, 375, 285},
        {"vsPadCounter", 1395, 1005, 240, 345},
        {"lblDigits", 1710, 1065, 735, 255},
        {"Frame4", 120, 1860, 2655, 1260},
        {"lblSheetLast", 120, 315, 495, 255},
        {"tbSheetChars", 660, 285, 495, 285},
        {"lblSheetCharacters", 1230, 315, 1305, 255},
        {"lblSheetInFilename", 120, 615, 2415, 255},
        {"chkTrimZeros", 120, 915, 2415, 255},
        {"Frame8", 120, 3240, 2655, 960},
        {"lblFirst", 120, 315, 495, 255},
        {"tbFirstFileChars", 660, 285, 495, 285},
        {"lblFirstCharacters", 1230, 315, 1305, 255},
        {"lblFirstInFilename", 120, 615, 2415, 255},
        {"Frame2", 120, 4320, 2655, 960},
        {"lblLast", 120, 315, 495, 255},
        {"tbLastFileChars", 660, 285, 495, 285},
        {"lblLastCharacters", 1230, 315, 1305, 255},
        {"lblLastInFilename", 120, 615, 2415, 255},
        {"Frame6", 3135, 120, 6135, 4815},
        {"SSTab1", 120, 240, 5895, 4455},
        {"Frame1", 3135, 5055, 6135, 735},
        {"cmbTAGSelector", 120, 285, 2655, 315},
        {"chkLock", 2895, 315, 1335, 255, 1380},
        {"cmdSaveTAG", 4335, 255, 795, 375},
        {"cmdDelTAG", 5235, 255, 795, 375},
        {"cmdOk", 8070, 5910, 1200, 375},
    };
    return table;
}

// One tab page of ten tags: the label with the tag's name and the tag's box per row; tops count
// from the top of the tab control. "Clear All" stands below the tenth row of the first page.
QList<Placement> tagPagePlacements(int page)
{
    static std::vector<QByteArray> names = [] {
        std::vector<QByteArray> n;
        for (int i = 1; i <= kUserTagCount; ++i) {
            n.push_back("lblTag" + QByteArray::number(i));
            n.push_back("tbTag" + QByteArray::number(i));
        }
        return n;
    }();
    QList<Placement> rows;
    for (int row = 0; row < kTagsPerTab; ++row) {
        const int index = page * kTagsPerTab + row;
        const int top = 480 + row * 360;
        rows.append({names[size_t(2 * index)].constData(), 120, top + 30, 1035, 255});
        rows.append({names[size_t(2 * index + 1)].constData(), 1200, top, 4560, 285});
    }
    if (page == 0)
        rows.append({"cmdClearAllTags", 4620, 4065, 1140, 315});
    return rows;
}

template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QLabel *label(QWidget *parent, const char *name, const QString &text) { return named(new QLabel(text, parent), name); }

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    QPushButton *b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

void setTextIfChanged(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

void setCheckedIfChanged(QCheckBox *box, bool on)
{
    if (box->isChecked() != on)
        box->setChecked(on);
}

} // namespace

frmVARSetup::frmVARSetup(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVARSetup"));
    // No cancel button: Esc does nothing.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral(" User Tags - Configuration"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kFormWidth), twipsToPixels(kFormHeight));

    buildLeftColumn();
    buildRightColumn();
    cmdOk = named(new QPushButton(QStringLiteral("&Ok"), this), "cmdOk");
    cmdOk->setDefault(true);

    const PlacementResult placed = placeControls(this, formPlacements());
    Q_ASSERT_X(placed.missing.isEmpty(), "frmVARSetup", "a placed control is missing");
    for (int page = 0; page < SSTab1->count(); ++page) {
        const PlacementResult rows = placeControls(SSTab1->widget(page), tagPagePlacements(page), kTabStripTwips);
        Q_ASSERT_X(rows.missing.isEmpty(), "frmVARSetup", "a tag row is missing");
    }

    connect(cmdOk, &QPushButton::clicked, this, &frmVARSetup::cmdOk_Click);
    connect(cmdClearAllTags, &QPushButton::clicked, this, &frmVARSetup::cmdClearAllTags_Click);
    connect(vsPadCounter, &QScrollBar::valueChanged, this, &frmVARSetup::vsPadCounter_Change);
    for (QLineEdit *box : {tbSheetChars, tbFirstFileChars, tbLastFileChars})
        box->installEventFilter(this);
    connect(cmbTAGSelector, &QComboBox::editTextChanged, this, &frmVARSetup::cmbTAGSelector_Change);
    connect(cmbTAGSelector, &QComboBox::activated, this, &frmVARSetup::cmbTAGSelector_Click);
    connect(chkLock, &QCheckBox::toggled, this, &frmVARSetup::chkLock_Click);
    connect(cmdSaveTAG, &QPushButton::clicked, this, &frmVARSetup::cmdSaveTAG_Click);
    connect(cmdDelTAG, &QPushButton::clicked, this, &frmVARSetup::cmdDelTAG_Click);

    Form_Load();
}

void frmVARSetup::buildLeftColumn()
{
    Frame7 = named(new QGroupBox(QStringLiteral("DYNAMIC Variables Settings"), this), "Frame7");

    Frame5 = named(new QGroupBox(QStringLiteral("$COUNTER$"), Frame7), "Frame5");
    label(Frame5, "lblStartAt", QStringLiteral("Start at"));
    tbCounterStart = named(new QLineEdit(Frame5), "tbCounterStart");
    label(Frame5, "lblStep", QStringLiteral("Step"));
    tbCounterStep = named(new QLineEdit(Frame5), "tbCounterStep");
    chkPadCounter = named(new QCheckBox(QStringLiteral("Pad to"), Frame5), "chkPadCounter");
    tbPadCounter = named(new QLineEdit(QStringLiteral("2"), Frame5), "tbPadCounter");
    tbPadCounter->setEnabled(false);
    tbPadCounter->setAlignment(Qt::AlignCenter);
    // The scroll bar counts downwards from its top, so it holds the negated digit count: its top
    // end then is 9 and its up arrow raises the count.
    vsPadCounter = named(new QScrollBar(Qt::Vertical, Frame5), "vsPadCounter");
    vsPadCounter->setRange(-kPadDigitsMax, -kPadDigitsMin);
    vsPadCounter->setSingleStep(1);
    vsPadCounter->setPageStep(1);
    vsPadCounter->setValue(-kPadDigitsMin);
    label(Frame5, "lblDigits", QStringLiteral("digits"));

    Frame4 = named(new QGroupBox(QStringLiteral("$SHEET$"), Frame7), "Frame4");
    label(Frame4, "lblSheetLast", QStringLiteral("Last"));
    tbSheetChars = named(new QLineEdit(Frame4), "tbSheetChars");
    label(Frame4, "lblSheetCharacters", QStringLiteral("characters"));
    label(Frame4, "lblSheetInFilename", QStringLiteral("in filename"));
    chkTrimZeros = named(new QCheckBox(QStringLiteral("Trim Leading Zeros"), Frame4), "chkTrimZeros");

    Frame8 = named(new QGroupBox(QStringLiteral("$FIRSTFILECHARS$"), Frame7), "Frame8");
    label(Frame8, "lblFirst", QStringLiteral("First"));
    tbFirstFileChars = named(new QLineEdit(Frame8), "tbFirstFileChars");
    label(Frame8, "lblFirstCharacters", QStringLiteral("characters"));
    label(Frame8, "lblFirstInFilename", QStringLiteral("in filename"));

    Frame2 = named(new QGroupBox(QStringLiteral("$LASTFILECHARS$"), Frame7), "Frame2");
    label(Frame2, "lblLast", QStringLiteral("Last"));
    tbLastFileChars = named(new QLineEdit(Frame2), "tbLastFileChars");
    label(Frame2, "lblLastCharacters", QStringLiteral("characters"));
    label(Frame2, "lblLastInFilename", QStringLiteral("in filename"));
}

void frmVARSetup::buildRightColumn()
{
    Frame6 = named(new QGroupBox(QStringLiteral("STATIC Tags"), this), "Frame6");
    SSTab1 = named(new QTabWidget(Frame6), "SSTab1");
    for (int page = 0; page < kUserTagCount / kTagsPerTab; ++page) {
        auto *tab = new QWidget;
        tab->setObjectName(QStringLiteral("tabTags%1").arg(page + 1));
        for (int row = 0; row < kTagsPerTab; ++row) {
            const int n = page * kTagsPerTab + row + 1;
            auto *l = new QLabel(QStringLiteral("$TAG%1$").arg(n), tab);
            l->setObjectName(QStringLiteral("lblTag%1").arg(n));
            tbTag[size_t(n - 1)] = makeTagValueBox(QStringLiteral("tbTag%1").arg(n), tab);
        }
        if (page == 0)
            cmdClearAllTags = button(tab, "cmdClearAllTags", QStringLiteral("Clear All"));
        SSTab1->addTab(tab, QStringLiteral("%1-%2").arg(page * kTagsPerTab + 1).arg((page + 1) * kTagsPerTab));
    }

    Frame1 = named(new QGroupBox(QStringLiteral("Template"), this), "Frame1");
    cmbTAGSelector = named(new QComboBox(Frame1), "cmbTAGSelector");
    cmbTAGSelector->setEditable(true);
    cmbTAGSelector->setInsertPolicy(QComboBox::NoInsert);
    // No completion: a typed name stays as typed (completing it would save under another name).
    cmbTAGSelector->setCompleter(nullptr);
    chkLock = named(new QCheckBox(QStringLiteral("Read Only"), Frame1), "chkLock");
    cmdSaveTAG = button(Frame1, "cmdSaveTAG", QStringLiteral("&Save"));
    cmdDelTAG = button(Frame1, "cmdDelTAG", QStringLiteral("&Delete"));
}

// ============================================================================================
// Values
// ============================================================================================

int frmVARSetup::padDigits() const { return -vsPadCounter->value(); }

void frmVARSetup::setPadDigits(int digits) { vsPadCounter->setValue(-qBound(kPadDigitsMin, digits, kPadDigitsMax)); }

UserTagForm frmVARSetup::formValues() const
{
    UserTagForm f;
    f.counterStart = tbCounterStart->text();
    f.counterStep = tbCounterStep->text();
    f.firstFileChars = tbFirstFileChars->text();
    f.lastFileChars = tbLastFileChars->text();
    f.sheetChars = tbSheetChars->text();
    f.trimZeros = chkTrimZeros->isChecked();
    f.padCounter = chkPadCounter->isChecked();
    f.padDigits = padDigits();
    for (int i = 0; i < kUserTagCount; ++i)
        f.tags[size_t(i)] = tbTag[size_t(i)]->text();
    return f;
}

void frmVARSetup::showForm(const UserTagForm &f)
{
    setTextIfChanged(tbCounterStart, f.counterStart);
    setTextIfChanged(tbCounterStep, f.counterStep);
    setTextIfChanged(tbFirstFileChars, f.firstFileChars);
    setTextIfChanged(tbLastFileChars, f.lastFileChars);
    setTextIfChanged(tbSheetChars, f.sheetChars);
    setCheckedIfChanged(chkTrimZeros, f.trimZeros);
    setCheckedIfChanged(chkPadCounter, f.padCounter);
    setPadDigits(f.padDigits);
    for (int i = 0; i < kUserTagCount; ++i)
        setTextIfChanged(tbTag[size_t(i)], f.tags[size_t(i)]);
}

// ============================================================================================
// Load, Ok, Clear All, validation, spinner
// ============================================================================================

void frmVARSetup::Form_Load()
{
    normalizeUserTagMembers(mainSettings());
    showForm(UserTagForm::fromSettings(mainSettings(), padDigits()));
    SSTab1->setCurrentIndex(0);
    RefreshTAGList();
    m_unloaded = false;
}

void frmVARSetup::ensureLoaded()
{
    if (m_unloaded)
        Form_Load();
}

void frmVARSetup::cmdOk_Click()
{
    // Nothing is stored while a box holds a value the composer cannot use.
    const UserTagForm form = formValues();
    if (const std::optional<UserTagFormProblem> problem = checkUserTagForm(form)) {
        QLineEdit *box = nullptr;
        switch (problem->box) {
        case UserTagFormProblem::FirstFileChars: box = tbFirstFileChars; break;
        case UserTagFormProblem::LastFileChars: box = tbLastFileChars; break;
        case UserTagFormProblem::SheetChars: box = tbSheetChars; break;
        case UserTagFormProblem::CounterStart: box = tbCounterStart; break;
        case UserTagFormProblem::CounterStep: box = tbCounterStep; break;
        }
        msgBox(problem->message, vbOKOnly | vbExclamation, problem->title);
        if (box == tbFirstFileChars)
            box->setText(charCountResetValue(CharCountBox::First));
        else if (box == tbLastFileChars)
            box->setText(charCountResetValue(CharCountBox::Last));
        else if (box == tbSheetChars)
            box->setText(charCountResetValue(CharCountBox::Sheet));
        box->setFocus();
        box->selectAll();
        return;
    }
    const QStringList failed = writeUserTagSettings(form);
    applyUserTagForm(mainSettings(), form);
    if (!failed.isEmpty())
        msgBox(QStringLiteral("The user tag settings could not be stored:\r\n") + failed.join(QStringLiteral("\r\n")),
               vbOKOnly | vbExclamation, alertTitle());
    Q_EMIT settingsStored();
    hide();
}

void frmVARSetup::cmdClearAllTags_Click()
{
    if (msgBox(QStringLiteral("Are you sure you want to clear the displayed user tags?"),
               vbYesNo | vbExclamation | vbDefaultButton2, QStringLiteral("Clear?")) != vbYes)
        return;
    for (QLineEdit *box : tbTag)
        box->clear();
}

bool frmVARSetup::checkCharCountBox(QLineEdit *box, CharCountBox which)
{
    const QString message = charCountMessage(box->text(), which);
    if (message.isEmpty())
        return true;
    msgBox(message, vbOKOnly | vbExclamation, charCountTitle(which));
    box->setText(charCountResetValue(which));
    return false;
}

void frmVARSetup::tbSheetChars_LostFocus() { checkCharCountBox(tbSheetChars, CharCountBox::Sheet); }
void frmVARSetup::tbFirstFileChars_LostFocus() { checkCharCountBox(tbFirstFileChars, CharCountBox::First); }
void frmVARSetup::tbLastFileChars_LostFocus() { checkCharCountBox(tbLastFileChars, CharCountBox::Last); }

void frmVARSetup::vsPadCounter_Change() { tbPadCounter->setText(QString::number(padDigits())); }

bool frmVARSetup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // The focus going to another control of the program; not the window losing its turn to
        // another window (a message box among them).
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == tbSheetChars)
                tbSheetChars_LostFocus();
            else if (watched == tbFirstFileChars)
                tbFirstFileChars_LostFocus();
            else if (watched == tbLastFileChars)
                tbLastFileChars_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmVARSetup::closeEvent(QCloseEvent *event)
{
    // The close box discards the edits: the next opening loads the window again.
    m_unloaded = true;
    QDialog::closeEvent(event);
}

// ============================================================================================
// Templates
// ============================================================================================

void frmVARSetup::reportStatus(const QString &text)
{
    if (m_status)
        m_status(text);
}

void frmVARSetup::LoadTAG(const QString &fileName)
{
    ensureLoaded();
    const TemplateRead read = readTemplate(AppEnvironment::dataFolder(), fileName);
    if (read.status == TemplateRead::NotFound) {
        reportStatus(QStringLiteral(".TAG File Not Found"));
        return;
    }
    if (read.status == TemplateRead::Failed)
        return;
    MainSettings &s = mainSettings();
    for (int n = 0; n < read.lines.size(); ++n) {
        tbTag[size_t(n)]->setText(read.lines.at(n));
        s.TAG[size_t(n)] = tbTag[size_t(n)]->text();
    }
    // A short file replaced the tags it had lines for and is not reported as found.
    if (read.lines.size() == kUserTagCount)
        reportStatus(fileName + QStringLiteral(" Found"));
}

bool frmVARSetup::SaveTAG(const QString &fileName)
{
    const QString data = AppEnvironment::dataFolder();
    if (!QFileInfo(data).isDir()) {
        msgBox(QStringLiteral("/DATA/ directory does not exist in the Tessaline directory...\r\n Please create it, "
                              "and try saving again."),
               vbOKOnly, appTitle());
        return false;
    }
    std::array<QString, kUserTagCount> tags;
    for (int i = 0; i < kUserTagCount; ++i)
        tags[size_t(i)] = tbTag[size_t(i)]->text();
    const FileResult r = writeTemplate(data, fileName, tags);
    if (!r.ok()) {
        msgBox(unexpectedErrorText(r.error, fileErrorDescription(r.error), QStringLiteral("SaveTAG"),
                                   QStringLiteral("Form frmVARSetup")),
               vbOKOnly, appTitle());
        return false;
    }
    return true;
}

void frmVARSetup::RefreshTAGList()
{
    {
        // The list is filled as a whole; the name shown is evaluated once, at the end.
        const QSignalBlocker block(cmbTAGSelector);
        WaitCursor wait;
        cmbTAGSelector->clear();
        cmbTAGSelector->addItems(templateNames(AppEnvironment::dataFolder()));
        cmbTAGSelector->setCurrentIndex(-1);
        cmbTAGSelector->clearEditText();
    }
    cmbTAGSelector_Change();
}

void frmVARSetup::UpdateLockButtons()
{
    const bool locked = chkLock->isChecked();
    cmdSaveTAG->setEnabled(!locked);
    cmdDelTAG->setEnabled(!locked);
}

void frmVARSetup::cmbTAGSelector_Change()
{
    const QString name = cmbTAGSelector->currentText();
    if (name != m_picked)
        m_picked.clear();
    const bool readOnly = !name.isEmpty() && isAcceptableDataFileName(name) &&
                          templateFileState(AppEnvironment::dataFolder(), name) == TemplateFileState::ReadOnly;
    m_evaluating = true;
    setCheckedIfChanged(chkLock, readOnly);
    m_evaluating = false;
    UpdateLockButtons();
}

void frmVARSetup::cmbTAGSelector_Click(int index)
{
    if (index < 0)
        return;
    m_picked = cmbTAGSelector->itemText(index);
    LoadTAG(m_picked + templateExtension());
    cmbTAGSelector_Change();
}

void frmVARSetup::chkLock_Click()
{
    // Only a template picked from the list changes its file; a typed name changes none.
    if (!m_evaluating) {
        const QString entry = selectedTemplate();
        if (!entry.isEmpty()) {
            const FileResult r = setTemplateReadOnly(AppEnvironment::dataFolder(), entry, chkLock->isChecked());
            if (!r.ok()) {
                msgBox(
                    fileFailureMessage(QStringLiteral("The Read Only state of the template could not be changed"), r),
                    vbOKOnly | vbExclamation, alertTitle());
                cmbTAGSelector_Change(); // the box shows the file's state again
                return;
            }
        }
    }
    UpdateLockButtons();
}

void frmVARSetup::cmdSaveTAG_Click()
{
    const QString name = cmbTAGSelector->currentText();
    if (refuseTemplateName(name))
        return;
    // A name listed in another letter case names the same file, but the list takes it as typed
    // until the next refresh shows every name in upper case.
    const bool listed = cmbTAGSelector->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    if (!SaveTAG(name + templateExtension()))
        return;
    if (!listed) {
        int at = 0;
        while (at < cmbTAGSelector->count() && textCompare(cmbTAGSelector->itemText(at), name) <= 0)
            ++at;
        const QSignalBlocker block(cmbTAGSelector);
        cmbTAGSelector->insertItem(at, name);
        cmbTAGSelector->setEditText(name);
    }
    cmbTAGSelector_Change();
}

void frmVARSetup::cmdDelTAG_Click()
{
    // The template the selector names, listed or typed; a name that leads out of DATA names no
    // file there.
    const QString name = cmbTAGSelector->currentText();
    FileResult r;
    r.error = kFileNotFound;
    if (!name.isEmpty())
        r = deleteTemplate(AppEnvironment::dataFolder(), name);
    if (r.error == kFileNotFound) {
        showTemplateFileNotFound();
        return;
    }
    if (!r.ok()) {
        msgBox(fileFailureMessage(QStringLiteral("The template could not be deleted"), r), vbOKOnly | vbExclamation,
               alertTitle());
        return;
    }
    RefreshTAGList();
}

void frmVARSetup::applyTemplateCommand(const QString &name)
{
    ensureLoaded();
    cmbTAGSelector->setEditText(name);
    LoadTAG(name + templateExtension());
}

} // namespace tess
