#include "ctlMovie.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMediaDevices>
#include <QMouseEvent>
#include <QPainter>
#include <QSoundEffect>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>
#include <QTimer>

namespace {

const QString g_sMovieNs = QStringLiteral("urn:gavelry:movie");

QString Lookup(const QList<QPair<QString, QString>>& aParams, const QString& sName, bool* pFound) {
    for (const auto& oParam : aParams)
        if (oParam.first.compare(sName, Qt::CaseInsensitive) == 0) {
            if (pFound) *pFound = true;
            return oParam.second;
        }
    if (pFound) *pFound = false;
    return {};
}

void Assign(QList<QPair<QString, QString>>& aParams, const QString& sName, const QString& sValue) {
    for (auto& oParam : aParams)
        if (oParam.first.compare(sName, Qt::CaseInsensitive) == 0) {
            oParam.second = sValue;
            return;
        }
    aParams.append({sName, sValue});
}

// "name=a|b" holds when the parameter is one of the values, "name!=a" when it is not.
bool ConditionHolds(const QString& sCondition, const QList<QPair<QString, QString>>& aParams) {
    const bool bNot = sCondition.contains(QLatin1String("!="));
    const qsizetype lAt = sCondition.indexOf(bNot ? QLatin1String("!=") : QLatin1String("="));
    if (lAt < 0) return true;
    const QString sValue = Lookup(aParams, sCondition.left(lAt).trimmed(), nullptr);
    bool bMatch = false;
    for (const QString& sOption : sCondition.mid(lAt + (bNot ? 2 : 1)).split(QLatin1Char('|')))
        bMatch = bMatch || sValue.compare(sOption.trimmed(), Qt::CaseInsensitive) == 0;
    return bNot ? !bMatch : bMatch;
}

// Drops the elements whose condition fails, gathers hot spots and the tune, and strips the
// player's own markup so that the SVG renderer sees plain SVG.
void Filter(QDomElement oElement, const QList<QPair<QString, QString>>& aParams,
            QList<QPair<QString, QString>>& aHotSpots, QStringList& asDefaults, QString& sSound) {
    QDomNode oChild = oElement.firstChild();
    while (!oChild.isNull()) {
        QDomNode oNext = oChild.nextSibling();
        if (oChild.isElement()) {
            QDomElement oChildElement = oChild.toElement();
            const QString sIf = oChildElement.attributeNS(g_sMovieNs, QStringLiteral("if"));
            if (!sIf.isEmpty() && !ConditionHolds(sIf, aParams)) {
                oElement.removeChild(oChild);
            } else if (oChildElement.namespaceURI() == g_sMovieNs) {
                if (oChildElement.localName() == QLatin1String("sound"))
                    sSound = oChildElement.attribute(QStringLiteral("src"));
                oElement.removeChild(oChild);
            } else {
                const QString sCommand =
                    oChildElement.attributeNS(g_sMovieNs, QStringLiteral("command"));
                if (!sCommand.isEmpty() && oChildElement.hasAttribute(QStringLiteral("id"))) {
                    const QString sId = oChildElement.attribute(QStringLiteral("id"));
                    aHotSpots.append({sId, sCommand});
                    if (oChildElement.attributeNS(g_sMovieNs, QStringLiteral("default")) ==
                        QLatin1String("true"))
                        asDefaults.append(sId);
                }
                for (const char* sAttr : {"if", "command", "default"})
                    oChildElement.removeAttributeNS(g_sMovieNs, QString::fromLatin1(sAttr));
                Filter(oChildElement, aParams, aHotSpots, asDefaults, sSound);
            }
        }
        oChild = oNext;
    }
}

// Movies with one hot spot are buttons; the others are animations with a press action.
class ctlMovieAccessible : public QAccessibleWidget {
public:
    explicit ctlMovieAccessible(ctlMovie* oMovie)
        : QAccessibleWidget(oMovie, oMovie->HotSpots().size() == 1 ? QAccessible::Button
                                                                   : QAccessible::Animation) {}

