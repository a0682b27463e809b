#include "wizards/frmPurgeWiz.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

frmPurgeWiz::frmPurgeWiz(ScriptFacts *script, QWidget *parent)
    : ScriptWizard(script, QStringLiteral("frmPurgeWiz"), QStringLiteral(" Purge Wizard"), parent)
{
    struct Kind {
        QRadioButton **control;
        const char *name;
        const char *caption;
        PurgeType type;
    };
    const Kind kinds[] = {
        {&optBlocks, "optBlocks", "Purge Unused Blocks", PurgeType::Blocks},
        {&optDimstyles, "optDimstyles", "Purge Unused Dimstyles", PurgeType::Dimstyles},
        {&optLayers, "optLayers", "Purge Unused Layers", PurgeType::Layers},
        {&optLineTypes, "optLineTypes", "Purge Unused LineTypes", PurgeType::LineTypes},
        {&optPlotStyles, "optPlotStyles", "Purge Unused PlotStyles", PurgeType::PlotStyles},
        {&optShapes, "optShapes", "Purge Unused Shapes", PurgeType::Shapes},
        {&optTextStyles, "optTextStyles", "Purge Unused TextStyles", PurgeType::TextStyles},
        {&optMLineStyles, "optMLineStyles", "Purge Unused MLineStyles", PurgeType::MLineStyles},
        {&optALL, "optALL", "Purge All", PurgeType::All},
    };
    // The nine options are one group of their own, apart from the option pair.
    auto *group = new QButtonGroup(this);
    for (const Kind &k : kinds) {
        *k.control = addOption(QLatin1String(k.name), QLatin1String(k.caption), k.type == PurgeType::All);
        group->addButton(*k.control);
        m_types.append({*k.control, k.type});
    }
    addOptionPair();
    cmdCreate = addButton(QStringLiteral("cmdCreate"), QStringLiteral("&Create"));
    cmdCreate->setDefault(true);

    // clang-format off
    QList<Placement> table = {
        {"optBlocks", 240, 240, 2775, 255},
        {"optDimstyles", 240, 540, 2775, 255},
        {"optLayers", 240, 840, 2775, 255},
        {"optLineTypes", 240, 1140, 2775, 255},
        {"optPlotStyles", 240, 1440, 2775, 255},
        {"optShapes", 240, 1740, 2775, 255},
        {"optTextStyles", 240, 2040, 2775, 255},
        {"optMLineStyles", 240, 2340, 2775, 255},
        {"optALL", 240, 2640, 2775, 255},
        {"frameOptions", 3240, 180, 2535, 900},
        {"cmdCreate", 4200, 2520, 1575, 495},
    };
    // clang-format on
    table += optionPairPlacements();
    placeAll(table, 6015, 3255);

    connect(cmdCreate, &QPushButton::clicked, this, &frmPurgeWiz::cmdCreate_Click);
}

PurgeType frmPurgeWiz::selectedType() const
{
    for (const auto &t : m_types)
        if (t.first->isChecked())
            return t.second;
    return PurgeType::All;
}

void frmPurgeWiz::cmdCreate_Click()
{
    createScript([this](const QString &script) { return tess::WritePurgeScript(script, selectedType()); });
}

} // namespace tess
