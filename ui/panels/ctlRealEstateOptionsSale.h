#pragma once

#include "ctlAuctionOptions.h"

// The sale format of a real estate sale.
class ctlRealEstateOptionsSale : public ctlAuctionOptions {
    Q_OBJECT

public:
    explicit ctlRealEstateOptionsSale(QWidget* oParent = nullptr);

protected:
    int32_t OptionValue(const clsAuctionType& oType) const override;
    void SetOptionValue(clsAuctionType& oType, int32_t lValue) override;
    bool IsAvailable(const clsAuctionType& oType) const override;
};
