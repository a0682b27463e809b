#include "utilities/frmFileRenamer.h"

#include "core/drawingqueue.h"
#include "core/fileselection.h"

#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "utilities/frmFileRenamerManual.h"
#include "widgets/escapekey.h"
#include "widgets/repaintpacer.h"
#include "widgets/screenplacement.h"
#include "widgets/waitcursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tess {

namespace {

QFont courierFont()
{
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(9.75);
    return f;
}

template <typename T> T *named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit *textBox(const char *name, const QString &text = QString(), int width = 0)
{
    auto *box = named(new QLineEdit(text), name);
    box->setFont(courierFont());
    if (width > 0)
        box->setFixedWidth(width);
    return box;
}

// A number the user only steps: a disabled box and a vertical bar whose top end is the larger value.
// The bar holds the negated number, so its top arrow (which lowers a bar's value) raises the number.
QScrollBar *spinner(const char *name, QLineEdit *box, int low, int high)
{
    auto *bar = named(new QScrollBar(Qt::Vertical), name);
    bar->setRange(-high, -low);
    bar->setFixedSize(17, 24);
    box->setEnabled(false);
    QObject::connect(bar, &QScrollBar::valueChanged, box, [box](int v) { box->setText(QString::number(-v)); });
    return bar;
}

QWidget *row(std::initializer_list<QWidget *> widgets)
{
    auto *w = new QWidget;
    auto *l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget *c : widgets)
        l->addWidget(c);
    l->addStretch();
    return w;
}

QLabel *label(const QString &text) { return new QLabel(text); }

QWidget *page(std::initializer_list<QWidget *> rows)
{
    auto *p = new QWidget;
    auto *l = new QVBoxLayout(p);
    for (QWidget *r : rows)
        l->addWidget(r);
    l->addStretch();
    return p;
}

QStringList itemsOf(const QListWidget *list)
{
    QStringList out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

} // namespace

