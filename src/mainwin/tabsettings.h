#pragma once
// The batch-flow and SAVEAS tabs from and into MainSettings.

namespace tess {

class BatchFlowTab;
class QueuePane;
class SaveAsTab;
struct MainSettings;

void loadBatchFlowTab(BatchFlowTab *flow, const QueuePane *q, MainSettings &s);
void storeBatchFlowTab(const BatchFlowTab *flow, const QueuePane *q, MainSettings &s);
void loadSaveAsTab(SaveAsTab *saveAs, const MainSettings &s);
void storeSaveAsTab(const SaveAsTab *saveAs, MainSettings &s);

} // namespace tess
