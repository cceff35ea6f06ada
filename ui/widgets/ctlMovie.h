#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QSoundEffect;
class QSvgRenderer;
class QTimer;

// A movie player for the program's animated pictures: an SVG file from the Graphics folder,
// drawn with its animations, that reacts to the pointer and sends commands to the program.
//
// The movie is set as "Folder/Name.swf?a=1&b=2", the way the program names its movies; the
// player shows "Folder/Name.svg" and hands it the parameters. A movie file uses them as
// follows (namespace "urn:gavelry:movie", prefix gv):
//   {{name}}                  replaced by the parameter's value (XML-escaped; "<br>" in a
//                             value becomes a line break of a <textArea>); "font" is the
//                             desktop's font family unless the program passes one
//   gv:if="name=value"        the element is shown only while the parameter has that value
//                             (a list separated by "|" matches any of them)
//   gv:command="text"         the element is a hot spot: a click sends that command
//   <gv:param name default/>  a parameter's value when the program passes none
//   <gv:command at="ms" name args/>  a command sent that long after Play
//   <gv:sound src/>           a tune, relative to the movie, looped while the element shows
// The player keeps the parameters "hover" ("true" while the pointer is over the movie), "hot"
// (the id of the hot spot under the pointer) and "pressed". A command of the form
// "name=value" also sets that parameter, so the movie shows the user's choice at once.
class ctlMovie : public QWidget {
    Q_OBJECT

public:
    explicit ctlMovie(QWidget* oParent = nullptr);
    ~ctlMovie() override;

    // Sets the movie with its parameters; shows its first state without playing it.
    void Movie(const QString& sMovie);
    QString Movie() const { return m_sMovie; }
    // The file shown: the movie path with the player's own extension.
    QString MovieFile() const { return m_sFile; }
    // True when the movie file could be read and drawn.
    bool IsLoaded() const;

    // Parameters in the order given; names are compared without regard to case.
    QList<QPair<QString, QString>> Parameters() const { return m_aParams; }
    QString Parameter(const QString& sName) const;
    void Parameter(const QString& sName, const QString& sValue);

    // Starts the movie's timeline from its beginning; Stop cancels what has not been sent.
    void Play();
    void Stop();
    bool IsPlaying() const { return m_bPlaying; }

    // The player's context menu (none is offered while off).
    void Menu(bool bMenu);
    bool Menu() const { return m_bMenu; }

    // Tooltip, which also names the movie for assistive technology.
    void ToolTip(const QString& sToolTip);

    // Hot spots of the current state, in widget coordinates, by element id.
    QList<QPair<QString, QRectF>> HotSpots() const;
    // The command of a hot spot, empty when there is none of that id.
    QString HotSpotCommand(const QString& sId) const;
    // The tune playing (or that would play without a sound device), empty when none.
    QString SoundFile() const { return m_bPlaying ? m_sSoundFile : QString(); }
    // The SVG text drawn for the current state.
    QByteArray Document() const { return m_abDocument; }

    // Sends the command of the movie's default hot spot (keyboard and assistive press).
    void PressDefault();

    QSize sizeHint() const override;

    // Turns an "X.swf?a=1&b=2" path into the file shown and its parameters. A part without
    // "=" belongs to the value before it, so "&" may appear in a value.
    static QString MoviePath(const QString& sMovie, QList<QPair<QString, QString>>* pParams);
    // The text with every "{{name}}" replaced by its value.
    static QString Substitute(const QString& sText, const QList<QPair<QString, QString>>& aParams);

signals:
    // A command from the movie, and its arguments.
    void FSCommand(const QString& sCommand, const QString& sArgs);

protected:
    void paintEvent(QPaintEvent* oEvent) override;
    void enterEvent(QEnterEvent* oEvent) override;
    void leaveEvent(QEvent* oEvent) override;
    void mouseMoveEvent(QMouseEvent* oEvent) override;
    void mousePressEvent(QMouseEvent* oEvent) override;
    void mouseReleaseEvent(QMouseEvent* oEvent) override;
    void keyPressEvent(QKeyEvent* oEvent) override;
    void focusInEvent(QFocusEvent* oEvent) override;
    void focusOutEvent(QFocusEvent* oEvent) override;

private:
    struct clsHotSpot {
        QString m_sId;
        QString m_sCommand;
        bool m_bDefault = false;
    };
    struct clsCue {
        int m_lAt = 0;
        QString m_sName;
        QString m_sArgs;
    };

    void Rebuild();
    QRectF MovieRect() const;
    QString HotSpotAt(const QPointF& ptPos) const;
    void SetState(const QString& sName, const QString& sValue);
    void SendCommand(const QString& sCommand, const QString& sArgs);
    void UpdateSound();

    QString m_sMovie;
    QString m_sFile;
    QString m_sSource;
    QList<QPair<QString, QString>> m_aParams;
    QList<QPair<QString, QString>> m_aDefaults;
    QList<QPair<QString, QString>> m_aState;
    QList<clsHotSpot> m_aHotSpots;
    QList<clsCue> m_aCues;
    QList<QTimer*> m_aCueTimers;
    QByteArray m_abDocument;
    QString m_sSoundFile;
    std::unique_ptr<QSvgRenderer> m_oRenderer;
    QSoundEffect* m_oSound = nullptr;
    QString m_sPressed;
    bool m_bPlaying = false;
    bool m_bMenu = true;
};
