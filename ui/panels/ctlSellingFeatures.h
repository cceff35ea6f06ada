#pragma once

#include "ctlSectionPanel.h"

#include <vector>

class QCheckBox;
class QLabel;
class clsAuctionType;
class clsOutlay;
class clsSellingFeatures;
class ctlNumericText;

// The listing upgrades: one box per feature, the extra pictures of a picture pack and the
// upgrades' total. What may be chosen depends on the price table and the kind of sale.
class ctlSellingFeatures : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlSellingFeatures(QWidget* oParent = nullptr);

    // Shows the upgrades; the kind of sale and the outlay decide the enabling and the total.
    void ApplyFeatures(clsSellingFeatures& oFeatures, clsAuctionType& oAuctionType,
                       clsOutlay& oOutlay);

protected:
    void OnClick(QWidget* oCtrl) override;
    void WriteBack() override;

private:
    // The extra-pictures bounds follow the picture pack.
    void SetPictureBounds(bool bPicturePack);
    // The box of an upgrade (a SellingFeature bit).
    QCheckBox* Box(int32_t lBit) const;

    clsSellingFeatures* m_oFeatures = nullptr;
    // One box per upgrade, in row order.
    std::vector<QCheckBox*> m_achkFeatures;
    ctlNumericText* m_txtExtraPictures = nullptr;
    QLabel* m_lblTotal = nullptr;
};
