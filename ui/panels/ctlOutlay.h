#pragma once

#include "ctlSectionPanel.h"

#include "clsFeeHints.h"

#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class clsAuctionType;
class clsOutlay;
class ctlNumericText;

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
    ctlNumericText* m_txtOutlay = nullptr;
    ctlNumericText* m_txtStartingPrice = nullptr;
    ctlNumericText* m_txtReservePrice = nullptr;
    ctlNumericText* m_txtEstimatedEndPrice = nullptr;
    ctlNumericText* m_txtQuantity = nullptr;
    QCheckBox* m_chkOutlayInclTax = nullptr;
    QLabel* m_lblStartingPrice = nullptr;
    QLabel* m_lblReservePrice = nullptr;
    QLabel* m_lblEstimatedEndPrice = nullptr;
    // In the order of clsFeeHint::Field: starting, reserve and end price.
    std::array<QLabel*, 3> m_alblHints{};
};