    QStringList actionNames() const override {
        QStringList asNames = QAccessibleWidget::actionNames();
        if (!Movie()->HotSpots().isEmpty()) asNames.prepend(pressAction());
        return asNames;
    }
    void doAction(const QString& sAction) override {
        if (sAction == pressAction())
            Movie()->PressDefault();
        else
            QAccessibleWidget::doAction(sAction);
    }

private:
    ctlMovie* Movie() const { return static_cast<ctlMovie*>(widget()); }
};

QAccessibleInterface* MovieAccessibleFactory(const QString& sClass, QObject* oObject) {
    if (sClass == QLatin1String("ctlMovie") && oObject && oObject->isWidgetType())
        return new ctlMovieAccessible(static_cast<ctlMovie*>(oObject));
    return nullptr;
}

} // namespace

ctlMovie::ctlMovie(QWidget* oParent) : QWidget(oParent) {
    static const bool bFactory = [] {
        QAccessible::installFactory(MovieAccessibleFactory);
        return true;
    }();
    Q_UNUSED(bFactory);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
}

ctlMovie::~ctlMovie() {
    if (m_oSound) m_oSound->stop();
}

QString ctlMovie::MoviePath(const QString& sMovie, QList<QPair<QString, QString>>* pParams) {
    const qsizetype lQuery = sMovie.indexOf(QLatin1Char('?'));
    QString sPath = lQuery < 0 ? sMovie : sMovie.left(lQuery);
    sPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    sPath.replace(QLatin1String("//"), QLatin1String("/"));
    if (sPath.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive))
        sPath = sPath.left(sPath.size() - 4) + QLatin1String(".svg");
    if (pParams) {
        pParams->clear();
        if (lQuery >= 0) {
            for (const QString& sPart : sMovie.mid(lQuery + 1).split(QLatin1Char('&'))) {
                const qsizetype lEq = sPart.indexOf(QLatin1Char('='));
                if (lEq > 0)
                    pParams->append({sPart.left(lEq), sPart.mid(lEq + 1)});
                else if (!pParams->isEmpty())
                    pParams->last().second += QLatin1Char('&') + sPart;
                else if (!sPart.isEmpty())
                    pParams->append({sPart, QString()});
            }
        }
    }
    return sPath;
}

QString ctlMovie::Substitute(const QString& sText, const QList<QPair<QString, QString>>& aParams) {
    QString sOut;
    qsizetype lPos = 0;
    while (true) {
        const qsizetype lOpen = sText.indexOf(QLatin1String("{{"), lPos);
        const qsizetype lClose = lOpen < 0 ? -1 : sText.indexOf(QLatin1String("}}"), lOpen + 2);
        if (lClose < 0) break;
        sOut += QStringView(sText).mid(lPos, lOpen - lPos);
        QString sValue =
            Lookup(aParams, sText.mid(lOpen + 2, lClose - lOpen - 2).trimmed(), nullptr)
                .toHtmlEscaped();
        for (const char* sBreak : {"&lt;br&gt;", "&lt;br/&gt;", "&lt;br /&gt;"})
            sValue.replace(QLatin1String(sBreak), QLatin1String("<tbreak/>"), Qt::CaseInsensitive);
        sOut += sValue;
        lPos = lClose + 2;
    }
    sOut += QStringView(sText).mid(lPos);
    return sOut;
}

