#include "tags/frmProjectTagManager.h"

#include "batch/projecttags.h"
#include "core/appenvironment.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "tags/datafilenames.h"
#include "tags/frmProjectTagManagerFS.h"
#include "tags/projectfiles.h"
#include "tags/tagvaluebox.h"
#include "widgets/escapekey.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <vector>

namespace tess {

namespace {

constexpr int kFormWidth = 9870;
constexpr int kFormHeight = 6450;
constexpr int kValuesPerTab = 10;
const QString kOwner = QStringLiteral("Form frmProjectTagManager");

const QList<Placement> &formPlacements()
{
    static const QList<Placement> table = {
        {"Frame1", 120, 120, 3135, 6000},         {"SSTabProjMode", 120, 240, 2895, 3975},
        {"lblProjectName", 120, 4320, 2895, 255}, {"tbProjectName", 120, 4575, 2895, 285},
        {"cmdSave", 120, 5010, 1395, 375},        {"cmdDelete", 1620, 5010, 1395, 375},
        {"cmdProjMode", 120, 5505, 2895, 375},    {"Frame2", 3375, 120, 6375, 1095},
        {"tbPath", 120, 300, 5055, 285},          {"cmdBrowse", 5280, 270, 975, 345},
        {"lblPathHint", 120, 690, 6135, 255},     {"SSTab1", 3375, 1335, 6375, 4515},
        {"cmdClose", 8550, 5955, 1200, 375},
    };
    return table;
}

// A page of ten values: the tag's name and its box per row; tops count from the top of the tab
// control. "Clear" stands below the tenth row of the first page.
QList<Placement> valuePagePlacements(int page)
{
    static std::vector<QByteArray> names = [] {
        std::vector<QByteArray> n;
        for (int i = 0; i < kProjectValueCount; ++i) {
            n.push_back("lblPD1_" + QByteArray::number(i));
            n.push_back("tbPD1_" + QByteArray::number(i));
        }
        return n;
    }();
    QList<Placement> rows;
    for (int row = 0; row < kValuesPerTab; ++row) {
        const int index = page * kValuesPerTab + row;
        const int top = 480 + row * 360;
        rows.append({names[size_t(2 * index)].constData(), 120, top + 30, 1575, 255});
        rows.append({names[size_t(2 * index + 1)].constData(), 1740, top, 4500, 285});
    }
    if (page == 0)
        rows.append({"cmdClear", 4980, 4065, 1260, 315});
    return rows;
}

const QList<Placement> &listPagePlacements(const char *list)
{
    static QList<Placement> active = {{"ProjectList", 120, 480, 2655, 3375}};
    static QList<Placement> inactive = {{"ProjectInactiveList", 120, 480, 2655, 3375}};
    return qstrcmp(list, "ProjectList") == 0 ? active : inactive;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QListWidget *fileList(QWidget *parent, const char *name)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

QString selectedEntry(const QListWidget *list)
{
    const QList<QListWidgetItem *> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void selectEntry(QListWidget *list, const QString &entry)
{
    const QSignalBlocker block(list);
    list->clearSelection();
    list->setCurrentItem(nullptr);
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == entry) {
            list->setCurrentRow(i);
            return;
        }
    }
}

} // namespace

frmProjectTagManager::frmProjectTagManager(std::function<QString()> mainFolder, QWidget *parent)
    : QDialog(parent), m_mainFolder(std::move(mainFolder))
{
    setObjectName(QStringLiteral("frmProjectTagManager"));
    // No cancel button: Esc does nothing.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral(" Project Tag Manager"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kFormWidth), twipsToPixels(kFormHeight));

    buildProjectFrame();
    buildValueTabs();
    cmdClose = button(this, "cmdClose", QStringLiteral("&Done"));

    const PlacementResult placed = placeControls(this, formPlacements());
    Q_ASSERT_X(placed.missing.isEmpty(), "frmProjectTagManager", "a placed control is missing");
    placeControls(SSTabProjMode->widget(0), listPagePlacements("ProjectList"), kTabStripTwips);
    placeControls(SSTabProjMode->widget(1), listPagePlacements("ProjectInactiveList"), kTabStripTwips);
    for (int page = 0; page < SSTab1->count(); ++page) {
        const PlacementResult rows = placeControls(SSTab1->widget(page), valuePagePlacements(page), kTabStripTwips);
        Q_ASSERT_X(rows.missing.isEmpty(), "frmProjectTagManager", "a value row is missing");
    }

    connect(ProjectList, &QListWidget::itemSelectionChanged, this, &frmProjectTagManager::ProjectList_Click);
    connect(ProjectInactiveList, &QListWidget::itemSelectionChanged, this,
            &frmProjectTagManager::ProjectInactiveList_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmProjectTagManager::cmdDelete_Click);
    connect(cmdProjMode, &QPushButton::clicked, this, &frmProjectTagManager::cmdProjMode_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmProjectTagManager::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdBrowse, &QPushButton::clicked, this, &frmProjectTagManager::cmdBrowse_Click);
    connect(SSTabProjMode, &QTabWidget::currentChanged, this, &frmProjectTagManager::SSTabProjMode_Click);
    connect(tbProjectName, &QLineEdit::textChanged, this, &frmProjectTagManager::projectNameChanged);
    connect(tbPath, &QLineEdit::textChanged, this, &frmProjectTagManager::projectBoxChanged);
    for (QLineEdit *box : std::as_const(tbPD1))
        connect(box, &QLineEdit::textChanged, this, &frmProjectTagManager::projectBoxChanged);

    Form_Load();
}

void frmProjectTagManager::buildProjectFrame()
{
    Frame1 = new QGroupBox(QStringLiteral("Defined Projects"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    SSTabProjMode = new QTabWidget(Frame1);
    SSTabProjMode->setObjectName(QStringLiteral("SSTabProjMode"));
    auto *activePage = new QWidget;
    activePage->setObjectName(QStringLiteral("tabActive"));
    ProjectList = fileList(activePage, "ProjectList");
    auto *inactivePage = new QWidget;
    inactivePage->setObjectName(QStringLiteral("tabInactive"));
    ProjectInactiveList = fileList(inactivePage, "ProjectInactiveList");
    SSTabProjMode->addTab(activePage, QStringLiteral("Active"));
    SSTabProjMode->addTab(inactivePage, QStringLiteral("Inactive"));

    auto *nameLabel = new QLabel(QStringLiteral("Project Name:"), Frame1);
    nameLabel->setObjectName(QStringLiteral("lblProjectName"));
    tbProjectName = makeTagValueBox(QStringLiteral("tbProjectName"), Frame1);
    nameLabel->setBuddy(tbProjectName);
    cmdSave = button(Frame1, "cmdSave", QStringLiteral("&Save"));
    cmdDelete = button(Frame1, "cmdDelete", QStringLiteral("&Delete"));
    cmdProjMode = button(Frame1, "cmdProjMode", QStringLiteral("Make Inactive"));

    Frame2 = new QGroupBox(QStringLiteral("Associated Path"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    tbPath = makeTagValueBox(QStringLiteral("tbPath"), Frame2);
    cmdBrowse = button(Frame2, "cmdBrowse", QStringLiteral("&Browse"));
    auto *hint = new QLabel(QStringLiteral("Wildcards like ? and * are allowed"), Frame2);
    hint->setObjectName(QStringLiteral("lblPathHint"));
}

void frmProjectTagManager::buildValueTabs()
{
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    for (int page = 0; page < kProjectValueCount / kValuesPerTab; ++page) {
        auto *tab = new QWidget;
        tab->setObjectName(QStringLiteral("tabProjectTags%1").arg(page + 1));
        for (int row = 0; row < kValuesPerTab; ++row) {
            const int i = page * kValuesPerTab + row;
            auto *l = new QLabel(QStringLiteral("$PROJECTTAG%1$").arg(i + 1), tab);
            l->setObjectName(QStringLiteral("lblPD1_%1").arg(i));
            tbPD1 << makeTagValueBox(QStringLiteral("tbPD1_%1").arg(i), tab);
        }
        if (page == 0)
            cmdClear = button(tab, "cmdClear", QStringLiteral("Clear"));
        SSTab1->addTab(tab, QStringLiteral("Tags %1-%2").arg(page * kValuesPerTab + 1).arg((page + 1) * kValuesPerTab));
    }
}

// ============================================================================================
// State
// ============================================================================================

frmProjectTagManagerFS *frmProjectTagManager::folderPicker() const { return m_picker; }

bool frmProjectTagManager::activeTabShown() const { return SSTabProjMode->currentIndex() == 0; }

void frmProjectTagManager::projectBoxChanged() { ProjectChanged = true; }

void frmProjectTagManager::projectNameChanged()
{
    ProjectChanged = true;
    cmdSave->setEnabled(true);
}

void frmProjectTagManager::refreshLists()
{
    const QString data = AppEnvironment::dataFolder();
    const struct {
        QListWidget *list;
        QString extension;
    } lists[] = {{ProjectList, activeProjectExtension()}, {ProjectInactiveList, inactiveProjectExtension()}};
    for (const auto &l : lists) {
        const QSignalBlocker block(l.list);
        l.list->clear();
        l.list->addItems(projectFileNames(data, l.extension));
    }
    m_selectedFile[0].clear();
    m_selectedFile[1].clear();
}

void frmProjectTagManager::Form_Load()
{
    // A missing DATA folder is made, so that projects can be saved into it.
    ensureDataFolder(AppEnvironment::dataFolder());
    refreshLists();
    cmdSave->setEnabled(false);
    cmdDelete->setEnabled(false);
    cmdProjMode->setEnabled(false);
    cmdProjMode->setText(QStringLiteral("Make Inactive"));
    ProjectChanged = false;
    m_unloaded = false;
}

// ============================================================================================
// Load a project
// ============================================================================================

void frmProjectTagManager::ProjectList_Click() { ManageProjectLists(ProjectList); }
void frmProjectTagManager::ProjectInactiveList_Click() { ManageProjectLists(ProjectInactiveList); }

bool frmProjectTagManager::settleUnsavedEdits(const QString &question, bool extensionOfLoadedProject)
{
    if (!ProjectChanged)
        return true;
    const int answer = msgBox(question, vbYesNoCancel | vbExclamation, QStringLiteral("Settings Changed"));
    if (answer == vbNo)
        return true;
    if (answer != vbYes)
        return false;
    // The edits go back into the file they were loaded from, whichever tab is shown now.
    const QString name = tbProjectName->text();
    if (extensionOfLoadedProject && !m_loadedExtension.isEmpty() && !hasProjectExtension(name))
        return saveProject(name + m_loadedExtension);
    return cmdSave_Click();
}

void frmProjectTagManager::ManageProjectLists(QListWidget *list)
{
    const int which = list == ProjectList ? 0 : 1;
    const QString selected = selectedEntry(list);
    if (selected.isEmpty())
        return;
    if (!settleUnsavedEdits(QStringLiteral("Would you like to save your changes before switching projects?"), true)) {
        // Cancelled, or the edits could not be saved: they stay, and so does the selection before.
        selectEntry(list, m_selectedFile[which]);
        return;
    }

    // Saving re-read the lists: the selection is shown again.
    if (selectedEntry(list) != selected)
        selectEntry(list, selected);
    m_selectedFile[which] = selected;

    // The whole file is read first; nothing changes when it cannot be read.
    const ProjectRead read = readProjectFile(AppEnvironment::dataFolder(), selected);
    if (!read.ok) {
        reportUnexpectedError(read.failure.error, fileErrorDescription(read.failure.error),
                              QStringLiteral("ManageProjectLists"), kOwner);
        return;
    }
    tbPath->setText(read.pattern);
    for (int i = 0; i < kProjectValueCount; ++i)
        tbPD1[i]->setText(read.values.value(i));
    cmdDelete->setEnabled(true);
    cmdProjMode->setEnabled(true);
    cmdSave->setEnabled(selected.endsWith(activeProjectExtension(), Qt::CaseInsensitive));
    tbProjectName->setText(projectTitle(selected));
    m_loadedExtension = selected.right(4).toUpper();
    ProjectChanged = false;
}

// ============================================================================================
// Save, Delete, Make Inactive / Active, Clear
// ============================================================================================

bool frmProjectTagManager::cmdSave_Click()
{
    const QString name = tbProjectName->text();
    if (name.isEmpty()) {
        msgBox(QStringLiteral("Please give the project a name before saving it."), vbOKOnly | vbExclamation,
               QStringLiteral("Project Name"));
        return false;
    }
    return saveProject(projectSaveFileName(name, activeTabShown()));
}

bool frmProjectTagManager::saveProject(const QString &fileName)
{
    if (!isAcceptableDataFileName(fileName) || !isAcceptableDataFileName(projectTitle(fileName))) {
        msgBox(QStringLiteral("File could not be created.\r\n(Possibly due to reserved characters in filename)...\r\n"
                              "\r\nPlease do not use characters such as\r\n/ : * ? \" < > |"),
               vbOKOnly | vbCritical, QStringLiteral("File Name Error"));
        return false;
    }
    if (!isValidProjectPattern(tbPath->text()))
        msgBox(QStringLiteral("The associated path is not a valid wildcard pattern (a \"[\" without its \"]\", or a "
                              "range such as [z-a]): the project matches no drawing until it is corrected."),
               vbOKOnly | vbExclamation, warningTitle());

    const QString data = AppEnvironment::dataFolder();
    FileResult r = ensureDataFolder(data);
    QStringList values;
    for (const QLineEdit *box : std::as_const(tbPD1))
        values << box->text();
    // A write-protected file is written again after each Retry, until it is written or the user cancels.
    while (r.ok()) {
        r = writeProjectFile(data, fileName, tbPath->text(), values);
        if (r.ok() || r.error != kPermissionDenied || !isReadOnlyFile(r.path))
            break;
        if (msgBox(QStringLiteral("The File you are attempting to save is 'Write Protected'.\r\nPlease change the "
                                  "files attribute to READ/WRITE and RETRY to save your changes."),
                   vbRetryCancel | vbExclamation, QStringLiteral("File Access Error")) != vbRetry)
            return false;
        r = FileResult();
    }
    if (!r.ok()) {
        msgBox(fileFailureMessage(QStringLiteral("The project could not be saved"), r), vbOKOnly | vbExclamation,
               alertTitle());
        return false;
    }
    refreshLists();
    ProjectChanged = false;
    m_loadedExtension = fileName.right(4).toUpper();
    return true;
}

void frmProjectTagManager::cmdDelete_Click()
{
    const QString extension = activeTabShown() ? activeProjectExtension() : inactiveProjectExtension();
    const QString fileName = tbProjectName->text() + extension;
    // Only a listed project file is deleted.
    QListWidget *list = activeTabShown() ? ProjectList : ProjectInactiveList;
    QString listed;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().compare(fileName, Qt::CaseInsensitive) == 0)
            listed = list->item(i)->text();
    }
    const QString data = AppEnvironment::dataFolder();
    const QString onDisk = listed.isEmpty() ? QString() : findFileIgnoringCase(data, listed);
    if (onDisk.isEmpty()) {
        reportUnexpectedError(kFileNotFound, fileErrorDescription(kFileNotFound), QStringLiteral("cmdDelete_Click"),
                              kOwner);
        return;
    }
    if (msgBox(QStringLiteral("Are you sure you want to delete the project ") + onDisk + QStringLiteral("?"),
               vbYesNo | vbExclamation | vbDefaultButton2, QStringLiteral("Delete Project")) != vbYes)
        return;
    const QString path = joinPath(withTrailingSeparator(data), onDisk);
    QFile file(path);
    if (isReadOnlyFile(path) || !file.remove()) {
        reportUnexpectedError(kPermissionDenied, fileErrorDescription(kPermissionDenied),
                              QStringLiteral("cmdDelete_Click"), kOwner);
        return;
    }
    refreshLists();
    cmdDelete->setEnabled(false);
    cmdProjMode->setEnabled(false);
}

void frmProjectTagManager::cmdProjMode_Click()
{
    const bool active = activeTabShown();
    const QString selected = selectedEntry(active ? ProjectList : ProjectInactiveList);
    if (selected.isEmpty())
        return;
    const QString data = AppEnvironment::dataFolder();
    const QString source = findFileIgnoringCase(data, selected);
    const QString target = projectTitle(selected) + (active ? inactiveProjectExtension() : activeProjectExtension());
    const QString folder = withTrailingSeparator(data);
    if (!findFileIgnoringCase(data, target).isEmpty()) {
        msgBox(QStringLiteral("Attempting to rename file to ") + joinPath(folder, target).toUpper() +
                   QStringLiteral(", but a file with that name already exists.\r\nYou must delete or rename either "
                                  "the source or the destination to continue."),
               vbOKOnly | vbExclamation, QStringLiteral("File Access Error"));
        return;
    }
    if (source.isEmpty() || !QFile::rename(joinPath(folder, source), joinPath(folder, target))) {
        const int error = source.isEmpty() ? kFileNotFound : kPathFileAccessError;
        reportUnexpectedError(error, fileErrorDescription(error), QStringLiteral("cmdProjMode_Click"), kOwner);
        return;
    }
    // The edits of the project shown now belong to the renamed file.
    if (projectTitle(selected).compare(tbProjectName->text(), Qt::CaseInsensitive) == 0 &&
        selected.right(4).compare(m_loadedExtension, Qt::CaseInsensitive) == 0)
        m_loadedExtension = target.right(4);
    refreshLists();
    cmdProjMode->setEnabled(false);
    cmdDelete->setEnabled(false);
}

void frmProjectTagManager::cmdClear_Click()
{
    if (msgBox(QStringLiteral("Are you sure you want to clear all 40 ProjectTags?"), vbYesNo | vbExclamation,
               QStringLiteral("Confirmation")) != vbYes)
        return;
    for (QLineEdit *box : std::as_const(tbPD1))
        box->clear();
}

// ============================================================================================
// Done, close box, tabs, Browse
// ============================================================================================

bool frmProjectTagManager::cmdClose_Click()
{
    if (!settleUnsavedEdits(QStringLiteral("Would you like to save your changes to the project before closing?"), true))
        return false;
    // The index lists the active projects as they are on disk now, in the Active list's order.
    const QString data = AppEnvironment::dataFolder();
    FileResult r = ensureDataFolder(data);
    if (r.ok()) {
        const QString selected = selectedEntry(ProjectList);
        refreshLists();
        selectEntry(ProjectList, selected);
        r = writeProjectIndex(data, projectFileNames(data, activeProjectExtension()));
    }
    if (!r.ok()) {
        msgBox(fileFailureMessage(QStringLiteral("The list of active projects could not be written"), r),
               vbOKOnly | vbExclamation, alertTitle());
        return false;
    }
    hide();
    return true;
}

void frmProjectTagManager::closeEvent(QCloseEvent *event)
{
    if (isVisible() &&
        !settleUnsavedEdits(QStringLiteral("Would you like to save your changes to the project before closing?"),
                            true)) {
        event->ignore();
        return;
    }
    // The close box discards the window without writing the index.
    m_unloaded = true;
    QDialog::closeEvent(event);
}

void frmProjectTagManager::SSTabProjMode_Click()
{
    cmdProjMode->setText(activeTabShown() ? QStringLiteral("Make Inactive") : QStringLiteral("Make Active"));
    refreshLists();
    cmdSave->setEnabled(false);
    cmdDelete->setEnabled(false);
    cmdProjMode->setEnabled(false);
}

void frmProjectTagManager::cmdBrowse_Click()
{
    if (m_picker && m_picker->wasUnloaded())
        delete m_picker;
    if (!m_picker) {
        m_picker = new frmProjectTagManagerFS(m_mainFolder, this);
        connect(m_picker, &frmProjectTagManagerFS::folderChosen, tbPath, &QLineEdit::setText);
    }
    m_picker->exec();
}

} // namespace tess
