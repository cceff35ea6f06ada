#pragma once

#include <QDialog>

class QTextBrowser;

// Help > How to Use: one short page on the program's way of working, its words and its
// shortcuts. It stays open beside the main window while the user works.
class frmHowToUse : public QDialog {
    Q_OBJECT

public:
    explicit frmHowToUse(QWidget* oParent = nullptr);

    // The page, as HTML.
    static QString PageText();

    QTextBrowser* txtPage = nullptr;
};
