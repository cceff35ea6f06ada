#pragma once

#include "clsPrices.h"

#include <cstdint>
#include <string>
#include <string_view>

class clsOutlay;

enum class PostageClass : int32_t { FirstClass = 0, SecondClass = 1, Parcel = 2, Manual = 3 };
enum class InsuranceBand : int32_t { Band1 = 0, Band2 = 1, Band3 = 2, Band4 = 3 };

// What sending the goods costs (the service's price by weight plus its extras, or a
// price typed in) and the mark-up the seller adds on top.
class clsPostage {
public:
    bool m_bUse = false;
    float m_fWeight = 0; // in the unit of the price file's weight bands
    PostageClass m_eClass = PostageClass::FirstClass;
    float m_fManualFee = 0;
    InsuranceBand m_eInsurance = InsuranceBand::Band1;
    bool m_bRecorded = false;
    bool m_bDeliveryProof = false;
    bool m_bMakeProfit = false;
    float m_fProfit = 0; // mark-up per parcel
    bool m_bDirty = false;
    bool m_bSendInduvidually = false; // each item sent on its own

    // Postage cost: service, insurance and extras, per item when sent individually.
    float DoCalc(const clsOutlay* oOutlay);
    // Service price for the weight; 0 when none is found. Manual gives m_fManualFee.
    float DoCalcOnWeight(PostageClass eClass) const;
    float DoCalcOnInsurance(InsuranceBand eBand) const;
    float DoCalcOnRecordedDelivery() const;
    float DoCalcOnProofOfDelivery() const;
    // The mark-up charged, even when postage itself is not.
    float DoCalcProfit() const;

    bool CanHaveRecordedDelivery() const;
    bool CanHaveProofOfDelivery() const;
    bool CanHaveInsurance(InsuranceBand eBand) const;
    // A service is offered when it has a price for the weight (UK only); Manual always.
    bool CanHaveClass(PostageClass eClass) const;
    // True under a price table of today's schedule that holds no carrier prices (today's
    // shipped files): the postage is only what the seller types in (Manual), and the carrier
    // services and their extras have no price to offer.
    static bool TypedInOnly();
    // The service whose price counts: m_eClass, except that a carrier service chosen under the
    // 2008 fees counts the postage typed in when TypedInOnly(). m_eClass itself is kept, so
    // that the auction gives its carrier price again under the 2008 fees.
    PostageClass CountedClass() const;
    // Postage is charged with a carrier service that has no price here (TypedInOnly()): the
    // postage typed in counts instead, which the seller must be told.
    bool ClassHasNoPrice() const;
    // The service to try next: 3 -> 1 (Second class), so Manual is reached at the latest.
    static PostageClass GetNextClass(PostageClass eClass);
    static InsuranceBand GetNextInsurance(InsuranceBand eBand);

    // The [POSTAGE] section of the auction text; a load without it raises.
    void Save(std::string& sData) const;
    void Load(std::string_view sData);
    void Clear();

private:
    bool GetFirstClassFee(float& fFee) const;
    bool GetRangeFee(const clsPrices::Range& oRange, float& fFee) const;
    bool GetClassFee(PostageClass eClass, float& fFee) const;
    float ApplySendIndividually(float fAmount) const;

    const clsOutlay* m_oOutlay = nullptr;
};
