// Parameter files: reading and writing.
//
// Reading follows the run-time library's text-file rules (skip white space
// and line ends before a value, take the run of printable characters, drop
// the rest of the line, read 0 at the end of the file), but a file is taken
// over only when it has been read completely and every value is a valid,
// finite number that fits the model's arrays. Numbers never depend on the
// process locale. Writing goes through safe saving, so a failed save leaves
// the previous file as it was.
#include "files/parameter_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <string_view>
#include <sys/stat.h>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "files/file_numbers.h"
#include "files/safe_save.h"

namespace korvane {

// ---------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------

namespace {

// Longest value run the reader takes for an integer / a real.
constexpr size_t kMaxIntChars = 32;
constexpr size_t kMaxRealChars = 64;

// A whole number: [sign] digits, nothing else.
bool parseInteger(std::string_view t, long long& v, bool& range) {
    range = false;
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    unsigned long long u = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), u);
    if (r.ec == std::errc::result_out_of_range || u > 2147483648ULL ||
        (!negative && u > 2147483647ULL)) {
        range = true;
        return false;
    }
    v = negative ? -static_cast<long long>(u) : static_cast<long long>(u);
    return true;
}

class ParReader {
public:
    explicit ParReader(std::string text) : s_(std::move(text)) {}

    bool failed() const { return failed_; }
    const FileError& error() const { return err_; }

    // End of file in the sense of the run-time library's Eof: nothing left.
    bool eof() const { return pos_ >= s_.size(); }

    long readInt(ParField f, int pair = 0) {
        std::string t;
        if (!token(t, kMaxIntChars, f, pair)) return 0;
        if (t.empty()) return 0;  // end of file reads as 0
        long long v = 0;
        bool range = false;
        if (!parseInteger(t, v, range)) {
            fail(range ? FileFault::OutOfRange : FileFault::NotInteger, f, pair, t,
                 range ? "integer out of range" : "invalid integer");
            return 0;
        }
        return static_cast<long>(v);
    }

    double readReal(ParField f, int pair = 0) {
        std::string t;
        if (!token(t, kMaxRealChars, f, pair)) return 0;
        if (t.empty()) return 0;
        double v = 0;
        switch (parseReal(t, v)) {
            case RealParse::Ok: return v;
            case RealParse::Syntax: fail(FileFault::NotNumber, f, pair, t, "invalid number"); break;
            case RealParse::Range: fail(FileFault::OutOfRange, f, pair, t, "number out of range"); break;
        }
        return 0;
    }

    // An angle in degrees, returned in radians. A value whose conversion
    // leaves the doubles could never be written back: it is out of range.
    double readAngle(ParField f) {
        const size_t at = pos_;
        const double deg = readReal(f);
        const double rad = deg * kPi / 180.0;
        if (!failed_ && (!std::isfinite(rad) || !std::isfinite(rad * 180.0 / kPi))) {
            size_t p = at;
            while (p < s_.size() && static_cast<unsigned char>(s_[p]) < 33) ++p;
            size_t e = p;
            while (e < s_.size() && static_cast<unsigned char>(s_[e]) >= 33) ++e;
            fail(FileFault::OutOfRange, f, 0, s_.substr(p, e - p), "number out of range");
        }
        return rad;
    }

    // Moves to the line after the next line whose first value is `marker`;
    // false (position unchanged) when no line holds it.
    bool skipPast(std::string_view marker) {
        size_t p = pos_;
        int line = line_;
        while (p < s_.size()) {
            size_t e = p;
            while (e < s_.size() && s_[e] != '\n' && s_[e] != '\r') ++e;
            for (size_t q = p; q < e; ++q) {
                if (isDamage(q)) {
                    failControl(line);
                    return false;
                }
            }
            size_t b = p;
            while (b < e && static_cast<unsigned char>(s_[b]) < 33) ++b;
            size_t t = b;
            while (t < e && static_cast<unsigned char>(s_[t]) >= 33) ++t;
            if (e < s_.size()) {
                if (s_[e] == '\r' && e + 1 < s_.size() && s_[e + 1] == '\n') ++e;
                ++e;
            }
            ++line;
            if (std::string_view(s_).substr(b, t - b) == marker) {
                pos_ = e;
                line_ = line;
                return true;
            }
            p = e;
        }
        return false;
    }

