#pragma once

// The fixture of the main window's tests: a window started in a chosen start mode, with
// message boxes answered and file dialogs chosen from lists the test fills, and a documents
// folder of its own.
#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "basMain.h"
#include "basSettings.h"
#include "basWindows.h"
#include "clsCalculate.h"
#include "ctlCalculator.h"
#include "ctlMovie.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

enum Button { New = 0, Calculator, Wizard, Save, Load, Configure };

} // namespace

class MainWindowTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        ASSERT_TRUE(m_oDocs.isValid());
        g_bDebug = false;
        g_lSnapToGrid = 120;
        SetUserSetting("Config", "LastFolder", Docs().toStdString());
        ResetLastFolder();
        for (clsCalculate* oDoc : {&GetWorkingDoc(), &GetDefaultAuction()}) {
            oDoc->Clear();
            oDoc->SetDirty(false);
        }
        SetShowMessageHandler(
            [this](const std::string& sPrompt, int32_t lButtons, const std::string& sTitle) {
                m_asPrompts.push_back(sPrompt);
                m_alCodes.push_back(lButtons);
                m_asTitles.push_back(sTitle);
                if (m_alAnswers.empty()) {
                    ADD_FAILURE() << "Unexpected message box: " << sPrompt;
                    return MsgBox::ResultCancel;
                }
                const int32_t lAnswer = m_alAnswers.front();
                m_alAnswers.pop_front();
                return lAnswer;
            });
        SetFileDialogHandler([this](const clsFileDialogRequest& oRequest) {
            m_aoRequests.push_back(oRequest);
            if (m_asFiles.empty()) {
                ADD_FAILURE() << "Unexpected file dialog";
                return QString();
            }
            const QString sName = m_asFiles.front();
            m_asFiles.pop_front();
            return sName.isEmpty() ? QString() : QDir(m_oDocs.path()).filePath(sName);
        });
    }

    void TearDown() override {
        if (m_oMain) {
            // Whatever the test left unsaved is dropped without asking.
            GetWorkingDoc().SetDirty(false);
            GetDefaultAuction().SetDirty(false);
            m_oMain->close();
            m_oMain.reset();
        }
        SetFileDialogHandler({});
        frmMain::SetAboutBoxHook({});
        SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
            ShownMessages().push_back(sPrompt);
            ADD_FAILURE() << "Unexpected message box: " << sPrompt;
            return MsgBox::ResultCancel;
        });
        EXPECT_TRUE(m_alAnswers.empty()) << "answers left unused";
        EXPECT_TRUE(m_asFiles.empty()) << "file choices left unused";
        clsUiTest::TearDown();
    }

    QString Docs() const { return m_oDocs.path() + QLatin1Char('/'); }

    frmMain& Start(const char* sStartMode = "1") {
        if (sStartMode) SetUserSetting("Config", "StartMode", sStartMode);
        m_oMain = std::make_unique<frmMain>();
        ShowWindow(m_oMain.get());
        return *m_oMain;
    }

    void Press(int32_t nButton) {
        emit m_oMain->swfVerticalMenuButtons[size_t(nButton)]->FSCommand(QStringLiteral("click"),
                                                                         QString());
    }

    ctlNumericText* Outlay() const {
        return m_oMain->ctlCalculator1->Outlay()->ControlAs<ctlNumericText>(
            QStringLiteral("txtOutlay"));
    }

    QString Caption() const { return m_oMain->windowTitle(); }

    // The size the window needs for the calculator, as far as the screen allows.
    QSize CalculatorWindowSize() const {
        int32_t X = 0, Y = 0;
        m_oMain->ctlCalculator1->CalcMinSize(X, Y);
        const QSize szScreen = m_oMain->screen()->availableGeometry().size();
        return QSize(TwipsToPixels(1590 + X), TwipsToPixels(Y)).boundedTo(szScreen);
    }

    static QByteArray ReadFile(const QString& sPath) {
        QFile oFile(sPath);
        return oFile.open(QIODevice::ReadOnly) ? oFile.readAll() : QByteArray("<missing>");
    }

    void WriteDoc(const QString& sName) {
        QFile oFile(QDir(m_oDocs.path()).filePath(sName));
        ASSERT_TRUE(oFile.open(QIODevice::WriteOnly));
        oFile.write("x");
    }

    QTemporaryDir m_oDocs;
    std::unique_ptr<frmMain> m_oMain;
    std::deque<int32_t> m_alAnswers;
    std::deque<QString> m_asFiles; // "" cancels the dialog
    std::vector<std::string> m_asPrompts;
    std::vector<int32_t> m_alCodes;
    std::vector<std::string> m_asTitles;
    std::vector<clsFileDialogRequest> m_aoRequests;
};

inline const char* const kSaveQuestion =
    "The current auction has been modified but not saved. Save now?";
inline const char* const kDefaultQuestion =
    "The default auction has been modified but not saved. Save now?";
