#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI
class clsTodayInputs;
class clsTodaySchedule;

// Today's inputs given on the command line (--account, --category, --top-rated ...): each
// one given is applied to every auction of the run, over what the auction's own [TODAY]
// section says; those not given keep the auction's.
class clsTodayOptions {
public:
    // Adds the options to the command line, in a group of their own.
    void AddTo(CLI::App& oApp);
    // The options given, as typed ("--category, --top-rated"); empty when none.
    std::string Given() const;
    bool Any() const { return !Given().empty(); }
    // Checks the values against the schedule in use: a key it does not have, or an input that
    // means nothing for it (sales tax where the fees take none, VAT where no account pays
    // it ...). The message for the user, or empty when every value fits.
    std::string Check(const clsTodaySchedule& oSchedule) const;
    // Sets the inputs given over those of an auction.
    void ApplyTo(clsTodayInputs& oInputs) const;

private:
    // Every option, in the order of --help; null before AddTo.
    std::array<CLI::Option*, 10> Options() const;

    std::string m_sAccount;
    std::string m_sCategory;
    std::string m_sBuyerRegion;
    float m_fAdRate = 0;
    float m_fSalesTaxPercent = 0;
    int32_t m_lListingsThisMonth = 0;
    bool m_bTopRated = false;
    bool m_bBelowStandard = false;
    bool m_bVatRegistered = false;
    bool m_bOneOrder = false;

    CLI::Option* m_pAccount = nullptr;
    CLI::Option* m_pCategory = nullptr;
    CLI::Option* m_pBuyerRegion = nullptr;
    CLI::Option* m_pAdRate = nullptr;
    CLI::Option* m_pSalesTax = nullptr;
    CLI::Option* m_pListings = nullptr;
    CLI::Option* m_pTopRated = nullptr;
    CLI::Option* m_pBelowStandard = nullptr;
    CLI::Option* m_pVatRegistered = nullptr;
    CLI::Option* m_pOneOrder = nullptr;
};
