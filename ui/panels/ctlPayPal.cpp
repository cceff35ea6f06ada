#include "ctlPayPal.h"

#include "basControls.h"
#include "clsOutlay.h"
#include "clsPayPal.h"
#include "ctlPaypalBusinessTypes.h"

#include <QCheckBox>
#include <QLabel>
#include <QScopedValueRollback>

#include <exception>

// The Show column stands right of the merchant bands' names (ctlPaypalBusinessTypes).
ctlPayPal::ctlPayPal(QWidget* oParent) : ctlSectionPanel(oParent, {"PayPal", 2760, 975, true}) {
    AddRows({
        {"CheckBox", "chkUsePayPal", "Use PayPal", "", 120, 360, 2535},
        {"Show", "chkShowUsePayPal", "", "PayPal"},
        {"Frame", "fraPayInduvidually", "", "", 120, 640, 2535},
        {"CheckBox", "chkPayInduvidually", "Pay Individually", "", 0, 0, 2535, 255, 0,
         "fraPayInduvidually"},
        {"Show", "chkShowPayInduvidually", "", "PayInduvidually"},
        {"OptionButton", "optPersonalAccount", "Personal Account", "", 120, 920, 2535, 255,
         int32_t(AccountType::Personal)},
        {"Show", "chkShowPersonalAccount", "", "Personal"},
        {"OptionButton", "optPremierAccount", "Premier Account", "", 120, 1200, 2535, 255,
         int32_t(AccountType::Premier)},
        {"Show", "chkShowPremierAccount", "", "Premier"},
        {"OptionButton", "optBusinessAccount", "Business Account", "", 120, 1480, 2535, 255,
         int32_t(AccountType::Business)},
        {"Show", "chkShowBusinessAccount", "", "BusinessAccount"},
    });
    Control("chkShowPayInduvidually")->setAccessibleName(tr("Show Pay Individually"));
    m_ctlPaypalBusinessType = AddPanel<ctlPaypalBusinessTypes>("ctlPaypalBusinessType", 240, 1760);
    // Its name holds none of the tags: the bands show and hide with the Business Account.
    m_ctlPaypalBusinessType->setProperty("ShowTag", QStringLiteral("BusinessAccount"));
    AddRows({
        {"Label", "lblTotal", "Section Total ", "", 120, 3160, 2535},
        {"Show", "chkShowTotal", "", "Total"},
    });
}

void ctlPayPal::ApplyFeatures(clsPayPal& oFeatures, clsOutlay& oOutlay) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPayPal = &oFeatures;
    m_oOutlay = &oOutlay;
    m_ctlPaypalBusinessType->ApplyFeatures(oFeatures);
    CheckBox("chkUsePayPal")->setChecked(oFeatures.m_bUsePayPal);
    CheckBox("chkPayInduvidually")->setChecked(oFeatures.m_bPayInduvidually);
    SetOptions(int32_t(oFeatures.m_eAccoutType));
    Enable("chkPayInduvidually", oOutlay.m_lQuantity > 1);
    try {
        SetSectionTotal(ControlAs<QLabel>("lblTotal"), oFeatures.DoCalcAuto());
    } catch (const std::exception&) {
        // A band without a value in the price table: the total keeps its last figure.
    }
}

void ctlPayPal::WriteBack() {
    if (!m_oPayPal) return;
    m_oPayPal->m_bUsePayPal = CheckBox("chkUsePayPal")->isChecked();
    m_oPayPal->m_bPayInduvidually = CheckBox("chkPayInduvidually")->isChecked();
    int32_t lAccount = 0;
    if (SelectedOption(lAccount)) m_oPayPal->m_eAccoutType = AccountType(lAccount);
    m_oPayPal->m_bDirty = true;
    ApplyFeatures(*m_oPayPal, *m_oOutlay);
    emit Changed();
}
