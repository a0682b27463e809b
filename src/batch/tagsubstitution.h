#pragma once
// Tag substitution: the placeholders of the tag vocabulary ("$COUNTER$", "$FILENAME$", "$TAG1$", ...)
// replaced by their values for one drawing.
//
// A TagContext is built once per composition. It fixes everything that does not depend on the drawing:
// the regional date and time formats, the program folder and the names, the user tags and the counter
// settings, and the queue snapshot that the neighbour tags and "$FILECOUNTINQUEUE$" read. The date and
// time tags read the clock once per text (so no text ever mixes two days or two seconds, while a long
// composition still shows the time each text was made). SubstituteTAGS then only visits the "$"
// positions of a text; a text without "$" comes back at once.
//
// The rows of the table are replaced one after the other, in the fixed order of tagNames(), every
// occurrence ignoring case, each row working on the result of the row before: a tag of a later row that
// a value brings in is replaced again, a tag of an earlier row stays literal.
//
// Because of that cascade a short text can grow without end (a value holding two tags of the next row
// doubles the text at every row). Every substitution is therefore bounded: a text that would grow past
// maxTextSize() characters at any row is not made (the substitution says so and gives nothing); the
// work and memory of one substitution stay proportional to the bound.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace tess {

struct MainSettings;

// The user-tag settings the substitution reads, as plain values (defaults as stored).
struct TagSettings {
    QString SHEETCHARS = QStringLiteral("3"); // counts held as text
    QString FIRSTFILECHARS = QStringLiteral("4");
    QString LASTFILECHARS = QStringLiteral("2");
    qint16 TRIMZEROS = 1;  // 1: strip leading zeros from the sheet values
    qint16 PADCOUNTER = 0; // 1: zero-pad the counter to PADDIGITS digits
    qint16 PADDIGITS = 2;
    std::array<QString, 50> TAG; // TAG[n - 1] is the value of $TAGn$

    static TagSettings fromSettings(const MainSettings &s);
};

// What the substitution takes from outside the settings.
struct TagEnvironment {
    QDateTime moment;    // "now" when the composition starts (the header shows it)
    QLocale locale;      // regional names, separators and designators
    QString programPath; // program folder with its trailing separator
    QString loginName;
    QString computerName;
    // When set, the date and time tags read it afresh for every text; otherwise they show `moment`.
    std::function<QDateTime()> now;
    // With `now`: a cheap reading of the same clock in milliseconds since the epoch. `now`, which looks up
    // the time zone, is then asked only when this second differs from the one last shown.
    std::function<qint64()> nowMSecs;

    // Clock::now() (also as `now`, with Clock::msecsSinceEpoch as `nowMSecs`), the default locale (the system's unless
    // a test set another) and AppEnvironment.
    static TagEnvironment current();
};

// The date and time texts of one moment, as the date and time tags show them.
struct DateTagValues {
    QString MMDDYY, DDMMYY, YYMMDD, LONGDATE, YYYY, YY, MM, MM_1, MM_2, MM_3, DD, TodayTime_12, TodayTime_24;

    static DateTagValues compute(const QDateTime &moment, const QLocale &locale);
    // Copies the texts into the members of the same names.
    void writeTo(MainSettings &s) const;
};

// The short date and the long time (without any time zone) of the batch-script header.
QString headerDateText(const QDateTime &moment, const QLocale &locale);
QString headerTimeText(const QDateTime &moment, const QLocale &locale);

// A text with its "$" positions and the tag each "$" opens, worked out once and reusable for every drawing.
class PreparedTagText
{
public:
    PreparedTagText() = default;
    const QString &text() const { return m_text; }
    bool hasTags() const { return m_hasTags; }

private:
    friend class TagContext;
    QString m_text;
    std::vector<qsizetype> m_dollars; // positions of every "$"
    std::vector<quint8> m_rows;       // row of the tag between dollar i and i + 1 (0: no tag)
    bool m_hasTags = false;
};

// A text split once into literal runs and tags, to be filled for every drawing in one pass. `direct` says
// that the pass gives what the cascade gives whenever no value put in holds a "$" (no two tags share a
// "$", and no run of characters that replacements join can spell a tag name); otherwise the text must go
// through substituteInto.
struct TagTemplate {
    struct Piece {
        QString literal;        // row 0: literal text
        int row = 0;            // else the tag's row
        qsizetype tagChars = 0; // the tag's characters in the text, both "$" included
    };
    std::vector<Piece> pieces;
    PreparedTagText prepared; // the same text for substituteInto
    bool direct = false;
    bool hasDates = false; // holds a date or time tag
};

class TagValues;

class TagContext
{
public:
    // Checks the count settings once: a count that is not a number (or does not fit) makes the context
    // invalid and errorMessage() holds the message to show; nothing may then be written.
    TagContext(const TagSettings &settings, const QStringList &queue,
               const TagEnvironment &environment = TagEnvironment::current());

    bool isValid() const { return m_error.isEmpty(); }
    QString errorMessage() const { return m_error; }

