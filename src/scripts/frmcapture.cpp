#include "scripts/frmcapture.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/scriptfacts.h"
#include "core/textfiles.h"
#include "scripts/commandcapture.h"
#include "widgets/boxtext.h"
#include "widgets/controlfactory.h"
#include "widgets/twips.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextDocument>
#include <exception>
#include <future>
#include <new>

namespace tess {

namespace {

QPlainTextEdit *makeBox(const QString &name, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    // AutoCAD's lines stay whole: both scroll bars, no wrapping.
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setMinimumSize(twipsToPixels(4500), twipsToPixels(3000));
    return box;
}

} // namespace

frmcapture::frmcapture(std::function<ScriptFacts *()> script, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowMaximizeButtonHint),
      m_script(std::move(script))
{
    setObjectName(QStringLiteral("frmcapture"));
    lblInput = makeLabel(QStringLiteral("lblInput"), QStringLiteral("Text from AutoCAD \"Text Window\""), this);
    lblResult = makeLabel(QStringLiteral("lblResult"), QStringLiteral("Captured Script Commands"), this);
    Text1 = makeBox(QStringLiteral("Text1"), this);
    Text1->setPlainText(captureInstructionText());
    Text2 = makeBox(QStringLiteral("Text2"), this);
    cmdClear = makeButton(QStringLiteral("cmdClear"), QStringLiteral("&Clear"), this, 1215);
    cmdPastefromClip = makeButton(QStringLiteral("cmdPastefromClip"),
                                  QStringLiteral("&Get AutoCAD \"Text Window\" commands from Clipboard"), this);
    cmdParseScr = makeButton(QStringLiteral("cmdParseScr"), QStringLiteral("Capture &AutoCAD Commands --->"), this);
    cmdParseScr->setEnabled(false);
    cmdCopyToTessaline =
        makeButton(QStringLiteral("cmdCopyToTessaline"), QStringLiteral("Paste in &Tessaline && Exit"), this);
    cmdCopyToTessaline->setEnabled(false);

    // The two boxes side by side, growing with the window; under the input box "&Clear" and the
    // clipboard button, under the result box the capture button at its left edge (where the boxes
    // meet) and the paste-in button at the right.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twipsToPixels(120), twipsToPixels(120), twipsToPixels(120), twipsToPixels(120));
    grid->setHorizontalSpacing(twipsToPixels(120));
    grid->setVerticalSpacing(twipsToPixels(60));
    grid->addWidget(lblInput, 0, 0);
    grid->addWidget(lblResult, 0, 1);
    grid->addWidget(Text1, 1, 0);
    grid->addWidget(Text2, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    auto *left = new QHBoxLayout;
    left->setSpacing(twipsToPixels(120));
    left->addWidget(cmdClear);
    left->addWidget(cmdPastefromClip);
    left->addStretch(1);
    auto *right = new QHBoxLayout;
    right->setSpacing(twipsToPixels(120));
    right->addWidget(cmdParseScr);
    right->addStretch(1);
    right->addWidget(cmdCopyToTessaline);
    grid->addLayout(left, 2, 0);
    grid->addLayout(right, 2, 1);
    resize(twipsToPixels(15000), twipsToPixels(7500));

    connect(cmdClear, &QPushButton::clicked, this, &frmcapture::cmdClear_Click);
    connect(cmdPastefromClip, &QPushButton::clicked, this, &frmcapture::cmdPastefromClip_Click);
    connect(cmdParseScr, &QPushButton::clicked, this, &frmcapture::cmdParseScr_Click);
    connect(cmdCopyToTessaline, &QPushButton::clicked, this, &frmcapture::cmdCopyToTessaline_Click);
    // Any change of the input but the paste's own makes the capture worked out for it stale.
    connect(Text1, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_pasting)
            m_preparer.drop();
    });
    Form_Load();
}

frmcapture::~frmcapture()
{
    // The boxes go after the members; the input box must not reach the preparer then.
    disconnect(Text1, nullptr, this, nullptr);
}

void frmcapture::Form_Load()
{
    m_loadedText = plainBoxText(Text1);
    setWindowTitle(QStringLiteral("Tessaline Command Capture"));
}

QString frmcapture::scratchFilePath() { return AppEnvironment::programPath() + QStringLiteral("temp.tmp"); }

