#include "ctlRealEstateOptions.h"

#include "clsAuctionType.h"
#include "ctlRealEstateOptionsLand.h"
#include "ctlRealEstateOptionsSale.h"

#include <QCheckBox>
#include <QScopedValueRollback>

ctlRealEstateOptions::ctlRealEstateOptions(QWidget* oParent)
    : ctlAuctionOptions(oParent, {"RealEstateOptions", 1800, 855}) {
    m_ctlLand = AddPanel<ctlRealEstateOptionsLand>("ctlRealEstateOptionsLand1", 0, 0);
    m_ctlSale = AddPanel<ctlRealEstateOptionsSale>("ctlRealEstateOptionsSale1", 0, 560);
    AddRows({
        {"CheckBox", "chkRealEstateBinding", "Binding", "", 0, 1680, 1785},
        {"Show", "chkShowRealEstateBinding", "", "RealEstateBinding"},
    });
}

void ctlRealEstateOptions::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    m_ctlLand->ApplyAuctionType(oType);
    m_ctlSale->ApplyAuctionType(oType);
    CheckBox("chkRealEstateBinding")->setChecked(oType.m_bRealEstateBinding);
    Enable("chkRealEstateBinding", IsAvailable(oType));
}

bool ctlRealEstateOptions::IsAvailable(const clsAuctionType& oType) const {
    return oType.m_eAuctionType == AuctionType::RealEstate;
}

void ctlRealEstateOptions::WriteBack() {
    if (!m_oType) return;
    m_oType->m_bRealEstateBinding = CheckBox("chkRealEstateBinding")->isChecked();
    m_oType->m_bDirty = true;
    emit Changed();
}
