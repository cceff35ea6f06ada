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

#include <algorithm>
#include <iterator>

#include <exception>
#include <string>
#include <utility>

namespace {

// A price stands at the right, leaving its service the room of "Recorded Signed For".
constexpr int32_t kPriceLeft = 2400;
constexpr int32_t kPriceWidth = 3375 - kPriceLeft;
constexpr int32_t kCaptionWidth = kPriceLeft - 120 - 105;
constexpr int32_t kWidth = 3255;
constexpr int32_t kNoteTop = 2320; // the row of Parcel Insurance, which it never shows with

// The rows that need carrier prices: the services by weight and their extras.
bool IsCarrierControl(const QString& sName) {
    static const char* const asParts[] = {"Weight",         "SecondClass",     "FirstClass",
                                          "ParcelService",  "ParcelInsurance", "RecordedDelivery",
                                          "ProofOfDelivery"};
    return std::any_of(std::begin(asParts), std::end(asParts),
                       [&](const char* s) { return sName.contains(QLatin1String(s)); });
}

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
        // Says why only the typed postage is offered; shown only then.
        {.m_eKind = RowKind::Label,
         .m_sName = "lblTypedPostage",
         .m_lLeft = 120,
         .m_lTop = kNoteTop,
         .m_lWidth = kWidth,
         .m_oKeep = &m_lblTypedPostage},
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
    m_lblTypedPostage->setWordWrap(true);
    m_lblTypedPostage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool ctlPostage::IsOffered(const QString& sName) const {
    const bool bTypedInOnly = m_nTypedInOnly == 1;
    if (sName == QLatin1String("lblTypedPostage")) return bTypedInOnly;
    return !(bTypedInOnly && IsCarrierControl(sName));
}

void ctlPostage::ApplyCarrierPrices(const clsPostage& oFeatures) {
    const bool bTypedInOnly = clsPostage::TypedInOnly();
    std::string sTitle;
    if (bTypedInOnly)
        SetOptionCaption(m_chkUsePostage, tr("Charge Postage"));
    else if (GetPrices().GetData("UsePostTitle", sTitle) && !sTitle.empty())
        SetOptionCaption(m_chkUsePostage, QString::fromStdString(sTitle));
    else
        SetOptionCaption(m_chkUsePostage, tr("Use Royal Mail Postage"));
    SetOptionCaption(m_optManual, bTypedInOnly ? tr("Postage Cost") : tr("Manual"));

    int32_t lNoteHeight = ControlHeight(m_lblTypedPostage);
    if (bTypedInOnly) {
        // A carrier service chosen under the 2008 fees is kept for them, but counts nothing
        // here: the seller is told that the postage typed in counts instead.
        QString sNote = tr("Today's fees have no carrier prices: type in what the postage costs.");
        const QRadioButton* aoClasses[] = {m_optFirstClass, m_optSecondClass, m_optParcelService};
        // A service number from a damaged file names no service: the plain note then.
        if (oFeatures.ClassHasNoPrice() && size_t(oFeatures.m_eClass) < std::size(aoClasses)) {
            const QString sClass = StripAmpersand(aoClasses[size_t(oFeatures.m_eClass)]->text());
            sNote = oFeatures.m_fManualFee > 0
                        ? tr("%1 has no price under today's fees: the postage cost typed in "
                             "counts.")
                              .arg(sClass)
                        : tr("%1 has no price under today's fees: type in what the postage "
                             "costs.")
                              .arg(sClass);
        }
        m_lblTypedPostage->setText(sNote);
        lNoteHeight = std::max<int32_t>(
            255, PixelsToTwips(m_lblTypedPostage->heightForWidth(TwipsToPixels(kWidth))));
    }
    if (int(bTypedInOnly) == m_nTypedInOnly && lNoteHeight == ControlHeight(m_lblTypedPostage))
        return;
    m_nTypedInOnly = int(bTypedInOnly);
    // The locator takes each row's design height when the panel is first laid out: the note
    // grows only after that, so that the rows below it move down by what it grew.
    ShowConfig(ShowConfig());
    if (lNoteHeight == ControlHeight(m_lblTypedPostage)) return;
    SetControlHeight(m_lblTypedPostage, lNoteHeight);
    ShowConfig(ShowConfig());
}

void ctlPostage::ApplyFeatures(clsPostage& oFeatures, clsOutlay& oOutlay) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPostage = &oFeatures;
    m_oOutlay = &oOutlay;
    m_ctlParcelInsurance->ApplyAuctionType(oFeatures);

    m_chkUsePostage->setChecked(oFeatures.m_bUse);
    m_chkSendInduvidually->setChecked(oFeatures.m_bSendInduvidually);
    m_txtWeight->Value(oFeatures.m_fWeight);
    SetOptions(int32_t(oFeatures.CountedClass()));
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

    ApplyCarrierPrices(oFeatures);
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
    oPostage.m_fManualFee = m_txtManual->Value();
    oPostage.m_bMakeProfit = m_chkProfit->isChecked();
    oPostage.m_fProfit = m_txtProfit->Value();
    oPostage.m_bSendInduvidually = m_chkSendInduvidually->isChecked();
    oPostage.m_bDirty = true;
    // Without carrier prices only the typed postage is offered: the service, weight and
    // extras chosen under the 2008 fees stay as they were, for when those apply again.
    if (!clsPostage::TypedInOnly()) WriteBackCarrier(oPostage);
    ApplyFeatures(oPostage, *m_oOutlay);
    emit Changed();
}

void ctlPostage::WriteBackCarrier(clsPostage& oPostage) {
    oPostage.m_fWeight = m_txtWeight->Value();
    int32_t lClass = 0;
    if (SelectedOption(lClass)) oPostage.m_eClass = PostageClass(lClass);
    // Manual is always available, so this ends.
    while (!oPostage.CanHaveClass(oPostage.m_eClass))
        oPostage.m_eClass = clsPostage::GetNextClass(oPostage.m_eClass);
    // A band the new service cannot insure moves on as well.
    while (!oPostage.CanHaveInsurance(oPostage.m_eInsurance))
        oPostage.m_eInsurance = clsPostage::GetNextInsurance(oPostage.m_eInsurance);
    oPostage.m_bRecorded = m_chkRecordedDelivery->isChecked() && oPostage.CanHaveRecordedDelivery();
    oPostage.m_bDeliveryProof =
        m_chkProofOfDelivery->isChecked() && oPostage.CanHaveProofOfDelivery();
}
