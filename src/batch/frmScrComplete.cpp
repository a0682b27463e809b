#include "batch/frmScrComplete.h"

#include "core/mainsettings.h"
#include "core/settingskeys.h"
#include "widgets/controlfactory.h"
#include "widgets/placement.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"Label1", 240, 120, 6960, 255},     {"lblOutputPathAndFile", 240, 390, 6960, 450},
        {"Label3", 240, 900, 6960, 615},     {"Text1", 240, 1560, 6960, 315},
        {"Label8", 240, 1920, 6960, 255},    {"Label5", 240, 2220, 6960, 255},
        {"Label6", 240, 2520, 6960, 615},    {"Label2", 240, 3240, 6960, 615},
        {"Check1", 240, 3960, 6960, 255},    {"Command1", 2160, 4380, 1455, 375},
        {"Command2", 3840, 4380, 1455, 375},
    };
    return table;
}

QLabel *wrappingLabel(const QString &name, const QString &caption, QWidget *parent)
{
    QLabel *l = makeLabel(name, caption, parent);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

const char *const kToolbarText = "1) Alt-Tab into AutoCAD and click on the Tessaline toolbar button to run your Batch "
                                 "Script.  If this Toolbar doesn't exist, please create a new toolbar button with:";
const char *const kRunText =
    "After you press the 'OK' button below, AutoCAD will be started, and the script you created will be run...";

} // namespace

frmScrComplete::frmScrComplete(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmScrComplete"));
    setWindowTitle(QStringLiteral(" Tessaline Message"));
    setModal(true);

    Label1 = makeLabel(QStringLiteral("Label1"),
                       QStringLiteral("Tessaline Batch Script has been sucessfully created in:"), this);
    lblOutputPathAndFile = wrappingLabel(QStringLiteral("lblOutputPathAndFile"), QString(), this);
    QFont bold = lblOutputPathAndFile->font();
    bold.setBold(true);
    lblOutputPathAndFile->setFont(bold);
    lblOutputPathAndFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label3 = wrappingLabel(QStringLiteral("Label3"), QString::fromLatin1(kToolbarText), this);
    Text1 = new QLineEdit(QStringLiteral("^C^C_script tessaline.scr"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Label8 = makeLabel(QStringLiteral("Label8"), QString(), this);
    Label5 = makeLabel(QStringLiteral("Label5"), QString(), this);
    Label5->setAlignment(Qt::AlignCenter);
    Label6 = wrappingLabel(QStringLiteral("Label6"), QString(), this);
    Label2 = wrappingLabel(
        QStringLiteral("Label2"),
        QStringLiteral("Also, until you are sure as to your settings are 100%,  you may want to change or confirm some "
                       "of Tessalines Options... Please see the menu View-->Options in Tessaline.  Or click the button "
                       "below..."),
        this);
    Check1 = new QCheckBox(QStringLiteral("Show this box everytime a Tessaline script is created"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);
    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&OK"), this);
    Command1->setDefault(true);
    Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("&Options"), this);

    placeControls(this, placements());
    setFixedSize(twipsToPixels(7440), twipsToPixels(4920));
    setVariant(false);

    connect(Command1, &QPushButton::clicked, this, &frmScrComplete::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmScrComplete::Command2_Click);
}

void frmScrComplete::setVariant(bool runVariant)
{
    if (runVariant) {
        Label3->setText(QString::fromLatin1(kRunText));
        Text1->setVisible(false);
        Label8->clear();
        Label5->clear();
        Label6->clear();
    } else {
        Label3->setText(QString::fromLatin1(kToolbarText));
        Text1->setVisible(true);
        Label8->setText(QStringLiteral("as the macro associated with this button."));
        Label5->setText(QStringLiteral("OR"));
        Label6->setText(QStringLiteral("2) Use the \"Create and RUN Batch\" button to RUN the batch script.  AutoCAD "
                                       "will boot and the script will be run automatically.  This will save you from "
                                       "having to configure a toolbar button."));
    }
}

void frmScrComplete::showFor(const QString &scriptPath, bool runVariant)
{
    lblOutputPathAndFile->setText(scriptPath);
    lblOutputPathAndFile->setToolTip(scriptPath);
    setVariant(runVariant);
    Command1->setFocus();
    exec();
}

void frmScrComplete::Command1_Click()
{
    if (!Check1->isChecked()) {
        writeOtherSetting(OtherKeys::ShowSCRComplete, 0);
        mainSettings().ShowSCRComplete = 0;
    }
    accept();
}

void frmScrComplete::Command2_Click()
{
    if (m_showOptions)
        m_showOptions(this);
}

} // namespace tess
