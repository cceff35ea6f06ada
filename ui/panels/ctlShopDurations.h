#pragma once

#include "ctlAuctionOptions.h"

// How long a shop inventory listing runs.
class ctlShopDurations : public ctlAuctionOptions {
    Q_OBJECT

public:
    explicit ctlShopDurations(QWidget* oParent = nullptr);

protected:
    int32_t OptionValue(const clsAuctionType& oType) const override;
    void SetOptionValue(clsAuctionType& oType, int32_t lValue) override;
    bool IsAvailable(const clsAuctionType& oType) const override;
};
