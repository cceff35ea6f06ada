#pragma once

#include "basOutput.h"
#include "clsTodayFigures.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class clsTodayOptions;

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
    // pToday: today's inputs given on the command line, set over every auction's own (it
    // outlives the calculator).
    explicit clsBatchCalculator(OutputFormat eFormat, InsightOptions oInsight = {},
                                const clsTodayOptions* pToday = nullptr);
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
    // The break-even and target prices and the hints asked for, worked out before anything is
    // written, so that a failing search leaves no half row.
    struct Insight {
        std::optional<float> ofBreakEven;
        std::optional<float> ofTarget;
        std::vector<std::string> asHints;
    };
    void FindInsight(const class clsCalculate& oAuction, Insight& oInsight) const;
    void WriteInsight(const Insight& oInsight);
    // The figures of today's schedule (clsBatchCalculatorToday.cpp).
    void WriteTodayHeader();
    void WriteTodayFigures(const class clsCalculate& oAuction, std::string_view sInput,
                           const Insight& oInsight);
    // Columns of a CSV row of today's figures before the insight columns.
    static size_t TodayColumns();

    // Insight columns shown, in order, and their count for rows without figures.
    size_t InsightColumns() const;

    OutputFormat m_eFormat;
    InsightOptions m_oInsight;
    const clsTodayOptions* m_pToday;
    clsBatchOutput m_oOutput;
    clsRowWriter m_oRow{m_oOutput.sOut, m_eFormat};
    Insight m_oFound;       // kept for the room of its hints
    std::string m_sScratch; // a field put together before it is written
    std::vector<clsTodayNote> m_aoNotesRoom;
    std::string_view m_sCurrentInput;
    bool m_bInputFailed = false;
};
