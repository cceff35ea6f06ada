// Build tool: renders an SVG picture into a square PNG of the given size, for the icon theme.
// Usage: render-icon IN.svg SIZE OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// A build has no desktop session: Qt's note that the session's runtime folder is missing
// is noise in the build log; everything else (an SVG the renderer misreads) is shown.
void ReportMessage(QtMsgType eType, const QMessageLogContext& oContext, const QString& sText) {
    if (sText.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::fprintf(stderr, "render-icon: %s\n",
                 qPrintable(qFormatLogMessage(eType, oContext, sText)));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(ReportMessage);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication oApp(argc, argv);
    const QStringList asArgs = QCoreApplication::arguments();
    bool bSizeOk = false;
    const int lSize = asArgs.size() == 4 ? asArgs[2].toInt(&bSizeOk) : 0;
    if (!bSizeOk || lSize < 1 || lSize > 4096) {
        std::fprintf(stderr, "usage: render-icon IN.svg SIZE OUT.png\n");
        return 2;
    }
    QSvgRenderer oSvg(asArgs[1]);
    if (!oSvg.isValid()) {
        std::fprintf(stderr, "render-icon: cannot read %s\n", qPrintable(asArgs[1]));
        return 1;
    }
    QImage oImage(lSize, lSize, QImage::Format_ARGB32_Premultiplied);
    oImage.fill(Qt::transparent);
    QPainter oPainter(&oImage);
    oPainter.setRenderHint(QPainter::Antialiasing);
    oSvg.render(&oPainter);
    oPainter.end();
    if (!oImage.save(asArgs[3], "PNG")) {
        std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(asArgs[3]));
        return 1;
    }
    return 0;
}
