#pragma once
// The About box: the product's title, the version, and two links that open the README (the
// program's notes on setting up, questions and where to report problems). "&Close" ends the
// window; each opening makes it anew from its first texts.

#include <QDialog>

class QLabel;
class QPushButton;

namespace tess {

class frmAbout final : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblSupportSales = nullptr;
    QLabel *lblQuelm = nullptr;
    QLabel *lblSupportCaption = nullptr;
    QLabel *lblSupport = nullptr;
    QLabel *lblTrademark = nullptr;
    QPushButton *cmdOk = nullptr;

    void cmdOk_Click();
    void lblQuelm_Click();
    void lblSupport_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tess