frmFileRenamer::frmFileRenamer(DrawingQueue &queue, FileSelection *files, int reportProblems, QWidget *parent)
    : QDialog(parent), m_queue(queue), m_files(files), m_reportProblems(reportProblems)
{
    setObjectName(QStringLiteral("frmFileRenamer"));
    setWindowTitle(QStringLiteral("File Renamer"));
    // No button cancels: Escape presses nothing.
    ignoreEscape(this);

    SSTab1 = named(new QTabWidget, "SSTab1");

    tbStartAt = textBox("tbStartAt", QStringLiteral("1"), 80);
    tbStep = textBox("tbStep", QStringLiteral("1"), 80);
    tbRenumberDigits = textBox("tbRenumberDigits", QStringLiteral("3"), 40);
    vsRenumberPad = spinner("vsRenumberPad", tbRenumberDigits, 1, 9);
    optAppend = named(new QRadioButton(QStringLiteral("Append")), "optAppend");
    optOverWrite = named(new QRadioButton(QStringLiteral("Overwrite")), "optOverWrite");
    optOverWrite->setChecked(true);
    cmdPreviewRenumber = named(new QPushButton(QStringLiteral("&Preview")), "cmdPreviewRenumber");
    auto *renumberOptions = new QWidget;
    {
        auto *l = new QVBoxLayout(renumberOptions);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(optAppend);
        l->addWidget(optOverWrite);
    }
    SSTab1->addTab(
        page({row({label(QStringLiteral("Starting at")), tbStartAt, label(QStringLiteral("Step")), tbStep}),
              row({label(QStringLiteral("Pad to")), tbRenumberDigits, vsRenumberPad, label(QStringLiteral("digits"))}),
              row({renumberOptions, cmdPreviewRenumber})}),
        QStringLiteral("Renumber"));

    tbReplaceChar = textBox("tbReplaceChar", QStringLiteral("4"), 40);
    vsReplaceChar = spinner("vsReplaceChar", tbReplaceChar, 1, 30);
    tbReplaceWith = textBox("tbReplaceWith", QString(), 160);
    cmdPreviewReplaceFirst = named(new QPushButton(QStringLiteral("Preview")), "cmdPreviewReplaceFirst");
    SSTab1->addTab(page({row({label(QStringLiteral("Replace the first")), tbReplaceChar, vsReplaceChar,
                              label(QStringLiteral("characters with")), tbReplaceWith}),
                         row({cmdPreviewReplaceFirst})}),
                   QStringLiteral("Rep.First"));

    tbInsertText = textBox("tbInsertText", QString(), 160);
    tbInsertAtChar = textBox("tbInsertAtChar", QStringLiteral("1"), 40);
    vsInsertAtChar = spinner("vsInsertAtChar", tbInsertAtChar, 0, 30);
    cmdInsertPreview = named(new QPushButton(QStringLiteral("&Preview")), "cmdInsertPreview");
    SSTab1->addTab(page({row({label(QStringLiteral("Insert")), tbInsertText, label(QStringLiteral("at character")),
                              tbInsertAtChar, vsInsertAtChar}),
                         row({cmdInsertPreview})}),
                   QStringLiteral("Insert"));

    tbAppend = textBox("tbAppend", QString(), 160);
    cmdAppendPreview = named(new QPushButton(QStringLiteral("&Preview")), "cmdAppendPreview");
    SSTab1->addTab(page({row({label(QStringLiteral("Append")), tbAppend, label(QStringLiteral("to end of filename."))}),
                         row({cmdAppendPreview})}),
                   QStringLiteral("Append"));

    tbPadChar = textBox("tbPadChar", QStringLiteral("0"), 40);
    optPadFromStart = named(new QRadioButton(QStringLiteral("Pad Start of FileName")), "optPadFromStart");
    optPadFromEnd = named(new QRadioButton(QStringLiteral("Pad End of FileName")), "optPadFromEnd");
    cmdPad = named(new QPushButton(QStringLiteral("&Preview")), "cmdPad");
    auto *padOptions = new QWidget;
    {
        auto *l = new QVBoxLayout(padOptions);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(optPadFromStart);
        l->addWidget(optPadFromEnd);
    }
    SSTab1->addTab(page({row({label(QStringLiteral("With the")), tbPadChar, label(QStringLiteral("character."))}),
                         row({padOptions, cmdPad})}),
                   QStringLiteral("Pad"));

    tbReplace2Replace = textBox("tbReplace2Replace", QString(), 160);
    tbReplace2ReplaceWith = textBox("tbReplace2ReplaceWith", QString(), 160);
    cmdReplace2Preview = named(new QPushButton(QStringLiteral("&Preview")), "cmdReplace2Preview");
    cmdReplace2Compound = named(new QPushButton(QStringLiteral("Compound")), "cmdReplace2Compound");
    SSTab1->addTab(page({row({label(QStringLiteral("Replace")), tbReplace2Replace, label(QStringLiteral("with")),
                              tbReplace2ReplaceWith}),
                         row({cmdReplace2Preview, cmdReplace2Compound})}),
                   QStringLiteral("Replacer"));

    lstSource = named(new QListWidget, "lstSource");
    lstDestination = named(new QListWidget, "lstDestination");
    lstMainList = named(new QListWidget(this), "lstMainList");
    lstMainList->hide();
    for (QListWidget *l : {lstSource, lstDestination}) {
        l->setFont(courierFont());
        l->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    lstDestination->setToolTip(QStringLiteral("Double-Click to Manually Rename"));
    cmdClear = named(new QPushButton(QStringLiteral("&Clear")), "cmdClear");
    cmdDoIt = named(new QPushButton(QStringLiteral("&Finalize It!")), "cmdDoIt");
    cmdDoIt->setEnabled(false);
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);

    auto *lists = new QGridLayout;
    lists->addWidget(label(QStringLiteral("Before")), 0, 0);
    lists->addWidget(label(QStringLiteral("After")), 0, 1);
    lists->addWidget(lstSource, 1, 0);
    lists->addWidget(lstDestination, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClear);
    buttons->addWidget(cmdDoIt);
    auto *main = new QVBoxLayout(this);
    main->addWidget(SSTab1);
    main->addLayout(lists, 1);
    main->addLayout(buttons);
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);
    resize(620, 520);

    connect(cmdPreviewRenumber, &QPushButton::clicked, this, &frmFileRenamer::cmdPreviewRenumber_Click);
    connect(cmdPreviewReplaceFirst, &QPushButton::clicked, this, &frmFileRenamer::cmdPreviewReplaceFirst_Click);
    connect(cmdInsertPreview, &QPushButton::clicked, this, &frmFileRenamer::cmdInsertPreview_Click);
    connect(cmdAppendPreview, &QPushButton::clicked, this, &frmFileRenamer::cmdAppendPreview_Click);
    connect(cmdPad, &QPushButton::clicked, this, &frmFileRenamer::cmdPad_Click);
    connect(cmdReplace2Preview, &QPushButton::clicked, this, &frmFileRenamer::cmdReplace2Preview_Click);
    connect(cmdReplace2Compound, &QPushButton::clicked, this, &frmFileRenamer::cmdReplace2Compound_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmFileRenamer::cmdClear_Click);
    connect(cmdDoIt, &QPushButton::clicked, this, &frmFileRenamer::cmdDoIt_Click);
    connect(SSTab1, &QTabWidget::currentChanged, this, &frmFileRenamer::SSTab1_Click);
    connect(tbPadChar, &QLineEdit::textChanged, this, &frmFileRenamer::tbPadChar_Change);
    connect(lstDestination, &QListWidget::itemDoubleClicked, this, [this] { lstDestination_DblClick(); });
    connect(lstSource->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { syncTop(lstSource); });
    connect(lstDestination->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { syncTop(lstDestination); });

    Form_Load();
}

