#include "frmHowToUse.h"

#include "basCommon.h"
#include "basWindows.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString Keys(QKeySequence::StandardKey eKey, const char* sFallback) {
    return StandardShortcut(eKey, sFallback)
        .first()
        .toString(QKeySequence::NativeText)
        .toHtmlEscaped();
}

} // namespace

QString frmHowToUse::PageText() {
    return QObject::tr(
               "<h2>How to use %1</h2>"
               "<p>Tell the program about one item you mean to sell on eBay; it shows what "
               "selling will cost and what is left, on every keystroke.</p>"
               "<ol>"
               "<li><b>Outlay</b>: what the item cost you, the <b>Starting Price</b>, a "
               "<b>Reserve Price</b> if you want one, the <b>Estimated End Price</b> you "
               "expect, and the <b>Quantity</b>.</li>"
               "<li><b>Auction Type</b>: the kind of sale (auction, Buy It Now, shop, "
               "motors, property).</li>"
               "<li><b>Features</b>: the listing upgrades you want (bold title, gallery "
               "picture...).</li>"
               "<li><b>PayPal</b>: whether buyers pay through PayPal, and your account.</li>"
               "<li><b>Postage</b>: weight, Royal Mail service and extras; <b>Make Profit</b> "
               "adds your own mark-up to the postage you charge.</li>"
               "</ol>"
               "<p>The summary shows the fees one by one; the <b>Selling Cost</b>: what the "
               "sale costs you, postage aside (the outlay, every eBay fee and PayPal's cut); "
               "and the <b>Profit</b>: what is left of the buyers' money once the selling "
               "cost and the postage are paid, with its share of the selling cost. The "
               "<b>Break-even Price</b> is the least end price at which you lose "
               "nothing.</p>"
               "<h3>Two ways to work</h3>"
               "<p><b>Wizard</b> walks you through the panels one page at a time (under "
               "today's fees: today's inputs, the outlay and the postage). The "
               "<b>Calculator</b> shows them all at once. Settings &gt; Preferences chooses "
               "which one opens at start: <b>Wizard</b> or <b>Advanced</b> (the "
               "calculator).</p>"
               "<p><b>Default Configuration</b> edits the auction that every new auction starts "
               "from; there you can also drag the panels and hide options with their "
               "<i>Show</i> boxes. Save stores it.</p>"
               "<h3>Keys</h3>"
               "<table>"
               "<tr><td>New Auction</td><td>%2</td></tr>"
               "<tr><td>Open...</td><td>%3</td></tr>"
               "<tr><td>Save</td><td>%4</td></tr>"
               "<tr><td>Save As...</td><td>%5</td></tr>"
               "<tr><td>Quit</td><td>%6</td></tr>"
               "<tr><td>How to Use</td><td>%7</td></tr>"
               "</table>")
        .arg(QString::fromStdString(GetAppName()), Keys(QKeySequence::New, "Ctrl+N"),
             Keys(QKeySequence::Open, "Ctrl+O"), Keys(QKeySequence::Save, "Ctrl+S"),
             Keys(QKeySequence::SaveAs, "Ctrl+Shift+S"), Keys(QKeySequence::Quit, "Ctrl+Q"),
             Keys(QKeySequence::HelpContents, "F1"));
}

frmHowToUse::frmHowToUse(QWidget* oParent) : QDialog(oParent) {
    setObjectName(QStringLiteral("frmHowToUse"));
    setWindowTitle(tr("How to Use - %1").arg(QString::fromStdString(GetAppName())));
    txtPage = new QTextBrowser(this);
    txtPage->setObjectName(QStringLiteral("txtPage"));
    txtPage->setHtml(PageText());
    auto* oButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(oButtons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* oLayout = new QVBoxLayout(this);
    oLayout->addWidget(txtPage);
    oLayout->addWidget(oButtons);
    resize(560, 620);
}
