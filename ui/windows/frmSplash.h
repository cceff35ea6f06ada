#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class ctlMovie;

// The window that plays the splash movie while the program starts.
class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* oParent = nullptr);

    // The movie has sent "start" / "stop".
    bool LoadComplete() const { return m_bLoadComplete; }
    bool MovieComplete() const { return m_bMovieComplete; }
    // The window was closed before the movie ended.
    bool IsDismissed() const { return m_bDismissed; }

    ctlMovie* ShockwaveFlash1 = nullptr;

    // "UK", "US", or "EU" for any other region.
    static QString RegionWord(int32_t eRegion);

protected:
    void closeEvent(QCloseEvent* oEvent) override;

private:
    void ShockwaveFlash1_FSCommand(const QString& sCommand, const QString& sArgs);

    bool m_bLoadComplete = false;
    bool m_bMovieComplete = false;
    bool m_bDismissed = false;
};
