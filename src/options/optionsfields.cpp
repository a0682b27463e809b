#include "options/optionsfields.h"

#include "core/mainsettings.h"

namespace tess {

namespace {
OptionsFields g_fromSettings;
OptionsFields *g_fields = nullptr;
} // namespace

QString OptionsFields::normalOutputFile() const { return mainSettings().SCROutputPathNorm; }
QString OptionsFields::altOutputFile() const { return mainSettings().SCROutputPathAlt; }
bool OptionsFields::normalOutputSelected() const { return mainSettings().OutputToDefaultPath == 1; }
QString OptionsFields::switches() const { return mainSettings().Switches; }
QString OptionsFields::autoCadExe() const { return mainSettings().AutoCADEXE; }

void setOptionsFields(OptionsFields *fields) { g_fields = fields; }

OptionsFields *optionsFields() { return g_fields ? g_fields : &g_fromSettings; }

} // namespace tess
