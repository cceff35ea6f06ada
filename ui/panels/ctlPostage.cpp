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
#include <QRadioButton>
#include <QScopedValueRollback>

#include <exception>
#include <string>
#include <utility>

namespace {

// A price stands at the right, leaving its service the room of "Recorded Signed For".
constexpr int32_t kPriceLeft = 2400;
constexpr int32_t kPriceWidth = 3375 - kPriceLeft;
constexpr int32_t kCaptionWidth = kPriceLeft - 120 - 105;
constexpr int32_t kWidth = 3255;

// The price beside a service or an extra.
clsControlRow Price(const char* sName, QLabel** pp) {
    return {.m_eKind = RowKind::Label,
            .m_sName = sName,
            .m_lLeft = kPriceLeft,
            .m_lTop = kSameRow,
            .m_lWidth = kPriceWidth,
            .m_oKeep = pp};
}

clsControlRow Service(const char* sName, const char* sCaption, PostageClass eClass,
                      QRadioButton** pp, int32_t lWidth = kCaptionWidth) {
    return {.m_eKind = RowKind::OptionButton,
            .m_sName = sName,
            .m_sCaption = sCaption,
            .m_lLeft = 120,
            .m_lWidth = lWidth,
            .m_lValue = int32_t(eClass),
            .m_oKeep = pp};
}

clsControlRow Box(const char* sName, const char* sCaption, QCheckBox** pp,
                  int32_t lWidth = kCaptionWidth, int32_t lTop = kNextRow) {
    return {.m_eKind = RowKind::CheckBox,
            .m_sName = sName,
            .m_sCaption = sCaption,
            .m_lLeft = 120,
            .m_lTop = lTop,
            .m_lWidth = lWidth,
            .m_oKeep = pp};
}

// A field beside an option or a box, named by it.
clsControlRow Field(const char* sName, int32_t lLeft, ctlNumericText** pp) {
    return {.m_eKind = RowKind::Numeric,
            .m_sName = sName,
            .m_lLeft = lLeft,
            .m_lTop = kSameRow,
            .m_lWidth = 3375 - lLeft,
            .m_lHeight = 285,
            .m_oKeep = pp};
}

} // namespace

