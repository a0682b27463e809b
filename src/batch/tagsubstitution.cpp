#include "batch/tagsubstitution.h"

#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"

#include <QHash>
#include <QVarLengthArray>
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace tess {

namespace {

constexpr int kRowCount = 96;
constexpr int kMaxNameLength = 16; // "FILECOUNTINQUEUE"

// Row numbers of the table (1-based), in the order of replacement.
enum Row {
    RowMMDDYY = 1,
    RowDDMMYY,
    RowYYMMDD,
    RowDate,
    RowYYYY,
    RowYY,
    RowMM,
    RowMM1,
    RowMM2,
    RowMM3,
    RowDD,
    RowTime12,
    RowTime24,
    RowCounter,
    RowFileCount,
    RowTslPath,
    RowUser,
    RowComputer,
    RowFilename,
    RowFilenamePrev,
    RowFilenameNext,
    RowFilepath,
    RowFilepath1,                      // 23 … 31: $FILEPATH-1$ … $FILEPATH-9$
    RowFiledrive = RowFilepath1 + 9,   // 32
    RowFiledrive1,                     // 33 … 41: $FILEDRIVE+1$ … $FILEDRIVE+9$
    RowFirstChars = RowFiledrive1 + 9, // 42
    RowLastChars,
    RowSheet,
    RowSheetPrev,
    RowSheetNext,
    RowTag1, // 47 … 96: $TAG1$ … $TAG50$
};
static_assert(RowTag1 == 47 && RowTag1 + 49 == kRowCount);

QStringList buildNames()
{
    QStringList n = {"MM/DD/YY",
                     "DD/MM/YY",
                     "YY/MM/DD",
                     "DATE",
                     "YYYY",
                     "YY",
                     "MM",
                     "MM-1",
                     "MM-2",
                     "MM-3",
                     "DD",
                     "TIME_12",
                     "TIME_24",
                     "COUNTER",
                     "FILECOUNTINQUEUE",
                     "TSL_PATH",
                     "USER",
                     "COMPUTER",
                     "FILENAME",
                     "FILENAME-PREV",
                     "FILENAME-NEXT",
                     "FILEPATH"};
    for (int i = 1; i <= 9; ++i)
        n << QStringLiteral("FILEPATH-%1").arg(i);
    n << QStringLiteral("FILEDRIVE");
    for (int i = 1; i <= 9; ++i)
        n << QStringLiteral("FILEDRIVE+%1").arg(i);
    n << QStringLiteral("FIRSTFILECHARS") << QStringLiteral("LASTFILECHARS") << QStringLiteral("SHEET")
      << QStringLiteral("SHEET-PREV") << QStringLiteral("SHEET-NEXT");
    for (int i = 1; i <= 50; ++i)
        n << QStringLiteral("TAG%1").arg(i);
    Q_ASSERT(n.size() == kRowCount);
    return n;
}

const QStringList &bareNames()
{
    static const QStringList names = buildNames();
    return names;
}

// Upper-case ASCII name (without the "$") -> row.
const QHash<QByteArray, int> &rowByName()
{
    static const QHash<QByteArray, int> table = [] {
        QHash<QByteArray, int> t;
        const QStringList &names = bareNames();
        for (int i = 0; i < names.size(); ++i)
            t.insert(names.at(i).toLatin1(), i + 1);
        return t;
    }();
    return table;
}

// The row of a tag name, compared ignoring case as every case-blind comparison of the program does (by
// case folding: the long s and the Kelvin sign fold to ASCII letters of the names too).
int rowOf(const QChar *const *parts, const qsizetype *lengths, int partCount, qsizetype total)
{
    if (total <= 0 || total > kMaxNameLength)
        return 0;
    char buf[kMaxNameLength];
    qsizetype k = 0;
    for (int p = 0; p < partCount; ++p) {
        for (qsizetype i = 0; i < lengths[p]; ++i) {
            char16_t c = parts[p][i].unicode();
            if (c >= 0x80) {
                c = parts[p][i].toCaseFolded().unicode();
                if (c >= 0x80)
                    return 0;
            }
            buf[k++] = (c >= 'a' && c <= 'z') ? char(c - 32) : char(c);
        }
    }
    return rowByName().value(QByteArray::fromRawData(buf, k), 0);
}

int rowOfView(QStringView name)
{
    const QChar *p = name.data();
    const qsizetype n = name.size();
    return rowOf(&p, &n, 1, n);
}

// A count setting read the way the stored text is converted: blanks around it allowed, a decimal number is
// rounded half to even. nullopt with the error number: 13 not a number, 6 too large.
struct CountResult {
    qint64 value = 0;
    int error = 0;
};

CountResult parseCount(const QString &text, qint64 maxAbs)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 v = t.toLongLong(&ok, 10);
    if (!ok) {
        const double d = QLocale::c().toDouble(t, &ok);
        if (!ok || !std::isfinite(d))
            return {0, 13};
        const double r = std::nearbyint(d);
        if (std::fabs(r) > double(maxAbs))
            return {0, 6};
        v = qint64(r);
    }
    if (v > maxAbs || v < -maxAbs - 1)
        return {0, 6};
    return {v, 0};
}

QString errorText(int number)
{
    const QString description = number == 6 ? QStringLiteral("Overflow") : QStringLiteral("Type mismatch");
    return unexpectedErrorText(number, description, QStringLiteral("SubstituteTAGS"), QStringLiteral("Form frmMain"));
}

} // namespace