frmFileRenamer::~frmFileRenamer() = default;

void frmFileRenamer::Form_Load()
{
    if (m_reportProblems == 0)
        msgBox(QStringLiteral("All Files in Queue are Available to be renamed."), vbOKOnly | vbExclamation,
               QStringLiteral("Files Verified"));
    const QStringList queue = m_queue.entries();
    for (const QString &path : queue) {
        lstMainList->addItem(path);
        auto *item = new QListWidgetItem(FileNameOf(path));
        item->setToolTip(path);
        lstSource->addItem(item);
    }
    vsRenumberPad->setValue(-3);
    vsReplaceChar->setValue(-4);
    vsInsertAtChar->setValue(-1);
    tbRenumberDigits->setText(QStringLiteral("3"));
    tbReplaceChar->setText(QStringLiteral("4"));
    tbInsertAtChar->setText(QStringLiteral("1"));
    cmdReplace2Compound->setEnabled(false);
    cmdClear->setEnabled(false);
}

QStringList frmFileRenamer::sourceNames() const { return itemsOf(lstSource); }

void frmFileRenamer::setPreviewButtons(bool on, bool compound)
{
    cmdDoIt->setEnabled(on);
    cmdClear->setEnabled(on);
    cmdReplace2Compound->setEnabled(compound);
}

void frmFileRenamer::showPreview(const RenamePreview &p, bool enablesCompound)
{
    // Every preview starts by disabling Finalize, Clear and Compound; only a whole preview enables them.
    setPreviewButtons(false, false);
    lstDestination->clear();
    lstDestination->addItems(p.names);
    if (!p.complete())
        return;
    setPreviewButtons(true, enablesCompound);
}

void frmFileRenamer::cmdPreviewRenumber_Click()
{
    const RenamePreview p = previewRenumber(sourceNames(), tbStartAt->text(), tbStep->text(),
                                            tbRenumberDigits->text().toInt(), optAppend->isChecked());
    showPreview(p, false);
    const QString message = previewStopMessage(p.stop);
    if (!message.isEmpty())
        msgBox(message, vbOKOnly | vbExclamation);
}

