// What went wrong with a file, and where: the fault, the line, the value of
// a parameter file at fault and an excerpt of the offending text. Shared by
// the parameter file, the result file and safe saving.
#pragma once

#include <cstddef>
#include <string>

namespace korvane {

// The values of a parameter file, in the order of its lines. A rejected file
// names the value at fault with one of these; the windows turn it into the
// parameter form's label in their language.
enum class ParField : int {
    None,
    Schrittzahl, Rhokonstant, Rhofunktion, RHOMIN, RHOMAX, SIGMA0,
    Anpassart, Messanzahl, AnpassA, AnpassB, AnpassRHOMIN, AnpassRHOMAX, AnpassSIGMA0,
    Messsigma, Messrho,  // with FileError::pair = the pair's number (1-based)
    PHIE, Phixschaft, Phixtrichter, Phixunten, Kwahl, Kwert, Spannungszustand, Querschnitt,
    Durchmesser, Laenge, Trichterja, Trichterwinkel, Auslauf, Schaftja, Hschaft, vertunten,
    Hunttricht, Schuettkegel, boeschwinkel, Auflastspannung, Fuellhoehe, PhixStirnwand,
    EN1991_4,  // a value of the EN 1991-4 block after the filler lines
};

// What went wrong with a file.
enum class FileFault : int {
    None,
    System,          // the operating system refused (code = errno)
    NotParameterFile,// the file holds no value at all
    TooLarge,        // far larger than any parameter file
    NotInteger,      // a whole number was expected
    NotNumber,       // not a number in the file's decimal syntax (point only)
    OutOfRange,      // a number beyond what the model can hold
    TooLong,         // a value longer than the reader takes
    SliceCount,      // slice count outside 1 .. kMaxSchrittzahl
    PairCount,       // more measured pairs than the model holds
    CrossSection,    // cross-section other than 0 (rectangular) or 1 (circular)
    WriteProtected,  // the target file is write-protected
    NotWritable,     // the model holds a value no file can carry (not finite)
    ControlCharacter,// a line holds a NUL or another control character: a damaged file
    Utf16,           // the text is UTF-16, which the reader does not take
};

struct FileError {
    int code = 0;          // 0 ok; else an errno-style code (ENOENT, EACCES, ...) or EINVAL for bad content
    int line = 0;          // line of the file where reading failed, 0 if none
    std::string reason;    // readable reason (English, for the batch tool)
    FileFault fault = FileFault::None;
    ParField field = ParField::None;  // the value at fault
    int pair = 0;          // number of the measured pair for Messsigma / Messrho
    std::string excerpt;   // the start of the offending text: printable ASCII only, short
};

// English name of a value as the batch tool's messages give it.
const char* parFieldName(ParField f);
// At most `maxChars` characters of `raw`, every byte that is not printable
// ASCII shown as '?', "..." appended when cut.
std::string sanitizedExcerpt(const std::string& raw, size_t maxChars = 12);

// Fills `err` as a fault of the operating system: `code` is the errno value
// (0 counts as EIO), `what` the context put before its text ("" for none).
void setSystemError(FileError& err, int code, const std::string& what);

}  // namespace korvane