    // Discards the rest of the current line, including its line end.
    void nextLine() {
        while (pos_ < s_.size()) {
            char c = s_[pos_++];
            if (c == '\n') { ++line_; return; }
            if (c == '\r') {
                if (pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
                ++line_;
                return;
            }
        }
    }

    // Marks the value just read as faulty.
    void fail(FileFault fault, ParField f, int pair, const std::string& raw, const char* what) {
        if (failed_) return;
        failed_ = true;
        err_.code = EINVAL;
        err_.line = tokenLine_;
        err_.fault = fault;
        err_.field = f;
        err_.pair = pair;
        err_.excerpt = sanitizedExcerpt(raw);
        err_.reason = std::string(what);
        if (!raw.empty()) err_.reason += " \"" + err_.excerpt + "\"";
        if (f != ParField::None) err_.reason += std::string(" for ") + parFieldName(f);
        if (pair > 0) err_.reason += " of pair " + std::to_string(pair);
    }

    // After the last value: the lines that are not read (the filler lines)
    // must still be text.
    void checkRest() {
        for (size_t p = pos_; p < s_.size() && !failed_; ++p) {
            const char c = s_[p];
            if (c == '\n' || (c == '\r' && !(p + 1 < s_.size() && s_[p + 1] == '\n'))) ++line_;
            else if (isDamage(p)) failControl(line_);
        }
    }

private:
    // A control character other than TAB, CR and LF has no place in a text
    // file: a NUL inside a number would otherwise end the value there and
    // load a different number. One DOS end-of-file mark (Ctrl-Z) as the very
    // last byte is what old editors append; it is not damage.
    bool isDamage(size_t p) const {
        const unsigned char c = static_cast<unsigned char>(s_[p]);
        if (c >= 32 || c == '\t' || c == '\r' || c == '\n') return false;
        return !(c == 0x1A && p + 1 == s_.size());
    }

    void failControl(int line) {
        tokenLine_ = line;
        fail(FileFault::ControlCharacter, ParField::None, 0, "", "contains a control character (damaged file?)");
    }

    // Skips characters below 33 (blanks, tabs, line ends), then takes the run
    // of characters with code >= 33. Empty at the end of the file. The line
    // the value stands on must hold no control character.
    bool token(std::string& out, size_t maxChars, ParField f, int pair) {
        if (failed_) return false;
        while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) < 33) {
            if (isDamage(pos_)) {
                failControl(line_);
                return false;
            }
            char c = s_[pos_++];
            if (c == '\n') ++line_;
            else if (c == '\r' && !(pos_ < s_.size() && s_[pos_] == '\n')) ++line_;
        }
        tokenLine_ = line_;
        for (size_t p = pos_; p < s_.size() && s_[p] != '\r' && s_[p] != '\n'; ++p) {
            if (isDamage(p)) {
                failControl(line_);
                return false;
            }
        }
        size_t start = pos_;
        while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) >= 33) ++pos_;
        out.assign(s_, start, pos_ - start);
        if (out.size() > maxChars) {
            fail(FileFault::TooLong, f, pair, out, "value too long");
            return false;
        }
        return true;
    }

    std::string s_;
    size_t pos_ = 0;
    int line_ = 1;
    int tokenLine_ = 1;
    bool failed_ = false;
    FileError err_;
};

