#include "scripts/scriptfilterconfigs.h"

namespace tess {

namespace {

// Both script windows stand a little taller than the drawing one: the check box and the pattern
// box at the left edge, the buttons a little lower.
FilterWindowLayout scriptWindowLayout(int clientWidth, int listTop)
{
    FilterWindowLayout at;
    at.clientWidth = clientWidth;
    at.clientHeight = 4530;
    at.list = {135, listTop, 2415, 2985};
    at.check = {45, 3195, 2505, 285};
    at.pattern = {45, 3540, 2505, 315};
    at.remove = {135, 4050, 1095, 315};
    at.add = {1455, 4050, 1095, 315};
    return at;
}

} // namespace

const FilterWindowConfig &scriptFilterConfig()
{
    static const FilterWindowConfig config{"frmSCRFilter",
                                           "  Script Filter",
                                           "*PLOT*",
                                           "Show Personal Filters",
                                           "SCRFilter.DAT",
                                           "-SCRFilter.DAT",
                                           OtherKeys::SCRFilterPersonal,
                                           "tbSCRFilter",
                                           true,
                                           scriptWindowLayout(2685, 120)};
    return config;
}

const FilterWindowConfig &simpleScriptFilterConfig()
{
    // The simple-mode window is a little narrower and its list starts higher.
    static const FilterWindowConfig config{"frmSCRFilterSimple",
                                           "  Script Filter",
                                           "*PLOT*",
                                           "Show Personal Settings",
                                           "SimpleSCRFilter.DAT",
                                           "-SimpleSCRFilter.DAT",
                                           OtherKeys::SCRFilterSimplePersonal,
                                           "tbSCRFilter",
                                           true,
                                           scriptWindowLayout(2670, 60)};
    return config;
}

} // namespace tess
