// Fault reports of the file readers and writers.
#include "files/file_error.h"

#include <cerrno>
#include <cstring>

namespace korvane {

const char* parFieldName(ParField f) {
    switch (f) {
        case ParField::None: return "";
        case ParField::Schrittzahl: return "Schrittzahl";
        case ParField::Rhokonstant: return "the constant density switch";
        case ParField::Rhofunktion: return "the density function switch";
        case ParField::RHOMIN: return "RHOMIN";
        case ParField::RHOMAX: return "RHOMAX";
        case ParField::SIGMA0: return "SIGMA0";
        case ParField::Anpassart: return "Anpassart";
        case ParField::Messanzahl: return "Messanzahl";
        case ParField::AnpassA: return "AnpassA";
        case ParField::AnpassB: return "AnpassB";
        case ParField::AnpassRHOMIN: return "AnpassRHOMIN";
        case ParField::AnpassRHOMAX: return "AnpassRHOMAX";
        case ParField::AnpassSIGMA0: return "AnpassSIGMA0";
        case ParField::Messsigma: return "a measured SIGMA";
        case ParField::Messrho: return "a measured RHOB";
        case ParField::PHIE: return "PHIE";
        case ParField::Phixschaft: return "Phixschaft";
        case ParField::Phixtrichter: return "Phixtrichter";
        case ParField::Phixunten: return "Phixunten";
        case ParField::Kwahl: return "Kwahl";
        case ParField::Kwert: return "Kwert";
        case ParField::Spannungszustand: return "the stress state";
        case ParField::Querschnitt: return "Querschnitt";
        case ParField::Durchmesser: return "Durchmesser";
        case ParField::Laenge: return "Laenge";
        case ParField::Trichterja: return "Trichterja";
        case ParField::Trichterwinkel: return "Trichterwinkel";
        case ParField::Auslauf: return "Auslauf";
        case ParField::Schaftja: return "Schaftja";
        case ParField::Hschaft: return "Hschaft";
        case ParField::vertunten: return "vertunten";
        case ParField::Hunttricht: return "Hunttricht";
        case ParField::Schuettkegel: return "Schuettkegel";
        case ParField::boeschwinkel: return "boeschwinkel";
        case ParField::Auflastspannung: return "Auflastspannung";
        case ParField::Fuellhoehe: return "Fuellhoehe";
        case ParField::PhixStirnwand: return "PhixStirnwand";
        case ParField::EN1991_4: return "the EN 1991-4 values";
    }
    return "";
}

std::string sanitizedExcerpt(const std::string& raw, size_t maxChars) {
    std::string s;
    for (size_t i = 0; i < raw.size() && i < maxChars; ++i) {
        const unsigned char c = static_cast<unsigned char>(raw[i]);
        s += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    }
    if (raw.size() > maxChars) s += "...";
    return s;
}

void setSystemError(FileError& err, int code, const std::string& what) {
    err = FileError{};
    err.code = code ? code : EIO;
    err.fault = FileFault::System;
    err.reason = what.empty() ? std::string(std::strerror(err.code))
                              : what + ": " + std::strerror(err.code);
}

}  // namespace korvane
