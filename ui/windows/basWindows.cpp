#include "basWindows.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSplash.h"
#include "clsFocusStyle.h"
#include "frmAbout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>

#include <memory>

namespace {

std::function<void(const QString&)> g_fnShellOpen;
FileDialogHandler g_fnFileDialog;
QPointer<QWidget> g_oMainWindow;
bool g_bClosing = false;

QWidget* DialogOwner() {
    if (QWidget* oModal = QApplication::activeModalWidget()) return oModal;
    if (QWidget* oActive = QApplication::activeWindow()) return oActive;
    return g_oMainWindow.data();
}

} // namespace

QMessageBox* BuildMessageBox(const std::string& sPrompt, int32_t lButtons,
                             const std::string& sTitle, QWidget* oParent) {
    auto* oBox = new QMessageBox(oParent);
    oBox->setObjectName(QStringLiteral("dlgMessage"));
    // An empty title would leave the box nameless; the program's name stands in.
    oBox->setWindowTitle(sTitle.empty() ? QString::fromStdString(GetAppName())
                                        : QString::fromStdString(sTitle));
    oBox->setText(QString::fromStdString(sPrompt));
    oBox->setTextFormat(Qt::PlainText);
    QMessageBox::StandardButton eDefault = QMessageBox::Ok;
    switch (lButtons & 7) {
    case 1:
        oBox->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case 2:
        oBox->setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        eDefault = QMessageBox::Abort;
        break;
    case 3:
        oBox->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        eDefault = QMessageBox::Yes;
        break;
    case 4:
        oBox->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        eDefault = QMessageBox::Yes;
        break;
    case 5:
        oBox->setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        eDefault = QMessageBox::Retry;
        break;
    default:
        oBox->setStandardButtons(QMessageBox::Ok);
        break;
    }
    oBox->setDefaultButton(eDefault);
    switch (lButtons & 0x70) {
    case MsgBox::Critical:
        oBox->setIcon(QMessageBox::Critical);
        break;
    case MsgBox::Question:
        oBox->setIcon(QMessageBox::Question);
        break;
    case MsgBox::Exclamation:
        oBox->setIcon(QMessageBox::Warning);
        break;
    case MsgBox::Information:
        oBox->setIcon(QMessageBox::Information);
        break;
    default:
        oBox->setIcon(QMessageBox::NoIcon);
        break;
    }
    return oBox;
}

int32_t MessageBoxResult(int32_t lStandardButton) {
    switch (lStandardButton) {
    case QMessageBox::Ok:
        return MsgBox::ResultOK;
    case QMessageBox::Abort:
        return 3;
    case QMessageBox::Retry:
        return 4;
    case QMessageBox::Ignore:
        return 5;
    case QMessageBox::Yes:
        return MsgBox::ResultYes;
    case QMessageBox::No:
        return MsgBox::ResultNo;
    default:
        return MsgBox::ResultCancel;
    }
}

int32_t ShowMessageBox(const std::string& sPrompt, int32_t lButtons, const std::string& sTitle) {
    std::unique_ptr<QMessageBox> oBox(BuildMessageBox(sPrompt, lButtons, sTitle, DialogOwner()));
    oBox->exec();
    const auto eButton = oBox->standardButton(oBox->clickedButton());
    // Closing a box that offers only OK answers OK, as the system's box does.
    if (eButton == QMessageBox::NoButton && (lButtons & 7) == MsgBox::OKOnly)
        return MsgBox::ResultOK;
    return MessageBoxResult(eButton);
}

QString ShellOpenUrl(const std::string& sPath) {
    const QString sText = QString::fromStdString(sPath);
    const QUrl oUrl(sText);
    if (oUrl.isValid() && oUrl.scheme().size() > 1) return oUrl.toString();
    return QUrl::fromLocalFile(QFileInfo(sText).absoluteFilePath()).toString();
}

void ShellOpen(const std::string& sPath, QWidget*) {
    const QString sUrl = ShellOpenUrl(sPath);
    LogDebug("Shell open " + sUrl.toStdString());
    if (g_fnShellOpen)
        g_fnShellOpen(sUrl);
    else
        QDesktopServices::openUrl(QUrl(sUrl));
}

void SetShellOpenHandler(std::function<void(const QString&)> fnOpen) {
    g_fnShellOpen = std::move(fnOpen);
}

QString ChooseFile(const clsFileDialogRequest& oRequest, QWidget* oOwner) {
    if (g_fnFileDialog) return g_fnFileDialog(oRequest);
    const QString sStart = oRequest.m_sFileName.isEmpty()
                               ? oRequest.m_sFolder
                               : QDir(oRequest.m_sFolder).filePath(oRequest.m_sFileName);
    if (oRequest.m_bSave)
        return QFileDialog::getSaveFileName(oOwner, oRequest.m_sTitle, sStart, oRequest.m_sFilter);
    return QFileDialog::getOpenFileName(oOwner, oRequest.m_sTitle, sStart, oRequest.m_sFilter);
}

void SetFileDialogHandler(FileDialogHandler fnHandler) {
    g_fnFileDialog = std::move(fnHandler);
}

QList<QKeySequence> StandardShortcut(QKeySequence::StandardKey eKey, const char* sFallback) {
    QList<QKeySequence> aoKeys = QKeySequence::keyBindings(eKey);
    if (aoKeys.isEmpty()) aoKeys << QKeySequence(QLatin1String(sFallback));
    return aoKeys;
}

void SetMainWindow(QWidget* oWindow) {
    g_oMainWindow = oWindow;
}

QWidget* GetMainWindow() {
    return g_oMainWindow.data();
}

bool IsApplicationClosing() {
    return g_bClosing;
}

void ResetApplicationClosing() {
    g_bClosing = false;
}

void InstallWindowServices() {
    InstallFocusStyle();
    SetShowMessageHandler(&ShowMessageBox);
    SetPauseEventHandler([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    SetCloseApplicationHandler([] {
        g_bClosing = true;
        ShowSplash(false, false);
        if (QWidget* oMain = GetMainWindow()) oMain->close();
        QCoreApplication::exit(0);
    });
    frmAbout::SetOpenWebSiteHandler(
        [](const QString& sAddress) { ShellOpen(sAddress.toStdString(), GetMainWindow()); });
}