void ctlMovie::Movie(const QString& sMovie) {
    Stop();
    m_sMovie = sMovie;
    m_sFile = MoviePath(sMovie, &m_aParams);
    m_sSource.clear();
    m_aDefaults.clear();
    m_aCues.clear();
    m_aState.clear();
    m_sPressed.clear();
    m_abDocument.clear();
    QFile oFile(m_sFile);
    if (oFile.open(QIODevice::ReadOnly)) m_sSource = QString::fromUtf8(oFile.readAll());

    // Defaults and the timeline are read from the file as written.
    QDomDocument oDoc;
    if (!m_sSource.isEmpty() && oDoc.setContent(m_sSource, true)) {
        const QDomNodeList aParams = oDoc.elementsByTagNameNS(g_sMovieNs, QStringLiteral("param"));
        for (int i = 0; i < aParams.size(); ++i) {
            const QDomElement oParam = aParams.at(i).toElement();
            m_aDefaults.append({oParam.attribute(QStringLiteral("name")),
                                oParam.attribute(QStringLiteral("default"))});
        }
        const QDomNodeList aCues = oDoc.elementsByTagNameNS(g_sMovieNs, QStringLiteral("command"));
        for (int i = 0; i < aCues.size(); ++i) {
            const QDomElement oCue = aCues.at(i).toElement();
            m_aCues.append({oCue.attribute(QStringLiteral("at")).toInt(),
                            oCue.attribute(QStringLiteral("name")),
                            oCue.attribute(QStringLiteral("args"))});
        }
    }
    Rebuild();
    setFocusPolicy(m_aHotSpots.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
}

bool ctlMovie::IsLoaded() const {
    return m_oRenderer && m_oRenderer->isValid();
}

QString ctlMovie::Parameter(const QString& sName) const {
    bool bFound = false;
    const QString sValue = Lookup(m_aParams, sName, &bFound);
    return bFound ? sValue : Lookup(m_aDefaults, sName, nullptr);
}

void ctlMovie::Parameter(const QString& sName, const QString& sValue) {
    Assign(m_aParams, sName, sValue);
    Rebuild();
}

void ctlMovie::Rebuild() {
    m_aHotSpots.clear();
    QString sSound;
    QByteArray abDocument;
    if (!m_sSource.isEmpty()) {
        QList<QPair<QString, QString>> aAll = m_aParams;
        aAll += m_aState;
        aAll += m_aDefaults;
        aAll.append({QStringLiteral("font"), QApplication::font().family()});
        QDomDocument oDoc;
        if (oDoc.setContent(Substitute(m_sSource, aAll), true)) {
            QList<QPair<QString, QString>> aHotSpots;
            QStringList asDefaults;
            Filter(oDoc.documentElement(), aAll, aHotSpots, asDefaults, sSound);
            for (const auto& oSpot : aHotSpots)
                m_aHotSpots.append({oSpot.first, oSpot.second, asDefaults.contains(oSpot.first)});
            abDocument = oDoc.toByteArray(-1);
        }
    }
    if (abDocument != m_abDocument || !m_oRenderer) {
        m_abDocument = abDocument;
        // A fresh renderer restarts the animations, so a new state plays from its start.
        m_oRenderer = std::make_unique<QSvgRenderer>();
        if (!m_abDocument.isEmpty()) m_oRenderer->load(m_abDocument);
        connect(m_oRenderer.get(), &QSvgRenderer::repaintNeeded, this,
                qOverload<>(&QWidget::update));
    }
    m_sSoundFile =
        sSound.isEmpty() ? QString() : QFileInfo(m_sFile).absoluteDir().absoluteFilePath(sSound);
    UpdateSound();
    update();
}

void ctlMovie::UpdateSound() {
    const QString sWanted = m_bPlaying ? m_sSoundFile : QString();
    if (!m_oSound) {
        // Without a sound device there is nothing to play the tune on: it is not loaded.
        // (Qt's sample loader would also leave its network manager behind at exit when a
        // load is under way, which the sanitizer run reports as a leak.)
        if (sWanted.isEmpty() || QMediaDevices::defaultAudioOutput().isNull()) return;
        m_oSound = new QSoundEffect(this);
        m_oSound->setLoopCount(QSoundEffect::Infinite);
    }
    const QUrl oWanted = sWanted.isEmpty() ? QUrl() : QUrl::fromLocalFile(sWanted);
    if (m_oSound->source() == oWanted && (oWanted.isEmpty() || m_oSound->isPlaying())) return;
    m_oSound->stop();
    m_oSound->setSource(oWanted);
    if (!oWanted.isEmpty()) m_oSound->play();
}

void ctlMovie::Play() {
    Stop();
    m_bPlaying = true;
    m_abDocument.clear();
    m_oRenderer.reset();
    Rebuild();
    for (const clsCue& oCue : m_aCues) {
        auto* oTimer = new QTimer(this);
        oTimer->setSingleShot(true);
        oTimer->setInterval(oCue.m_lAt);
        const QString sName = oCue.m_sName;
        const QString sArgs = oCue.m_sArgs;
        connect(oTimer, &QTimer::timeout, this,
                [this, sName, sArgs] { SendCommand(sName, sArgs); });
        m_aCueTimers.append(oTimer);
        oTimer->start();
    }
}

void ctlMovie::Stop() {
    m_bPlaying = false;
    qDeleteAll(m_aCueTimers);
    m_aCueTimers.clear();
    UpdateSound();
}

void ctlMovie::Menu(bool bMenu) {
    m_bMenu = bMenu;
    setContextMenuPolicy(bMenu ? Qt::DefaultContextMenu : Qt::NoContextMenu);
}

void ctlMovie::ToolTip(const QString& sToolTip) {
    setToolTip(sToolTip);
    setAccessibleName(sToolTip);
}

QRectF ctlMovie::MovieRect() const {
    if (!m_oRenderer || !m_oRenderer->isValid()) return rect();
    QSizeF oSize = m_oRenderer->viewBoxF().size();
    if (oSize.isEmpty()) return rect();
    oSize.scale(size(), Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - oSize.width()) / 2, (height() - oSize.height()) / 2), oSize);
}

