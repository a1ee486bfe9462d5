// The parameter form's logic without widgets: number conversion and display,
// showing the model in the controls, the live check behind the silo sketch and
// the take-over of the controls' values into the model.
#include "calc/form_logic.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <utility>

#include "calc/engine.h"

namespace korvane {

// ---------------------------------------------------------------------------
// Numbers in text form
// ---------------------------------------------------------------------------

double textToNumber(const std::string& text) {
    // The edit fields accept digits and the point only, but the texts the form
    // shows itself may carry a sign or an exponent. Take the longest leading
    // part that is a decimal number; anything else gives 0, never an error.
    const char* s = text.c_str();
    const char* end = s + text.size();
    const char* p = s;
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = (*p == '-');
        ++p;
    }
    const char* start = p;  // first character of the unsigned number
    const char* q = p;
    int mantissaDigits = 0;
    while (q < end && *q >= '0' && *q <= '9') { ++q; ++mantissaDigits; }
    if (q < end && *q == '.') {
        const char* f = q + 1;
        int fracDigits = 0;
        while (f < end && *f >= '0' && *f <= '9') { ++f; ++fracDigits; }
        if (mantissaDigits + fracDigits > 0) {
            q = f;
            mantissaDigits += fracDigits;
        }
    }
    if (mantissaDigits == 0) return 0.0;
    const char* validEnd = q;
    if (q < end && (*q == 'E' || *q == 'e')) {
        const char* e = q + 1;
        if (e < end && (*e == '+' || *e == '-')) ++e;
        const char* ed = e;
        while (ed < end && *ed >= '0' && *ed <= '9') ++ed;
        if (ed > e) validEnd = ed;  // an exponent needs at least one digit
    }
    // from_chars does not know a leading '+' nor a lone leading point in every
    // library; give it "0" in front of a point-first mantissa.
    std::string number;
    if (*start == '.') number = "0";
    number.append(start, validEnd);
    double v = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), v,
                                   std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large: the largest finite number, so that the checks judge a
        // huge value instead of an infinity; too small: zero.
        bool huge = false;
        const char* ep = std::strpbrk(number.c_str(), "eE");
        const std::string mant = ep ? number.substr(0, ep - number.c_str()) : number;
        long expo = ep ? std::strtol(ep + 1, nullptr, 10) : 0;
        // Decimal exponent of the mantissa's first significant digit.
        const size_t dot = mant.find('.');
        const std::string intPart = dot == std::string::npos ? mant : mant.substr(0, dot);
        const size_t firstNonZero = intPart.find_first_not_of('0');
        if (firstNonZero != std::string::npos) {
            huge = expo + static_cast<long>(intPart.size() - firstNonZero) > 0;
        } else {
            huge = expo > 300;  // 0.000...ddd with a huge exponent
        }
        v = huge ? DBL_MAX : 0.0;
    } else if (r.ec != std::errc()) {
        v = 0.0;
    }
    return negative ? -v : v;
}

std::string formatGeneral8(double value) {
    constexpr int kDigits = 8;
    // A field never shows a text that is not a number: no number at all is
    // an empty field; an infinity is shown as the largest number the display
    // carries, so that reading it back gives a value the checks refuse
    // instead of 0.
    if (std::isnan(value)) return "";
    if (std::isinf(value)) return value > 0 ? "1.7976931E+308" : "-1.7976931E+308";
    if (value == 0) return "0";

    // 18 significant digits first, then round half away from zero on that
    // decimal string to 8 digits. (Character arrays throughout: a study
    // formats its varied values once per run.)
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                 std::chars_format::scientific, 17);
    *r.ptr = '\0';
    char digits[kDigits + 10];  // "d" and the 17 digits after the point
    digits[0] = buf[0];
    const char* e = std::strchr(buf, 'e');
    std::memcpy(digits + 1, buf + 2, static_cast<size_t>(e - (buf + 2)));
    int exponent = std::atoi(e + 1);

    char d[kDigits];
    std::memcpy(d, digits, kDigits);
    if (digits[kDigits] >= '5') {
        int i = kDigits - 1;
        while (i >= 0 && d[i] == '9') {
            d[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d[i];
        } else {
            d[0] = '1';  // "10000000", one decade up
            ++exponent;
        }
    }
    int n = kDigits;
    while (n > 1 && d[n - 1] == '0') --n;

    char out[48];
    char* p = out;
    auto put = [&p](const char* from, int count) {
        for (int k = 0; k < count; ++k) *p++ = from[k];
    };
    auto zeros = [&p](int count) {
        for (int k = 0; k < count; ++k) *p++ = '0';
    };
    if (value < 0) *p++ = '-';
    if (exponent < kDigits && exponent >= -5) {
        if (exponent >= 0) {
            if (n <= exponent + 1) {
                put(d, n);
                zeros(exponent + 1 - n);
            } else {
                put(d, exponent + 1);
                *p++ = '.';
                put(d + exponent + 1, n - exponent - 1);
            }
        } else {
            put("0.", 2);
            zeros(-exponent - 1);
            put(d, n);
        }
    } else {
        *p++ = d[0];
        if (n > 1) {
            *p++ = '.';
            put(d + 1, n - 1);
        }
        put(exponent < 0 ? "E-" : "E+", 2);
        const int a = std::abs(exponent);
        if (a < 10) *p++ = '0';
        p = std::to_chars(p, out + sizeof out, a).ptr;
    }
    return std::string(out, p);
}

// The fill height as the form shows it has 8 significant digits, so a silo
// filled to the brim (14.53108891 m in a silo of 14.531088913 m) comes back
// from the form as 14.531089 m. A fill height above the silo height by no
// more than the rounding of the silo height to those 8 digits is the full
// silo: it is taken as the silo height. Anything higher stays above.
double fillHeightInSilo(double fill, double siloHeight) {
    if (!(fill > siloHeight) || !std::isfinite(siloHeight)) return fill;
    const double shown = textToNumber(formatGeneral8(siloHeight));
    return fill <= std::max(shown, siloHeight) ? siloHeight : fill;
}

// ---------------------------------------------------------------------------
// Showing the model in the form
// ---------------------------------------------------------------------------

