#include "wizards/frmRepTextWiz.h"

#include "core/appenvironment.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmRepTextWiz::frmRepTextWiz(ScriptFacts *script, QWidget *parent)
    : ScriptWizard(script, QStringLiteral("frmRepTextWiz"), QStringLiteral(" Search and Replace Text Wizard"), parent)
{
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Search for:"));
    tbSearchFor = addField(QStringLiteral("tbSearchFor"));
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Replace with:"));
    tbReplaceText = addField(QStringLiteral("tbReplaceText"));
    chkRegText = addCheck(QStringLiteral("chkRegText"), QStringLiteral("Process regular TEXT Entities"), true);
    chkDims = addCheck(QStringLiteral("chkDims"), QStringLiteral("Process DIMENSION"), false);
    chkBlocks = addCheck(QStringLiteral("chkBlocks"), QStringLiteral("Process BLOCKS"), false);
    chkSearchMtext = addCheck(QStringLiteral("chkSearchMtext"), QStringLiteral("Process MTEXT (VBA)"), false);
    addOptionPair();
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdCreate = addButton(QStringLiteral("cmdCreate"), QStringLiteral("&Create"));
    cmdCreate->setDefault(true);
    setCancelButton(cmdCancel);
    Label1->setBuddy(tbSearchFor);
    Label2->setBuddy(tbReplaceText);

    // clang-format off
    QList<Placement> table = {
        {"Label1", 240, 270, 1335, 255},
        {"tbSearchFor", 1620, 240, 3540, 315},
        {"Label2", 240, 690, 1335, 255},
        {"tbReplaceText", 1620, 660, 3540, 315},
        {"chkRegText", 360, 1200, 3615, 255},
        {"chkDims", 360, 1500, 3615, 255},
        {"chkBlocks", 360, 1800, 3615, 255},
        {"chkSearchMtext", 360, 2100, 3615, 255},
        {"frameOptions", 240, 2520, 2535, 900},
        {"cmdCancel", 2955, 3045, 1035, 375},
        {"cmdCreate", 4125, 3045, 1035, 375},
    };
    // clang-format on
    table += optionPairPlacements();
    placeAll(table, 5400, 3660);

    connect(chkRegText, &QCheckBox::toggled, this, &frmRepTextWiz::chkRegText_Click);
    connect(chkDims, &QCheckBox::toggled, this, &frmRepTextWiz::chkDims_Click);
    connect(chkBlocks, &QCheckBox::toggled, this, &frmRepTextWiz::chkBlocks_Click);
    connect(chkSearchMtext, &QCheckBox::toggled, this, &frmRepTextWiz::chkSearchMtext_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRepTextWiz::cmdCancel_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmRepTextWiz::cmdCreate_Click);
}

RepTextFields frmRepTextWiz::fields() const
{
    RepTextFields f;
    f.searchFor = tbSearchFor->text();
    f.replaceWith = tbReplaceText->text();
    f.regularText = chkRegText->isChecked();
    f.dimensions = chkDims->isChecked();
    f.blocks = chkBlocks->isChecked();
    f.mtext = chkSearchMtext->isChecked();
    return f;
}

void frmRepTextWiz::UpdateCreateButton()
{
    cmdCreate->setEnabled(chkRegText->isChecked() || chkDims->isChecked() || chkBlocks->isChecked() ||
                          chkSearchMtext->isChecked());
}

void frmRepTextWiz::cmdCreate_Click()
{
    const RepTextFields f = fields();
    createScript([f](const QString &script) { return WriteRepTextScript(script, f, AppEnvironment::programFolder()); });
}

} // namespace tess
