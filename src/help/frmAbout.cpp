#include "help/frmAbout.h"

#include "help/readme.h"
#include "widgets/controlfactory.h"
#include "widgets/placement.h"

#include <QEvent>
#include <QMouseEvent>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"lblTitle", 240, 180, 4800, 420},          {"lblVersion", 240, 660, 4800, 255},
        {"lblSupportSales", 240, 1140, 4800, 255},  {"lblQuelm", 240, 1440, 4800, 255},
        {"lblSupportCaption", 240, 1740, 780, 255}, {"lblSupport", 1080, 1740, 3960, 255},
        {"lblTrademark", 240, 2220, 4800, 255},     {"cmdOk", 1905, 2700, 1455, 375},
    };
    return table;
}

// A label that reads like a link and reacts to a click.
QLabel *makeLink(const QString &name, const QString &caption, QWidget *parent, QObject *filter)
{
    QLabel *l = makeLabel(name, caption, parent);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 192));
    l->setPalette(p);
    l->setCursor(Qt::PointingHandCursor);
    l->setToolTip(QStringLiteral("Opens the README: setting up, common questions, reporting problems"));
    l->installEventFilter(filter);
    return l;
}

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tessaline"));
    setModal(true);

    lblTitle = makeLabel(QStringLiteral("lblTitle"), QStringLiteral("Tessaline for AutoCAD"), this);
    QFont title = lblTitle->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.5);
    lblTitle->setFont(title);
    lblVersion = makeLabel(QStringLiteral("lblVersion"), QStringLiteral("Version Info"), this);
    // The caption "Support, Sales && Updates" of a label: shown with one "&".
    lblSupportSales = makeLabel(QStringLiteral("lblSupportSales"), QStringLiteral("Support, Sales & Updates"), this);
    lblSupportSales->setTextFormat(Qt::PlainText);
    lblQuelm = makeLink(QStringLiteral("lblQuelm"), QStringLiteral("README.md"), this, this);
    lblSupportCaption = makeLabel(QStringLiteral("lblSupportCaption"), QStringLiteral("Support"), this);
    lblSupport = makeLink(QStringLiteral("lblSupport"), QStringLiteral("README.md"), this, this);
    lblTrademark = makeLabel(QStringLiteral("lblTrademark"),
                             QStringLiteral("AutoCAD\u00AE is a registered trademark of AutoDesk Inc."), this);
    cmdOk = makeButton(QStringLiteral("cmdOk"), QStringLiteral("&Close"), this);
    cmdOk->setDefault(true);

    placeControls(this, placements());
    setFixedSize(twipsToPixels(5280), twipsToPixels(3300));
    connect(cmdOk, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);
}

void frmAbout::cmdOk_Click() { accept(); }

void frmAbout::lblQuelm_Click() { openReadme(); }

void frmAbout::lblSupport_Click() { openReadme(); }

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == lblQuelm)
            lblQuelm_Click();
        else if (watched == lblSupport)
            lblSupport_Click();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tess
