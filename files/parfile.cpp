// Parameter files, result files and the data folder marker.
//
// Reading follows the run-time library's text-file rules (skip white space
// and line ends before a value, take the run of printable characters, drop
// the rest of the line, read 0 at the end of the file), but a file is taken
// over only when it has been read completely and every value is a valid,
// finite number that fits the model's arrays. Writing goes to a temporary
// file in the target's folder that replaces the target only when complete.
#include "files/parfile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "calc/engine.h"

namespace korvane {

// ---------------------------------------------------------------------------
// Number formats
// ---------------------------------------------------------------------------

std::string formatReal23(double v) {
    if (!std::isfinite(v)) {
        // Never written by the program (the form only lets finite values
        // through); keep the field width so the layout stays intact.
        std::string s = std::isnan(v) ? " NAN" : (v < 0 ? "-INF" : " INF");
        return s + std::string(23 - s.size(), ' ');
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", v);  // [-]d.ddddddddddddddE[+-]dd[d]
    std::string s(buf);
    std::string sign = " ";
    if (!s.empty() && s[0] == '-') {
        sign = "-";
        s.erase(0, 1);
    }
    const auto e = s.find('E');
    std::string mant = s.substr(0, e);
    char esign = s[e + 1];
    int exp = std::atoi(s.c_str() + e + 2);
    if (v == 0) {  // -0.0 is written like 0
        sign = " ";
        esign = '+';
    }
    char ebuf[16];
    std::snprintf(ebuf, sizeof ebuf, "%04d", exp);
    return sign + mant + "E" + esign + ebuf;
}

std::string formatFixed(long double v, int width, int decimals) {
    char buf[128];
    int n = std::snprintf(buf, sizeof buf, "%*.*Lf", width, decimals, v);
    if (n < 0) return std::string();
    if (n < static_cast<int>(sizeof buf)) return std::string(buf, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), "%*.*Lf", width, decimals, v);
    big.resize(static_cast<size_t>(n));
    return big;
}

// ---------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------

namespace {

// Longest value run the reader takes for an integer / a real.
constexpr size_t kMaxIntChars = 32;
constexpr size_t kMaxRealChars = 64;

bool isIntegerText(const std::string& t) {
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9') return false;
    return true;
}

// Decimal number syntax: [sign] digits [. [digits]] | [sign] . digits,
// then optionally E or e, [sign], digits.
bool isRealText(const std::string& t) {
    size_t i = 0, n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++digits; }
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        size_t ed = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++ed; }
        if (ed == 0) return false;
    }
    return i == n;
}

class ParReader {
public:
    explicit ParReader(std::string text) : s_(std::move(text)) {}

    bool failed() const { return failed_; }
    int errorLine() const { return errLine_; }
    const std::string& errorReason() const { return errReason_; }

    // End of file in the sense of the run-time library's Eof: nothing left.
    bool eof() const { return pos_ >= s_.size(); }

    long readInt(const char* what) {
        std::string t;
        if (!token(t, kMaxIntChars, what)) return 0;
        if (t.empty()) return 0;  // end of file reads as 0
        if (!isIntegerText(t)) {
            fail(std::string("invalid integer \"") + t + "\" for " + what);
            return 0;
        }
        errno = 0;
        char* end = nullptr;
        long long v = std::strtoll(t.c_str(), &end, 10);
        if (errno == ERANGE || v > 2147483647LL || v < -2147483648LL) {
            fail(std::string("integer out of range \"") + t + "\" for " + what);
            return 0;
        }
        return static_cast<long>(v);
    }

