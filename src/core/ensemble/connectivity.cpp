#include "core/ensemble/connectivity.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace zerlant {

namespace {

// Cordero et al. 2008, H to Xe (low-spin values for Mn, Fe and Co).
constexpr double kRadii[] = {0.31, 0.28, 1.28, 0.96, 0.84, 0.76, 0.71, 0.66, 0.57, 0.58, 1.66,
                             1.41, 1.21, 1.11, 1.07, 1.05, 1.02, 1.06, 2.03, 1.76, 1.70, 1.60,
                             1.53, 1.39, 1.39, 1.32, 1.26, 1.24, 1.32, 1.22, 1.22, 1.20, 1.19,
                             1.20, 1.20, 1.16, 2.20, 1.95, 1.90, 1.75, 1.64, 1.54, 1.47, 1.46,
                             1.42, 1.39, 1.45, 1.44, 1.42, 1.39, 1.39, 1.38, 1.39, 1.40};

// FNV-1a: a label that does not depend on the order the atoms came in.
std::uint64_t hashOf(const std::string& text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

double covalentRadius(int atomicNumber) {
    return atomicNumber >= 1 && atomicNumber <= static_cast<int>(std::size(kRadii))
               ? kRadii[atomicNumber - 1]
               : 1.5;
}

std::vector<std::pair<std::size_t, std::size_t>> covalentBonds(
    const std::vector<CartesianAtom>& atoms) {
    std::vector<std::pair<std::size_t, std::size_t>> bonds;
    for (std::size_t i = 0; i < atoms.size(); ++i)
        for (std::size_t j = i + 1; j < atoms.size(); ++j) {
            const double dx = atoms[i].x - atoms[j].x, dy = atoms[i].y - atoms[j].y,
                         dz = atoms[i].z - atoms[j].z;
            const double limit = covalentRadius(atoms[i].atomicNumber) +
                                 covalentRadius(atoms[j].atomicNumber) + kBondTolerance;
            if (std::sqrt(dx * dx + dy * dy + dz * dz) < limit)
                bonds.emplace_back(i, j);
        }
    return bonds;
}

std::string connectivityKey(const std::vector<CartesianAtom>& atoms) {
    if (atoms.empty())
        return {};
    std::vector<std::vector<std::size_t>> neighbours(atoms.size());
    for (const auto& [i, j] : covalentBonds(atoms)) {
        neighbours[i].push_back(j);
        neighbours[j].push_back(i);
    }
    std::vector<std::uint64_t> labels;
    for (const CartesianAtom& a : atoms) labels.push_back(hashOf(std::to_string(a.atomicNumber)));
    for (int round = 0; round < 3; ++round) {
        std::vector<std::uint64_t> next(labels.size());
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            std::vector<std::uint64_t> around;
            for (std::size_t n : neighbours[i]) around.push_back(labels[n]);
            std::sort(around.begin(), around.end());
            std::string signature = std::to_string(labels[i]) + ":";
            for (std::uint64_t l : around) signature += std::to_string(l) + ",";
            next[i] = hashOf(signature);
        }
        labels = std::move(next);
    }
    std::sort(labels.begin(), labels.end());
    std::string key;
    char hex[20];
    for (std::uint64_t l : labels) {
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(l));
        key += hex;
    }
    return key;
}

}  // namespace zerlant
