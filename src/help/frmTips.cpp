#include "help/frmTips.h"

#include "core/mainsettings.h"
#include "core/settingskeys.h"
#include "widgets/controlfactory.h"
#include "widgets/placement.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTextOption>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"Text1", 120, 120, 6240, 2655},           {"lblTipNum", 120, 2910, 1695, 255},
        {"cmdPreviousTip", 4200, 2880, 1035, 375}, {"cmdNextTip", 5325, 2880, 1035, 375},
        {"Check1", 120, 3420, 3735, 255, 4000},    {"cmdClose", 4200, 3360, 2160, 375},
    };
    return table;
}

} // namespace

frmTips::frmTips(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmTips"));
    setWindowTitle(QStringLiteral(" Tip of the Day"));
    setModal(true);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long word (a path) breaks where it must rather than running out of the box.
    Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont arial = Text1->font();
    arial.setFamily(QStringLiteral("Arial"));
    arial.setPointSize(10);
    Text1->setFont(arial);
    lblTipNum = makeLabel(QStringLiteral("lblTipNum"), QString(), this);
    cmdPreviousTip = makeButton(QStringLiteral("cmdPreviousTip"), QStringLiteral("<<"), this);
    cmdNextTip = makeButton(QStringLiteral("cmdNextTip"), QStringLiteral(">>"), this);
    Check1 = new QCheckBox(QStringLiteral("Show Tip of the Day at Startup"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    cmdClose = makeButton(QStringLiteral("cmdClose"), QStringLiteral("&Close"), this);
    cmdClose->setDefault(true);

    placeControls(this, placements());
    setFixedSize(twipsToPixels(6480), twipsToPixels(3840));

    connect(cmdPreviousTip, &QPushButton::clicked, this, &frmTips::cmdPreviousTip_Click);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTips::cmdNextTip_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmTips::cmdClose_Click);
    connect(Check1, &QCheckBox::toggled, this, &frmTips::Check1_Click);
    Form_Load();
}

void frmTips::showModal(QWidget *owner)
{
    if (parentWidget() != owner)
        setParent(owner, windowFlags());
    exec();
}

void frmTips::Form_Load()
{
    m_file = readTipsFile(tipsFilePath());
    switch (m_file.status) {
    case TipsFile::Status::Loaded:
        m_current = firstTipIndex(readOtherSetting(OtherKeys::TipNumber), tipCount());
        showTip();
        break;
    case TipsFile::Status::Missing: showWithoutTips(tipsFileMissingText()); break;
    case TipsFile::Status::Empty: showWithoutTips(tipsFileEmptyText()); break;
    case TipsFile::Status::Unreadable: showWithoutTips(tipsFileUnreadableText(m_file)); break;
    }
    // Ticking the box from the setting stores it, as a click does.
    Check1->setChecked(mainSettings().TipsShow == 1);
}

void frmTips::showWithoutTips(const QString &text)
{
    m_current = 0;
    cmdPreviousTip->hide();
    cmdNextTip->hide();
    Check1->hide();
    lblTipNum->hide();
    Text1->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmTips::showTip()
{
    if (tipCount() == 0)
        return;
    Text1->setPlainText(QString(m_file.tips.at(m_current)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    lblTipNum->setText(tipPositionText(m_current, tipCount()));
}

void frmTips::cmdPreviousTip_Click()
{
    m_current = previousTipIndex(m_current, tipCount());
    showTip();
}

void frmTips::cmdNextTip_Click()
{
    m_current = nextTipIndex(m_current, tipCount());
    showTip();
}

void frmTips::cmdClose_Click()
{
    hide();
    // Without tips the position is 0, and it is stored as any other.
    writeOtherSetting(OtherKeys::TipNumber, m_current);
}

void frmTips::Check1_Click(bool ticked) { writeOtherSetting(OtherKeys::TipsShow, ticked ? 1 : 0); }

} // namespace tess