    double readReal(const char* what) {
        std::string t;
        if (!token(t, kMaxRealChars, what)) return 0;
        if (t.empty()) return 0;
        if (!isRealText(t)) {
            fail(std::string("invalid number \"") + t + "\" for " + what);
            return 0;
        }
        double v = std::strtod(t.c_str(), nullptr);
        if (!std::isfinite(v)) {
            fail(std::string("number out of range \"") + t + "\" for " + what);
            return 0;
        }
        return v;
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

    void fail(const std::string& reason) {
        if (failed_) return;
        failed_ = true;
        errLine_ = tokenLine_;
        errReason_ = reason;
    }

private:
    // Skips characters below 33 (blanks, tabs, line ends), then takes the run
    // of characters with code >= 33. Empty at the end of the file.
    bool token(std::string& out, size_t maxChars, const char* what) {
        if (failed_) return false;
        while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) < 33) {
            char c = s_[pos_++];
            if (c == '\n') ++line_;
            else if (c == '\r' && !(pos_ < s_.size() && s_[pos_] == '\n')) ++line_;
        }
        tokenLine_ = line_;
        size_t start = pos_;
        while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) >= 33) ++pos_;
        out.assign(s_, start, pos_ - start);
        if (out.size() > maxChars) {
            fail(std::string("value too long for ") + what);
            return false;
        }
        return true;
    }

    std::string s_;
    size_t pos_ = 0;
    int line_ = 1;
    int tokenLine_ = 1;
    bool failed_ = false;
    int errLine_ = 0;
    std::string errReason_;
};

bool readWholeFile(const std::string& path, std::string& text, FileError& err) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        err.code = errno ? errno : EIO;
        err.line = 0;
        err.reason = std::strerror(err.code);
        return false;
    }
    struct stat st{};
    if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f);
        err.code = EISDIR;
        err.line = 0;
        err.reason = std::strerror(EISDIR);
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
            err.code = EFBIG;
            err.line = 0;
            err.reason = "file too large for a parameter file";
            return false;
        }
    }
    bool bad = std::ferror(f) != 0;
    int e = errno;
    std::fclose(f);
    if (bad) {
        err.code = e ? e : EIO;
        err.line = 0;
        err.reason = std::strerror(err.code);
        return false;
    }
    return true;
}

}  // namespace

