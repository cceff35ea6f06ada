#pragma once

#include "ctlSectionPanel.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class clsOutlay;
class clsPostage;
class ctlNumericText;
class ctlPostageParcelInsurance;

// Royal Mail postage: the service by weight with its price, insurance, recorded delivery,
// proof of delivery and the seller's mark-up.
class ctlPostage : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlPostage(QWidget* oParent = nullptr);

    // Shows the postage; the outlay's quantity decides whether items may be sent singly.
    void ApplyFeatures(clsPostage& oFeatures, clsOutlay& oOutlay);

protected:
    void WriteBack() override;

private:
    clsPostage* m_oPostage = nullptr;
    clsOutlay* m_oOutlay = nullptr;
    QCheckBox* m_chkUsePostage = nullptr;
    QCheckBox* m_chkSendInduvidually = nullptr;
    ctlNumericText* m_txtWeight = nullptr;
    QRadioButton* m_optSecondClass = nullptr;
    QRadioButton* m_optFirstClass = nullptr;
    QRadioButton* m_optParcelService = nullptr;
    QRadioButton* m_optManual = nullptr;
    ctlNumericText* m_txtManual = nullptr;
    QCheckBox* m_chkRecordedDelivery = nullptr;
    QCheckBox* m_chkProofOfDelivery = nullptr;
    QCheckBox* m_chkProfit = nullptr;
    ctlNumericText* m_txtProfit = nullptr;
    QLabel* m_lblTotal = nullptr;
    // The prices beside the services and extras.
    QLabel* m_lblSecondClass = nullptr;
    QLabel* m_lblFirstClass = nullptr;
    QLabel* m_lblParcelService = nullptr;
    QLabel* m_lblParcelInsuranceCost = nullptr;
    QLabel* m_lblRecordedDelivery = nullptr;
    QLabel* m_lblProofOfDelivery = nullptr;
    ctlPostageParcelInsurance* m_ctlParcelInsurance = nullptr;
};
