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

#include "core/extract/digest.hpp"
#include "core/extract/excitedstates.hpp"
#include "core/extract/frequencies.hpp"
#include "core/extract/geometry.hpp"
#include "core/extract/jobhealth.hpp"
#include "core/extract/mulliken.hpp"
#include "core/extract/orbitals.hpp"
#include "core/extract/route.hpp"
#include "core/extract/thermochemistry.hpp"
#include "core/files/filetext.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/gaussian/orientation.hpp"
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

namespace anchor = gaussian::anchor;

// Debye per atomic unit of dipole moment (e a0), CODATA 2018: 1 e a0 =
// 8.4783536255e-30 C m and 1 D = 1e-21 / 299792458 C m.
constexpr double kAuToDebye = 2.541746473;

// What one output file gives, before it takes its place in the tables.  A
// file without a Mulliken block has no charges: nothing is carried over from
// the file before it.
struct ParsedFile {
    std::optional<std::string> readError;  // the file could not be opened or read
    bool isScan = false;
    std::string stoichiometry;                // archive field 6 of section 0
    std::optional<MullikenCharges> mulliken;  // its own Mulliken block
    ExtractRecord record;                     // ok: normally terminated and its archive readable
};

// The message lookup of the run: the messages every row needs, fetched once
// before the run, and any other one through a lock.  The parsing threads
// need none: the records hold no language text.
class SharedMessages {
  public:
    explicit SharedMessages(const MessageLookup& messages) : messages_(messages) {
        // N/A, the orbital labels of the DetailTable, yes and no.
        for (MessageId id : {MessageId::NotAvailable, MessageId::Occupied, MessageId::Virtual,
                             MessageId::Yes, MessageId::No})
            known_[messageNumber(id)] = fetch(messageNumber(id));
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
    std::string fetch(int n) const { return messages_ ? messages_.byNumber(n) : std::string(); }

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
    const std::string_view hay = text.folded();
    const std::size_t at = text.rfindIf(anchor, [&](std::size_t pos) {
        return pos == 0 || !std::isalnum(static_cast<unsigned char>(hay[pos - 1]));
    });
    return at == TextRef::npos ? TextRef() : text.sub(at);
}

// Gaussian's own name of the method, from field 4 of an archive header
// ("RB3LYP", "UMP2-FC", "RTD-B3LYP-FC", "RPBE1PBE TD-FC", "ONIOM(B3LYP/6-31G(d):PM6)"),
// in the style of the route words: lower case, without the restricted "R"
// that Gaussian adds to every closed-shell method, the frozen-core suffix and
// the TD marker.  "UB3LYP" stays "ub3lyp", "ROHF" stays "rohf".
std::string headerMethod(std::string_view field) {
    std::string m = foldCase(trimBlanks(field));
    if (m.starts_with("oniom"))
        return m;
    if (const std::size_t blank = m.find(' '); blank != std::string::npos)
        m.erase(blank);  // "rpbe1pbe td-fc"
    for (std::string_view suffix : {"-fc", "(fc)", "-full", "(full)"})
        if (m.ends_with(suffix))
            m.erase(m.size() - suffix.size());
    for (std::string_view prefix : {"rotd-", "rtd-", "utd-", "td-"})
        if (m.starts_with(prefix)) {
            const std::string_view spin = prefix.substr(0, prefix.size() - 3);
            m = std::string(spin) + m.substr(prefix.size());
            break;
        }
    if (m.size() > 1 && m[0] == 'r' && m[1] != 'o')
        m.erase(0, 1);
    return m;
}

// Two spellings of one basis set: letter case aside, "6-31G*" is 6-31G(d) and
// "6-31G**" is 6-31G(d,p).
bool sameBasis(std::string_view a, std::string_view b) {
    auto canonical = [](std::string_view name) {
        std::string out = foldCase(name);
        for (std::size_t at; (at = out.find("**")) != std::string::npos;)
            out.replace(at, 2, "(d,p)");
        for (std::size_t at; (at = out.find('*')) != std::string::npos;) out.replace(at, 1, "(d)");
        return out;
    };
    return canonical(a) == canonical(b);
}

// "SCRF=Check" in the route of a step that Gaussian writes itself (the
// frequency step of "opt freq") takes the solvent of the step before: it is
// no solvation keyword of its own.
bool hasSolvation(const RouteAnalysis& route) {
    for (const auto& [name, options] : route.keywords)
        if (name == "scrf" && options != "check")
            return true;
    return false;
}

// One finished job step: its archive entry, joined, split into sections, and
// its route.
struct JobStep {
    std::size_t textBegin = 0;  // where the step's output starts in the file text
    std::size_t archiveEnd = 0;
    std::string archive;
    std::vector<std::string_view> sections;
    std::vector<std::string_view> header;
    RouteAnalysis route;
};

// The value after "|KEY=" in an archive entry, when there is one and it is a
// number ("HF=-1.5,-1.6" of a scan is a list, not one number).
std::optional<double> archiveNumber(TextRef archive, std::string_view key) {
    const std::string anchor = "|" + std::string(key) + "=";
    if (archive.find(anchor) == TextRef::npos)
        return std::nullopt;
    const TextRef cell = textoentre(archive, anchor, "|", false);
    return toDouble(trimBlanks(cell.text()));
}

// The steps of a normally terminated file.  Returns false when its archive
// entry is missing or malformed, or its charge and multiplicity are not two
// integers: the file is then marked as failed.
bool parseArchiveAndQuantities(TextRef text, ParsedFile& p) {
    std::vector<JobStep> steps;
    std::size_t stepBegin = 0;
    for (const ArchivePlace& place : archivePlaces(text)) {
        JobStep step;
        step.textBegin = stepBegin;
        step.archiveEnd = place.end;
        step.archive = joinWrappedLines(text.text().substr(place.begin, place.end - place.begin));
        stepBegin = place.end;
        steps.push_back(std::move(step));
    }
    if (steps.empty())
        return false;
    for (JobStep& step : steps) {
        step.sections = splitText(step.archive, "||");
        if (step.sections.size() >= 2)
            step.route = analizarruta(step.sections[1]);
        if (!step.sections.empty())
            step.header = splitText(step.sections[0], "|");
    }
    // Method, basis, energies, dipole, charge and point group describe the
    // final step: the last archive entry.
    const JobStep& last = steps.back();
    if (last.sections.size() < 4 || last.header.size() < 7)
        return false;
    // Field 6 is the stoichiometry; Gaussian 16 puts "TD-FC" into field 4 of a
    // TD job, after a blank, so the fields do not move.
    p.stoichiometry = std::string(last.header[6]);

    auto anyStep = [&](auto&& test) {
        return std::any_of(steps.begin(), steps.end(),
                           [&](const JobStep& s) { return test(s.route); });
    };
    auto keyword = [&](std::string_view k) {
        return anyStep([&](const RouteAnalysis& r) { return r.has(k); });
    };
    const bool isScan = keyword("scan");
    const bool isPolar = keyword("polar");
    const bool isVolume = keyword("volume");
    const bool isScrf = anyStep(hasSolvation);
    const bool isFreq = keyword("freq");
    const bool isTD = keyword("td");
    // The last optimisation step: the header's job type says what a step did
    // ("FOpt", "POpt"; a composite job repeats its route with "opt" in every
    // step), the route where no step says so (a relaxed scan is "Scan").
    const JobStep* lastOpt = nullptr;
    for (const JobStep& s : steps)
        if (s.header.size() > 3 && foldCase(s.header[3]).find("opt") != std::string::npos)
            lastOpt = &s;
    if (!lastOpt)
        for (const JobStep& s : steps)
            if (s.route.has("opt"))
                lastOpt = &s;
    const bool isOpt = lastOpt != nullptr;

    // Method and basis: the route's words; where the route names none (a
    // default HF job, a checkpoint basis, a composite or ONIOM job), the
    // archive header's fields 4 and 5 name what Gaussian ran.
    const RouteAnalysis& route = last.route;
    std::string method = route.method;
    std::string basis = route.basis;
    // The step Gaussian writes itself after an optimisation ("#N Geom=AllCheck
    // Guess=TCheck SCRF=Check GenChk RB3LYP/6-31G(d) Freq") names the user's
    // method and basis in its own spelling: the user's own, of the first step
    // that ran the same method and basis, is kept.
    for (const JobStep& s : steps) {
        if (&s == &last || s.route.method.empty() || s.route.basis.empty())
            continue;
        if (methodEnergyKey(s.route.method) == methodEnergyKey(method) &&
            sameBasis(s.route.basis, basis)) {
            method = s.route.method;
            basis = s.route.basis;
            break;
        }
    }
    if (route.oniom || method.empty())
        method = headerMethod(last.header[4]);
    if (route.oniom || basis.empty())
        basis = std::string(trimBlanks(last.header[5]));

    // Charge and multiplicity.
    const std::vector<std::string_view> molecule = splitText(last.sections[3], "|");
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
    //   " Job cpu time:       0 days  0 hours  1 minutes 23.4 seconds."
    const CpuTime cpu = readCpuTime(textoentre(text, anchor::kJobCpuTime, kCrLf, false));

    if (isScan) {
        p.isScan = true;
        return true;
    }

    ExtractRecord& rec = p.record;
    FileDetail& d = rec.detail;
    if (isOpt) {
        // The geometry of the last optimisation step: its output ends with
        // its archive entry.
        const std::vector<std::string_view> optMolecule =
            lastOpt->sections.size() >= 4 ? splitText(lastOpt->sections[3], "|") : molecule;
        d.geometry = geometriaoptimizada(text.sub(0, lastOpt->archiveEnd), optMolecule);
    } else {
        d.geometry = geometriaentrada(molecule);
    }
    // The numbers: what the step printed in Cartesian coordinates, never the
    // archive's lines, which may be a Z-matrix.
    if (auto g = lastGeometry(text.text().substr(0, isOpt ? lastOpt->archiveEnd : last.archiveEnd)))
        d.atoms = std::move(g->atoms);

    const FoldedText folded(last.archive);
    const TextRef ar = folded.ref();

    // Dipole moment: the archive's components (atomic units) in debye, or the
    // total that the population analysis prints.
    //   "|Dipole=0.,0.,-0.8110418|"
    //   " Dipole moment (field-independent basis, Debye):"
    //   "    X=              0.0000    Y=              0.0000    Z=             -2.0615 Tot=
    //   2.0615"
    std::optional<double> dipole;
    std::string_view dipoleText = textoentre(ar, "|Dipole=", "|", false).text();
    if (!dipoleText.empty()) {
        std::vector<double> v = leercomponentes(dipoleText, 3);
        dipole = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]) * kAuToDebye;
    } else if (TextRef tot = fromLastWord(text, anchor::kDipoleTotal); !tot.empty()) {
        dipole = numeroentre(tot, anchor::kDipoleTotal, kCrLf, false);
    }

    const std::string pointGroup(trimBlanks(textoentre(ar, "|PG=", "|", false).text()));

    // Energies: the optimised energy from the last optimisation step's entry,
    // the start energy from the first "SCF Done:" of that step.
    //   " SCF Done:  E(RB3LYP) =  -382.308266566     A.U. after   11 cycles"
    std::optional<double> energy;
    std::optional<double> energyOpt;
    if (isOpt) {
        const TextRef optText =
            text.sub(lastOpt->textBegin, lastOpt->archiveEnd - lastOpt->textBegin);
        if (optText.find(anchor::kScfDone) != TextRef::npos)
            energy = primernumerotras(optText, anchor::kScfDone, " ", false);
        const FoldedText optArchive(lastOpt->archive);
        energyOpt = archiveNumber(optArchive.ref(), "HF");
    } else {
        energy = archiveNumber(ar, "HF");
    }
    // The energy of the method that ran: under its own key, else under HF.
    std::optional<double> methodEnergy = archiveNumber(ar, methodEnergyKey(method));
    if (!methodEnergy || *methodEnergy == 0.0)
        methodEnergy = archiveNumber(ar, "HF");

    OrbitalEnergies orbitals = energiasorbitales(text);
    d.orbitalKinds = std::move(orbitals.kinds);
    d.orbitalSymmetries = std::move(orbitals.symmetries);
    d.orbitalEnergies = std::move(orbitals.energies);

    // The polarizability is read from the joined archive entry: in the file
    // text its archive lines are still wrapped, which would cut a component
    // short at the line break.  The last step that prints one holds it.
    if (isPolar) {
        for (auto s = steps.rbegin(); s != steps.rend(); ++s) {
            const FoldedText stepArchive(s->archive);
            const TextRef polar = textoentre(stepArchive.ref(), "|polar=", "|", false);
            if (polar.empty())
                continue;
            std::vector<double> v = leercomponentes(polar.text(), 6);
            for (std::size_t i = 0; i < 6; ++i) d.polar[i] = v[i];
            break;
        }
    }
    d.polarFound = isPolar;

    auto lastNumberAfter = [&](std::string_view anchor,
                               std::string_view separator) -> std::optional<double> {
        if (text.rfind(anchor) == TextRef::npos)
            return std::nullopt;
        return primernumerotras(text, anchor, separator, true);
    };
    const std::optional<double> r2 = lastNumberAfter(anchor::kSpatialExtent, "=");

    // Solvation.  Gaussian 03 prints every term; Gaussian 09 and 16 print the
    // solvent's constant, and for SMD the non-electrostatic terms, which they
    // fold into the SCF energy:
    //   " Solvent              : Water, Eps=  78.355300 Eps(inf)=   1.777849"
    //   " PCM non-electrostatic energy =        -0.0013470649 Hartrees."
    //   " SMD-CDS (non-electrostatic) energy       (kcal/mol) =      -0.85"
    std::optional<double> eps, rsolv, nonElectrostatic, cavitation, deltaG;
    if (isScrf) {
        if (TextRef e = fromLastWord(text, anchor::kEps); !e.empty())
            eps = primernumerotras(e, anchor::kEps, " ", false);
        rsolv = lastNumberAfter(anchor::kRSolv, " ");
        nonElectrostatic = lastNumberAfter(anchor::kNonElectrostatic, " ");
        if (!nonElectrostatic && text.rfind(anchor::kPcmNonElectrostatic) != TextRef::npos)
            nonElectrostatic = lastNumberAfter(anchor::kScfDone, " ");
        cavitation = lastNumberAfter(anchor::kCavitation, "=");
        if (text.find(anchor::kDeltaG) != TextRef::npos)
            deltaG = primernumerotras(text, anchor::kDeltaG, "=", false);
    }
    std::optional<double> volume, a0;
    if (isVolume) {
        volume = lastNumberAfter(anchor::kMolarVolume, " ");
        a0 = lastNumberAfter(anchor::kRecommendedA0, " ");
    }

    d.freqFound = isFreq;
    if (isFreq) {
        std::optional<NormalModes> modes = lastNormalModes(text);
        d.frequencies = frequencyTable(modes);
        if (modes)
            for (NormalMode& m : modes->modes)
                d.displacements.push_back(std::move(m.displacements));
    } else {
        d.frequencies = FrequencyTable(1, kModeNotPrinted);
    }
    d.thermo = isFreq ? termoquimica(text) : termoquimica(TextRef());

    ExcitedStates excited = isTD ? estadosexcitados(text) : ExcitedStates{};
    d.tdFound = isTD;
    d.states = std::move(excited.states);
    for (const auto& t : excited.transitions) {
        d.transitionTexts.push_back({t.stateText, t.orbitals});
        d.transitionNumbers.push_back({t.state, t.target});
    }

    // Energies of 0 are no energies (a relaxed scan's list under "HF=").
    auto energyOf = [](const std::optional<double>& v) {
        return v && *v != 0.0 ? v : std::nullopt;
    };
    rec.method = method;
    rec.basis = basis;
    rec.charge = *charge;
    rec.multiplicity = *multiplicity;
    rec.pointGroup = pointGroup;
    rec.energy = energyOf(energy);
    rec.energyOpt = isOpt ? energyOf(energyOpt) : std::nullopt;
    rec.methodEnergy = energyOf(methodEnergy);
    if (orbitals.homoFound)
        rec.homo = orbitals.homo;
    if (orbitals.lumoFound)
        rec.lumo = orbitals.lumo;
    rec.dipole = dipole;
    rec.volume = volume;
    rec.a0 = a0;
    rec.r2 = r2 && *r2 != 0.0 ? r2 : std::nullopt;
    rec.eps = eps;
    rec.rsolv = rsolv;
    rec.nonElectrostatic = nonElectrostatic;
    rec.cavitation = cavitation;
    rec.deltaG = deltaG;
    rec.cpuTime = cpu;
    return true;
}