bool Parameterdatei_lesen(SiloModel& m, const std::string& path, FileError& err) {
    err = FileError{};
    std::string text;
    if (!readWholeFile(path, text, err)) return false;

    // Everything goes into a copy first; the model is replaced only when the
    // whole file has been read without a fault.
    auto c = std::make_unique<SiloModel>(m);
    ParReader r(std::move(text));
    auto rad = [](double deg) { return deg * kPi / 180.0; };

    long schrittzahl = r.readInt("Schrittzahl");
    r.nextLine();
    if (!r.failed() && schrittzahl > kResultSize / 3) {
        // 3 * Schrittzahl is the last index of the result arrays.
        r.fail("Schrittzahl " + std::to_string(schrittzahl) + " exceeds " +
               std::to_string(kResultSize / 3));
    }
    c->Schrittzahl = static_cast<int>(schrittzahl);
    c->Rhokonstant = r.readInt("the constant density switch") == 1;
    r.nextLine();
    c->Rhofunktion = r.readInt("the density function switch") == 1;
    r.nextLine();
    c->RHOMIN = r.readReal("RHOMIN");
    r.nextLine();
    c->RHOMAX = r.readReal("RHOMAX");
    r.nextLine();
    c->SIGMA0 = r.readReal("SIGMA0");
    r.nextLine();
    c->Rhosteigung = 0;

    if (!c->Rhokonstant && !c->Rhofunktion) {
        c->Anpassart = static_cast<int>(r.readInt("Anpassart"));
        r.nextLine();
        long n = r.readInt("Messanzahl");
        r.nextLine();
        if (!r.failed() && n > kMaxPairs) {
            r.fail("Messanzahl " + std::to_string(n) + " exceeds " + std::to_string(kMaxPairs));
        }
        c->Messanzahl = static_cast<int>(n);
        c->AnpassA = r.readReal("AnpassA");
        r.nextLine();
        c->AnpassB = r.readReal("AnpassB");
        r.nextLine();
        c->AnpassRHOMIN = r.readReal("AnpassRHOMIN");
        r.nextLine();
        c->AnpassRHOMAX = r.readReal("AnpassRHOMAX");
        r.nextLine();
        c->AnpassSIGMA0 = r.readReal("AnpassSIGMA0");
        r.nextLine();
        for (long i = 1; i <= n && i <= kMaxPairs && !r.failed(); ++i) {
            c->Messsigma[i] = r.readReal("a measured SIGMA");
            c->Messrho[i] = r.readReal("a measured RHOB");
            r.nextLine();
        }
    }

    c->PHIE = rad(r.readReal("PHIE"));
    r.nextLine();
    c->Phixschaft = rad(r.readReal("Phixschaft"));
    r.nextLine();
    c->Phixtrichter = rad(r.readReal("Phixtrichter"));
    r.nextLine();
    c->Phixunten = rad(r.readReal("Phixunten"));
    r.nextLine();

    c->Kwahl = static_cast<std::uint8_t>(r.readInt("Kwahl") & 0xFF);
    r.nextLine();
    c->Kwert = r.readReal("Kwert");
    r.nextLine();
    bool filling = r.readInt("the stress state") == 1;
    r.nextLine();
    c->Fuellzustand = filling;
    c->Entleerungszustand = !filling;
    c->Querschnitt = static_cast<std::uint8_t>(r.readInt("Querschnitt") & 0xFF);
    r.nextLine();
    c->Durchmesser = r.readReal("Durchmesser");
    r.nextLine();
    c->Laenge = r.readReal("Laenge");
    r.nextLine();

    const double q = c->Querschnitt;
    c->Flaeche = (1 - q) * c->Laenge * c->Durchmesser + q * kPi * c->Durchmesser * c->Durchmesser / 4;
    c->Umfang = 2 * (1 - q) * (c->Laenge + c->Durchmesser) + q * kPi * c->Durchmesser;

    c->Trichterja = r.readInt("Trichterja") != 0;
    r.nextLine();
    c->Trichterwinkel = r.readReal("Trichterwinkel");
    r.nextLine();
    c->Auslauf = r.readReal("Auslauf");
    r.nextLine();
    c->Schaftja = r.readInt("Schaftja") != 0;
    r.nextLine();
    c->Hschaft = r.readReal("Hschaft");
    r.nextLine();
    c->vertunten = r.readInt("vertunten") != 0;
    r.nextLine();
    c->Hunttricht = r.readReal("Hunttricht");
    r.nextLine();
    c->Schuettkegel = r.readInt("Schuettkegel") != 0;
    r.nextLine();
    c->boeschwinkel = rad(r.readReal("boeschwinkel"));
    r.nextLine();
    c->Auflastspannung = r.readReal("Auflastspannung");
    r.nextLine();
    c->Fuellhoehe = r.readReal("Fuellhoehe");
    r.nextLine();

    // Files of the earlier layout end here; the end-wall friction then reads 0.
    c->PhixStirnwand = r.eof() ? 0.0 : r.readReal("PhixStirnwand");
    c->PhixStirnwand = rad(c->PhixStirnwand);

    if (c->Trichterja) {
        c->Trichterwinkel = rad(c->Trichterwinkel);
        c->TanTrichter = std::tan(c->Trichterwinkel);
        c->Hspitzeauslauf = c->Auslauf / (2 * c->TanTrichter);
        c->Hspitzeoben = c->Durchmesser / (2 * c->TanTrichter);
        c->Auslaufflaeche = (1 - q) * c->Auslauf * c->Laenge + q * kPi * c->Auslauf * c->Auslauf / 4;
    } else {
        c->Trichterwinkel = 0;
        c->TanTrichter = 0;
        c->Hspitzeauslauf = 0;
        c->Hspitzeoben = 0;
        c->Auslaufflaeche = c->Flaeche;
    }

    if (r.failed()) {
        err.code = EINVAL;
        err.line = r.errorLine();
        err.reason = r.errorReason();
        return false;
    }
    m = *c;
    return true;
}

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------

