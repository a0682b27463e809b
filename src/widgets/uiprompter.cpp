#include "widgets/uiprompter.h"

#include "widgets/uilauncher.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tess {

namespace {

// The window a box or picker stands over: the modal window on top when there is one, else the
// active window. A box asked right after another one goes over the same window, although the
// window system may not have given the activation back when the first box went.
QWidget *boxOwner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

int UiPrompter::message(const QString &text, int style, const QString &title)
{
    QMessageBox box(boxOwner());
    box.setWindowTitle(title);
    // The program's texts break lines with CR LF or a lone CR; the box wants LF.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct B {
        QMessageBox::StandardButton button;
        int answer;
    };
    QList<B> buttons;
    switch (style & 7) {
    case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore:
        buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
        break;
    case vbYesNoCancel:
        buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: buttons = {{QMessageBox::Ok, vbOK}}; break;
    }
    for (const B &b : buttons)
        box.addButton(b.button);
    const int defaultAns = defaultAnswer(style);
    for (const B &b : buttons)
        if (b.answer == defaultAns)
            box.setDefaultButton(b.button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const B &b : buttons)
        if (b.button == clicked)
            return b.answer;
    // Closed with Escape or the close box.
    for (const B &b : buttons)
        if (b.answer == vbCancel || b.answer == vbNo)
            return b.answer;
    return buttons.first().answer;
}

std::optional<QString> UiPrompter::openFile(const QString &title, const QString &folder, const QString &filter)
{
    const QString f = QFileDialog::getOpenFileName(boxOwner(), title, folder, filter);
    if (f.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(f);
}

std::optional<QString> UiPrompter::saveFile(const QString &title, const QString &path, const QString &filter)
{
    const QString f = QFileDialog::getSaveFileName(boxOwner(), title, path, filter);
    if (f.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(f);
}

std::optional<QString> UiPrompter::folder(const QString &title, const QString &folder)
{
    const QString f = QFileDialog::getExistingDirectory(boxOwner(), title, folder);
    if (f.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(f);
}

std::optional<QString> UiPrompter::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString t = QInputDialog::getText(boxOwner(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return t;
}

void installUiSeams()
{
    static UiPrompter prompter;
    static UiLauncher uiLauncher;
    setPrompter(&prompter);
    setLauncher(&uiLauncher);
}

} // namespace tess