// A failed file keeps the last geometry it printed and the last SCF energy,
// to restart from; they are no converged structure, and are written as such.
//   " SCF Done:  E(RB3LYP) =  -382.308266566     A.U. after   11 cycles"
void keepLastStep(TextRef text, ExtractRecord& record) {
    record.detail.geometry = geometriaoptimizada(text, std::vector<std::string_view>{});
    if (auto g = lastGeometry(text.text()))
        record.detail.atoms = std::move(g->atoms);
    if (record.detail.geometry.empty() && record.detail.atoms.empty())
        return;
    record.lastStepOnly = true;
    if (text.rfind(anchor::kScfDone) != TextRef::npos)
        record.energy = primernumerotras(text, anchor::kScfDone, " ", true);
}

// Parses the parts of one file that the parsers reach, normalised in memory;
// a failed file keeps its last step.
ParsedFile parseOutput(Result<FoldedText> file) {
    ParsedFile p;
    if (!file) {
        p.readError = file.error().describe();
        return p;
    }
    const TextRef text = file->ref();
    // Anywhere in the text; looked for from the end, where a job that
    // ended normally says so.
    if (text.rfind(anchor::kNormalTermination) != TextRef::npos) {
        ParsedFile parsed;
        if (parseArchiveAndQuantities(text, parsed)) {
            parsed.record.ok = true;
            return parsed;
        }
    }
    keepLastStep(text, p.record);
    return p;
}

