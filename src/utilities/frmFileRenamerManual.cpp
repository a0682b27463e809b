#include "utilities/frmFileRenamerManual.h"

#include "widgets/escapekey.h"
#include "widgets/placement.h"

#include <QFont>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"tbFileName", 120, 120, 4800, 315},
        {"cmdRename", 3840, 540, 1080, 375},
    };
    return table;
}

} // namespace

frmFileRenamerManual::frmFileRenamerManual(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFileRenamerManual"));
    setWindowTitle(QStringLiteral(" Manual Edit"));
    // No button cancels: Escape presses nothing.
    ignoreEscape(this);
    tbFileName = new QLineEdit(this);
    tbFileName->setObjectName(QStringLiteral("tbFileName"));
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSizeF(9.75);
    tbFileName->setFont(courier);
    cmdRename = new QPushButton(QStringLiteral("&Ok"), this);
    cmdRename->setObjectName(QStringLiteral("cmdRename"));
    cmdRename->setAutoDefault(false); // no default button
    placeControls(this, placements());
    setFixedSize(QRect(placementRect({"", 0, 0, 5160, 1080})).size());
    connect(cmdRename, &QPushButton::clicked, this, &frmFileRenamerManual::cmdRename_Click);
}

void frmFileRenamerManual::cmdRename_Click() { accept(); }

} // namespace tess