// ---------------------------------------------------------------------------------------------------------

TagSettings TagSettings::fromSettings(const MainSettings &s)
{
    TagSettings t;
    t.SHEETCHARS = s.SHEETCHARS;
    t.FIRSTFILECHARS = s.FIRSTFILECHARS;
    t.LASTFILECHARS = s.LASTFILECHARS;
    t.TRIMZEROS = s.TRIMZEROS;
    t.PADCOUNTER = s.PADCOUNTER;
    t.PADDIGITS = s.PADDIGITS;
    t.TAG = s.TAG;
    return t;
}

// ---------------------------------------------------------------------------------------------------------

TagContext::TagContext(const TagSettings &settings, const QStringList &queue, const TagEnvironment &environment)
    : m_settings(settings), m_queue(queue), m_now(environment.now), m_nowMSecs(environment.nowMSecs),
      m_locale(environment.locale)
{
    m_datesDay = environment.moment.date();
    m_datesSecond = environment.moment.time().msecsSinceStartOfDay() / 1000;
    m_dates = DateTagValues::compute(environment.moment, environment.locale);
    m_headerDate = headerDateText(environment.moment, environment.locale);
    m_headerTime = headerTimeText(environment.moment, environment.locale);
    m_queueCount = QString::number(m_queue.size());
    m_tslPath = withTrailingSeparator(QString(environment.programPath).replace(QLatin1Char('\\'), QLatin1Char('/')),
                                      QLatin1Char('/'));
    m_user = environment.loginName;
    m_computer = environment.computerName;

    // The counts are checked in the order the substitution converts them.
    const CountResult first = parseCount(settings.FIRSTFILECHARS, 0x7fffffff);
    const CountResult last = parseCount(settings.LASTFILECHARS, 0x7fffffff);
    const CountResult sheet = parseCount(settings.SHEETCHARS, 0x7fff);
    for (const CountResult &r : {first, last, sheet}) {
        if (r.error != 0) {
            m_error = errorText(r.error);
            return;
        }
    }
    m_firstChars = qint32(qMax<qint64>(0, first.value));
    m_lastChars = qint32(qMax<qint64>(0, last.value));
    m_sheetChars = qint32(qMax<qint64>(0, sheet.value));
}

const QStringList &TagContext::tagNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const QString &b : bareNames())
            n << QLatin1Char('$') + b + QLatin1Char('$');
        return n;
    }();
    return names;
}