// The text the parsers read and the job health, read from the file as it is
// on disk line by line, in the same one pass where the digest can stand in
// for the file.
Result<JobHealth> readWithHealth(const std::string& path, Result<FoldedText>& text) {
    JobHealthReader health;
    Result<std::optional<FoldedText>> digest =
        readDigest(path, [&](std::string_view piece) { health.feed(piece); });
    if (!digest)
        return digest.error();
    if (!*digest) {
        Result<JobHealth> whole = jobHealthOfFile(path);
        if (whole)
            text = readNormalised(path);
        return whole;
    }
    text = std::move(**digest);
    return finishJobHealthOfFile(health, path);
}

// parseOutput, and the job health when one of its columns is chosen.
// Nothing the file holds may end the run: any failure makes it a failed file.
ParsedFile parseFile(const std::string& path, bool withHealth) {
    ParsedFile p;
    try {
        if (!withHealth)
            return parseOutput(readParsedText(path));
        Result<FoldedText> text = Error{"not read", path};
        Result<JobHealth> health = readWithHealth(path, text);
        if (!health) {
            p.readError = health.error().describe();
            return p;
        }
        p = parseOutput(std::move(text));
        p.record.health = std::move(*health);
    } catch (const std::exception& e) {
        p = ParsedFile{};
        p.readError = path + ": " + e.what();
    }
    return p;
}

