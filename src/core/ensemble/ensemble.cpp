#include "core/ensemble/ensemble.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/ensemble/connectivity.hpp"

namespace zerlant {

namespace {

using Matrix4 = std::array<std::array<double, 4>, 4>;

// The largest eigenvalue of a symmetric 4x4 matrix (cyclic Jacobi sweeps).
double largestEigenvalue(Matrix4 m) {
    for (int sweep = 0; sweep < 100; ++sweep) {
        double off = 0;
        for (int p = 0; p < 4; ++p)
            for (int q = p + 1; q < 4; ++q) off += m[p][q] * m[p][q];
        if (off < 1e-30)
            break;
        for (int p = 0; p < 4; ++p)
            for (int q = p + 1; q < 4; ++q) {
                if (std::abs(m[p][q]) < 1e-300)
                    continue;
                const double theta = (m[q][q] - m[p][p]) / (2 * m[p][q]);
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::abs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1);
                const double s = t * c;
                for (int k = 0; k < 4; ++k) {
                    const double kp = m[k][p];
                    const double kq = m[k][q];
                    m[k][p] = c * kp - s * kq;
                    m[k][q] = s * kp + c * kq;
                }
                for (int k = 0; k < 4; ++k) {
                    const double pk = m[p][k];
                    const double qk = m[q][k];
                    m[p][k] = c * pk - s * qk;
                    m[q][k] = s * pk + c * qk;
                }
            }
    }
    return std::max({m[0][0], m[1][1], m[2][2], m[3][3]});
}

}  // namespace

std::optional<double> alignedRmsd(const std::vector<CartesianAtom>& a,
                                  const std::vector<CartesianAtom>& b) {
    if (a.size() != b.size() || a.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].atomicNumber != b[i].atomicNumber)
            return std::nullopt;
    const double n = static_cast<double>(a.size());
    std::array<double, 3> ca{}, cb{};
    for (std::size_t i = 0; i < a.size(); ++i) {
        ca[0] += a[i].x / n, ca[1] += a[i].y / n, ca[2] += a[i].z / n;
        cb[0] += b[i].x / n, cb[1] += b[i].y / n, cb[2] += b[i].z / n;
    }
    // The correlation matrix S and the sums of squares (Horn's quaternion
    // method: the best rotation's residual is Ga + Gb - 2 lambda_max).
    double s[3][3] = {};
    double ga = 0, gb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double pa[3] = {a[i].x - ca[0], a[i].y - ca[1], a[i].z - ca[2]};
        const double pb[3] = {b[i].x - cb[0], b[i].y - cb[1], b[i].z - cb[2]};
        for (int r = 0; r < 3; ++r) {
            ga += pa[r] * pa[r];
            gb += pb[r] * pb[r];
            for (int c = 0; c < 3; ++c) s[r][c] += pa[r] * pb[c];
        }
    }
    const double xx = s[0][0], xy = s[0][1], xz = s[0][2];
    const double yx = s[1][0], yy = s[1][1], yz = s[1][2];
    const double zx = s[2][0], zy = s[2][1], zz = s[2][2];
    const Matrix4 k = {{{xx + yy + zz, yz - zy, zx - xz, xy - yx},
                        {yz - zy, xx - yy - zz, xy + yx, zx + xz},
                        {zx - xz, xy + yx, -xx + yy - zz, yz + zy},
                        {xy - yx, zx + xz, yz + zy, -xx - yy + zz}}};
    const double residual = ga + gb - 2 * largestEigenvalue(k);
    return std::sqrt(std::max(0.0, residual) / n);
}

std::vector<double> boltzmannPopulations(const std::vector<double>& energies, double temperature) {
    // k_B in hartree per kelvin (CODATA 2018: 3.166811563e-6 Eh/K).
    constexpr double kBoltzmannHartree = 3.166811563e-6;
    std::vector<double> weights(energies.size());
    if (energies.empty())
        return weights;
    const double lowest = *std::min_element(energies.begin(), energies.end());
    double sum = 0;
    for (std::size_t i = 0; i < energies.size(); ++i) {
        weights[i] = std::exp(-(energies[i] - lowest) / (kBoltzmannHartree * temperature));
        sum += weights[i];
    }
    for (double& w : weights) w /= sum;
    return weights;
}

std::vector<EnsembleGroup> buildEnsembles(const std::vector<Conformer>& conformers,
                                          const EnsembleSettings& settings) {
    std::vector<EnsembleGroup> groups;
    for (std::size_t i = 0; i < conformers.size(); ++i) {
        const std::string key =
            settings.byConnectivity ? connectivityKey(conformers[i].atoms) : std::string();
        auto group = std::find_if(groups.begin(), groups.end(), [&](const EnsembleGroup& g) {
            return g.formula == conformers[i].formula && g.connectivity == key;
        });
        if (group == groups.end()) {
            const int constitution = 1 + static_cast<int>(std::count_if(
                                             groups.begin(), groups.end(), [&](const auto& g) {
                                                 return g.formula == conformers[i].formula;
                                             }));
            groups.push_back({conformers[i].formula, key, constitution, {}});
            group = groups.end() - 1;
        }
        group->members.push_back({i, std::nullopt, 0, 0});
    }
    for (EnsembleGroup& g : groups) {
        std::stable_sort(g.members.begin(), g.members.end(),
                         [&](const EnsembleMember& x, const EnsembleMember& y) {
                             return conformers[x.conformer].energy < conformers[y.conformer].energy;
                         });
        const double lowest = conformers[g.members.front().conformer].energy;
        std::vector<double> energies;
        std::vector<std::size_t> unique;
        for (std::size_t m = 0; m < g.members.size(); ++m) {
            EnsembleMember& member = g.members[m];
            const Conformer& c = conformers[member.conformer];
            member.relative = c.energy - lowest;
            for (std::size_t u : unique) {
                const Conformer& kept = conformers[g.members[u].conformer];
                if (std::abs(c.energy - kept.energy) > settings.energyTolerance)
                    continue;
                const auto rmsd = alignedRmsd(c.atoms, kept.atoms);
                if (rmsd && *rmsd < settings.rmsdTolerance) {
                    member.duplicateOf = g.members[u].conformer;
                    break;
                }
            }
            if (!member.duplicateOf) {
                unique.push_back(m);
                energies.push_back(c.energy);
            }
        }
        const std::vector<double> populations =
            boltzmannPopulations(energies, settings.temperature);
        for (std::size_t k = 0; k < unique.size(); ++k)
            g.members[unique[k]].population = populations[k];
    }
    return groups;
}

}  // namespace zerlant
