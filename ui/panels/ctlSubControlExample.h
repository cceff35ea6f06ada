#pragma once

#include "ctlAuctionOptions.h"

// The pattern of an option panel, placed nowhere: two boxes that set the kind of property.
class ctlSubControlExample : public ctlAuctionOptions {
    Q_OBJECT

public:
    explicit ctlSubControlExample(QWidget* oParent = nullptr);

    void ApplyAuctionType(clsAuctionType& oType) override;

protected:
    bool IsAvailable(const clsAuctionType& oType) const override;
    void WriteBack() override;
};
