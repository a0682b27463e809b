#pragma once
// The purge wizard: one "-PURGE" block for the unused objects of one chosen kind, or of all kinds.

#include "wizards/scriptwizard.h"
#include "wizards/wizardblocks.h"

namespace tess {

class frmPurgeWiz final : public ScriptWizard
{
    Q_OBJECT
public:
    explicit frmPurgeWiz(ScriptFacts *script, QWidget *parent = nullptr);

    QRadioButton *optBlocks = nullptr;
    QRadioButton *optDimstyles = nullptr;
    QRadioButton *optLayers = nullptr;
    QRadioButton *optLineTypes = nullptr;
    QRadioButton *optPlotStyles = nullptr;
    QRadioButton *optShapes = nullptr;
    QRadioButton *optTextStyles = nullptr;
    QRadioButton *optMLineStyles = nullptr;
    QRadioButton *optALL = nullptr;
    QPushButton *cmdCreate = nullptr;

    // The kind of the selected option.
    PurgeType selectedType() const;

    void cmdCreate_Click();

private:
    QList<QPair<QRadioButton *, PurgeType>> m_types;
};

} // namespace tess