namespace {

void setErr(FileError& err, int code, const std::string& what) {
    err.code = code ? code : EIO;
    err.line = 0;
    err.reason = what + ": " + std::strerror(err.code);
}

std::string folderOf(const std::string& path) {
    auto p = path.find_last_of('/');
    if (p == std::string::npos) return ".";
    if (p == 0) return "/";
    return path.substr(0, p);
}

// Writes `data` to a temporary file beside `path`, flushes it to the disk and
// renames it over `path`. On any failure the old file stays as it was.
bool writeAtomically(const std::string& path, const std::string& data, FileError& err) {
    err = FileError{};
    if (path.empty()) {
        setErr(err, ENOENT, "empty file name");
        return false;
    }
    struct stat target{};
    bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode)) {
        setErr(err, EISDIR, path);
        return false;
    }
    std::string tmpl = path + ".XXXXXX";
    std::string buf = tmpl;
    int fd = ::mkstemp(buf.data());
    if (fd < 0) {
        setErr(err, errno, "cannot create a file in " + folderOf(path));
        return false;
    }
    const std::string tmp = buf;
    auto abandon = [&](int code, const std::string& what) {
        ::close(fd);
        ::unlink(tmp.c_str());
        setErr(err, code, what);
        return false;
    };
    // Permissions as a freshly created file would get, or those of the file
    // being replaced.
    mode_t mode;
    if (exists) {
        mode = target.st_mode & 07777;
    } else {
        mode_t um = ::umask(0);
        ::umask(um);
        mode = 0666 & ~um;
    }
    if (::fchmod(fd, mode) != 0) return abandon(errno, "cannot set permissions");
    size_t off = 0;
    while (off < data.size()) {
        ssize_t w = ::write(fd, data.data() + off, data.size() - off);
        if (w < 0) {
            if (errno == EINTR) continue;
            return abandon(errno, "write failed");
        }
        off += static_cast<size_t>(w);
    }
    if (::fsync(fd) != 0) return abandon(errno, "write failed");
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        setErr(err, e, "write failed");
        return false;
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        setErr(err, e, "cannot replace " + path);
        return false;
    }
    int dfd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

}  // namespace

std::string parameterFileText(const SiloModel& m) {
    std::string o;
    auto integer = [&](long v) { o += std::to_string(v); o += "\r\n"; };
    auto real = [&](double v) { o += formatReal23(v); o += "\r\n"; };
    auto deg = [&](double r) { real(r * 180.0 / kPi); };

    integer(m.Schrittzahl);
    integer(m.Rhokonstant ? 1 : 0);
    integer(m.Rhofunktion ? 1 : 0);
    real(m.RHOMIN);
    real(m.RHOMAX);
    real(m.SIGMA0);
    if (!m.Rhokonstant && !m.Rhofunktion) {
        integer(m.Anpassart);
        integer(m.Messanzahl);
        real(m.AnpassA);
        real(m.AnpassB);
        real(m.AnpassRHOMIN);
        real(m.AnpassRHOMAX);
        real(m.AnpassSIGMA0);
        for (int i = 1; i <= m.Messanzahl && i <= kMaxPairs; ++i) {
            o += formatReal23(m.Messsigma[i]);
            o += formatReal23(m.Messrho[i]);
            o += "\r\n";
        }
    }
    deg(m.PHIE);
    deg(m.Phixschaft);
    deg(m.Phixtrichter);
    deg(m.Phixunten);
    integer(m.Kwahl);
    real(m.Kwert);
    integer(m.Fuellzustand ? 1 : 0);
    integer(m.Querschnitt);
    real(m.Durchmesser);
    real(m.Laenge);
    integer(m.Trichterja ? 1 : 0);
    deg(m.Trichterwinkel);
    real(m.Auslauf);
    integer(m.Schaftja ? 1 : 0);
    real(m.Hschaft);
    integer(m.vertunten ? 1 : 0);
    real(m.Hunttricht);
    integer(m.Schuettkegel ? 1 : 0);
    deg(m.boeschwinkel);
    real(m.Auflastspannung);
    real(m.Fuellhoehe);
    deg(m.PhixStirnwand);
    for (int i = 0; i < 21; ++i) o += "1\r\n";
    return o;
}

