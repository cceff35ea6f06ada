#include "ctlSubControlExample.h"

#include "clsAuctionType.h"

#include <QCheckBox>
#include <QScopedValueRollback>

ctlSubControlExample::ctlSubControlExample(QWidget* oParent)
    : ctlAuctionOptions(oParent, {"EXAMPLE_SUB_CONTROL", 2040, 975}) {
    AddRows({
        {"CheckBox", "chkCheck1", "Check1", "", 0, 0, 1935},
        {"Show", "chkShowCheck1", "", "Check1"},
        {"CheckBox", "chkCheck2", "Check2", "", 0, 280, 1935},
        {"Show", "chkShowCheck2", "", "Check2"},
    });
}

void ctlSubControlExample::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    CheckBox("chkCheck1")->setChecked(oType.m_eRealEstateType == RealEstateType::TimeshareLand);
    CheckBox("chkCheck2")->setChecked(oType.m_eRealEstateType == RealEstateType::AllOther);
    Enable("chkCheck1", IsAvailable(oType));
    Enable("chkCheck2", IsAvailable(oType));
}

bool ctlSubControlExample::IsAvailable(const clsAuctionType& oType) const {
    return oType.m_eAuctionType == AuctionType::RealEstate;
}

void ctlSubControlExample::WriteBack() {
    if (!m_oType) return;
    if (CheckBox("chkCheck1")->isChecked())
        m_oType->m_eRealEstateType = RealEstateType::TimeshareLand;
    if (CheckBox("chkCheck2")->isChecked()) m_oType->m_eRealEstateType = RealEstateType::AllOther;
    m_oType->m_bDirty = true;
    ApplyAuctionType(*m_oType);
    emit Changed();
}
