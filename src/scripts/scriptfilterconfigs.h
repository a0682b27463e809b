#pragma once
// The stored-filter windows of the two script lists: "  Script Filter" for the script list's
// filter scrFilter and for the simple-mode filter tbScrSelFilter. Each keeps its own shared and
// personal list file in DATA and its own personal-list setting, apart from each other and from the
// drawing filter window.

#include "core/filterlists.h"

namespace tess {

// frmSCRFilter: "SCRFilter.DAT", login + "-SCRFilter.DAT", SCRFilterPersonal.
const FilterWindowConfig &scriptFilterConfig();
// frmSCRFilterSimple: "SimpleSCRFilter.DAT", login + "-SimpleSCRFilter.DAT", SCRFilterSimplePersonal.
const FilterWindowConfig &simpleScriptFilterConfig();

} // namespace tess
