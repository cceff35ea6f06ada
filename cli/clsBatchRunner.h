#pragma once

#include "clsBatchCalculator.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Feeds a batch of auctions (the lines of standard input, auction files) through calculators
// in blocks of a few hundred, on as many threads as asked, and prints each block's output in
// the order of the input. Only a bounded number of blocks is held at a time, so the memory
// stays the same whatever the length of the input.
class clsBatchRunner {
public:
    // lJobs threads of calculation; 1 calculates on the caller's thread. pToday: today's inputs
    // given on the command line, for every auction (it outlives the runner).
    clsBatchRunner(int32_t lJobs, OutputFormat eFormat, const InsightOptions& oInsight,
                   const clsTodayOptions* pToday = nullptr);
    ~clsBatchRunner();
    clsBatchRunner(const clsBatchRunner&) = delete;
    clsBatchRunner& operator=(const clsBatchRunner&) = delete;

    // Each non-blank line of standard input is one auction, named by its line number. A line
    // longer than an auction can be is reported as soon as it passes the limit and skipped to
    // its end; the lines after it are calculated as usual.
    void RunLines();
    // One auction file (at most an auction's size).
    void RunFile(const std::string& sPath);
    // Prints what is left; true when no input had a problem.
    bool Finish();

private:
    struct Block;
    struct Worker;

    // Where the block being filled stands: lines are added to it, then it is handed on.
    Block& Filling();
    void AddText(std::string_view sText, std::string_view sName, size_t nLine);
    void AddUnreadable(std::string_view sName, size_t nLine, std::string_view sReason);
    void HandOn();
    // Prints the oldest block once it is calculated; false when none is out.
    bool PrintOldest();
    void Calculate(Block& oBlock, clsBatchCalculator& oCalculator);
    void Work(Worker& oWorker);

    int32_t m_lJobs;
    std::unique_ptr<clsBatchCalculator> m_oCalculator; // with one job
    std::vector<std::unique_ptr<Worker>> m_aoWorkers;

    std::unique_ptr<Block> m_oFilling;
    std::vector<std::unique_ptr<Block>> m_aoSpare; // printed blocks, kept for their buffers
    bool m_bAllFine = true;

    std::mutex m_oLock;
    std::condition_variable m_oWorkReady; // a block to calculate, or the end
    std::condition_variable m_oBlockDone;
    std::deque<std::unique_ptr<Block>> m_aoOut; // handed on, oldest first, not yet printed
    size_t m_nNextToCalculate = 0;              // in m_aoOut: blocks before it are taken
    bool m_bStop = false;
};
