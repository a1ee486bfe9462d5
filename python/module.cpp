// The Python module `korvane`: the engine of korvane-calc for scripts and
// notebooks. A silo is loaded from a parameter file exactly as korvane-calc
// loads it (the program's default start, then the file over it); its
// calculation and its studies are those of korvane-calc, and so are the
// messages and codes of its errors. The interpreter lock is released while
// the engine works, so that other Python threads run meanwhile.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "calc/form_logic.h"
#include "calc/model.h"
#include "files/batch.h"
#include "files/parameter_file.h"
#include "files/result_rows.h"
#include "files/vary.h"

namespace py = pybind11;

namespace {

py::object gParameterProblem;
py::object gFileError;

// A parameter-file value: its name in the file, the model member and how
// the file carries it.
enum class Kind { Real, Angle, Int, Switch };
struct Field {
    const char* name;
    Kind kind;
    double korvane::SiloModel::*real = nullptr;
    bool korvane::SiloModel::*flag = nullptr;
    int korvane::SiloModel::*integer = nullptr;
};

using M = korvane::SiloModel;
const Field kRealFields[] = {
    {"RHOMIN", Kind::Real, &M::RHOMIN},
    {"RHOMAX", Kind::Real, &M::RHOMAX},
    {"SIGMA0", Kind::Real, &M::SIGMA0},
    {"AnpassA", Kind::Real, &M::AnpassA},
    {"AnpassB", Kind::Real, &M::AnpassB},
    {"AnpassRHOMIN", Kind::Real, &M::AnpassRHOMIN},
    {"AnpassRHOMAX", Kind::Real, &M::AnpassRHOMAX},
    {"AnpassSIGMA0", Kind::Real, &M::AnpassSIGMA0},
    {"PHIE", Kind::Angle, &M::PHIE},
    {"Phixschaft", Kind::Angle, &M::Phixschaft},
    {"Phixtrichter", Kind::Angle, &M::Phixtrichter},
    {"Phixunten", Kind::Angle, &M::Phixunten},
    {"Kwert", Kind::Real, &M::Kwert},
    {"Durchmesser", Kind::Real, &M::Durchmesser},
    {"Laenge", Kind::Real, &M::Laenge},
    {"Trichterwinkel", Kind::Angle, &M::Trichterwinkel},
    {"Auslauf", Kind::Real, &M::Auslauf},
    {"Hschaft", Kind::Real, &M::Hschaft},
    {"Hunttricht", Kind::Real, &M::Hunttricht},
    {"boeschwinkel", Kind::Angle, &M::boeschwinkel},
    {"Auflastspannung", Kind::Real, &M::Auflastspannung},
    {"Fuellhoehe", Kind::Real, &M::Fuellhoehe},
    {"PhixStirnwand", Kind::Angle, &M::PhixStirnwand},
};
const Field kSwitchFields[] = {
    {"Rhokonstant", Kind::Switch, nullptr, &M::Rhokonstant},
    {"Rhofunktion", Kind::Switch, nullptr, &M::Rhofunktion},
    {"Trichterja", Kind::Switch, nullptr, &M::Trichterja},
    {"Schaftja", Kind::Switch, nullptr, &M::Schaftja},
    {"vertunten", Kind::Switch, nullptr, &M::vertunten},
    {"Schuettkegel", Kind::Switch, nullptr, &M::Schuettkegel},
};
const Field kIntFields[] = {
    {"Schrittzahl", Kind::Int, nullptr, nullptr, &M::Schrittzahl},
    {"Anpassart", Kind::Int, nullptr, nullptr, &M::Anpassart},
};

[[noreturn]] void raiseFileError(const std::string& path, const korvane::FileError& err,
                                 const char* doing) {
    std::string text = std::string(doing) + " " + path;
    if (err.line > 0) text += ", line " + std::to_string(err.line);
    text += ": " + err.reason;
    py::object e = gFileError(text);
    e.attr("path") = path;
    e.attr("line") = err.line;
    e.attr("reason") = err.reason;
    e.attr("errno") = err.code;
    e.attr("exit_status") = static_cast<int>(korvane::kExitFile);
    PyErr_SetObject(gFileError.ptr(), e.ptr());
    throw py::error_already_set();
}

[[noreturn]] void raiseProblem(const std::string& path, int code, const std::string& what) {
    py::object e = gParameterProblem(path + ": " + what);
    e.attr("code") = code;
    e.attr("exit_status") = static_cast<int>(korvane::kExitProblem);
    PyErr_SetObject(gParameterProblem.ptr(), e.ptr());
    throw py::error_already_set();
}

int languageIndex(const std::string& lang) {
    if (lang == "de") return 0;
    if (lang == "en") return 1;
    throw py::value_error("unknown language '" + lang + "'");
}

bool finiteScalars(const korvane::SiloModel& m) {
    const double scalars[] = {m.Fuellmenge, m.Massenflusswinkel, m.TrichterF, m.TrichterN,
                              m.Stirnwandterm, m.Hsilo, m.Hkegel, m.Vkegel, m.Boberflaeche,
                              m.Hoberflaeche, m.Bruttovolumen, m.Fuellvolumen};
    for (double v : scalars)
        if (!std::isfinite(v)) return false;
    return korvane::resultsFinite(m);
}

// A silo: the model as the reader left it after loading its file over the
// program's default start. Changed values are set as the reader sets them.
class Silo {
public:
    std::string path;
    std::unique_ptr<korvane::SiloModel> model = std::make_unique<korvane::SiloModel>();

