// Parameter files (.par): one value per line, CR LF, reals in a 23-character
// scientific notation, angles in degrees. Result files (.txt): semicolon
// separated rows. Data folder marker FOLDER.DAT.
#pragma once

#include <string>
#include <string_view>

#include "calc/model.h"

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

// The EN 1991-4 inputs (ENaK ... ENCop of the model) follow the 21 filler
// lines, which the reader never reads, after a line holding only this marker:
// a_K, a_mu, a_phi (reals), the dynamic-solid switch, the phi_r-given switch,
// phi_r (degrees), the patch-load switch, C_op (real). The block is written
// only when a value differs from its default, so a set without EN values
// gives the same file as before; a file without the block reads the
// defaults, and a reader that stops after the end-wall friction ignores it.
constexpr const char* kEnBlockMarker = "EN1991-4";

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

// Real as the file writes it: sign position, d.dddddddddddddd, E, sign, 4 digits.
std::string formatReal23(double v);
// Fixed point, right-aligned in `width`, `decimals` decimals, point separator.
std::string formatFixed(long double v, int width, int decimals);

// What the reader derives from the values it has read: cross-section area
// and perimeter and, with a hopper, the tangent of its angle, the apex
// distances and the outlet area (without a hopper the angle is cleared).
void deriveReadGeometry(SiloModel& m);

// Loads a parameter file into the model, all or nothing: on failure the model
// is unchanged and `err` names the line and the reason.
bool readParameterFile(SiloModel& m, const std::string& path, FileError& err);
// Writes the model; the previous file is replaced only by a complete new one.
// A symbolic link is written through (the link stays), a device or FIFO is
// written directly, a write-protected file is refused and left as it is. A
// model holding a value no file can carry (not finite) is refused.
bool writeParameterFile(const SiloModel& m, const std::string& path, FileError& err);
// Writes the results of the last calculation.
bool writeResultFile(const SiloModel& m, const std::string& path, FileError& err);

// The complete text the two writers produce (CR LF line ends). The result
// text runs the height down from the top of the slices to the outlet.
std::string parameterFileText(const SiloModel& m);
std::string resultFileText(const SiloModel& m);

// Checks that every value of the model can be written so that it reads back;
// on failure `err` names the first one that cannot (fault NotWritable).
bool parameterFileWritable(const SiloModel& m, FileError& err);

// Writes `data` to `path` as the savers do: through a temporary file beside
// the target that replaces it only when complete (links written through,
// devices and FIFOs written directly, write-protected files refused).
bool writeFileSafely(const std::string& path, std::string_view data, FileError& err);

// Data folders. Paths end with '/'.
struct DataFolders {
    bool markerInvalid = false;  // FOLDER.DAT present with wrong first line
    std::string programFolder, dataFolder, parameterFolder, resultFolder, flyerFolder;
};
// programDir: folder of the executable (with or without trailing '/');
// documentsDir: the user's documents folder (used with a valid marker).
DataFolders resolveDataFolders(const std::string& programDir, const std::string& documentsDir);

}  // namespace korvane
