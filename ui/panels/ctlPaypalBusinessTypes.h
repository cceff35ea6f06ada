#pragma once

#include "ctlSectionPanel.h"

#include <array>

class QRadioButton;
class clsPayPal;

// The merchant rate band of a premier or business PayPal account.
class ctlPaypalBusinessTypes : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlPaypalBusinessTypes(QWidget* oParent = nullptr);

    // Shows the band, with the price table's band names as captions.
    void ApplyFeatures(clsPayPal& oPayPal);

protected:
    void WriteBack() override;

private:
    clsPayPal* m_oPayPal = nullptr;
    // Bands 1 to 5.
    std::array<QRadioButton*, 5> m_aoptBands{};
};
