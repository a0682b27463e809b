#include "wizards/frmPlotWiz.h"

#include "wizards/wizardblocks.h"
#include "wizards/wizardscript.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

frmPlotWiz::frmPlotWiz(ScriptFacts *script, QWidget *parent)
    : ScriptWizard(script, QStringLiteral("frmPlotWiz"), QStringLiteral(" Plot Wizard"), parent)
{
    auto option = [this](int n, const char *caption, bool selected, QWidget *frame = nullptr) {
        return addOption(QStringLiteral("Option%1").arg(n), QLatin1String(caption), selected, frame);
    };
    auto text = [this](int n, const char *value, QWidget *frame = nullptr) {
        return addField(QStringLiteral("Text%1").arg(n), QLatin1String(value), frame);
    };
    // Options placed straight on the window pair up by question, not all six as one group.
    auto pair = [this](QRadioButton *a, QRadioButton *b) {
        auto *group = new QButtonGroup(this);
        group->addButton(a);
        group->addButton(b);
    };

    addLabel(QStringLiteral("Label1"), QStringLiteral("Layout Name:"));
    addLabel(QStringLiteral("Label2"), QStringLiteral("(Model, Layout1 etc)"));
    text(1, "Model");
    addLabel(QStringLiteral("Label3"), QStringLiteral("Output Device Name:"));
    addLabel(QStringLiteral("Label4"), QStringLiteral("(HP LaserJet etc...)"));
    text(2, "");
    addLabel(QStringLiteral("Label5"), QStringLiteral("Paper Size:"));
    addLabel(QStringLiteral("Label6"), QStringLiteral("(Letter, A3 etc...)"));
    text(3, "Letter");
    addLabel(QStringLiteral("Label7"), QStringLiteral("Paper Units:"));
    pair(option(1, "Inches", false), option(2, "Millimeters", false));
    addLabel(QStringLiteral("Label8"), QStringLiteral("Drawing Orientation:"));
    pair(option(3, "Portrait", false), option(4, "Landscape", false));
    addLabel(QStringLiteral("Label9"), QStringLiteral("Plot Upside Down:"));
    pair(option(5, "Yes", false), option(6, "No", false));

    QGroupBox *area = addFrame(QStringLiteral("Frame1"), QStringLiteral("Plot Area?"));
    option(7, "Display", false, area);
    option(8, "Extents", true, area);
    option(9, "Limits", false, area);
    option(10, "View", false, area);
    option(11, "Window", false, area);
    text(4, "", area)->setEnabled(false);
    QGroupBox *scale = addFrame(QStringLiteral("Frame2"), QStringLiteral("Plot Scale?"));
    option(12, "Plotted Inches = Drawing Units", false, scale);
    option(13, "Fit", true, scale);
    QGroupBox *offset = addFrame(QStringLiteral("Frame3"), QStringLiteral("Plot Offset?"));
    option(14, "Plot Offset", false, offset);
    text(5, "", offset)->setEnabled(false);
    option(15, "Center", true, offset);
    option(18, "<0.00, 0,00>", false, offset);
    QGroupBox *styles = addFrame(QStringLiteral("Frame4"), QStringLiteral("Plot Styles?"));
    option(16, "Yes", false, styles);
    option(17, "No", true, styles);
    QGroupBox *styleTable = addFrame(QStringLiteral("Frame5"), QStringLiteral("Plot Style Table Name?"));
    option(19, "None", true, styleTable);
    option(20, "", false, styleTable);
    text(6, "", styleTable);
    QGroupBox *hidden = addFrame(QStringLiteral("Frame6"), QStringLiteral("Remove Hidden Lines?"));
    option(21, "Yes", true, hidden);
    option(22, "No", false, hidden);
    QGroupBox *toFile = addFrame(QStringLiteral("Frame7"), QStringLiteral("Write Plot to File?"));
    option(23, "No", true, toFile);
    option(24, "", false, toFile);
    text(7, "", toFile);
    QGroupBox *save = addFrame(QStringLiteral("Frame8"), QStringLiteral("Save Changes to Model Tab?"));
    option(25, "No", false, save);
    option(26, "Yes", true, save);

    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("Create Script"));

    // clang-format off
    const QList<Placement> table = {
        {"Label1", 240, 240, 1815, 225},
        {"Label2", 240, 465, 1815, 225},
        {"Text1", 2160, 270, 2175, 315},
        {"Label3", 240, 840, 1815, 225},
        {"Label4", 240, 1065, 1815, 225},
        {"Text2", 2160, 870, 2175, 315},
        {"Label5", 240, 1440, 1815, 225},
        {"Label6", 240, 1665, 1815, 225},
        {"Text3", 2160, 1470, 2175, 315},
        {"Label7", 240, 2100, 1815, 255},
        {"Option1", 2160, 2100, 1035, 255},
        {"Option2", 3240, 2100, 1335, 255},
        {"Label8", 240, 2460, 1815, 255},
        {"Option3", 2160, 2460, 1035, 255},
        {"Option4", 3240, 2460, 1335, 255},
        {"Label9", 240, 2820, 1815, 255},
        {"Option5", 2160, 2820, 1035, 255},
        {"Option6", 3240, 2820, 1335, 255},
        {"Frame1", 240, 3240, 4215, 1035},
        {"Option7", 120, 270, 1035, 255},
        {"Option8", 1200, 270, 1035, 255},
        {"Option9", 2280, 270, 1035, 255},
        {"Option10", 120, 630, 1035, 255},
        {"Option11", 1200, 630, 1035, 255},
        {"Text4", 2280, 600, 1755, 315},
        {"Frame2", 240, 4440, 4215, 660},
        {"Option12", 120, 270, 3135, 255},
        {"Option13", 3360, 270, 735, 255},
        {"Frame3", 4680, 240, 3735, 1035},
        {"Option14", 120, 270, 1335, 255},
        {"Text5", 1500, 240, 2115, 315},
        {"Option15", 120, 630, 1335, 255},
        {"Option18", 1500, 630, 2115, 255},
        {"Frame4", 4680, 1380, 3735, 660},
        {"Option16", 120, 270, 1035, 255},
        {"Option17", 1200, 270, 1035, 255},
        {"Frame5", 4680, 2145, 3735, 1035},
        {"Option19", 120, 270, 1335, 255},
        {"Option20", 120, 660, 255, 255},
        {"Text6", 420, 630, 3195, 315},
        {"Frame6", 4680, 3285, 3735, 660},
        {"Option21", 120, 270, 1035, 255},
        {"Option22", 1200, 270, 1035, 255},
        {"Frame7", 4680, 4050, 3735, 1035},
        {"Option23", 120, 270, 1335, 255},
        {"Option24", 120, 660, 255, 255},
        {"Text7", 420, 630, 3195, 315},
        {"Frame8", 4680, 5190, 3735, 660},
        {"Option25", 120, 270, 1035, 255},
        {"Option26", 1200, 270, 1035, 255},
        {"Command1", 6780, 5970, 1635, 375},
    };
    // clang-format on
    placeAll(table, 8655, 6585);

    connect(Command1, &QPushButton::clicked, this, &frmPlotWiz::Command1_Click);
}

void frmPlotWiz::Command1_Click()
{
    // The user script is replaced every time, so the question comes every time.
    if (!ConfirmOverwrite())
        return;
    writeScript(QStringList{QString()} + writePlotScript());
}

} // namespace tess
