#pragma once

#include "ctlSectionPanel.h"

class clsOutlay;
class clsPostage;
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
    ctlPostageParcelInsurance* m_ctlParcelInsurance = nullptr;
};
