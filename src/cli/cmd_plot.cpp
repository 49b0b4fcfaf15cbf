// zerlant-cli plot: the curves come from the core; only images are drawn
// with Qt, and the .csv output needs no Qt at all.

#include "cli/cmd_plot.hpp"

#include <CLI/CLI.hpp>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <ostream>

#include "cli/clilanguage.hpp"
#include "cli/fileargs.hpp"
#include "core/ensemble/conformerfile.hpp"
#include "core/files/filetext.hpp"
#include "core/files/openfile.hpp"
#include "core/files/paths.hpp"
#include "core/optimisation/convergence.hpp"
#include "core/plotdata/boltzmann.hpp"
#include "core/plotdata/convergenceplot.hpp"
#include "core/plotdata/curvecsv.hpp"
#include "core/plotdata/measured.hpp"
#include "core/plotdata/numbertext.hpp"
#include "core/plotdata/plotscene.hpp"
#include "core/plotdata/scanprofile.hpp"
#include "core/plotdata/sources.hpp"
#include "core/scan/scanrun.hpp"

#ifdef ZERLANT_PLOT_IMAGES
#include "plot/plotimage.hpp"
#endif

namespace zerlant::cli {

namespace {

using namespace zerlant::plotdata;

std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string extensionOf(const std::string& path) {
    return lowerCase(std::filesystem::path(path).extension().string());
}

std::string baseName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::optional<Kind> kindOf(const std::string& name) {
    if (name == "ir")
        return Kind::Ir;
    if (name == "raman")
        return Kind::Raman;
    if (name == "uv")
        return Kind::Uv;
    if (name == "ecd")
        return Kind::Ecd;
    return std::nullopt;
}

const char* kindName(Kind kind) {
    switch (kind) {
        case Kind::Ir:
            return "IR";
        case Kind::Raman:
            return "Raman";
        case Kind::Uv:
            return "UV-Vis";
        case Kind::Ecd:
            break;
    }
    return "ECD";
}

// The captions of an image, from the language file.
std::optional<MessageLookup> captions(const PlotOptions& o, std::ostream& err) {
    auto language = loadCliLanguage(o.language);
    if (!language) {
        err << "zerlant-cli: " << language.error().describe() << "\n";
        return std::nullopt;
    }
    return language->message;
}

// What an option may hold: a finite number within [lo, hi] (lo itself
// excluded when `open`).
bool within(double v, double lo, double hi, bool open = false) {
    return std::isfinite(v) && (open ? v > lo : v >= lo) && v <= hi;
}

// The largest magnitude of a --range end: far beyond any spectrum or scan,
// small enough that the curve's points stay finite numbers.
constexpr double kRangeLimit = 1e6;

// The words for lines that are all of strength 0.
const char* zeroStrengths(Kind kind) {
    switch (kind) {
        case Kind::Ir:
            return "all IR intensities are zero";
        case Kind::Raman:
            return "all Raman activities are zero";
        case Kind::Uv:
            return "all oscillator strengths are zero";
        case Kind::Ecd:
            break;
    }
    return "all rotatory strengths are zero";
}

int writeImage(const PlotOptions& o, const PlotScene* scene, const MapScene* map, std::ostream& out,
               std::ostream& err) {
#ifdef ZERLANT_PLOT_IMAGES
    const Status done = map ? plot::writeMapImage(*map, o.output, o.decimalSeparator)
                            : plot::writePlotImage(*scene, o.output, o.decimalSeparator);
    if (!done) {
        err << "zerlant-cli: cannot write " << done.error().describe() << "\n";
        return 1;
    }
    out << o.output << "\n";
    return 0;
#else
    (void)o;
    (void)scene;
    (void)map;
    (void)out;
    err << "zerlant-cli: this zerlant-cli was built without Qt and writes only .csv plots\n";
    return 1;
#endif
}

int writeCsv(const PlotOptions& o, const std::string& csv, std::ostream& out, std::ostream& err) {
    std::vector<std::string> inputs = o.files;
    if (o.measured)
        inputs.push_back(*o.measured);
    if (auto written = writeFileAtomically(o.output, csv, WriteRule::exportOf(inputs)); !written) {
        err << "zerlant-cli: cannot write " << written.error().describe() << "\n";
        return 1;
    }
    out << o.output << "\n";
    return 0;
}

}  // namespace

int runPlot(const PlotOptions& o, std::ostream& out, std::ostream& err) {
    const std::string ext = extensionOf(o.output);
    if (ext != ".csv" && ext != ".svg" && ext != ".png" && ext != ".pdf") {
        err << "zerlant-cli: plot: -o must name a .svg, .png, .pdf or .csv file\n";
        return 2;
    }
    if (o.files.empty()) {
        err << "zerlant-cli: plot: no file given\n";
        return 2;
    }
    std::vector<std::string> inputs = o.files;
    if (o.measured)
        inputs.push_back(*o.measured);
    if (auto refused = refusedOutput(o.output, inputs)) {
        err << "zerlant-cli: plot: " << refused->describe() << "\n";
        return 2;
    }
    const bool image = ext != ".csv";
    std::optional<MessageLookup> message;
    if (image && !(message = captions(o, err)))
        return 1;
    const MessageLookup noCaptions = [](int) { return std::string(); };
    const MessageLookup& lookup = message ? *message : noCaptions;

    if (o.range && !(within(o.range->first, -kRangeLimit, kRangeLimit) &&
                     within(o.range->second, -kRangeLimit, kRangeLimit))) {
        err << "zerlant-cli: plot: --range ends must be numbers between -1e6 and 1e6\n";
        return 2;
    }
    if (o.range && o.range->first == o.range->second) {
        err << "zerlant-cli: plot: --range needs two different ends\n";
        return 2;
    }
    if (o.map && o.kind != "scan") {
        err << "zerlant-cli: plot: --map is for scan plots\n";
        return 2;
    }

    int status = 0;
    if (o.kind == "convergence") {
        if (o.fwhm || o.scale || o.unit || o.measured || o.range || o.points) {
            err << "zerlant-cli: plot: --fwhm, --scale, --unit, --measured, --range and --points "
                   "are not for convergence plots\n";
            return 2;
        }
        std::vector<NamedTrack> tracks;
        for (const auto& f : o.files) {
            auto track = readConvergence(f);
            if (!track) {
                err << "zerlant-cli: cannot read " << track.error().describe() << "\n";
                status = 1;
            } else if (track->steps.empty()) {
                err << "zerlant-cli: plot: " << f << ": no optimisation step\n";
                status = 1;
            } else {
                tracks.push_back({baseName(f), std::move(*track)});
            }
        }
        if (tracks.empty())
            return 1;
        if (!image)
            return std::max(writeCsv(o, convergenceCsv(tracks), out, err), status);
        const PlotScene scene = convergenceScene(tracks, lookup);
        return std::max(writeImage(o, &scene, nullptr, out, err), status);
    }
    if (o.kind == "scan") {
        if (o.fwhm || o.scale || o.unit || o.measured || o.boltzmann) {
            err << "zerlant-cli: plot: --fwhm, --scale, --unit, --measured and --boltzmann are "
                   "for spectra\n";
            return 2;
        }
        FileRows rows(1);
        for (const auto& f : o.files) rows.push_back({true, baseName(f), f, ""});
        auto run = zerlant::runScan(rows, lookup, '.');
        for (const auto& problem : run->failures) {
            err << "zerlant-cli: cannot read " << problem.describe() << "\n";
            status = 1;
        }
        for (const std::string& path : run->notTerminated) {
            err << "zerlant-cli: plot: " << path << ": the job did not end normally\n";
            status = 1;
        }
        auto profiles = scanProfiles(run->files);
        if (profiles.empty()) {
            err << "zerlant-cli: plot: no potential-surface scan summary in the files given\n";
            return 1;
        }
        if (o.range)
            for (auto& p : profiles) p = withinRange(p, o.range->first, o.range->second);
        if (!image)
            return std::max(writeCsv(o, scanCsv(profiles), out, err), status);
        if (o.map) {
            for (const auto& p : profiles)
                if (auto map = scanMapScene(p, lookup, o.decimalSeparator))
                    return std::max(writeImage(o, nullptr, &*map, out, err), status);
            err << "zerlant-cli: plot: --map needs a scan of two coordinates\n";
            return 1;
        }
        const PlotScene scene = scanScene(profiles, lookup, o.decimalSeparator);
        return std::max(writeImage(o, &scene, nullptr, out, err), status);
    }

    const auto kind = kindOf(o.kind);
    if (!kind) {
        err << "zerlant-cli: plot: unknown kind '" << o.kind
            << "' (ir, raman, uv, ecd, scan or convergence)\n";
        return 2;
    }
    Settings s = defaultSettings(*kind);
    if (o.unit) {
        const std::string unit = lowerCase(*o.unit);
        if (unit == "nm")
            s.unit = Unit::Nanometre;
        else if (unit == "ev")
            s.unit = Unit::ElectronVolt;
        else if (unit == "cm-1" || unit == "cm")
            s.unit = Unit::Wavenumber;
        else {
            err << "zerlant-cli: plot: --unit takes nm, ev or cm-1\n";
            return 2;
        }
        if (isVibrational(*kind) && s.unit != Unit::Wavenumber) {
            err << "zerlant-cli: plot: " << kindName(*kind) << " spectra are drawn in cm-1\n";
            return 2;
        }
    }
    if (o.fwhm) {
        const bool vibrational = isVibrational(*kind);
        if (!within(*o.fwhm, 0.0, vibrational ? 1000.0 : 10.0, true)) {
            err << "zerlant-cli: plot: --fwhm must be a number above 0 and at most "
                << (vibrational ? "1000 cm-1" : "10 eV") << "\n";
            return 2;
        }
        s.width = vibrational ? *o.fwhm : sigmaFromFwhm(*o.fwhm);
    }
    if (o.scale) {
        if (!isVibrational(*kind) || !within(*o.scale, 0.0, 10.0, true)) {
            err << "zerlant-cli: plot: --scale takes a factor above 0 and at most 10, for ir and "
                   "raman only\n";
            return 2;
        }
        s.scale = *o.scale;
    }
    if (o.range)
        s.range = o.range;
    s.points = o.points;

    std::vector<NamedSticks> files;
    std::vector<Conformer> conformers;  // of files[i], with --boltzmann
    const PopulationEnergy by = !o.boltzmann || *o.boltzmann == "qhG" ? PopulationEnergy::QhG
                                : *o.boltzmann == "G"                 ? PopulationEnergy::G
                                                                      : PopulationEnergy::E;
    for (const auto& f : o.files) {
        Result<std::vector<Stick>> sticks = Error{"", f};
        try {
            sticks = sticksFromFile(f, *kind);
        } catch (const std::exception& e) {
            sticks = Error{failureReason(e), f};
        }
        if (!sticks) {
            err << "zerlant-cli: cannot read " << sticks.error().describe() << "\n";
            status = 1;
            continue;
        }
        if (sticks->empty() || allStrengthsZero(*sticks)) {
            err << "zerlant-cli: " << f << ": "
                << (sticks->empty() ? std::string("no ") + kindName(*kind) + " lines"
                                    : zeroStrengths(*kind))
                << "\n";
            status = 1;
            continue;
        }
        if (o.boltzmann) {
            // A file without the energy of its population has no weight to
            // give: it is named and left out of the sum.
            Result<Conformer> c = readConformer(f, by, EnsembleSettings{}.temperature);
            if (!c) {
                err << "zerlant-cli: plot: no Boltzmann weight for " << c.error().describe()
                    << "\n";
                status = 1;
                continue;
            }
            conformers.push_back(std::move(*c));
        }
        files.push_back({baseName(f), std::move(*sticks)});
    }
    if (files.empty())
        return 1;
    if (o.boltzmann) {
        const EnsembleSettings ensemble;
        for (const EnsembleGroup& group : buildEnsembles(conformers, ensemble))
            for (const EnsembleMember& m : group.members)
                err << "zerlant-cli: plot: " << files[m.conformer].name << ": " << group.formula
                    << ", population " << m.population
                    << (m.duplicateOf ? " (duplicate of " + files[*m.duplicateOf].name + ")"
                                      : std::string())
                    << "\n";
        files = boltzmannSpectra(files, conformers, ensemble, by);
    }

    std::optional<MeasuredOverlay> measured;
    if (o.measured && image) {
        auto curve = readMeasured(*o.measured);
        if (!curve) {
            err << "zerlant-cli: cannot read " << curve.error().describe() << "\n";
            return 1;
        }
        measured = MeasuredOverlay{baseName(*o.measured), std::move(*curve)};
    }
    const PlotScene scene = spectrumScene(files, s, lookup, measured, o.decimalSeparator);
    const int written = image ? writeImage(o, &scene, nullptr, out, err)
                              : writeCsv(o, sceneCsv(scene, s), out, err);
    return written ? written : status;
}

namespace {

// The footer of --help: what each kind draws and the exit statuses.
const char* plotFooter() {
    return "Draws the spectrum, scan profile or optimisation convergence of Gaussian output\n"
           "files (.out, .log), several files overlaid, to OUT: an image (.svg, .png, .pdf)\n"
           "or the curve as numbers (.csv:\n"
           "a one-line header, then x,y rows; one y column per file when there are several).\n"
           "The files are only read.\n\n"
           "  ir, raman   the normal modes, sticks and a Lorentzian of each band\n"
           "              (height = IR intensity in km/mol, or Raman activity)\n"
           "  uv          the excited states, Gaussians from the oscillator strengths\n"
           "              (epsilon in L mol-1 cm-1)\n"
           "  ecd         the excited states, Gaussians from the rotatory strengths\n"
           "  scan        the rigid scan summary: energy above the lowest point (kcal/mol)\n"
           "              against the scanned coordinate, the lowest point starred; a scan\n"
           "              of two coordinates as one curve per value of the second, or with\n"
           "              --map as a map with contour lines; the CSV holds every coordinate\n"
           "  convergence every optimisation step (also of a relaxed scan or an IRC): the\n"
           "              energy above the lowest step (kcal/mol) and the maximum and RMS\n"
           "              force and displacement against their thresholds (dashed) on a\n"
           "              log scale, the converged steps starred; the CSV holds every value\n\n"
           "With --boltzmann the files are conformers: grouped by formula, duplicates\n"
           "(within 1e-5 hartree and 0.1 A RMSD) left out, each weighted by its\n"
           "population at 298.15 K from E (the final energy), G or qhG (as 'thermo' and\n"
           "'ensemble' compute them); the populations go to standard error.\n\n"
           "A file that holds no such spectrum counts as one that could not be "
           "read.\n" ZERLANT_EXIT_STATUS_HELP;
}

struct PlotCommand {
    PlotOptions options;
    FileArguments input;
    std::optional<std::string> range;
    std::string boltzmann;  // --boltzmann's value, empty when given alone
};

}  // namespace

RunCommand addPlot(CLI::App& program) {
    auto command = std::make_shared<PlotCommand>();
    PlotOptions& o = command->options;
    CLI::App& app =
        *program.add_subcommand("plot",
                                "draw spectra, scan profiles and optimisation convergence "
                                "(.svg .png .pdf .csv)");
    app.add_option("KIND", o.kind, "ir, raman, uv, ecd, scan or convergence")
        ->required()
        ->check(CLI::IsMember({"ir", "raman", "uv", "ecd", "scan", "convergence"}));
    addFileArguments(app, command->input);
    app.add_option("-o,--output", o.output, "the file to write: .svg, .png, .pdf or .csv")
        ->required()
        ->type_name("OUT");
    app.add_option_function<double>(
           "--fwhm", [&o](double w) { o.fwhm = w; },
           "full width at half maximum of each band: cm-1\n"
           "for ir and raman (default 15); eV for uv and ecd\n"
           "(default 0.666 and 0.333, i.e. sigma 0.4 and 0.2)")
        ->type_name("W");
    app.add_option("--range", command->range,
                   "the x range A:B, in the x unit (default: every\nline, with room for its width)")
        ->type_name("A:B");
    app.add_option_function<std::string>(
           "--unit", [&o](const std::string& u) { o.unit = u; },
           "the x unit of uv and ecd: nm (default), ev or\ncm-1; ir and raman use cm-1")
        ->type_name("U");
    app.add_option_function<double>(
           "--scale", [&o](double f) { o.scale = f; },
           "multiply the frequencies by F (ir, raman), such\nas 0.967")
        ->type_name("F");
    app.add_option_function<std::string>(
           "--measured", [&o](const std::string& m) { o.measured = m; },
           "lay a measured spectrum (x,y text or CSV, in\nthe x unit) over the curve, scaled to "
           "it\n"
           "(images only)")
        ->type_name("FILE");
    app.add_option("--points", o.points, "points of the curve (default: a round step,\nabout 2000)")
        ->check(CLI::Range(2, 1000000))
        ->type_name("N");
    CLI::Option* boltzmann = app.add_option("--boltzmann", command->boltzmann,
                                            "weight each file's spectrum by its Boltzmann\n"
                                            "population from E, G or qhG (default qhG) and\n"
                                            "draw their sum, one curve per formula")
                                 ->type_name("[E|G|qhG]")
                                 ->expected(0, 1);
    app.add_flag("--map", o.map,
                 "scan: draw a scan of two coordinates as a map\nwith contour lines (images only)");
    addLanguageOption(app, o.language);
    app.add_option_function<std::string>(
           "--decimal-separator",
           [&o](const std::string& c) { o.decimalSeparator = c.empty() ? '.' : c[0]; },
           "'.' or ',' in the axis numbers of images")
        ->type_name("C")
        ->check(CLI::IsMember({".", ","}));
    app.footer(plotFooter());
    return [command, boltzmann] {
        PlotOptions& o = command->options;
        if (boltzmann->count()) {
            const std::string& by = command->boltzmann;
            if (!by.empty() && by != "E" && by != "G" && by != "qhG")
                return usageError("plot: --boltzmann takes E, G or qhG, not '" + by + "'");
            o.boltzmann = by.empty() ? "qhG" : by;
        }
        if (auto stop = collectFiles("plot", command->input))
            return *stop;
        o.files = command->input.files;
        if (command->range) {
            // "A:B"; either end may be negative ("-180:180").
            const std::string& v = *command->range;
            const auto colon = v.find(':', 1);
            auto lo = colon == std::string::npos ? std::nullopt : numberIn(v.substr(0, colon));
            auto hi = colon == std::string::npos ? std::nullopt : numberIn(v.substr(colon + 1));
            if (!lo || !hi || v.find(',') != std::string::npos)
                return usageError("plot: --range takes A:B, two numbers");
            o.range = {{*lo, *hi}};
        }
        return runPlot(o, std::cout, std::cerr);
    };
}

}  // namespace zerlant::cli