bool readWholeFile(const std::string& path, std::string& text, FileError& err) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        setSystemError(err, errno ? errno : EIO, "");
        return false;
    }
    struct stat st{};
    if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f);
        setSystemError(err, EISDIR, "");
        return false;
    }
    // A parameter file is a few kilobytes; anything far larger (or a device
    // that never ends) is not one.
    constexpr size_t kMaxFileSize = 16u << 20;
    text.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        text.append(buf, n);
        if (text.size() > kMaxFileSize) {
            std::fclose(f);
            err = FileError{};
            err.code = EFBIG;
            err.fault = FileFault::TooLarge;
            err.reason = "file too large for a parameter file";
            return false;
        }
    }
    bool bad = std::ferror(f) != 0;
    int e = errno;
    std::fclose(f);
    if (bad) {
        setSystemError(err, e ? e : EIO, "");
        return false;
    }
    return true;
}

// Editors save text in encodings the reader must recognise. A UTF-8
// byte-order mark is dropped. UTF-16 (either byte order, with or without its
// mark) holds a NUL beside every character of a parameter file: it is named
// as such rather than read as a damaged file.
bool takeTextEncoding(std::string& text, FileError& err) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    bool utf16 = text.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) ||
                                      (byte(0) == 0xFE && byte(1) == 0xFF));
    if (!utf16 && text.size() >= 4) {
        // Without a mark: the first characters of a parameter file are ASCII,
        // so in UTF-16 every pair of bytes is one zero and one non-zero byte,
        // the zero always on the same side.
        const size_t pairs = std::min<size_t>(text.size() / 2, 32);
        size_t low = 0, high = 0;
        for (size_t i = 0; i < pairs; ++i) {
            const bool z0 = byte(2 * i) == 0, z1 = byte(2 * i + 1) == 0;
            if (!z0 && z1) ++low;
            if (z0 && !z1) ++high;
        }
        utf16 = low == pairs || high == pairs;
    }
    if (!utf16) return true;
    err = FileError{};
    err.code = EINVAL;
    err.fault = FileFault::Utf16;
    err.reason = "saved as UTF-16; save it as plain text (ANSI/Latin-1 or UTF-8)";
    return false;
}

}  // namespace

void deriveReadGeometry(SiloModel& m) {
    // The hopper angle counts only with a hopper; without one it is cleared.
    if (!m.Trichterja) m.Trichterwinkel = 0;
    computeCrossSections(m);
    computeHopperApex(m);
}

