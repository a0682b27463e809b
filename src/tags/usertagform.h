#pragma once
// The values the user tag manager edits, as its boxes hold them, and the rules between them, the
// members of MainSettings and the section "UserTags" of the settings store: the load into the
// boxes, the checks of "&Ok", the 58 keys it writes and the members it sets.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tess {

struct MainSettings;

inline constexpr int kUserTagCount = 50;
inline constexpr int kPadDigitsMin = 2;
inline constexpr int kPadDigitsMax = 9;

struct UserTagForm {
    QString counterStart; // texts as typed ("007" stays "007")
    QString counterStep;
    QString firstFileChars;
    QString lastFileChars;
    QString sheetChars;
    bool trimZeros = false;
    bool padCounter = false;
    int padDigits = kPadDigitsMin;
    std::array<QString, kUserTagCount> tags; // tags[0] is $TAG1$

    // The boxes as the manager's load fills them from the members: the counters as decimal text,
    // the pad digit count only when it lies within 2 to 9 (else `previousPadDigits`).
    static UserTagForm fromSettings(const MainSettings &s, int previousPadDigits = kPadDigitsMin);
};

// The user-tag members as the program can use them, after the store was read: a stored pad digit
// count outside 2 to 9 is brought to the nearer end (the counter is never padded to a width the
// spinner cannot show), and line breaks are dropped from TAG1 to TAG50 (a value is single-line: in
// the batch script a line break would end an AutoCAD command).
void normalizeUserTagMembers(MainSettings &s);

// ---- The three character counts ----
enum class CharCountBox { Sheet, First, Last };
// The title of the box's message ("Sheet Value", "Filename Value") and the value it resets to.
QString charCountTitle(CharCountBox box);
QString charCountResetValue(CharCountBox box);
// A whole number from 1 to 255, in digits only ("12", "007" is not: it starts with a zero).
bool isValidCharCount(const QString &text);
// The message for a text that is not a valid count ("" for a valid one): "Value must be greater
// than "0"." when it does not start with a digit from 1 to 9, else the whole-number rule; both
// followed by the reset value.
QString charCountMessage(const QString &text, CharCountBox box);

// ---- The counter ----
// A whole number within 32 bits: optional sign and digits, blanks around it allowed.
std::optional<qint32> parseCounterText(const QString &text);

// What keeps "&Ok" from storing the form: the first box in the order of the store that holds a
// value the composer cannot use.
struct UserTagFormProblem {
    enum Box { FirstFileChars, LastFileChars, SheetChars, CounterStart, CounterStep } box;
    QString message;
    QString title;
};
std::optional<UserTagFormProblem> checkUserTagForm(const UserTagForm &form);

// Writes the 58 keys of section "UserTags" in their order, every value as the boxes show it.
// Returns the keys that could not be written.
QStringList writeUserTagSettings(const UserTagForm &form);
// Sets the user-tag members from a checked form.
void applyUserTagForm(MainSettings &s, const UserTagForm &form);

} // namespace tess
