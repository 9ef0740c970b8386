#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "double_text.h"
#include "literal_scan.h"
#include "vantrel.h"

// The exactness contract on a seeded random corpus: for inputs where the plain scan ends, the
// engine returns the very same double. The corpus is split into shards that ctest can run side
// by side; every shard draws its own cases from its own seed.
namespace {

constexpr int kShards = 8;
constexpr int kCasesPerShard = 1250;  // 10,000 per function in all
constexpr std::uint64_t kScanLimit = 50'000'000;

double log_uniform(std::mt19937_64& random, double low, double high) {
    std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
    return std::pow(10.0, exponent(random));
}

// Traffic from 0.01 to 500 erlangs; targets from 1e-9 to 0.99, with some negative ones.
class TrunkCorpus : public testing::TestWithParam<int> {};

TEST_P(TrunkCorpus, AgreesWithThePlainScanBitForBit) {
    std::mt19937_64 random(1000 + GetParam());
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < kCasesPerShard; ++i) {
        const double A = log_uniform(random, 0.01, 500);
        const double p = unit(random) < 0.05 ? -unit(random) : log_uniform(random, 1e-9, 0.99);
        const auto expected = literal::cal_trunk(A, p, kScanLimit);
        ASSERT_TRUE(expected.has_value());
        const double lines = cal_trunk(A, p);
        ASSERT_TRUE(same_double(lines, *expected))
            << "cal_trunk(" << digits17(A) << ", " << digits17(p) << ") = " << digits17(lines)
            << ", the plain scan gives " << digits17(*expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, TrunkCorpus, testing::Range(0, kShards));

// Line counts from -5 to 300, fractions included; targets as above; times of either sign.
class TrafficCorpus : public testing::TestWithParam<int> {};

TEST_P(TrafficCorpus, AgreesWithThePlainScanBitForBit) {
    std::mt19937_64 random(2000 + GetParam());
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < kCasesPerShard; ++i) {
        const double p = unit(random) < 0.05 ? -unit(random) : log_uniform(random, 1e-9, 0.99);
        const double n =
            unit(random) < 0.3 ? std::floor(-5 + 306 * unit(random)) : -5 + 305 * unit(random);
        const double t = (unit(random) < 0.1 ? -1 : 1) * log_uniform(random, 0.01, 100);
        const auto expected = literal::cal_traffic(p, n, t, kScanLimit);
        ASSERT_TRUE(expected.has_value());
        const double calls = cal_traffic(p, n, t);
        ASSERT_TRUE(same_double(calls, *expected))
            << "cal_traffic(" << digits17(p) << ", " << digits17(n) << ", " << digits17(t)
            << ") = " << digits17(calls) << ", the plain scan gives " << digits17(*expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, TrafficCorpus, testing::Range(0, kShards));

}  // namespace
