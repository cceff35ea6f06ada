// Speed of one edit in the calculator, from the field to every label refreshed: the
// panel's write-back, the whole calculation, the selling costs, the profit chart's curve and
// breakdown, and the re-apply of all five section panels; and the same with the calculator
// painted afterwards. Also one settings read from a large settings file. Run with
// QT_QPA_PLATFORM=offscreen; the median is the figure to watch.

#include "basCommon.h"
#include "basControls.h"
#include "clsCalculate.h"
#include "clsPrices.h"
#include "clsRegistryAccess.h"
#include "clsSellingFeatures.h"
#include "ctlCalculator.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlSellingFeatures.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <memory>

namespace {

// Settings in a folder of their own and the shipped UK prices, before any panel asks.
struct clsEnvironment {
    clsEnvironment() {
        qputenv("GAVELRY_CONFIG_DIR", QFile::encodeName(m_oConfigDir.filePath("config")));
        SetRegion(RegionUK);
        auto oPrices = std::make_unique<clsPrices>();
        oPrices->LoadPriceFile(GAVELRY_DATA_DIR "/UpdateUK_v0102.dat");
        SetPrices(std::move(oPrices));
    }
    ~clsEnvironment() { qunsetenv("GAVELRY_CONFIG_DIR"); }

    QTemporaryDir m_oConfigDir;
};

// A shown calculator on a realistic auction.
class clsBench {
public:
    clsBench() {
        clsCalculate& oDoc = GetWorkingDoc();
        oDoc.m_oOutlay.m_fOutlay = 40;
        oDoc.m_oOutlay.m_fStartingPrice = 0.99f;
        oDoc.m_oOutlay.m_fEstimatedEndPrice = 100;
        oDoc.m_oOutlay.m_lQuantity = 3;
        oDoc.m_oSellingFeatures.SetFeature(SellingFeature::Bold, true);
        oDoc.m_oSellingFeatures.SetFeature(SellingFeature::Gallery, true);
        oDoc.m_oPayPal.m_bUsePayPal = true;
        oDoc.m_oPostage.m_bUse = true;
        oDoc.m_oPostage.m_fWeight = 0.5f;
        oDoc.m_oPostage.m_bRecorded = true;
        int32_t X = 0, Y = 0;
        m_ctlCalculator.CalcMinSize(X, Y);
        m_ctlCalculator.resize(TwipsToPixels(X) + 8, TwipsToPixels(Y) + 8);
        m_ctlCalculator.show();
        QApplication::setActiveWindow(&m_ctlCalculator);
        // Focus changes take part in an edit only in an active window.
        if (!QTest::qWaitForWindowActive(&m_ctlCalculator)) std::abort();
    }

