#include "options/optionsfields.h"

#include "core/mainsettings.h"

#include <QScopedValueRollback>

namespace tess {

namespace {
OptionsFields g_fromSettings;
OptionsFields *g_fields = nullptr;
std::function<OptionsFields *()> g_make;
bool g_making = false; // the maker runs; the dialog being made asks the settings
} // namespace

QString OptionsFields::normalOutputFile() const { return mainSettings().SCROutputPathNorm; }
QString OptionsFields::altOutputFile() const { return mainSettings().SCROutputPathAlt; }
bool OptionsFields::normalOutputSelected() const { return mainSettings().OutputToDefaultPath == 1; }
QString OptionsFields::switches() const { return mainSettings().Switches; }
QString OptionsFields::autoCadExe() const { return mainSettings().AutoCADEXE; }

void setOptionsFields(OptionsFields *fields) { g_fields = fields; }

void setOptionsFieldsMaker(std::function<OptionsFields *()> make) { g_make = std::move(make); }

OptionsFields *optionsFields()
{
    if (!g_fields && g_make && !g_making) {
        const QScopedValueRollback<bool> making(g_making, true);
        g_fields = g_make();
    }
    return g_fields ? g_fields : &g_fromSettings;
}

} // namespace tess
