#include "batch/metacommandtargets.h"

#include "batch/metacommands.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"

#include <QCoreApplication>

namespace tess {

namespace {

void run(const std::function<void()> &f)
{
    if (f)
        f();
}

template <typename T> void run(const std::function<void(T)> &f, T value)
{
    if (f)
        f(value);
}

} // namespace

void ScanForMetaCommands(const QString &text, bool IncludeSort, const MetaCommandTargets &t)
{
    const MetaScan scan = scanMetaCommands(text, IncludeSort);
    for (const MetaAction &a : scan.actions) {
        if (a.refused)
            continue;
        switch (a.kind) {
        case MetaAction::TestRun: run<bool>(t.setTestRun, a.on); break;
        case MetaAction::Delay: run<bool>(t.setDelay, a.on); break;
        case MetaAction::SaveAs: run<bool>(t.setSaveAs, a.on); break;
        case MetaAction::Prefix: run<const QString &>(t.setPrefix, a.value); break;
        case MetaAction::Suffix: run<const QString &>(t.setSuffix, a.value); break;
        case MetaAction::SameLocation: run(t.selectOriginalLocation); break;
        case MetaAction::ThisLocation: run<const QString &>(t.selectSpecFolder, a.value); break;
        case MetaAction::TagTemplate: run<const QString &>(t.applyTagTemplate, a.value); break;
        case MetaAction::Overwrite: run<bool>(t.setOverwriteExisting, a.on); break;
        case MetaAction::SortAuto: run(t.performSort); break;
        case MetaAction::SortAscending: run(t.sortAscending); break;
        case MetaAction::SortDescending: run(t.sortDescending); break;
        case MetaAction::SmartSortAscending: run(t.smartSort); break;
        case MetaAction::SmartSortDescending:
            run(t.smartSort);
            run(t.reverseOrder);
            break;
        }
    }
    if (IncludeSort) {
        for (const QString &marker : scan.unclosedMarkers)
            msgBox(unclosedMarkerMessage(marker), vbOKOnly, appTitle());
        for (const QString &keyword : scan.refusedKeywords)
            msgBox(metaValueRefusedMessage(keyword), vbOKOnly | vbExclamation, appTitle());
    }
    QCoreApplication::processEvents();
}

} // namespace tess
