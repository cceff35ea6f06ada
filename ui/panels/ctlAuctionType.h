#pragma once

#include "ctlSectionPanel.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class clsAuctionType;
class ctlAuctionOptions;
class ctlRealEstateOptions;

// The kind of sale, with the motor, real estate and shop duration choices that depend on it.
class ctlAuctionType : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlAuctionType(QWidget* oParent = nullptr);

    // Shows the kind of sale, applies the option panels with it and shows the fees.
    void ApplyAuctionType(clsAuctionType& oType);

protected:
    // A kind of sale and a shop inventory sale exclude each other, as do shop inventory and
    // Buy it Now Only.
    void OnClick(QWidget* oCtrl) override;
    void WriteBack() override;

private:
    clsAuctionType* m_oType = nullptr;
    QRadioButton* m_optMotorAuction = nullptr;
    QRadioButton* m_optRealEstateAuction = nullptr;
    QRadioButton* m_optBusinessAuction = nullptr;
    QCheckBox* m_chkBuyItNow = nullptr;
    QCheckBox* m_chkShopInventory = nullptr;
    QLabel* m_lblTotal = nullptr;
    ctlAuctionOptions* m_ctlMotorAuction = nullptr;
    ctlRealEstateOptions* m_ctlRealEstateOption = nullptr;
    ctlAuctionOptions* m_ctlShopDuration = nullptr;
};
