// SPDX-License-Identifier: GPL-3.0-or-later
// How long the large size takes to paint: the pictures the machine window shows, painted afresh at a scale
// (1.8 fills a 1920 x 1080 screen; 3.6 does so at a pixel ratio of 2).
#include "assets/painted_pictures.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// What the machine window shows at rest: its background and panel, the reels, the buttons and the markers.
const std::vector<std::pair<std::string, int>>& shownPictures() {
    static const std::vector<std::pair<std::string, int>> pictures = [] {
        std::vector<std::pair<std::string, int>> list = {
            {"background", 0}, {"panfreespin", 0}, {"LABLASTBET", 0}};
        for (int r = 1; r <= 5; ++r) list.emplace_back("reel" + std::to_string(r), 0);
        for (int i = 1; i <= 5; ++i) list.emplace_back("payline", i);
        for (int i = 1; i <= 6; ++i) list.emplace_back("pplay", i);
        for (const char* name :
             {"autoplayon", "autoplayoff", "btnoptions", "doublebutton", "coinsin", "notes"})
            list.emplace_back(name, 0);
        for (int i = 1; i <= 25; ++i) list.emplace_back("linepics", i);
        return list;
    }();
    return pictures;
}

void BM_PaintShownPictures(benchmark::State& state) {
    // Each run at a scale of its own, so that no studio's symbol tiles are reused.
    double scale = static_cast<double>(state.range(0)) / 10.0;
    for (auto _ : state) {
        scale += 0.001;
        for (const auto& [name, index] : shownPictures()) {
            benchmark::DoNotOptimize(zem::assets::paintedPicture(name, index, scale));
        }
    }
}
BENCHMARK(BM_PaintShownPictures)->Arg(18)->Arg(36)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
