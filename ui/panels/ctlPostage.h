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
// proof of delivery and the seller's mark-up. Under a price table without carrier prices
// (today's fees) only the postage typed in is offered, with a note that says why.
class ctlPostage : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlPostage(QWidget* oParent = nullptr);

    // Shows the postage; the outlay's quantity decides whether items may be sent singly.
    void ApplyFeatures(clsPostage& oFeatures, clsOutlay& oOutlay);

protected:
    void WriteBack() override;
    bool IsOffered(const QString& sName) const override;

private:
    // Captions, note and layout for a price table with or without carrier prices; lays the
    // panel out again when what it offers changes.
    void ApplyCarrierPrices(const clsPostage& oFeatures);
    // The service, weight and extras, which only a price table with carrier prices offers.
    void WriteBackCarrier(clsPostage& oPostage);

    clsPostage* m_oPostage = nullptr;
    // The postage is only typed in (no carrier prices): as laid out, -1 before the first apply.
    int m_nTypedInOnly = -1;
    QLabel* m_lblTypedPostage = nullptr;
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