    clsEnvironment m_oEnvironment;
    ctlCalculator m_ctlCalculator;
};

// Made at the first benchmark and gone before the application: no widget outlives it.
std::unique_ptr<clsBench>& BenchHolder() {
    static std::unique_ptr<clsBench> oBench;
    return oBench;
}

clsBench& Bench() {
    if (!BenchHolder()) BenchHolder() = std::make_unique<clsBench>();
    return *BenchHolder();
}

// A new estimated end price committed in a field, as when the user leaves it: £100 <-> £99
// keeps the chart's scales, £100 <-> £101 gives it new ones every time (the worst case).
// With paint, the whole calculator is painted afterwards, charts included.
void EditEndPrice(benchmark::State& oState, float fOther, bool bPaint) {
    auto* txtEstimatedEndPrice =
        Bench().m_ctlCalculator.Outlay()->ControlAs<ctlNumericText>("txtEstimatedEndPrice");
    float fPrice = 100;
    for (auto _ : oState) {
        fPrice = fPrice == 100 ? fOther : 100;
        txtEstimatedEndPrice->Value(fPrice);
        emit txtEstimatedEndPrice->Change();
        if (bPaint) Bench().m_ctlCalculator.repaint();
    }
    if (GetWorkingDoc().m_oOutlay.m_fEstimatedEndPrice != fPrice)
        oState.SkipWithError("the edit did not reach the auction");
}
void BM_EditField(benchmark::State& oState) {
    EditEndPrice(oState, 99, false);
}
void BM_EditFieldNewScales(benchmark::State& oState) {
    EditEndPrice(oState, 101, false);
}
void BM_EditFieldAndPaint(benchmark::State& oState) {
    EditEndPrice(oState, 99, true);
}
BENCHMARK(BM_EditField)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_EditFieldNewScales)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_EditFieldAndPaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One keystroke in the end price field while the user types, as far as every label refreshed
// and the chart redrawn: "100.5" <-> "100.55" keeps the chart's scales, as most keystrokes in
// a price do; "10" <-> "100" gives it new ones.
void TypeIntoEndPrice(benchmark::State& oState, const char* sText, Qt::Key eKey) {
    auto* txtEstimatedEndPrice =
        Bench().m_ctlCalculator.Outlay()->ControlAs<ctlNumericText>("txtEstimatedEndPrice");
    txtEstimatedEndPrice->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(txtEstimatedEndPrice, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(txtEstimatedEndPrice, QLatin1String(sText));
    bool bTyped = false;
    for (auto _ : oState) {
        QTest::keyClick(txtEstimatedEndPrice, bTyped ? Qt::Key_Backspace : eKey);
        bTyped = !bTyped;
    }
    if (!txtEstimatedEndPrice->hasFocus() ||
        GetWorkingDoc().m_oOutlay.m_fEstimatedEndPrice != txtEstimatedEndPrice->Value())
        oState.SkipWithError("the keystrokes did not reach the auction");
    QTest::keyClick(txtEstimatedEndPrice, Qt::Key_Tab);
}
void BM_Keystroke(benchmark::State& oState) {
    TypeIntoEndPrice(oState, "100.5", Qt::Key_5);
}
void BM_KeystrokeNewScales(benchmark::State& oState) {
    TypeIntoEndPrice(oState, "10", Qt::Key_0);
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeystrokeNewScales)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A listing upgrade ticked or unticked with the mouse.
void BM_ClickUpgrade(benchmark::State& oState) {
    QWidget* chkHighlight = Bench().m_ctlCalculator.SellingFeatures()->Control("chkHighlight");
    for (auto _ : oState)
        QTest::mouseClick(chkHighlight, Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, chkHighlight->height() / 2));
}
BENCHMARK(BM_ClickUpgrade)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// One settings read from a 4 MB user.ini, as the window and each panel read theirs at
// start-up: a look-up in the parsed copy of the file. It was a parse of the whole file, which
// made such a start take 16 to 22 s.
void BM_ReadSettingFromALargeFile(benchmark::State& oState) {
    QTemporaryDir oDir;
    QFile oFile(oDir.filePath("user.ini"));
    if (!oFile.open(QIODevice::WriteOnly)) return oState.SkipWithError("no settings file");
    oFile.write("[Software/Tessary/Gavelry%20UK/Config]\nStartMode=1\n\n[Junk]\n");
    for (int i = 0; oFile.size() < 4000000; ++i)
        oFile.write(QStringLiteral("key%1=value %1\n").arg(i, 7, 10, QLatin1Char('0')).toUtf8());
    oFile.close();
    const QByteArray abConfig = qgetenv("GAVELRY_CONFIG_DIR");
    qputenv("GAVELRY_CONFIG_DIR", QFile::encodeName(oDir.path()));
    clsRegistryAccess oRegistry;
    oRegistry.FullApplicationRegKey("Software\\Tessary\\Gavelry UK");
    for (auto _ : oState) {
        std::string sValue;
        oRegistry.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", sValue, "0");
        benchmark::DoNotOptimize(sValue);
    }
    qputenv("GAVELRY_CONFIG_DIR", abConfig);
}
BENCHMARK(BM_ReadSettingFromALargeFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication oApp(argc, argv);
    // The panels' design font, whatever the machine's: the same text to draw from one run
    // (and one build) to the next.
    QFont oFont = QApplication::font();
    oFont.setPointSizeF(8);
    QApplication::setFont(oFont);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    BenchHolder().reset();
    benchmark::Shutdown();
    return 0;
}
