#pragma once
// What every script wizard shares: the block separator, the AutoLISP load line, the one way a
// line is written into the user script, the overwrite question and the closing message.
//
// A wizard never edits the user script in place. It gives the script whole new texts, one after
// another, and each text is one assignment that runs the script's change handling (the script is
// marked changed, the Create buttons follow it, live META commands apply again). The wizards'
// writers therefore return the texts to assign, in order. Lines are separated by CR LF; after a
// wizard has written, the text does not end with CR LF, because every block ends with the
// separator line alone.

#include "core/listutils.h" // pathCaseSensitivity

#include <QString>
#include <QStringList>
#include <functional>

namespace tess {

// ";-------------": a semicolon and 13 hyphens, a comment line for AutoCAD that frames the blocks.
QString ScriptBlockSeparator();

// The line that loads an AutoLISP file of the program's LISP folder: lispLoadCall of programFolder
// + "/LISP/" + fileName, and CR LF (upper-cased where file names ignore case, every "\" turned
// into "/"). programFolder has no trailing separator. The folder is written as it is now, not as
// a tag.
QString LispLoadLine(const QString &programFolder, const QString &fileName,
                     Qt::CaseSensitivity paths = pathCaseSensitivity());

// A wizard field as one answer line: its line breaks (CR, LF, the Unicode line and paragraph
// separators) are dropped, so a pasted break cannot shift the later answers onto the wrong prompts
// or run part of the field as a command.
QString singleLineAnswer(const QString &text);

// The texts a wizard assigns to the user script, starting from the script's text.
class ScriptAssignments
{
public:
    explicit ScriptAssignments(const QString &script) : m_text(script) {}

    // The script's text after the assignments so far.
    const QString &text() const { return m_text; }
    // Every text assigned so far, in order.
    const QStringList &texts() const { return m_texts; }

    // One assignment of the whole text.
    void assign(const QString &text);
    // AppendScriptLine: the text becomes the old text, the line and CR LF.
    void AppendScriptLine(const QString &line);
    // The write step of LispLoadLine: the load line alone when the text is empty, else the old
    // text, CR LF and the load line.
    void writeLispLoadLine(const QString &programFolder, const QString &fileName);
    // Ends the text's last line with CR LF when the text is not empty (the lead-in of the blocks
    // that start without a load line).
    void endLastLine();
    // The closing separator, without CR LF.
    void closeBlock();

private:
    QString m_text;
    QStringList m_texts;
};

// The texts of a Create: with overwrite, first the emptied script and then the writer's texts on
// the empty script; otherwise the writer's texts on the script as it is.
QStringList createAssignments(const QString &script, bool overwrite,
                              const std::function<QStringList(const QString &script)> &writer);

// ConfirmOverwrite: "Continuing will overwrite any currently displayed script ... Continue?" with
// Yes and No (Yes the default), the exclamation icon and the title "Warning". True for Yes.
bool ConfirmOverwrite();

// ShowWizardDone: "The Wizard has created the user-script." and how to go on; OK button, the
// exclamation icon, the title "Done".
void ShowWizardDone();

} // namespace tess