bool readParameterFile(SiloModel& m, const std::string& path, FileError& err) {
    err = FileError{};
    std::string text;
    if (!readWholeFile(path, text, err)) return false;
    if (!takeTextEncoding(text, err)) return false;

    // A file without a single value (empty, blanks, line ends only) would
    // load as a silo of zeros: it is not a parameter file at all.
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 33; })) {
        err.code = EINVAL;
        err.fault = FileFault::NotParameterFile;
        err.reason = "not a Korvane parameter file";
        return false;
    }

    // Everything goes into a copy first; the model is replaced only when the
    // whole file has been read without a fault. A file holds no results, so
    // the copy leaves out the result arrays; its space is kept per thread
    // rather than allocated for every file.
    static thread_local const std::unique_ptr<SiloModel> scratch = std::make_unique<SiloModel>();
    SiloModel* const c = scratch.get();
    copyAllButResults(*c, m);
    ParReader r(std::move(text));

    const long schrittzahl = r.readInt(ParField::Schrittzahl);
    r.nextLine();
    if (!r.failed() && (schrittzahl < 1 || schrittzahl > kMaxSchrittzahl)) {
        // The slice step needs at least one slice per section, and the result
        // arrays hold 3 * Schrittzahl + 1 entries.
        r.fail(FileFault::SliceCount, ParField::Schrittzahl, 0, std::to_string(schrittzahl),
               ("slice count must lie between 1 and " + std::to_string(kMaxSchrittzahl) + ", not").c_str());
    }
    c->Schrittzahl = static_cast<int>(schrittzahl);
    c->Rhokonstant = r.readInt(ParField::Rhokonstant) == 1;
    r.nextLine();
    c->Rhofunktion = r.readInt(ParField::Rhofunktion) == 1;
    r.nextLine();
    c->RHOMIN = r.readReal(ParField::RHOMIN);
    r.nextLine();
    c->RHOMAX = r.readReal(ParField::RHOMAX);
    r.nextLine();
    c->SIGMA0 = r.readReal(ParField::SIGMA0);
    r.nextLine();
    c->Rhosteigung = 0;

    if (!c->Rhokonstant && !c->Rhofunktion) {
        c->Anpassart = static_cast<int>(r.readInt(ParField::Anpassart));
        r.nextLine();
        const long n = r.readInt(ParField::Messanzahl);
        r.nextLine();
        if (!r.failed() && n > kMaxPairs) {
            r.fail(FileFault::PairCount, ParField::Messanzahl, 0, std::to_string(n),
                   ("at most " + std::to_string(kMaxPairs) + " pairs, not").c_str());
        }
        c->Messanzahl = static_cast<int>(n);
        c->AnpassA = r.readReal(ParField::AnpassA);
        r.nextLine();
        c->AnpassB = r.readReal(ParField::AnpassB);
        r.nextLine();
        c->AnpassRHOMIN = r.readReal(ParField::AnpassRHOMIN);
        r.nextLine();
        c->AnpassRHOMAX = r.readReal(ParField::AnpassRHOMAX);
        r.nextLine();
        c->AnpassSIGMA0 = r.readReal(ParField::AnpassSIGMA0);
        r.nextLine();
        for (int i = 1; i <= n && i <= kMaxPairs && !r.failed(); ++i) {
            c->Messsigma[i] = r.readReal(ParField::Messsigma, i);
            c->Messrho[i] = r.readReal(ParField::Messrho, i);
            r.nextLine();
        }
    }

    c->PHIE = r.readAngle(ParField::PHIE);
    r.nextLine();
    c->Phixschaft = r.readAngle(ParField::Phixschaft);
    r.nextLine();
    c->Phixtrichter = r.readAngle(ParField::Phixtrichter);
    r.nextLine();
    c->Phixunten = r.readAngle(ParField::Phixunten);
    r.nextLine();

    c->Kwahl = static_cast<std::uint8_t>(r.readInt(ParField::Kwahl) & 0xFF);
    r.nextLine();
    c->Kwert = r.readReal(ParField::Kwert);
    r.nextLine();
    const bool filling = r.readInt(ParField::Spannungszustand) == 1;
    r.nextLine();
    c->Fuellzustand = filling;
    c->Entleerungszustand = !filling;
    const long querschnitt = r.readInt(ParField::Querschnitt);
    r.nextLine();
    if (!r.failed() && querschnitt != 0 && querschnitt != 1) {
        // Area and perimeter weigh the rectangle by (1 - c) and the circle by
        // c: any other value gives a shape that does not exist.
        r.fail(FileFault::CrossSection, ParField::Querschnitt, 0, std::to_string(querschnitt),
               "cross-section must be 0 or 1, not");
    }
    c->Querschnitt = static_cast<std::uint8_t>(querschnitt & 0xFF);
    c->Durchmesser = r.readReal(ParField::Durchmesser);
    r.nextLine();
    c->Laenge = r.readReal(ParField::Laenge);
    r.nextLine();

    c->Trichterja = r.readInt(ParField::Trichterja) != 0;
    r.nextLine();
    // The hopper angle counts only with a hopper; without one it is cleared.
    const double trichterwinkel =
        c->Trichterja ? r.readAngle(ParField::Trichterwinkel) : r.readReal(ParField::Trichterwinkel);
    r.nextLine();
    c->Auslauf = r.readReal(ParField::Auslauf);
    r.nextLine();
    c->Schaftja = r.readInt(ParField::Schaftja) != 0;
    r.nextLine();
    c->Hschaft = r.readReal(ParField::Hschaft);
    r.nextLine();
    c->vertunten = r.readInt(ParField::vertunten) != 0;
    r.nextLine();
    c->Hunttricht = r.readReal(ParField::Hunttricht);
    r.nextLine();
    c->Schuettkegel = r.readInt(ParField::Schuettkegel) != 0;
    r.nextLine();
    c->boeschwinkel = r.readAngle(ParField::boeschwinkel);
    r.nextLine();
    c->Auflastspannung = r.readReal(ParField::Auflastspannung);
    r.nextLine();
    c->Fuellhoehe = r.readReal(ParField::Fuellhoehe);
    r.nextLine();

    // Files of the earlier layout end here; the end-wall friction then reads 0.
    c->PhixStirnwand = r.eof() ? 0.0 : r.readAngle(ParField::PhixStirnwand);
    r.nextLine();

    // The EN 1991-4 inputs, after the filler lines; without them the defaults.
    resetEnInputs(*c);
    if (!r.failed() && r.skipPast(kEnBlockMarker)) {
        constexpr ParField f = ParField::EN1991_4;
        c->ENaK = r.readReal(f);
        r.nextLine();
        c->ENamu = r.readReal(f);
        r.nextLine();
        c->ENaphi = r.readReal(f);
        r.nextLine();
        c->ENdynamisch = r.readInt(f) != 0;
        r.nextLine();
        c->ENphirja = r.readInt(f) != 0;
        r.nextLine();
        c->ENphir = r.readAngle(f);
        r.nextLine();
        c->ENpatch = r.readInt(f) != 0;
        r.nextLine();
        c->ENCop = r.readReal(f);
        r.nextLine();
    }
    // Whatever follows (filler lines, or the rest after the EN block) holds
    // no control character either.
    r.checkRest();

    c->Trichterwinkel = trichterwinkel;
    deriveReadGeometry(*c);

    if (r.failed()) {
        err = r.error();
        return false;
    }
    copyAllButResults(m, *c);
    return true;
}

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------

