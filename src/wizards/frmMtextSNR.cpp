#include "wizards/frmMtextSNR.h"

#include "wizards/wizardblocks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmMtextSNR::frmMtextSNR(ScriptFacts *script, QWidget *parent)
    : ScriptWizard(script, QStringLiteral("frmMtextSNR"), QStringLiteral("MText Search and Replace"), parent)
{
    Label3 = addLabel(QStringLiteral("Label3"),
                      QStringLiteral("This Wizard creates a script to perform a \"search and replace\" on MTEXT and "
                                     "regular text in your drawings."));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setWordWrap(true);
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Search for:"));
    tbSource = addField(QStringLiteral("tbSource"));
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Replace With:"));
    tbReplace = addField(QStringLiteral("tbReplace"));
    addOptionPair();
    cmdCreate = addButton(QStringLiteral("cmdCreate"), QStringLiteral("&Create"));
    cmdCreate->setDefault(true);
    Label1->setBuddy(tbSource);
    Label2->setBuddy(tbReplace);

    // clang-format off
    QList<Placement> table = {
        {"Label3", 240, 120, 4920, 495},
        {"Label1", 240, 810, 1335, 255},
        {"tbSource", 1620, 780, 3540, 315},
        {"Label2", 240, 1230, 1335, 255},
        {"tbReplace", 1620, 1200, 3540, 315},
        {"frameOptions", 240, 1680, 2535, 900},
        {"cmdCreate", 4125, 2205, 1035, 375},
    };
    // clang-format on
    table += optionPairPlacements();
    placeAll(table, 5400, 2820);

    connect(cmdCreate, &QPushButton::clicked, this, &frmMtextSNR::cmdCreate_Click);
}

void frmMtextSNR::cmdCreate_Click()
{
    const QString search = tbSource->text();
    const QString replace = tbReplace->text();
    createScript([search, replace](const QString &script) { return WriteMtextScript(script, search, replace); });
}

} // namespace tess