// One reading of the clock for a text; the texts are worked out again only when the second has changed.
void TagContext::refreshDates() const
{
    if (!m_now)
        return;
    if (m_nowMSecs) {
        // A local day and second change only when the epoch second does.
        const qint64 ms = m_nowMSecs();
        const qint64 second = ms / 1000 - (ms % 1000 < 0 ? 1 : 0);
        if (second == m_epochSecond)
            return;
        m_epochSecond = second;
    }
    const QDateTime moment = m_now();
    const QDate day = moment.date();
    const int second = moment.time().msecsSinceStartOfDay() / 1000;
    if (day == m_datesDay && second == m_datesSecond)
        return;
    m_datesDay = day;
    m_datesSecond = second;
    m_dates = DateTagValues::compute(moment, m_locale);
    ++m_datesVersion;
}

QString TagContext::counterText(qint64 counter) const
{
    if (m_settings.PADCOUNTER != 1 || m_settings.PADDIGITS <= 0)
        return QString::number(counter);
    const quint64 magnitude = counter < 0 ? 0 - quint64(counter) : quint64(counter);
    QString digits = QString::number(magnitude).rightJustified(m_settings.PADDIGITS, QLatin1Char('0'));
    return counter < 0 ? QLatin1Char('-') + digits : digits;
}

QString TagContext::sheetValue(const QString &path) const
{
    QString v;
    const qsizetype start = path.size() - m_sheetChars - 4; // 0-based
    if (path.size() > 3 && start >= 0)
        v = path.mid(start, m_sheetChars);
    if (m_settings.TRIMZEROS == 1) {
        qsizetype i = 0;
        while (i < v.size() && v.at(i) == QLatin1Char('0'))
            ++i;
        v.remove(0, i);
    }
    return v;
}

const QString &TagContext::Call::fileTitle()
{
    if (!haveTitle) {
        title = FileTitleOf(filename);
        haveTitle = true;
    }
    return title;
}

const QString &TagContext::value(int row, Call &c) const
{
    auto neighbours = [&] {
        if (!c.haveNeighbours) {
            const qsizetype before = c.filenumber - 1, after = c.filenumber + 1; // 1-based places
            if (before >= 1 && before <= m_queue.size())
                c.prev = m_queue.at(before - 1);
            if (after >= 1 && after <= m_queue.size())
                c.next = m_queue.at(after - 1);
            c.haveNeighbours = true;
        }
    };
    switch (row) {
    case RowMMDDYY: return m_dates.MMDDYY;
    case RowDDMMYY: return m_dates.DDMMYY;
    case RowYYMMDD: return m_dates.YYMMDD;
    case RowDate: return m_dates.LONGDATE;
    case RowYYYY: return m_dates.YYYY;
    case RowYY: return m_dates.YY;
    case RowMM: return m_dates.MM;
    case RowMM1: return m_dates.MM_1;
    case RowMM2: return m_dates.MM_2;
    case RowMM3: return m_dates.MM_3;
    case RowDD: return m_dates.DD;
    case RowTime12: return m_dates.TodayTime_12;
    case RowTime24: return m_dates.TodayTime_24;
    case RowCounter: return c.scratch = counterText(c.counter);
    case RowFileCount: return m_queueCount;
    case RowTslPath: return m_tslPath;
    case RowUser: return m_user;
    case RowComputer: return m_computer;
    case RowFilename: return c.fileTitle();
    case RowFilenamePrev: neighbours(); return c.scratch = FileTitleOf(c.prev);
    case RowFilenameNext: neighbours(); return c.scratch = FileTitleOf(c.next);
    case RowFilepath: return c.scratch = FolderOf(c.filename);
    case RowFiledrive: return c.scratch = ParentFolderOf(c.filename, 99);
    case RowFirstChars: return c.scratch = c.fileTitle().left(m_firstChars);
    case RowLastChars: return c.scratch = c.fileTitle().right(m_lastChars);
    case RowSheet: return c.scratch = sheetValue(c.filename);
    case RowSheetPrev: neighbours(); return c.scratch = sheetValue(c.prev);
    case RowSheetNext: neighbours(); return c.scratch = sheetValue(c.next);
    default: break;
    }
    if (row >= RowFilepath1 && row < RowFilepath1 + 9)
        return c.scratch = ParentFolderOf(c.filename, row - RowFilepath1 + 1);
    if (row >= RowFiledrive1 && row < RowFiledrive1 + 9)
        return c.scratch = FolderFromRoot(c.filename, row - RowFiledrive1 + 1);
    if (row >= RowTag1 && row <= kRowCount)
        return m_settings.TAG[size_t(row - RowTag1)];
    return c.scratch = QString();
}

