#pragma once

#include "ctlSectionPanel.h"

#include <cstdint>
#include <span>

class clsAuctionType;

// One choice of an option panel: the option button "opt" + m_sOption, set when the field
// holds m_lValue, with its Show box "chkShow" + m_sOption.
struct clsOptionRow {
    const char* m_sOption;
    const char* m_sCaption;
    const char* m_sTag;
    int32_t m_lValue;
};

// What sets one option panel of the kind of sale apart: where its visible list is kept and
// its Show column, its choices in row order, the field of the auction type they set and the
// kinds of sale they serve.
struct clsOptionTable {
    clsPanelLayout m_oLayout;
    std::span<const clsOptionRow> m_aoRows;
    int32_t (*m_fnGet)(const clsAuctionType& oType);
    void (*m_fnSet)(clsAuctionType& oType, int32_t lValue);
    bool (*m_fnAvailable)(const clsAuctionType& oType);
};

// An option panel of the kind of sale, built from its table: option buttons that set one
// field of the auction type, offered only for the kind of sale they belong to.
class ctlAuctionOptions : public ctlSectionPanel {
    Q_OBJECT

public:
    ctlAuctionOptions(const clsOptionTable& oTable, QWidget* oParent = nullptr);

    // The kind of vehicle of a motor sale.
    static const clsOptionTable MotorTypes;
    // How long a shop inventory listing runs.
    static const clsOptionTable ShopDurations;
    // The kind of property and the sale format of a real estate sale.
    static const clsOptionTable RealEstateLand;
    static const clsOptionTable RealEstateSale;

    void ApplyAuctionType(clsAuctionType& oType);

protected:
    // The selected option into the field, then Changed; the host re-applies.
    void WriteBack() override;

private:
    const clsOptionTable& m_oTable;
    clsAuctionType* m_oType = nullptr;
};
