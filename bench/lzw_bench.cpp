// The GIF writer on its own: lzw_compress and encode_gif on the reference chart with its
// preset background (already quantized, so only the writer is timed), and lzw_compress on
// pictures that bound it: all noise (the string table fills and restarts all the time)
// and long flat runs. For instructions per call, run it under
//   valgrind --tool=callgrind --toggle-collect='sheethost::render::lzw_compress*' ...
#include <benchmark/benchmark.h>

#include <random>

#include "render/image/image_encoders.hpp"
#include "render/image/lzw_encoder.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/paint/cairo_painter.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render_test_charts.h"

namespace {

using namespace sheethost::render;

const indexed_image &reference_indexes()
{
    static const indexed_image image = [] {
        pango_text_measurer measurer;
        return quantize(paint_scene(lay_out_chart(render_test::reference_chart_with_background(), measurer).picture));
    }();
    return image;
}

int code_size_for(size_t colours)
{
    int bits = 2;
    while ((size_t{1} << bits) < colours)
        ++bits;
    return bits;
}

void lzw_reference(benchmark::State &state)
{
    const indexed_image &image = reference_indexes();
    int code_size = code_size_for(image.palette.size());
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> out = lzw_compress(image.pixels.data(), image.pixels.size(), code_size);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(image.pixels.size()));
}

void gif_reference(benchmark::State &state)
{
    const indexed_image &image = reference_indexes();
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> gif = encode_gif(image);
        bytes = gif.size();
        benchmark::DoNotOptimize(gif.data());
    }
    state.counters["gif_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(image.pixels.size()));
}

// 800 x 450 indexes: state.range(0) colours of noise, or, with range(1) set, rows of one
// colour each (runs as long as the picture is wide).
void lzw_synthetic(benchmark::State &state)
{
    const int colours = static_cast<int>(state.range(0));
    const bool runs = state.range(1) != 0;
    std::vector<uint8_t> pixels(800 * 450);
    std::mt19937 random(7);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>((runs ? i / 800 : random()) % static_cast<unsigned>(colours));
    for (auto _ : state)
        benchmark::DoNotOptimize(lzw_compress(pixels.data(), pixels.size(), code_size_for(colours)).data());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pixels.size()));
}

BENCHMARK(lzw_reference)->Unit(benchmark::kMicrosecond);
BENCHMARK(gif_reference)->Unit(benchmark::kMicrosecond);
BENCHMARK(lzw_synthetic)->Unit(benchmark::kMicrosecond)->ArgNames({"colours", "runs"})->Args({256, 0})->Args({16, 0})->Args({91, 1});

}  // namespace
