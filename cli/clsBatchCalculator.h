#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class OutputFormat { Text, Json, Csv };

// Extra answers asked for on the command line.
struct InsightOptions {
    bool m_bBreakEven = false;
    std::optional<float> m_ofTargetProfit;
    std::optional<float> m_ofTargetMargin; // percent of the selling cost
    bool m_bHints = false;
    bool HasTarget() const { return m_ofTargetProfit || m_ofTargetMargin; }
};

// Runs auction texts through a fresh auction each and writes their figures: the work of
// the command-line calculator, kept apart from its argument handling.
class clsBatchCalculator {
public:
    explicit clsBatchCalculator(OutputFormat eFormat, InsightOptions oInsight = {});
    ~clsBatchCalculator();
    clsBatchCalculator(const clsBatchCalculator&) = delete;
    clsBatchCalculator& operator=(const clsBatchCalculator&) = delete;

    // Calculates one auction text, named sInput in messages, and appends its output.
    // False when the input had a problem (a missing section or a failed calculation).
    bool Calculate(std::string_view sText, const std::string& sInput);
    // An input that could not be read: reported, then calculated as a fresh auction.
    bool Unreadable(const std::string& sInput, const std::string& sReason);

    void WriteHeader();
    // Output gathered so far; Flush writes it to standard output.
    std::string& Output() { return m_sOutput; }
    void Flush();

private:
    void WriteFigures(class clsCalculate& oAuction, const std::string& sInput);
    void WriteError(const std::string& sInput, const std::string& sError);

    // Insight columns shown, in order, and their count for rows without figures.
    size_t InsightColumns() const;

    OutputFormat m_eFormat;
    InsightOptions m_oInsight;
    std::string m_sOutput;
    const std::string* m_pCurrentInput = nullptr;
    bool m_bInputFailed = false;
};
