#include "clsTodayOptions.h"

#include "basNumbers.h"
#include "clsTodayInputs.h"
#include "clsTodaySchedule.h"

#include <CLI/CLI.hpp>

#include <cmath>

namespace {

constexpr const char* kGroup =
    "Today's inputs, with today's schedule (each one given applies to every auction, over what "
    "the auction's [TODAY] section says)";

// Keys are letters, digits, "-" and "_": only ASCII letters fold.
bool SameKey(std::string_view a, std::string_view b) {
    auto Fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

const clsTodayChoice* FindChoice(const std::vector<clsTodayChoice>& aoChoices,
                                 std::string_view sKey) {
    for (const clsTodayChoice& o : aoChoices)
        if (SameKey(o.m_sKey, sKey)) return &o;
    return nullptr;
}

std::string KeyList(const std::vector<clsTodayChoice>& aoChoices) {
    std::string s;
    for (const clsTodayChoice& o : aoChoices)
        s += (s.empty() ? "" : ", ") + o.m_sKey;
    return s;
}

// A finite percentage from 0 to 100; the ad rate is 0 (not promoted) or within eBay's 2 to 100.
CLI::Validator Percentage(bool bAdRate) {
    return CLI::Validator(
        [bAdRate](std::string& sText) -> std::string {
            double d = 0;
            if (!ParseNumber(sText, d) || !std::isfinite(d) || d < 0 || d > 100)
                return "a percentage from 0 to 100 is needed, not " + sText;
            if (bAdRate && d != 0 && d < 2)
                return "eBay's ad rates run from 2 to 100 percent (0: not promoted), not " + sText;
            return {};
        },
        "PERCENT");
}

} // namespace

void clsTodayOptions::AddTo(CLI::App& oApp) {
    struct KeyOption {
        const char* sName;
        std::string clsTodayOptions::*pValue;
        CLI::Option* clsTodayOptions::*pOption;
        const char* sHelp;
    };
    for (const KeyOption& o : {
             KeyOption{"--account", &clsTodayOptions::m_sAccount, &clsTodayOptions::m_pAccount,
                       "Seller account: Private, Business (UK); NoStore, Starter, Basic, Premium, "
                       "Anchor, Enterprise (US)"},
             KeyOption{"--category", &clsTodayOptions::m_sCategory, &clsTodayOptions::m_pCategory,
                       "Category key (--categories WORDS finds it), or Default"},
             KeyOption{"--buyer-region", &clsTodayOptions::m_sBuyerRegion,
                       &clsTodayOptions::m_pBuyerRegion,
                       "Where the buyer is: a region key of --categories, Domestic for a buyer "
                       "at home"},
         })
        this->*o.pOption = oApp.add_option(o.sName, this->*o.pValue, o.sHelp)->type_name("KEY");
    m_pAdRate = oApp.add_option("--ad-rate", m_fAdRate,
                                "Promoted listing ad rate, percent of the sale total (0: not "
                                "promoted)")
                    ->check(Percentage(true));
    // Each flag has its "--no-" form, to turn off what an auction's section turns on.
    struct FlagOption {
        const char* sNames;
        bool clsTodayOptions::*pValue;
        CLI::Option* clsTodayOptions::*pOption;
        const char* sHelp;
    };
    for (const FlagOption& o : {
             FlagOption{"--top-rated,!--no-top-rated", &clsTodayOptions::m_bTopRated,
                        &clsTodayOptions::m_pTopRated,
                        "Top Rated seller on a qualifying listing (or not)"},
             FlagOption{"--below-standard,!--no-below-standard", &clsTodayOptions::m_bBelowStandard,
                        &clsTodayOptions::m_pBelowStandard,
                        "Below-standard seller, who pays a surcharge (or not)"},
             FlagOption{"--vat-registered,!--no-vat-registered", &clsTodayOptions::m_bVatRegistered,
                        &clsTodayOptions::m_pVatRegistered,
                        "UK business seller registered for VAT, who reclaims the VAT on the fees "
                        "(or not)"},
         })
        this->*o.pOption = oApp.add_flag(o.sNames, this->*o.pValue, o.sHelp);
    m_pSalesTax = oApp.add_option("--sales-tax", m_fSalesTaxPercent,
                                  "US sales tax on the items and postage, percent; part of the "
                                  "total the fees are worked on")
                      ->check(Percentage(false));
    m_pOneOrder = oApp.add_flag("--one-order,!--no-one-order", m_bOneOrder,
                                "All the items bought together in one order (or each an order "
                                "of its own)");
    m_pListings = oApp.add_option("--listings-this-month", m_lListingsThisMonth,
                                  "Listings already made this month, for the free allowance of "
                                  "insertion fees")
                      ->check(CLI::Validator(
                          [](std::string& sText) -> std::string {
                              int32_t l = 0;
                              if (ParseLong(sText, l) && l >= 0) return {};
                              return "a whole number from 0 up is needed, not " + sText;
                          },
                          "COUNT"));
    for (CLI::Option* p : Options())
        p->group(kGroup);
}

std::array<CLI::Option*, 10> clsTodayOptions::Options() const {
    return {m_pAccount,       m_pCategory,      m_pBuyerRegion, m_pAdRate,   m_pTopRated,
            m_pBelowStandard, m_pVatRegistered, m_pSalesTax,    m_pOneOrder, m_pListings};
}

std::string clsTodayOptions::Given() const {
    std::string s;
    for (const CLI::Option* p : Options())
        if (p && p->count()) s += (s.empty() ? "" : ", ") + p->get_name();
    return s;
}

std::string clsTodayOptions::Check(const clsTodaySchedule& oSchedule) const {
    const std::string sSchedule = "eBay " + oSchedule.Site() + " today";
    const clsTodayChoice* pAccount = nullptr;
    if (m_pAccount->count()) {
        pAccount = FindChoice(oSchedule.Accounts(), m_sAccount);
        if (!pAccount)
            return "--account " + m_sAccount + ": " + sSchedule + " has no such account (it has " +
                   KeyList(oSchedule.Accounts()) + ")";
    }
    if (m_pCategory->count() && !oSchedule.FindCategory(m_sCategory))
        return "--category " + m_sCategory + ": " + sSchedule +
               " has no such category; --categories WORDS lists those it has";
    if (m_pBuyerRegion->count() && !FindChoice(oSchedule.BuyerRegions(), m_sBuyerRegion))
        return "--buyer-region " + m_sBuyerRegion + ": " + sSchedule +
               " has no such buyer region (it has " + KeyList(oSchedule.BuyerRegions()) + ")";

    // An input set that no account concerned can use would change nothing: say so rather than
    // print figures the user believes include it. Turning one off is always fine.
    auto Used = [&](bool clsTodayApplies::*pApplies) {
        if (pAccount) return oSchedule.Applies(pAccount->m_sKey).*pApplies;
        for (const clsTodayChoice& o : oSchedule.Accounts())
            if (oSchedule.Applies(o.m_sKey).*pApplies) return true;
        return false;
    };
    const std::string sAccount = pAccount ? " (account: " + pAccount->m_sName + ")" : "";
    struct Input {
        const CLI::Option* pOption;
        bool bSet;
        bool clsTodayApplies::*pApplies;
        const char* sWhy;
    };
    const Input aoInputs[] = {
        {m_pTopRated, m_bTopRated, &clsTodayApplies::m_bTopRated, "gives no Top Rated discount"},
        {m_pBelowStandard, m_bBelowStandard, &clsTodayApplies::m_bBelowStandard,
         "charges no below-standard surcharge"},
        {m_pVatRegistered, m_bVatRegistered, &clsTodayApplies::m_bVat, "adds no VAT to the fees"},
        {m_pSalesTax, m_fSalesTaxPercent != 0, &clsTodayApplies::m_bSalesTax,
         "takes no sales tax into the fees"},
        {m_pAdRate, m_fAdRate != 0, &clsTodayApplies::m_bAdRate, "has no promoted listings"},
    };
    for (const Input& o : aoInputs)
        if (o.pOption->count() && o.bSet && !Used(o.pApplies))
            return o.pOption->get_name() + ": " + sSchedule + " " + o.sWhy + sAccount;
    return {};
}

void clsTodayOptions::ApplyTo(clsTodayInputs& oInputs) const {
    if (m_pAccount->count()) oInputs.m_sAccount = m_sAccount;
    if (m_pCategory->count()) oInputs.m_sCategory = m_sCategory;
    if (m_pBuyerRegion->count()) oInputs.m_sBuyerRegion = m_sBuyerRegion;
    if (m_pAdRate->count()) oInputs.m_fAdRate = m_fAdRate;
    if (m_pTopRated->count()) oInputs.m_bTopRated = m_bTopRated;
    if (m_pBelowStandard->count()) oInputs.m_bBelowStandard = m_bBelowStandard;
    if (m_pVatRegistered->count()) oInputs.m_bVatRegistered = m_bVatRegistered;
    if (m_pSalesTax->count()) oInputs.m_fSalesTaxPercent = m_fSalesTaxPercent;
    if (m_pOneOrder->count()) oInputs.m_bOneOrder = m_bOneOrder;
    if (m_pListings->count()) oInputs.m_lListingsThisMonth = m_lListingsThisMonth;
}
