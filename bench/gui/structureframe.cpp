// Time to draw one frame of the structure view: 2,000 atoms by default (C,
// H, N and O with their bonds) in a 1000x700 view,
// turned a little between frames as a drag does, and the time to find the
// bonds of a frame (a mode or an optimisation step moves the atoms).  The
// target is under 16 ms per frame.
//
//   QT_QPA_PLATFORM=offscreen bench_structureframe [ATOMS]

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "core/molecule/geometry.hpp"
#include "gui/molecule/structurecanvas.hpp"

using namespace zerlant;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 2000;
    // Chains of heavy atoms 1.5 A apart along x, 3.5 A from each other in y
    // and z, each heavy atom with a hydrogen at 1.09 A: about one bond per
    // atom, as in a protein.
    std::mt19937 random(11);
    std::uniform_real_distribution<double> jitter(-0.05, 0.05);
    const int elements[] = {6, 6, 6, 7, 8};
    const int chain = 20;  // heavy atoms per chain
    const int across = static_cast<int>(std::ceil(std::sqrt(count / (2.0 * chain))));
    std::vector<CartesianAtom> atoms;
    for (int i = 0; atoms.size() < count; ++i) {
        const int x = i % chain, c = i / chain;
        const double y = 3.5 * (c % across), z = 3.5 * (c / across);
        const int zNumber = elements[i % 5];
        atoms.push_back({zNumber,
                         zNumber == 6   ? "C"
                         : zNumber == 7 ? "N"
                                        : "O",
                         1.5 * x + jitter(random), y + jitter(random), z + jitter(random)});
        if (atoms.size() < count)
            atoms.push_back(
                {1, "H", atoms.back().x, atoms.back().y + (x % 2 ? 1.09 : -1.09), atoms.back().z});
    }

    gui::StructureCanvas canvas;
    canvas.resize(1000, 700);
    canvas.setAtoms(atoms);
    QImage image(1000, 700, QImage::Format_ARGB32_Premultiplied);
    using Clock = std::chrono::steady_clock;
    constexpr int kFrames = 60;
    {
        QPainter warm(&image);
        canvas.render(warm, image.size());  // the shaded balls are drawn once
    }
    const auto start = Clock::now();
    for (int f = 0; f < kFrames; ++f) {
        canvas.camera().rotate(4, 2);
        QPainter painter(&image);
        canvas.render(painter, image.size());
    }
    const double frame =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kFrames;

    const auto bondStart = Clock::now();
    std::size_t bonds = 0;
    for (int f = 0; f < 10; ++f) bonds = molecule::findBonds(atoms).size();
    const double bondTime =
        std::chrono::duration<double, std::milli>(Clock::now() - bondStart).count() / 10;

    std::printf("atoms %zu, bonds %zu\n", atoms.size(), bonds);
    std::printf("frame   %.2f ms (target under 16 ms)\n", frame);
    std::printf("bonds   %.2f ms per frame that moves the atoms\n", bondTime);
    return frame < 16.0 ? 0 : 1;
}
