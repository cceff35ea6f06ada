#include "basPanelPalette.h"

#include <cmath>

namespace {

double Channel(double dValue) {
    return dValue <= 0.03928 ? dValue / 12.92 : std::pow((dValue + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& oColour) {
    const QColor o = oColour.toRgb();
    return 0.2126 * Channel(o.redF()) + 0.7152 * Channel(o.greenF()) + 0.0722 * Channel(o.blueF());
}

} // namespace

QColor PanelBackground() {
    // Dark enough for pure red text (a colour users pick for totals) to read at 4.5:1.
    return QColor(0x0B, 0x15, 0x24);
}
QColor PanelText() {
    return QColor(0xF2, 0xF5, 0xF8);
}
QColor PanelGreyText() {
    return QColor(0x93, 0xA1, 0xB3);
}
QColor PanelLineColour() {
    return QColor(0x4A, 0x62, 0x84);
}
QColor FocusRingColour() {
    return QColor(0xFF, 0xC2, 0x3D);
}
// Styles draw a field's edge a shade darker than the field's window colour.
QColor FieldWindow() {
    return QColor(0xDC, 0xE5, 0xF0);
}
QColor FieldBorderColour() {
    return FieldWindow().darker(140);
}
QColor FieldBackground() {
    return QColor(0xFF, 0xFF, 0xFF);
}
QColor FieldText() {
    return QColor(0x10, 0x18, 0x20);
}
QColor ButtonFace() {
    return QColor(0x27, 0x46, 0x6E);
}
QColor ButtonEdge() {
    return QColor(0x8F, 0xB0, 0xD8);
}
QColor ButtonText() {
    return QColor(0xFF, 0xFF, 0xFF);
}

QPalette PanelPalette() {
    QPalette o;
    for (auto eGroup : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool bGrey = eGroup == QPalette::Disabled;
        o.setColor(eGroup, QPalette::Window, PanelBackground());
        o.setColor(eGroup, QPalette::WindowText, bGrey ? PanelGreyText() : PanelText());
        o.setColor(eGroup, QPalette::ButtonText, bGrey ? PanelGreyText() : PanelText());
        o.setColor(eGroup, QPalette::BrightText, PanelText());
        o.setColor(eGroup, QPalette::PlaceholderText, PanelGreyText());
        // Check boxes and options draw their box in the field colours.
        o.setColor(eGroup, QPalette::Base, bGrey ? QColor(0xC4, 0xCD, 0xD8) : FieldBackground());
        o.setColor(eGroup, QPalette::AlternateBase, QColor(0xE8, 0xEE, 0xF5));
        o.setColor(eGroup, QPalette::Text, FieldText());
        o.setColor(eGroup, QPalette::Button, ButtonFace());
        o.setColor(eGroup, QPalette::Light, ButtonEdge());
        o.setColor(eGroup, QPalette::Midlight, QColor(0x5A, 0x78, 0xA0));
        o.setColor(eGroup, QPalette::Mid, PanelLineColour());
        o.setColor(eGroup, QPalette::Dark, QColor(0x0A, 0x12, 0x1C));
        o.setColor(eGroup, QPalette::Shadow, QColor(0x00, 0x00, 0x00));
        // The focus ring and the header grip; selected text reads dark on it.
        o.setColor(eGroup, QPalette::Highlight, FocusRingColour());
        o.setColor(eGroup, QPalette::HighlightedText, FieldText());
        o.setColor(eGroup, QPalette::Link, FocusRingColour());
        o.setColor(eGroup, QPalette::LinkVisited, FocusRingColour());
        o.setColor(eGroup, QPalette::ToolTipBase, FieldBackground());
        o.setColor(eGroup, QPalette::ToolTipText, FieldText());
    }
    return o;
}

QPalette FieldPalette() {
    QPalette o = PanelPalette();
    for (auto eGroup : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool bGrey = eGroup == QPalette::Disabled;
        o.setColor(eGroup, QPalette::Window, FieldWindow());
        o.setColor(eGroup, QPalette::WindowText, FieldText());
        o.setColor(eGroup, QPalette::Base, bGrey ? QColor(0xE4, 0xE9, 0xF0) : FieldBackground());
        o.setColor(eGroup, QPalette::Text, bGrey ? QColor(0x56, 0x60, 0x6C) : FieldText());
        o.setColor(eGroup, QPalette::Button, QColor(0xE4, 0xEA, 0xF2));
        o.setColor(eGroup, QPalette::ButtonText, bGrey ? QColor(0x56, 0x60, 0x6C) : FieldText());
        o.setColor(eGroup, QPalette::PlaceholderText, QColor(0x56, 0x60, 0x6C));
        o.setColor(eGroup, QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
        o.setColor(eGroup, QPalette::Mid, FieldBorderColour());
        o.setColor(eGroup, QPalette::Dark, FieldBorderColour().darker(140));
    }
    return o;
}

double ContrastRatio(const QColor& oFore, const QColor& oBack) {
    const double dA = Luminance(oFore) + 0.05, dB = Luminance(oBack) + 0.05;
    return dA > dB ? dA / dB : dB / dA;
}

QColor ReadableOn(const QColor& oFore, const QColor& oBack, double dRatio) {
    if (ContrastRatio(oFore, oBack) >= dRatio) return oFore;
    // Towards white on a dark background, towards black on a light one, in small steps.
    const QColor oTarget = Luminance(oBack) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    QColor o = oFore;
    for (int i = 1; i <= 20; ++i) {
        const double d = i / 20.0;
        o = QColor::fromRgbF(float(oFore.redF() + (oTarget.redF() - oFore.redF()) * d),
                             float(oFore.greenF() + (oTarget.greenF() - oFore.greenF()) * d),
                             float(oFore.blueF() + (oTarget.blueF() - oFore.blueF()) * d));
        if (ContrastRatio(o, oBack) >= dRatio) break;
    }
    return o;
}
