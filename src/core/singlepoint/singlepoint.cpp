#include "core/singlepoint/singlepoint.hpp"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/ensemble/ensemble.hpp"
#include "core/extract/extraction.hpp"
#include "core/files/filetext.hpp"
#include "core/thermo/gaussianthermo.hpp"

namespace zerlant {

namespace {

std::string shortNumber(double value, const char* format) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The names of one line of a pair list, or nullopt when a quote is not closed.
std::optional<std::vector<std::string>> splitNames(const std::string& line) {
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos)
                return std::nullopt;
            names.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && !isBlank(line[end])) ++end;
        names.push_back(line.substr(i, end - i));
        i = end;
    }
    return names;
}

}  // namespace

Result<JobIdentity> identityOf(const ExtractRecord& record) {
    if (!record.ok)
        return Error{"did not end normally", record.file};
    if (record.detail.atoms.empty())
        return Error{"prints no geometry", record.file};
    JobIdentity id;
    id.formula = thermo::hillFormula(record.detail.atoms);
    id.charge = record.charge;
    id.multiplicity = record.multiplicity;
    id.atoms = record.detail.atoms;
    id.energy = record.methodEnergy ? record.methodEnergy : record.energy;
    return id;
}

Result<JobIdentity> readJobIdentity(const std::string& path) {
    FileRows rows(2);
    rows[1] = {true, path, path, ""};
    ExtractBoxes boxes = ExtractBoxes::initial({});
    boxes[ExtractBox::Geometry].ticked = true;
    const ExtractionOutcome run =
        runExtraction(rows, boxes, {}, '.', {}, 1, ExtractionKeeps::TickedBlocks);
    if (!run.unreadable.empty())
        return Error{"cannot be read", path};
    if (run.records.empty())
        return Error{"is not a Gaussian output", path};
    Result<JobIdentity> id = identityOf(run.records.front());
    if (!id)
        return Error{id.error().message, path};
    return id;
}

std::optional<std::string> pairMismatch(const JobIdentity& frequencyJob,
                                        const JobIdentity& singlePoint, double rmsdTolerance) {
    const JobIdentity& f = frequencyJob;
    const JobIdentity& s = singlePoint;
    if (f.formula != s.formula)
        return "the single point is " + s.formula + ", the frequency job " + f.formula;
    if (f.charge != s.charge)
        return "the single point has charge " + std::to_string(s.charge) + ", the frequency job " +
               std::to_string(f.charge);
    if (f.multiplicity != s.multiplicity)
        return "the single point has multiplicity " + std::to_string(s.multiplicity) +
               ", the frequency job " + std::to_string(f.multiplicity);
    const std::optional<double> rmsd = alignedRmsd(f.atoms, s.atoms);
    if (!rmsd)
        return std::string("the single point lists the atoms in another order");
    if (!(*rmsd < rmsdTolerance))
        return "the geometries differ: RMSD " + shortNumber(*rmsd, "%.4f") +
               " A after alignment, over the limit of " + shortNumber(rmsdTolerance, "%g") + " A";
    return std::nullopt;
}

Result<thermo::SinglePoint> pairSinglePoint(const Result<JobIdentity>& frequencyJob,
                                            const std::string& singlePointFile,
                                            const Result<JobIdentity>& singlePoint,
                                            double rmsdTolerance) {
    if (!singlePoint)
        return Error{"single point " + singlePoint.error().describe(), {}};
    if (!singlePoint->energy || !std::isfinite(*singlePoint->energy))
        return Error{"single point " + singlePointFile + " prints no energy", {}};
    if (!frequencyJob)
        return Error{"frequency job " + frequencyJob.error().describe(), {}};
    if (auto why = pairMismatch(*frequencyJob, *singlePoint, rmsdTolerance))
        return Error{"single point " + singlePointFile + ": " + *why, {}};
    return thermo::SinglePoint{singlePointFile, *singlePoint->energy};
}

std::optional<std::string> suffixPartner(const std::string& frequencyJob,
                                         const std::string& suffix) {
    namespace fs = std::filesystem;
    const fs::path path(frequencyJob);
    const std::string stem = path.stem().string() + "_" + suffix;
    std::vector<std::string> extensions = {path.extension().string()};
    for (const char* other : {".log", ".out"})
        if (extensions.front() != other)
            extensions.emplace_back(other);
    for (const std::string& extension : extensions) {
        const fs::path candidate = path.parent_path() / (stem + extension);
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec))
            return candidate.string();
    }
    return std::nullopt;
}

Result<std::vector<std::pair<std::string, std::string>>> readPairList(const std::string& path) {
    namespace fs = std::filesystem;
    Result<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    const fs::path folder = fs::path(path).parent_path();
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t start = 0;
    for (int number = 1; start < bytes->size(); ++number) {
        std::size_t end = bytes->find('\n', start);
        if (end == std::string::npos)
            end = bytes->size();
        const std::string line = bytes->substr(start, end - start);
        start = end + 1;
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const auto names = splitNames(line);
        if (!names || names->size() != 2)
            return Error{"line " + std::to_string(number) +
                             " is not two names (frequency job, then single point)",
                         path};
        auto resolve = [&folder](const std::string& name) {
            const fs::path p(name);
            return p.is_absolute() || folder.empty() ? p.string()
                                                     : (folder / p).lexically_normal().string();
        };
        pairs.emplace_back(resolve((*names)[0]), resolve((*names)[1]));
    }
    return pairs;
}

Result<thermo::SinglePoint> singlePointFor(const std::string& frequencyJob,
                                           const std::optional<std::string>& partner,
                                           const std::string& partnerName, double rmsdTolerance) {
    if (!partner)
        return Error{"no single point " + partnerName + " beside it", {}};
    return pairSinglePoint(readJobIdentity(frequencyJob), *partner, readJobIdentity(*partner),
                           rmsdTolerance);
}

void applySinglePoint(thermo::ThermoRow& row, const Result<thermo::SinglePoint>& singlePoint) {
    if (!row.ok())
        return;
    if (singlePoint)
        row.singlePoint = *singlePoint;
    else
        row.error = singlePoint.error().describe();
}

}  // namespace zerlant
