#pragma once

#include "ctlSectionPanel.h"

#include <array>

class QRadioButton;
class clsPostage;

// The parcel insurance band of the postage.
class ctlPostageParcelInsurance : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlPostageParcelInsurance(QWidget* oParent = nullptr);

    // Shows the band; bands the service cannot insure are greyed.
    void ApplyAuctionType(clsPostage& oPostage);

protected:
    void WriteBack() override;

private:
    clsPostage* m_oPostage = nullptr;
    // Bands 1 to 4.
    std::array<QRadioButton*, 4> m_aoptBands{};
};
