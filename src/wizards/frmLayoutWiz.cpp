#include "wizards/frmLayoutWiz.h"

#include "core/prompts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace tess {

namespace {

constexpr int kRowsPerPage = 10;
constexpr int kPages = kWizardRows / kRowsPerPage;

// The controls of one tab page; tops count from the top of the tab control.
QList<Placement> pagePlacements(int page)
{
    QList<Placement> t = {
        {controlArrayName("Label3", page), 240, 450, 2880, 255},
        {controlArrayName("Label4", page), 3600, 450, 2880, 255},
    };
    for (int r = 0; r < kRowsPerPage; ++r) {
        const int i = page * kRowsPerPage + r;
        const int top = 750 + r * 375;
        t.append({controlArrayName("Text1", i), 240, top, 2880, 315});
        t.append({controlArrayName("Label2", i), 3225, top + 30, 300, 255});
        t.append({controlArrayName("Combo1", i), 3600, top, 2880, 315});
    }
    return t;
}

QLabel *boldLabel(QLabel *label)
{
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

frmLayoutWiz::frmLayoutWiz(ScriptFacts *script, QWidget *parent)
    : RowTemplateWizard(script, RowFileKind::layout(), QStringLiteral("frmLayoutWiz"), QStringLiteral(" Layout Wizard"),
                        parent)
{
    Frame1 = addFrame(QStringLiteral("Frame1"), QStringLiteral(" Commands"));
    auto *group = new QButtonGroup(this);
    const char *operations[] = {"Copy", "Delete", "New", "Rename"};
    for (int i = 0; i < 4; ++i) {
        Option1[size_t(i)] =
            addOption(QLatin1String(controlArrayName("Option1", i)), QLatin1String(operations[i]), i == 0, Frame1);
        group->addButton(Option1[size_t(i)], i);
    }
    SSTab1 = new QTabWidget(Frame1);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    for (int page = 0; page < kPages; ++page)
        buildPage(page);
    cmdConfigureVars = addButton(QStringLiteral("cmdConfigureVars"), QStringLiteral("Configure &Tags"), Frame1);
    cmdClear = addButton(QStringLiteral("cmdClear"), QStringLiteral("C&lear"), Frame1);

    addTemplateFrame("cmbLTWSelector", "cmdSaveLTW", "cmdDeleteLTW");
    cmbLTWSelector = templateBox;
    cmdSaveLTW = saveButton;
    cmdDeleteLTW = deleteButton;

    addOptionPair();
    frameOptions->setObjectName(QStringLiteral("Frame3"));
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Create Script"));
    Command1->setDefault(true);

    // clang-format off
    QList<Placement> table = {
        {"Frame1", 120, 60, 6975, 5805},
        {"Option1_0", 240, 300, 1095, 255},
        {"Option1_1", 1440, 300, 1095, 255},
        {"Option1_2", 2640, 300, 1095, 255},
        {"Option1_3", 3840, 300, 1095, 255},
        {"SSTab1", 120, 660, 6735, 4560},
        {"cmdConfigureVars", 3780, 5310, 1515, 375},
        {"cmdClear", 5415, 5310, 1140, 375},
        {"Frame2", 120, 5985, 4335, 735},
        {"Frame3", 4575, 5985, 2520, 900},
        {"Command1", 5400, 7005, 1695, 495},
    };
    // clang-format on
    table += templateFramePlacements(2295);
    table += optionPairPlacements();
    placeAll(table, 7215, 7620);
    for (int page = 0; page < kPages; ++page)
        placeMore(SSTab1->widget(page), pagePlacements(page), kTabStripTwips);

    for (int i = 0; i < 4; ++i)
        connect(Option1[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    connect(cmdClear, &QPushButton::clicked, this, &frmLayoutWiz::cmdClear_Click);
    connect(cmdConfigureVars, &QPushButton::clicked, this, &frmLayoutWiz::cmdConfigureVars_Click);
    connect(Command1, &QPushButton::clicked, this, &frmLayoutWiz::Command1_Click);

    // Form_Load: the rows of the user's state file, then the template list.
    LoadLTW(kind().stateFileName());
    FillTemplateList();
}

void frmLayoutWiz::buildPage(int page)
{
    QWidget *p = addPage(SSTab1, QStringLiteral("tabRows%1").arg(page + 1),
                         QStringLiteral("%1-%2").arg(page * kRowsPerPage + 1).arg((page + 1) * kRowsPerPage));
    boldLabel(addLabel(QLatin1String(controlArrayName("Label3", page)), QStringLiteral("Tab Name"), p));
    Label4[size_t(page)] =
        boldLabel(addLabel(QLatin1String(controlArrayName("Label4", page)), QStringLiteral("New Tab Name"), p));
    for (int r = 0; r < kRowsPerPage; ++r) {
        const int i = page * kRowsPerPage + r;
        Text1[size_t(i)] = addField(QLatin1String(controlArrayName("Text1", i)), QString(), p);
        Label2[size_t(i)] = addLabel(QLatin1String(controlArrayName("Label2", i)), QStringLiteral("to"), p);
        Combo1[size_t(i)] = addValueBox(QLatin1String(controlArrayName("Combo1", i)), p);
    }
}

LayoutRows frmLayoutWiz::rows() const
{
    LayoutRows r;
    for (int i = 0; i < kWizardRows; ++i) {
        r.tabNames[size_t(i)] = Text1[size_t(i)]->text();
        r.newNames[size_t(i)] = Combo1[size_t(i)]->currentText();
    }
    return r;
}

LayoutOperation frmLayoutWiz::operation() const
{
    if (Option1[0]->isChecked())
        return LayoutOperation::Copy;
    if (Option1[1]->isChecked())
        return LayoutOperation::Delete;
    if (Option1[2]->isChecked())
        return LayoutOperation::New;
    return LayoutOperation::Rename;
}

QStringList frmLayoutWiz::rowTexts() const
{
    const LayoutRows r = rows();
    QStringList lines;
    for (const QString &t : r.tabNames)
        lines << t;
    for (const QString &n : r.newNames)
        lines << n;
    return lines;
}

void frmLayoutWiz::applyRowTexts(const QStringList &lines)
{
    for (int n = 0; n < lines.size() && n < kLayoutFileLines; ++n) {
        if (n < kWizardRows)
            Text1[size_t(n)]->setText(lines.at(n));
        else
            Combo1[size_t(n - kWizardRows)]->setEditText(lines.at(n));
    }
}

void frmLayoutWiz::Option1_Click(int index)
{
    const bool show = index == 0 || index == 3;
    for (int i = 0; i < kWizardRows; ++i) {
        Combo1[size_t(i)]->setVisible(show);
        Label2[size_t(i)]->setVisible(show);
    }
    for (QLabel *header : Label4)
        header->setVisible(show);
}

void frmLayoutWiz::cmdClear_Click()
{
    for (int i = 0; i < kWizardRows; ++i) {
        Text1[size_t(i)]->clear();
        Combo1[size_t(i)]->setCurrentIndex(-1);
        Combo1[size_t(i)]->clearEditText();
    }
}

void frmLayoutWiz::Command1_Click()
{
    createScript([this](const QString &script) { return CreateLayoutScript(script); });
}

QStringList frmLayoutWiz::CreateLayoutScript(const QString &script)
{
    SaveLTW(kind().stateFileName());
    const LayoutRows r = rows();
    const LayoutOperation op = operation();
    const QList<int> leftOut = layoutRowsLeftOut(r, op);
    if (!leftOut.isEmpty())
        msgBox(rowListText(leftOut) +
                   (leftOut.size() == 1 ? QStringLiteral(" names no layout tab and is")
                                        : QStringLiteral(" name no layout tab and are")) +
                   QStringLiteral(" left out of the script: AutoCAD would take an empty tab name for the current "
                                  "layout and delete it in every drawing.\r\nThe other rows are written."),
               vbOKOnly | vbExclamation, QStringLiteral("Warning"));
    return writeLayoutScript(script, r, op);
}

} // namespace tess
