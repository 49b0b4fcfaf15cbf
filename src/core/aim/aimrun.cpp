#include "core/aim/aimrun.hpp"

#include <algorithm>
#include <charconv>
#include <functional>

#include "core/files/filetext.hpp"
#include "core/files/openfile.hpp"
#include "core/text/numbers.hpp"
#include "core/text/searchtext.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

constexpr std::string_view kListingStart = "GBL_IV = Sum of Distances Between BCP and Nuclei";
constexpr std::string_view kListingEnd = "Number of NACPs";
constexpr std::string_view kPointMark = "CP#";
constexpr std::string_view kBondPoint = "(3,-1)";

bool endsWithSum(std::string_view name) {
    if (name.size() < 4)
        return false;
    return foldCase(name.substr(name.size() - 4)) == ".sum";
}

// The pieces of the listing between one "CP#" and the next (the piece before
// the first "CP#" left out), each without the blanks at its ends.
std::vector<TextRef> criticalPoints(TextRef listing) {
    std::vector<TextRef> pieces;
    std::size_t at = listing.findExact(kPointMark);
    while (at != TextRef::npos) {
        std::size_t from = at + kPointMark.size();
        std::size_t next = listing.findExact(kPointMark, from);
        std::size_t to = next == TextRef::npos ? listing.size() : next;
        std::string_view text = listing.text();
        while (from < to && text[from] == ' ') ++from;
        while (to > from && text[to - 1] == ' ') --to;
        pieces.push_back(listing.sub(from, to - from));
        at = next;
    }
    return pieces;
}

// The number of decimals a number written by formatNumber carries: the
// digits after the separator, less the exponent ("0.0259" 4, "1.5E-05" 6,
// "2E+03" 0).
int decimalsOf(std::string_view text, char decimalSeparator) {
    const std::size_t e = text.find_first_of("Ee");
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t sep = mantissa.find(decimalSeparator);
    int decimals = sep == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - sep - 1);
    if (e != std::string_view::npos) {
        int exponent = 0;
        std::string_view digits = text.substr(e + 1);
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        decimals -= exponent;
    }
    return std::clamp(decimals, 0, 60);
}

// A sum of printed values rounded to the decimals of its terms, so that no
// binary noise of the addition reaches the table.
double roundedTo(double value, int decimals) {
    char buffer[128];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return value;
    double rounded = value;
    std::from_chars(buffer, end, rounded);
    return rounded == 0.0 ? 0.0 : rounded;  // no "-0"
}

}  // namespace

std::string withCrLfLineEnds(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32 + 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<BondCriticalPoint> readBondCriticalPoints(std::string_view bytes) {
    std::vector<BondCriticalPoint> out;
    FoldedText text(withCrLfLineEnds(bytes));
    TextRef listing = textoentre(text, kListingStart, kListingEnd, false);
    if (listing.empty())
        return out;
    for (TextRef point : criticalPoints(listing)) {
        if (point.empty() || !contienetexto(point, kBondPoint))
            continue;
        BondCriticalPoint p;
        p.type = textoentre(point, "Type = ", kCrLf, false).str();
        p.rho = numeroentre(point, "Rho = ", " ", false);
        p.laplacian = numeroentre(point, "DelSqRho = ", kCrLf, false);
        p.ellipticity = numeroentre(point, "Bond Ellipticity =", kCrLf, false);
        p.v = numeroentre(point, "V =", kCrLf, false);
        p.g = numeroentre(point, "G =", kCrLf, false);
        // Rounded to the decimals of the V and G as the table writes them,
        // so that no binary noise of the addition reaches it.
        const int decimals = std::max(decimalsOf(formatNumber(p.g, '.'), '.'),
                                      decimalsOf(formatNumber(p.v, '.'), '.'));
        p.h = roundedTo(p.g + p.v, decimals);
        out.push_back(std::move(p));
    }
    return out;
}

namespace {

// The rows of one file's points, from `row` on: a title row first unless
// the file is the first with points (row 1).
std::size_t addAimRows(Table& table, const AimFile& file, std::size_t row,
                       const std::function<void(std::size_t)>& writeTitles, char decimalSeparator) {
    if (row != 1) {
        writeTitles(row);
        ++row;
    }
    table.set(0, row, file.name);
    for (const BondCriticalPoint& p : file.points) {
        auto put = [&](std::size_t column, double value) {
            table.setNumber(column, row, value, formatNumber(value, decimalSeparator));
        };
        table.set(1, row, p.type);
        put(2, p.rho);
        put(3, p.laplacian);
        put(4, p.ellipticity);
        put(5, p.v);
        put(6, p.g);
        put(7, p.h);
        ++row;
    }
    return row;
}

}  // namespace

std::optional<AimRun> runAim(const FileRows& files, const MessageLookup& message,
                             char decimalSeparator, const RunProgress& progress) {
    AimRun run;
    run.table = Table(kAimColumns, 1);
    auto writeTitles = [&](std::size_t row) {
        for (std::size_t c = 0; c < kAimColumns; ++c)
            run.table.set(c, row, upperCaption(message ? message(kAimCaptionMessages[c]) : ""));
    };
    writeTitles(0);
    std::size_t nextRow = 1;

    for (std::size_t r = 0; r < files.size(); ++r) {
        const FileRow& file = files[r];
        if (!file.checked)
            continue;
        if (progress && !progress(r, file.name))
            return std::nullopt;
        if (!endsWithSum(file.name)) {
            run.untick.push_back(r);
            continue;
        }
        // A file that fails half-way (out of memory, say) leaves no rows and
        // becomes a failure; the batch goes on.
        const std::size_t rowsBefore = run.table.rows();
        try {
            auto bytes = readFileBytes(file.path);
            if (!bytes) {
                run.failures.push_back(bytes.error());
                continue;
            }
            AimFile read{file.name, file.path, readBondCriticalPoints(*bytes)};
            if (read.points.empty())
                continue;
            nextRow = addAimRows(run.table, read, nextRow, writeTitles, decimalSeparator);
            run.files.push_back(std::move(read));
        } catch (const std::exception& e) {
            run.table.resizeRows(rowsBefore);
            run.failures.push_back(Error{failureReason(e), file.path});
        }
    }
    return run;
}

}  // namespace zerlant
