// The design advisor's speed: candidate designs per second on one processor core, the
// whole sample data file (read, designed, ranked), and the sample file with 100,000 more
// core variants (copies of the sample's cores, scaled). A program run by hand:
//
//   build/bench/tolvik_advisor_bench

#include "large_data_file.h"
#include "tolvik/advisor/advisor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace {

using namespace tolvik::advisor;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

/// Processor time of this thread [s]: the rate per core holds on a busy machine too.
double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

/// The best of a few runs, in seconds.
double Best(int runs, const std::function<void()>& f) {
    double best = 1e300;
    for (int k = 0; k < runs; ++k) {
        const auto t = Clock::now();
        f();
        best = std::min(best, Seconds(t));
    }
    return best;
}

const ChokeRequest kChoke{1, 2, 10, 25, 0.4, 100};
const TransformerRequest kTransformer{100, 100};

struct Figures {
    std::size_t candidates = 0;
    double load_s = 0, choke_s = 0, transformer_s = 0;
    double chokeRank_s = 0, transformerRank_s = 0;              ///< the ranking's share of the two
    double loadCpu_s = 0, chokeCpu_s = 0, transformerCpu_s = 0; ///< processor time of all threads
};

/// Processor time of the whole process [s].
double ProcessSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

Figures Whole(const std::string& path, int runs) {
    Figures f;
    Catalogue cat;
    f.load_s = Best(runs, [&] {
        auto db = tolvik::data::Database::open(path);
        cat = LoadCatalogue(*db);
    });
    f.chokeRank_s = f.transformerRank_s = 1e300;
    f.choke_s = Best(runs, [&] {
        auto d = AdviseChoke(cat, kChoke);
        const auto t = Clock::now();
        Rank(d, cat, SortKey::Volume);
        f.chokeRank_s = std::min(f.chokeRank_s, Seconds(t));
        f.candidates = d.size();
    });
    std::size_t t = 0;
    f.transformer_s = Best(runs, [&] {
        auto d = AdviseTransformer(cat, kTransformer);
        const auto from = Clock::now();
        Rank(d, cat, SortKey::Volume);
        f.transformerRank_s = std::min(f.transformerRank_s, Seconds(from));
        t = d.size();
    });
    f.candidates += t;
    // Processor time of all threads, phase by phase: on a busy machine the time on the clock
    // grows, this does not.
    double cpu = ProcessSeconds();
    auto db = tolvik::data::Database::open(path);
    cat = LoadCatalogue(*db);
    f.loadCpu_s = ProcessSeconds() - cpu;
    cpu = ProcessSeconds();
    {
        auto c = AdviseChoke(cat, kChoke);
        Rank(c, cat, SortKey::Volume);
    }
    f.chokeCpu_s = ProcessSeconds() - cpu;
    cpu = ProcessSeconds();
    {
        auto d = AdviseTransformer(cat, kTransformer);
        Rank(d, cat, SortKey::Volume);
    }
    f.transformerCpu_s = ProcessSeconds() - cpu;
    return f;
}

} // namespace

int main() {
    auto db = tolvik::data::Database::open(TOLVIK_SAMPLE_DB);
    const Catalogue cat = LoadCatalogue(*db);

    // One processor core: the sample's candidates again and again for about a second.
    std::size_t chokes = 0, transformers = 0;
    RunControl one;
    one.threads = 1;
    double t = ThreadSeconds();
    while (ThreadSeconds() - t < 1.0)
        chokes += AdviseChoke(cat, kChoke, one).size();
    const double chokeRate = chokes / (ThreadSeconds() - t);
    t = ThreadSeconds();
    while (ThreadSeconds() - t < 1.0)
        transformers += AdviseTransformer(cat, kTransformer, one).size();
    const double transformerRate = transformers / (ThreadSeconds() - t);
    std::printf("processor cores: %u\n", std::max(1u, std::thread::hardware_concurrency()));
    std::printf("choke candidates per second, one core:       %10.0f\n", chokeRate);
    std::printf("transformer candidates per second, one core: %10.0f\n", transformerRate);

    const Figures sample = Whole(TOLVIK_SAMPLE_DB, 5);
    std::printf(
        "sample (%zu core variants, %zu candidates): read %.1f ms, chokes %.1f ms, transformers %.1f ms, "
        "all %.1f ms\n",
        cat.cores.size(), sample.candidates, sample.load_s * 1e3, sample.choke_s * 1e3,
        sample.transformer_s * 1e3, (sample.load_s + sample.choke_s + sample.transformer_s) * 1e3);

    const std::string large = tolvik::bench::LargeDataFile(TOLVIK_SAMPLE_DB);
    const Figures big = Whole(large, 2);
    std::printf(
        "sample + 100,000 cores (%zu candidates): read %.0f ms, chokes %.0f ms, transformers %.0f ms, "
        "all %.0f ms;\n  of which ranking: chokes %.0f ms, transformers %.0f ms;\n"
        "  processor time of all threads: read %.0f ms, chokes %.0f ms, transformers %.0f ms\n",
        big.candidates, big.load_s * 1e3, big.choke_s * 1e3, big.transformer_s * 1e3,
        (big.load_s + big.choke_s + big.transformer_s) * 1e3, big.chokeRank_s * 1e3,
        big.transformerRank_s * 1e3, big.loadCpu_s * 1e3, big.chokeCpu_s * 1e3, big.transformerCpu_s * 1e3);
    tolvik::bench::RemoveLargeDataFile(large);
    return 0;
}
