#include "wizards/frmLOGTextWiz.h"

#include "core/appenvironment.h"
#include "wizards/wizardblocks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmLOGTextWiz::frmLOGTextWiz(ScriptFacts *script, QWidget *parent)
    : ScriptWizard(script, QStringLiteral("frmLOGTextWiz"), QStringLiteral(" Search and LOG Text Wizard"), parent)
{
    Label4 = addLabel(QStringLiteral("Label4"),
                      QStringLiteral("This Wizard creates scripts that search through TEXT entities only!"));
    Label4->setAlignment(Qt::AlignCenter);
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Search for:"));
    tbSearchFor = addField(QStringLiteral("tbSearchFor"), QStringLiteral("*SEARCH TEXT*"));
    Label11 = addLabel(QStringLiteral("Label11"), QStringLiteral("(CaSe SeNsItIvE)"));
    Label3 = addLabel(QStringLiteral("Label3"), QStringLiteral("Remember to use Wildcards such as:"));
    Label5 = addLabel(QStringLiteral("Label5"), QStringLiteral("* (asterisk) - matches any character sequence"));
    Label6 = addLabel(QStringLiteral("Label6"), QStringLiteral("? (question mark) - matches any single character"));
    Label7 = addLabel(QStringLiteral("Label7"),
                      QStringLiteral("~ (tilde) - if this is the first character, it matches anything except the "
                                     "matchstring"));
    Label8 = addLabel(QStringLiteral("Label8"), QStringLiteral("@ (at) - matches any single alphabetic character"));
    Label9 = addLabel(QStringLiteral("Label9"), QStringLiteral("# (pound) - matches any single numeric digit"));
    Label10 = addLabel(QStringLiteral("Label10"), QStringLiteral(". (period) - matches any single numeric digit"));
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Report in:"));
    tbOutput = addField(QStringLiteral("tbOutput"), QStringLiteral("$TSL_PATH$DATA/$USER$-TextLog.lst"));
    addOptionPair();
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdCreate = addButton(QStringLiteral("cmdCreate"), QStringLiteral("&Create"));
    cmdCreate->setDefault(true);
    setCancelButton(cmdCancel);
    Label1->setBuddy(tbSearchFor);
    Label2->setBuddy(tbOutput);

    // clang-format off
    QList<Placement> table = {
        {"Label4", 240, 120, 7320, 255},
        {"Label1", 240, 570, 1095, 255},
        {"tbSearchFor", 1380, 540, 6180, 315},
        {"Label11", 1380, 900, 2535, 255},
        {"Label3", 240, 1260, 4575, 255},
        {"Label5", 480, 1560, 7080, 255},
        {"Label6", 480, 1815, 7080, 255},
        {"Label7", 480, 2070, 7080, 255},
        {"Label8", 480, 2325, 7080, 255},
        {"Label9", 480, 2580, 7080, 255},
        {"Label10", 480, 2835, 7080, 255},
        {"Label2", 240, 3390, 1095, 255},
        {"tbOutput", 1380, 3360, 6180, 315},
        {"frameOptions", 240, 3840, 2535, 900},
        {"cmdCancel", 5355, 4365, 1035, 375},
        {"cmdCreate", 6525, 4365, 1035, 375},
    };
    // clang-format on
    table += optionPairPlacements();
    placeAll(table, 7800, 4980);

    connect(cmdCancel, &QPushButton::clicked, this, &frmLOGTextWiz::cmdCancel_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmLOGTextWiz::cmdCreate_Click);
}

void frmLOGTextWiz::cmdCreate_Click()
{
    const QString pattern = tbSearchFor->text();
    const QString report = tbOutput->text();
    createScript([pattern, report](const QString &script) {
        return WriteLogTextScript(script, pattern, report, AppEnvironment::programFolder());
    });
}

} // namespace tess