namespace {

// Builds the parameter file text. Every real is checked to read back as the
// finite number the reader accepts; the first value that cannot is named in
// `problem` (the text then holds its field as formatReal23 shows it).
std::string buildParameterText(const SiloModel& m, FileError* problem) {
    std::string o;
    bool failed = false;
    auto refuse = [&](ParField f, int pair, const std::string& shown) {
        if (failed || !problem) return;
        failed = true;
        *problem = FileError{};
        problem->code = EINVAL;
        problem->fault = FileFault::NotWritable;
        problem->field = f;
        problem->pair = pair;
        problem->excerpt = sanitizedExcerpt(shown);
        problem->reason = std::string("value cannot be written for ") + parFieldName(f);
    };
    auto integer = [&](long v) {
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        o.append(buf, r.ptr);
        o += "\r\n";
    };
    auto field = [&](double v, ParField f, int pair = 0) {
        std::string t = formatReal23(v);
        double back = 0;
        if (!std::isfinite(v) ||
            parseReal(std::string_view(t).substr(t[0] == ' ' ? 1 : 0), back) != RealParse::Ok)
            refuse(f, pair, t);
        return t;
    };
    auto real = [&](double v, ParField f) { o += field(v, f); o += "\r\n"; };
    // Angles are held in radians and written in degrees; the degrees must
    // come back as a finite angle in radians.
    auto deg = [&](double r, ParField f) {
        const double d = r * 180.0 / kPi;
        std::string t = formatReal23(d);
        double back = 0;
        if (std::isfinite(d) &&
            (parseReal(std::string_view(t).substr(t[0] == ' ' ? 1 : 0), back) != RealParse::Ok ||
             !std::isfinite(back * kPi / 180.0))) {
            t = real23Truncated(d);
            back = 0;
            parseReal(std::string_view(t).substr(t[0] == ' ' ? 1 : 0), back);
        }
        if (!std::isfinite(d) || !std::isfinite(back * kPi / 180.0)) refuse(f, 0, t);
        o += t;
        o += "\r\n";
    };

    if (m.Schrittzahl < 1 || m.Schrittzahl > kMaxSchrittzahl)
        refuse(ParField::Schrittzahl, 0, std::to_string(m.Schrittzahl));
    integer(m.Schrittzahl);
    integer(m.Rhokonstant ? 1 : 0);
    integer(m.Rhofunktion ? 1 : 0);
    real(m.RHOMIN, ParField::RHOMIN);
    real(m.RHOMAX, ParField::RHOMAX);
    real(m.SIGMA0, ParField::SIGMA0);
    if (!m.Rhokonstant && !m.Rhofunktion) {
        integer(m.Anpassart);
        integer(m.Messanzahl);
        real(m.AnpassA, ParField::AnpassA);
        real(m.AnpassB, ParField::AnpassB);
        real(m.AnpassRHOMIN, ParField::AnpassRHOMIN);
        real(m.AnpassRHOMAX, ParField::AnpassRHOMAX);
        real(m.AnpassSIGMA0, ParField::AnpassSIGMA0);
        for (int i = 1; i <= m.Messanzahl && i <= kMaxPairs; ++i) {
            o += field(m.Messsigma[i], ParField::Messsigma, i);
            // The second field's sign position separates the two; a minus
            // there would join them into one value, so it gets a blank first.
            std::string rho = field(m.Messrho[i], ParField::Messrho, i);
            if (rho[0] != ' ') o += ' ';
            o += rho;
            o += "\r\n";
        }
    }
    deg(m.PHIE, ParField::PHIE);
    deg(m.Phixschaft, ParField::Phixschaft);
    deg(m.Phixtrichter, ParField::Phixtrichter);
    deg(m.Phixunten, ParField::Phixunten);
    integer(m.Kwahl);
    real(m.Kwert, ParField::Kwert);
    integer(m.Fuellzustand ? 1 : 0);
    if (m.Querschnitt > 1) refuse(ParField::Querschnitt, 0, std::to_string(m.Querschnitt));
    integer(m.Querschnitt);
    real(m.Durchmesser, ParField::Durchmesser);
    real(m.Laenge, ParField::Laenge);
    integer(m.Trichterja ? 1 : 0);
    deg(m.Trichterwinkel, ParField::Trichterwinkel);
    real(m.Auslauf, ParField::Auslauf);
    integer(m.Schaftja ? 1 : 0);
    real(m.Hschaft, ParField::Hschaft);
    integer(m.vertunten ? 1 : 0);
    real(m.Hunttricht, ParField::Hunttricht);
    integer(m.Schuettkegel ? 1 : 0);
    deg(m.boeschwinkel, ParField::boeschwinkel);
    real(m.Auflastspannung, ParField::Auflastspannung);
    real(m.Fuellhoehe, ParField::Fuellhoehe);
    deg(m.PhixStirnwand, ParField::PhixStirnwand);
    for (int i = 0; i < 21; ++i) o += "1\r\n";
    const EnInputs en = enInputsOf(m), defaults{};
    if (en.aK != defaults.aK || en.amu != defaults.amu || en.aphi != defaults.aphi ||
        en.dynamicSolid || en.phirGiven || en.phir != 0 || en.patchLoads || en.Cop != defaults.Cop) {
        o += kEnBlockMarker;
        o += "\r\n";
        real(en.aK, ParField::EN1991_4);
        real(en.amu, ParField::EN1991_4);
        real(en.aphi, ParField::EN1991_4);
        integer(en.dynamicSolid ? 1 : 0);
        integer(en.phirGiven ? 1 : 0);
        deg(en.phir, ParField::EN1991_4);
        integer(en.patchLoads ? 1 : 0);
        real(en.Cop, ParField::EN1991_4);
    }
    return o;
}

}  // namespace

std::string parameterFileText(const SiloModel& m) { return buildParameterText(m, nullptr); }

bool parameterFileWritable(const SiloModel& m, FileError& err) {
    err = FileError{};
    buildParameterText(m, &err);
    return err.fault == FileFault::None;
}

bool writeParameterFile(const SiloModel& m, const std::string& path, FileError& err) {
    err = FileError{};
    const std::string text = buildParameterText(m, &err);
    if (err.fault != FileFault::None) return false;
    return writeFileSafely(path, text, err);
}

}  // namespace korvane