    Silo copy() const {
        Silo s;
        s.path = path;
        korvane::copyAllButResults(*s.model, *model);
        return s;
    }

    py::object results(const std::string& lang) const;
    py::object en1991_4(const std::string& lang, const py::object& aK, const py::object& amu,
                        const py::object& aphi, const py::object& dynamic) const;
};

Silo load(const std::string& path) {
    Silo s;
    s.path = path;
    korvane::FileError err;
    bool ok;
    {
        py::gil_scoped_release release;
        korvane::startAsTheProgramDoes(*s.model);
        ok = korvane::readParameterFile(*s.model, path, err);
    }
    if (!ok) raiseFileError(path, err, "cannot read");
    return s;
}

// The calculation of korvane-calc: the form shown with the loaded values
// and confirmed with OK, then the main window's recalculation.
py::object Silo::results(const std::string& lang) const {
    const int language = languageIndex(lang);
    auto m = std::make_unique<korvane::SiloModel>();
    int problem;
    bool finite = false;
    std::vector<korvane::ResultRow> rows;
    {
        py::gil_scoped_release release;
        korvane::copyAllButResults(*m, *model);
        korvane::clearResults(*m);
        auto w = std::make_unique<korvane::DensityWorkingCopy>();
        problem = korvane::confirmLoadedModel(*m, *w);
        if (problem == 0) {
            korvane::clearResults(*m);
            korvane::prepare(*m, false);
            korvane::calculate(*m);
            finite = finiteScalars(*m);
            if (finite) rows = korvane::resultRows(*m);
        }
    }
    if (problem != 0) raiseProblem(path, problem, korvane::problemText(problem, language));
    if (!finite) raiseProblem(path, 0, "results not finite");

    const auto n = static_cast<py::ssize_t>(rows.size());
    py::array_t<double> z(n), rhob(n), sigmav(n), sigmaw(n);
    auto zv = z.mutable_unchecked<1>(), rv = rhob.mutable_unchecked<1>(),
         vv = sigmav.mutable_unchecked<1>(), wv = sigmaw.mutable_unchecked<1>();
    for (py::ssize_t i = 0; i < n; ++i) {
        zv(i) = static_cast<double>(rows[i].z);
        rv(i) = static_cast<double>(rows[i].RHOB);
        vv(i) = static_cast<double>(rows[i].SIGMAV);
        wv(i) = static_cast<double>(rows[i].SIGMAW);
    }
    // The scalar results under the keys of korvane-calc --json.
    const int ie = (m->Indexende >= 0 && m->Indexende < korvane::kResultSize) ? m->Indexende : 0;
    py::dict scalars;
    scalars["Parameterfehler"] = 0;
    scalars["Fuellmenge"] = m->Fuellmenge;
    scalars["SIGMAV_Auslauf"] = static_cast<double>(m->SIGMAV[ie]);
    scalars["Massenfluss"] = m->Massenfluss;
    scalars["Massenflusswinkel"] = m->Massenflusswinkel;
    scalars["Messbereichueberschritten"] = m->Messbereichueberschritten;
    scalars["TrichterF"] = m->TrichterF;
    scalars["TrichterN"] = m->TrichterN;
    scalars["Stirnwandterm"] = m->Stirnwandterm;
    scalars["Hsilo"] = m->Hsilo;
    scalars["Hkegel"] = m->Hkegel;
    scalars["Vkegel"] = m->Vkegel;
    scalars["Boberflaeche"] = m->Boberflaeche;
    scalars["Hoberflaeche"] = m->Hoberflaeche;
    scalars["Bruttovolumen"] = m->Bruttovolumen;
    scalars["Fuellvolumen"] = m->Fuellvolumen;
    scalars["Indexanfang"] = m->Indexanfang;
    scalars["Indexende"] = m->Indexende;

    py::object r = py::module_::import("types").attr("SimpleNamespace")();
    r.attr("z") = z;
    r.attr("RHOB") = rhob;
    r.attr("SIGMAV") = sigmav;
    r.attr("SIGMAW") = sigmaw;
    for (auto item : scalars) py::setattr(r, item.first, item.second);
    r.attr("scalars") = scalars;
    return r;
}

// The characteristic loads of EN 1991-4 for the silo as korvane-calc
// --en1991-4 gives them: the parameters confirmed as the form does, the EN
// inputs of the file with the factors given here put over them.
py::object Silo::en1991_4(const std::string& lang, const py::object& aK, const py::object& amu,
                          const py::object& aphi, const py::object& dynamic) const {
    const int language = languageIndex(lang);
    korvane::EnInputs in = korvane::enInputsOf(*model);
    if (!aK.is_none()) in.aK = py::cast<double>(aK);
    if (!amu.is_none()) in.amu = py::cast<double>(amu);
    if (!aphi.is_none()) in.aphi = py::cast<double>(aphi);
    if (!dynamic.is_none()) in.dynamicSolid = py::cast<bool>(dynamic);
    auto m = std::make_unique<korvane::SiloModel>();
    int problem;
    korvane::EnResult r;
    {
        py::gil_scoped_release release;
        korvane::copyAllButResults(*m, *model);
        korvane::clearResults(*m);
        auto w = std::make_unique<korvane::DensityWorkingCopy>();
        problem = korvane::confirmLoadedModel(*m, *w);
        if (problem == 0) r = korvane::en1991_4Loads(*m, in);
    }
    if (problem != 0) raiseProblem(path, problem, korvane::problemText(problem, language));
    if (r.inputProblem != korvane::EnInputProblem::None)
        raiseProblem(path, 0, korvane::enInputProblemText(r.inputProblem));

    py::object o = py::module_::import("types").attr("SimpleNamespace")();
    o.attr("in_scope") = r.inScope;
    py::list scope, unverified;
    for (korvane::EnScope c : r.scope) scope.append(korvane::enScopeText(c));
    for (korvane::EnNote n : r.unverified) unverified.append(korvane::enNoteText(n));
    o.attr("scope") = scope;
    o.attr("unverified") = unverified;
    o.attr("slenderness_class") = r.inScope ? py::object(py::str(korvane::enSlendernessKey(r.slenderness)))
                                            : py::object(py::none());
    o.attr("bottom") = r.inScope ? py::object(py::str(korvane::enBottomKey(r.bottom)))
                                 : py::object(py::none());
    o.attr("AAC") = r.AAC;
    const std::pair<const char*, double> values[] = {
        {"gamma", r.gamma}, {"h_c", r.h_c}, {"d_c", r.d_c}, {"h_o", r.h_o}, {"z_o", r.z_o},
        {"C_h", r.C_h},     {"C_w", r.C_w}, {"C_b", r.C_b}, {"p_vft", r.p_vft}};
    for (const auto& [name, v] : values) o.attr(name) = v;
    // The rows of the loads file, NaN where the file's field is empty.
    const auto n = static_cast<py::ssize_t>(r.rows.size());
    double korvane::EnLoadRow::*const columns[] = {
        &korvane::EnLoadRow::z,    &korvane::EnLoadRow::p_hf, &korvane::EnLoadRow::p_wf,
        &korvane::EnLoadRow::p_vf, &korvane::EnLoadRow::p_he, &korvane::EnLoadRow::p_we,
        &korvane::EnLoadRow::p_nf, &korvane::EnLoadRow::p_tf, &korvane::EnLoadRow::p_ne,
        &korvane::EnLoadRow::p_te};
    const char* const names[] = {"z",    "p_hf", "p_wf", "p_vf", "p_he",
                                 "p_we", "p_nf", "p_tf", "p_ne", "p_te"};
    for (size_t c = 0; c < std::size(columns); ++c) {
        py::array_t<double> a(n);
        auto v = a.mutable_unchecked<1>();
        for (py::ssize_t i = 0; i < n; ++i) v(i) = r.rows[static_cast<size_t>(i)].*columns[c];
        o.attr(names[c]) = a;
    }
    return o;
}

// A study on the engine of korvane-calc --vary: every combination of the
// given values (the first name varies slowest), one column per output.
py::dict study(const Silo& silo, const py::dict& values, unsigned threads) {
    if (values.empty()) throw py::value_error("no field to vary");
    // The plan is made as for --vary (same name checks and messages), then
    // given the values asked for.
    std::vector<korvane::VaryRange> ranges;
    std::vector<std::vector<double>> columns;
    for (auto item : values) {
        korvane::VaryRange r;
        const std::string name = py::cast<std::string>(item.first);
        std::string why;
        if (name.find('=') != std::string::npos ||
            !korvane::parseVaryArgument(name + "=0:0:1", r, why))
            throw py::value_error(why.empty() ? "unknown field '" + name + "'" : why);
        auto a = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(item.second);
        if (!a) throw py::value_error(r.name + ": the values must be numbers");
        std::vector<double> v(a.data(), a.data() + a.size());
        if (v.empty()) throw py::value_error(r.name + ": no values");
        r.from = r.to = v.front();
        r.step = 1;
        ranges.push_back(r);
        columns.push_back(std::move(v));
    }
    korvane::VaryPlan plan;
    std::string error;
    if (!korvane::makeVaryPlan(ranges, plan, error)) throw py::value_error(error);
    long long runs = 1;
    for (const auto& c : columns) {
        runs *= static_cast<long long>(c.size());
        if (runs > korvane::kMaxVaryRuns)
            throw py::value_error("more than " + std::to_string(korvane::kMaxVaryRuns) + " runs");
    }
    plan.values = columns;
    plan.runs = runs;

    std::vector<korvane::VaryRow> rows;
    {
        py::gil_scoped_release release;
        rows = korvane::runVaryStudy(*silo.model, plan, threads);
    }
    const auto n = static_cast<py::ssize_t>(rows.size());
    py::dict out;
    for (size_t k = 0; k < plan.names.size(); ++k) {
        py::array_t<double> c(n);
        auto v = c.mutable_unchecked<1>();
        for (py::ssize_t i = 0; i < n; ++i) v(i) = rows[i].values[k];
        out[py::str(plan.names[k])] = c;
    }
    py::array_t<int> code(n);
    py::array_t<bool> massflow(n);
    py::array_t<double> fuellmenge(n), sigmav(n), sigmawmax(n), zmax(n);
    const double nan = std::nan("");
    for (py::ssize_t i = 0; i < n; ++i) {
        const korvane::VaryRow& r = rows[i];
        code.mutable_at(i) = r.Parameterfehler;
        fuellmenge.mutable_at(i) = r.calculated ? r.Fuellmenge : nan;
        sigmav.mutable_at(i) = r.calculated ? r.SIGMAV_Auslauf : nan;
        sigmawmax.mutable_at(i) = r.calculated ? r.SIGMAW_max : nan;
        zmax.mutable_at(i) = r.calculated ? r.z_SIGMAW_max : nan;
        massflow.mutable_at(i) = r.calculated && r.Massenfluss;
    }
    out["Parameterfehler"] = code;
    out["Fuellmenge"] = fuellmenge;
    out["SIGMAV_Auslauf"] = sigmav;
    out["SIGMAW_max"] = sigmawmax;
    out["z_SIGMAW_max"] = zmax;
    out["Massenfluss"] = massflow;
    return out;
}

}  // namespace

