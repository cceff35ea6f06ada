#include "clsOutlay.h"

#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsPriceCache.h"
#include "clsPrices.h"

namespace {
constexpr std::string_view kMarker = "[OUTLAY]";
}

float clsOutlay::DoCalc() const {
    float fTotal = ToSingle(double(m_fOutlay) * m_lQuantity);
    float fTax = 0;
    if (m_bAddTax && GetPrices().Cache().m_oLocalTax.Get(fTax))
        fTotal = ToSingle(fTotal + fTax / 100.0 * fTotal);
    return fTotal;
}

void clsOutlay::Save(std::string& sData) const {
    clsAuctionSection::Writer(sData, kMarker)
        .Single(m_fOutlay)
        .Single(m_fStartingPrice)
        .Single(m_fReservePrice)
        .Single(m_fEstimatedEndPrice)
        .Whole(m_lQuantity)
        .Flag(m_bAddTax)
        .End();
}

void clsOutlay::Load(std::string_view sData) {
    const clsAuctionSection oSection(sData, kMarker, true);
    oSection.ReadSingle(0, m_fOutlay);
    oSection.ReadSingle(1, m_fStartingPrice);
    oSection.ReadSingle(2, m_fReservePrice);
    oSection.ReadSingle(3, m_fEstimatedEndPrice);
    oSection.ReadLong(4, m_lQuantity);
    oSection.ReadFlag(5, m_bAddTax);
}

void clsOutlay::Clear() {
    Load(clsAuctionSection::Defaults<clsOutlay>());
}
