#include "mainwin/frmSettings.h"

#include "widgets/boxtext.h"
#include "widgets/commandbox.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {

namespace {

QPlainTextEdit *flowBox(const char *name, const QString &tip)
{
    QPlainTextEdit *box = makeCommandBox(QLatin1String(name), tip);
    box->setMinimumSize(twipsToPixels(5500), twipsToPixels(900));
    return box;
}

QLabel *flowLabel(const char *name, const QString &text, bool step = false)
{
    auto *l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    if (step) {
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::StyledPanel);
    }
    return l;
}

} // namespace

frmSettings::frmSettings(const QList<QPlainTextEdit *> &mainBoxes) : QDialog(nullptr), m_mainBoxes(mainBoxes)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral(" Batch Script Settings"));
    setModal(true);

    tbPreBatch = flowBox("tbPreBatch", QStringLiteral("This happens BEFORE any drawings are openend."));
    tbPreUserScript = flowBox("tbPreUserScript",
                              QStringLiteral("This is the first thing that happens on every file when it is opened."));
    tbPostUserScript = flowBox(
        "tbPostUserScript", QStringLiteral("This is the last thing that happens on every file (after it is saved)."));
    tbPostBatch = flowBox("tbPostBatch",
                          QStringLiteral("This is the last thing that happens, after all files have been processed."));

    auto *frame = new QGroupBox(QStringLiteral("Batch Script Flow"));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    grid->setVerticalSpacing(twipsToPixels(75));
    grid->addWidget(flowLabel("lblPreBatch", QStringLiteral("PreBatch")), 0, 0, Qt::AlignTop);
    grid->addWidget(tbPreBatch, 0, 1);
    grid->addWidget(flowLabel("lblOpenFile", QStringLiteral("OPEN FILE (File from Queue)"), true), 1, 1);
    grid->addWidget(flowLabel("lblPreUserScript", QStringLiteral("PreUserScript")), 2, 0, Qt::AlignTop);
    grid->addWidget(tbPreUserScript, 2, 1);
    grid->addWidget(flowLabel("lblUserScript", QStringLiteral("USER SCRIPT (Specified in User Script Editor)"), true),
                    3, 1);
    grid->addWidget(flowLabel("lblQSave", QStringLiteral("QSAVE"), true), 4, 1);
    grid->addWidget(flowLabel("lblPostUserScript", QStringLiteral("PostUserScript")), 5, 0, Qt::AlignTop);
    grid->addWidget(tbPostUserScript, 5, 1);
    QLabel *loop = flowLabel("lblLoop", QStringLiteral("Loop"));
    loop->setAlignment(Qt::AlignCenter);
    loop->setFrameShape(QFrame::Box);
    loop->setMinimumWidth(loop->fontMetrics().horizontalAdvance(loop->text()) + twipsToPixels(240));
    grid->addWidget(loop, 1, 2, 5, 1);
    grid->addWidget(flowLabel("lblPostBatch", QStringLiteral("PostBatch")), 6, 0, Qt::AlignTop);
    grid->addWidget(tbPostBatch, 6, 1);

    auto *ok = new QPushButton(QStringLiteral("&Ok"));
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *top = new QVBoxLayout(this);
    top->addWidget(frame, 1);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &frmSettings::cmdOk_Click);
    connect(cancel, &QPushButton::clicked, this, &frmSettings::cmdCancel_Click);
}

void frmSettings::showEvent(QShowEvent *event)
{
    GetTextFromMain();
    QDialog::showEvent(event);
}

QPlainTextEdit *frmSettings::mainBox(const QPlainTextEdit *own) const
{
    for (QPlainTextEdit *main : m_mainBoxes) {
        if (main && main->objectName() == own->objectName())
            return main;
    }
    return nullptr;
}

void frmSettings::GetTextFromMain()
{
    for (QPlainTextEdit *own : {tbPreBatch, tbPreUserScript, tbPostUserScript, tbPostBatch}) {
        if (QPlainTextEdit *main = mainBox(own))
            setBoxText(own, plainBoxText(main));
    }
}

void frmSettings::cmdOk_Click()
{
    for (QPlainTextEdit *own : {tbPreBatch, tbPreUserScript, tbPostUserScript, tbPostBatch}) {
        if (QPlainTextEdit *main = mainBox(own))
            setBoxText(main, plainBoxText(own));
    }
    QApplication::processEvents();
    accept();
}

void frmSettings::cmdCancel_Click() { reject(); }

} // namespace tess