QString TagContext::tagValue(int row, qint64 Counter, const QString &filename, qsizetype filenumber) const
{
    if (row >= RowMMDDYY && row <= RowTime24)
        refreshDates();
    Call c(Counter, filename, filenumber);
    return value(row, c);
}

PreparedTagText TagContext::prepare(const QString &text) const
{
    PreparedTagText p;
    p.m_text = text;
    const QChar *data = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == QLatin1Char('$'))
            p.m_dollars.push_back(i);
    }
    if (p.m_dollars.size() >= 2) {
        p.m_rows.resize(p.m_dollars.size() - 1);
        for (size_t i = 0; i + 1 < p.m_dollars.size(); ++i) {
            const qsizetype from = p.m_dollars[i] + 1;
            const int row = rowOfView(QStringView(data + from, p.m_dollars[i + 1] - from));
            p.m_rows[i] = quint8(row);
            p.m_hasTags = p.m_hasTags || row != 0;
        }
    }
    return p;
}

static_assert(RowMMDDYY == 1 && RowTime24 == 13, "isDateRow");
static_assert(RowFileCount == 15 && RowComputer == 18 && RowTag1 == 47 && kRowCount == 96, "isConstantRow");

namespace {

// False for a character that no tag name holds, compared as the names are (case folded, ASCII letters,
// digits and "/", "-", "+", "_").
bool mayBeInName(QChar ch)
{
    char16_t c = ch.unicode();
    if (c >= 0x80) {
        c = ch.toCaseFolded().unicode();
        if (c >= 0x80)
            return false;
    }
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
           c == '+' || c == '_';
}

bool spellsNoName(QStringView run)
{
    return std::any_of(run.begin(), run.end(), [](QChar c) { return !mayBeInName(c); });
}

} // namespace

// A replacement joins the tag's two neighbouring runs and the value into one run, which later rows judge
// afresh. The pass is safe when such a joined run can never be a tag: it is the text's first or last run
// (no "$" on one side), or a neighbour holds a character no name has, or the two neighbours are longer
// than any name. With no two tags sharing a "$", each tag is then replaced at its own row exactly where
// it stands.
TagTemplate TagContext::compile(const QString &text) const
{
    TagTemplate t;
    t.prepared = prepare(text);
    const PreparedTagText &p = t.prepared;
    const QChar *data = text.constData();
    const size_t dollars = p.m_dollars.size();
    auto runStart = [&](size_t seg) { return seg == 0 ? 0 : p.m_dollars[seg - 1] + 1; };
    auto runEnd = [&](size_t seg) { return seg < dollars ? p.m_dollars[seg] : text.size(); };
    auto run = [&](size_t seg) { return QStringView(data + runStart(seg), runEnd(seg) - runStart(seg)); };
    auto isTag = [&](size_t seg) { return seg >= 1 && seg < dollars && p.m_rows[seg - 1] != 0; };

    t.direct = true;
    qsizetype literalFrom = 0;
    for (size_t seg = 1; seg < dollars; ++seg) {
        if (!isTag(seg))
            continue;
        if (isTag(seg - 1) || isTag(seg + 1)) {
            t.direct = false;
        } else if (seg - 1 != 0 && seg + 1 != dollars) {
            const QStringView left = run(seg - 1), right = run(seg + 1);
            if (left.size() + right.size() <= kMaxNameLength && !spellsNoName(left) && !spellsNoName(right))
                t.direct = false;
        }
        const int row = p.m_rows[seg - 1];
        const qsizetype tagFrom = runStart(seg) - 1;
        if (tagFrom > literalFrom)
            t.pieces.push_back({text.mid(literalFrom, tagFrom - literalFrom), 0, 0});
        t.pieces.push_back({QString(), row, runEnd(seg) + 1 - tagFrom});
        t.hasDates = t.hasDates || isDateRow(row);
        literalFrom = runEnd(seg) + 1;
    }
    if (literalFrom < text.size())
        t.pieces.push_back({text.mid(literalFrom), 0, 0});
    return t;
}

