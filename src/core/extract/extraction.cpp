#include "core/extract/extraction.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <exception>
#include <filesystem>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "core/extract/excitedstates.hpp"
#include "core/extract/frequencies.hpp"
#include "core/extract/geometry.hpp"
#include "core/extract/mulliken.hpp"
#include "core/extract/orbitals.hpp"
#include "core/extract/route.hpp"
#include "core/extract/thermochemistry.hpp"
#include "core/files/filetext.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

bool isOutputFileName(std::string_view name) {
    if (name.size() < 4)
        return false;
    std::string ext = foldCase(name.substr(name.size() - 4));
    return ext == ".out" || ext == ".log";
}

namespace {

constexpr int kMsgMissing = 131;
constexpr double kAuToDebye = 2.541474;
// Files up to this size are read and parsed one ahead of the one in use.
constexpr std::uintmax_t kParseAheadBytes = 256ull << 20;

// What one output file gives, before it takes its place in the tables.  The
// Mulliken lists and the formula are settled later, in list order, because a
// file without a Mulliken block carries the previous file's lists.
struct ParsedFile {
    std::optional<std::string> readError;  // the file could not be opened or read
    bool ok = false;                       // normally terminated and its archive readable
    bool isScan = false;
    std::array<std::string, kResultColumns> cells;  // columns 2..21 of its row
    std::string stoichiometry;                      // archive field 6 of section 0
    std::optional<MullikenCharges> mulliken;        // its own Mulliken block
    FileDetail detail;                              // all lists but the Mulliken ones
};

// The message lookup as the parsing threads see it: the messages they need,
// fetched before the run, and any other one through a lock.
class SharedMessages {
  public:
    explicit SharedMessages(const MessageLookup& messages) : messages_(messages) {
        for (int n : {kMsgMissing, kMsgOccupied, kMsgVirtual}) known_[n] = fetch(n);
    }
    MessageLookup lookup() const {
        return [this](int n) {
            auto it = known_.find(n);
            if (it != known_.end())
                return it->second;
            std::lock_guard<std::mutex> lock(mutex_);
            return fetch(n);
        };
    }

  private:
    std::string fetch(int n) const { return messages_ ? messages_(n) : std::string(); }