PYBIND11_MODULE(korvane, mod) {
    mod.doc() =
        "Silo stresses by the engine of korvane-calc: Janssen slices in the vertical sections,\n"
        "Motzkus (filling) or Jenike (discharge) in the hopper.";
    mod.attr("__version__") = KORVANE_VERSION;

    py::object exception = py::module_::import("builtins").attr("Exception");
    py::object type = py::module_::import("builtins").attr("type");
    py::dict ns;
    ns["__module__"] = "korvane";
    ns["__doc__"] =
        "The parameters are refused as the parameter form refuses them (korvane-calc exit status "
        "3). .code is the problem code, the message the form's text.";
    ns["code"] = 0;
    ns["exit_status"] = 3;
    gParameterProblem = type("ParameterProblem", py::make_tuple(exception), ns);
    py::dict fe;
    fe["__module__"] = "korvane";
    fe["__doc__"] =
        "A file that cannot be read or is not a valid parameter file (korvane-calc exit status "
        "2). .path, .line (0 if none), .reason, .errno.";
    fe["path"] = "";
    fe["line"] = 0;
    fe["reason"] = "";
    fe["errno"] = 0;
    fe["exit_status"] = 2;
    gFileError = type("FileError", py::make_tuple(py::module_::import("builtins").attr("OSError")), fe);
    mod.attr("ParameterProblem") = gParameterProblem;
    mod.attr("FileError") = gFileError;

    auto silo = py::class_<Silo>(mod, "Silo",
                                 "A silo and its bulk solid as a parameter file describes them. "
                                 "Attributes are the file's values under the file's names and in "
                                 "its units (m, Pa, kg/m3, angles in degrees).");
    for (const Field& f : kRealFields) {
        const bool deg = f.kind == Kind::Angle;
        const std::string name = f.name;
        auto member = f.real;
        silo.def_property(
            f.name,
            [member, deg](const Silo& s) {
                const double v = (*s.model).*member;
                return deg ? korvane::radToDeg(v) : v;
            },
            [name, member, deg](Silo& s, double v) {
                // The study fields are set as a study sets them; the others
                // as the reader takes them.
                if (!korvane::setVariedField(*s.model, name, v)) {
                    (*s.model).*member = deg ? korvane::degToRad(v) : v;
                    korvane::deriveReadGeometry(*s.model);
                }
            });
    }
    for (const Field& f : kSwitchFields) {
        auto member = f.flag;
        silo.def_property(
            f.name, [member](const Silo& s) { return (*s.model).*member; },
            [member](Silo& s, bool v) {
                (*s.model).*member = v;
                korvane::deriveReadGeometry(*s.model);
            });
    }
    for (const Field& f : kIntFields) {
        auto member = f.integer;
        const bool slices = std::string(f.name) == "Schrittzahl";
        silo.def_property(
            f.name, [member](const Silo& s) { return (*s.model).*member; },
            [member, slices](Silo& s, int v) {
                if (slices && (v < 1 || v > korvane::kMaxSchrittzahl))
                    throw py::value_error("Schrittzahl outside 1 .. " +
                                          std::to_string(korvane::kMaxSchrittzahl));
                (*s.model).*member = v;
            });
    }
    silo.def_property(
        "Kwahl", [](const Silo& s) { return static_cast<int>(s.model->Kwahl); },
        [](Silo& s, int v) { s.model->Kwahl = static_cast<std::uint8_t>(v & 0xFF); },
        "0: K = 1.2 (1 - sin PHIE), 1: K = 0.4, 2: K = Kwert");
    silo.def_property(
        "Querschnitt", [](const Silo& s) { return static_cast<int>(s.model->Querschnitt); },
        [](Silo& s, int v) {
            if (v != 0 && v != 1) throw py::value_error("Querschnitt is 0 (rectangular) or 1 (circular)");
            s.model->Querschnitt = static_cast<std::uint8_t>(v);
            korvane::deriveReadGeometry(*s.model);
        },
        "1 circular (cone), 0 rectangular (wedge)");
    silo.def_property(
        "Spannungszustand", [](const Silo& s) { return s.model->Fuellzustand ? 1 : 0; },
        [](Silo& s, int v) {
            s.model->Fuellzustand = (v == 1);
            s.model->Entleerungszustand = (v != 1);
        },
        "as in the file: 1 filling state, 0 discharge state");
    silo.def_property(
        "Messanzahl", [](const Silo& s) { return s.model->Messanzahl; },
        [](Silo& s, int v) {
            if (v < 0 || v > korvane::kMaxPairs)
                throw py::value_error("Messanzahl outside 0 .. " + std::to_string(korvane::kMaxPairs));
            s.model->Messanzahl = v;
        });
    auto pairs = [](const double* a, int n) {
        py::array_t<double> r(n);
        for (int i = 0; i < n; ++i) r.mutable_at(i) = a[i + 1];
        return r;
    };
    auto setPairs = [](double* a, int n, const std::vector<double>& v, const char* name) {
        if (static_cast<int>(v.size()) != n)
            throw py::value_error(std::string(name) + " needs Messanzahl values");
        for (int i = 0; i < n; ++i) a[i + 1] = v[i];
    };
    silo.def_property(
        "Messsigma", [pairs](const Silo& s) { return pairs(s.model->Messsigma, s.model->Messanzahl); },
        [setPairs](Silo& s, const std::vector<double>& v) {
            setPairs(s.model->Messsigma, s.model->Messanzahl, v, "Messsigma");
        },
        "the measured stresses SIGMA, Pa (Messanzahl values)");
    silo.def_property(
        "Messrho", [pairs](const Silo& s) { return pairs(s.model->Messrho, s.model->Messanzahl); },
        [setPairs](Silo& s, const std::vector<double>& v) {
            setPairs(s.model->Messrho, s.model->Messanzahl, v, "Messrho");
        },
        "the measured bulk densities RHOB, kg/m3 (Messanzahl values)");
    silo.def_readonly("path", &Silo::path, "the parameter file it was loaded from");
    silo.def("copy", &Silo::copy, "an independent copy of the silo");
    silo.def("calculate", &Silo::results, py::arg("lang") = "en",
             "Checks the values as the parameter form does on OK and calculates the stresses.\n"
             "Returns z (m, from the surface down to the outlet), RHOB (kg/m3), SIGMAV and\n"
             "SIGMAW (Pa) as arrays, the rows of the result file, and the scalar results of\n"
             "korvane-calc --json as attributes (also in .scalars). Raises ParameterProblem\n"
             "with the form's text in `lang` (de or en).");
    silo.def("en1991_4", &Silo::en1991_4, py::arg("lang") = "en", py::arg("a_K") = py::none(),
             py::arg("a_mu") = py::none(), py::arg("a_phi") = py::none(),
             py::arg("dynamic") = py::none(),
             "The characteristic loads of EN 1991-4 as korvane-calc --en1991-4 gives them:\n"
             "in_scope, scope (reasons), slenderness_class, bottom, AAC, gamma, h_c, d_c, h_o,\n"
             "z_o, C_h, C_w, C_b, p_vft, unverified (notes) and the rows of the loads file as\n"
             "arrays z, p_hf, p_wf, p_vf, p_he, p_we, p_nf, p_tf, p_ne, p_te (Pa, NaN where\n"
             "empty). The factors given override the file's EN values. Raises\n"
             "ParameterProblem as calculate() does.");
    silo.def("save", [](const Silo& s, const std::string& path) {
        korvane::FileError err;
        bool ok;
        {
            py::gil_scoped_release release;
            ok = korvane::writeParameterFile(*s.model, path, err);
        }
        if (!ok) raiseFileError(path, err, "cannot write");
    }, py::arg("path"), "writes the silo as a parameter file");
    silo.def("__repr__", [](const Silo& s) { return "<korvane.Silo from '" + s.path + "'>"; });

    mod.def("load", &load, py::arg("path"),
            "Loads a parameter file (.par) as korvane-calc does. Raises FileError.");
    mod.def("study", &study, py::arg("silo"), py::arg("values"), py::arg("threads") = 0u,
            "Calculates the silo for every combination of the values given per field name\n"
            "(the names of korvane-calc --vary, file units; the first name varies slowest).\n"
            "Returns a dict of arrays: the varied values, Parameterfehler, Fuellmenge,\n"
            "SIGMAV_Auslauf, SIGMAW_max, z_SIGMAW_max (NaN where not calculated) and\n"
            "Massenfluss. threads 0 uses every processor core.");
    mod.def("vary_names", &korvane::varyFieldNames, "the field names a study can vary");
}
