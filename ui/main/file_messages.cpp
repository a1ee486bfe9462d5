#include "ui/main/file_messages.h"

#include <cerrno>
#include <cstring>

#include "calc/model.h"
#include "ui/texts/texts.h"

namespace korvane::ui {

namespace {

using texts::TextPair;

QString pick(const TextPair& p, int language) {
    return QString::fromUtf8(language == 0 ? p.de : p.en);
}

TextPair fieldPair(ParField f) {
    switch (f) {
        case ParField::None: break;
        case ParField::Schrittzahl:
            return {"Anzahl der Scheiben je Abschnitt", "Number of slices per section"};
        case ParField::Rhokonstant: return {"Schüttgutdichte konstant", "Bulk density constant"};
        case ParField::Rhofunktion: return {"Schüttgutdichte Funktion", "Bulk density function"};
        case ParField::RHOMIN: return {"RHOMIN [kg/m3]", "RHOMIN [kg/m3]"};
        case ParField::RHOMAX: return {"RHOMAX [kg/m3]", "RHOMAX [kg/m3]"};
        case ParField::SIGMA0: return {"SIGMA0 [Pa]", "SIGMA0 [Pa]"};
        case ParField::Anpassart: return {"Art der Anpassung", "Mode of approximation"};
        case ParField::Messanzahl: return {"Anzahl der Wertepaare", "Number of data pairs"};
        case ParField::AnpassA: return {"Anpassung: Achsenabschnitt", "Curve fit: intercept"};
        case ParField::AnpassB: return {"Anpassung: Steigung", "Curve fit: slope"};
        case ParField::AnpassRHOMIN:
            return {"Anpassung: RHOMIN [kg/m3]", "Curve fit: RHOMIN [kg/m3]"};
        case ParField::AnpassRHOMAX:
            return {"Anpassung: RHOMAX [kg/m3]", "Curve fit: RHOMAX [kg/m3]"};
        case ParField::AnpassSIGMA0: return {"Anpassung: SIGMA0 [Pa]", "Curve fit: SIGMA0 [Pa]"};
        case ParField::Messsigma: return {"Wertepaar %1: SIGMA [Pa]", "Data pair %1: SIGMA [Pa]"};
        case ParField::Messrho: return {"Wertepaar %1: RHOB [kg/m3]", "Data pair %1: RHOB [kg/m3]"};
        case ParField::PHIE: return {"Innere Reibung PHIE [°]", "Internal friction PHIE [°]"};
        case ParField::Phixschaft: return {"Siloschaft PHIX [°]", "Vertical section PHIX [°]"};
        case ParField::Phixtrichter: return {"Trichter PHIX [°]", "Hopper PHIX [°]"};
        case ParField::Phixunten: return {"Unter Trichter PHIX [°]", "Below hopper PHIX [°]"};
        case ParField::Kwahl: return {"K (LAMBDA)", "Ratio K"};
        case ParField::Kwert: return {"K (LAMBDA) Wert", "Ratio K value"};
        case ParField::Spannungszustand: return {"Spannungszustand", "Stress state"};
        case ParField::Querschnitt: return {"Siloquerschnitt", "Silo cross-section"};
        case ParField::Durchmesser: return {"Durchmesser/ Breite [m]", "Diameter/ Width [m]"};
        case ParField::Laenge: return {"Länge [m]", "Length [m]"};
        case ParField::Trichterja: return {"Trichter", "Hopper"};
        case ParField::Trichterwinkel:
            return {"Trichter: Wandneigung geg. die Vertikale [°]",
                    "Hopper: Wall slope against vertical [°]"};
        case ParField::Auslauf:
            return {"Auslaufbreite/ -durchmesser [m]", "Outlet width/ diameter [m]"};
        case ParField::Schaftja: return {"Siloschaft", "Vertical section"};
        case ParField::Hschaft: return {"Siloschaft: Höhe [m]", "Vertical section: Height [m]"};
        case ParField::vertunten:
            return {"Unter Trichter: Vertikalteil", "Below hopper: Vert. section"};
        case ParField::Hunttricht: return {"Unter Trichter: Höhe [m]", "Below hopper: Height [m]"};
        case ParField::Schuettkegel: return {"Schüttkegel", "Heap"};
        case ParField::boeschwinkel: return {"Böschungswinkel [°]", "Angle of repose [°]"};
        case ParField::Auflastspannung:
            return {"Auflast/Oberfläche: Druckspannung [Pa]",
                    "Load on top surface: vert. stress [Pa]"};
        case ParField::Fuellhoehe: return {"Füllhöhe [m]", "Filling height [m]"};
        case ParField::PhixStirnwand: return {"PHIX [°] Stirnwände", "PHIX [°] at end walls"};
        case ParField::EN1991_4: return {"Werte nach EN 1991-4", "EN 1991-4 values"};
    }
    return {"", ""};
}

// Reasons, %1 line, %2 value in the form's words, %3 excerpt of the file, %4 limit.
constexpr TextPair kNotParameterFile{
    "Die Datei ist keine Korvane-Parameterdatei: sie enthält keinen einzigen Wert.",
    "The file is not a Korvane parameter file: it holds no value at all."};
constexpr TextPair kTooLarge{"Die Datei ist viel zu groß für eine Korvane-Parameterdatei.",
                             "The file is far too large for a Korvane parameter file."};
constexpr TextPair kNotInteger{"Zeile %1: %2 muss eine ganze Zahl sein, die Datei enthält „%3“.",
                               "Line %1: %2 must be a whole number; the file holds \"%3\"."};
constexpr TextPair kNotNumber{
    "Zeile %1: %2 muss eine Zahl mit Dezimalpunkt sein, die Datei enthält „%3“.",
    "Line %1: %2 must be a number with a decimal point; the file holds \"%3\"."};
constexpr TextPair kOutOfRange{"Zeile %1: %2 liegt außerhalb des darstellbaren Bereichs („%3“).",
                               "Line %1: %2 is out of range (\"%3\")."};
constexpr TextPair kTooLong{"Zeile %1: %2 ist zu lang („%3“).",
                            "Line %1: %2 is too long (\"%3\")."};
constexpr TextPair kSliceCount{"Zeile %1: %2 muss zwischen 1 und %4 liegen, die Datei enthält %3.",
                               "Line %1: %2 must lie between 1 and %4; the file holds %3."};
constexpr TextPair kPairCount{"Zeile %1: %2 darf höchstens %4 sein, die Datei enthält %3.",
                              "Line %1: %2 may be at most %4; the file holds %3."};
constexpr TextPair kCrossSection{
    "Zeile %1: %2 muss 0 (Rechteck) oder 1 (Kreis) sein, die Datei enthält %3.",
    "Line %1: %2 must be 0 (rectangular) or 1 (circular); the file holds %3."};
constexpr TextPair kWriteProtected{"Die Datei ist schreibgeschützt und bleibt unverändert.",
                                   "The file is write-protected and stays unchanged."};
constexpr TextPair kNotWritable{
    "%2 kann nicht gespeichert werden: der Wert liegt außerhalb des darstellbaren Bereichs.",
    "%2 cannot be saved: its value is out of range."};
constexpr TextPair kControlCharacter{
    "Zeile %1 enthält ein Steuerzeichen (beschädigte Datei?).",
    "Line %1 contains a control character (damaged file?)."};
constexpr TextPair kUtf16{
    "Die Datei ist als UTF-16 gespeichert; bitte als reinen Text (ANSI/Latin-1 oder UTF-8) "
    "speichern.",
    "The file is saved as UTF-16; save it as plain text (ANSI/Latin-1 or UTF-8)."};
constexpr TextPair kCannotLoad{"Die Datei kann nicht geladen werden.",
                               "The file cannot be loaded."};

QString systemReason(int code, int language) {
    switch (code) {
        case EACCES:
        case EPERM: return pick({"Keine Berechtigung.", "Permission denied."}, language);
        case ENOENT:
            return pick({"Datei oder Ordner existiert nicht.", "No such file or folder."},
                        language);
        case EISDIR: return pick({"Das ist ein Ordner.", "This is a folder."}, language);
        case ENOSPC:
            return pick({"Kein Platz mehr auf dem Datenträger.", "No space left on the device."},
                        language);
        case EROFS:
            return pick({"Das Ziel liegt auf einem schreibgeschützten Dateisystem (nur lesbar): "
                         "dort kann nichts gespeichert werden.",
                         "The target is on a read-only file system: nothing can be saved there."},
                        language);
        case ENAMETOOLONG:
            return pick({"Der Dateiname ist zu lang.", "The file name is too long."}, language);
        case ELOOP:
            return pick({"Zu viele symbolische Verknüpfungen.", "Too many symbolic links."},
                        language);
        case ENOTDIR:
            return pick(
                {"Ein Teil des Pfads ist kein Ordner.", "A part of the path is not a folder."},
                language);
        default: return QString::fromLocal8Bit(std::strerror(code));
    }
}

}  // namespace

QString parameterFieldWords(ParField field, int pair, int language) {
    QString s = pick(fieldPair(field), language);
    if (field == ParField::Messsigma || field == ParField::Messrho) s = s.arg(pair);
    return s;
}

QString fileErrorText(const FileError& err, const QString& path, int language) {
    const QString fileLine = pick(texts::error::file, language) + ": " + path;
    const QString field = parameterFieldWords(err.field, err.pair, language);
    const QString excerpt = QString::fromLatin1(err.excerpt.c_str());
    auto detail = [&](const TextPair& p) {
        QString s = pick(p, language);
        // Arguments in one pass: an excerpt never takes part in the replacing.
        return s.replace("%1", QString::number(err.line))
            .replace("%4", QString::number(err.fault == FileFault::SliceCount ? kMaxSchrittzahl
                                                                                : kMaxPairs))
            .replace("%2", field)
            .replace("%3", excerpt);
    };
    auto content = [&](const TextPair& p) {
        return pick(kCannotLoad, language) + "\n" + fileLine + "\n" + detail(p);
    };
    switch (err.fault) {
        case FileFault::NotParameterFile:
            return pick(kNotParameterFile, language) + "\n" + fileLine;
        case FileFault::TooLarge: return pick(kTooLarge, language) + "\n" + fileLine;
        case FileFault::NotInteger: return content(kNotInteger);
        case FileFault::NotNumber: return content(kNotNumber);
        case FileFault::OutOfRange: return content(kOutOfRange);
        case FileFault::TooLong: return content(kTooLong);
        case FileFault::SliceCount: return content(kSliceCount);
        case FileFault::PairCount: return content(kPairCount);
        case FileFault::CrossSection: return content(kCrossSection);
        case FileFault::ControlCharacter: return content(kControlCharacter);
        case FileFault::Utf16: return content(kUtf16);
        case FileFault::NotWritable: return detail(kNotWritable) + "\n" + fileLine;
        case FileFault::WriteProtected:
            return pick(texts::error::caption, language) + " " + QString::number(err.code) + "\n" +
                   fileLine + "\n" + pick(kWriteProtected, language);
        case FileFault::System:
            return pick(texts::error::caption, language) + " " + QString::number(err.code) + "\n" +
                   fileLine + "\n" + systemReason(err.code, language);
        case FileFault::None: break;
    }
    // A reason the window gave itself (already in its language).
    QString text = pick(texts::error::caption, language) + "\n" + fileLine;
    if (!err.reason.empty()) text += "\n" + QString::fromStdString(err.reason);
    return text;
}

}  // namespace korvane::ui
