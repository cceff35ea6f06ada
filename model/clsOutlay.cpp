#include "clsOutlay.h"

#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsPrices.h"

namespace {
constexpr std::string_view kMarker = "[OUTLAY]";
}

clsOutlay::clsOutlay() {
    Serialize(m_sDefaults, true);
}

float clsOutlay::DoCalc() const {
    float fTotal = ToSingle(double(m_fOutlay) * m_lQuantity);
    float fTax = 0;
    if (m_bAddTax && GetPrices().GetPrice("LocalTax", fTax))
        fTotal = ToSingle(fTotal + fTax / 100.0 * fTotal);
    return fTotal;
}

void clsOutlay::Serialize(std::string& sData, bool bSave) {
    using S = clsAuctionSection;
    if (bSave) {
        S::Append(sData, kMarker,
                  {S::SingleText(m_fOutlay), S::SingleText(m_fStartingPrice),
                   S::SingleText(m_fReservePrice), S::SingleText(m_fEstimatedEndPrice),
                   S::WholeText(m_lQuantity), S::FlagText(m_bAddTax)});
        return;
    }
    const S oSection(sData, kMarker, true);
    oSection.ReadSingle(0, m_fOutlay);
    oSection.ReadSingle(1, m_fStartingPrice);
    oSection.ReadSingle(2, m_fReservePrice);
    oSection.ReadSingle(3, m_fEstimatedEndPrice);
    oSection.ReadLong(4, m_lQuantity);
    oSection.ReadFlag(5, m_bAddTax);
}

void clsOutlay::Clear() {
    Serialize(m_sDefaults, false);
}
