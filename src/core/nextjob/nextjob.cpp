#include "core/nextjob/nextjob.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/extract/extraction.hpp"
#include "core/extract/jobhealth.hpp"
#include "core/files/filetext.hpp"
#include "core/gaussian/jobecho.hpp"
#include "core/text/numbers.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant {

namespace {

namespace fs = std::filesystem;

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The route split into keywords at blanks outside parentheses:
// "#p opt=(ts, calcfc) freq b3lyp/6-31g(d)" -> "#p", "opt=(ts, calcfc)", "freq", ...
std::vector<std::string> keywordsOf(std::string_view route) {
    std::vector<std::string> out;
    std::string word;
    int depth = 0;
    for (char c : route) {
        if (c == '(')
            ++depth;
        if (c == ')' && depth > 0)
            --depth;
        if (c == ' ' && depth == 0) {
            if (!word.empty())
                out.push_back(std::move(word));
            word.clear();
            continue;
        }
        word += c;
    }
    if (!word.empty())
        out.push_back(std::move(word));
    return out;
}

// The keyword's name: "opt=(ts,calcfc)" -> "opt".
std::string nameOf(std::string_view keyword) {
    return foldCase(keyword.substr(0, keyword.find_first_of("=(")));
}

// The options of a keyword: "opt=(ts, calcfc)" or "opt(ts)" or "opt=ts" -> "ts", "calcfc".
std::vector<std::string> optionsOf(std::string_view keyword) {
    std::vector<std::string> out;
    const auto at = keyword.find_first_of("=(");
    if (at == std::string_view::npos)
        return out;
    std::string_view rest = keyword.substr(at + 1);
    if (!rest.empty() && rest.front() == '(')
        rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == ')')
        rest.remove_suffix(1);
    std::string item;
    for (char c : rest) {
        if (c == ',') {
            if (!item.empty())
                out.push_back(item);
            item.clear();
        } else if (c != ' ') {
            item += c;
        }
    }
    if (!item.empty())
        out.push_back(item);
    return out;
}

std::string keywordWith(const std::string& name, const std::vector<std::string>& options) {
    if (options.empty())
        return name;
    std::string out = name + "=(";
    for (std::size_t i = 0; i < options.size(); ++i) out += (i ? "," : "") + options[i];
    return out + ")";
}

class Route {
  public:
    explicit Route(std::string_view text) : words_(keywordsOf(text)) {}
    bool has(std::string_view name) const {
        return std::any_of(words_.begin(), words_.end(),
                           [&](const std::string& w) { return nameOf(w) == name; });
    }
    std::vector<std::string> options(std::string_view name) const {
        for (const std::string& w : words_)
            if (nameOf(w) == name)
                return optionsOf(w);
        return {};
    }
    void remove(std::string_view name) {
        std::erase_if(words_, [&](const std::string& w) {
            return nameOf(w) == foldCase(name) && w.front() != '#';
        });
    }
    // Sets a keyword with its options, in place of one of the same name.
    void set(const std::string& keyword) {
        const std::string name = nameOf(keyword);
        for (std::string& w : words_)
            if (nameOf(w) == name && w.front() != '#') {
                w = keyword;
                return;
            }
        words_.push_back(keyword);
    }
    // A basis or ECP section follows the geometry: "gen", "genecp",
    // "b3lyp/gen", "pseudo=read".
    bool readsBasis() const {
        for (const std::string& w : words_) {
            const std::string l = foldCase(w);
            const std::string basis =
                l.substr(l.find('/') == std::string::npos ? 0 : l.find('/') + 1);
            if (basis == "gen" || basis == "genecp" || l.rfind("pseudo=read", 0) == 0 ||
                l.rfind("pseudo=(read", 0) == 0)
                return true;
        }
        return false;
    }
    std::string text() const {
        std::string out;
        for (const std::string& w : words_) out += (out.empty() ? "" : " ") + w;
        if (out.empty() || out.front() != '#')
            out = "# " + out;
        return out;
    }