    MessageLookup messages_;
    std::map<int, std::string> known_;
    mutable std::mutex mutex_;
};

// The text from the last occurrence of `anchor` that begins a word (the byte
// before it is no letter or digit), or the empty text.  Gaussian prints
// "NTot=" in its integration-grid lines and "steps=" in every optimisation;
// taken for the dipole total "Tot=" or the solvent's "Eps=", they put grid
// sizes and step limits into the table.
TextRef fromLastWord(TextRef text, std::string_view anchor) {
    // A megabyte at a time from the end, each block searched forwards for
    // its last good occurrence.
    const std::string needle = foldCase(anchor);
    const std::string_view hay = text.folded();
    constexpr std::size_t kBlock = std::size_t(1) << 20;
    std::size_t end = hay.size();  // occurrences starting in [begin, end)
    while (end > 0 && !needle.empty()) {
        const std::size_t begin = end > kBlock ? end - kBlock : 0;
        const std::size_t limit = std::min(hay.size(), end + needle.size() - 1);
        std::size_t found = TextRef::npos;
        for (std::size_t at = begin; at < end;) {
            const void* hit = ::memmem(hay.data() + at, limit - at, needle.data(), needle.size());
            if (!hit)
                break;
            const std::size_t pos =
                static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
            if (pos == 0 || !std::isalnum(static_cast<unsigned char>(hay[pos - 1])))
                found = pos;
            at = pos + 1;
        }
        if (found != TextRef::npos)
            return text.sub(found);
        end = begin;
    }
    return {};
}

// The steps of a normally terminated file.  Returns false when its archive
// entry is missing or malformed, or its charge and multiplicity are not two
// integers: the file is then marked as failed.
bool parseArchiveAndQuantities(TextRef text, const MessageLookup& msg, char sep, ParsedFile& p) {
    const std::string archive = entradaarchivo(text, true);
    if (archive.empty())
        return false;
    const std::vector<std::string_view> sections = splitText(archive, "||");
    if (sections.size() < 4)
        return false;
    const std::vector<std::string_view> header = splitText(sections[0], "|");
    if (header.size() < 7)
        return false;
    p.stoichiometry = std::string(header[6]);

    // Route and job type.
    const RouteAnalysis route = analizarruta(sections[1]);
    const bool isScan = contienetexto(route.keywords, "scan");
    const bool isPolar = contienetexto(route.keywords, "polar");
    const bool isVolume = contienetexto(route.keywords, "volume");
    const bool isOpt = contienetexto(route.keywords, "opt");
    const bool isScrf = contienetexto(route.keywords, "scrf");
    const bool isFreq = contienetexto(route.keywords, "freq");
    const bool isTD = contienetexto(route.keywords, "td");

    // Charge and multiplicity.
    const std::vector<std::string_view> molecule = splitText(sections[3], "|");
    const std::vector<std::string_view> cm = splitText(molecule[0], ",");
    if (cm.size() < 2)
        return false;
    const auto charge = toInt16(cm[0]);
    const auto multiplicity = toInt16(cm[1]);
    if (!charge || !multiplicity)
        return false;

    // Mulliken lists and CPU time.
    if (MullikenCharges m; cargasmulliken(text, m))
        p.mulliken = std::move(m);
    const std::string cpu = tiempocpu(textoentre(text, "Job cpu time", kCrLf, false), sep);

    if (isScan) {
        p.isScan = true;
        return true;
    }

    FileDetail& d = p.detail;
    d.geometry = isOpt ? geometriaoptimizada(text, molecule) : geometriaentrada(molecule);

    const FoldedText folded(archive);
    const TextRef ar = folded.ref();

    // Dipole moment: the archive's components (atomic units) in debye, or the
    // total that the population analysis prints.
    double dipole = 0.0;
    std::string_view dipoleText = textoentre(ar, "|Dipole=", "|", false).text();
    if (!dipoleText.empty()) {
        std::vector<double> v = leercomponentes(dipoleText, 3);
        dipole = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]) * kAuToDebye;
    } else {
        dipole = numeroentre(fromLastWord(text, "Tot="), "Tot=", kCrLf, false);
        dipoleText = "D";
    }

    const std::string pointGroup(trimBlanks(textoentre(ar, "|PG=", "|", false).text()));

    double energy = 0.0;
    double energyOpt = 0.0;
    if (isOpt) {
        energy = primernumerotras(text, "SCF Done:", " ", false);
        energyOpt = numeroentre(ar, "|HF=", "|", false);
    } else {
        energy = numeroentre(ar, "|HF=", "|", false);
    }
    const double methodEnergy = energiametodo(ar, route.method);

    OrbitalEnergies orbitals = energiasorbitales(text, msg);
    d.orbitalLabels = std::move(orbitals.labels);
    d.orbitalSymmetries = std::move(orbitals.symmetries);
    d.orbitalEnergies = std::move(orbitals.energies);

    // The polarizability is read from the joined archive entry: in the file
    // text its archive lines are still wrapped, which would cut a component
    // short at the line break.
    if (isPolar) {
        std::vector<double> v = leercomponentes(textoentre(ar, "|polar=", "|", false).text(), 6);
        for (std::size_t i = 0; i < 6; ++i) d.polar[i] = v[i];
    }
    d.polarFound = isPolar;

    const double r2 = primernumerotras(text, "Electronic spatial extent (au)", "=", true);

    double eps = 0, rsolv = 0, nonElectrostatic = 0, cavitation = 0, deltaG = 0;
    if (isScrf) {
        eps = primernumerotras(fromLastWord(text, "EPS="), "EPS=", " ", false);
        rsolv = primernumerotras(text, "RSolv=", " ", true);
        nonElectrostatic = primernumerotras(text, "with all non electrostatic terms", " ", true);
        cavitation = primernumerotras(text, "Cavitation energy", "=", true);
        deltaG = primernumerotras(text, "DeltaG", "=", false);
    }
    double volume = 0, a0 = 0;
    if (isVolume) {
        volume = primernumerotras(text, "Molar volume", " ", true);
        a0 = primernumerotras(text, "Recommended a0 for SCRF calculation", " ", true);
    }

    d.freqFound = isFreq;
    d.frequencies = isFreq ? frecuencias(text) : FrequencyTable(1, FrequencyMode{});
    d.thermo = isFreq ? termoquimica(text) : ThermoTable(1, ThermoLine{});

    ExcitedStates excited = isTD ? estadosexcitados(text) : ExcitedStates{};
    d.tdFound = isTD;
    d.states = std::move(excited.states);
    for (const auto& t : excited.transitions) {
        d.transitionTexts.push_back({t.stateText, t.orbitals});
        d.transitionNumbers.push_back({t.state, t.target});
    }

    const std::string missing = msg(kMsgMissing);
    auto num = [&](double v) { return formatNumber(v, sep); };
    auto numOrMissing = [&](double v) { return v == 0.0 ? missing : num(v); };
    auto& c = p.cells;
    c[2] = route.method;
    c[3] = route.basis;
    c[4] = std::to_string(*charge) + "  " + std::to_string(*multiplicity);
    c[5] = pointGroup;
    c[6] = numOrMissing(energy);
    // A relaxed scan (opt=modredundant) stores a list of energies under
    // "HF=", which reads as 0: that is no energy, and is written as missing.
    c[7] = isOpt ? numOrMissing(energyOpt) : missing;
    c[8] = numOrMissing(methodEnergy);
    c[9] = num(orbitals.homo);
    c[10] = num(orbitals.lumo);
    c[11] = dipoleText.empty() ? missing : num(dipole);
    c[12] = isVolume ? num(volume) : missing;
    c[13] = isVolume ? num(a0) : missing;
    c[14] = numOrMissing(r2);
    const double scrf[5] = {eps, rsolv, nonElectrostatic, cavitation, deltaG};
    for (std::size_t i = 0; i < 5; ++i) c[15 + i] = isScrf ? num(scrf[i]) : missing;
    c[20] = cpu;
    c[21] = "OK";
    return true;
}

