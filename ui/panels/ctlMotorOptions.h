#pragma once

#include "ctlAuctionOptions.h"

// The kind of vehicle of a motor sale.
class ctlMotorOptions : public ctlAuctionOptions {
    Q_OBJECT

public:
    explicit ctlMotorOptions(QWidget* oParent = nullptr);

protected:
    int32_t OptionValue(const clsAuctionType& oType) const override;
    void SetOptionValue(clsAuctionType& oType, int32_t lValue) override;
    bool IsAvailable(const clsAuctionType& oType) const override;
};
