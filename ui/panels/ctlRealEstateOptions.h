#pragma once

#include "ctlAuctionOptions.h"

class ctlRealEstateOptionsLand;
class ctlRealEstateOptionsSale;

// The choices of a real estate sale: kind of property, sale format and a binding sale.
class ctlRealEstateOptions : public ctlAuctionOptions {
    Q_OBJECT

public:
    explicit ctlRealEstateOptions(QWidget* oParent = nullptr);

    void ApplyAuctionType(clsAuctionType& oType) override;

protected:
    bool IsAvailable(const clsAuctionType& oType) const override;
    // Also answers a change in either inner panel.
    void WriteBack() override;

private:
    ctlRealEstateOptionsLand* m_ctlLand = nullptr;
    ctlRealEstateOptionsSale* m_ctlSale = nullptr;
};