TagValues::TagValues(const TagContext &context) : m_context(context) {}

TagValues::~TagValues() = default;

void TagValues::reset(qint64 counter, const QString &filename, qsizetype filenumber)
{
    m_call.emplace(counter, filename, filenumber);
    m_filename = &filename;
    m_lastSeparator = lastSeparatorIndex(filename);
    if (++m_generation == 0) {
        m_stamp.fill(0);
        m_generation = 1;
    }
}

// The rows that are parts of the path are taken from it as FileTitleOf, FolderOf and the sheet value cut
// them; the rest are worked out by TagContext::value.
QStringView TagValues::value(int row)
{
    if (row < 1 || row > kRowCount || TagContext::isDateRow(row))
        return m_context.value(row, *m_call);
    const size_t r = size_t(row);
    if (m_stamp[r] == m_generation)
        return m_views[r];
    const QStringView path(*m_filename);
    const QStringView name = path.mid(m_lastSeparator + 1);
    const QStringView title = path.size() <= 3 || name.size() < 4 ? QStringView() : name.left(name.size() - 4);
    QStringView v;
    switch (row) {
    case RowFilename: v = title; break;
    case RowFilepath: v = path.left(m_lastSeparator + 1); break;
    case RowFirstChars: v = title.left(m_context.m_firstChars); break;
    case RowLastChars: v = title.right(m_context.m_lastChars); break;
    case RowSheet: {
        const qsizetype start = path.size() - m_context.m_sheetChars - 4;
        if (path.size() > 3 && start >= 0)
            v = path.mid(start, m_context.m_sheetChars);
        if (m_context.m_settings.TRIMZEROS == 1) {
            qsizetype i = 0;
            while (i < v.size() && v.at(i) == QLatin1Char('0'))
                ++i;
            v = v.mid(i);
        }
        break;
    }
    case RowCounter:
        if (m_context.m_settings.PADCOUNTER != 1 || m_context.m_settings.PADDIGITS <= 0) {
            // The digits written into the kept buffer, as QString::number writes them.
            const qint64 counter = m_call->counter;
            quint64 magnitude = counter < 0 ? 0 - quint64(counter) : quint64(counter);
            char16_t digits[24];
            int k = 24;
            do {
                digits[--k] = char16_t(u'0' + magnitude % 10);
                magnitude /= 10;
            } while (magnitude != 0);
            if (counter < 0)
                digits[--k] = u'-';
            QString &s = m_owned[r];
            s.resize(24 - k);
            std::copy(digits + k, digits + 24, reinterpret_cast<char16_t *>(s.data()));
            v = s;
            break;
        }
        [[fallthrough]];
    default: {
        const QString &computed = m_context.value(row, *m_call);
        if (&computed == &m_call->scratch) {
            m_owned[r] = computed; // the next row would overwrite the scratch text
            v = m_owned[r];
        } else {
            v = computed;
        }
        break;
    }
    }
    m_views[r] = v;
    m_stamp[r] = m_generation;
    return v;
}

QString TagContext::SubstituteTAGS(const QString &Text1, qint64 Counter, const QString &filename,
                                   qsizetype filenumber) const
{
    return trySubstituteTAGS(Text1, Counter, filename, filenumber).value_or(QString());
}

std::optional<QString> TagContext::trySubstituteTAGS(const QString &Text1, qint64 Counter, const QString &filename,
                                                     qsizetype filenumber) const
{
    if (!isValid())
        return QString();
    if (m_maxTextSize > 0 && Text1.size() > m_maxTextSize)
        return std::nullopt;
    if (!Text1.contains(QLatin1Char('$')))
        return Text1;
    const PreparedTagText p = prepare(Text1);
    if (!p.hasTags())
        return Text1;
    QString out;
    if (!substituteInto(out, p, Counter, filename, filenumber))
        return std::nullopt;
    return out;
}

