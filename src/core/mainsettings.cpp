#include "core/mainsettings.h"

#include "core/appenvironment.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "core/usersets.h"

namespace tess {

MainSettings &mainSettings()
{
    static MainSettings s;
    return s;
}

QString badStoredValueMessage() { return QStringLiteral(" Hey, error #13 - Bad Read Value from Registry\r"); }

QString badStoredValueTitle() { return messageTitle(); }

SettingsLoadResult loadMainSettings(MainSettings &s)
{
    SettingsLoadResult result;
    SettingsStore &store = SettingsStore::instance();

    result.storeProblem = store.takeUnreportedProblem();
    if (!result.storeProblem.isEmpty())
        msgBox(result.storeProblem, vbOKOnly | vbExclamation, badStoredValueTitle());

    s.OS_Platform = systemPlatformText();
    s.OS = systemOsText();

    // Each value is taken on its own, its default in place of a bad one; one box names them all.
    QString badValues;
    for (const StoredSetting &e : storedSettings()) {
        if (e.member == QLatin1String("LT"))
            s.R14Compatible = 0;
        const QString stored = store.read(e.section, e.key, e.defaultText);
        if (!applyStoredText(s, e, stored)) {
            result.badMembers << e.member;
            const QString shown = stored.size() > 200 ? stored.left(200) + QStringLiteral("...") : stored;
            badValues += QStringLiteral("\n") + QString(e.section) + QLatin1Char('\\') + e.key +
                         QStringLiteral(" = \"") + shown + QLatin1Char('"');
            applyStoredText(s, e, e.defaultText);
        }
        if (e.member == QLatin1String("SCRIPTSDir") && s.SCRIPTSDir.isEmpty())
            s.SCRIPTSDir = AppEnvironment::programPath() + QStringLiteral("SCRIPTS");
    }

    if (!badValues.isEmpty())
        msgBox(badStoredValueMessage() + badValues, vbOKOnly, badStoredValueTitle());

    s.ProgramPath = AppEnvironment::programPath();
    s.SCROutputPath = s.OutputToDefaultPath == 1 ? s.SCROutputPathNorm : s.SCROutputPathAlt;
    return result;
}

bool writeMainSettings(const MainSettings &s, QStringList *failedKeys)
{
    SettingsStore &store = SettingsStore::instance();
    // The values go to the store in one write; when that write fails, none of them was kept.
    QList<bool> written;
    written.reserve(exitSaveSettings().size());
    SettingsBatch batch;
    for (const StoredSetting *e : exitSaveSettings()) {
        // The User Set index goes through SaveFace, the one writer of its key.
        written << (e->member == QLatin1String("Face") ? SaveFace(s.Face)
                                                       : store.write(e->section, e->key, storedText(s, *e)));
    }
    if (!batch.end())
        written.fill(false);
    bool all = true;
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written.at(i))
            continue;
        all = false;
        if (failedKeys) {
            const StoredSetting *e = exitSaveSettings().at(i);
            *failedKeys << QString(e->section) + QLatin1Char('\\') + e->key;
        }
    }
    return all;
}

bool deleteSettingsSections()
{
    SettingsStore &store = SettingsStore::instance();
    bool ok = true;
    for (QLatin1StringView section :
         {SettingsSection::Compatible, SettingsSection::Paths, SettingsSection::Programs, SettingsSection::Startup})
        ok = store.deleteSection(section) && ok;
    return ok;
}

} // namespace tess