ctlPostage::ctlPostage(QWidget* oParent) : ctlSectionPanel(oParent, {"Postage", 3480, 855, true}) {
    QCheckBox *chkShowSendInduvidually = nullptr, *chkShowParcelInsurance = nullptr;
    AddRows({
        Box("chkUsePostage", "&Use Royal Mail Postage", &m_chkUsePostage, kWidth),
        ShowRow("chkShowUsePostage", "Use"),
        {.m_eKind = RowKind::Frame,
         .m_sName = "fraSendInduvidually",
         .m_lLeft = 120,
         .m_lWidth = kWidth},
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkSendInduvidually",
         .m_sCaption = "&Send Individually",
         .m_lWidth = kWidth,
         .m_sContainer = "fraSendInduvidually",
         .m_oKeep = &m_chkSendInduvidually},
        ShowRow("chkShowSendInduvidually", "SendInduvidually", &chkShowSendInduvidually),
        {.m_eKind = RowKind::Label,
         .m_sName = "lblWeight",
         .m_sCaption = "&Weight (kg)",
         .m_lLeft = 120,
         .m_lWidth = 1335},
        Field("txtWeight", 1560, &m_txtWeight),
        ShowRow("chkShowWeight", "Weight"),
        Service("optSecondClass", "Second &Class", PostageClass::SecondClass, &m_optSecondClass),
        Price("lblSecondClass", &m_lblSecondClass),
        ShowRow("chkShowSecondClass", "Second"),
        Service("optFirstClass", "&First Class", PostageClass::FirstClass, &m_optFirstClass),
        Price("lblFirstClass", &m_lblFirstClass),
        ShowRow("chkShowFirstClass", "First"),
        Service("optParcelService", "&Parcel Service", PostageClass::Parcel, &m_optParcelService),
        Price("lblParcelService", &m_lblParcelService),
        ShowRow("chkShowParcelService", "ParcelService"),
        Service("optManual", "&Manual", PostageClass::Manual, &m_optManual, 1695),
        Field("txtManual", 1920, &m_txtManual),
        ShowRow("chkShowManual", "Manual"),
        {.m_eKind = RowKind::Label,
         .m_sName = "lblParcelInsurance",
         .m_sCaption = "Parcel Insurance:",
         .m_lLeft = 120,
         .m_lWidth = 1695},
        Price("lblParcelInsuranceCost", &m_lblParcelInsuranceCost),
        ShowRow("chkShowParcelInsurance", "ParcelInsurance", &chkShowParcelInsurance),
    });
    m_ctlParcelInsurance =
        AddPanel(new ctlPostageParcelInsurance(this), "ctlParcelInsurance", 1920, 2600);
    AddRows({
        Box("chkRecordedDelivery", "&Recorded Signed For", &m_chkRecordedDelivery, kCaptionWidth,
            3720),
        Price("lblRecordedDelivery", &m_lblRecordedDelivery),
        ShowRow("chkShowRecordedDelivery", "Recorded"),
        Box("chkProofOfDelivery", "Proof &of Delivery", &m_chkProofOfDelivery),
        Price("lblProofOfDelivery", &m_lblProofOfDelivery),
        ShowRow("chkShowProofOfDelivery", "ProofOfDelivery"),
        Box("chkProfit", "M&ake Profit", &m_chkProfit, 1695),
        Field("txtProfit", 1920, &m_txtProfit),
        ShowRow("chkShowProfit", "Profit"),
        TotalRow(kWidth, &m_lblTotal),
        ShowRow("chkShowTotal", "Total"),
    });
    // A price is read with the service or extra it is the price of.
    const std::pair<QLabel*, QString> aoPrices[] = {
        {m_lblSecondClass, StripAmpersand(m_optSecondClass->text())},
        {m_lblFirstClass, StripAmpersand(m_optFirstClass->text())},
        {m_lblParcelService, StripAmpersand(m_optParcelService->text())},
        {m_lblParcelInsuranceCost, tr("Parcel Insurance")},
        {m_lblRecordedDelivery, StripAmpersand(m_chkRecordedDelivery->text())},
        {m_lblProofOfDelivery, StripAmpersand(m_chkProofOfDelivery->text())}};
    for (const auto& [oPrice, sCaption] : aoPrices) {
        oPrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetFigureCaption(oPrice, sCaption);
    }
    // Fields beside an option or a box are named by it.
    m_txtManual->setAccessibleName(tr("Manual"));
    m_txtProfit->setAccessibleName(tr("Make Profit"));
    chkShowSendInduvidually->setAccessibleName(tr("Show Send Individually"));
    chkShowParcelInsurance->setAccessibleName(tr("Show Parcel Insurance"));
    m_txtWeight->DecimalPlaces(3);
    for (ctlNumericText* oField : {m_txtManual, m_txtProfit}) {
        oField->ShowMoney(true);
        oField->DecimalPlaces(2);
    }
    for (ctlNumericText* oField : {m_txtWeight, m_txtManual, m_txtProfit})
        oField->Min(0);
}

