#include "mainwin/frmDWGFilter.h"

#include "core/messages.h"
#include "core/prompts.h"
#include "widgets/controlfactory.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHideEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tess {

frmDWGFilter::frmDWGFilter(const FilterWindowConfig &config, std::function<void(const QString &)> apply,
                           QWidget *parent)
    : QDialog(parent), m_config(config), m_apply(std::move(apply))
{
    setObjectName(QString::fromLatin1(config.objectName));
    setWindowTitle(QString::fromLatin1(config.caption));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const FilterWindowLayout &at = config.layout;
    setFixedSize(twipsToPixels(at.clientWidth), twipsToPixels(at.clientHeight));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    chkPersonalSettings = new QCheckBox(QString::fromLatin1(config.checkCaption), this);
    chkPersonalSettings->setObjectName(QStringLiteral("chkPersonalSettings"));
    tbDWGFilter = new QLineEdit(QString::fromLatin1(config.patternInitial), this);
    tbDWGFilter->setObjectName(QString::fromLatin1(config.patternBoxName));
    cmdRemove = makeButton(QStringLiteral("cmdRemove"), QStringLiteral("&Remove"), this);
    cmdRemove->setEnabled(config.removeEnabledAtStart);
    cmdAdd = makeButton(QStringLiteral("cmdAdd"), QStringLiteral("&Add"), this);
    const auto place = [](const char *name, const FilterControlPlace &p) {
        return Placement{name, p.left, p.top, p.width, p.height};
    };
    placeControls(this,
                  {place("List1", at.list), place("chkPersonalSettings", at.check),
                   place(config.patternBoxName, at.pattern), place("cmdRemove", at.remove), place("cmdAdd", at.add)});
    setTabOrder(List1, chkPersonalSettings);
    setTabOrder(chkPersonalSettings, tbDWGFilter);
    setTabOrder(tbDWGFilter, cmdRemove);
    setTabOrder(cmdRemove, cmdAdd);

    // Any stored value other than "1" means the shared list.
    chkPersonalSettings->setChecked(readOtherSetting(config.personalSetting).trimmed() == QStringLiteral("1"));

    connect(chkPersonalSettings, &QCheckBox::toggled, this, &frmDWGFilter::loadList);
    connect(tbDWGFilter, &QLineEdit::textChanged, this, &frmDWGFilter::UpdateFilterButtons);
    connect(List1, &QListWidget::itemClicked, this, &frmDWGFilter::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmDWGFilter::List1_DblClick);
    connect(cmdAdd, &QPushButton::clicked, this, &frmDWGFilter::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmDWGFilter::cmdRemove_Click);
    // Opens in the middle of the screen, not over its owner; hidden and shown again, it stays
    // where the user left it.
    centreOnScreen(this, parent);
}

QString frmDWGFilter::currentFile() const { return filterListPath(m_config, chkPersonalSettings->isChecked()); }

QStringList frmDWGFilter::entries() const
{
    QStringList out;
    for (int i = 0; i < List1->count(); ++i)
        out.append(List1->item(i)->text());
    return out;
}

void frmDWGFilter::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    loadList();
}

void frmDWGFilter::hideEvent(QHideEvent *event)
{
    // The choice of list is kept however the window goes away: its close box, or the double-click
    // that applies an entry.
    if (!event->spontaneous())
        writeOtherSetting(m_config.personalSetting, chkPersonalSettings->isChecked() ? 1 : 0);
    QDialog::hideEvent(event);
}

void frmDWGFilter::loadList()
{
    List1->clear();
    const FilterListRead read = loadFilterList(currentFile());
    const bool failedBefore = m_loadFailed;
    m_loadFailed = !read.result.ok();
    if (m_loadFailed) {
        UpdateFilterButtons();
        msgBox(fileFailureMessage(QStringLiteral("The filter list could not be read"), read.result),
               vbOKOnly | vbExclamation, appTitle());
        return;
    }
    // A list file met for the first time was created empty: the buttons keep their state (a
    // window whose Remove starts enabled still offers it, and pressing it writes the empty list).
    if (read.created && !failedBefore)
        return;
    List1->addItems(read.entries);
    UpdateFilterButtons();
}

void frmDWGFilter::UpdateFilterButtons()
{
    cmdRemove->setEnabled(!m_loadFailed && !List1->selectedItems().isEmpty());
    cmdAdd->setEnabled(!m_loadFailed && !tbDWGFilter->text().isEmpty());
}

void frmDWGFilter::SaveFilter()
{
    if (m_loadFailed)
        return;
    const FileResult r = saveFilterList(currentFile(), entries());
    if (!r.ok())
        msgBox(fileFailureMessage(QStringLiteral("The filter list could not be saved"), r), vbOKOnly | vbExclamation,
               appTitle());
}

void frmDWGFilter::List1_Click()
{
    if (QListWidgetItem *item = List1->currentItem())
        tbDWGFilter->setText(item->text());
    UpdateFilterButtons();
}

void frmDWGFilter::List1_DblClick()
{
    if (QListWidgetItem *item = List1->currentItem())
        tbDWGFilter->setText(item->text());
    if (m_apply)
        m_apply(tbDWGFilter->text());
    hide();
}

void frmDWGFilter::cmdAdd_Click()
{
    if (m_loadFailed)
        return;
    QStringList list = entries();
    const QString text = tbDWGFilter->text();
    if (addFilterPattern(list, text)) {
        List1->clear();
        List1->addItems(list);
    }
    SaveFilter();
}

void frmDWGFilter::cmdRemove_Click()
{
    if (m_loadFailed)
        return;
    // Taken as a whole first: removing the current entry moves the selection to its neighbour.
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    for (QListWidgetItem *item : selected)
        delete List1->takeItem(List1->row(item));
    List1->clearSelection();
    UpdateFilterButtons();
    SaveFilter();
}

void frmDWGFilter::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}

} // namespace tess