void frmcapture::cmdPastefromClip_Click()
{
    // The clipboard's text (none gives an empty box) with AutoCAD's doubled line breaks halved; the
    // paste is one edit of the box, so Ctrl+Z brings back what it held before.
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QString text = halveDoubledLineBreaks(clipboard ? clipboard->text() : QString());
    // The capture of the paste is worked out in the background while the box takes the text and
    // the user reads it.
    m_preparer.start(text);
    {
        const QScopedValueRollback<bool> pasting(m_pasting, true);
        replaceBoxText(Text1, text);
    }
    // The box keeps a few characters otherwise than given (some of them break the line there): the
    // capture is of the text the box holds.
    const QString input = plainBoxText(Text1);
    if (input != text)
        m_preparer.start(input);
    cmdParseScr->setEnabled(true);
}

void frmcapture::cmdParseScr_Click()
{
    try {
        const QString input = plainBoxText(Text1);
        // The work for a pasted input is ready, or still being done, in the background: its bytes
        // for the scratch file and its script in a document of its own that the box takes whole.
        std::optional<CapturePreparer::Prepared> prepared = m_preparer.take(input);
        std::future<QByteArray> preparedBytes;
        if (prepared)
            preparedBytes = std::move(prepared->inputBytes);
        // The input is kept in the scratch file as well, written on another thread while the box
        // takes the script (here, at get(), when no thread can be had); the capture itself works on
        // the text, so a program folder that cannot be written does not stop it.
        constexpr auto policy = std::launch::async | std::launch::deferred;
        std::future<FileResult> keeping =
            std::async(policy, [path = scratchFilePath(), input, bytes = std::move(preparedBytes)]() mutable {
                return writeWholeFile(path, bytes.valid() ? bytes.get() : fileBytesFromText(input));
            });
        // The box takes the prepared document whole (unless it shows that script already); any
        // other input is captured now and set into the box in one step.
        if (CapturePreparer::Result result = prepared ? prepared->result.get() : CapturePreparer::Result();
            result.document) {
            const QTextDocument *shown = Text2->document();
            if (shown->blockCount() != result.document->blockCount() || plainBoxText(Text2) != result.script)
                showBoxDocument(Text2, std::move(result.document));
        } else {
            setBoxText(Text2, captureCommands(input));
        }
        cmdCopyToTessaline->setEnabled(true);
        const FileResult kept = keeping.get();
        if (!kept.ok())
            msgBox(fileFailureMessage(QStringLiteral("The commands are captured, but their input could not be kept "
                                                     "in the scratch file"),
                                      kept),
                   vbOKOnly | vbExclamation, alertTitle());
    } catch (const std::bad_alloc &) {
        reportUnexpectedError(7, QStringLiteral("Out of memory"), QStringLiteral("cmdParseScr_Click"),
                              QStringLiteral("Form frmcapture"));
    } catch (const std::exception &e) {
        reportUnexpectedError(5, QString::fromLocal8Bit(e.what()), QStringLiteral("cmdParseScr_Click"),
                              QStringLiteral("Form frmcapture"));
    }
}

void frmcapture::cmdCopyToTessaline_Click()
{
    // A script in the main window is replaced only when the user says so; No leaves everything as it
    // is and the window open.
    ScriptFacts *script = m_script ? m_script() : nullptr;
    if (script && !script->scriptText().isEmpty() &&
        msgBox(overwriteScriptQuestion(), vbYesNo | vbExclamation | vbDefaultButton2, overwriteTitle()) != vbYes)
        return;
    if (script) {
        script->setScriptText(plainBoxText(Text2));
        script->setScriptName(QString());
    }
    accept();
}

void frmcapture::cmdClear_Click()
{
    m_preparer.drop();
    replaceBoxText(Text1, m_loadedText);
    replaceBoxText(Text2, QString());
    cmdParseScr->setEnabled(false);
    cmdCopyToTessaline->setEnabled(false);
}

void frmcapture::resetAfterClosing()
{
    m_preparer.drop();
    replaceBoxText(Text2, QString());
    cmdParseScr->setEnabled(false);
    cmdCopyToTessaline->setEnabled(false);
}

void frmcapture::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}

} // namespace tess
