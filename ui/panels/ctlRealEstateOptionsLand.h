#pragma once

#include "ctlAuctionOptions.h"

// The kind of property of a real estate sale.
class ctlRealEstateOptionsLand : public ctlAuctionOptions {
    Q_OBJECT

public:
    explicit ctlRealEstateOptionsLand(QWidget* oParent = nullptr);

protected:
    int32_t OptionValue(const clsAuctionType& oType) const override;
    void SetOptionValue(clsAuctionType& oType, int32_t lValue) override;
    bool IsAvailable(const clsAuctionType& oType) const override;
};