QList<QPair<QString, QRectF>> ctlMovie::HotSpots() const {
    QList<QPair<QString, QRectF>> aSpots;
    if (!IsLoaded()) return aSpots;
    const QRectF rcView = m_oRenderer->viewBoxF();
    const QRectF rcMovie = MovieRect();
    const qreal dScaleX = rcView.width() > 0 ? rcMovie.width() / rcView.width() : 1;
    const qreal dScaleY = rcView.height() > 0 ? rcMovie.height() / rcView.height() : 1;
    for (const clsHotSpot& oSpot : m_aHotSpots) {
        const QRectF rcBounds = m_oRenderer->transformForElement(oSpot.m_sId)
                                    .mapRect(m_oRenderer->boundsOnElement(oSpot.m_sId));
        aSpots.append(
            {oSpot.m_sId, QRectF(rcMovie.left() + (rcBounds.left() - rcView.left()) * dScaleX,
                                 rcMovie.top() + (rcBounds.top() - rcView.top()) * dScaleY,
                                 rcBounds.width() * dScaleX, rcBounds.height() * dScaleY)});
    }
    return aSpots;
}

QString ctlMovie::HotSpotCommand(const QString& sId) const {
    for (const clsHotSpot& oSpot : m_aHotSpots)
        if (oSpot.m_sId == sId) return oSpot.m_sCommand;
    return {};
}

QString ctlMovie::HotSpotAt(const QPointF& ptPos) const {
    const auto aSpots = HotSpots();
    // The last drawn is on top.
    for (auto it = aSpots.crbegin(); it != aSpots.crend(); ++it)
        if (it->second.contains(ptPos)) return it->first;
    return {};
}

void ctlMovie::SetState(const QString& sName, const QString& sValue) {
    bool bFound = false;
    if (Lookup(m_aState, sName, &bFound) == sValue && bFound) return;
    Assign(m_aState, sName, sValue);
    Rebuild();
}

void ctlMovie::SendCommand(const QString& sCommand, const QString& sArgs) {
    const qsizetype lEq = sCommand.indexOf(QLatin1Char('='));
    if (lEq > 0) {
        const QString sName = sCommand.left(lEq);
        bool bGiven = false;
        bool bDeclared = false;
        Lookup(m_aParams, sName, &bGiven);
        Lookup(m_aDefaults, sName, &bDeclared);
        if (bGiven || bDeclared) Parameter(sName, sCommand.mid(lEq + 1));
    }
    emit FSCommand(sCommand, sArgs);
}

void ctlMovie::PressDefault() {
    QString sCommand;
    const QString sHot = Lookup(m_aState, QStringLiteral("hot"), nullptr);
    for (const clsHotSpot& oSpot : m_aHotSpots)
        if (oSpot.m_sId == sHot) sCommand = oSpot.m_sCommand;
    for (const clsHotSpot& oSpot : m_aHotSpots)
        if (sCommand.isEmpty() && oSpot.m_bDefault) sCommand = oSpot.m_sCommand;
    if (sCommand.isEmpty() && !m_aHotSpots.isEmpty()) sCommand = m_aHotSpots.first().m_sCommand;
    if (!sCommand.isEmpty()) SendCommand(sCommand, QString());
}

QSize ctlMovie::sizeHint() const {
    if (IsLoaded()) return m_oRenderer->defaultSize();
    return QWidget::sizeHint();
}

