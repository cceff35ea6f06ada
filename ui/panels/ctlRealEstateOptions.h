#pragma once

#include "ctlSectionPanel.h"

class QCheckBox;
class clsAuctionType;
class ctlAuctionOptions;

// The choices of a real estate sale: kind of property, sale format and a binding sale.
class ctlRealEstateOptions : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlRealEstateOptions(QWidget* oParent = nullptr);

    void ApplyAuctionType(clsAuctionType& oType);

protected:
    // Also answers a change in either inner panel.
    void WriteBack() override;

private:
    clsAuctionType* m_oType = nullptr;
    ctlAuctionOptions* m_ctlLand = nullptr;
    ctlAuctionOptions* m_ctlSale = nullptr;
    QCheckBox* m_chkRealEstateBinding = nullptr;
};
