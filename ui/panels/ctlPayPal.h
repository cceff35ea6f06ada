#pragma once

#include "ctlSectionPanel.h"

class QCheckBox;
class QLabel;
class clsOutlay;
class clsPayPal;
class ctlPaypalBusinessTypes;

// Payment through PayPal: whether it is used, per item or not, the account type and the
// merchant band.
class ctlPayPal : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlPayPal(QWidget* oParent = nullptr);

    // Shows the PayPal choices; the outlay's quantity decides whether buyers may pay per item.
    void ApplyFeatures(clsPayPal& oFeatures, clsOutlay& oOutlay);

protected:
    void WriteBack() override;

private:
    clsPayPal* m_oPayPal = nullptr;
    clsOutlay* m_oOutlay = nullptr;
    QCheckBox* m_chkUsePayPal = nullptr;
    QCheckBox* m_chkPayInduvidually = nullptr;
    QLabel* m_lblTotal = nullptr;
    ctlPaypalBusinessTypes* m_ctlPaypalBusinessType = nullptr;
};
