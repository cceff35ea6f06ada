#include "UiTest.h"

#include "basCommon.h"
#include "clsFocusStyle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv) {
    // Headless, and away from the user's own files, whatever the caller's environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir oHome;
    if (!oHome.isValid()) return EXIT_FAILURE;
    QDir(oHome.path()).mkpath("Documents");
    qputenv("HOME", oHome.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (oHome.path() + "/.config").toLocal8Bit());
    qputenv("XDG_DOCUMENTS_DIR", (oHome.path() + "/Documents").toLocal8Bit());

    QApplication oApp(argc, argv);
    InstallFocusStyle();
    // The panels' design font: 15 twips to a pixel, whatever the machine's own font size.
    QFont oFont = QApplication::font();
    oFont.setPointSizeF(8);
    QApplication::setFont(oFont);
    ::testing::InitGoogleTest(&argc, argv);

    // A message box would wait for a user who is not there.
    SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
        ShownMessages().push_back(sPrompt);
        ADD_FAILURE() << "Unexpected message box: " << sPrompt;
        return MsgBox::ResultCancel;
    });
    QTimer oModalWatch;
    QObject::connect(&oModalWatch, &QTimer::timeout, [] {
        if (QWidget* oModal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "Unexpected modal dialog: " << oModal->objectName().toStdString()
                          << " " << oModal->windowTitle().toStdString();
            oModal->close();
        }
    });
    oModalWatch.start(50);
    return RUN_ALL_TESTS();
}
