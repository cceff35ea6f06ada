#include "ctlPostage.h"

#include "basControls.h"
#include "basNumberText.h"
#include "clsOutlay.h"
#include "clsPostage.h"
#include "clsPrices.h"
#include "ctlNumericText.h"
#include "ctlPostageParcelInsurance.h"

#include <QCheckBox>
#include <QLabel>
#include <QScopedValueRollback>

#include <exception>
#include <string>

namespace {

const char* const kPriceLabels[] = {"lblSecondClass",      "lblFirstClass",
                                    "lblParcelService",    "lblParcelInsuranceCost",
                                    "lblRecordedDelivery", "lblProofOfDelivery"};

// A price stands at the right, leaving its service the room of "Recorded Signed For".
constexpr int32_t kPriceLeft = 2400;
constexpr int32_t kPriceWidth = 3375 - kPriceLeft;
constexpr int32_t kCaptionWidth = kPriceLeft - 120 - 105;

} // namespace

ctlPostage::ctlPostage(QWidget* oParent) : ctlSectionPanel(oParent, {"Postage", 3480, 855, true}) {
    AddRows({
        {"CheckBox", "chkUsePostage", "Use Royal Mail Postage", "", 120, 360, 3255},
        {"Show", "chkShowUsePostage", "", "Use"},
        {"Frame", "fraSendInduvidually", "", "", 120, 640, 3255},
        {"CheckBox", "chkSendInduvidually", "Send Individually", "", 0, 0, 3255, 255, 0,
         "fraSendInduvidually"},
        {"Show", "chkShowSendInduvidually", "", "SendInduvidually"},
        {"Label", "lblWeight", "Weight (kg)", "", 120, 920, 1335},
        {"ctlNumericText", "txtWeight", "", "", 1560, 920, 1815, 285},
        {"Show", "chkShowWeight", "", "Weight"},
        {"OptionButton", "optSecondClass", "Second Class", "", 120, 1200, kCaptionWidth, 255,
         int32_t(PostageClass::SecondClass)},
        {"Label", "lblSecondClass", "", "", kPriceLeft, 1200, kPriceWidth},
        {"Show", "chkShowSecondClass", "", "Second"},
        {"OptionButton", "optFirstClass", "First Class", "", 120, 1480, kCaptionWidth, 255,
         int32_t(PostageClass::FirstClass)},
        {"Label", "lblFirstClass", "", "", kPriceLeft, 1480, kPriceWidth},
        {"Show", "chkShowFirstClass", "", "First"},
        {"OptionButton", "optParcelService", "Parcel Service", "", 120, 1760, kCaptionWidth, 255,
         int32_t(PostageClass::Parcel)},
        {"Label", "lblParcelService", "", "", kPriceLeft, 1760, kPriceWidth},
        {"Show", "chkShowParcelService", "", "ParcelService"},
        {"OptionButton", "optManual", "Manual", "", 120, 2040, 1695, 255,
         int32_t(PostageClass::Manual)},
        {"ctlNumericText", "txtManual", "", "", 1920, 2040, 1455, 285},
        {"Show", "chkShowManual", "", "Manual"},
        {"Label", "lblParcelInsurance", "Parcel Insurance:", "", 120, 2320, 1695},
        {"Label", "lblParcelInsuranceCost", "", "", kPriceLeft, 2320, kPriceWidth},
        {"Show", "chkShowParcelInsurance", "", "ParcelInsurance"},
    });
    m_ctlParcelInsurance = AddPanel<ctlPostageParcelInsurance>("ctlParcelInsurance", 1920, 2600);
    AddRows({
        {"CheckBox", "chkRecordedDelivery", "Recorded Signed For", "", 120, 3720, kCaptionWidth},
        {"Label", "lblRecordedDelivery", "", "", kPriceLeft, 3720, kPriceWidth},
        {"Show", "chkShowRecordedDelivery", "", "Recorded"},
        {"CheckBox", "chkProofOfDelivery", "Proof of Delivery", "", 120, 4000, kCaptionWidth},
        {"Label", "lblProofOfDelivery", "", "", kPriceLeft, 4000, kPriceWidth},
        {"Show", "chkShowProofOfDelivery", "", "ProofOfDelivery"},
        {"CheckBox", "chkProfit", "Make Profit", "", 120, 4280, 1695},
        {"ctlNumericText", "txtProfit", "", "", 1920, 4280, 1455, 285},
        {"Show", "chkShowProfit", "", "Profit"},
        {"Label", "lblTotal", "Section Total ", "", 120, 4560, 3255},
        {"Show", "chkShowTotal", "", "Total"},
    });
    for (const char* sLabel : kPriceLabels)
        ControlAs<QLabel>(QLatin1String(sLabel))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Fields beside an option or a box are named by it.
    Control("txtManual")->setAccessibleName(tr("Manual"));
    Control("txtProfit")->setAccessibleName(tr("Make Profit"));
    Control("chkShowSendInduvidually")->setAccessibleName(tr("Show Send Individually"));
    Control("chkShowParcelInsurance")->setAccessibleName(tr("Show Parcel Insurance"));
    Numeric("txtWeight")->DecimalPlaces(3);
    for (const char* sField : {"txtManual", "txtProfit"}) {
        ctlNumericText* oField = Numeric(QLatin1String(sField));
        oField->ShowMoney(true);
        oField->DecimalPlaces(2);
    }
    for (const char* sField : {"txtWeight", "txtManual", "txtProfit"})
        Numeric(QLatin1String(sField))->Min(0);
}

