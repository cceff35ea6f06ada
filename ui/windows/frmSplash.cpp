#include "frmSplash.h"

#include "basCommon.h"
#include "basControls.h"
#include "basMain.h"
#include "ctlMovie.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

frmSplash::frmSplash(QWidget* oParent)
    : QWidget(oParent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Gavelry"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    ShockwaveFlash1 = new ctlMovie(this);
    ShockwaveFlash1->setObjectName(QStringLiteral("ShockwaveFlash1"));
    ShockwaveFlash1->setAccessibleName(QString::fromStdString(GetAppName()));
    ShockwaveFlash1->setAccessibleDescription(QStringLiteral("ShockwaveFlash1"));
    SetControlGeometry(ShockwaveFlash1, 0, 0, 7200, 4500);
    connect(ShockwaveFlash1, &ctlMovie::FSCommand, this, &frmSplash::ShockwaveFlash1_FSCommand);

    const QString sRegion = RegionWord(GetRegion());
    m_bLoadComplete = false;
    m_bMovieComplete = false;
    setFixedSize(ShockwaveFlash1->size());
    if (const QScreen* oScreen = QGuiApplication::primaryScreen())
        move(oScreen->availableGeometry().center() - rect().center());
    LogDebug("Loading splash movie");
    ShockwaveFlash1->Movie(GraphicsPath(QStringLiteral("Splash.swf?Version=") + sRegion));
    ShockwaveFlash1->Menu(false);
    LogDebug("Playing splash movie");
    ShockwaveFlash1->Play();
}

QString frmSplash::RegionWord(int32_t eRegion) {
    switch (eRegion) {
    case RegionUK:
        return QStringLiteral("UK");
    case RegionUS:
        return QStringLiteral("US");
    default:
        return QStringLiteral("EU");
    }
}

void frmSplash::ShockwaveFlash1_FSCommand(const QString& sCommand, const QString&) {
    if (sCommand == QLatin1String("start"))
        m_bLoadComplete = true;
    else if (sCommand == QLatin1String("stop"))
        m_bMovieComplete = true;
}

void frmSplash::closeEvent(QCloseEvent* oEvent) {
    // Closing the window skips the rest of the movie rather than holding start-up.
    m_bDismissed = true;
    QWidget::closeEvent(oEvent);
}
