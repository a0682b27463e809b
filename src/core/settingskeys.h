#pragma once
// Every key the program keeps in the settings store, with its section, its default and the way its
// value is written. Two tables:
//   - storedSettings(): the members of MainSettings that live in the store, in the order the main
//     window's load reads them;
//   - the other keys (window positions of the other windows, filter switches, tips, version):
//     named constants below, read and written by the windows that own them.
// Every value in the store is text; numbers are decimal text.

#include "core/mainsettings.h"

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <optional>
#include <variant>

namespace tess {

namespace SettingsSection {
inline constexpr QLatin1StringView Startup{"Startup"};
inline constexpr QLatin1StringView Paths{"Paths"};
inline constexpr QLatin1StringView Programs{"Programs"};
inline constexpr QLatin1StringView UserTags{"UserTags"};
// Never read or written; only deleted by the Options reset.
inline constexpr QLatin1StringView Compatible{"Compatible"};
} // namespace SettingsSection

// How a member's value is written as text.
enum class SettingEncoding {
    Switch,       // check box and other on/off switches: "1" on, "0" off
    OptionButton, // the one stored option-button state: "-1" selected, "0" not
    OptionIndex,  // option group: the index of the selected option
    TrueFalse,    // the one Boolean setting: "True" / "False" (numeric text is read too)
    Number,       // a whole number as decimal text
    Counter,      // a double as decimal text, no decimal point for a whole number
    Text,         // the text itself
};

// Where a stored member lives in MainSettings.
struct TagMember {
    int index; // 0 for TAG1
};
using MemberRef = std::variant<qint16 MainSettings::*, qint32 MainSettings::*, bool MainSettings::*,
                               double MainSettings::*, QString MainSettings::*, TagMember>;

struct StoredSetting {
    QString member; // the member's name: "LeftCoord", "TAG7"
    QLatin1StringView section;
    QString key;
    QString defaultText;
    SettingEncoding encoding;
    qint64 minimum = 0; // accepted range of a number (Switch, OptionButton, OptionIndex, Number)
    qint64 maximum = 0;
    MemberRef target;
};

// The 120 stored members, in the order the main window's load reads them.
const QList<StoredSetting> &storedSettings();
// The entry of a member by its name ("FormWidth", "TAG3"), ignoring case; nullptr when not stored.
const StoredSetting *findStoredSetting(QStringView member);
// The entries written by the end-of-run save, in its order (the User Set index "Face" last).
const QList<const StoredSetting *> &exitSaveSettings();

// The member's value as it is written to the store.
QString storedText(const MainSettings &s, const StoredSetting &entry);
// Sets the member from stored text; false (member untouched) when the text does not convert to the
// member's type or lies outside its range.
bool applyStoredText(MainSettings &s, const StoredSetting &entry, const QString &text);
// The member's value as text without encoding (for messages and tests).
QString memberText(const MainSettings &s, const StoredSetting &entry);

// ---- Conversions of stored text, shared with the windows that read their own keys ----
// A whole number in [minimum, maximum]: decimal text with optional sign, surrounding blanks and a
// fraction (rounded half to even: 2.5 gives 2, 3.5 gives 4). nullopt otherwise.
std::optional<qint64> parseStoredInteger(const QString &text, qint64 minimum, qint64 maximum);
// A finite number; nullopt for empty or non-numeric text.
std::optional<double> parseStoredDouble(const QString &text);
// "True"/"False" in any letter case, or numeric text (non-zero is true).
std::optional<bool> parseStoredBoolean(const QString &text);
// The decimal text of the processed counter: "1234" for a whole number, shortest exact form otherwise.
QString counterText(double value);

// The platform's default text editor command ("notepad.exe" on Windows; elsewhere a text editor
// found on PATH, else "xdg-open").
QString defaultTextEditor();
// The default drawing folder: "C:\" on Windows, "/" elsewhere.
QString defaultSourcePath();

// ---- The other keys ----
struct OtherSetting {
    QLatin1StringView section;
    QLatin1StringView key;
    QLatin1StringView defaultText; // "" when the key is never read
};

namespace OtherKeys {
using S = OtherSetting;
// Written at start; never read.
inline constexpr S Version{SettingsSection::Startup, QLatin1StringView("Version"), QLatin1StringView("")};
inline constexpr S ApplicationPath{SettingsSection::Paths, QLatin1StringView("Application Path"),
                                   QLatin1StringView("")};
// Drawing preview window.
inline constexpr S DWGPreviewLeft{SettingsSection::Startup, QLatin1StringView("DWGPreviewLeft"),
                                  QLatin1StringView("1000")};
inline constexpr S DWGPreviewTop{SettingsSection::Startup, QLatin1StringView("DWGPreviewTop"),
                                 QLatin1StringView("1000")};
// Quick Pick window.
inline constexpr S QPLeft{SettingsSection::Startup, QLatin1StringView("QPLeft"), QLatin1StringView("1000")};
inline constexpr S QPTop{SettingsSection::Startup, QLatin1StringView("QPTop"), QLatin1StringView("1000")};
inline constexpr S QPWidth{SettingsSection::Startup, QLatin1StringView("QPWidth"), QLatin1StringView("1890")};
inline constexpr S QPHeight{SettingsSection::Startup, QLatin1StringView("QPHeight"), QLatin1StringView("4110")};
// Queue quick-pick window.
inline constexpr S QPQueueLeft{SettingsSection::Startup, QLatin1StringView("QPQueueLeft"), QLatin1StringView("1000")};
inline constexpr S QPQueueTop{SettingsSection::Startup, QLatin1StringView("QPQueueTop"), QLatin1StringView("1000")};
inline constexpr S QPQueueWidth{SettingsSection::Startup, QLatin1StringView("QPQueueWidth"), QLatin1StringView("1890")};
inline constexpr S QPQueueHeight{SettingsSection::Startup, QLatin1StringView("QPQueueHeight"),
                                 QLatin1StringView("4110")};
// Script editor: 1000/1000 when the main window opens it, 200/200 when it becomes active.
inline constexpr S SCREditLeft{SettingsSection::Startup, QLatin1StringView("SCREditLeft"), QLatin1StringView("1000")};
inline constexpr S SCREditTop{SettingsSection::Startup, QLatin1StringView("SCREditTop"), QLatin1StringView("1000")};
inline constexpr S SCREditLeftOnActivate{SettingsSection::Startup, QLatin1StringView("SCREditLeft"),
                                         QLatin1StringView("200")};
inline constexpr S SCREditTopOnActivate{SettingsSection::Startup, QLatin1StringView("SCREditTop"),
                                        QLatin1StringView("200")};
inline constexpr S SCREditWidth{SettingsSection::Startup, QLatin1StringView("SCREditWidth"),
                                QLatin1StringView("11250")};
inline constexpr S SCREditHeight{SettingsSection::Startup, QLatin1StringView("SCREditHeight"),
                                 QLatin1StringView("8835")};
// "Show Personal Filters" boxes of the three filter windows, "1" or "0".
inline constexpr S DWGFilterPersonal{SettingsSection::Startup, QLatin1StringView("DWGFilterPersonal"),
                                     QLatin1StringView("0")};
inline constexpr S SCRFilterPersonal{SettingsSection::Startup, QLatin1StringView("SCRFilterPersonal"),
                                     QLatin1StringView("0")};
inline constexpr S SCRFilterSimplePersonal{SettingsSection::Startup, QLatin1StringView("SCRFilterSimplePersonal"),
                                           QLatin1StringView("0")};
// Tip window: the last tip shown.
inline constexpr S TipNumber{SettingsSection::Startup, QLatin1StringView("TipNumber"), QLatin1StringView("0")};
// Keys of stored members that other windows write on their own (their defaults are the members').
inline constexpr S TipsShow{SettingsSection::Startup, QLatin1StringView("TipsShow"), QLatin1StringView("1")};
inline constexpr S ShowSCRComplete{SettingsSection::Startup, QLatin1StringView("ShowSCRComplete"),
                                   QLatin1StringView("1")};
inline constexpr S Face{SettingsSection::Startup, QLatin1StringView("Face"), QLatin1StringView("0")};
} // namespace OtherKeys

// The window position and size keys of the other windows, in the order listed above.
const QList<OtherSetting> &otherSettings();

// Read with the key's own default.
QString readOtherSetting(const OtherSetting &k);
// Read as a whole number (32-bit); the key's default when the stored text is not one.
qint32 readOtherNumber(const OtherSetting &k, bool *wasValid = nullptr);
bool writeOtherSetting(const OtherSetting &k, const QString &value);
bool writeOtherSetting(const OtherSetting &k, qint64 value);

} // namespace tess
