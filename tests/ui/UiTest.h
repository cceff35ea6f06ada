#pragma once

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable QString values in test failures.
inline void PrintTo(const QString& sText, std::ostream* oOut) {
    *oOut << '"' << sText.toStdString() << '"';
}

class QWidget;
class clsCalculate;
class ctlCalculator;
class clsSellingCostFigures;
class ctlNumericText;

// The base of every widget test. Each test gets its own settings folder (GAVELRY_CONFIG_DIR)
// and the shipped UK price table; message boxes and modal dialogs fail the test instead of
// waiting for a user (see main.cpp).
class clsUiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the shipped price file of a region and makes that region the edition's.
    static void UsePrices(int32_t eRegion);
    // Three lamps bought for £40, expected to fetch £100 each, with Bold and Gallery, PayPal
    // paid individually and first class postage, recorded, with a £1 mark-up: the realistic
    // auction of the pictures.
    static void SetUpThreeLamps(clsCalculate& oAuction);
    // Shows a top-level panel and makes its window active, so that it takes the focus.
    static void ShowWindow(QWidget* oWindow);
    // Makes the calculator and shows it as the main window does: at the size it needs, with a
    // margin (twips) around the panels.
    static std::unique_ptr<ctlCalculator> ShowCalculator(int32_t lMargin = 240);
    // Clicks a control in its middle, as the user does.
    static void Click(QWidget* oCtrl);
    // Focuses a field and replaces its text by typing, staying in it.
    static void TypeOver(ctlNumericText* oField, const QString& sText);
    // The same, then leaves the field with Tab.
    static void TypeInto(ctlNumericText* oField, const QString& sText);
    // The text a user setting of the store holds, "<absent>" when none.
    static std::string UserSetting(const std::string& sSection, const std::string& sName);
    static void SetUserSetting(const std::string& sSection, const std::string& sName,
                               const std::string& sValue);

    // The profit as the selling costs show it: "£12.50 (25%)", "-£4.50".
    static QString ProfitShown(const clsSellingCostFigures& oFigures);

    // Beeps heard during the test.
    int m_lBeeps = 0;

private:
    QTemporaryDir m_oConfigDir;
    QLocale m_oLocale;
};

// Messages shown (ShowMessage) during the current test; any one fails it.
std::vector<std::string>& ShownMessages();
