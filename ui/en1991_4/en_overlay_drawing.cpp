#include "ui/en1991_4/en_overlay_drawing.h"

#include "ui/en1991_4/en_loads_display.h"
#include "ui/texts/en1991_4_texts.h"

namespace korvane::ui {

QString enCurveName(bool wallNormal, bool discharge, bool hopper) {
    if (discharge) return QString::fromLatin1(hopper ? "p_he / p_ne" : "p_he");
    if (wallNormal) return QString::fromLatin1(hopper ? "p_hf / p_nf" : "p_hf");
    return QString::fromLatin1(hopper ? "p_vf / p_v" : "p_vf");
}

QString enLegendText(bool discharge, bool hopper, int language) {
    QString t = texts::T(discharge ? texts::en1991_4::dischargeLegend
                                   : texts::en1991_4::fillingLegend,
                         language);
    t += enCurveName(true, discharge, hopper);
    if (!discharge) t += QStringLiteral("  ") + enCurveName(false, false, hopper);
    return t;
}

std::vector<LegendEntry> enLegendEntries(const EnOverlay& o, int language) {
    std::vector<LegendEntry> e;
    if (!o.inScope) {
        CurveStyle note = curveStyle(CurveSet::EnFilling, StressKind::Vertical);
        note.colour = QColor(128, 0, 0);
        note.pattern = LinePattern::None;
        e.push_back({note, texts::T(texts::en1991_4::diagramOutsideScope, language)});
        return e;
    }
    for (bool discharge : {false, true}) {
        if (discharge ? !o.discharge : !o.filling) continue;
        const CurveSet set = discharge ? CurveSet::EnDischarge : CurveSet::EnFilling;
        const QString prefix = texts::T(discharge ? texts::en1991_4::dischargeLegend
                                                  : texts::en1991_4::fillingLegend,
                                        language);
        e.push_back({curveStyle(set, StressKind::Wall),
                     prefix + enCurveName(true, discharge, o.hopper)});
        if (!discharge)
            e.push_back({curveStyle(set, StressKind::Vertical),
                         prefix + enCurveName(false, false, o.hopper)});
    }
    return e;
}

}  // namespace korvane::ui