// Reads one file normalised in memory and parses it.  Nothing the file holds
// may end the run: any failure makes it a failed file.
ParsedFile parseFile(const std::string& path, const MessageLookup& msg, char sep) {
    ParsedFile p;
    try {
        Result<FoldedText> file = readNormalised(path);
        if (!file) {
            p.readError = file.error().describe();
            return p;
        }
        const TextRef text = file->ref();
        // Anywhere in the text; looked for from the end, where a job that
        // ended normally says so.
        if (text.rfind("Normal termination") == TextRef::npos)
            return p;
        ParsedFile parsed;
        if (parseArchiveAndQuantities(text, msg, sep, parsed)) {
            parsed.ok = true;
            return parsed;
        }
    } catch (const std::exception& e) {
        p = ParsedFile{};
        p.readError = path + ": " + e.what();
    }
    return p;
}

}  // namespace

ExtractionOutcome runExtraction(const FileRows& rows, const ExtractBoxes& boxes,
                                const MessageLookup& messages, char decimalSeparator,
                                const ExtractionProgress& progress) {
    const SharedMessages shared(messages);
    const MessageLookup msg = shared.lookup();

    ExtractionOutcome out;
    out.resultTable = newResultTable(boxes);

    // The accepted files, in list order.  While one file is parsed the next
    // one is read and parsed on a second thread when the machine has one and
    // both files are of moderate size (each file is held twice in memory
    // while it is parsed, so two large ones are not read at once).
    std::vector<std::size_t> accepted;
    std::vector<std::uintmax_t> sizes;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].checked && isOutputFileName(rows[r].name)) {
            accepted.push_back(r);
            std::error_code ec;
            const std::uintmax_t size = std::filesystem::file_size(rows[r].path, ec);
            sizes.push_back(ec ? 0 : size);
        }
    }
    const bool twoThreads = std::thread::hardware_concurrency() > 1;
    auto parseAhead = [&](std::size_t j) {
        return twoThreads && j >= 1 && j < accepted.size() && sizes[j] <= kParseAheadBytes &&
               sizes[j - 1] <= kParseAheadBytes;
    };
    std::vector<std::future<ParsedFile>> parsing(accepted.size());
    auto start = [&](std::size_t j) {
        if (j >= accepted.size() || parsing[j].valid())
            return;
        const std::string path = rows[accepted[j]].path;
        parsing[j] = std::async(
            parseAhead(j) ? std::launch::async : std::launch::deferred,
            [path, &msg, decimalSeparator] { return parseFile(path, msg, decimalSeparator); });
    };

    DetailTable detail;
    MullikenCharges carried;  // a file without a Mulliken block keeps the previous lists
    std::size_t next = 0;     // index into `accepted`
    std::size_t k = 0;        // rows written
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const FileRow& row = rows[r];
        if (!row.checked)
            continue;
        if (progress && !progress(r, row.name)) {
            ExtractionOutcome cancelled;
            cancelled.cancelled = true;
            return cancelled;  // pending parses finish in the futures' destructors
        }
        if (next >= accepted.size() || accepted[next] != r)
            continue;
        start(next);
        if (parseAhead(next + 1))
            start(next + 1);
        ParsedFile p = parsing[next].get();
        ++next;

        if (p.readError)
            out.unreadable.push_back(*p.readError);
        if (p.ok && p.mulliken)
            carried = std::move(*p.mulliken);
        if (p.ok && p.isScan) {
            out.untick.push_back(r);
            out.scanMet = true;
            continue;
        }

        ++k;
        Table& t = out.resultTable;
        t.resizeRows(k + 1);
        t.set(0, k, row.name);
        if (p.ok) {
            // The formula of the file's own Mulliken block; a file without one
            // is named by its archive's stoichiometry.
            std::string formula = p.mulliken ? formulamolecular(carried.symbols) : std::string();
            t.set(1, k, formula.empty() ? p.stoichiometry : formula);
            for (std::size_t c = 2; c < kResultColumns; ++c) t.set(c, k, std::move(p.cells[c]));
            p.detail.mullikenSymbols = carried.symbols;
            p.detail.mullikenCharges = carried.charges;
            guardardetalle(detail, "OK", p.detail, boxes, msg, decimalSeparator);
        } else {
            for (std::size_t c = 1; c <= 20; ++c) t.set(c, k, "Error");
            t.set(21, k, "KO");
            guardardetalle(detail, "KO", p.detail, boxes, msg, decimalSeparator);
        }
    }
    if (detail.contadorficheros > 0)
        out.detail = std::move(detail);
    return out;
}

}  // namespace zerlant
