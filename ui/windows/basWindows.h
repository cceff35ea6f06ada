#pragma once

#include <QKeySequence>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QMessageBox;
class QWidget;

// The window-side halves of the common services: the message box, the event-servicing
// pause, the shell's "open", the orderly close, and the auction file dialogs. Tests replace
// the dialogs through the handlers so that nothing waits for a person.

// Installs the program's style (a focus ring that can be seen), the QMessageBox ShowMessage, the
// event-processing Pause, the close handler and the about box's web site opener.
void InstallWindowServices();

// A message box with the buttons and icon of a system message box code (0 OK, 1 OK/Cancel,
// 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel; icons 16 critical,
// 32 question, 48 exclamation, 64 information). The caller owns it.
QMessageBox* BuildMessageBox(const std::string& sPrompt, int32_t lButtons,
                             const std::string& sTitle, QWidget* oParent = nullptr);
// The system code of a QMessageBox button (MsgBox::ResultOK ...); Cancel for none.
int32_t MessageBoxResult(int32_t lStandardButton);
// Shows the message box modally and returns the code of the button pressed; Escape and the
// window's close box give Cancel, or OK when OK is the only button.
int32_t ShowMessageBox(const std::string& sPrompt, int32_t lButtons, const std::string& sTitle);

// Opens a file, folder or web address with the desktop's default application.
void ShellOpen(const std::string& sPath, QWidget* oOwner = nullptr);
void SetShellOpenHandler(std::function<void(const QString&)> fnOpen);
// What ShellOpen hands to the desktop: a web address as it is, a path as a file address.
QString ShellOpenUrl(const std::string& sPath);

// An auction file dialog: bSave chooses the save dialog (which asks before overwriting).
// Returns the chosen path, empty when cancelled.
struct clsFileDialogRequest {
    bool m_bSave = false;
    QString m_sTitle;
    QString m_sFilter;   // "Gavelry UK files (*.gva)"
    QString m_sFolder;   // where the dialog opens
    QString m_sFileName; // the name proposed
};
using FileDialogHandler = std::function<QString(const clsFileDialogRequest&)>;
QString ChooseFile(const clsFileDialogRequest& oRequest, QWidget* oOwner);
void SetFileDialogHandler(FileDialogHandler fnHandler);

// The platform's keys for a standard command, or sFallback where the platform has none (no
// Quit key on Windows, none for Save As in some desktops).
QList<QKeySequence> StandardShortcut(QKeySequence::StandardKey eKey, const char* sFallback);

// The main window, once start-up has made it (the close handler unloads it).
void SetMainWindow(QWidget* oWindow);
QWidget* GetMainWindow();
// CloseApplication was called: start-up stops short of the event loop.
bool IsApplicationClosing();
void ResetApplicationClosing();
