// What a button costs to paint: the repaint requests that change nothing come by the dozen from
// mouse moves over a button, so they must stay far cheaper than a real paint.
#include <benchmark/benchmark.h>

#include "widgets/ButtonModel.h"
#include "widgets/RasterCanvas.h"

namespace {

using widgets::ButtonModel;
using widgets::testing::FakeHost;
using widgets::testing::RasterCanvas;

constexpr int kWidth = 233;  // the visit button of the child's window, in pixels
constexpr int kHeight = 41;

struct StoredButton {
    FakeHost host;
    widgets::ButtonEvents events;
    ButtonModel model{host, events};

    explicit StoredButton(std::int32_t type) {
        model.ReadProperties(widgets::StoredButtonSet("VISIT A SITE"));
        model.SetButtonType(type);
        model.Resize(kWidth, kHeight);
        RasterCanvas first(kWidth, kHeight);
        model.Paint(first);
    }
};

void UnforcedRepaintThatChangesNothing(benchmark::State& state) {
    StoredButton button(widgets::SoftRounded);
    const int before = button.host.invalidations;
    for (auto _ : state) {
        button.model.DrawButton(widgets::kNormal, false);
        benchmark::ClobberMemory();
    }
    // A request that reached the window system would have asked the host for a paint.
    if (button.host.invalidations != before) {
        state.SkipWithError("an unchanged, unforced request asked for a paint");
    }
}
BENCHMARK(UnforcedRepaintThatChangesNothing);

// A forced request and the paint it leads to, in each drawing style.
void FullDrawButton(benchmark::State& state) {
    StoredButton button(static_cast<std::int32_t>(state.range(0)));
    RasterCanvas canvas(kWidth, kHeight);
    for (auto _ : state) {
        button.model.DrawButton(widgets::kNormal, true);
        button.model.Paint(canvas);
        benchmark::DoNotOptimize(canvas.At(kWidth / 2, kHeight / 2));
    }
}
BENCHMARK(FullDrawButton)->DenseRange(widgets::OutlinedRaised, widgets::SingleEdge);

}  // namespace

BENCHMARK_MAIN();
