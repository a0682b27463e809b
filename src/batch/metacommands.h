#pragma once
// The META commands of the user script: option keywords written anywhere in its text (testrun=true,
// saveas.prefix="A-", sort.auto, ...) that set the main window's batch options as if the user had
// set them by hand. The scan finds them, in their fixed order; the window applies the result.

#include <QList>
#include <QString>
#include <QStringList>

namespace tess {

struct MetaAction {
    enum Kind {
        TestRun,            // on: chkTestRun ticked or cleared
        Delay,              // on: chkDelay
        SaveAs,             // on: chkSaveAS
        Prefix,             // value: tbPrefix
        Suffix,             // value: tbSuffix
        SameLocation,       // optOriginalLocation selected
        ThisLocation,       // optSpecFolder selected and value into tbSpecFolder
        TagTemplate,        // value: the user-tag template loaded
        Overwrite,          // on: chkOverwriteExistingFiles
        SortAuto,           // the Options' auto-sort type
        SortAscending,      // standard ascending sort
        SortDescending,     // standard descending sort
        SmartSortAscending, // smart sort
        SmartSortDescending // smart sort, then the order reversed
    };
    Kind kind = TestRun;
    bool on = false;
    QString value;
    // A value keyword whose value was refused (see MetaScan); the control stays as it is.
    bool refused = false;
};

struct MetaScan {
    QList<MetaAction> actions;   // in the order they are applied; a later one overrides an earlier one
    QStringList unclosedMarkers; // start markers followed by no closing double quote
    QStringList refusedKeywords; // value keywords whose value was refused
};

// Scans the whole text: each keyword is found ignoring case, anywhere (also inside longer words);
// a quoted value is the text between the first `keyword"` and the next double quote; a value keyword
// without a quoted value gives no action (the control keeps its text). The sort keywords count only with includeSort.
// Refused values: a template name or a prefix/suffix holding a path separator, ":" or ".." (they
// would reach outside the DATA folder or the output folder); an empty "This Location" folder. An
// accepted "This Location" folder always ends with a separator (the one it uses, else the system's).
MetaScan scanMetaCommands(const QString &text, bool includeSort);

// The message for a refused META value.
QString metaValueRefusedMessage(const QString &keyword);

} // namespace tess
