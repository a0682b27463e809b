#pragma once
// ScanForMetaCommands on the window's side: the META commands of the user script are handed, one
// action at a time, to the caller, which sets the batch options' controls (so that their own
// handlers run as after a user's change) and, on request, sorts the queue.

#include "batch/metacommands.h"

#include <functional>

namespace tess {

// Applies the META commands of text through apply, in their order; a refused value is not handed
// on. Messages about malformed or refused values are shown only on a scan with IncludeSort (after
// a script is loaded or the queue changes), never while the script is being typed. Lets pending
// window events run before it returns.
void ScanForMetaCommands(const QString &text, bool IncludeSort, const std::function<void(const MetaAction &)> &apply);

} // namespace tess
