#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "basNumberText.h"
#include "basSettings.h"
#include "clsCalculate.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "ctlCalculator.h"
#include "ctlNumericText.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>

std::vector<std::string>& ShownMessages() {
    static std::vector<std::string> asMessages;
    return asMessages;
}

void clsUiTest::SetUp() {
    ASSERT_TRUE(m_oConfigDir.isValid());
    qputenv("GAVELRY_CONFIG_DIR", QFile::encodeName(m_oConfigDir.filePath("config")));
    ShownMessages().clear();
    // Numbers are typed and shown in the user's locale: the tests are written in English
    // (UK) forms, whatever the machine's locale.
    m_oLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    UsePrices(RegionUK);
    ctlNumericText::SetBeepHandler([this] { ++m_lBeeps; });
}

void clsUiTest::TearDown() {
    ctlNumericText::SetBeepHandler({});
    // Widgets deleted by the test may still have events queued.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetPrices(nullptr);
    SetRegion(RegionUK);
    QLocale::setDefault(m_oLocale);
    qunsetenv("GAVELRY_CONFIG_DIR");
}

void clsUiTest::UsePrices(int32_t eRegion) {
    SetRegion(eRegion);
    auto oPrices = std::make_unique<clsPrices>();
    oPrices->LoadPriceFile(std::string(GAVELRY_SOURCE_DIR) + (eRegion == RegionUS
                                                                  ? "/data/UpdateUS_v0102.dat"
                                                                  : "/data/UpdateUK_v0102.dat"));
    SetPrices(std::move(oPrices));
}

void clsUiTest::SetUpThreeLamps(clsCalculate& oAuction) {
    oAuction.m_oOutlay.m_fOutlay = 40;
    oAuction.m_oOutlay.m_fStartingPrice = 0.99f;
    oAuction.m_oOutlay.m_fEstimatedEndPrice = 100;
    oAuction.m_oOutlay.m_lQuantity = 3;
    oAuction.m_oSellingFeatures.SetFeature(SellingFeature::Bold, true);
    oAuction.m_oSellingFeatures.SetFeature(SellingFeature::Gallery, true);
    oAuction.m_oPayPal.m_bUsePayPal = true;
    oAuction.m_oPayPal.m_bPayInduvidually = true;
    oAuction.m_oPostage.m_bUse = true;
    oAuction.m_oPostage.m_fWeight = 0.5f;
    oAuction.m_oPostage.m_bRecorded = true;
    oAuction.m_oPostage.m_bMakeProfit = true;
    oAuction.m_oPostage.m_fProfit = 1;
}

QString clsUiTest::ProfitShown(const clsSellingCostFigures& oFigures) {
    QString sText = MoneyText(oFigures.m_fProfit);
    if (oFigures.m_lProfitPercent)
        sText += QStringLiteral(" (%1%)").arg(*oFigures.m_lProfitPercent);
    return sText;
}

std::unique_ptr<ctlCalculator> clsUiTest::ShowCalculator(int32_t lMargin) {
    auto oCalculator = std::make_unique<ctlCalculator>();
    int32_t X = 0, Y = 0;
    oCalculator->CalcMinSize(X, Y);
    oCalculator->resize(TwipsToPixels(X + lMargin), TwipsToPixels(Y + lMargin));
    ShowWindow(oCalculator.get());
    return oCalculator;
}

void clsUiTest::ShowWindow(QWidget* oWindow) {
    oWindow->show();
    QApplication::setActiveWindow(oWindow);
    ASSERT_TRUE(QTest::qWaitForWindowActive(oWindow));
}

void clsUiTest::Click(QWidget* oCtrl) {
    ASSERT_TRUE(oCtrl->isVisible()) << oCtrl->objectName().toStdString();
    QTest::mouseClick(oCtrl, Qt::LeftButton, Qt::NoModifier,
                      QPoint(8, oCtrl->height() / 2)); // on the indicator and caption start
}

void clsUiTest::TypeOver(ctlNumericText* oField, const QString& sText) {
    oField->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(oField->hasFocus()) << oField->objectName().toStdString();
    QTest::keyClick(oField, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(oField, Qt::Key_Backspace);
    QTest::keyClicks(oField, sText);
}

void clsUiTest::TypeInto(ctlNumericText* oField, const QString& sText) {
    TypeOver(oField, sText);
    QTest::keyClick(oField, Qt::Key_Tab);
}

std::string clsUiTest::UserSetting(const std::string& sSection, const std::string& sName) {
    std::string s;
    GetRegistry().GetRegSetting(HKEY_CURRENT_USER, sSection, sName, s, "<absent>");
    return s;
}

void clsUiTest::SetUserSetting(const std::string& sSection, const std::string& sName,
                               const std::string& sValue) {
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, sSection, sName, sValue);
}