    // The longest text a substitution may make, at any row: 1 Mi characters unless set otherwise (a
    // value <= 0 removes the bound).
    static constexpr qsizetype kDefaultMaxTextSize = qsizetype(1) << 20;
    qsizetype maxTextSize() const { return m_maxTextSize; }
    void setMaxTextSize(qsizetype chars) { m_maxTextSize = chars; }

    // The text for one drawing. filename is the drawing's path (any text), filenumber its 1-based place in
    // the queue (0 and places outside the queue have no previous or next drawing of their own). An invalid
    // context gives the empty text; so does a text that passes the bound.
    QString SubstituteTAGS(const QString &Text1, qint64 Counter, const QString &filename, qsizetype filenumber) const;
    // The same, with nullopt for a text that passes the bound.
    std::optional<QString> trySubstituteTAGS(const QString &Text1, qint64 Counter, const QString &filename,
                                             qsizetype filenumber) const;

    // The same in two steps, for texts used for every drawing: prepare once, then append the result for
    // each drawing to out. False (out unchanged) when the text passes the bound.
    PreparedTagText prepare(const QString &text) const;
    bool substituteInto(QString &out, const PreparedTagText &text, qint64 Counter, const QString &filename,
                        qsizetype filenumber) const;

    // The text compiled for filling with TagValues.
    TagTemplate compile(const QString &text) const;
    // Reads the clock for a text that holds date or time tags (the substitution does so itself).
    void refreshDates() const;
    // True for the rows of the date and time tags.
    static bool isDateRow(int row) { return row >= 1 && row <= 13; }

    // The value of row `row` (1-based, the order of tagNames()) for one drawing.
    QString tagValue(int row, qint64 Counter, const QString &filename, qsizetype filenumber) const;
    // Every tag, "$MM/DD/YY$" … "$TAG50$", in the order of replacement.
    static const QStringList &tagNames();

    // The date and time texts of the last text that held a date or time tag (at first those of `moment`).
    const DateTagValues &dates() const { return m_dates; }
    const QString &headerDate() const { return m_headerDate; }
    const QString &headerTime() const { return m_headerTime; }
    const QStringList &queue() const { return m_queue; }
    // The counts as used: negative counts act as 0.
    qint32 sheetChars() const { return m_sheetChars; }
    qint32 firstFileChars() const { return m_firstChars; }
    qint32 lastFileChars() const { return m_lastChars; }

    // True for rows whose value is the same for every drawing and every moment of a composition.
    static bool isConstantRow(int row) { return (row >= 15 && row <= 18) || (row >= 47 && row <= 96); }
    // Counts up whenever the date and time texts change.
    quint64 datesVersion() const { return m_datesVersion; }

private:
    struct Call {
        Call(qint64 c, const QString &f, qsizetype n) : counter(c), filename(f), filenumber(n) {}
        qint64 counter;
        const QString &filename;
        qsizetype filenumber;
        bool haveTitle = false;
        QString title;
        bool haveNeighbours = false;
        QString prev, next;
        QString scratch;
        const QString &fileTitle();
    };
    const QString &value(int row, Call &call) const;
    QString sheetValue(const QString &path) const;
    QString counterText(qint64 counter) const;
    friend class TagValues;

    TagSettings m_settings;
    QStringList m_queue;
    std::function<QDateTime()> m_now;
    std::function<qint64()> m_nowMSecs;
    mutable qint64 m_epochSecond = std::numeric_limits<qint64>::min(); // the second m_nowMSecs gave last
    QLocale m_locale;
    mutable QDate m_datesDay; // the day and second m_dates shows
    mutable int m_datesSecond = -1;
    mutable DateTagValues m_dates;
    mutable quint64 m_datesVersion = 0;
    QString m_headerDate, m_headerTime;
    QString m_queueCount, m_tslPath, m_user, m_computer;
    qint32 m_sheetChars = 0, m_firstChars = 0, m_lastChars = 0;
    qsizetype m_maxTextSize = kDefaultMaxTextSize;
    QString m_error;
};

// The tag values of one drawing, each worked out on its first use; the date and time rows show the
// context's dates as they stand. One object serves a whole composition: reset() moves it to the next
// drawing without freeing anything, and the values that are parts of the path are views into it.
class TagValues
{
public:
    explicit TagValues(const TagContext &context);
    ~TagValues();
    TagValues(const TagValues &) = delete;
    TagValues &operator=(const TagValues &) = delete;
    // The drawing whose values value() gives from now on; filename must outlive that use.
    void reset(qint64 counter, const QString &filename, qsizetype filenumber);
    // Valid until the next reset() (date rows: until the context reads the clock again).
    QStringView value(int row);
    // The place of the last path separator of the drawing's path (-1: none).
    qsizetype lastSeparator() const { return m_lastSeparator; }

private:
    const TagContext &m_context;
    std::optional<TagContext::Call> m_call;
    const QString *m_filename = nullptr;
    qsizetype m_lastSeparator = -1;
    quint32 m_generation = 1;
    std::array<quint32, 97> m_stamp{};
    std::array<QStringView, 97> m_views;
    std::array<QString, 97> m_owned; // rows that are not parts of the path (their capacity is kept)
};

} // namespace tess