void ctlPostage::ApplyFeatures(clsPostage& oFeatures, clsOutlay& oOutlay) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPostage = &oFeatures;
    m_oOutlay = &oOutlay;
    m_ctlParcelInsurance->ApplyAuctionType(oFeatures);

    CheckBox("chkUsePostage")->setChecked(oFeatures.m_bUse);
    CheckBox("chkSendInduvidually")->setChecked(oFeatures.m_bSendInduvidually);
    Numeric("txtWeight")->Value(oFeatures.m_fWeight);
    SetOptions(int32_t(oFeatures.m_eClass));
    Numeric("txtManual")->Value(oFeatures.m_fManualFee);
    CheckBox("chkRecordedDelivery")->setChecked(oFeatures.m_bRecorded);
    CheckBox("chkProofOfDelivery")->setChecked(oFeatures.m_bDeliveryProof);
    CheckBox("chkProfit")->setChecked(oFeatures.m_bMakeProfit);
    Numeric("txtProfit")->Value(oFeatures.m_fProfit);

    const auto Money = [](float fAmount) { return MoneyText(fAmount); };
    ControlAs<QLabel>("lblSecondClass")
        ->setText(Money(oFeatures.DoCalcOnWeight(PostageClass::SecondClass)));
    ControlAs<QLabel>("lblFirstClass")
        ->setText(Money(oFeatures.DoCalcOnWeight(PostageClass::FirstClass)));
    ControlAs<QLabel>("lblParcelService")
        ->setText(Money(oFeatures.DoCalcOnWeight(PostageClass::Parcel)));
    ControlAs<QLabel>("lblParcelInsuranceCost")
        ->setText(Money(oFeatures.DoCalcOnInsurance(oFeatures.m_eInsurance)));
    ControlAs<QLabel>("lblRecordedDelivery")->setText(Money(oFeatures.DoCalcOnRecordedDelivery()));
    ControlAs<QLabel>("lblProofOfDelivery")->setText(Money(oFeatures.DoCalcOnProofOfDelivery()));

    // Only the option buttons: the price beside an unavailable service still reads.
    Enable("optSecondClass", oFeatures.CanHaveClass(PostageClass::SecondClass));
    Enable("optFirstClass", oFeatures.CanHaveClass(PostageClass::FirstClass));
    Enable("optParcelService", oFeatures.CanHaveClass(PostageClass::Parcel));
    Enable("optManual", oFeatures.CanHaveClass(PostageClass::Manual));
    Enable("chkRecordedDelivery", oFeatures.CanHaveRecordedDelivery());
    Enable("chkProofOfDelivery", oFeatures.CanHaveProofOfDelivery());
    Enable("txtProfit", oFeatures.m_bMakeProfit);
    Enable("chkSendInduvidually", oOutlay.m_lQuantity > 1);

    std::string sTitle;
    if (GetPrices().GetData("UsePostTitle", sTitle) && !sTitle.empty()) {
        SetOptionCaption("chkUsePostage", QString::fromStdString(sTitle));
    }
    try {
        SetSectionTotal(ControlAs<QLabel>("lblTotal"), oFeatures.DoCalc(&oOutlay));
    } catch (const std::exception&) {
        // A malformed band in the price table: the total keeps its last figure.
    }
}

void ctlPostage::WriteBack() {
    if (!m_oPostage) return;
    clsPostage& oPostage = *m_oPostage;
    oPostage.m_bUse = CheckBox("chkUsePostage")->isChecked();
    oPostage.m_fWeight = Numeric("txtWeight")->Value();
    int32_t lClass = 0;
    if (SelectedOption(lClass)) oPostage.m_eClass = PostageClass(lClass);
    // Manual is always available, so this ends.
    while (!oPostage.CanHaveClass(oPostage.m_eClass))
        oPostage.m_eClass = clsPostage::GetNextClass(oPostage.m_eClass);
    // A band the new service cannot insure moves on as well.
    while (!oPostage.CanHaveInsurance(oPostage.m_eInsurance))
        oPostage.m_eInsurance = clsPostage::GetNextInsurance(oPostage.m_eInsurance);
    oPostage.m_fManualFee = Numeric("txtManual")->Value();
    oPostage.m_bRecorded =
        CheckBox("chkRecordedDelivery")->isChecked() && oPostage.CanHaveRecordedDelivery();
    oPostage.m_bDeliveryProof =
        CheckBox("chkProofOfDelivery")->isChecked() && oPostage.CanHaveProofOfDelivery();
    oPostage.m_bMakeProfit = CheckBox("chkProfit")->isChecked();
    oPostage.m_fProfit = Numeric("txtProfit")->Value();
    oPostage.m_bSendInduvidually = CheckBox("chkSendInduvidually")->isChecked();
    oPostage.m_bDirty = true;
    ApplyFeatures(oPostage, *m_oOutlay);
    emit Changed();
}
