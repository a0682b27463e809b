#pragma once
// " Manual Edit": one previewed name of the file renamer typed by hand. "&Ok" hides the dialog with
// the text accepted; the close box discards it and leaves the preview entry as it was.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tess {

class frmFileRenamerManual final : public QDialog
{
    Q_OBJECT
public:
    explicit frmFileRenamerManual(QWidget *parent = nullptr);

    QLineEdit *tbFileName = nullptr;
    QPushButton *cmdRename = nullptr;

    void cmdRename_Click();
};

} // namespace tess
