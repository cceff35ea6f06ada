#include "clsPostage.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsOutlay.h"
#include "clsPriceCache.h"
#include "clsPrices.h"

#include <cmath>

namespace {

constexpr std::string_view kMarker = "[POSTAGE]";

const clsPriceCache& Prices() {
    return GetPrices().Cache();
}

} // namespace

float clsPostage::ApplySendIndividually(float fAmount) const {
    if (m_oOutlay && m_oOutlay->m_lQuantity > 1 && m_bSendInduvidually)
        return ToSingle(double(fAmount) * m_oOutlay->m_lQuantity);
    return fAmount;
}

float clsPostage::DoCalc(const clsOutlay* oOutlay) {
    m_oOutlay = oOutlay;
    if (!m_bUse) return 0;
    // The extras are a carrier's services: without carrier prices only the typed postage counts.
    if (TypedInOnly()) return ApplySendIndividually(m_fManualFee);
    float fCost = DoCalcOnInsurance(m_eInsurance);
    fCost = ToSingle(double(fCost) + DoCalcOnRecordedDelivery());
    fCost = ToSingle(double(fCost) + DoCalcOnProofOfDelivery());
    fCost = ToSingle(double(fCost) + DoCalcOnWeight(m_eClass));
    return ApplySendIndividually(fCost);
}

bool clsPostage::GetRangeFee(const clsPrices::Range& oRange, float& fFee) const {
    // A price file without the service (the US file has none) offers no price for it.
    clsPriceRange oBand;
    if (!oRange.Found()) return false;
    oRange.Count(); // a count that is not a number raises
    if (!oRange.HitTest(m_fWeight, oBand)) return false;
    fFee = oBand.m_fValue;
    return true;
}

bool clsPostage::GetFirstClassFee(float& fFee) const {
    const clsPrices::Range& oFirstClass = Prices().m_oFirstClass;
    if (GetRangeFee(oFirstClass, fFee)) return true;
    // Above the last band, each step of weight (or part of one) costs the step price.
    if (!oFirstClass.Found() || oFirstClass.Count() < 1) return false;
    clsPriceRange oLast;
    oFirstClass.Band(oFirstClass.Count(), oLast);
    if (!(m_fWeight > oLast.m_fEnd)) return false;
    const float fStep = Prices().m_oFirstClassOverWeightStep.Or0();
    // Without a positive step there is no over-weight price: the service is unavailable.
    if (!(fStep > 0)) return false;
    double dSteps = (double(m_fWeight) - oLast.m_fEnd) / fStep;
    // Weights are typed in decimals that binary floats cannot hold exactly: a weight one
    // step above the band must count one step, not two.
    if (std::fabs(dSteps - std::round(dSteps)) < 1e-4) dSteps = std::round(dSteps);
    dSteps = std::ceil(dSteps);
    fFee = ToSingle(Prices().m_oFirstClassOverWeightStepValue.Or0() * dSteps + oLast.m_fValue);
    return true;
}

bool clsPostage::GetClassFee(PostageClass eClass, float& fFee) const {
    switch (eClass) {
    case PostageClass::FirstClass:
        return GetFirstClassFee(fFee);
    case PostageClass::SecondClass:
        return GetRangeFee(Prices().m_oSecondClass, fFee);
    case PostageClass::Parcel:
        return GetRangeFee(Prices().m_oParcel, fFee);
    default:
        return false;
    }
}

float clsPostage::DoCalcOnWeight(PostageClass eClass) const {
    if (eClass == PostageClass::Manual) return m_fManualFee;
    float fFee = 0;
    return GetClassFee(eClass, fFee) ? fFee : 0.0f;
}

float clsPostage::DoCalcOnInsurance(InsuranceBand eBand) const {
    if (!CanHaveInsurance(eBand)) return 0;
    return Prices().m_aoInsuranceBandValue[size_t(eBand)].Or0();
}

