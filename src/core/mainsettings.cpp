#include "core/mainsettings.h"

namespace tess {

MainSettings &settings()
{
    static MainSettings s;
    return s;
}

} // namespace tess
