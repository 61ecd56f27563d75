// One export of the reference chart (3 series x 12 categories, 3-D clustered column,
// three titles, legend on top, value labels on one series), by stage and whole.
// Medians: run with --benchmark_repetitions=9 --benchmark_report_aggregates_only=true.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "render/paint/cairo_painter.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/export/exporter.hpp"
#include "render/image/image_encoders.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render/image/quantizer.hpp"
#include "render_test_charts.h"

namespace {

using namespace sheethost::render;

const chart_snapshot &chart()
{
    static const chart_snapshot c = render_test::reference_chart(54);
    return c;
}

void layout(benchmark::State &state)
{
    pango_text_measurer measurer;
    for (auto _ : state)
        benchmark::DoNotOptimize(lay_out_chart(chart(), measurer));
}

void paint(benchmark::State &state)
{
    pango_text_measurer measurer;
    chart_layout l = lay_out_chart(chart(), measurer);
    for (auto _ : state)
        benchmark::DoNotOptimize(paint_scene(l.picture));
}

void encode(benchmark::State &state)
{
    pango_text_measurer measurer;
    raster picture = paint_scene(lay_out_chart(chart(), measurer).picture);
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> gif = encode_gif(quantize(picture));
        bytes = gif.size();
        benchmark::DoNotOptimize(gif.data());
    }
    state.counters["gif_bytes"] = static_cast<double>(bytes);
}

void quantize_only(benchmark::State &state)
{
    pango_text_measurer measurer;
    raster picture = paint_scene(lay_out_chart(chart(), measurer).picture);
    for (auto _ : state)
        benchmark::DoNotOptimize(quantize(picture));
}

void export_to_memory(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(encode_chart(chart(), image_format::gif));
}

void export_to_file(benchmark::State &state)
{
    std::string path = "/tmp/render_bench_" + std::to_string(::getpid()) + ".gif";
    for (auto _ : state)
        export_chart(chart(), path, u"GIF");
    std::remove(path.c_str());
}

// The encode side on the reference chart with a preset gradient background (the walls
// and floor as SetBackgroundEffect leaves them): the picture whose GIF size matters.
const raster &background_picture()
{
    static const raster picture = [] {
        pango_text_measurer measurer;
        return paint_scene(lay_out_chart(render_test::reference_chart_with_background(), measurer).picture);
    }();
    return picture;
}

void encode_with_background(benchmark::State &state)
{
    size_t bytes = 0, colours = 0;
    for (auto _ : state) {
        indexed_image q = quantize(background_picture());
        std::vector<uint8_t> gif = encode_gif(q);
        bytes = gif.size();
        colours = q.palette.size();
        benchmark::DoNotOptimize(gif.data());
    }
    state.counters["gif_bytes"] = static_cast<double>(bytes);
    state.counters["palette"] = static_cast<double>(colours);
}

void quantize_with_background(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(quantize(background_picture()));
}

// The GIF writer alone (LZW and framing), on an already indexed picture.
void gif_only_with_background(benchmark::State &state)
{
    indexed_image q = quantize(background_picture());
    for (auto _ : state)
        benchmark::DoNotOptimize(encode_gif(q));
}

// The painter and the whole export on the reference chart, background
// included: what a client waits for per chart once the process is warm.
void paint_with_background(benchmark::State &state)
{
    pango_text_measurer measurer;
    chart_layout l = lay_out_chart(render_test::reference_chart_with_background(), measurer);
    for (auto _ : state)
        benchmark::DoNotOptimize(paint_scene(l.picture));
}

void export_with_background(benchmark::State &state)
{
    const chart_snapshot c = render_test::reference_chart_with_background();
    for (auto _ : state)
        benchmark::DoNotOptimize(encode_chart(c, image_format::gif));
}

// Every preset background (1 - 23) on the reference chart: the largest GIF and the
// lowest PSNR against the true-colour picture, as counters. One iteration is all 23.
void gif_by_preset(benchmark::State &state)
{
    double largest = 0, worst_db = 1000;
    int largest_preset = 0;
    for (auto _ : state) {
        for (int preset = 1; preset <= 23; ++preset) {
            pango_text_measurer measurer;
            raster picture =
                paint_scene(lay_out_chart(render_test::reference_chart_with_background(54, preset), measurer).picture);
            indexed_image q = quantize(picture);
            std::vector<uint8_t> gif = encode_gif(q);
            double squared = 0;
            for (size_t i = 0; i < picture.pixels.size(); ++i)
                for (int shift : {0, 8, 16}) {
                    double d = static_cast<double>((picture.pixels[i] >> shift) & 0xFF) -
                               static_cast<double>((q.palette[q.pixels[i]] >> shift) & 0xFF);
                    squared += d * d;
                }
            double mse = squared / (3.0 * static_cast<double>(picture.pixels.size()));
            worst_db = std::min(worst_db, mse == 0 ? 1000 : 10 * std::log10(255.0 * 255.0 / mse));
            if (static_cast<double>(gif.size()) > largest) {
                largest = static_cast<double>(gif.size());
                largest_preset = preset;
            }
        }
    }
    state.counters["largest_gif_bytes"] = largest;
    state.counters["largest_preset"] = largest_preset;
    state.counters["worst_psnr_db"] = worst_db;
}

BENCHMARK(layout)->Unit(benchmark::kMicrosecond);
BENCHMARK(paint)->Unit(benchmark::kMicrosecond);
BENCHMARK(encode)->Unit(benchmark::kMicrosecond);
BENCHMARK(quantize_only)->Unit(benchmark::kMicrosecond);
BENCHMARK(export_to_memory)->Unit(benchmark::kMicrosecond);
BENCHMARK(export_to_file)->Unit(benchmark::kMicrosecond);
BENCHMARK(encode_with_background)->Unit(benchmark::kMicrosecond);
BENCHMARK(quantize_with_background)->Unit(benchmark::kMicrosecond);
BENCHMARK(gif_only_with_background)->Unit(benchmark::kMicrosecond);
BENCHMARK(paint_with_background)->Unit(benchmark::kMicrosecond);
BENCHMARK(export_with_background)->Unit(benchmark::kMicrosecond);
BENCHMARK(gif_by_preset)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