bool anyBlockTicked(const ExtractBoxes& boxes) {
    for (const DetailBlock& b : kDetailBlocks)
        if (boxes.ticked(b.box))
            return true;
    return false;
}

// Frees the lists of the blocks nobody asked for.  The Mulliken atoms stay:
// the formula is theirs.
void dropUntickedBlocks(FileDetail& d, const ExtractBoxes& boxes) {
    auto drop = [](auto& list) { std::decay_t<decltype(list)>().swap(list); };
    if (!boxes.ticked(ExtractBox::Orbitals)) {
        drop(d.orbitalKinds);
        drop(d.orbitalSymmetries);
        drop(d.orbitalEnergies);
    }
    if (!boxes.ticked(ExtractBox::Geometry)) {
        drop(d.geometry);
        drop(d.atoms);
    }
    if (!boxes.ticked(ExtractBox::Freq)) {
        drop(d.frequencies);
        drop(d.displacements);
    }
    if (!boxes.ticked(ExtractBox::Thermo))
        drop(d.thermo);
    if (!boxes.ticked(ExtractBox::TD)) {
        drop(d.states);
        drop(d.transitionTexts);
        drop(d.transitionNumbers);
    }
}

}  // namespace

ExtractionOutcome runExtraction(const FileRows& rows, const ExtractBoxes& boxes,
                                const MessageLookup& messages, char decimalSeparator,
                                const ExtractionProgress& progress, std::size_t jobs,
                                ExtractionKeeps keeps, const ExtractionRowSink& sink) {
    const SharedMessages shared(messages);
    const MessageLookup msg = shared.lookup();

    ExtractionOutcome out;
    out.resultTable = newResultTable(boxes);
    bool withHealth = false;
    for (const ExtractQuantity& q : kExtractQuantities)
        withHealth = withHealth || (q.onlyWhenNamed && boxes.ticked(q.box));
    const CellFormat format{decimalSeparator, msg(MessageId::NotAvailable), msg(MessageId::Yes),
                            msg(MessageId::No)};

    // The accepted files, in list order.  They are read and parsed on up to
    // `jobs` threads at once, and taken into the tables in list order; at
    // most `jobs` files are in memory at a time.
    std::vector<std::size_t> accepted;
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (rows[r].checked && isOutputFileName(rows[r].name))
            accepted.push_back(r);
    const std::size_t inFlight = std::max<std::size_t>(
        1, jobs != 0 ? jobs : std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::future<ParsedFile>> parsing(accepted.size());
    auto start = [&](std::size_t j) {
        if (j >= accepted.size() || parsing[j].valid())
            return;
        const std::string path = rows[accepted[j]].path;
        parsing[j] = std::async(inFlight > 1 ? std::launch::async : std::launch::deferred,
                                [path, withHealth] { return parseFile(path, withHealth); });
    };
    for (std::size_t j = 0; j < inFlight; ++j) start(j);

    DetailTable detail;
    std::size_t next = 0;  // index into `accepted`
    std::size_t k = 0;     // rows written
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
        ParsedFile p = parsing[next].get();
        ++next;
        start(next + inFlight - 1);

        if (p.readError)
            out.unreadable.push_back(*p.readError);
        if (p.record.ok && p.isScan) {
            out.untick.push_back(r);
            out.scanMet = true;
            continue;
        }

        ++k;
        ExtractRecord& record = p.record;
        record.file = row.name;
        if (record.ok) {
            // The formula of the file's own Mulliken block; a file without one
            // is named by its archive's stoichiometry.
            std::string formula =
                p.mulliken ? formulamolecular(p.mulliken->symbols) : std::string();
            record.formula = formula.empty() ? p.stoichiometry : formula;
            if (p.mulliken) {
                record.detail.mullikenSymbols = std::move(p.mulliken->symbols);
                record.detail.mullikenCharges = std::move(p.mulliken->charges);
            }
        }
        // A row handed on is laid out in tables of its own, exactly as it
        // would stand in the run's tables.
        Table ownRow;
        DetailTable ownDetail;
        Table& resultRows = sink ? ownRow : out.resultTable;
        DetailTable& details = sink ? ownDetail : detail;
        std::size_t at = k;
        if (sink) {
            ownRow = out.resultTable;
            at = 1;
        }
        resultRows.resizeRows(at + 1);
        writeResultRow(resultRows, at, record, format);
        const bool keepBlocks = keeps == ExtractionKeeps::Everything || anyBlockTicked(boxes);
        if (keeps == ExtractionKeeps::TickedBlocks)
            dropUntickedBlocks(record.detail, boxes);
        if (keepBlocks)
            guardardetalle(details, record.ok ? "OK" : "KO", record.detail, boxes, msg,
                           decimalSeparator);
        if (sink)
            sink(ExtractedRow{r, record, ownRow, ownDetail});
        else
            out.records.push_back(std::move(record));
    }
    out.rowCount = k;
    if (detail.contadorficheros > 0)
        out.detail = std::move(detail);
    return out;
}

}  // namespace zerlant