namespace {

// Each setter changes a check box as the program would, and, as a click does,
// runs the change handler's rule for that box only when the state changes.
void setTrichterja(FormOptions& in, bool v);
void setSchaftja(FormOptions& in, bool v);

void setVertunten(FormOptions& in, bool v) {
    // The part below only switches its own fields on and off.
    in.vertunten = v;
}

void setTrichterja(FormOptions& in, bool v) {
    if (in.Trichterja == v) return;
    in.Trichterja = v;
    if (!v) {
        // No part below without a hopper, and no silo without shaft and hopper.
        if (in.vertunten) setVertunten(in, false);
        if (!in.Schaftja) setSchaftja(in, true);
    }
}

void setSchaftja(FormOptions& in, bool v) {
    if (in.Schaftja == v) return;
    in.Schaftja = v;
    if (!v && !in.Trichterja) setTrichterja(in, true);
}

std::string degreesText(double rad) { return formatGeneral8(rad * 180.0 / kPi); }

}  // namespace

namespace {

// How a value is written into a field: the form's display, or exactly.
using NumberText = std::string (*)(double);

// Text that converts back to exactly this double: the shortest one.
std::string exactText(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Degrees of an angle held in radians, as a text whose conversion back to
// radians (the form's and the file's: degrees * pi / 180) gives exactly the
// same radians. A file holds degrees with 15 significant digits, which the
// 15-digit rounding recovers; the other candidates cover angles set otherwise.
std::string exactDegreesText(double rad) {
    const double deg = rad * 180.0 / kPi;
    if (!std::isfinite(deg)) return exactText(deg);
    for (int digits = 15; digits <= 17; ++digits) {
        for (double candidate : {deg, std::nextafter(deg, -DBL_MAX), std::nextafter(deg, DBL_MAX)}) {
            char buf[64];
            const auto r = std::to_chars(buf, buf + sizeof buf, candidate,
                                         std::chars_format::general, digits);
            std::string text(buf, r.ptr);
            if (degToRad(textToNumber(text)) == rad) return text;
        }
    }
    return exactText(deg);
}

// The option states of a form showing the model, each box firing its rule
// as it is set, and the showing's side effects on the model (Hunttricht 0
// without the part below, boeschwinkel 0 without heap, surcharge 0 when not
// positive). `in` holds the states before.
void showOptions(SiloModel& m, FormOptions& in) {
    // stress state; unchanged when the two switches do not say one thing
    if (m.Fuellzustand && !m.Entleerungszustand) in.stressState = 0;
    else if (m.Entleerungszustand && !m.Fuellzustand) in.stressState = 1;

    // density law: one of the three buttons
    in.constantDensity = m.Rhokonstant;
    in.densityFunction = !m.Rhokonstant && m.Rhofunktion;
    in.fittedDensity = !m.Rhokonstant && !m.Rhofunktion;

    // cross-section
    in.crossSection = m.Querschnitt == 1 ? 0 : 1;

    // sections, each box firing its rule as it is set
    setTrichterja(in, m.Trichterja);
    setSchaftja(in, m.Schaftja);
    if (!m.vertunten) m.Hunttricht = 0;
    if (in.vertunten != m.vertunten) setVertunten(in, m.vertunten);

    // surface
    in.flatSurface = in.heap = in.surcharge = false;
    if (m.Schuettkegel) {
        in.heap = true;
    } else {
        m.boeschwinkel = 0;
        if (m.Auflastspannung > 0) {
            in.surcharge = true;
        } else {
            m.Auflastspannung = 0;
            in.flatSurface = true;
        }
    }

    // K choice
    in.kFromFriction = m.Kwahl == 0;
    in.kFixed = m.Kwahl == 1;
    in.kOwnValue = m.Kwahl != 0 && m.Kwahl != 1;
}

// An edit field showing a value of the model: its text, the number the text
// stands for, the model's value and whether it is an angle (radians in the
// model, degrees in the field). The K field is shown only when K is typed.
struct ShownField {
    std::string FormInput::*text;
    double FormNumbers::*number;
    double SiloInputs::*value;
    bool degrees;
};
const ShownField kShownFields[] = {
    {&FormInput::rhoMin, &FormNumbers::rhoMin, &SiloInputs::RHOMIN, false},
    {&FormInput::rhoMax, &FormNumbers::rhoMax, &SiloInputs::RHOMAX, false},
    {&FormInput::sigma0, &FormNumbers::sigma0, &SiloInputs::SIGMA0, false},
    {&FormInput::internalFriction, &FormNumbers::internalFriction, &SiloInputs::PHIE, true},
    {&FormInput::Phixschaft, &FormNumbers::Phixschaft, &SiloInputs::Phixschaft, true},
    {&FormInput::Phixtrichter, &FormNumbers::Phixtrichter, &SiloInputs::Phixtrichter, true},
    {&FormInput::Phixunten, &FormNumbers::Phixunten, &SiloInputs::Phixunten, true},
    {&FormInput::PHIXTrichterStirnwand, &FormNumbers::PHIXTrichterStirnwand,
     &SiloInputs::PhixStirnwand, true},
    {&FormInput::diameterOrWidth, &FormNumbers::diameterOrWidth, &SiloInputs::Durchmesser, false},
    {&FormInput::rectangleLength, &FormNumbers::rectangleLength, &SiloInputs::Laenge, false},
    {&FormInput::outletWidth, &FormNumbers::outletWidth, &SiloInputs::Auslauf, false},
    {&FormInput::Hunttricht, &FormNumbers::Hunttricht, &SiloInputs::Hunttricht, false},
    {&FormInput::boeschwinkel, &FormNumbers::boeschwinkel, &SiloInputs::boeschwinkel, true},
    {&FormInput::surchargeStress, &FormNumbers::surchargeStress, &SiloInputs::Auflastspannung,
     false},
    {&FormInput::hopperAngle, &FormNumbers::hopperAngle, &SiloInputs::Trichterwinkel, true},
    {&FormInput::fillHeight, &FormNumbers::fillHeight, &SiloInputs::Fuellhoehe, false},
    {&FormInput::shaftHeight, &FormNumbers::shaftHeight, &SiloInputs::Hschaft, false},
};

void showModelWith(SiloModel& m, FormInput& in, NumberText number, NumberText degrees) {
    // The texts show the model as the option states leave it.
    showOptions(m, in);
    for (const ShownField& f : kShownFields)
        in.*(f.text) = f.degrees ? degrees(m.*(f.value)) : number(m.*(f.value));
    if (in.kOwnValue) in.kValue = number(m.Kwert);
}

}  // namespace

void showModelInForm(SiloModel& m, FormInput& in) {
    showModelWith(m, in, &formatGeneral8, &degreesText);
}

FormNumbers formNumbers(const FormInput& in) {
    FormNumbers v;
    for (const ShownField& f : kShownFields) v.*(f.number) = textToNumber(in.*(f.text));
    v.kValue = textToNumber(in.kValue);
    return v;
}

// ---------------------------------------------------------------------------
// Checks shared by the sketch and the take-over
// ---------------------------------------------------------------------------

namespace {

// Silo form: a hopper needs a positive slope and an outlet narrower than its
// top; a shaft alone needs a width; a rectangle needs a length. The length of
// a circular silo means nothing and is not looked at, but every dimension must
// be a finite number, since the cross-sections are computed from all of them.
// Widths and heights are never negative: an outlet of negative width or a
// shaft of negative height would turn volumes and contents negative.
bool siloFormValid(bool hopper, bool shaft, bool rectangular, double T, double D, double d,
                   double L, double Hschaft) {
    if (!(std::isfinite(T) && std::isfinite(D) && std::isfinite(d) && std::isfinite(L)))
        return false;
    if (hopper && !(T > 0 && D > 0 && D - d > 0 && d >= 0)) return false;
    if (shaft && !hopper && !(D > 0)) return false;
    if (shaft && !(Hschaft >= 0 && std::isfinite(Hschaft))) return false;
    if (rectangular && !(L > 0)) return false;
    return true;
}

// Friction angles in degrees: wall friction in the hopper must not exceed the
// internal friction, and every angle stays within 0 < angle <= 89. The end
// walls of a circular silo do not exist; their angle only has to stay a
// number in radians.
bool frictionValid(double phie, double phixSchaft, double phixTrichter, double phixUnten,
                   double phixStirn, bool rectangular) {
    auto inRange = [](double a) { return a > 0 && a <= 89; };
    if (!(inRange(phixSchaft) && inRange(phixTrichter) && inRange(phixUnten) && inRange(phie)))
        return false;
    if (!(phixTrichter <= phie)) return false;
    if (rectangular && !(phixStirn >= 0 && phixStirn <= 89)) return false;
    if (!std::isfinite(degToRad(phixStirn))) return false;
    return true;
}

// Values of the constant density and of the density function: a positive
// least density; for the function a positive reference stress (a negative one
// would let the density fall without bound as the stress grows) and a largest
// density not below the least.
bool densityValuesValid(bool constant, bool function, double rhomin, double rhomax,
                        double sigma0) {
    if (!(constant || function)) return true;  // the fitted law is judged on its own
    if (!(rhomin > 0 && std::isfinite(rhomin))) return false;
    if (constant) return true;
    return sigma0 > 0 && std::isfinite(sigma0) && rhomax >= rhomin && std::isfinite(rhomax);
}

// Every derived length, area and volume of the model is a finite number, and
// none of those that measure something is negative.
bool derivedGeometrySound(const SiloModel& m) {
    const double finite[] = {m.TanTrichter, m.Flaeche, m.Umfang, m.Flaecheunten, m.Umfangunten,
                             m.Auslaufflaeche, m.Hspitzeauslauf, m.Hspitzeoben};
    for (double v : finite)
        if (!std::isfinite(v)) return false;
    const double nonNegative[] = {m.Hsilo, m.Hkegel, m.Vkegel, m.Hoberflaeche, m.Boberflaeche,
                                  m.Hfuellschaft, m.Hfuelltrichter, m.Hfuellunten,
                                  m.Bruttovolumen, m.Fuellvolumen};
    for (double v : nonNegative)
        if (!(v >= 0 && std::isfinite(v))) return false;
    return true;
}

// What the main window shows and the result file holds after a calculation
// is sound: finite numbers, no negative stress, a positive density in every
// slice the calculation integrated, a contents that is not negative. The
// slices' part was gathered by the calculation while it integrated.
bool resultsSound(const SiloModel& m) {
    const double scalars[] = {m.Massenflusswinkel, m.TrichterF, m.TrichterN, m.Stirnwandterm};
    for (double v : scalars)
        if (!std::isfinite(v)) return false;
    // A silo filled at least 1 cm with a positive density holds something.
    if (!(m.Fuellmenge > 0 && std::isfinite(m.Fuellmenge))) return false;
    if (!m.summary.sound) return false;
    // The slices stack up to the surface level: the heights the displays
    // print are the sums of the slice heights. Where the hopper's apex lies
    // so far below that its distance swamps the fill height (a wall all but
    // vertical), the slice heights lose their digits and do not add up.
    const double depth = m.summary.depth;
    if (!(std::fabs(depth - m.Hoberflaeche) <= 1e-6 * std::max(1.0, m.Hoberflaeche)))
        return false;
    // The hopper's wall stresses are its vertical stresses times F: a hopper
    // so close to vertical that F is no longer positive has no wall stress.
    if (m.Trichterja && !(m.TrichterF > 0)) return false;
    return true;
}

// The density law is positive and finite over the stresses [0, sigmaMax]. The
// straight line, the logarithmic and the exponential law are monotonic and
// the interpolation is linear between measured points, so the ends of the
// range and the measured stresses inside it are where the least density lies.
bool densityPositiveOver(const SiloModel& m, double sigmaMax) {
    auto positive = [&m](double s) {
        const double rho = density(m, s);
        return rho > 0 && std::isfinite(rho);
    };
    if (!positive(0) || !positive(sigmaMax)) return false;
    if (m.Dichtemodus() == 2 && m.Anpassart == 3) {
        const int n = std::clamp(m.Messanzahl, 0, kMaxPairs);
        for (int i = 1; i <= n; ++i) {
            if (m.Messsigma[i] > 0 && m.Messsigma[i] < sigmaMax && !positive(m.Messsigma[i]))
                return false;
        }
    }
    return true;
}

// The largest major principal stress at which the calculation evaluated the
// density: the vertical stress in the vertical sections and at the surface,
// in the hopper on discharge the vertical stress times (1 + sin PHIE) /
// (1 - sin PHIE); gathered by the calculation.
double largestStress(const SiloModel& m) { return m.summary.largestStress; }

// The calculation of the model on a copy, with `adjust` applied to the copy
// first; true when its results are sound.
template <typename Adjust>
bool calculatesSoundly(const SiloModel& m, Adjust adjust, double* sigmaMax = nullptr,
                       SiloModel* keep = nullptr) {
    // The trial's results are cleared and calculated afresh, so only the
    // rest of the model is copied; the space is kept per thread.
    static thread_local const std::unique_ptr<SiloModel> space = std::make_unique<SiloModel>();
    SiloModel& trial = *space;
    copyAllButResults(trial, m);
    adjust(trial);
    clearResults(trial);
    prepare(trial, false);
    calculate(trial);
    if (sigmaMax) *sigmaMax = largestStress(trial);
    const bool sound = resultsSound(trial);
    if (sound && keep) *keep = trial;
    return sound;
}

// Calculates a set that passed the value checks once, as the main window
// will, and names the value at fault when the results are not sound. The
// slice step is explicit: a density law that turns negative, or grows without
// bound, within the stresses of the silo, a K far above what the bulk solid
// carries, or a silo so slender or an outlet so narrow that one slice's wall
// support exceeds its stress make the stresses oscillate, turn negative or
// overflow. Which value is at fault is found by replacing it with a sound one:
// the density law by a constant density (its density at no stress), then K
// by 0.4; what remains is the silo's geometry.
// `calculated` (which may be `m` itself) receives the calculated model when
// the set is sound.
int calculationProblem(const SiloModel& m, SiloModel* calculated) {
    double sigmaMax = 0;
    if (calculatesSoundly(m, [](SiloModel&) {}, &sigmaMax, calculated)) {
        // The density law must also hold between the stresses the slices
        // happened to evaluate, and at the 10 Pa shown for the heap's top.
        if (!densityPositiveOver(m, std::max(sigmaMax, 10.0))) return kProblemDensity;
        return kProblemNone;
    }
    const double rho0 = density(m, 0);
    if (!(rho0 > 0 && std::isfinite(rho0))) return kProblemDensity;
    auto constantDensity = [rho0](SiloModel& t) {
        t.Rhokonstant = true;
        t.Rhofunktion = false;
        t.RHOMIN = rho0;
    };
    if (m.Dichtemodus() != 0 && calculatesSoundly(m, constantDensity)) return kProblemDensity;
    if (m.Kwahl != 0 && m.Kwahl != 1) {
        auto usualK = [&constantDensity](SiloModel& t) {
            constantDensity(t);
            t.Kwahl = 1;
            t.Kwert = 0.4;
        };
        if (calculatesSoundly(m, usualK)) return kProblemK;
    }
    return kProblemGeometry;
}

// An angle of repose between 0 and 89 degrees.
bool reposeValid(double deg) { return deg >= 0 && deg <= 89; }

// The passive stress ratio (1 + sin PHIE) / (1 - sin PHIE) is the largest
// ratio of horizontal to vertical stress a bulk solid without cohesion can
// carry; K beyond it describes no material.
bool kValid(double K, double phie) {
    if (!(K > 0 && std::isfinite(K))) return false;
    const double s = std::sin(phie);
    return K <= (1.0 + s) / (1.0 - s);
}

}  // namespace

// ---------------------------------------------------------------------------
// Silo sketch and live check
// ---------------------------------------------------------------------------

namespace {

// Pixel of a point in metres, rounded to the nearest (ties to even). Values
// far outside any image (an outlet wider than the top read from a file, a
// hopper wall nearly horizontal) are held at a bound that an int can carry.
int toPixel(double v) {
    constexpr double kLimit = 1.0e6;
    v = std::nearbyint(v);
    if (!(v > -kLimit)) return static_cast<int>(-kLimit);
    if (v > kLimit) return static_cast<int>(kLimit);
    return static_cast<int>(v);
}

struct Transform {
    double Xmitte, Ybasis, Massstab;
    int col(double x) const { return toPixel(x * Massstab + Xmitte); }
    int row(double z) const { return toPixel(Ybasis - z * Massstab); }
};

// A polyline from the current point, as a pen moves on a canvas.
struct Pen {
    const Transform& t;
    std::vector<SketchLine>& lines;
    bool red;
    int x = 0, y = 0;
    void moveTo(double px, double pz) {
        x = t.col(px);
        y = t.row(pz);
    }
    void lineTo(double px, double pz) {
        const int nx = t.col(px), ny = t.row(pz);
        lines.push_back({x, y, nx, ny, red});
        x = nx;
        y = ny;
    }
};

}  // namespace

namespace {

// The sketch's checks on the form's options and numbers and, when `draw`,
// its drawing and the "Berechnet:" texts; without, only what the checks
// decide (the code, the mass-flow check).
SketchResult sketchWith(const SiloModel& m, const FormOptions& in, const FormNumbers& v,
                        const DensityWorkingCopy& w, int imageWidth, int imageHeight,
                        bool draw) {
    SketchResult r;
    const bool hopper = in.Trichterja;
    const bool shaft = in.Schaftja;
    const bool heap = in.heap;
    const int c = in.crossSection == 0 ? 1 : 0;
    const bool rectangular = c == 0;

    // transform of the image
    r.xCentre = imageWidth * 0.5;
    r.yBase = imageHeight * 0.9;

    auto badData = [&r](int code) {
        r.badData = true;
        r.code = code;
        r.lines.clear();
        return r;
    };

    // hopper angle
    const double angleDeg = v.hopperAngle;
    if (hopper && !(angleDeg > 0 && angleDeg < 90)) {
        if (!m.Trichterja) r.flowLabel = 4;
        return badData(kProblemGeometry);
    }

    // values of the form
    const double theta = degToRad(angleDeg);
    const double t = std::tan(theta);
    const double b = v.outletWidth;
    const double D = v.diameterOrWidth;
    const double Hschaft = shaft ? v.shaftHeight : 0.0;
    const double L = v.rectangleLength;
    double F = v.fillHeight;

    // The sketch's own copy of the derived geometry, computed by the same
    // formulas as the model's.
    // (no results are calculated on it: a fresh model but for the result
    // arrays, whose space is kept per thread)
    static thread_local const std::unique_ptr<SiloModel> space = std::make_unique<SiloModel>();
    SiloModel& g = *space;
    copyAllButResults(g, freshModel());
    g.Querschnitt = static_cast<std::uint8_t>(c);
    g.Durchmesser = D;
    g.Laenge = L;
    g.Auslauf = b;
    g.Trichterja = hopper;
    g.Schaftja = shaft;
    g.Hschaft = Hschaft;
    g.Trichterwinkel = theta;
    g.Fuellhoehe = F;
    computeCrossSections(g);

    // geometry check, and a fill of at least 1 cm
    if (!siloFormValid(hopper, shaft, rectangular, t, D, b, L, Hschaft) || !(F >= 0.01))
        return badData(kProblemGeometry);

    // hopper apex distances and outlet area
    computeHopperApex(g);

    // part below the hopper, outlet section, total height
    const double Hu = in.vertunten ? v.Hunttricht : 0.0;
    if (!(Hu >= 0)) return badData(kProblemGeometry);  // a part below of negative height
    g.vertunten = in.vertunten;
    g.Hunttricht = Hu;
    computeOutletSections(g);
    const double hT = g.Hspitzeoben - g.Hspitzeauslauf;
    g.Hsilo = Hu + hT + Hschaft;

    // a silo of no height: a problem of its geometry, not of the heap
    if (!(g.Hsilo >= 0.01)) return badData(kProblemGeometry);
    F = fillHeightInSilo(F, g.Hsilo);
    g.Fuellhoehe = F;

    // heap
    double tB = 0;
    double B = D;
    if (heap) {
        const double repose = v.boeschwinkel;
        if (!reposeValid(repose)) return badData(kProblemRepose);
        g.Schuettkegel = true;
        g.boeschwinkel = degToRad(repose);
        tB = std::tan(g.boeschwinkel);
        const Heap h = computeHeap(c, D, L, b, t, Hu, hT, F, tB);
        g.Hkegel = h.Hkegel;
        g.Vkegel = h.Vkegel;
        B = h.w;
    }
    g.Boberflaeche = B;

    // surface level
    const double Y = F - g.Hkegel;
    g.Hoberflaeche = Y;
    if (Y < 0 || F > g.Hsilo) return badData(Y < 0 ? kProblemGeometry : kProblemFillAboveSilo);

    // A surcharge pressing up from the surface is no load a silo can carry.
    if (in.surcharge && !heap && !(v.surchargeStress >= 0)) return badData(kProblemGeometry);

    // derived values; values so large that a height or volume is no longer a
    // finite number describe no silo
    const double gross = grossVolume(g);
    const double net = filledVolume(g, &B);
    for (double x : {hT, g.Hsilo, g.Hkegel, g.Vkegel, gross, net, Y, B}) {
        if (!(x >= 0 && std::isfinite(x))) return badData(kProblemGeometry);
    }
    r.derivedValid = true;
    if (draw) {
        r.hopperHeightText = formatGeneral8(hT);
        r.siloHeightText = formatGeneral8(g.Hsilo);
        r.grossVolumeText = formatGeneral8(gross);
        r.netVolumeText = formatGeneral8(net);
        r.fillHeightWithoutHeapText = formatGeneral8(Y);
        // K from the internal friction
        if (in.kFromFriction)
            r.kFromFrictionText =
                formatGeneral8(1.2 * (1.0 - std::sin(degToRad(v.internalFriction))));
    }
    if (Y <= Hu) B = b;

    // drawing
    const double zT = Hu + hT;
    if (hopper) {
        const bool ok = t > 0 && D > 0 && D - b > 0 && (!shaft || Y > 0);
        if (!ok) return badData(kProblemGeometry);
        r.drawingCase = shaft ? 1 : 2;
        const double R = std::max((D - b) / (2.0 * t) + Hu, g.Hsilo);
        r.scale = std::min(imageWidth * 0.8 / D, imageHeight * 0.8 / R);
    } else if (shaft) {
        if (!(D > 0 && Y > 0)) return badData(kProblemGeometry);
        r.drawingCase = 3;
        r.scale = std::min(imageWidth * 0.8 / D, imageHeight * 0.8 / g.Hsilo);
    } else {
        return badData(kProblemGeometry);
    }
    if (draw) {
        const Transform tr{r.xCentre, r.yBase, r.scale};
        Pen black{tr, r.lines, false};
        Pen red{tr, r.lines, true};
        const double Hsilo = g.Hsilo;
        const double Hk = g.Hkegel;
        if (hopper) {
            // hopper
            black.moveTo(-D / 2, zT);
            black.lineTo(D / 2, zT);
            black.lineTo(b / 2, Hu);
            black.lineTo(-b / 2, Hu);
            black.lineTo(-D / 2, zT);
            if (shaft) {
                black.moveTo(-D / 2, zT);
                black.lineTo(-D / 2, Hsilo);
                black.lineTo(D / 2, Hsilo);
                black.lineTo(D / 2, zT);
            }
            // part below the hopper
            black.moveTo(b / 2, Hu);
            black.lineTo(b / 2, 0);
            black.lineTo(-b / 2, 0);
            black.lineTo(-b / 2, Hu);
            // surface and heap
            red.moveTo(-B / 2, Y);
            if (heap && (!shaft || tB != 0)) {
                if (!shaft || Hk * 0.999 > tB * B / 2) {
                    red.lineTo(0, Y + Hk);
                } else {
                    // the heap's top is cut flat by the walls: a ridge or a plateau
                    const double s = B / 2 - Hk / tB;
                    red.lineTo(-s, Y + Hk);
                    red.lineTo(s, Y + Hk);
                }
                red.lineTo(B / 2, Y);
                red.lineTo(-B / 2, Y);
            } else {
                red.lineTo(B / 2, Y);
            }
        } else {
            black.moveTo(D / 2, 0);
            black.lineTo(-D / 2, 0);
            black.lineTo(-D / 2, Hsilo);
            black.lineTo(D / 2, Hsilo);
            black.lineTo(D / 2, 0);
            red.moveTo(-D / 2, Y);
            if (heap) {
                red.lineTo(0, Y + Hk);
                red.lineTo(D / 2, Y);
                red.lineTo(-D / 2, Y);
            } else {
                red.lineTo(D / 2, Y);
            }
        }
    }

    // final check: geometry ends the checks, then friction, then the
    // density law, each later finding replacing an earlier one
    r.code = kProblemNone;
    if (!siloFormValid(hopper, shaft, rectangular, t, D, b, L, Hschaft)) {
        r.code = kProblemGeometry;
        return r;
    }
    const double phie = v.internalFriction;
    const double phixTrichter = v.Phixtrichter;
    if (!frictionValid(phie, v.Phixschaft, phixTrichter, v.Phixunten, v.PHIXTrichterStirnwand,
                       rectangular))
        r.code = kProblemFriction;
    const double rhomin = v.rhoMin;
    const double rhomax = v.rhoMax;
    const double sigma0 = v.sigma0;
    if (in.densityFunction && (sigma0 == 0 || rhomax < rhomin)) r.code = kProblemDensity;
    if (in.fittedDensity && w.Messpunktzahl < 2) r.code = kProblemMissingPairs;
    if (!densityValuesValid(in.constantDensity, in.densityFunction && !in.constantDensity, rhomin, rhomax, sigma0))
        r.code = kProblemDensity;

    // mass flow or funnel flow of the hopper in the discharge state
    if (in.stressState == 1 && m.Trichterja) {
        const MassFlow mf = massFlowCheck(c, degToRad(phixTrichter), degToRad(phie), theta);
        r.massFlowChecked = true;
        r.massFlowAngleDeg = mf.angleDeg;
        r.massFlow = mf.massFlow;
        r.flowLabel = mf.massFlow ? 1 : 2;
    } else {
        r.flowLabel = 3;
    }
    return r;
}

}  // namespace

SketchResult siloSketch(const SiloModel& m, const FormInput& in, const DensityWorkingCopy& w,
                        int imageWidth, int imageHeight) {
    return sketchWith(m, in, formNumbers(in), w, imageWidth, imageHeight, true);
}

// ---------------------------------------------------------------------------
// Take-over on OK
// ---------------------------------------------------------------------------

namespace {

// The take-over up to the calculation: the form's values taken and checked.
int takeOverValues(SiloModel& m, const FormOptions& in, const FormNumbers& v,
                   const DensityWorkingCopy& w) {
    // a fitted law needs at least two measured pairs
    if (in.fittedDensity && w.Messpunktzahl < 2) return kProblemMissingPairs;

    // the measured set becomes the model's committed one
    for (int i = 1; i <= kMaxPairs; ++i) {
        m.Messsigma[i] = w.Messtabelle[1][i];
        m.Messrho[i] = w.Messtabelle[2][i];
    }
    m.Anpassart = w.Messanpassart;
    m.Messanzahl = w.Messpunktzahl;
    m.AnpassA = w.MessA;
    m.AnpassB = w.MessB;
    m.AnpassRHOMIN = w.MessRHOMIN;
    m.AnpassRHOMAX = w.MessRHOMAX;
    m.AnpassSIGMA0 = w.MessSIGMA0;

    // from here on the form's values are taken, problems collected
    int code = kProblemNone;
    m.Schrittzahl = 1000;

    // stress state and density law
    m.Fuellzustand = in.stressState == 0;
    m.Entleerungszustand = in.stressState == 1;
    m.Rhokonstant = in.constantDensity;
    m.Rhofunktion = in.densityFunction;

    // density values
    m.RHOMIN = v.rhoMin;
    m.RHOMAX = v.rhoMax;
    m.Rhosteigung = 0;
    m.SIGMA0 = v.sigma0;
    if (!m.Rhokonstant && (m.SIGMA0 == 0 || m.RHOMAX < m.RHOMIN)) code = kProblemDensity;
    if (!densityValuesValid(m.Rhokonstant, m.Rhofunktion && !m.Rhokonstant, m.RHOMIN, m.RHOMAX,
                            m.SIGMA0))
        code = kProblemDensity;

    // friction angles, checked in degrees, held in radians
    const bool rectangular = in.crossSection != 0;
    double phie = v.internalFriction;
    double phixSchaft = v.Phixschaft;
    double phixTrichter = v.Phixtrichter;
    double phixStirn = v.PHIXTrichterStirnwand;
    double phixUnten = v.Phixunten;
    if (!frictionValid(phie, phixSchaft, phixTrichter, phixUnten, phixStirn, rectangular))
        code = kProblemFriction;
    m.PHIE = degToRad(phie);
    m.Phixschaft = degToRad(phixSchaft);
    m.Phixtrichter = degToRad(phixTrichter);
    m.PhixStirnwand = degToRad(phixStirn);
    m.Phixunten = degToRad(phixUnten);

    // sections present
    m.Trichterja = in.Trichterja;
    m.Schaftja = in.Schaftja;
    m.Hschaft = m.Schaftja ? v.shaftHeight : 0.0;

    // cross-section and main dimensions
    m.Querschnitt = in.crossSection == 0 ? 1 : 0;
    m.Durchmesser = v.diameterOrWidth;
    m.Boberflaeche = m.Durchmesser;
    m.Laenge = v.rectangleLength;
    m.Fuellhoehe = v.fillHeight;
    m.Auslauf = v.outletWidth;

    // shaft cross-section
    computeCrossSections(m);

    // hopper slope, also without a hopper
    const double hopperAngle = v.hopperAngle;
    m.Trichterwinkel = degToRad(hopperAngle);
    m.TanTrichter = std::tan(m.Trichterwinkel);

    // silo form; a hopper wall leans between vertical and horizontal
    if (!siloFormValid(m.Trichterja, m.Schaftja, m.Querschnitt == 0, m.TanTrichter,
                       m.Durchmesser, m.Auslauf, m.Laenge, m.Hschaft))
        return kProblemGeometry;
    if (m.Trichterja && !(hopperAngle > 0 && hopperAngle < 90)) return kProblemGeometry;

    // hopper apex distances and outlet area
    computeHopperApex(m);

    // vertical part below the hopper; a part of no height is no part
    if (in.vertunten) {
        m.vertunten = true;
        m.Hunttricht = v.Hunttricht;
        if (!(m.Hunttricht >= 0)) return kProblemGeometry;  // a negative height
        if (!(m.Hunttricht > 0)) {
            m.vertunten = false;
            m.Hunttricht = 0;
        }
    } else {
        m.vertunten = false;
        m.Hunttricht = 0;
    }

    // outlet cross-section and total height
    computeOutletSections(m);
    const double Hh = m.Hspitzeoben - m.Hspitzeauslauf;
    m.Hsilo = m.Hunttricht + Hh + m.Hschaft;
    m.Fuellhoehe = fillHeightInSilo(m.Fuellhoehe, m.Hsilo);

    // heap
    if (in.heap) {
        m.Schuettkegel = true;
        // The model holds the angle in radians even when the value is refused,
        // so a later save or calculation never reads degrees as radians.
        const double repose = v.boeschwinkel;
        m.boeschwinkel = degToRad(repose);
        if (!reposeValid(repose)) return kProblemRepose;
        const Heap h = computeHeap(m.Querschnitt, m.Durchmesser, m.Laenge, m.Auslauf,
                                   m.TanTrichter, m.Hunttricht, Hh, m.Fuellhoehe,
                                   std::tan(m.boeschwinkel));
        m.Hkegel = h.Hkegel;
        m.Vkegel = h.Vkegel;
        m.Boberflaeche = h.w;
    } else {
        m.Schuettkegel = false;
        m.Hkegel = 0;
        m.Vkegel = 0;
        m.boeschwinkel = 0;
    }

    // surcharge; with a heap it keeps its value and is not used
    if (in.flatSurface) m.Auflastspannung = 0;
    else if (in.surcharge) m.Auflastspannung = v.surchargeStress;
    if (in.surcharge && !(m.Auflastspannung >= 0)) return kProblemGeometry;

    // surface level and filled heights
    m.Hoberflaeche = m.Fuellhoehe - m.Hkegel;
    computeFilledHeights(m);

    // the contents must fit
    if (m.Hoberflaeche < 0) return kProblemGeometry;
    if (m.Fuellhoehe > m.Hsilo) return kProblemFillAboveSilo;

    // volumes
    m.Bruttovolumen = grossVolume(m);
    m.Fuellvolumen = filledVolume(m, &m.Boberflaeche);

    // Values so large that the derived geometry is no longer a finite number
    // (a diameter of 1e200 m has no finite area) describe no silo.
    if (!derivedGeometrySound(m)) return kProblemGeometry;

    // K
    if (in.kFromFriction) {
        m.Kwert = 1.2 * (1.0 - std::sin(m.PHIE));
        m.Kwahl = 0;
    } else if (in.kFixed) {
        m.Kwert = 0.4;
        m.Kwahl = 1;
    } else if (in.kOwnValue) {
        m.Kwahl = 2;
        m.Kwert = v.kValue;
        if (!kValid(m.Kwert, m.PHIE)) code = kProblemK;
    }

    return code;
}

}  // namespace

int takeOver(SiloModel& m, const FormInput& in, const DensityWorkingCopy& w,
             SiloModel* calculated) {
    int code = takeOverValues(m, in, formNumbers(in), w);
    // A set that passed every check is calculated once on a copy, as the main
    // window will: what it refuses here is never shown as a result.
    if (code == kProblemNone) code = calculationProblem(m, calculated);
    return code;
}

void committedToWorkingCopy(const SiloModel& m, DensityWorkingCopy& w) {
    for (int i = 1; i <= kMaxPairs; ++i) {
        w.Messtabelle[1][i] = m.Messsigma[i];
        w.Messtabelle[2][i] = m.Messrho[i];
    }
    w.Messpunktzahl = m.Messanzahl;
    w.Messanpassart = m.Anpassart;
    w.MessA = m.AnpassA;
    w.MessB = m.AnpassB;
    w.MessRHOMIN = m.AnpassRHOMIN;
    w.MessRHOMAX = m.AnpassRHOMAX;
    w.MessSIGMA0 = m.AnpassSIGMA0;
}

namespace {

// A loaded set keeps the flow pattern its values give, as the form's check
// found it, for a state that does not compute it again (filling).
void keepMassFlow(SiloModel& m, const SketchResult& sketch) {
    if (!sketch.massFlowChecked) return;
    m.Massenflusswinkel = sketch.massFlowAngleDeg;
    m.Massenfluss = sketch.massFlow;
}

// Values of a loaded model that are not numbers: a file holds finite numbers
// only, but an angle near the largest number has no finite radians. Such a
// value is refused before it reaches a field, whose text could not carry it.
// Only what the set uses is looked at (the form's showing has already set the
// unused heap angle, part below and surcharge to 0).
int loadedValuesProblem(const SiloModel& m) {
    auto finite = [](std::initializer_list<double> values) {
        for (double v : values)
            if (!std::isfinite(v)) return false;
        return true;
    };
    if (!finite({m.Durchmesser, m.Laenge, m.Auslauf, m.Hschaft, m.Hunttricht, m.Fuellhoehe,
                 m.Trichterwinkel, m.Auflastspannung}))
        return kProblemGeometry;
    if (m.Schuettkegel && !std::isfinite(m.boeschwinkel)) return kProblemRepose;
    if (!finite({m.PHIE, m.Phixschaft, m.Phixtrichter, m.Phixunten, m.PhixStirnwand}))
        return kProblemFriction;
    if (m.Kwahl != 0 && m.Kwahl != 1 && !std::isfinite(m.Kwert)) return kProblemK;
    if (!finite({m.RHOMIN, m.RHOMAX, m.SIGMA0})) return kProblemDensity;
    if (m.Dichtemodus() == 2) {
        if (!finite({m.AnpassA, m.AnpassB, m.AnpassRHOMIN, m.AnpassRHOMAX, m.AnpassSIGMA0}))
            return kProblemDensity;
        const int n = std::clamp(m.Messanzahl, 0, kMaxPairs);
        for (int i = 1; i <= n; ++i)
            if (!finite({m.Messsigma[i], m.Messrho[i]})) return kProblemDensity;
    }
    return kProblemNone;
}

}  // namespace

int deriveLoadedModel(SiloModel& m) {
    // The form's checks and take-over on the loaded values, each written
    // into its field exactly, so that nothing is rounded to the display's
    // eight digits: the sketch's pending problem, else the take-over.
    FormInput in;
    showModelWith(m, in, &exactText, &exactDegreesText);
    if (const int code = loadedValuesProblem(m)) return code;
    // The committed measured set stays the model's own.
    const auto w = std::make_unique<DensityWorkingCopy>();
    committedToWorkingCopy(m, *w);
    const SketchResult sketch = siloSketch(m, in, *w, 247, 400);
    keepMassFlow(m, sketch);
    if (sketch.code != kProblemNone) return sketch.code;
    clearResults(m);
    return takeOver(m, in, *w);
}

int checkLoadedModel(SiloModel& m, DensityWorkingCopy& w) {
    FormInput in;  // a freshly created form
    showModelInForm(m, in);
    if (const int code = loadedValuesProblem(m)) return code;
    if (!m.Rhokonstant && !m.Rhofunktion) committedToWorkingCopy(m, w);
    const FormNumbers v = formNumbers(in);
    const SketchResult sketch = sketchWith(m, in, v, w, 247, 400, false);
    if (sketch.code != kProblemNone) return sketch.code;
    return takeOverValues(m, in, v, w);
}

namespace {

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

FormCheck::FormCheck(const SiloModel& loaded) {
    // The form shown with (a copy of) the loaded model: the values its
    // fields show after the showing's side effects, and their numbers.
    const auto shown = std::make_unique<SiloModel>();
    copyAllButResults(*shown, loaded);
    FormInput in;
    showModelInForm(*shown, in);
    for (const ShownField& f : kShownFields) shown_.*(f.number) = (*shown).*(f.value);
    shown_.kValue = shown->Kwert;
    kShown_ = in.kOwnValue;
    numbers_ = formNumbers(in);
    freshK_ = textToNumber(FormInput{}.kValue);
}

int FormCheck::check(SiloModel& m) const {
    FormOptions in;  // a freshly created form
    showOptions(m, in);
    if (const int code = loadedValuesProblem(m)) return code;
    // The fields: a value as the loaded model's keeps its number; another
    // one is shown with eight digits and converted back, as the form does.
    FormNumbers v = numbers_;
    for (const ShownField& f : kShownFields) {
        const double x = m.*(f.value);
        if (!sameBits(x, shown_.*(f.number)))
            v.*(f.number) = textToNumber(f.degrees ? degreesText(x) : formatGeneral8(x));
    }
    if (!in.kOwnValue) v.kValue = freshK_;
    else if (!kShown_ || !sameBits(m.Kwert, shown_.kValue))
        v.kValue = textToNumber(formatGeneral8(m.Kwert));
    // The density window's working copy: the model's measured set for the
    // fitted law, else as a fresh form has it.
    static const DensityWorkingCopy kFresh{};
    static thread_local const std::unique_ptr<DensityWorkingCopy> measured =
        std::make_unique<DensityWorkingCopy>();
    const DensityWorkingCopy* w = &kFresh;
    if (!m.Rhokonstant && !m.Rhofunktion) {
        committedToWorkingCopy(m, *measured);
        w = measured.get();
    }
    const SketchResult sketch = sketchWith(m, in, v, *w, 247, 400, false);
    if (sketch.code != kProblemNone) return sketch.code;
    return takeOverValues(m, in, v, *w);
}

int calculatedSetProblem(const SiloModel& m) {
    if (resultsSound(m))
        return densityPositiveOver(m, std::max(largestStress(m), 10.0)) ? kProblemNone
                                                                        : kProblemDensity;
    return calculationProblem(m, nullptr);
}

int confirmLoadedModel(SiloModel& m, DensityWorkingCopy& w, SiloModel* calculated) {
    FormInput in;  // a freshly created form
    showModelInForm(m, in);
    if (const int code = loadedValuesProblem(m)) return code;
    if (!m.Rhokonstant && !m.Rhofunktion) committedToWorkingCopy(m, w);
    const SketchResult sketch = siloSketch(m, in, w, 247, 400);
    keepMassFlow(m, sketch);
    if (sketch.code != kProblemNone) return sketch.code;
    clearResults(m);
    return takeOver(m, in, w, calculated);
}

// ---------------------------------------------------------------------------
// The density window's check of its grid
// ---------------------------------------------------------------------------

bool checkMeasuredPairs(const std::vector<MeasuredPairText>& rows, int fitKind,
                        DensityWorkingCopy& w) {
    int n = 0;
    for (size_t r = 0; r < rows.size() && r < static_cast<size_t>(kMaxPairs); ++r) {
        const MeasuredPairText& row = rows[r];
        if (row.sigma.empty() || row.rho.empty()) continue;
        const double s = textToNumber(row.sigma);
        const double rho = textToNumber(row.rho);
        // A zero stress or density has no logarithm: such a pair is no measurement.
        if (s * rho == 0) continue;
        ++n;
        w.Messtabelle[1][n] = s;
        w.Messtabelle[2][n] = rho;
    }
    w.Messpunktzahl = n;
    for (int i = n + 1; i <= kMaxPairs; ++i) {
        w.Messtabelle[1][i] = 0;
        w.Messtabelle[2][i] = 0;
    }
    // Exchange sort: pairs with equal stress keep their order.
    for (int j = 1; j < n; ++j)
        for (int k = j + 1; k <= n; ++k)
            if (w.Messtabelle[1][j] > w.Messtabelle[1][k]) {
                std::swap(w.Messtabelle[1][j], w.Messtabelle[1][k]);
                std::swap(w.Messtabelle[2][j], w.Messtabelle[2][k]);
            }
    w.Messanpassart = fitKind;
    if (n >= 2) fit(w);
    return densityFitFinite(w) && workingDensity(w, 0.1) > 0;
}

bool densityFitFinite(const DensityWorkingCopy& w) {
    const int n = std::clamp(w.Messpunktzahl, 0, kMaxPairs);
    for (int i = 1; i <= n; ++i)
        if (!std::isfinite(w.Messtabelle[1][i]) || !std::isfinite(w.Messtabelle[2][i]))
            return false;
    if (n < 2) return true;
    switch (w.Messanpassart) {
        case 0:
        case 1:
            if (!std::isfinite(w.MessA) || !std::isfinite(w.MessB)) return false;
            break;
        case 2:
            if (!std::isfinite(w.MessRHOMIN) || !std::isfinite(w.MessRHOMAX) ||
                !std::isfinite(w.MessSIGMA0))
                return false;
            break;
        default:
            break;
    }
    // The law where the window and the calculation use it: at 0.1 Pa, over
    // the measured range and up to the diagram's end.
    const double S1 = w.Messtabelle[1][1], Sn = w.Messtabelle[1][n];
    for (double s : {0.1, 0.1 * S1, S1, 0.5 * (S1 + Sn), Sn, 1.5 * Sn})
        if (!std::isfinite(workingDensity(w, s))) return false;
    return true;
}

}  // namespace korvane
