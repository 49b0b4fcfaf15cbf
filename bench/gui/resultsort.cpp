// Time to sort a big results table by each kind of column, as a click on a
// column title does: 20,000 rows by default (a folder of that many outputs),
// a number column, a text column and the CPU time.  The target is under
// 0.2 s per sort.
//
//   QT_QPA_PLATFORM=offscreen bench_resultsort [ROWS]

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "gui/results/tablemodel.hpp"

using namespace zerlant;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20000;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> energy(-900.0, -40.0);
    std::uniform_int_distribution<int> letter('A', 'Z');

    ViewTable view;
    view.columns = {{"FILE", {}, {}, {}},
                    {"FORMULA", {}, {}, {}},
                    {"ENERGY", "hartree", {}, {9, true}},
                    {"CPU TIME", {}, {}, {}}};
    for (std::size_t r = 0; r < rows; ++r) {
        std::string name = "job_";
        for (int i = 0; i < 6; ++i) name += static_cast<char>(letter(random));
        const std::string formula = "C" + std::to_string(r % 40 + 1) + "H" + std::to_string(r % 17);
        const CpuTime cpu{0, double(r % 24), double(r % 60), double(r % 59) + 0.5};
        view.addRow(
            {name + ".log", formula, r % 97 == 0 ? CellValue() : CellValue(energy(random)), cpu},
            name + ".log");
    }
    zerlant::gui::ResultTableModel model;
    model.setView(std::move(view), "N/A", '.');
    zerlant::gui::ResultSortProxy proxy;
    proxy.setSourceModel(&model);

    const char* names[] = {"file (text)", "formula (text)", "energy (number)", "CPU time"};
    for (int column = 0; column < 4; ++column) {
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            const auto start = std::chrono::steady_clock::now();
            proxy.sort(column, order);
            const double s =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("%-16s %-10s %zu rows  %7.1f ms%s\n", names[column],
                        order == Qt::AscendingOrder ? "ascending" : "descending", rows, s * 1e3,
                        s < 0.2 ? "" : "  (over 0.2 s)");
        }
    }
    return 0;
}
