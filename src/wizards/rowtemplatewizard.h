#pragma once
// What the two table wizards (title block, layouts) share: fifty rows on five tab pages kept in
// row files (rowfiles.h), the "Template" frame with its name box, "&Save" and "&Delete", the
// per-user state file written at Create and by the close box, and "Configure &Tags".
//
// The template list holds the templates of DATA; the name box rule enables "&Save" and "&Delete"
// exactly while the name box holds text. Every activation refills the list and empties the name
// box. "&Save" refuses names that could not name a file in DATA and lists a new name (one that no
// entry equals exactly) only after its file was written. "&Delete" acts only on a listed entry,
// picked or typed (ignoring case); any other name is "File not found!!".

#include "wizards/rowfiles.h"
#include "wizards/scriptwizard.h"

#include <array>

class QComboBox;
class QTabWidget;

namespace tess {

// The name of control `index` of a control array ("Text1_7"), as placement tables take it: kept
// for the whole run.
const char *controlArrayName(const char *stem, int index);

class RowTemplateWizard : public ScriptWizard
{
    Q_OBJECT
public:
    RowTemplateWizard(ScriptFacts *script, const RowFileKind &kind, const QString &name, const QString &caption,
                      QWidget *parent = nullptr);

    QGroupBox *Frame2 = nullptr; // "Template"
    QComboBox *templateBox = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *deleteButton = nullptr;

    const RowFileKind &kind() const { return m_kind; }

protected:
    // The row file's texts in file order.
    virtual QStringList rowTexts() const = 0;
    // Puts the first lines.size() texts of a row file (in file order) into their boxes.
    virtual void applyRowTexts(const QStringList &lines) = 0;

    // The frame and its controls, with the names the window gives them.
    void addTemplateFrame(const char *combo, const char *save, const char *del);
    // The frame's controls in it (twips), for the window's table.
    QList<Placement> templateFramePlacements(int comboWidth) const;
    // A tab page named `name` with `caption` in the tab control.
    static QWidget *addPage(QTabWidget *tabs, const QString &name, const QString &caption);
    // An editable value box: its list from WizardTagChoices, free text kept as typed (no
    // completion, nothing inserted), line breaks dropped.
    QComboBox *addValueBox(const QString &name, QWidget *page);

    // Writes the rows to the file of that name in DATA; a failure shows its box. True when written.
    bool saveRows(const QString &fileName);
    // Reads the file of that name in DATA into the rows: a missing file changes nothing, silently;
    // a file cut short fills the rows it has lines for and is reported.
    void loadRows(const QString &fileName);
    // The template list from DATA, the name box emptied, then the name box rule.
    void refreshTemplateList();
    void nameBoxRule();
    void templatePicked(int index);
    void saveTemplate();
    void deleteTemplate();
    // Shows the user tag manager, owned by this window; its closing counts as an activation.
    void configureTags();

    // The close box writes the state file first.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The list entry equal to the name box's text ignoring case; "" when there is none.
    QString listedEntry() const;

    RowFileKind m_kind;
    std::array<const char *, 3> m_names{}; // the name box, "&Save", "&Delete"
};

} // namespace tess