  private:
    std::vector<std::string> words_;
};

// An option list with `option` (its name before '=') set.
void setOption(std::vector<std::string>& options, const std::string& option) {
    const std::string name = foldCase(option.substr(0, option.find('=')));
    for (std::string& o : options)
        if (foldCase(o.substr(0, o.find('='))) == name) {
            o = option;
            return;
        }
    options.push_back(option);
}

// A coordinate as an input line writes it: fixed, 8 decimals.
std::string coordinate(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%14.8f", v);
    return buffer;
}

std::string stemOf(const std::string& path) {
    return fs::path(path).stem().string();
}

// The imaginary modes (index into the record's modes), most negative first.
std::vector<std::size_t> imaginaryModes(const FileDetail& d) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < d.frequencies.size(); ++i)
        if (!std::isnan(d.frequencies[i][0]) && d.frequencies[i][0] < 0)
            out.push_back(i);
    std::sort(out.begin(), out.end(), [&](std::size_t a, std::size_t b) {
        return d.frequencies[a][0] < d.frequencies[b][0];
    });
    return out;
}

// The job's own input beside the output (same stem, .gjf or .com): the
// text after the blank line that ends its molecule section, which
// holds the basis and ECP sections, ModRedundant lines, solvent parameters
// and later --Link1-- steps.  nullopt without such an input.
std::optional<std::string> inputTail(const std::string& outputPath) {
    const fs::path out(outputPath);
    for (const char* ext : {".gjf", ".com", ".GJF", ".COM"}) {
        fs::path input = out;
        input.replace_extension(ext);
        auto bytes = readFileBytes(input.string());
        if (!bytes)
            continue;
        // Link 0 and route, title, charge and atoms: three blank-line ends.
        std::string text = *bytes;
        std::erase(text, '\r');
        std::size_t pos = 0;
        int blanks = 0;
        while (blanks < 3) {
            const auto end = text.find('\n', pos);
            if (end == std::string::npos)
                return std::string();
            const std::string_view line(text.data() + pos, end - pos);
            if (line.find_first_not_of(" \t") == std::string_view::npos)
                ++blanks;
            pos = end + 1;
        }
        return text.substr(pos);
    }
    return std::nullopt;
}

}  // namespace

Diagnosis diagnose(const JobHealth& health, std::string_view route) {
    const std::string& reason = health.reason;
    const bool optimising = contains(route, "opt");
    if (reason.empty()) {
        const int nimag = health.nimag.value_or(0);
        const bool ts = contains(route, "ts") || contains(route, "qst");
        if (ts && optimising && nimag > 1)
            return Diagnosis::TransitionStateExtraModes;
        if (!ts && nimag > 0)
            return Diagnosis::ImaginaryMinimum;
        return Diagnosis::Finished;
    }
    if (reason.rfind("l1:", 0) == 0 || reason.rfind("l101:", 0) == 0 ||
        reason.rfind("l301:", 0) == 0)
        return Diagnosis::InputError;
    if (reason.rfind("l502:", 0) == 0 || contains(reason, "SCF has not converged") ||
        contains(reason, "Convergence failure"))
        return Diagnosis::ScfNotConverged;
    if (optimising && (reason == "no termination line" || contains(reason, "l9999") ||
                       contains(reason, "Number of steps exceeded") || contains(reason, "l103:")))
        return Diagnosis::OptimisationStopped;
    return Diagnosis::OtherFailure;
}

