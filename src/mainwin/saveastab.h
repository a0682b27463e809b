#pragma once
// The "\"SAVEAS\" Options" tab: output format, name prefix and suffix with an example name,
// overwrite, and the output folder (the drawing's own or a chosen one). Its controls may be made
// on first need (DeferredPage): loading and storing, the META command settings and the example
// name work before that.

#include "mainwin/saveasoptions.h"
#include "widgets/deferredpage.h"
#include "widgets/keptwindow.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tess {

class DrawingQueue;
class frmOUTDirSelect;
class FileSelection;
struct MainSettings;

class SaveAsTab : public DeferredPage
{
    Q_OBJECT
public:
    explicit SaveAsTab(QWidget *parent = nullptr, Build when = Build::Now);

    // The example name comes from the queue's first entry with its tags filled in; the folder
    // picker starts in the selection's folder.
    void setSources(DrawingQueue *queue, FileSelection *files, TagSubstitution substituteTags);

    // Shows the SAVEAS settings: the format ("Don't Change" when none), overwrite, the output
    // folder, the output choice (SaveAsOriginalLocation not 0: "Same Location") and the name
    // prefix and suffix, each change running its handler as the user's would.
    void load(const MainSettings &s);
    // Copies the tab into `s`: prefix, suffix, output folder, overwrite 1 or 0, the format as
    // shown, SaveAsOriginalLocation -1 or 0.
    void store(MainSettings &s) const;

    // Refills the format list and shows "Don't Change".
    void FillSaveAsFormatList();
    // The example name of the first queued drawing; an empty queue leaves the example as it is.
    void UpdateSaveAsExample();
    void tbPrefix_Change() { UpdateSaveAsExample(); }
    void tbSuffix_Change() { UpdateSaveAsExample(); }
    // Shows "Select Output Folder" modally; its "&Ok" puts the folder into "This Location".
    void cmdOUTBrowse_Click();
    // The output folder picker while it is loaded (nullptr before its first opening and after its
    // close box).
    frmOUTDirSelect *outputFolderPicker() const;

    // Settings made by the META commands of the user script, each change running its handler as
    // the user's would; a control is set only when its value changes.
    void setOverwriteExisting(bool on);
    void setNamePrefix(const QString &text);
    void setNameSuffix(const QString &text);
    void selectOriginalLocation();
    void selectSpecFolder(const QString &folder);

protected:
    void buildControls() override;
    void controlsPlaced() override;

private:
    // What the page shows.
    struct Values {
        QString format; // the format box's text
        bool overwrite = false;
        QString folder; // "This Location"'s folder
        bool originalLocation = true;
        QString prefix;
        QString suffix;
        QString example;
    };
    Values values() const;
    // Changes the kept values; the example follows, as the controls' handlers make it follow.
    void keep(const std::function<void(Values &)> &change);
    // The picker's "&Ok": the folder into "This Location", which becomes the choice.
    void outputFolderChosen(const QString &folder);

    DrawingQueue *m_queue = nullptr;
    FileSelection *m_files = nullptr;
    TagSubstitution m_substituteTags;
    QComboBox *cmbOutFormat = nullptr;
    QGroupBox *Frame4 = nullptr;
    QRadioButton *optOriginalLocation = nullptr;
    QRadioButton *optSpecFolder = nullptr;
    QLineEdit *tbSpecFolder = nullptr;
    QPushButton *cmdOUTBrowse = nullptr;
    QCheckBox *chkOverwriteExistingFiles = nullptr;
    QLineEdit *tbPrefix = nullptr;
    QLineEdit *tbSuffix = nullptr;
    QLineEdit *tbSAVEASExOutput = nullptr;
    // The values while the controls are not made.
    Values m_kept;
    KeptWindow<frmOUTDirSelect> m_outPicker;
};

} // namespace tess
