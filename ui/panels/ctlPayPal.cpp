#include "ctlPayPal.h"

#include "basControls.h"
#include "clsOutlay.h"
#include "clsPayPal.h"
#include "ctlPaypalBusinessTypes.h"

#include <QCheckBox>
#include <QLabel>
#include <QScopedValueRollback>

#include <exception>

namespace {

constexpr int32_t kWidth = 2535;

} // namespace

// The Show column stands right of the merchant bands' names (ctlPaypalBusinessTypes).
ctlPayPal::ctlPayPal(QWidget* oParent) : ctlSectionPanel(oParent, {"PayPal", 2760, 975, true}) {
    const auto Account = [](const char* sName, const char* sCaption, AccountType eAccount) {
        return clsControlRow{.m_eKind = RowKind::OptionButton,
                             .m_sName = sName,
                             .m_sCaption = sCaption,
                             .m_lLeft = 120,
                             .m_lWidth = kWidth,
                             .m_lValue = int32_t(eAccount)};
    };
    QCheckBox* chkShowPayInduvidually = nullptr;
    AddRows({
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkUsePayPal",
         .m_sCaption = "&Use PayPal",
         .m_lLeft = 120,
         .m_lWidth = kWidth,
         .m_oKeep = &m_chkUsePayPal},
        ShowRow("chkShowUsePayPal", "PayPal"),
        {.m_eKind = RowKind::Frame,
         .m_sName = "fraPayInduvidually",
         .m_lLeft = 120,
         .m_lWidth = kWidth},
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkPayInduvidually",
         .m_sCaption = "&Pay Individually",
         .m_lWidth = kWidth,
         .m_sContainer = "fraPayInduvidually",
         .m_oKeep = &m_chkPayInduvidually},
        ShowRow("chkShowPayInduvidually", "PayInduvidually", &chkShowPayInduvidually),
        Account("optPersonalAccount", "Personal &Account", AccountType::Personal),
        ShowRow("chkShowPersonalAccount", "Personal"),
        Account("optPremierAccount", "P&remier Account", AccountType::Premier),
        ShowRow("chkShowPremierAccount", "Premier"),
        Account("optBusinessAccount", "&Business Account", AccountType::Business),
        ShowRow("chkShowBusinessAccount", "BusinessAccount"),
    });
    chkShowPayInduvidually->setAccessibleName(tr("Show Pay Individually"));
    m_ctlPaypalBusinessType =
        AddPanel(new ctlPaypalBusinessTypes(this), "ctlPaypalBusinessType", 240, 1760);
    // Its name holds none of the tags: the bands show and hide with the Business Account.
    m_ctlPaypalBusinessType->setProperty("ShowTag", QStringLiteral("BusinessAccount"));
    AddRows({
        TotalRow(kWidth, &m_lblTotal, 3160),
        ShowRow("chkShowTotal", "Total"),
    });
}

void ctlPayPal::ApplyFeatures(clsPayPal& oFeatures, clsOutlay& oOutlay) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPayPal = &oFeatures;
    m_oOutlay = &oOutlay;
    m_ctlPaypalBusinessType->ApplyFeatures(oFeatures);
    m_chkUsePayPal->setChecked(oFeatures.m_bUsePayPal);
    m_chkPayInduvidually->setChecked(oFeatures.m_bPayInduvidually);
    SetOptions(int32_t(oFeatures.m_eAccoutType));
    Enable(m_chkPayInduvidually, oOutlay.m_lQuantity > 1);
    try {
        SetSectionTotal(m_lblTotal, oFeatures.DoCalcAuto());
    } catch (const std::exception&) {
        // A band without a value in the price table: the total keeps its last figure.
    }
}

void ctlPayPal::WriteBack() {
    if (!m_oPayPal) return;
    m_oPayPal->m_bUsePayPal = m_chkUsePayPal->isChecked();
    m_oPayPal->m_bPayInduvidually = m_chkPayInduvidually->isChecked();
    int32_t lAccount = 0;
    if (SelectedOption(lAccount)) m_oPayPal->m_eAccoutType = AccountType(lAccount);
    m_oPayPal->m_bDirty = true;
    ApplyFeatures(*m_oPayPal, *m_oOutlay);
    emit Changed();
}
