#include "wizards/frmPageSetupInWiz.h"

#include "wizards/wizardblocks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmPageSetupInWiz::frmPageSetupInWiz(ScriptFacts *script, std::function<MainFileLists()> mainLists, QWidget *parent)
    : ScriptWizard(script, QStringLiteral("frmPageSetupInWiz"),
                   QStringLiteral(" PageSetup Wizard (Copies PageSetups from another DWG file)"), parent),
      m_mainLists(std::move(mainLists)), m_picker([this] {
          auto *picker = new frmPageSetupWizSelect(m_mainLists ? m_mainLists() : MainFileLists(), this);
          connect(picker, &frmPageSetupWizSelect::fileSelected, Text1, &QLineEdit::setText);
          return picker;
      })
{
    Label3 = addLabel(QStringLiteral("Label3"),
                      QStringLiteral("Select the source file from which the PageSetup will be copied from, and enter "
                                     "the PageSetup name.  (Make sure that the source file DOES have the PageSetup "
                                     "name!!)"));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Source Drawing:"));
    Text1 = addField(QStringLiteral("Text1"));
    cmdSelectFile = addButton(QStringLiteral("cmdSelectFile"), QStringLiteral("Select"));
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("PageSetup:"));
    Text2 = addField(QStringLiteral("Text2"), QStringLiteral("<default>"));
    addOptionPair();
    cmdCreate = addButton(QStringLiteral("cmdCreate"), QStringLiteral("&Create Script"));
    cmdCreate->setDefault(true);
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    setCancelButton(cmdCancel);
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);

    // clang-format off
    QList<Placement> table = {
        {"Label3", 240, 120, 6120, 660},
        {"Label1", 240, 1020, 1455, 255},
        {"Text1", 1740, 990, 3660, 315},
        {"cmdSelectFile", 5520, 960, 840, 375},
        {"Label2", 240, 1470, 1455, 255},
        {"Text2", 1740, 1440, 3660, 315},
        {"frameOptions", 240, 1920, 2535, 900},
        {"cmdCreate", 3855, 2445, 1335, 375},
        {"cmdCancel", 5325, 2445, 1035, 375},
    };
    // clang-format on
    table += optionPairPlacements();
    placeAll(table, 6600, 3060);

    connect(cmdSelectFile, &QPushButton::clicked, this, &frmPageSetupInWiz::cmdSelectFile_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPageSetupInWiz::cmdCancel_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmPageSetupInWiz::cmdCreate_Click);
}

void frmPageSetupInWiz::cmdSelectFile_Click()
{
    m_picker.get()->showModal();
    m_picker.releaseIfUnloaded();
}

void frmPageSetupInWiz::cmdCreate_Click()
{
    const QString source = Text1->text();
    const QString pageSetup = Text2->text();
    createScript(
        [source, pageSetup](const QString &script) { return WritePageSetupScript(script, source, pageSetup); });
}

} // namespace tess
