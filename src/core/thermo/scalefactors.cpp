#include "core/thermo/scalefactors.hpp"

#include <array>

namespace zerlant::thermo {

namespace {

// The factors for zero-point energies (lambda ZPE), the ones meant for
// thermochemistry; factors fitted to fundamentals or harmonic frequencies are
// other numbers and are not mixed in.  Version 4 of the Minnesota database
// gathers the values of the 2010 paper and those determined later with its
// method.
constexpr std::string_view kMinnesota =
    "Minnesota Database of Frequency Scale Factors for Electronic Model Chemistries, "
    "version 4 (Truhlar group, 2019); method: I. M. Alecu, J. Zheng, Y. Zhao, D. G. "
    "Truhlar, J. Chem. Theory Comput. 6, 2872 (2010)";

constexpr std::array kTable = {
    ScaleFactor{"HF", "6-31G(d)", 0.909, kMinnesota},
    ScaleFactor{"HF", "6-31G(d,p)", 0.913, kMinnesota},
    ScaleFactor{"MP2", "6-31G(d)", 0.964, kMinnesota},  // frozen core, Gaussian's default
    ScaleFactor{"B3LYP", "6-31G(d)", 0.977, kMinnesota},
    ScaleFactor{"B3LYP", "def2-TZVP", 0.985, kMinnesota},
    ScaleFactor{"B3LYP", "aug-cc-pVTZ", 0.985, kMinnesota},
    ScaleFactor{"PBE", "def2-TZVP", 1.011, kMinnesota},
    ScaleFactor{"M06", "6-31+G(d,p)", 0.980, kMinnesota},
    ScaleFactor{"M06", "def2-TZVP", 0.982, kMinnesota},
    ScaleFactor{"M06-L", "6-31+G(d,p)", 0.978, kMinnesota},
    ScaleFactor{"M06-2X", "6-31+G(d,p)", 0.967, kMinnesota},
    ScaleFactor{"M06-2X", "6-311+G(d,p)", 0.970, kMinnesota},
    ScaleFactor{"M06-2X", "6-311++G(d,p)", 0.970, kMinnesota},
    ScaleFactor{"M06-2X", "def2-TZVP", 0.971, kMinnesota},
    ScaleFactor{"M06-2X", "aug-cc-pVTZ", 0.971, kMinnesota},
    ScaleFactor{"wB97X-D", "def2-TZVP", 0.975, kMinnesota},
};

// Gaussian's keyword for a method whose usual name differs, both folded.
struct MethodAlias {
    std::string_view gaussian;
    std::string_view usual;
};
constexpr std::array kAliases = {
    MethodAlias{"mp2fc", "mp2"},  // "MP2-FC" of the archive, "MP2(FC)", "MP2=FC"
    MethodAlias{"pbepbe", "pbe"},
};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Lower case without blanks, hyphens, "=" or parentheses; a Greek omega
// (UTF-8 or its capital) is "w".
std::string foldMethod(std::string_view method) {
    std::string out;
    for (std::size_t i = 0; i < method.size(); ++i) {
        const char c = method[i];
        if (c == '\xCF' && i + 1 < method.size() && method[i + 1] == '\x89') {  // ω
            out += 'w';
            ++i;
        } else if (c == '\xCE' && i + 1 < method.size() && method[i + 1] == '\xA9') {  // Ω
            out += 'w';
            ++i;
        } else if (c != ' ' && c != '\t' && c != '-' && c != '=' && c != '(' && c != ')') {
            out += lower(c);
        }
    }
    for (const MethodAlias& a : kAliases)
        if (out == a.gaussian)
            return std::string(a.usual);
    return out;
}

// Lower case without blanks or hyphens; "**" is "(d,p)" and "*" is "(d)".
std::string foldBasis(std::string_view basis) {
    std::string out;
    for (std::size_t i = 0; i < basis.size(); ++i) {
        const char c = basis[i];
        if (c == '*') {
            if (i + 1 < basis.size() && basis[i + 1] == '*') {
                out += "(d,p)";
                ++i;
            } else {
                out += "(d)";
            }
        } else if (c != ' ' && c != '\t' && c != '-') {
            out += lower(c);
        }
    }
    return out;
}

const ScaleFactor* findFolded(const std::string& method, const std::string& basis) {
    for (const ScaleFactor& row : kTable)
        if (foldMethod(row.method) == method && foldBasis(row.basis) == basis)
            return &row;
    return nullptr;
}

}  // namespace

std::span<const ScaleFactor> scaleFactorTable() {
    return kTable;
}

const ScaleFactor* findScaleFactor(std::string_view method, std::string_view basis) {
    const std::string m = foldMethod(method);
    const std::string b = foldBasis(basis);
    if (m.empty() || b.empty())
        return nullptr;
    if (const ScaleFactor* row = findFolded(m, b))
        return row;
    // "RB3LYP", "UM062X": Gaussian's restricted and unrestricted forms.
    if (m.size() > 1 && (m.front() == 'r' || m.front() == 'u'))
        return findFolded(foldMethod(std::string_view(m).substr(1)), b);
    return nullptr;
}

const ScaleFactor* findScaleFactor(std::string_view level) {
    const std::size_t slash = level.find('/');
    if (slash == std::string_view::npos)
        return nullptr;
    return findScaleFactor(level.substr(0, slash), level.substr(slash + 1));
}

}  // namespace zerlant::thermo
