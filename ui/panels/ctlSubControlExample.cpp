#include "ctlSubControlExample.h"

#include "clsAuctionType.h"

#include <QCheckBox>
#include <QScopedValueRollback>

ctlSubControlExample::ctlSubControlExample(QWidget* oParent)
    : ctlSectionPanel(oParent, {"EXAMPLE_SUB_CONTROL", 2040, 975}) {
    AddRows({
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkCheck1",
         .m_sCaption = "Check&1",
         .m_lWidth = 1935,
         .m_oKeep = &m_chkCheck1},
        ShowRow("chkShowCheck1", "Check1"),
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkCheck2",
         .m_sCaption = "Check&2",
         .m_lWidth = 1935,
         .m_oKeep = &m_chkCheck2},
        ShowRow("chkShowCheck2", "Check2"),
    });
}

void ctlSubControlExample::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    m_chkCheck1->setChecked(oType.m_eRealEstateType == RealEstateType::TimeshareLand);
    m_chkCheck2->setChecked(oType.m_eRealEstateType == RealEstateType::AllOther);
    const bool bAvailable = oType.m_eAuctionType == AuctionType::RealEstate;
    Enable(m_chkCheck1, bAvailable);
    Enable(m_chkCheck2, bAvailable);
}

void ctlSubControlExample::WriteBack() {
    if (!m_oType) return;
    if (m_chkCheck1->isChecked()) m_oType->m_eRealEstateType = RealEstateType::TimeshareLand;
    if (m_chkCheck2->isChecked()) m_oType->m_eRealEstateType = RealEstateType::AllOther;
    m_oType->m_bDirty = true;
    ApplyAuctionType(*m_oType);
    emit Changed();
}