bool Parameterdatei_schreiben(const SiloModel& m, const std::string& path, FileError& err) {
    return writeAtomically(path, parameterFileText(m), err);
}

std::string resultFileText(SiloModel& m) {
    std::string o = "z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]\r\n";
    const int total = std::min(m.Gesamtschritte, kResultSize - 1);
    const int last = std::min(std::max(m.Indexende, 0), kResultSize - 1);

    // Running height of the upper face of the slice being written.
    m.Zlauf = 0;
    for (int i = 1; i <= total; ++i) m.Zlauf += static_cast<double>(m.Dz[i]);

    // Which sections yield rows depends on the switches and heights only.
    const bool shaftRows =
        m.Schaftja && m.Hunttricht + (m.Hspitzeoben - m.Hspitzeauslauf) + m.Hkegel < m.Fuellhoehe;
    const bool hopperRows = m.Trichterja && m.Hunttricht + m.Hkegel < m.Fuellhoehe;
    const bool belowRows = m.vertunten;
    const int s = m.Schritteschaft, t = m.Schrittetrichter;

    auto row = [&](long double z, long double rho, long double sv, long double sw) {
        o += formatFixed(z, 10, 3);
        o += ';';
        o += formatFixed(rho, 8, 1);
        o += ';';
        o += formatFixed(sv, 10, 0);
        o += ';';
        o += formatFixed(sw, 10, 0);
        o += "\r\n";
    };
    for (int i = 1; i <= total; ++i) {
        // The two slices at each junction of sections give no row.
        if ((shaftRows && i < s) || (hopperRows && s + 1 < i && i < s + t) ||
            (belowRows && i > s + t + 1)) {
            row(m.Zlauf, m.RHOB[i], m.SIGMAV[i - 1], m.SIGMAW[i - 1]);
        }
        m.Zlauf -= static_cast<double>(m.Dz[i]);
    }
    row(m.Zlauf, m.RHOB[last], m.SIGMAV[last], m.SIGMAW[last]);
    return o;
}

bool Ergebnisdatei_schreiben(SiloModel& m, const std::string& path, FileError& err) {
    return writeAtomically(path, resultFileText(m), err);
}

// ---------------------------------------------------------------------------
// Data folders
// ---------------------------------------------------------------------------

DataFolders resolveDataFolders(const std::string& programDir, const std::string& documentsDir) {
    DataFolders f;
    f.Programmordner = programDir;
    if (f.Programmordner.empty() || f.Programmordner.back() != '/') f.Programmordner += '/';
    f.Datenordner = f.Programmordner;

    const std::string marker = f.Programmordner + "FOLDER.DAT";
    std::ifstream in(marker, std::ios::binary);
    if (in.is_open()) {
        std::string first;
        struct stat st{};
        if (::stat(marker.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
            std::getline(in, first);
            if (in.bad()) first.clear();
            // A file written with CR LF line ends carries the CR before the LF.
            if (!first.empty() && first.back() == '\r') first.pop_back();
        }
        if (first != "Korvane") {
            f.markerInvalid = true;
        } else {
            std::string docs = documentsDir;
            if (docs.empty() || docs.back() != '/') docs += '/';
            f.Datenordner = docs + "Korvane/";
        }
    }
    f.Parameterordner = f.Datenordner + "Par/";
    f.Ergebnisordner = f.Datenordner + "Output/";
    f.Flyerordner = f.Datenordner + "Flyer/";
    return f;
}

}  // namespace korvane
