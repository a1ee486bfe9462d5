#include "ui/main/display_logic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvane::ui {

int zDecimals(double fillHeight) {
    // A metre-scale silo gets millimetres (4 decimals at 12 m), a very tall one
    // centimetres; an unset fill height falls back to millimetres.
    if (!(fillHeight > 0) || !std::isfinite(fillHeight)) return 3;
    const long d = std::lround(7.0 - std::log10(100.0 * fillHeight));
    return static_cast<int>(std::clamp(d, 0L, 10L));
}

SectionFlags sectionFlags(const SiloModel& m) {
    SectionFlags f;
    // Shaft rows only when the heap foot lies above the top of the hopper,
    // hopper rows only when the fill reaches into the hopper.
    f.shaft = m.Schaftja &&
              m.Hunttricht + (m.Hspitzeoben - m.Hspitzeauslauf) + m.Hkegel < m.Fuellhoehe;
    f.hopper = m.Trichterja && m.Hunttricht + m.Hkegel < m.Fuellhoehe;
    f.below = m.vertunten;
    return f;
}

namespace {

// Stride rule shared by screen and page: a huge (or undefined) stride is
// replaced by 333 so that a nearly empty section still shows a few rows.
int limitStride(double k) {
    if (!std::isfinite(k) || k > 500.0) return 333;
    return static_cast<int>(std::lround(k));
}

}  // namespace

Strides screenStrides(const SiloModel& m, int rowsAvailable) {
    const SectionFlags f = sectionFlags(m);
    const double R = std::max(1, rowsAvailable);
    auto stride = [&](bool present, double H) {
        if (!present) return 0;
        // Each section gets a share of the R rows in proportion to its filled height.
        return limitStride(1000.0 * m.Fuellhoehe / (R * H) - 1.0);
    };
    Strides k;
    k.shaft = stride(f.shaft, m.Hfuellschaft);
    k.hopper = stride(f.hopper, m.Hfuelltrichter);
    k.below = stride(f.below, m.Hfuellunten);
    return k;
}

Strides pageStrides(const SiloModel& m) {
    const SectionFlags f = sectionFlags(m);
    auto stride = [&](bool present, double H, double rowsPerFill) {
        if (!present) return 0;
        return limitStride(1000.0 / (H * rowsPerFill / m.Fuellhoehe) - 1.0);
    };
    Strides k;
    k.shaft = stride(f.shaft, m.Hfuellschaft, 40.0);
    k.hopper = stride(f.hopper, m.Hfuelltrichter, 45.0);
    k.below = stride(f.below, m.Hfuellunten, 40.0);
    return k;
}

std::vector<SelectedRow> selectRows(SiloModel& m, const Strides& k, double zStart) {
    const SectionFlags f = sectionFlags(m);
    const bool shaft = f.shaft, hopper = f.hopper, below = f.below;
    // Slices are numbered from the top: the shaft's come first, then the
    // hopper's, then those below the hopper.
    const int shaftEnd = m.Schritteschaft;
    const int hopperEnd = shaftEnd + m.Schrittetrichter;
    const int last = std::clamp(m.Gesamtschritte, 0, kResultSize - 1);
    std::vector<SelectedRow> rows;
    double z = zStart;
    int n = 0;
    for (int i = 1; i <= last; ++i) {
        // The counter runs through every slice; inside a section it is held
        // at that section's stride so that the first slice after a boundary
        // is shown at once.
        ++n;
        if (shaft && i <= shaftEnd && n > k.shaft) n = k.shaft;
        if (hopper && i > shaftEnd && i <= hopperEnd && n > k.hopper) n = k.hopper;
        if (below && i > hopperEnd && i <= last && n > k.below) n = k.below;

        // The slices at the section boundaries are always shown (the first
        // of the shaft, the first two of each lower section, the last of
        // each section and the last two at the outlet); between them those
        // where the counter reaches the stride.
        const bool shown = (shaft && i == 1) || (shaft && i == shaftEnd) ||
                           (hopper && i == shaftEnd + 1) || (hopper && i == shaftEnd + 2) ||
                           (hopper && i == hopperEnd) || (below && i == hopperEnd + 1) ||
                           (below && i == hopperEnd + 2) || (below && i == last - 1) ||
                           (below && i == last) || (shaft && i < shaftEnd && n == k.shaft) ||
                           (hopper && i > shaftEnd + 1 && i < hopperEnd && n == k.hopper) ||
                           (below && i > hopperEnd + 1 && n == k.below);
        if (shown) {
            SelectedRow r;
            r.index = i;
            r.z = z;
            if (i == 1) r.label = m.Schuettkegel ? RowLabel::HeapFoot : RowLabel::FillTop;
            else if (shaft && hopper && i == shaftEnd + 1) r.label = RowLabel::ShaftBottom;
            else if (hopper && below && i == hopperEnd + 1) r.label = RowLabel::HopperBottom;
            rows.push_back(r);
            n = 0;
        }
        z -= static_cast<double>(m.Dz[i]);
    }
    m.Zlauf = z;
    return rows;
}

