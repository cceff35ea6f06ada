#include "clsBatchRunner.h"

#include "basCommon.h"
#include "clsCalculate.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>

namespace {

// A block is handed on at this many auctions or bytes of text, whichever comes first: large
// enough that threads rarely meet, small enough that a few in flight use little memory.
constexpr size_t kBlockItems = 512;
constexpr size_t kBlockBytes = 128 << 10;

std::string TooLong() {
    return "the line is longer than " + DescribeBytes(clsCalculate::kMaxTextBytes);
}

} // namespace

// Auctions of the input, their texts one after another in sTexts, and what they printed.
struct clsBatchRunner::Block {
    struct Item {
        size_t nOffset = 0;
        size_t nLength = 0;
        size_t nLine = 0;  // of standard input; 0 for a file, named by sName
        std::string sName; // a file's path
        bool bUnreadable = false;
        std::string sReason; // why it could not be read
    };
    std::string sTexts;
    std::vector<Item> aoItems;
    clsBatchOutput oOutput;
    bool bAllFine = true;
    bool bDone = false; // calculated
    std::exception_ptr oFailure;
};

struct clsBatchRunner::Worker {
    Worker(OutputFormat eFormat, const InsightOptions& oInsight, const clsTodayOptions* pToday)
        : oCalculator(eFormat, oInsight, pToday) {}
    clsBatchCalculator oCalculator;
    std::thread oThread;
};

clsBatchRunner::clsBatchRunner(int32_t lJobs, OutputFormat eFormat, const InsightOptions& oInsight,
                               const clsTodayOptions* pToday)
    : m_lJobs(std::max(lJobs, 1)) {
    clsBatchCalculator oHeader(eFormat, oInsight);
    oHeader.WriteHeader();
    clsBatchOutput oOutput;
    oHeader.TakeOutput(oOutput);
    oOutput.Write();

    if (m_lJobs == 1) {
        m_oCalculator = std::make_unique<clsBatchCalculator>(eFormat, oInsight, pToday);
        return;
    }
    // Every calculator is made here, on this thread, before any thread starts.
    for (int32_t i = 0; i < m_lJobs; ++i)
        m_aoWorkers.push_back(std::make_unique<Worker>(eFormat, oInsight, pToday));
    for (auto& oWorker : m_aoWorkers)
        oWorker->oThread = std::thread([this, pWorker = oWorker.get()] { Work(*pWorker); });
}

clsBatchRunner::~clsBatchRunner() {
    {
        const std::lock_guard oGuard(m_oLock);
        m_bStop = true;
    }
    m_oWorkReady.notify_all();
    for (auto& oWorker : m_aoWorkers)
        if (oWorker->oThread.joinable()) oWorker->oThread.join();
}

clsBatchRunner::Block& clsBatchRunner::Filling() {
    if (!m_oFilling) {
        if (m_aoSpare.empty()) {
            m_oFilling = std::make_unique<Block>();
        } else {
            m_oFilling = std::move(m_aoSpare.back());
            m_aoSpare.pop_back();
        }
    }
    return *m_oFilling;
}

void clsBatchRunner::AddText(std::string_view sText, std::string_view sName, size_t nLine) {
    Block& oBlock = Filling();
    Block::Item& oItem = oBlock.aoItems.emplace_back();
    oItem.nOffset = oBlock.sTexts.size();
    oItem.nLength = sText.size();
    oItem.nLine = nLine;
    oItem.sName = sName;
    oBlock.sTexts += sText;
    if (oBlock.aoItems.size() >= kBlockItems || oBlock.sTexts.size() >= kBlockBytes) HandOn();
}

void clsBatchRunner::AddUnreadable(std::string_view sName, size_t nLine, std::string_view sReason) {
    Block& oBlock = Filling();
    Block::Item& oItem = oBlock.aoItems.emplace_back();
    oItem.nOffset = oBlock.sTexts.size();
    oItem.nLine = nLine;
    oItem.sName = sName;
    oItem.bUnreadable = true;
    oItem.sReason = sReason;
    // Said at once: whatever comes after it may take long to arrive (an endless line).
    HandOn();
    while (PrintOldest()) {
    }
}

void clsBatchRunner::Calculate(Block& oBlock, clsBatchCalculator& oCalculator) {
    try {
        for (const Block::Item& oItem : oBlock.aoItems) {
            char acName[32] = "line ";
            std::string_view sName = oItem.sName;
            if (oItem.nLine) {
                const auto oEnd = std::to_chars(acName + 5, acName + sizeof acName, oItem.nLine);
                sName = std::string_view(acName, size_t(oEnd.ptr - acName));
            }
            oBlock.bAllFine &=
                oItem.bUnreadable
                    ? oCalculator.Unreadable(sName, oItem.sReason, oItem.nLine != 0)
                    : oCalculator.Calculate(
                          std::string_view(oBlock.sTexts).substr(oItem.nOffset, oItem.nLength),
                          sName);
        }
    } catch (...) {
        oBlock.oFailure = std::current_exception();
    }
    oCalculator.TakeOutput(oBlock.oOutput);
}

