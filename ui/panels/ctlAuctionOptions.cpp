#include "ctlAuctionOptions.h"

#include "clsAuctionType.h"

#include <QRadioButton>
#include <QScopedValueRollback>

void ctlAuctionOptions::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    SetOptions(OptionValue(oType));
    const bool bAvailable = IsAvailable(oType);
    for (QWidget* o : Controls())
        if (qobject_cast<QRadioButton*>(o)) Enable(o->objectName(), bAvailable);
}

void ctlAuctionOptions::WriteBack() {
    int32_t lValue = 0;
    if (!m_oType) return;
    if (SelectedOption(lValue)) SetOptionValue(*m_oType, lValue);
    m_oType->m_bDirty = true;
    emit Changed();
}
