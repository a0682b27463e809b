#pragma once
// The completion window: where the batch script was written and how to run it in AutoCAD. Two
// variants of its texts: the standard texts (a toolbar button with its macro, or Create && RUN) and the
// Create && RUN variant (AutoCAD will be started on the script). Created once and only hidden
// afterwards, so "Show this box everytime ..." keeps its state between showings.

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class frmScrComplete final : public QDialog
{
    Q_OBJECT
public:
    explicit frmScrComplete(QWidget *parent = nullptr);

    // How "&Options" shows the Options dialog, modally, owned by this window.
    void setOptionsShower(std::function<void(QWidget *owner)> shower) { m_showOptions = std::move(shower); }

    // Shows the window modally for the script just written, in the run variant or with the standard texts;
    // returns when it is hidden again.
    void showFor(const QString &scriptPath, bool runVariant);
    // Sets the texts of one variant (showFor does it for each showing).
    void setVariant(bool runVariant);

    QLabel *Label1 = nullptr;
    QLabel *lblOutputPathAndFile = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label2 = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

private:
    std::function<void(QWidget *)> m_showOptions;
};

} // namespace tess
