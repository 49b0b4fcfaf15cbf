#pragma once
// Job health of a Gaussian output, from its bytes as they are on disk: why a
// job failed, imaginary frequencies, spin contamination and whether the last
// optimisation converged.

#include <optional>
#include <string>
#include <string_view>

namespace zerlant {

struct JobHealth {
    // Empty for a job whose last termination line is a normal one; "no
    // termination line" for a job that stopped; otherwise the failing link,
    // a colon and Gaussian's own error line when one is found ("l301: Atomic
    // number out of range for 6-311G basis.").
    std::string reason;
    // Of the last harmonic-frequency block: the number of imaginary modes and
    // the lowest frequency (cm-1, negative when imaginary).  nullopt without
    // frequencies.
    std::optional<int> nimag;
    std::optional<double> lowestFrequency;
    // <S**2> after annihilation of the last SCF that prints it.
    std::optional<double> s2;
    // Whether the last optimisation found a stationary point; nullopt when
    // the job has no optimisation.
    std::optional<bool> converged;
};

JobHealth jobHealth(std::string_view fileBytes);

// The parts on their own.
std::string failureReason(std::string_view fileBytes);

}  // namespace zerlant