NextJob planNextJob(const std::string& outputPath, std::string_view bytes,
                    const ExtractRecord& record, const NextJobOptions& options) {
    NextJob job;
    const JobEcho echo = readJobEcho(bytes);
    const JobHealth health = record.health ? *record.health : jobHealth(bytes);
    const std::string lowered = lowerRoute(echo);
    job.diagnosis = diagnose(health, lowered);
    const FileDetail& d = record.detail;

    if (d.atoms.empty() || std::any_of(d.atoms.begin(), d.atoms.end(),
                                       [](const CartesianAtom& a) { return a.symbol.empty(); })) {
        job.refusal = "no Cartesian geometry printed";
        return job;
    }
    const std::optional<int> charge = echo.charge ? echo.charge : std::optional<int>();
    const std::optional<int> multiplicity = echo.multiplicity;
    if (!charge || !multiplicity) {
        job.refusal = "no charge and multiplicity echoed";
        return job;
    }
    if (echo.route.empty()) {
        job.refusal = "no route echoed";
        return job;
    }

    Route route(options.route ? std::string_view(*options.route) : std::string_view(echo.route));
    std::string title = echo.title.empty() ? std::string("next job") : echo.title;
    std::vector<std::vector<CartesianAtom>> geometries{d.atoms};
    std::vector<std::string> suffixes{""};

    if (record.lastStepOnly || !record.ok) {
        title += " (from the last geometry of a job that did not end normally)";
    }
    if (options.fix) {
        switch (job.diagnosis) {
            case Diagnosis::Finished:
                job.summary = "ended normally: nothing to fix";
                break;
            case Diagnosis::InputError:
                job.refusal = "an input error, which a new geometry cannot mend: " + health.reason;
                return job;
            case Diagnosis::OtherFailure:
                job.refusal = "no fix is known for: " + health.reason;
                return job;
            case Diagnosis::OptimisationStopped: {
                std::vector<std::string> opt = route.options("opt");
                setOption(opt, "calcfc");
                setOption(opt, "maxcycles=" + std::to_string(options.maxCycles));
                route.set(keywordWith("opt", opt));
                job.summary = "optimisation restarted from its last geometry";
                break;
            }
            case Diagnosis::ScfNotConverged: {
                std::vector<std::string> scf = route.options("scf");
                setOption(scf, options.scf);
                route.set(keywordWith("scf", scf));
                job.summary = "SCF given scf=" + options.scf;
                break;
            }
            case Diagnosis::ImaginaryMinimum:
            case Diagnosis::TransitionStateExtraModes: {
                std::vector<std::size_t> modes = imaginaryModes(d);
                const bool ts = job.diagnosis == Diagnosis::TransitionStateExtraModes;
                if (ts && !modes.empty())
                    modes.erase(modes.begin());  // the reaction mode stays
                if (modes.empty()) {
                    job.refusal = "the imaginary modes are not printed";
                    return job;
                }
                for (std::size_t m : modes)
                    if (m >= d.displacements.size() ||
                        d.displacements[m].size() != d.atoms.size()) {
                        job.refusal = "the displacements of the imaginary modes are not printed";
                        return job;
                    }
                geometries.clear();
                suffixes.clear();
                for (int sign :
                     options.bothDirections ? std::vector<int>{1, -1} : std::vector<int>{1}) {
                    std::vector<CartesianAtom> atoms = d.atoms;
                    for (std::size_t m : modes)
                        for (std::size_t a = 0; a < atoms.size(); ++a) {
                            atoms[a].x += sign * options.amplitude * d.displacements[m][a][0];
                            atoms[a].y += sign * options.amplitude * d.displacements[m][a][1];
                            atoms[a].z += sign * options.amplitude * d.displacements[m][a][2];
                        }
                    geometries.push_back(std::move(atoms));
                    suffixes.push_back(options.bothDirections ? (sign > 0 ? "_plus" : "_minus")
                                                              : "");
                }
                if (!route.has("opt"))
                    route.set(ts ? "opt=(ts,calcfc,noeigentest)" : "opt");
                if (!route.has("freq"))
                    route.set("freq");
                job.summary = "displaced by " + formatNumber(options.amplitude) + " along " +
                              std::to_string(modes.size()) + " imaginary mode" +
                              (modes.size() == 1 ? "" : "s");
                title += " (displaced along imaginary modes)";
                break;
            }
        }
    } else if (job.diagnosis != Diagnosis::Finished) {
        job.summary = "same job from the last geometry";
    }
    for (const std::string& k : options.remove) route.remove(k);
    for (const std::string& k : options.add) route.set(k);

    // Link 0: the job's lines, those given replacing theirs.
    std::vector<std::string> link0 = echo.link0;
    for (const std::string& given : options.link0) {
        const std::string name = foldCase(given.substr(0, given.find('=')));
        auto same = std::find_if(link0.begin(), link0.end(), [&](const std::string& l) {
            return foldCase(l.substr(0, l.find('='))) == name;
        });
        if (same != link0.end())
            *same = given;
        else
            link0.push_back(given);
    }
    // The sections after the geometry: from the job's own input beside the
    // output when there is one, else what the output echoes.
    const std::optional<std::string> tail = inputTail(outputPath);
    if (!tail) {
        if (route.readsBasis())
            job.notCarried.push_back("the general basis or ECP section (no input " +
                                     stemOf(outputPath) + ".gjf or .com beside the output)");
        if (route.has("geom") || route.has("guess"))
            job.notCarried.push_back("sections the route reads from the input");
    }
    if (foldCase(route.text()).find("modredundant") != std::string::npos && !tail &&
        echo.modRedundant.empty())
        job.notCarried.push_back("the ModRedundant lines");

    const std::string folder = fs::path(outputPath).parent_path().string();
    for (std::size_t g = 0; g < geometries.size(); ++g) {
        std::string name = options.pattern;
        for (auto at = name.find("{stem}"); at != std::string::npos; at = name.find("{stem}"))
            name.replace(at, 6, stemOf(outputPath));
        name += suffixes[g] + options.extension;
        NextInput input;
        input.path = folder.empty() ? name : (fs::path(folder) / name).string();
        std::string& t = input.text;
        for (const std::string& l : link0) t += l + "\n";
        t += route.text() + "\n\n" + title + "\n\n";
        t += std::to_string(*charge) + " " + std::to_string(*multiplicity) + "\n";
        for (const CartesianAtom& a : geometries[g]) {
            char symbol[8];
            std::snprintf(symbol, sizeof symbol, "%-3s", a.symbol.c_str());
            t += std::string(" ") + symbol + coordinate(a.x) + coordinate(a.y) + coordinate(a.z) +
                 "\n";
        }
        t += "\n";
        if (tail) {
            t += *tail;
        } else if (foldCase(route.text()).find("modredundant") != std::string::npos &&
                   !echo.modRedundant.empty()) {
            for (const std::string& l : echo.modRedundant) t += l + "\n";
            t += "\n";
        }
        job.inputs.push_back(std::move(input));
    }
    return job;
}

Result<NextJob> nextJobOf(const std::string& outputPath, const NextJobOptions& options) {
    auto bytes = readFileBytes(outputPath);
    if (!bytes)
        return bytes.error();
    FileRows rows(2);
    rows[1] = {true, outputPath, outputPath, ""};
    ExtractBoxes boxes = ExtractBoxes::initial({});
    boxes[ExtractBox::Geometry].ticked = true;
    boxes[ExtractBox::Freq].ticked = true;
    ExtractionOutcome run = runExtraction(rows, boxes, {}, '.', {}, 1);
    if (run.records.empty())
        return Error{"not a Gaussian output (.log, .out)", outputPath};
    ExtractRecord& record = run.records.front();
    record.health = jobHealth(*bytes);
    return planNextJob(outputPath, *bytes, record, options);
}

Status writeNewFile(const std::string& path, std::string_view text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Error{errno == EEXIST ? std::string("already there: never replaced")
                                     : std::string(std::strerror(errno)),
                     path};
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = errno;
            ::close(fd);
            ::unlink(path.c_str());
            return Error{std::strerror(err), path};
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(path.c_str());
        return Error{std::strerror(err), path};
    }
    return success();
}

}  // namespace zerlant
