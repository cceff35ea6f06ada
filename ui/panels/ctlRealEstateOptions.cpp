#include "ctlRealEstateOptions.h"

#include "clsAuctionType.h"
#include "ctlAuctionOptions.h"

#include <QCheckBox>
#include <QScopedValueRollback>

ctlRealEstateOptions::ctlRealEstateOptions(QWidget* oParent)
    : ctlSectionPanel(oParent, {"RealEstateOptions", 1800, 855}) {
    m_ctlLand = AddPanel(new ctlAuctionOptions(ctlAuctionOptions::RealEstateLand, this),
                         "ctlRealEstateOptionsLand1", 0, 0);
    m_ctlSale = AddPanel(new ctlAuctionOptions(ctlAuctionOptions::RealEstateSale, this),
                         "ctlRealEstateOptionsSale1", 0, 560);
    AddRows({
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkRealEstateBinding",
         .m_sCaption = "Bi&nding",
         .m_lTop = 1680,
         .m_lWidth = 1785,
         .m_oKeep = &m_chkRealEstateBinding},
        ShowRow("chkShowRealEstateBinding", "RealEstateBinding"),
    });
}

void ctlRealEstateOptions::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    m_ctlLand->ApplyAuctionType(oType);
    m_ctlSale->ApplyAuctionType(oType);
    m_chkRealEstateBinding->setChecked(oType.m_bRealEstateBinding);
    Enable(m_chkRealEstateBinding, oType.m_eAuctionType == AuctionType::RealEstate);
}

void ctlRealEstateOptions::WriteBack() {
    if (!m_oType) return;
    m_oType->m_bRealEstateBinding = m_chkRealEstateBinding->isChecked();
    m_oType->m_bDirty = true;
    emit Changed();
}
