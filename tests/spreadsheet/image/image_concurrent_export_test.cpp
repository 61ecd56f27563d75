// Exports from several threads at once share one font system: each must come out
// exactly as it does alone.
#include <gtest/gtest.h>

#include <thread>

#include "render/export/exporter.hpp"
#include "render_test_charts.h"

namespace {

using namespace render_test;
using namespace sheethost::render;

TEST(ConcurrentExport, GivesTheSameBytesAsAnExportAlone)
{
    const std::vector<chart_snapshot> charts = {reference_chart(51), reference_chart(54), long_heading_chart(51),
                                                negative_chart(54)};
    std::vector<std::vector<uint8_t>> alone;
    for (const chart_snapshot &c : charts)
        alone.push_back(encode_chart(c, image_format::gif));

    constexpr int kThreads = 4, kRounds = 3;
    std::vector<std::vector<std::vector<uint8_t>>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int r = 0; r < kRounds; ++r)
                results[t].push_back(encode_chart(charts[(t + r) % charts.size()], image_format::gif));
        });
    for (std::thread &t : threads)
        t.join();
    for (int t = 0; t < kThreads; ++t)
        for (int r = 0; r < kRounds; ++r)
            EXPECT_EQ(results[t][r], alone[(t + r) % charts.size()]) << "thread " << t << " round " << r;
}

}  // namespace
