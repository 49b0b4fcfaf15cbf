#include "core/plotdata/scanprofile.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/plotdata/broadening.hpp"
#include "core/plotdata/numbertext.hpp"
#include "core/results/scanaimexport.hpp"

namespace zerlant::plotdata {

void fillRelative(ScanProfile& p) {
    p.relative.clear();
    if (p.energy.empty())
        return;
    p.lowest = static_cast<std::size_t>(std::min_element(p.energy.begin(), p.energy.end()) -
                                        p.energy.begin());
    const double low = p.energy[p.lowest];
    for (double e : p.energy) p.relative.push_back((e - low) * kHartreeKcal);
}

std::vector<ScanProfile> scanProfiles(const Table& table) {
    constexpr std::size_t first = kScanFileColumns;  // the summary's fields start here
    std::vector<ScanProfile> out;
    std::vector<std::string> titles;
    bool open = false;
    auto close = [&] {
        if (open && !out.back().energy.empty())
            fillRelative(out.back());
        else if (open)
            out.pop_back();
        open = false;
    };
    for (std::size_t r = 0; r < table.rows(); ++r) {
        const std::string& lead = table.cell(first, r);
        auto step = numberIn(lead);
        if (!step) {
            if (lead.empty() || lead.front() == '-')
                continue;  // ruler or empty row
            close();
            titles.clear();
            for (std::size_t c = first; c < table.columns(); ++c)
                titles.push_back(table.cell(c, r));
            continue;
        }
        std::vector<std::pair<std::size_t, double>> fields;
        for (std::size_t c = first + 1; c < table.columns(); ++c)
            if (auto v = numberIn(table.cell(c, r)))
                fields.push_back({c - first, *v});
        if (fields.empty())
            continue;
        if (!open) {
            ScanProfile p;
            p.file = table.cell(0, r);
            auto title = [&](std::size_t i) {
                return i < titles.size() ? titles[i] : std::string();
            };
            p.coordinateName = fields.size() >= 2 ? title(fields.front().first) : title(0);
            p.energyName = title(fields.back().first);
            out.push_back(std::move(p));
            open = true;
        }
        auto& p = out.back();
        p.step.push_back(*step);
        p.coordinate.push_back(fields.size() >= 2 ? fields.front().second : *step);
        p.energy.push_back(fields.back().second);
    }
    close();
    return out;
}

}  // namespace zerlant::plotdata
