#pragma once

#include "ctlSectionPanel.h"

#include <cstdint>

class clsAuctionType;

// An option panel of the kind of sale: option buttons that set one field of the auction
// type, offered only for the kind of sale they belong to.
class ctlAuctionOptions : public ctlSectionPanel {
    Q_OBJECT

public:
    using ctlSectionPanel::ctlSectionPanel;

    virtual void ApplyAuctionType(clsAuctionType& oType);

protected:
    // The field the options set; panels without options keep the defaults.
    virtual int32_t OptionValue(const clsAuctionType&) const { return -1; }
    virtual void SetOptionValue(clsAuctionType&, int32_t) {}
    // Whether the panel's choices apply to the kind of sale.
    virtual bool IsAvailable(const clsAuctionType& oType) const = 0;
    // The selected option into the field, then Changed; the host re-applies.
    void WriteBack() override;

    clsAuctionType* m_oType = nullptr;
};