void frmFileRenamer::cmdPreviewReplaceFirst_Click()
{
    const int n = tbReplaceChar->text().toInt();
    const RenamePreview p = previewReplaceFirst(sourceNames(), n, tbReplaceWith->text());
    showPreview(p, false);
    // One message for each name shorter than the count, in list order.
    QStringList messages;
    for (const qsizetype i : p.tooShort)
        messages << unexpectedErrorText(5,
                                        QStringLiteral("Invalid procedure call or argument: %1 has fewer than %2 "
                                                       "characters")
                                            .arg(lstSource->item(int(i))->text())
                                            .arg(n),
                                        QStringLiteral("StripFirstXChars"),
                                        QStringLiteral("Module modStringManipulation"));
    showMessagesOneByOne(messages);
}

void frmFileRenamer::cmdInsertPreview_Click()
{
    const RenamePreview p = previewInsert(sourceNames(), tbInsertText->text(), tbInsertAtChar->text().toInt());
    showPreview(p, false);
    if (p.stop == PreviewStop::InsertPastEnd)
        reportUnexpectedError(5,
                              QStringLiteral("Invalid procedure call or argument: %1 is shorter than %2 characters")
                                  .arg(lstSource->item(int(p.stopIndex))->text(), tbInsertAtChar->text()),
                              QStringLiteral("cmdInsertPreview_Click"), QStringLiteral("Form frmFileRenamer"),
                              vbOKOnly);
}

void frmFileRenamer::cmdAppendPreview_Click()
{
    const RenamePreview p = previewAppend(sourceNames(), tbAppend->text());
    showPreview(p, false);
    const QString message = previewStopMessage(p.stop);
    if (!message.isEmpty())
        msgBox(message, vbOKOnly | vbExclamation);
}

void frmFileRenamer::cmdPad_Click()
{
    const RenamePreview p = previewPad(sourceNames(), tbPadChar->text(), optPadFromStart->isChecked());
    showPreview(p, false);
    const QString message = previewStopMessage(p.stop);
    if (!message.isEmpty())
        msgBox(message, vbOKOnly | vbExclamation);
}

void frmFileRenamer::cmdReplace2Preview_Click()
{
    showPreview(previewReplaceAll(sourceNames(), tbReplace2Replace->text(), tbReplace2ReplaceWith->text()), true);
}

void frmFileRenamer::cmdReplace2Compound_Click()
{
    const RenamePreview p =
        previewReplaceAll(itemsOf(lstDestination), tbReplace2Replace->text(), tbReplace2ReplaceWith->text());
    for (int i = 0; i < lstDestination->count(); ++i)
        lstDestination->item(i)->setText(p.names.at(i));
    cmdDoIt->setEnabled(true);
    cmdClear->setEnabled(true);
}

void frmFileRenamer::cmdClear_Click()
{
    lstDestination->clear();
    setPreviewButtons(false, false);
}

void frmFileRenamer::SSTab1_Click(int index)
{
    if (index == 0)
        optOverWrite->setChecked(true);
    else if (index == 4)
        optPadFromEnd->setChecked(true);
}

void frmFileRenamer::tbPadChar_Change(const QString &text)
{
    if (text.size() <= 1)
        return;
    msgBox(QStringLiteral("Please select a SINGLE character to Pad with."), vbOKOnly | vbExclamation);
    tbPadChar->setText(QStringLiteral("0"));
    tbPadChar->selectAll();
}

void frmFileRenamer::syncTop(QListWidget *from)
{
    if (m_syncing)
        return;
    if (from == lstSource && lstDestination->count() <= 1)
        return;
    m_syncing = true;
    const int top = from->verticalScrollBar()->value();
    QListWidget *other = from == lstSource ? lstDestination : lstSource;
    other->verticalScrollBar()->setValue(top);
    m_syncing = false;
}