void clsBatchRunner::HandOn() {
    if (!m_oFilling || m_oFilling->aoItems.empty()) return;
    std::unique_ptr<Block> oBlock = std::move(m_oFilling);
    if (m_lJobs == 1) {
        Calculate(*oBlock, *m_oCalculator);
        oBlock->bDone = true;
        m_aoOut.push_back(std::move(oBlock));
        PrintOldest();
        return;
    }
    {
        const std::lock_guard oGuard(m_oLock);
        m_aoOut.push_back(std::move(oBlock));
    }
    m_oWorkReady.notify_one();
    // A few blocks waiting for each thread keep every thread busy; more would only use memory.
    while (m_aoOut.size() > size_t(2 * m_lJobs + 1))
        PrintOldest();
}

bool clsBatchRunner::PrintOldest() {
    std::unique_ptr<Block> oBlock;
    {
        std::unique_lock oGuard(m_oLock);
        if (m_aoOut.empty()) return false;
        m_oBlockDone.wait(oGuard, [this] { return m_aoOut.front()->bDone; });
        oBlock = std::move(m_aoOut.front());
        m_aoOut.pop_front();
        if (m_nNextToCalculate > 0) --m_nNextToCalculate;
    }
    if (oBlock->oFailure) std::rethrow_exception(oBlock->oFailure);
    oBlock->oOutput.Write();
    m_bAllFine &= oBlock->bAllFine;
    oBlock->sTexts.clear();
    oBlock->aoItems.clear();
    oBlock->bAllFine = true;
    oBlock->bDone = false;
    m_aoSpare.push_back(std::move(oBlock));
    return true;
}

void clsBatchRunner::Work(Worker& oWorker) {
    for (;;) {
        Block* pBlock = nullptr;
        {
            std::unique_lock oGuard(m_oLock);
            m_oWorkReady.wait(oGuard,
                              [this] { return m_bStop || m_nNextToCalculate < m_aoOut.size(); });
            if (m_nNextToCalculate >= m_aoOut.size()) return; // stopped, nothing left
            pBlock = m_aoOut[m_nNextToCalculate++].get();
        }
        Calculate(*pBlock, oWorker.oCalculator);
        {
            const std::lock_guard oGuard(m_oLock);
            pBlock->bDone = true;
        }
        m_oBlockDone.notify_all();
    }
}

void clsBatchRunner::RunLines() {
    size_t nLine = 1;
    bool bTooLong = false;
    // The line being read is gathered at the end of the block being filled.
    size_t nStart = Filling().sTexts.size();
    auto EndLine = [&] {
        Block& oBlock = Filling();
        const std::string_view sLine = std::string_view(oBlock.sTexts).substr(nStart);
        if (!bTooLong && sLine.find_first_not_of(" \t\r") != std::string_view::npos) {
            Block::Item& oItem = oBlock.aoItems.emplace_back();
            oItem.nOffset = nStart;
            oItem.nLength = sLine.size();
            oItem.nLine = nLine;
            if (oBlock.aoItems.size() >= kBlockItems || oBlock.sTexts.size() >= kBlockBytes)
                HandOn();
        } else {
            oBlock.sTexts.resize(nStart); // a blank line is counted, not calculated
        }
        nStart = Filling().sTexts.size();
        bTooLong = false;
        ++nLine;
    };
    char acBuffer[65536];
    for (;;) {
        const ssize_t nRead = ::read(STDIN_FILENO, acBuffer, sizeof acBuffer);
        if (nRead < 0 && errno == EINTR) continue;
        if (nRead < 0) {
            Filling().sTexts.resize(nStart);
            HandOn();
            while (PrintOldest()) {
            }
            std::fprintf(stderr, "standard input: cannot read it\n");
            m_bAllFine = false;
            return;
        }
        if (nRead == 0) break;
        std::string_view sChunk(acBuffer, size_t(nRead));
        while (!sChunk.empty()) {
            const size_t nEnd = std::min(sChunk.find('\n'), sChunk.size());
            if (!bTooLong) {
                std::string& sTexts = Filling().sTexts;
                if (sTexts.size() - nStart + nEnd > clsCalculate::kMaxTextBytes) {
                    bTooLong = true;
                    sTexts.resize(nStart);
                    AddUnreadable("", nLine, TooLong());
                    nStart = Filling().sTexts.size();
                } else {
                    sTexts.append(sChunk.substr(0, nEnd));
                }
            }
            if (nEnd == sChunk.size()) break;
            EndLine();
            sChunk.remove_prefix(nEnd + 1);
        }
    }
    if (Filling().sTexts.size() > nStart || bTooLong) EndLine();
}

void clsBatchRunner::RunFile(const std::string& sPath) {
    std::string sText;
    switch (ReadWholeFile(sPath, clsCalculate::kMaxTextBytes, sText)) {
    case FileRead::Done:
        AddText(sText, sPath, 0);
        return;
    case FileRead::CannotOpen:
        AddUnreadable(sPath, 0, "cannot open the file");
        return;
    case FileRead::ReadError:
        AddUnreadable(sPath, 0, "cannot read the file");
        return;
    case FileRead::TooLarge:
        break;
    }
    AddUnreadable(sPath, 0,
                  "larger than " + DescribeBytes(clsCalculate::kMaxTextBytes) +
                      ": not an auction file");
}

bool clsBatchRunner::Finish() {
    HandOn();
    while (PrintOldest()) {
    }
    std::fflush(stdout);
    return m_bAllFine;
}
