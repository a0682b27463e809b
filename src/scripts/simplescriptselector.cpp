#include "scripts/simplescriptselector.h"

#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "scripts/scriptfilelist.h"
#include "scripts/scriptlibrary.h"
#include "scripts/userscriptpane.h"
#include "widgets/twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <algorithm>

namespace tess {

SimpleScriptSelector::SimpleScriptSelector(UserScriptPane *pane, QWidget *parent) : QWidget(parent), m_pane(pane)
{
    setObjectName(QStringLiteral("SimpleScriptSelector"));
    lblFilter = new QLabel(QStringLiteral("Filter"));
    lblFilter->setObjectName(QStringLiteral("lblFilter"));
    tbScrSelFilter = new QLineEdit;
    tbScrSelFilter->setObjectName(QStringLiteral("tbScrSelFilter"));
    tbScrSelFilter->setFixedWidth(twipsToPixels(1935));
    Command1 = new QPushButton(QStringLiteral("Filter"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setMinimumWidth(twipsToPixels(795));
    fsSimpleScript = new ScriptFileList;
    fsSimpleScript->setObjectName(QStringLiteral("fsSimpleScript"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twipsToPixels(90), twipsToPixels(90), twipsToPixels(90), twipsToPixels(90));
    grid->setHorizontalSpacing(twipsToPixels(100));
    grid->addWidget(lblFilter, 0, 0);
    grid->addWidget(tbScrSelFilter, 0, 1);
    grid->addWidget(Command1, 0, 2);
    grid->setColumnStretch(3, 1);
    grid->addWidget(fsSimpleScript, 1, 0, 1, 4);
    grid->setRowStretch(1, 1);

    connect(tbScrSelFilter, &QLineEdit::textChanged, this, &SimpleScriptSelector::tbScrSelFilter_Change);
    connect(Command1, &QPushButton::clicked, this, &SimpleScriptSelector::simpleFilterRequested);
    connect(fsSimpleScript, &ScriptFileList::entryClicked, this, [this] { fsSimpleScript_Click(); });
    Command1->setEnabled(false); // until the stored simple-mode filters answer
}

void SimpleScriptSelector::fillFrame(const QMargins &frame)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    // The filter row stands 240 twips below the frame's top edge (the frame's layout keeps that),
    // the list from 520.
    const int rowTop = twipsToPixels(240);
    grid->setContentsMargins(std::max(0, twipsToPixels(150) - frame.left()), 0,
                             std::max(0, twipsToPixels(150) - frame.right()),
                             std::max(0, twipsToPixels(130) - frame.bottom()));
    const int rowHeight =
        std::max({tbScrSelFilter->sizeHint().height(), Command1->sizeHint().height(), lblFilter->sizeHint().height()});
    grid->setVerticalSpacing(std::max(0, twipsToPixels(520) - rowTop - rowHeight));
}

void SimpleScriptSelector::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&SimpleScriptSelector::simpleFilterRequested))
        Command1->setEnabled(true);
    QWidget::connectNotify(signal);
}

QString SimpleScriptSelector::simpleScriptsFolder()
{
    return AppEnvironment::subFolder(mainSettings().SimpleScriptPathOverride == 1 ? QStringLiteral("SCRIPTS")
                                                                                  : QStringLiteral("SCRIPTS-SIMPLE"));
}

bool SimpleScriptSelector::setFolder(const QString &folder) { return fsSimpleScript->setPath(folder); }

QString SimpleScriptSelector::folder() const { return fsSimpleScript->path(); }

bool SimpleScriptSelector::fsSimpleScript_Click() { return loadPicked(false); }

bool SimpleScriptSelector::reloadBeforeComposing() { return loadPicked(true); }

bool SimpleScriptSelector::loadPicked(bool forComposing)
{
    const QString name = fsSimpleScript->fileName();
    if (name.isEmpty()) {
        if (forComposing)
            msgBox(QStringLiteral("Please select a script in the \"Script Selector\" list."), vbOKOnly, alertTitle());
        return false;
    }
    const ScriptFileResult r = readScriptFile(withTrailingSeparator(fsSimpleScript->path()) + name);
    if (!r.ok()) {
        if (r.error == 76) {
            m_pane->reportMissingFolder(fsSimpleScript->path());
        } else if (r.error != 53 || forComposing) {
            // A script gone since the list was read passes silently on a click (the list shows
            // what is there now); a batch is never composed from the script it no longer has.
            showScriptReadFailure(r);
        }
        fsSimpleScript->refresh();
        return false;
    }
    m_pane->loadSimpleScript(r.text);
    return true;
}

void SimpleScriptSelector::tbScrSelFilter_Change()
{
    if (!fsSimpleScript->setPattern(scriptListPattern(tbScrSelFilter->text())))
        fsSimpleScript->setPattern(QStringLiteral("*.scr"));
}

QString SimpleScriptSelector::filterText() const { return tbScrSelFilter->text(); }

void SimpleScriptSelector::setFilterText(const QString &text) { tbScrSelFilter->setText(text); }

} // namespace tess
