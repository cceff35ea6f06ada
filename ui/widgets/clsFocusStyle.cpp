#include "clsFocusStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace {

double Luminance(const QColor& oColour) {
    const auto Channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor o = oColour.toRgb();
    return 0.2126 * Channel(o.redF()) + 0.7152 * Channel(o.greenF()) + 0.0722 * Channel(o.blueF());
}

void DrawRing(QPainter* oPainter, const QRect& oRect, const QColor& oColour) {
    oPainter->save();
    oPainter->setRenderHint(QPainter::Antialiasing, false);
    QPen oPen(oColour, clsFocusStyle::RingWidth);
    oPen.setJoinStyle(Qt::MiterJoin);
    oPainter->setPen(oPen);
    oPainter->setBrush(Qt::NoBrush);
    // The pen straddles the path: inset by half its width, the ring stays inside the rect.
    const int lHalf = clsFocusStyle::RingWidth / 2;
    oPainter->drawRect(oRect.adjusted(lHalf, lHalf, -lHalf, -lHalf));
    oPainter->restore();
}

} // namespace

clsFocusStyle::clsFocusStyle() = default;

double clsFocusStyle::ContrastRatio(const QColor& oA, const QColor& oB) {
    const double fA = Luminance(oA), fB = Luminance(oB);
    return (std::max(fA, fB) + 0.05) / (std::min(fA, fB) + 0.05);
}

QColor clsFocusStyle::RingColour(const QPalette& oPalette, const QColor& oBackground) {
    const QColor oHighlight = oPalette.color(QPalette::Highlight);
    if (ContrastRatio(oHighlight, oBackground) >= MinContrast) return oHighlight;
    // The text colour is chosen to be read on the background; failing that, black or white.
    for (const QColor& o : {oPalette.color(QPalette::WindowText), oPalette.color(QPalette::Text)})
        if (ContrastRatio(o, oBackground) >= MinContrast) return o;
    return Luminance(oBackground) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
}

void clsFocusStyle::drawPrimitive(PrimitiveElement eElement, const QStyleOption* oOption,
                                  QPainter* oPainter, const QWidget* oWidget) const {
    if (eElement != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(eElement, oOption, oPainter, oWidget);
        return;
    }
    const auto* oFocus = qstyleoption_cast<const QStyleOptionFocusRect*>(oOption);
    const QColor oBackground = oFocus && oFocus->backgroundColor.isValid()
                                   ? oFocus->backgroundColor
                                   : oOption->palette.color(QPalette::Window);
    // Check boxes and options get a rect hugging their caption: widen it to the ring.
    QRect oRect = oOption->rect.adjusted(-1, -1, 1, 1);
    if (oWidget) oRect = oRect.intersected(oWidget->rect());
    DrawRing(oPainter, oRect, RingColour(oOption->palette, oBackground));
}

void clsFocusStyle::drawComplexControl(ComplexControl eControl, const QStyleOptionComplex* oOption,
                                       QPainter* oPainter, const QWidget* oWidget) const {
    QProxyStyle::drawComplexControl(eControl, oOption, oPainter, oWidget);
    // An entry field in focus: its frame is ringed as well, seen against the field.
    if (eControl == CC_SpinBox && (oOption->state & State_HasFocus))
        DrawRing(oPainter, oOption->rect,
                 RingColour(oOption->palette, oOption->palette.color(QPalette::Base)));
}

void InstallFocusStyle() {
    if (qobject_cast<clsFocusStyle*>(QApplication::style())) return;
    // The proxy draws as the platform's style does, so the palette stays the same.
    QApplication::setStyle(new clsFocusStyle);
}
