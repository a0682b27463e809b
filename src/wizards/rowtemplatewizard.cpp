#include "wizards/rowtemplatewizard.h"

#include "core/appenvironment.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "tags/datafilenames.h"
#include "tags/tagmanagers.h"
#include "widgets/waitcursor.h"
#include "wizards/tablewizardblocks.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <set>
#include <string>

namespace tess {

RowTemplateWizard::RowTemplateWizard(ScriptFacts *script, const RowFileKind &kind, const QString &name,
                                     const QString &caption, QWidget *parent)
    : ScriptWizard(script, name, caption, parent), m_kind(kind)
{
}

const char *controlArrayName(const char *stem, int index)
{
    static std::set<std::string> names;
    return names.insert(std::string(stem) + '_' + std::to_string(index)).first->c_str();
}

QWidget *RowTemplateWizard::addPage(QTabWidget *tabs, const QString &name, const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    tabs->addTab(page, caption);
    return page;
}

QComboBox *RowTemplateWizard::addValueBox(const QString &name, QWidget *page)
{
    auto *box = new QComboBox(page);
    box->setObjectName(name);
    box->setEditable(true);
    // A typed value stays as typed: no completion, and Enter inserts nothing into the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(20);
    box->addItems(WizardTagChoices());
    box->setCurrentIndex(-1);
    box->clearEditText();
    keepSingleLine(box->lineEdit());
    return box;
}

void RowTemplateWizard::addTemplateFrame(const char *combo, const char *save, const char *del)
{
    m_names = {combo, save, del};
    Frame2 = addFrame(QStringLiteral("Frame2"), QStringLiteral("Template"));
    Frame2->installEventFilter(this);
    templateBox = new QComboBox(Frame2);
    templateBox->setObjectName(QLatin1String(combo));
    templateBox->setEditable(true);
    templateBox->setInsertPolicy(QComboBox::NoInsert);
    templateBox->setCompleter(nullptr);
    keepSingleLine(templateBox->lineEdit());
    saveButton = addButton(QLatin1String(save), QStringLiteral("&Save"), Frame2);
    deleteButton = addButton(QLatin1String(del), QStringLiteral("&Delete"), Frame2);

    connect(templateBox, &QComboBox::editTextChanged, this, &RowTemplateWizard::nameBoxRule);
    connect(templateBox, &QComboBox::activated, this, &RowTemplateWizard::templatePicked);
    connect(saveButton, &QPushButton::clicked, this, &RowTemplateWizard::saveTemplate);
    connect(deleteButton, &QPushButton::clicked, this, &RowTemplateWizard::deleteTemplate);
}

QList<Placement> RowTemplateWizard::templateFramePlacements(int comboWidth) const
{
    const int save = 120 + comboWidth + 105;
    return {{m_names[0], 120, 285, comboWidth, 315},
            {m_names[1], save, 255, 795, 375},
            {m_names[2], save + 900, 255, 795, 375}};
}

bool RowTemplateWizard::saveRows(const QString &fileName)
{
    const FileResult r = writeRowFile(AppEnvironment::dataFolder(), fileName, rowTexts());
    if (r.ok())
        return true;
    msgBox(rowFileSaveFailureText(r, m_kind), vbOKOnly, appTitle());
    return false;
}

void RowTemplateWizard::loadRows(const QString &fileName)
{
    RowFileRead read;
    {
        WaitCursor wait;
        read = readRowFile(AppEnvironment::dataFolder(), fileName, m_kind);
        if (read.status == RowFileRead::Read)
            applyRowTexts(read.lines);
    }
    if (read.cutShort())
        msgBox(rowFileCutShortText(read.path), vbOKOnly | vbExclamation, QStringLiteral("Error"));
}

void RowTemplateWizard::refreshTemplateList()
{
    {
        const QSignalBlocker block(templateBox);
        WaitCursor wait;
        templateBox->clear();
        templateBox->addItems(rowTemplateNames(AppEnvironment::dataFolder(), m_kind));
        templateBox->setCurrentIndex(-1);
        templateBox->clearEditText();
    }
    nameBoxRule();
}

void RowTemplateWizard::nameBoxRule()
{
    const bool named = !templateBox->currentText().isEmpty();
    saveButton->setEnabled(named);
    deleteButton->setEnabled(named);
}

void RowTemplateWizard::templatePicked(int index)
{
    if (index < 0)
        return;
    loadRows(templateBox->itemText(index) + m_kind.templateExtension);
    nameBoxRule();
}

QString RowTemplateWizard::listedEntry() const
{
    const QString text = templateBox->currentText();
    if (text.isEmpty())
        return QString();
    for (int i = 0; i < templateBox->count(); ++i)
        if (templateBox->itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return templateBox->itemText(i);
    return QString();
}

void RowTemplateWizard::saveTemplate()
{
    const QString name = templateBox->currentText();
    if (refuseTemplateName(name))
        return;
    bool listed = false;
    for (int i = 0; i < templateBox->count() && !listed; ++i)
        listed = templateBox->itemText(i) == name;
    if (!saveRows(name + m_kind.templateExtension))
        return;
    if (!listed) {
        const QSignalBlocker block(templateBox);
        templateBox->addItem(name);
        templateBox->setEditText(name);
    }
    nameBoxRule();
}

void RowTemplateWizard::deleteTemplate()
{
    const QString entry = listedEntry();
    if (entry.isEmpty()) {
        showTemplateFileNotFound();
        return;
    }
    const FileResult r = deleteDataFile(AppEnvironment::dataFolder(), entry + m_kind.templateExtension);
    if (r.error == kFileNotFound) {
        showTemplateFileNotFound();
        return;
    }
    if (!r.ok()) {
        msgBox(fileFailureMessage(QStringLiteral("The template could not be deleted"), r), vbOKOnly | vbExclamation,
               alertTitle());
        return;
    }
    refreshTemplateList();
}

void RowTemplateWizard::configureTags()
{
    if (TagManagers *managers = TagManagers::instance())
        managers->showUserTagManager(this);
    Form_Activate();
}

void RowTemplateWizard::closeEvent(QCloseEvent *event)
{
    // Form_Unload: the rows as they stand become the user's state.
    saveRows(m_kind.stateFileName());
    ScriptWizard::closeEvent(event);
}

bool RowTemplateWizard::eventFilter(QObject *watched, QEvent *event)
{
    // Frame2_Click: a click on the frame itself (not on a control in it) refills the list.
    if (watched == Frame2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        refreshTemplateList();
    return ScriptWizard::eventFilter(watched, event);
}

} // namespace tess