float clsPostage::DoCalcOnRecordedDelivery() const {
    return CanHaveRecordedDelivery() && m_bRecorded ? Prices().m_oRecordedSignedFor.Or0() : 0.0f;
}

float clsPostage::DoCalcOnProofOfDelivery() const {
    return CanHaveProofOfDelivery() && m_bDeliveryProof ? Prices().m_oProofOfDelivery.Or0() : 0.0f;
}

float clsPostage::DoCalcProfit() const {
    return ApplySendIndividually(m_bMakeProfit ? m_fProfit : 0);
}

bool clsPostage::CanHaveRecordedDelivery() const {
    return m_eClass == PostageClass::FirstClass || m_eClass == PostageClass::SecondClass;
}

bool clsPostage::CanHaveProofOfDelivery() const {
    return CanHaveRecordedDelivery() && m_bRecorded;
}

bool clsPostage::CanHaveInsurance(InsuranceBand eBand) const {
    if (eBand == InsuranceBand::Band1) return true;
    return (eBand == InsuranceBand::Band2 || eBand == InsuranceBand::Band3 ||
            eBand == InsuranceBand::Band4) &&
           m_eClass == PostageClass::Parcel;
}

bool clsPostage::CanHaveClass(PostageClass eClass) const {
    if (eClass == PostageClass::Manual) return true;
    float fFee = 0;
    return GetRegion() != RegionUS && GetClassFee(eClass, fFee);
}

bool clsPostage::TypedInOnly() {
    const clsPriceCache& o = Prices();
    return GetPrices().TodaySchedule() && !o.m_oFirstClass.Found() && !o.m_oSecondClass.Found() &&
           !o.m_oParcel.Found();
}

PostageClass clsPostage::CountedClass() const {
    return m_eClass != PostageClass::Manual && TypedInOnly() ? PostageClass::Manual : m_eClass;
}

bool clsPostage::ClassHasNoPrice() const {
    return m_bUse && m_eClass != PostageClass::Manual && TypedInOnly();
}

PostageClass clsPostage::GetNextClass(PostageClass eClass) {
    const int32_t lNext = static_cast<int32_t>(eClass) + 1;
    return lNext > 3 ? PostageClass::SecondClass : static_cast<PostageClass>(lNext);
}

InsuranceBand clsPostage::GetNextInsurance(InsuranceBand eBand) {
    const int32_t lNext = static_cast<int32_t>(eBand) + 1;
    return lNext > 3 ? InsuranceBand::Band1 : static_cast<InsuranceBand>(lNext);
}

void clsPostage::Save(std::string& sData) const {
    clsAuctionSection::Writer(sData, kMarker)
        .Flag(m_bUse)
        .Single(m_fWeight)
        .Whole(int32_t(m_eClass))
        .Single(m_fManualFee)
        .Whole(int32_t(m_eInsurance))
        .Flag(m_bRecorded)
        .Flag(m_bDeliveryProof)
        .Flag(m_bMakeProfit)
        .Single(m_fProfit)
        .Flag(m_bSendInduvidually)
        .End();
}

void clsPostage::Load(std::string_view sData) {
    const clsAuctionSection oSection(sData, kMarker, true);
    oSection.ReadFlag(0, m_bUse);
    oSection.ReadSingle(1, m_fWeight);
    oSection.ReadEnum(2, m_eClass, INT16_MIN, INT16_MAX);
    oSection.ReadSingle(3, m_fManualFee);
    oSection.ReadEnum(4, m_eInsurance, INT16_MIN, INT16_MAX);
    oSection.ReadFlag(5, m_bRecorded);
    oSection.ReadFlag(6, m_bDeliveryProof);
    oSection.ReadFlag(7, m_bMakeProfit);
    oSection.ReadSingle(8, m_fProfit);
    oSection.ReadFlag(9, m_bSendInduvidually);
}

void clsPostage::Clear() {
    Load(clsAuctionSection::Defaults<clsPostage>());
}