void ctlPostage::ApplyFeatures(clsPostage& oFeatures, clsOutlay& oOutlay) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPostage = &oFeatures;
    m_oOutlay = &oOutlay;
    m_ctlParcelInsurance->ApplyAuctionType(oFeatures);

    m_chkUsePostage->setChecked(oFeatures.m_bUse);
    m_chkSendInduvidually->setChecked(oFeatures.m_bSendInduvidually);
    m_txtWeight->Value(oFeatures.m_fWeight);
    SetOptions(int32_t(oFeatures.m_eClass));
    m_txtManual->Value(oFeatures.m_fManualFee);
    m_chkRecordedDelivery->setChecked(oFeatures.m_bRecorded);
    m_chkProofOfDelivery->setChecked(oFeatures.m_bDeliveryProof);
    m_chkProfit->setChecked(oFeatures.m_bMakeProfit);
    m_txtProfit->Value(oFeatures.m_fProfit);

    const auto Money = [](float fAmount) { return MoneyText(fAmount); };
    SetFigureText(m_lblSecondClass, Money(oFeatures.DoCalcOnWeight(PostageClass::SecondClass)));
    SetFigureText(m_lblFirstClass, Money(oFeatures.DoCalcOnWeight(PostageClass::FirstClass)));
    SetFigureText(m_lblParcelService, Money(oFeatures.DoCalcOnWeight(PostageClass::Parcel)));
    SetFigureText(m_lblParcelInsuranceCost,
                  Money(oFeatures.DoCalcOnInsurance(oFeatures.m_eInsurance)));
    SetFigureText(m_lblRecordedDelivery, Money(oFeatures.DoCalcOnRecordedDelivery()));
    SetFigureText(m_lblProofOfDelivery, Money(oFeatures.DoCalcOnProofOfDelivery()));

    // Only the option buttons: the price beside an unavailable service still reads.
    Enable(m_optSecondClass, oFeatures.CanHaveClass(PostageClass::SecondClass));
    Enable(m_optFirstClass, oFeatures.CanHaveClass(PostageClass::FirstClass));
    Enable(m_optParcelService, oFeatures.CanHaveClass(PostageClass::Parcel));
    Enable(m_optManual, oFeatures.CanHaveClass(PostageClass::Manual));
    Enable(m_chkRecordedDelivery, oFeatures.CanHaveRecordedDelivery());
    Enable(m_chkProofOfDelivery, oFeatures.CanHaveProofOfDelivery());
    Enable(m_txtProfit, oFeatures.m_bMakeProfit);
    Enable(m_chkSendInduvidually, oOutlay.m_lQuantity > 1);

    std::string sTitle;
    if (GetPrices().GetData("UsePostTitle", sTitle) && !sTitle.empty()) {
        SetOptionCaption(m_chkUsePostage, QString::fromStdString(sTitle));
    }
    try {
        SetSectionTotal(m_lblTotal, oFeatures.DoCalc(&oOutlay));
    } catch (const std::exception&) {
        // A malformed band in the price table: the total keeps its last figure.
    }
}

void ctlPostage::WriteBack() {
    if (!m_oPostage) return;
    clsPostage& oPostage = *m_oPostage;
    oPostage.m_bUse = m_chkUsePostage->isChecked();
    oPostage.m_fWeight = m_txtWeight->Value();
    int32_t lClass = 0;
    if (SelectedOption(lClass)) oPostage.m_eClass = PostageClass(lClass);
    // Manual is always available, so this ends.
    while (!oPostage.CanHaveClass(oPostage.m_eClass))
        oPostage.m_eClass = clsPostage::GetNextClass(oPostage.m_eClass);
    // A band the new service cannot insure moves on as well.
    while (!oPostage.CanHaveInsurance(oPostage.m_eInsurance))
        oPostage.m_eInsurance = clsPostage::GetNextInsurance(oPostage.m_eInsurance);
    oPostage.m_fManualFee = m_txtManual->Value();
    oPostage.m_bRecorded = m_chkRecordedDelivery->isChecked() && oPostage.CanHaveRecordedDelivery();
    oPostage.m_bDeliveryProof =
        m_chkProofOfDelivery->isChecked() && oPostage.CanHaveProofOfDelivery();
    oPostage.m_bMakeProfit = m_chkProfit->isChecked();
    oPostage.m_fProfit = m_txtProfit->Value();
    oPostage.m_bSendInduvidually = m_chkSendInduvidually->isChecked();
    oPostage.m_bDirty = true;
    ApplyFeatures(oPostage, *m_oOutlay);
    emit Changed();
}
