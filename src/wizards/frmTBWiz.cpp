#include "wizards/frmTBWiz.h"

#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "wizards/outputexamples.h"

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
        {controlArrayName("Label3", page), 840, 450, 2520, 255},
        {controlArrayName("Label4", page), 3780, 450, 2700, 255},
        {controlArrayName("Label8", page), 6600, 450, 2595, 255},
    };
    for (int r = 0; r < kRowsPerPage; ++r) {
        const int i = page * kRowsPerPage + r;
        const int top = 750 + r * 375;
        t.append({controlArrayName("Label1", i), 120, top + 30, 675, 255});
        t.append({controlArrayName("Text1", i), 840, top, 2520, 315});
        t.append({controlArrayName("Label2", i), 3420, top + 30, 300, 255});
        t.append({controlArrayName("Combo1", i), 3780, top, 2700, 315});
        t.append({controlArrayName("Label7", i), 6600, top + 30, 2595, 255});
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

frmTBWiz::frmTBWiz(ScriptFacts *script, std::function<qsizetype()> queueCount, QWidget *parent)
    : RowTemplateWizard(script, RowFileKind::titleBlock(), QStringLiteral("frmTBWiz"),
                        QStringLiteral(" Title-Block Update Wizard"), parent),
      m_queueCount(std::move(queueCount))
{
    Frame1 = addFrame(QStringLiteral("Frame1"), QStringLiteral(" Attribute Changer"));
    Label5 = boldLabel(addLabel(QStringLiteral("Label5"), QStringLiteral("Block Name:"), Frame1));
    tbBlockName = addField(QStringLiteral("tbBlockName"), QString(), Frame1);
    SSTab1 = new QTabWidget(Frame1);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    for (int page = 0; page < kPages; ++page)
        buildPage(page);
    cmdConfigureVars = addButton(QStringLiteral("cmdConfigureVars"), QStringLiteral("Configure &Tags"), Frame1);
    cmdClear = addButton(QStringLiteral("cmdClear"), QStringLiteral("C&lear"), Frame1);

    addTemplateFrame("cmbTBWSelector", "cmdSaveTBW", "cmdDeleteTBW");
    cmbTBWSelector = templateBox;
    cmdSaveTBW = saveButton;
    cmdDeleteTBW = deleteButton;

    addOptionPair();
    frameOptions->setObjectName(QStringLiteral("Frame3"));
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Create Script"));
    Command1->setDefault(true);

    // clang-format off
    QList<Placement> table = {
        {"Frame1", 120, 60, 9555, 5805},
        {"Label5", 240, 300, 1275, 255},
        {"tbBlockName", 1560, 270, 3135, 285},
        {"SSTab1", 120, 660, 9315, 4560},
        {"cmdConfigureVars", 6735, 5310, 1515, 375},
        {"cmdClear", 8295, 5310, 1140, 375},
        {"Frame2", 120, 5985, 4695, 735},
        {"Frame3", 4935, 5985, 2535, 900},
        {"Command1", 7800, 6390, 1875, 495},
    };
    // clang-format on
    table += templateFramePlacements(2655);
    table += optionPairPlacements();
    placeAll(table, 9795, 7005);
    for (int page = 0; page < kPages; ++page)
        placeMore(SSTab1->widget(page), pagePlacements(page), kTabStripTwips);

    for (int i = 0; i < kWizardRows; ++i)
        connect(Combo1[size_t(i)], &QComboBox::editTextChanged, this, [this] {
            if (!m_filling)
                UpdateExamples();
        });
    connect(cmdClear, &QPushButton::clicked, this, &frmTBWiz::cmdClear_Click);
    connect(cmdConfigureVars, &QPushButton::clicked, this, &frmTBWiz::cmdConfigureVars_Click);
    connect(Command1, &QPushButton::clicked, this, &frmTBWiz::Command1_Click);

    // Form_Load: the rows of the user's state file, the template list, the examples.
    LoadTBW(kind().stateFileName());
    RefreshTBWList();
    UpdateExamples();
}

void frmTBWiz::buildPage(int page)
{
    QWidget *p = addPage(SSTab1, QStringLiteral("tabTags%1").arg(page + 1),
                         QStringLiteral("Tags %1-%2").arg(page * kRowsPerPage + 1).arg((page + 1) * kRowsPerPage));
    boldLabel(addLabel(QLatin1String(controlArrayName("Label3", page)), QStringLiteral("Attribute Name"), p));
    boldLabel(addLabel(QLatin1String(controlArrayName("Label4", page)), QStringLiteral("Text (or Tag)"), p));
    boldLabel(addLabel(QLatin1String(controlArrayName("Label8", page)), QStringLiteral("Output Example"), p));
    for (int r = 0; r < kRowsPerPage; ++r) {
        const int i = page * kRowsPerPage + r;
        addLabel(QLatin1String(controlArrayName("Label1", i)), QStringLiteral("Change"), p);
        Text1[size_t(i)] = addField(QLatin1String(controlArrayName("Text1", i)), QString(), p);
        addLabel(QLatin1String(controlArrayName("Label2", i)), QStringLiteral("to"), p);
        Combo1[size_t(i)] = addValueBox(QLatin1String(controlArrayName("Combo1", i)), p);
        Label7[size_t(i)] = addLabel(QLatin1String(controlArrayName("Label7", i)), QString(), p);
    }
}

TitleBlockRows frmTBWiz::rows() const
{
    TitleBlockRows r;
    r.blockName = tbBlockName->text();
    for (int i = 0; i < kWizardRows; ++i) {
        r.names[size_t(i)] = Text1[size_t(i)]->text();
        r.values[size_t(i)] = Combo1[size_t(i)]->currentText();
    }
    return r;
}

QStringList frmTBWiz::rowTexts() const
{
    const TitleBlockRows r = rows();
    QStringList lines{r.blockName};
    for (const QString &n : r.names)
        lines << n;
    for (const QString &v : r.values)
        lines << v;
    return lines;
}

void frmTBWiz::applyRowTexts(const QStringList &lines)
{
    m_filling = true;
    for (int n = 0; n < lines.size() && n < kTitleBlockFileLines; ++n) {
        const QString &text = lines.at(n);
        if (n == 0)
            tbBlockName->setText(text);
        else if (n <= kWizardRows)
            Text1[size_t(n - 1)]->setText(text);
        else
            Combo1[size_t(n - 1 - kWizardRows)]->setEditText(text);
    }
    m_filling = false;
    UpdateExamples();
}

void frmTBWiz::UpdateExamples()
{
    // The date and time texts come from the composer's formatter, for this moment and the user's
    // locale; like the composer, the wizard leaves them in the settings object.
    const TagEnvironment env = TagEnvironment::current();
    ExampleSources sources;
    sources.dates = DateTagValues::compute(env.moment, env.locale);
    sources.dates.writeTo(mainSettings());
    sources.tags = mainSettings().TAG;
    sources.programPath = env.programPath;
    sources.loginName = env.loginName;
    sources.computerName = env.computerName;
    sources.queueCount = m_queueCount ? m_queueCount() : 0;
    for (int i = 0; i < kWizardRows; ++i) {
        QLabel *example = Label7[size_t(i)];
        const QString text = outputExample(Combo1[size_t(i)]->currentText(), example->text(), sources);
        if (text != example->text())
            example->setText(text);
    }
}

void frmTBWiz::Form_Activate()
{
    UpdateExamples();
    RefreshTBWList();
}

void frmTBWiz::cmdClear_Click()
{
    m_filling = true;
    for (int i = 0; i < kWizardRows; ++i) {
        Text1[size_t(i)]->clear();
        Combo1[size_t(i)]->setCurrentIndex(-1);
        Combo1[size_t(i)]->clearEditText();
    }
    m_filling = false;
    UpdateExamples();
}

void frmTBWiz::Command1_Click()
{
    const TitleBlockRows r = rows();
    if (!titleBlockRowsWritten(r).isEmpty() && r.blockName.trimmed().isEmpty()) {
        msgBox(QStringLiteral("Please enter the Block Name: every row changes an attribute of that block, and "
                              "without its name the script would change nothing."),
               vbOKOnly | vbExclamation, QStringLiteral("Block Name"));
        tbBlockName->setFocus();
        return;
    }
    createScript([this](const QString &script) { return CreateTBWScript(script); });
}

QStringList frmTBWiz::CreateTBWScript(const QString &script)
{
    SaveTBW(kind().stateFileName());
    const TitleBlockRows r = rows();
    const QList<int> leftOut = titleBlockRowsLeftOut(r);
    if (!leftOut.isEmpty())
        msgBox(rowListText(leftOut) +
                   (leftOut.size() == 1 ? QStringLiteral(" names no attribute and is")
                                        : QStringLiteral(" name no attribute and are")) +
                   QStringLiteral(" left out of the script: TB_WIZ1 changes nothing without an attribute name.\r\n"
                                  "The other rows are written."),
               vbOKOnly | vbExclamation, QStringLiteral("Warning"));
    return writeTitleBlockScript(script, r, AppEnvironment::programFolder());
}

} // namespace tess