GridStep gridStep(double a, double b) {
    GridStep g;
    const double range = a - b;
    // No range, no grid: the callers draw nothing for a zero spacing.
    if (!std::isfinite(range) || !(range > 0)) return g;
    const int e = static_cast<int>(std::trunc(std::log10(1000.0 * range)));
    g.decade = e > 0 ? std::pow(10.0, e - 3) : 0.001;
    const double mm = std::trunc(10.0 * range / g.decade);
    if (mm <= 15) g.multiplier = 2;        // 10..15, and the nearest for tiny ranges
    else if (mm <= 45) g.multiplier = 5;   // 16..45
    else if (mm <= 85) g.multiplier = 10;  // 46..85
    else g.multiplier = 20;                // 86..99, and the nearest above
    return g;
}

int visibleLines(int columnHeight, int lineHeight) {
    if (lineHeight <= 0 || columnHeight <= 0) return 0;
    return columnHeight / lineHeight;
}

int rowsAvailable(int L, const SectionFlags& f) {
    const int R = L - 4 * (int(f.shaft) + int(f.hopper) + int(f.below)) - 2;
    return std::max(1, R);
}

std::vector<SelectedRow> selectScreenRows(SiloModel& m, int L, int extraRows, double zStart) {
    const SectionFlags f = sectionFlags(m);
    int R = rowsAvailable(L, f);
    std::vector<SelectedRow> rows = selectRows(m, screenStrides(m, R), zStart);
    while (R > 1 && static_cast<int>(rows.size()) + extraRows > L) {
        R = std::max(1, R - std::max(1, static_cast<int>(rows.size()) + extraRows - L));
        rows = selectRows(m, screenStrides(m, R), zStart);
    }
    return rows;
}

QString formatResult(long double value, int decimals, QChar decimalPoint) {
    if (!std::isfinite(static_cast<double>(value))) return {};
    decimals = std::clamp(decimals, 0, 15);
    char buf[64];
    // Round to 8 significant digits first, then write the fixed decimals.
    std::snprintf(buf, sizeof buf, "%.7Le", value);
    const long double rounded = std::strtold(buf, nullptr);
    if (std::fabs(static_cast<double>(rounded)) >= 1e8) {
        std::snprintf(buf, sizeof buf, "%.7LE", rounded);
    } else {
        std::snprintf(buf, sizeof buf, "%.*Lf", decimals, rounded);
    }
    QString s = QString::fromLatin1(buf);
    // "-0" and "-0.00" are zeros.
    if (s.startsWith('-')) {
        bool allZero = true;
        for (QChar c : s.mid(1))
            if (c != '0' && c != '.') allZero = false;
        if (allZero) s.remove(0, 1);
    }
    s.replace('.', decimalPoint);
    return s;
}

ScreenFactors computeScreenFactors(const QRect& geometry, const QRect& available) {
    ScreenFactors f;
    const double W = geometry.width();
    const double H = geometry.height();
    if (W <= 0 || H <= 0) return f;
    if (H / 768.0 < W / 1024.0) f.wideScreenFactor = (H / 768.0) / (W / 1024.0);

    // The task bar is what the available area leaves out; a bar that takes
    // width (and no height) stands vertically.
    const int takenW = std::max(0, geometry.width() - available.width());
    const int takenH = std::max(0, geometry.height() - available.height());
    if (takenW > 0 && takenH == 0) f.dx = takenW;
    else f.dy = takenH;

    f.windowSize = QSize(geometry.width() - f.dx, geometry.height() - f.dy);
    const double ww = f.windowSize.width();
    const double wh = f.windowSize.height();
    const double k = (W - f.dx) / ww;
    // Scale the 800 x 600 design by the tighter of the two directions.
    if (wh * k / (600.0 - f.dy) < k * ww / (800.0 - f.dx))
        f.formScale = std::lround(wh * k) / (600.0 - f.dy);
    else
        f.formScale = std::lround(ww * k) / (800.0 - f.dx);

    if (W / H <= 101.0 / 75.0) f.screenScale = W / 800.0;
    else f.screenScale = H * 0.95 / 600.0;
    return f;
}

}  // namespace korvane::ui

namespace korvane::ui {

double axisGridStep(double range, double pixels, double minGap) {
    if (!(range > 0) || !std::isfinite(range) || !(pixels > 0) || !std::isfinite(pixels))
        return 0;
    const double gap = std::max(1.0, minGap);
    // Lines the axis can hold at the gap: at most 8, at least 1.
    const int maxLines = std::clamp(static_cast<int>(pixels / gap), 1, 8);
    const int minLines = std::min(4, maxLines);
    const double decade = std::pow(10.0, std::floor(std::log10(range)) - 2);
    // Steps from fine to coarse: the first that gives few enough lines.
    double fallback = 0;
    for (int k = 0; k < 6; ++k) {
        const double d = decade * std::pow(10.0, k);
        for (double f : {1.0, 2.0, 2.5, 5.0}) {
            const double step = f * d;
            const int lines = static_cast<int>(std::floor(range / step + 1e-9));
            if (lines > maxLines) continue;
            if (lines >= minLines) return step;
            if (fallback == 0) fallback = step;
        }
    }
    return fallback;
}

}  // namespace korvane::ui
