#include "core/settingskeys.h"

#include "core/messages.h"
#include "core/settingsstore.h"

#include <QLocale>
#include <QStandardPaths>
#include <cmath>
#include <limits>

namespace tess {

namespace {

constexpr qint64 kInt16Min = std::numeric_limits<qint16>::min();
constexpr qint64 kInt16Max = std::numeric_limits<qint16>::max();
constexpr qint64 kInt32Min = std::numeric_limits<qint32>::min();
constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();

namespace Sec = SettingsSection;

StoredSetting entry(const char *member, QLatin1StringView section, const char *key, const QString &def,
                    SettingEncoding enc, qint64 min, qint64 max, MemberRef target)
{
    return StoredSetting{QString::fromLatin1(member), section, QString::fromLatin1(key), def, enc, min, max, target};
}

// On/off switch kept in a 16-bit member. Any stored number is taken as it is: the readers test
// "= 1" (any other number is off) or "<> 0" (any other number is on) themselves, and the number
// goes back to the store unchanged.
StoredSetting onOff(const char *member, QLatin1StringView section, const char *key, const char *def,
                    qint16 MainSettings::*m)
{
    return entry(member, section, key, QString::fromLatin1(def), SettingEncoding::Switch, kInt16Min, kInt16Max, m);
}

StoredSetting number16(const char *member, QLatin1StringView section, const char *key, const char *def,
                       qint16 MainSettings::*m)
{
    return entry(member, section, key, QString::fromLatin1(def), SettingEncoding::Number, kInt16Min, kInt16Max, m);
}

StoredSetting number32(const char *member, QLatin1StringView section, const char *key, const char *def,
                       qint32 MainSettings::*m)
{
    return entry(member, section, key, QString::fromLatin1(def), SettingEncoding::Number, kInt32Min, kInt32Max, m);
}

StoredSetting optionIndex(const char *member, QLatin1StringView section, const char *key, const char *def, qint16 last,
                          qint16 MainSettings::*m)
{
    return entry(member, section, key, QString::fromLatin1(def), SettingEncoding::OptionIndex, 0, last, m);
}

StoredSetting text(const char *member, QLatin1StringView section, const char *key, const QString &def,
                   QString MainSettings::*m)
{
    return entry(member, section, key, def, SettingEncoding::Text, 0, 0, m);
}

StoredSetting text(const char *member, QLatin1StringView section, const char *key, const char *def,
                   QString MainSettings::*m)
{
    return text(member, section, key, QString::fromUtf8(def), m);
}

QList<StoredSetting> buildStoredSettings()
{
    using M = MainSettings;
    QList<StoredSetting> t;
    t.reserve(120);
    t << number32("LeftCoord", Sec::Startup, "Left", "520", &M::LeftCoord)
      << number32("TopCoord", Sec::Startup, "Top", "520", &M::TopCoord)
      << number32("HDividerTop", Sec::Startup, "HDividerTop", "3600", &M::HDividerTop)
      << number32("HLeftDividerTop", Sec::Startup, "HLeftDividerTop", "3600", &M::HLeftDividerTop)
      << onOff("SimpleMode", Sec::Startup, "SimpleMode", "0", &M::SimpleMode)
      << onOff("SimpleScriptPathOverride", Sec::Startup, "SimpleScriptPathOverride", "0", &M::SimpleScriptPathOverride)
      << text("DWGPattern", Sec::Startup, "DWGPattern", "*.dwg", &M::DWGPattern)
      << text("SCRPattern", Sec::Startup, "SCRPattern", "", &M::SCRPattern)
      << text("PreBatch", Sec::Startup, "Initialize", "_SDI 1", &M::PreBatch)
      << text("PreUserScript", Sec::Startup, "PreUserScript", "ZOOM E", &M::PreUserScript)
      << text("PostUserScript", Sec::Startup, "PostUserScript", "", &M::PostUserScript)
      << text("PostBatch", Sec::Startup, "Uninitialize", "_SDI 0", &M::PostBatch)
      << entry("TotalFilesProcessed", Sec::Startup, "Counter", QStringLiteral("0"), SettingEncoding::Counter, 0, 0,
               &M::TotalFilesProcessed)
      << onOff("TestRun", Sec::Startup, "TestRun", "0", &M::TestRun)
      << onOff("UseDelay", Sec::Startup, "UseDelay", "0", &M::UseDelay)
      << onOff("SAVEAS", Sec::Startup, "SAVEAS", "0", &M::SAVEAS)
      << text("NamePrefix", Sec::Startup, "NamePrefix", "", &M::NamePrefix)
      << text("NameSuffix", Sec::Startup, "NameSuffix", "", &M::NameSuffix)
      << onOff("OverWriteFiles", Sec::Startup, "OverWriteFiles", "1", &M::OverWriteFiles)
      << text("SaveAsType", Sec::Startup, "SaveAsType", dontChangeFormatText(), &M::SaveAsType)
      << entry("SaveAsOriginalLocation", Sec::Startup, "SaveAsOriginalLocation", QStringLiteral("-1"),
               SettingEncoding::OptionButton, -1, 0, &M::SaveAsOriginalLocation)
      << onOff("DebugComments", Sec::Startup, "DebugComments", "1", &M::DebugComments)
      << onOff("IncludeStatus", Sec::Startup, "IncludeStatus", "0", &M::IncludeStatus)
      << onOff("LT", Sec::Startup, "LT", "0", &M::LT)
      << onOff("AutoLaunchEditor", Sec::Startup, "AutoLaunchEditor", "0", &M::AutoLaunchEditor)
      << onOff("AutoADDFavorites", Sec::Startup, "AutoADDFavorites", "1", &M::AutoADDFavorites)
      << onOff("EnableDelay", Sec::Startup, "EnableDelay", "1", &M::EnableDelay)
      << onOff("AutoMinimize", Sec::Startup, "AutoMinimize", "0", &M::AutoMinimize)
      << text("AutoCADEXE", Sec::Paths, "AutoCADEXE", "", &M::AutoCADEXE)
      << text("Switches", Sec::Paths, "Switches", "", &M::Switches)
      << text("SCROutputPathNorm", Sec::Paths, "OutputNorm", "", &M::SCROutputPathNorm)
      << text("SCROutputPathAlt", Sec::Paths, "OutputAlt", "", &M::SCROutputPathAlt)
      << entry("SCRIPTSPathOption", Sec::Paths, "SCRIPTSPathOption", QStringLiteral("False"),
               SettingEncoding::TrueFalse, 0, 0, &M::SCRIPTSPathOption)
      << text("SCRIPTSDir", Sec::Paths, "SCRIPTSPath", "", &M::SCRIPTSDir)
      << optionIndex("Face", Sec::Startup, "Face", "0", 4, &M::Face)
      << onOff("OutputToDefaultPath", Sec::Startup, "OutputToDefaultPath", "1", &M::OutputToDefaultPath)
      << text("Delay", Sec::Startup, "Delay", "2000", &M::Delay)
      << onOff("WarnBlankLine", Sec::Startup, "WarnBlankLine", "1", &M::WarnBlankLine)
      << onOff("WarnDoubleSpace", Sec::Startup, "WarnDoubleSpace", "1", &M::WarnDoubleSpace)
      << onOff("WarnLineEndsWithSpace", Sec::Startup, "WarnLineEndsWithSpace", "1", &M::WarnLineEndsWithSpace)
      << onOff("WarnLTLisp", Sec::Startup, "WarnLTLisp", "1", &M::WarnLTLisp)
      << onOff("WarnSpaceInBlank", Sec::Startup, "WarnSpaceInBlank", "1", &M::WarnSpaceInBlank)
      << onOff("VerifyFilesBit", Sec::Startup, "VerifyFiles", "1", &M::VerifyFilesBit)
      << onOff("WarnFoldersNotExist", Sec::Startup, "WarnFolderNotExist", "0", &M::WarnFoldersNotExist)
      << onOff("METAEnabled", Sec::Startup, "METAEnabled", "0", &M::METAEnabled)
      << onOff("METAImmediate", Sec::Startup, "METAImmediate", "0", &M::METAImmediate)
      << onOff("ResourceWarning", Sec::Startup, "ResourceWarning", "1", &M::ResourceWarning)
      << number16("ResourceFileLimit", Sec::Startup, "ResourceFileLimit", "5", &M::ResourceFileLimit)
      << onOff("ScanForRogueTags", Sec::Startup, "ScanForRogueTags", "1", &M::ScanForRogueTags)
      << onOff("EnableLogging", Sec::Startup, "EnableLogging", "0", &M::EnableLogging)
      << text("SourcePath", Sec::Paths, "Source", defaultSourcePath(), &M::SourcePath)
      << text("TextEditor", Sec::Programs, "TextEditor", defaultTextEditor(), &M::TextEditor)
      << number32("FormHeight", Sec::Startup, "Height", "10128", &M::FormHeight)
      << number32("FormWidth", Sec::Startup, "Width", "13084", &M::FormWidth)
      << onOff("ShowSCRComplete", Sec::Startup, "ShowSCRComplete", "1", &M::ShowSCRComplete)
      << onOff("DWGPreviewShow", Sec::Startup, "DWGPreviewShow", "1", &M::DWGPreviewShow)
      << onOff("AutoSortEnabled", Sec::Startup, "AutoSortEnabled", "0", &M::AutoSortEnabled)
      << optionIndex("AutoSortType", Sec::Startup, "AutoSortType", "0", 3, &M::AutoSortType)
      << onOff("TipsShow", Sec::Startup, "TipsShow", "1", &M::TipsShow)
      << text("DWGOutFolder", Sec::Paths, "DWGOutFolder", "", &M::DWGOutFolder)
      << text("FIRSTFILECHARS", Sec::UserTags, "FirstFileChars", "4", &M::FIRSTFILECHARS)
      << text("LASTFILECHARS", Sec::UserTags, "LastFileChars", "2", &M::LASTFILECHARS)
      << text("SHEETCHARS", Sec::UserTags, "SheetChars", "3", &M::SHEETCHARS)
      << onOff("TRIMZEROS", Sec::UserTags, "TrimZeros", "1", &M::TRIMZEROS)
      << number32("COUNTERSTART", Sec::UserTags, "CounterStart", "1", &M::COUNTERSTART)
      << number32("COUNTERSTEP", Sec::UserTags, "CounterStep", "1", &M::COUNTERSTEP)
      << onOff("PADCOUNTER", Sec::UserTags, "PadCounterEnabled", "0", &M::PADCOUNTER)
      << number16("PADDIGITS", Sec::UserTags, "PadDigits", "2", &M::PADDIGITS);
    static const char *const sampleTags[] = {"GADGETS && CO.", "DOODAD DIVISION", "MODEL-A",
                                             "REVISION B",     "A. DESIGNER",     "B. CHECKER"};
    for (int i = 0; i < 50; ++i) {
        const QString name = QStringLiteral("TAG%1").arg(i + 1);
        const QString def = i < 6 ? QString::fromLatin1(sampleTags[i]) : QString();
        t << StoredSetting{name, Sec::UserTags, name, def, SettingEncoding::Text, 0, 0, TagMember{i}};
    }
    t << optionIndex("LoadOpen", Sec::Startup, "LoadMethod_Open", "2", 3, &M::LoadOpen)
      << text("OpenOther", Sec::Startup, "LoadMethod_Other", "_OPEN", &M::OpenOther);
    return t;
}

template <typename T> QString integerMemberText(const MainSettings &s, T MainSettings::*m)
{
    return QString::number(s.*m);
}

} // namespace

const QList<StoredSetting> &storedSettings()
{
    static const QList<StoredSetting> table = buildStoredSettings();
    return table;
}

const StoredSetting *findStoredSetting(QStringView member)
{
    for (const StoredSetting &e : storedSettings())
        if (member.compare(e.member, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

const QList<const StoredSetting *> &exitSaveSettings()
{
    static const QList<const StoredSetting *> list = [] {
        static const char *const members[] = {"LeftCoord",
                                              "TopCoord",
                                              "FormHeight",
                                              "FormWidth",
                                              "HDividerTop",
                                              "HLeftDividerTop",
                                              "DWGPattern",
                                              "SCRPattern",
                                              "PreBatch",
                                              "PreUserScript",
                                              "PostUserScript",
                                              "PostBatch",
                                              "LoadOpen",
                                              "OpenOther",
                                              "TestRun",
                                              "UseDelay",
                                              "SAVEAS",
                                              "NamePrefix",
                                              "NameSuffix",
                                              "OverWriteFiles",
                                              "SaveAsType",
                                              "SaveAsOriginalLocation",
                                              "DebugComments",
                                              "IncludeStatus",
                                              "TotalFilesProcessed",
                                              "SourcePath",
                                              "DWGOutFolder",
                                              "OutputToDefaultPath",
                                              "Face"};
        QList<const StoredSetting *> l;
        for (const char *m : members) {
            const StoredSetting *e = findStoredSetting(QString::fromLatin1(m));
            Q_ASSERT(e);
            l << e;
        }
        return l;
    }();
    return list;
}

QString memberText(const MainSettings &s, const StoredSetting &entry)
{
    return std::visit(
        [&s](auto &&ref) -> QString {
            using R = std::decay_t<decltype(ref)>;
            if constexpr (std::is_same_v<R, TagMember>)
                return s.TAG[ref.index];
            else if constexpr (std::is_same_v<R, QString MainSettings::*>)
                return s.*ref;
            else if constexpr (std::is_same_v<R, bool MainSettings::*>)
                return (s.*ref) ? QStringLiteral("True") : QStringLiteral("False");
            else if constexpr (std::is_same_v<R, double MainSettings::*>)
                return counterText(s.*ref);
            else
                return integerMemberText(s, ref);
        },
        entry.target);
}

QString storedText(const MainSettings &s, const StoredSetting &entry)
{
    auto integerValue = [&]() -> qint64 {
        if (auto p = std::get_if<qint16 MainSettings::*>(&entry.target))
            return s.**p;
        if (auto p = std::get_if<qint32 MainSettings::*>(&entry.target))
            return s.**p;
        return 0;
    };
    switch (entry.encoding) {
    case SettingEncoding::Switch:
        // The ticked delay box is 1 in the store although its member holds -1 while the program
        // runs; every other switch goes back as the number it holds.
        if (entry.member == QLatin1String("UseDelay"))
            return integerValue() != 0 ? QStringLiteral("1") : QStringLiteral("0");
        return QString::number(integerValue());
    case SettingEncoding::OptionButton: return integerValue() != 0 ? QStringLiteral("-1") : QStringLiteral("0");
    case SettingEncoding::OptionIndex:
    case SettingEncoding::Number: return QString::number(integerValue());
    case SettingEncoding::TrueFalse:
    case SettingEncoding::Counter:
    case SettingEncoding::Text: return memberText(s, entry);
    }
    return QString();
}

bool applyStoredText(MainSettings &s, const StoredSetting &entry, const QString &text)
{
    switch (entry.encoding) {
    case SettingEncoding::Switch:
    case SettingEncoding::OptionButton:
    case SettingEncoding::OptionIndex:
    case SettingEncoding::Number: {
        const std::optional<qint64> v = parseStoredInteger(text, entry.minimum, entry.maximum);
        if (!v)
            return false;
        if (auto p = std::get_if<qint16 MainSettings::*>(&entry.target)) {
            if (*v < kInt16Min || *v > kInt16Max)
                return false;
            s.**p = static_cast<qint16>(*v);
            return true;
        }
        if (auto p = std::get_if<qint32 MainSettings::*>(&entry.target)) {
            if (*v < kInt32Min || *v > kInt32Max)
                return false;
            s.**p = static_cast<qint32>(*v);
            return true;
        }
        return false;
    }
    case SettingEncoding::TrueFalse: {
        const std::optional<bool> v = parseStoredBoolean(text);
        auto p = std::get_if<bool MainSettings::*>(&entry.target);
        if (!v || !p)
            return false;
        s.**p = *v;
        return true;
    }
    case SettingEncoding::Counter: {
        const std::optional<double> v = parseStoredDouble(text);
        auto p = std::get_if<double MainSettings::*>(&entry.target);
        if (!v || !p)
            return false;
        s.**p = *v;
        return true;
    }
    case SettingEncoding::Text:
        if (auto p = std::get_if<TagMember>(&entry.target)) {
            s.TAG[p->index] = text;
            return true;
        }
        if (auto p = std::get_if<QString MainSettings::*>(&entry.target)) {
            s.**p = text;
            return true;
        }
        return false;
    }
    return false;
}

std::optional<double> parseStoredDouble(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 64)
        return std::nullopt;
    // Decimal text only: digits, sign, one point, an exponent. No "inf", "nan" or hexadecimal.
    for (QChar c : t)
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('+') && c != QLatin1Char('-') &&
            c != QLatin1Char('.') && c != QLatin1Char('e') && c != QLatin1Char('E'))
            return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint64> parseStoredInteger(const QString &text, qint64 minimum, qint64 maximum)
{
    const std::optional<double> d = parseStoredDouble(text);
    if (!d)
        return std::nullopt;
    const double r = std::nearbyint(*d); // half to even under the default rounding mode
    if (r < static_cast<double>(minimum) || r > static_cast<double>(maximum))
        return std::nullopt;
    return static_cast<qint64>(r);
}

std::optional<bool> parseStoredBoolean(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> d = parseStoredDouble(t);
    if (!d)
        return std::nullopt;
    return *d != 0.0;
}

QString counterText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");
    if (value == std::floor(value) && std::fabs(value) < 9007199254740992.0) // whole and exact
        return QString::number(value, 'f', 0);
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString defaultTextEditor()
{
#ifdef Q_OS_WIN
    return QStringLiteral("notepad.exe");
#else
    static const QString editor = [] {
        static const char *const candidates[] = {
            "gnome-text-editor", "gedit", "kate",   "kwrite", "mousepad", "pluma", "xed",
            "featherpad",        "geany", "leafpad"};
        for (const char *c : candidates)
            if (!QStandardPaths::findExecutable(QString::fromLatin1(c)).isEmpty())
                return QString::fromLatin1(c);
        return QStringLiteral("xdg-open");
    }();
    return editor;
#endif
}

QString defaultSourcePath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QStringLiteral("/");
#endif
}

const QList<OtherSetting> &otherSettings()
{
    namespace K = OtherKeys;
    static const QList<OtherSetting> list = {K::Version,
                                             K::ApplicationPath,
                                             K::DWGPreviewLeft,
                                             K::DWGPreviewTop,
                                             K::QPLeft,
                                             K::QPTop,
                                             K::QPWidth,
                                             K::QPHeight,
                                             K::QPQueueLeft,
                                             K::QPQueueTop,
                                             K::QPQueueWidth,
                                             K::QPQueueHeight,
                                             K::SCREditLeft,
                                             K::SCREditTop,
                                             K::SCREditWidth,
                                             K::SCREditHeight,
                                             K::DWGFilterPersonal,
                                             K::SCRFilterPersonal,
                                             K::SCRFilterSimplePersonal,
                                             K::TipNumber,
                                             K::TipsShow,
                                             K::ShowSCRComplete,
                                             K::Face};
    return list;
}

QString readOtherSetting(const OtherSetting &k) { return readSetting(k.section, k.key, QString(k.defaultText)); }

qint32 readOtherNumber(const OtherSetting &k, bool *wasValid)
{
    const std::optional<qint64> v = parseStoredInteger(readOtherSetting(k), kInt32Min, kInt32Max);
    if (wasValid)
        *wasValid = v.has_value();
    if (v)
        return static_cast<qint32>(*v);
    return static_cast<qint32>(parseStoredInteger(QString(k.defaultText), kInt32Min, kInt32Max).value_or(0));
}

bool writeOtherSetting(const OtherSetting &k, const QString &value) { return writeSetting(k.section, k.key, value); }

bool writeOtherSetting(const OtherSetting &k, qint64 value)
{
    return writeSetting(k.section, k.key, QString::number(value));
}

} // namespace tess
