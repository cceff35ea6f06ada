#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class OutputFormat { Text, Json, Csv };

// Extra answers asked for on the command line.
struct InsightOptions {
    bool m_bBreakEven = false;
    std::optional<float> m_ofTargetProfit;
    std::optional<float> m_ofTargetMargin; // percent of the selling cost
    bool m_bHints = false;
    bool HasTarget() const { return m_ofTargetProfit || m_ofTargetMargin; }
};

// What a stretch of a batch prints: its standard output, and the messages for standard error
// with the place in that output where each belongs, so that the two streams can be written in
// the order they were made.
struct clsBatchOutput {
    struct Message {
        size_t nAt;        // bytes of sOut written before it
        std::string sText; // one line, its line end included
    };
    std::string sOut;
    std::vector<Message> aoMessages;

    void Clear();
    // Writes everything to standard output and standard error, in order.
    void Write() const;
};

// Runs auction texts through a fresh auction each and writes their figures: the work of
// the command-line calculator, kept apart from its argument handling and its input. One per
// thread: it keeps nothing between auctions but what it has printed.
class clsBatchCalculator {
public:
    explicit clsBatchCalculator(OutputFormat eFormat, InsightOptions oInsight = {});
    ~clsBatchCalculator();
    clsBatchCalculator(const clsBatchCalculator&) = delete;
    clsBatchCalculator& operator=(const clsBatchCalculator&) = delete;

    // Calculates one auction text, named sInput in messages, and appends its output.
    // False when the input had a problem (a missing section or a failed calculation).
    bool Calculate(std::string_view sText, std::string_view sInput);
    // An input that could not be read: reported, and false. A line of standard input is then
    // calculated as a fresh auction (bFigures), so that every line keeps its row; a file that
    // cannot be read prints nothing but the error.
    bool Unreadable(std::string_view sInput, std::string_view sReason, bool bFigures);

    // The CSV header line; nothing for the other formats.
    void WriteHeader();
    // What has been printed since the last call; the buffers of oOutput are reused.
    void TakeOutput(clsBatchOutput& oOutput);

private:
    void WriteFigures(const class clsCalculate& oAuction, std::string_view sInput);
    void WriteError(std::string_view sInput, const std::string& sError);
    void Message(std::string_view sInput, std::string_view sText);
    // The figures of today's schedule (clsBatchCalculatorToday.cpp).
    void WriteTodayHeader();
    void WriteTodayFigures(const class clsCalculate& oAuction, std::string_view sInput,
                           const std::optional<float>& ofBreakEven,
                           const std::optional<float>& ofTarget,
                           const std::vector<std::string>& asHints);
    // The break-even and target prices and the hints asked for, in the output format: JSON
    // keys, CSV columns, or text lines with captions nCaptionWidth wide.
    void AppendInsight(const std::optional<float>& ofBreakEven,
                       const std::optional<float>& ofTarget,
                       const std::vector<std::string>& asHints, size_t nCaptionWidth);
    // Columns of a CSV row of today's figures before the insight columns.
    static size_t TodayColumns();

    // Insight columns shown, in order, and their count for rows without figures.
    size_t InsightColumns() const;

    OutputFormat m_eFormat;
    InsightOptions m_oInsight;
    clsBatchOutput m_oOutput;
    std::string_view m_sCurrentInput;
    bool m_bInputFailed = false;
};
