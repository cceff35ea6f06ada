#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where a value of today's schedule comes from, as the data notes say.
enum class SourceFlag : int32_t { Published = 0, Corroborated = 1, ThirdParty = 2, Unknown = 3 };
// "published", "corroborated", "third-party", "unknown".
std::string_view SourceFlagText(SourceFlag eFlag);

// A value of today's schedule that the last calculation used and whose source is weaker than
// eBay's own page: shown beside the figures so the user knows what to check.
struct clsTodayNote {
    std::string m_sWhat; // "Final value fee, Jewellery & Watches"
    SourceFlag m_eFlag = SourceFlag::Unknown;
    // "Final value fee, Jewellery & Watches: third-party figure"
    std::string Text() const;
    void AppendText(std::string& sOut) const;
};

// The figures of one auction under today's schedule: every fee by kind, for all orders of the
// sale together, in the site's currency. Each fee is rounded to the penny per order (half up)
// before it is added; eBay's own rounding is not published. Filled by clsTodaySchedule::DoCalc
// (clsCalculate::DoCalc fills clsCalculate::m_oTodayFigures when the price table is today's).
struct clsTodayFigures {
    int32_t m_lOrders = 0;      // orders the sale makes: 1, or one per item
    float m_fItems = 0;         // item price x quantity
    float m_fPostage = 0;       // postage charged to the buyers (cost and mark-up)
    float m_fSalesTax = 0;      // US sales tax collected from the buyers, in the fee base
    float m_fSaleTotal = 0;     // the fee base: items + postage + sales tax
    float m_fInsertionFee = 0;  // after the free monthly allowance
    float m_fFinalValueFee = 0; // the category's percentage part, before the Top Rated discount
    float m_fPerOrderFee = 0;
    float m_fRegulatoryFee = 0;
    float m_fInternationalFee = 0;
    float m_fBelowStandardFee = 0;
    float m_fTopRatedDiscount = 0;   // taken off: a positive amount
    float m_fAdFee = 0;              // promoted listing, general strategy
    float m_fFeesExVat = 0;          // all the above fees less the discount
    float m_fVatOnFees = 0;          // UK business sellers
    bool m_bVatReclaimed = false;    // VAT-registered: not a cost, shown apart
    float m_fTotalFees = 0;          // what eBay takes: fees and their VAT
    float m_fSellingCost = 0;        // what the fees cost the seller: less reclaimed VAT
    float m_fBuyerProtectionFee = 0; // UK private sales: paid by the buyer, not the seller
    float m_fBuyersPrice = 0;        // what the buyers pay in all: sale total + protection fee
    float m_fSellerReceives = 0;     // items and postage less the total fees (tax passes on)

    // What the sale was worked out with, as indexes into the schedule's Accounts(),
    // Categories() and BuyerRegions(): the auction's own keys, or the defaults they fell back to.
    size_t m_nAccount = 0;
    size_t m_nCategory = 0;
    size_t m_nBuyerRegion = 0;

    std::string m_sDataDate; // date of the schedule's data: "2026-12-08"
    // Third-party and unknown values used, in the order of the figures above.
    std::vector<clsTodayNote> m_aoNotes;

    void Clear();
};