namespace {

// The text under substitution, kept as a list of segments, the runs of characters between two "$" (a "$"
// stands between every two neighbouring segments). A tag is a segment with a "$" on both sides whose
// characters are the tag's name. One row's whole-text replacement, searched from the first character,
// takes its segments from left to right; a match consumes both of its "$", so the segment right after a
// match cannot match in the same row. The replacement joins the segment before, the value and the segment
// after into new segments; these are judged afresh for the later rows only (a row never sees what it
// inserted itself).
//
// A segment's characters are a chain of pieces that point into the text, into the values put in (kept
// until the next compaction) or into the joined text of the last compaction; counts of the segments of
// every row tell which row comes next without walking the list.
//
// The bound: `m_live` counts the characters of the text as it stands after every replacement, and the
// first replacement that takes it past the bound ends the substitution. Within a row the text only grows
// or only shrinks (every match is replaced by the same value), so this is the same as looking after every
// row. The names replaced and the segments they leave behind are dead weight; once it outweighs the text,
// the text is joined and split again between two rows, so memory stays in proportion to the text.
//
// It lives on the stack of one substitution; short texts need no allocation for the table itself.
class CascadeTable
{
public:
    explicit CascadeTable(qsizetype limit) : m_limit(limit) {}

    // Starts from a whole text, its "$" positions and the rows of the segments between them.
    void start(const QString &text, const std::vector<qsizetype> &dollars, const std::vector<quint8> &rows)
    {
        split(text.constData(), text.size(), dollars, &rows);
        m_live = text.size();
    }
    // True when a segment of one of the rows in `mask` (rows 1 to 63) stands in the text.
    bool holdsRows(quint64 mask) const { return (m_present[0] & mask) != 0; }
    // Replaces the rows in order, valueOf(row) giving the value of a row that has a segment. False as soon
    // as the text passes the bound.
    template <typename ValueOf> bool run(ValueOf &&valueOf);
    // Appends the text as it stands.
    void appendTo(QString &out) const { join(out, m_live); }

private:
    struct Piece {
        const QChar *data;
        qsizetype size;
        int next;
    };
    struct Seg {
        int head = -1, tail = -1; // pieces
        qsizetype size = 0;
        int prev = -1, next = -1;
        int row = 0;
        int pass = 0; // the pass that made it; only segments of earlier passes can match
    };

    void mark(int row, int delta);
    void addPiece(int seg, const QChar *data, qsizetype size);
    void appendSegPieces(int to, int from);
    void classify(int seg);
    void split(const QChar *base, qsizetype total, const std::vector<qsizetype> &dollars,
               const std::vector<quint8> *rows);
    void join(QString &into, qsizetype size) const;
    void compactIfWasteful();
    int nextRow(int row) const;
    bool replaceRow(int row, const QString &value);
    int replaceSegment(int seg, const QChar *vd, qsizetype vn);

