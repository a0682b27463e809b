#pragma once
// A stored-filter window (" Manage Filters" for the drawing filter): the list List1 of the shared
// or, with "Show Personal Filters" ticked, the personal list file; the pattern box, "&Remove" and
// "&Add". A double-click hands the entry to the target box and hides the window. One class serves
// every stored-filter window through its FilterWindowConfig.

#include "core/filterlists.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tess {

class frmDWGFilter final : public QDialog
{
    Q_OBJECT
public:
    // apply: receives the pattern on a double-click (the target box).
    frmDWGFilter(const FilterWindowConfig &config, std::function<void(const QString &)> apply,
                 QWidget *parent = nullptr);

    QListWidget *List1 = nullptr;
    QCheckBox *chkPersonalSettings = nullptr;
    QLineEdit *tbDWGFilter = nullptr; // the pattern box, named as its configuration says
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdAdd = nullptr;

    QStringList entries() const;
    // Rewrites the chosen list file from the list; a failure is named in a message.
    void SaveFilter();
    // Empties the list and fills it from the chosen file. When the file cannot be read the list
    // stays empty, a message names it, and Add and Remove are disabled so that nothing is written
    // over it.
    void loadList();

    void List1_Click();
    void List1_DblClick();
    void cmdAdd_Click();
    void cmdRemove_Click();

    // True once the close box has closed the window: an opener that discards it then does so.
    bool wasUnloaded() const { return m_unloaded; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void UpdateFilterButtons();
    QString currentFile() const;

    const FilterWindowConfig &m_config;
    std::function<void(const QString &)> m_apply;
    bool m_loadFailed = false;
    bool m_unloaded = false;
};

} // namespace tess
