#pragma once
// What the Options dialog holds, as plain data: the dialog reads its controls into OptionsValues,
// checks them, applies them to MainSettings and writes them to the settings store. Nothing here
// touches a window.

#include <QString>
#include <QStringList>
#include <optional>

namespace tess {

struct MainSettings;

struct OptionsValues {
    // ---- "Config" ----
    bool lt = false; // chkLT
    QString autoCadExe;
    QString switches;
    bool scriptDirOther = false; // optScriptDirDefault index 1 ("Other") selected
    QString scriptDir;           // tbScriptDir
    bool normalOutput = true;    // optNormalOutputPath selected (else optAltOutputPath)
    QString normalOutputFile;    // frmOptions.Text1
    QString altOutputFile;       // tbAltOutput
    QString textEditor;          // frmOptions.Text2
    // ---- "Prefs" ----
    int loadOpen = -1; // selected optLoadOpen index; -1 none
    QString openOther;
    bool warnDoubleSpace = false;
    bool warnBlankLine = false;
    bool warnSpaceInBlank = false;
    bool warnLineEndsWithSpace = false;
    bool warnFolderNotExist = false;
    bool verifyFiles = false;
    bool scanForRogueTags = false;
    bool resourceWarning = false;
    QString resourceFileLimit;
    bool warnLtLisp = false;
    bool autoAddFavorites = false;
    QString delay;
    bool delayEditable = true; // tbDelay is enabled (EnableDelay 1)
    // ---- "GUI" ----
    bool showPreview = false;
    bool autoSortEnabled = false;
    int autoSortType = -1; // selected optSort index; -1 none
    bool metaEnabled = false;
    bool metaImmediate = false;
    bool autoMinimize = false;
    bool autoLaunchEditor = false;
    // ---- "Log" ----
    bool enableLogging = false;
};

// What the dialog shows for the settings: every control from its member. An option index outside
// its group selects nothing.
OptionsValues optionsFromSettings(const MainSettings &s);

// The fields "&OK" checks, in the dialog's tab order.
enum class OptionsField { Switches, ScriptDir, ResourceFileLimit, Delay };

struct OptionsRefusal {
    OptionsField field;
    QString message; // names the field
};

// The boxes "&OK" fills when they are empty: the delay "2000", the file limit "10".
OptionsValues withEmptyBoxesFilled(OptionsValues v);

// The first field, in tab order, whose text cannot be applied: switches that are neither empty nor
// begin with "/", "Other" without a full folder path, a file limit or a delay that is not a whole
// number from 0 to 32767 (empty boxes count as filled; a delay the user cannot edit is applied as
// it stands). nullopt when every field can be applied.
// Whether the script folder exists is for the caller to ask.
std::optional<OptionsRefusal> checkOptions(const OptionsValues &v);

// The script folder "&OK" applies: the program's own SCRIPTS folder, or the "Other" folder.
QString chosenScriptsFolder(const OptionsValues &v);

// Copies checked values into the members, "&OK"'s way: texts as they stand, check boxes 1 or 0,
// the option groups' indexes when one is selected, SCRIPTSDir and SCRIPTSPathOption from the
// script folder choice, SCROutputPath and OutputToDefaultPath from the output choice.
void applyOptions(const OptionsValues &v, MainSettings &s);

// Writes the applied options to the settings store in "&OK"'s order (the sort type only when one
// is selected, the load method likewise). Goes on after a failed key; returns the failed keys
// ("Section\Key"), empty when all were written.
QStringList storeOptions(const OptionsValues &v, const MainSettings &s);

// ---- The checks of the boxes while the user edits ----
// Empty, or beginning with "/".
bool switchesAreValid(const QString &switches);
// "Switch box must be blank, or contain a valid Switch with Parameter." ...
QString switchesMessage();
// The last four characters, upper-cased, are ".SCR".
bool outputNameIsBatchScript(const QString &path);
// "Ooops.. Please confirm your path ends with the Tessaline batch output filename!" ...
QString outputNameMessage();
// A whole number from 0 to 32767 written in digits alone.
bool isBoxNumber(const QString &text);

// The labels of the first two load methods as chkLT sets them.
QString loadOpenCaption(int index, bool lt);

} // namespace tess