void frmFileRenamer::setSourceName(qsizetype i, const QString &name)
{
    QListWidgetItem *item = lstSource->item(int(i));
    item->setText(name);
    item->setToolTip(FolderOf(lstMainList->item(int(i))->text()) + name);
}

void frmFileRenamer::CheckForDuplicates(QListWidget *ListName)
{
    {
        WaitCursor wait;
        QSet<QString> seen;
        for (const QString &name : itemsOf(ListName)) {
            const QString key = name.toCaseFolded();
            if (seen.contains(key)) {
                BadFlag = true;
                break;
            }
            seen.insert(key);
        }
    }
    if (BadFlag)
        msgBox(duplicateNamesMessage(), vbOKOnly | vbInformation);
}

void frmFileRenamer::cmdDoIt_Click()
{
    if (m_finalizing || lstDestination->count() != lstSource->count())
        return;
    BadFlag = false;
    QList<RenameEntry> entries;
    entries.reserve(lstSource->count());
    for (int i = 0; i < lstSource->count(); ++i)
        entries.append(
            {FolderOf(lstMainList->item(i)->text()), lstSource->item(i)->text(), lstDestination->item(i)->text()});

    // The window takes no input and cannot be closed until Finalize ends; it repaints meanwhile.
    m_finalizing = true;
    setEnabled(false);
    struct Restore {
        frmFileRenamer *w;
        ~Restore()
        {
            w->setEnabled(true);
            w->m_finalizing = false;
        }
    } restore{this};

    FinalizePlan plan;
    {
        WaitCursor wait;
        plan = planFinalize(entries);
    }
    if (!plan.invalidNames.isEmpty()) {
        msgBox(invalidNamesMessage(plan.invalidNames), vbOKOnly | vbExclamation);
        return;
    }
    if (plan.duplicates) {
        BadFlag = true;
        msgBox(duplicateNamesMessage(), vbOKOnly | vbInformation);
    }
    for (qsizetype i : plan.collisions) {
        BadFlag = true;
        const RenameEntry &e = entries.at(i);
        if (msgBox(collisionQuestion(elideForMessageBox(e.folder + e.target)),
                   vbYesNo | vbExclamation | vbDefaultButton2) == vbNo)
            return;
    }
    if (BadFlag)
        return;

    RenamePass pass;
    {
        WaitCursor wait;
        RepaintPacer pacer;
        pass = runRenamePass(entries, m_rename, [&pacer] { pacer.tick(); });
    }
    for (qsizetype i : pass.renamed)
        setSourceName(i, entries.at(i).target);
    if (pass.complete()) {
        lstDestination->clear();
        cmdDoIt->setEnabled(false);
        return;
    }
    const bool known = pass.failure.failure == RenameFailure::Locked || pass.failure.failure == RenameFailure::NotFound;
    msgBox(passStoppedMessage(entries, pass), vbOKOnly | (known ? vbExclamation : 0));
}

void frmFileRenamer::lstDestination_DblClick()
{
    QListWidgetItem *item = lstDestination->currentItem();
    if (!item || m_finalizing)
        return;
    if (!m_manual) {
        m_manual = new frmFileRenamerManual(this);
        // The close box unloads the dialog; "&Ok" only hides it.
        connect(m_manual, &QDialog::rejected, m_manual, &QObject::deleteLater);
    }
    m_manual->tbFileName->setText(item->text());
    if (m_manual->exec() == QDialog::Accepted)
        item->setText(m_manual->tbFileName->text());
}

void frmFileRenamer::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    QStringList queue;
    queue.reserve(lstSource->count());
    for (int i = 0; i < lstSource->count(); ++i)
        queue.append(FolderOf(lstMainList->item(i)->text()) + lstSource->item(i)->text());
    m_queue.replace(queue, false);
    if (m_files)
        m_files->refresh();
}

void frmFileRenamer::done(int r)
{
    if (m_finalizing)
        return;
    Form_Unload();
    QDialog::done(r);
}

void frmFileRenamer::closeEvent(QCloseEvent *event)
{
    if (m_finalizing) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tess