    const qsizetype m_limit;
    QVarLengthArray<Piece, 96> m_pieces;
    QVarLengthArray<Seg, 64> m_segs;
    QVarLengthArray<QString, 16> m_keep; // values the pieces point into
    std::vector<QString> m_flats;        // the joined text of the last compaction, which the pieces point into
    int m_counts[kRowCount + 1] = {};
    quint64 m_present[2] = {0, 0}; // rows with a count
    qsizetype m_live = 0;
    qsizetype m_replaced = 0; // since the last compaction
    int m_pass = 0;
};

template <typename ValueOf> bool CascadeTable::run(ValueOf &&valueOf)
{
    int row = 0;
    for (;;) {
        compactIfWasteful();
        row = nextRow(row);
        if (row == 0)
            return true;
        ++m_pass;
        m_keep.append(valueOf(row));
        if (!replaceRow(row, m_keep.last()))
            return false;
    }
}

void CascadeTable::mark(int row, int delta)
{
    if (row == 0)
        return;
    m_counts[row] += delta;
    const int word = row >> 6;
    const quint64 bit = quint64(1) << (row & 63);
    if (m_counts[row] > 0)
        m_present[word] |= bit;
    else
        m_present[word] &= ~bit;
}

void CascadeTable::addPiece(int seg, const QChar *data, qsizetype size)
{
    if (size <= 0)
        return;
    m_pieces.append(Piece{data, size, -1});
    const int idx = int(m_pieces.size() - 1);
    Seg &s = m_segs[seg];
    if (s.tail >= 0)
        m_pieces[s.tail].next = idx;
    else
        s.head = idx;
    s.tail = idx;
    s.size += size;
}

// Moves the pieces of `from` to the end of `to`.
void CascadeTable::appendSegPieces(int to, int from)
{
    Seg &a = m_segs[to];
    const Seg &b = m_segs[from];
    if (b.head < 0)
        return;
    if (a.tail >= 0)
        m_pieces[a.tail].next = b.head;
    else
        a.head = b.head;
    a.tail = b.tail;
    a.size += b.size;
}

void CascadeTable::classify(int seg)
{
    Seg &s = m_segs[seg];
    if (s.prev < 0 || s.next < 0 || s.size == 0 || s.size > kMaxNameLength) {
        s.row = 0;
        return;
    }
    const QChar *parts[kMaxNameLength];
    qsizetype lengths[kMaxNameLength];
    int n = 0;
    for (int p = s.head; p >= 0; p = m_pieces[p].next) {
        parts[n] = m_pieces[p].data;
        lengths[n] = m_pieces[p].size;
        ++n;
    }
    s.row = rowOf(parts, lengths, n, s.size);
    mark(s.row, +1);
}

// The segments of a whole text split at the given "$" positions; the rows of the inner segments are given
// (a prepared text) or found.
void CascadeTable::split(const QChar *base, qsizetype total, const std::vector<qsizetype> &dollars,
                         const std::vector<quint8> *rows)
{
    m_pieces.clear();
    m_segs.clear();
    std::fill(std::begin(m_counts), std::end(m_counts), 0);
    m_present[0] = m_present[1] = 0;
    const size_t dollarCount = dollars.size();
    m_segs.resize(qsizetype(dollarCount + 1));
    qsizetype from = 0;
    for (size_t i = 0; i <= dollarCount; ++i) {
        const qsizetype to = i < dollarCount ? dollars[i] : total;
        m_segs[qsizetype(i)].prev = int(i) - 1;
        m_segs[qsizetype(i)].next = i < dollarCount ? int(i) + 1 : -1;
        addPiece(int(i), base + from, to - from);
        from = to + 1;
    }
    for (size_t i = 1; i < dollarCount; ++i) {
        if (rows) {
            m_segs[qsizetype(i)].row = (*rows)[i - 1];
            mark(m_segs[qsizetype(i)].row, +1);
        } else {
            classify(int(i));
        }
    }
}

// The segments joined with their "$".
void CascadeTable::join(QString &into, qsizetype size) const
{
    into.reserve(into.size() + size);
    for (int s = 0; s >= 0; s = m_segs[s].next) {
        for (int p = m_segs[s].head; p >= 0; p = m_pieces[p].next)
            into.append(m_pieces[p].data, m_pieces[p].size);
        if (m_segs[s].next >= 0)
            into.append(QLatin1Char('$'));
    }
}

// Between two rows: joins and splits again when the dead weight outgrows the text. Every segment then
// counts as made before the next pass; the rows done are never looked at again.
void CascadeTable::compactIfWasteful()
{
    if (m_replaced * 8 <= m_live + 4096)
        return;
    QString flat;
    join(flat, m_live);
    std::vector<qsizetype> dollars;
    for (qsizetype i = 0; i < flat.size(); ++i)
        if (flat.at(i) == QLatin1Char('$'))
            dollars.push_back(i);
    m_flats.push_back(std::move(flat));
    split(m_flats.back().constData(), m_flats.back().size(), dollars, nullptr);
    m_flats.erase(m_flats.begin(), m_flats.end() - 1);
    m_keep.clear();
    m_replaced = 0;
}

// The next row above `row` that has a segment; 0 when there is none.
int CascadeTable::nextRow(int row) const
{
    int next = 0;
    for (int w = (row + 1) >> 6; w < 2 && next == 0; ++w) {
        quint64 bits = m_present[w];
        if (w == (row + 1) >> 6)
            bits &= ~quint64(0) << ((row + 1) & 63);
        if (bits)
            next = (w << 6) + std::countr_zero(bits);
    }
    return next > kRowCount ? 0 : next;
}

// One pass: every segment of `row` made before this pass replaced by the value, from left to right.
bool CascadeTable::replaceRow(int row, const QString &value)
{
    const QChar *vd = value.constData();
    const qsizetype vn = value.size();
    for (int s = 0; s >= 0;) {
        if (m_segs[s].row != row || m_segs[s].pass >= m_pass) {
            s = m_segs[s].next;
            continue;
        }
        m_live += vn - (m_segs[s].size + 2);
        if (m_live > m_limit)
            return false;
        ++m_replaced;
        s = m_segs[replaceSegment(s, vd, vn)].next;
    }
    return true;
}

// Replaces "$" + segment `seg` + "$" by the value; `seg` is inner, so both neighbours exist. Gives the last
// segment the replacement made or grew, after which the search goes on.
int CascadeTable::replaceSegment(int seg, const QChar *vd, qsizetype vn)
{
    const int left = m_segs[seg].prev;
    const int right = m_segs[seg].next;
    mark(m_segs[left].row, -1);
    mark(m_segs[seg].row, -1);
    mark(m_segs[right].row, -1);
    const int after = m_segs[right].next;

    qsizetype d = 0;
    while (d < vn && vd[d] != QLatin1Char('$'))
        ++d;
    if (d == vn) {
        // No "$" in the value: left + value + right become one segment.
        addPiece(left, vd, vn);
        appendSegPieces(left, right);
        m_segs[left].next = after;
        if (after >= 0)
            m_segs[after].prev = left;
        m_segs[left].pass = m_pass;
        classify(left);
        return left;
    }

    addPiece(left, vd, d);
    m_segs[left].pass = m_pass;
    int prevSeg = left;
    QVarLengthArray<int, 8> made;
    qsizetype start = d + 1;
    for (;;) {
        qsizetype e = start;
        while (e < vn && vd[e] != QLatin1Char('$'))
            ++e;
        Seg ns;
        ns.prev = prevSeg;
        ns.pass = m_pass;
        m_segs.append(ns);
        const int idx = int(m_segs.size() - 1);
        m_segs[prevSeg].next = idx;
        addPiece(idx, vd + start, e - start);
        made.append(idx);
        prevSeg = idx;
        if (e == vn)
            break;
        start = e + 1;
    }
    const int last = prevSeg;
    appendSegPieces(last, right);
    m_segs[last].next = after;
    if (after >= 0)
        m_segs[after].prev = last;
    classify(left);
    for (const int m : made)
        classify(m);
    return last;
}

} // namespace

// The whole-text replacement of every row in order, each on the result of the row before, bounded by
// maxTextSize().
bool TagContext::substituteInto(QString &out, const PreparedTagText &text, qint64 Counter, const QString &filename,
                                qsizetype filenumber) const
{
    if (!isValid())
        return true;
    const qsizetype limit = m_maxTextSize > 0 ? m_maxTextSize : std::numeric_limits<qsizetype>::max();
    if (text.m_text.size() > limit)
        return false;
    if (!text.m_hasTags) {
        out += text.m_text;
        return true;
    }

    CascadeTable table(limit);
    table.start(text.m_text, text.m_dollars, text.m_rows);

    // Rows 1 to 13, the date and time tags, come first: a later row's value cannot bring one in, so one look
    // at the text's own tags tells whether the clock is needed.
    constexpr quint64 dateRows = ((quint64(1) << (RowTime24 + 1)) - 1) & ~quint64(1);
    if (table.holdsRows(dateRows))
        refreshDates();

    Call call(Counter, filename, filenumber);
    if (!table.run([&](int row) -> const QString & { return value(row, call); }))
        return false;
    table.appendTo(out);
    return true;
}

} // namespace tess