void ctlMovie::paintEvent(QPaintEvent*) {
    QPainter oPainter(this);
    oPainter.setRenderHint(QPainter::Antialiasing);
    if (IsLoaded()) m_oRenderer->render(&oPainter, MovieRect());
    if (hasFocus()) {
        QStyleOptionFocusRect oOption;
        oOption.initFrom(this);
        oOption.rect = MovieRect().toAlignedRect().adjusted(1, 1, -1, -1);
        const QString sHot = Lookup(m_aState, QStringLiteral("hot"), nullptr);
        for (const auto& oSpot : HotSpots())
            if (oSpot.first == sHot && m_aHotSpots.size() > 1)
                oOption.rect = oSpot.second.toAlignedRect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &oOption, &oPainter, this);
    }
}

void ctlMovie::enterEvent(QEnterEvent* oEvent) {
    SetState(QStringLiteral("hover"), QStringLiteral("true"));
    QWidget::enterEvent(oEvent);
}

void ctlMovie::leaveEvent(QEvent* oEvent) {
    m_sPressed.clear();
    Assign(m_aState, QStringLiteral("hot"), QString());
    Assign(m_aState, QStringLiteral("pressed"), QStringLiteral("false"));
    SetState(QStringLiteral("hover"), QStringLiteral("false"));
    unsetCursor();
    QWidget::leaveEvent(oEvent);
}

void ctlMovie::mouseMoveEvent(QMouseEvent* oEvent) {
    const QString sHot = HotSpotAt(oEvent->position());
    if (sHot.isEmpty())
        unsetCursor();
    else
        setCursor(Qt::PointingHandCursor);
    Assign(m_aState, QStringLiteral("hover"), QStringLiteral("true"));
    SetState(QStringLiteral("hot"), sHot);
    QWidget::mouseMoveEvent(oEvent);
}

void ctlMovie::mousePressEvent(QMouseEvent* oEvent) {
    if (oEvent->button() != Qt::LeftButton) return QWidget::mousePressEvent(oEvent);
    m_sPressed = HotSpotAt(oEvent->position());
    Assign(m_aState, QStringLiteral("hot"), m_sPressed);
    SetState(QStringLiteral("pressed"),
             m_sPressed.isEmpty() ? QStringLiteral("false") : QStringLiteral("true"));
}

void ctlMovie::mouseReleaseEvent(QMouseEvent* oEvent) {
    if (oEvent->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(oEvent);
    const QString sPressed = m_sPressed;
    m_sPressed.clear();
    SetState(QStringLiteral("pressed"), QStringLiteral("false"));
    if (!sPressed.isEmpty() && HotSpotAt(oEvent->position()) == sPressed)
        SendCommand(HotSpotCommand(sPressed), QString());
}

void ctlMovie::keyPressEvent(QKeyEvent* oEvent) {
    const int lKey = oEvent->key();
    if (lKey == Qt::Key_Space || lKey == Qt::Key_Return || lKey == Qt::Key_Enter) {
        PressDefault();
        return;
    }
    const bool bNext = lKey == Qt::Key_Right || lKey == Qt::Key_Down;
    const bool bPrevious = lKey == Qt::Key_Left || lKey == Qt::Key_Up;
    if ((bNext || bPrevious) && m_aHotSpots.size() > 1) {
        // Arrow keys walk the hot spots of a movie with several.
        const QString sHot = Lookup(m_aState, QStringLiteral("hot"), nullptr);
        qsizetype lAt = -1;
        for (qsizetype i = 0; i < m_aHotSpots.size(); ++i)
            if (m_aHotSpots[i].m_sId == sHot) lAt = i;
        const qsizetype lCount = m_aHotSpots.size();
        lAt = lAt < 0 ? (bNext ? 0 : lCount - 1) : (lAt + (bNext ? 1 : lCount - 1)) % lCount;
        SetState(QStringLiteral("hot"), m_aHotSpots[lAt].m_sId);
        return;
    }
    QWidget::keyPressEvent(oEvent);
}

void ctlMovie::focusInEvent(QFocusEvent* oEvent) {
    update();
    QWidget::focusInEvent(oEvent);
}

void ctlMovie::focusOutEvent(QFocusEvent* oEvent) {
    update();
    QWidget::focusOutEvent(oEvent);
}
