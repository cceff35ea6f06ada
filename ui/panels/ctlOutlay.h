#pragma once

#include "ctlSectionPanel.h"

#include "clsFeeHints.h"

#include <vector>

class clsAuctionType;
class clsOutlay;

// The seller's outlay, the prices asked and expected, and the quantity.
class ctlOutlay : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlOutlay(QWidget* oParent = nullptr);

    // Shows the outlay; the kind of sale (kept when given) decides the Buy-it-Now rules.
    void ApplyOutlay(clsOutlay& oOutlay, clsAuctionType* oAuctionType);
    // Shows each cheaper price beside the field it concerns; a field with none shows none.
    void ApplyHints(const std::vector<clsFeeHint>& aoHints);

protected:
    void WriteBack() override;

private:
    clsOutlay* m_oOutlay = nullptr;
    clsAuctionType* m_oAuctionType = nullptr;
};
