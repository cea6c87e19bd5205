#include "plenko-core/metric.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "plenko-core/lanes.hpp"

namespace plenko {

namespace {

using lanes::Pair;

// Stored fingerprints scored side by side, two per Pair; each lane is one
// fingerprint with its own accumulators.
constexpr std::size_t kPairs = 4;
constexpr std::size_t kLanes = 2 * kPairs;
constexpr double kInf = std::numeric_limits<double>::infinity();

// std::trunc without a library call: below 2^52 in magnitude the value
// truncates through a 64-bit integer exactly (the sign kept for -0.0);
// larger values, infinities and NaN are already whole or left as they are.
inline double trunc_exact(double x) {
    if (!(std::fabs(x) < 4503599627370496.0)) return x;
    return std::copysign(static_cast<double>(static_cast<std::int64_t>(x)), x);
}

// (cos + 1) / 2 without overflowing for huge |cos|.
double cosine_similarity_of(double cos) {
    return std::fabs(cos) <= 8.988465674311579e307 ? (cos + 1.0) * 0.5 : cos * 0.5 + 0.5;
}

double distance_similarity(double d) { return 1.0 / (d + 1.0); }

struct Group {
    const double* c[kLanes];
    double root_norm[kLanes];
    std::size_t count;  // real lanes; the others repeat the last one
};

Group make_group(const StoredView& s, std::size_t first, std::size_t count) {
    Group g{};
    g.count = count;
    for (std::size_t l = 0; l < kLanes; ++l) {
        const std::size_t i = first + std::min(l, count - 1);
        g.c[l] = s.values + i * s.dim;
        g.root_norm[l] = s.root_norms ? s.root_norms[i] : 0.0;
    }
    return g;
}

inline Pair pair_at(const Group& g, std::size_t p, std::size_t m) { return Pair{g.c[2 * p][m], g.c[2 * p + 1][m]}; }

void cosine_group(const PreparedQuery& q, const Group& g, std::size_t dim, double* sim) {
    Pair dot[kPairs] = {};
    const double* qv = q.values.data();
    for (std::size_t m = 0; m < dim; ++m) {
        const Pair a = lanes::splat(qv[m]);
        for (std::size_t p = 0; p < kPairs; ++p) dot[p] += a * pair_at(g, p, m);
    }
    for (std::size_t l = 0; l < kLanes; ++l) {
        const double den = q.root_sq * g.root_norm[l];
        const double cos = den == 0.0 ? 0.0 : dot[l / 2][l % 2] / den;
        sim[l] = cosine_similarity_of(cos);
    }
}

void euclid_group(const PreparedQuery& q, const Group& g, std::size_t dim, double* sim) {
    Pair acc[kPairs] = {};
    const double* qv = q.values.data();
    for (std::size_t m = 0; m < dim; ++m) {
        const Pair a = lanes::splat(qv[m]);
        for (std::size_t p = 0; p < kPairs; ++p) {
            const Pair d = a - pair_at(g, p, m);
            acc[p] += d * d;
        }
    }
    for (std::size_t p = 0; p < kPairs; ++p) {
        const Pair d = lanes::sqrt(acc[p]);
        sim[2 * p] = distance_similarity(d[0]);
        sim[2 * p + 1] = distance_similarity(d[1]);
    }
}

// Dynamic time warping over the window's steps, row by row: a cell needs only
// its upper, left and upper-left neighbours, so two rows give the same
// results as the whole matrix.
void dtw_group(const PreparedQuery& q, const Group& g, std::size_t dim, DtwScratch& s, double* sim) {
    const std::size_t w = q.window;
    const std::size_t len = std::min(q.step_len, dim / w);
    Pair* stored = s.lanes.data();
    for (std::size_t x = 0; x < len * w; ++x)
        for (std::size_t p = 0; p < kPairs; ++p) stored[x * kPairs + p] = pair_at(g, p, x);
    Pair* cost = s.cost.data();
    Pair* prev = s.prev.data();
    Pair* cur = s.cur.data();
    const Pair inf = lanes::splat(kInf);
    const std::size_t row = w * kPairs;
    for (std::size_t j = 0; j < w; ++j) {
        // Local costs of row j: element m of step k sits at m * w + k.
        std::fill(cost, cost + row, Pair{});
        const double* a = q.steps.data() + j * q.step_len;
        for (std::size_t m = 0; m < len; ++m) {
            const Pair am = lanes::splat(a[m]);
            const Pair* b = stored + m * row;
            for (std::size_t x = 0; x < row; ++x) {
                const Pair d = am - b[x];
                cost[x] += d * d;
            }
        }
        for (std::size_t x = 0; x < row; ++x) cost[x] = lanes::sqrt(cost[x]);

        // Cells are +0.0 or more, +inf or NaN, never -0.0, so the smallest
        // non-NaN predecessor is the same whichever order they are taken
        // in; taking the left one last keeps it off most of the chain.
        if (j == 0) {
            for (std::size_t p = 0; p < kPairs; ++p) cur[p] = cost[p] + 0.0;
            for (std::size_t x = kPairs; x < row; ++x) cur[x] = cost[x] + lanes::smaller(inf, cur[x - kPairs]);
        } else {
            for (std::size_t p = 0; p < kPairs; ++p) cur[p] = cost[p] + lanes::smaller(inf, prev[p]);
            for (std::size_t x = kPairs; x < row; ++x) {
                const Pair up_diag = lanes::smaller(lanes::smaller(inf, prev[x]), prev[x - kPairs]);
                cur[x] = cost[x] + lanes::smaller(up_diag, cur[x - kPairs]);
            }
        }
        std::swap(prev, cur);
    }
    for (std::size_t p = 0; p < kPairs; ++p) {
        const Pair d = prev[(w - 1) * kPairs + p];
        sim[2 * p] = distance_similarity(d[0]);
        sim[2 * p + 1] = distance_similarity(d[1]);
    }
}

}  // namespace

double round_similarity(double s) {
    const double x = s * 100000000.0;
    return trunc_exact(x + std::copysign(0.49999999999999994, x)) / 100000000.0;
}

double root_sum_squares(std::span<const double> v) {
    double sum = 0.0;
    for (double x : v) sum += x * x;
    return std::sqrt(sum);
}

PreparedQuery prepare_query(Metric metric, std::vector<double> values, std::size_t window) {
    PreparedQuery q;
    q.metric = metric;
    q.window = window;
    q.values = std::move(values);
    if (metric == Metric::Cosine) q.root_sq = root_sum_squares(q.values);
    if (metric == Metric::Dtw) {
        // Step i holds every feature's value at window position i.
        q.step_len = q.values.size() / window;
        q.steps.resize(q.step_len * window);
        for (std::size_t i = 0; i < window; ++i)
            for (std::size_t m = 0; m < q.step_len; ++m) q.steps[i * q.step_len + m] = q.values[m * window + i];
    }
    return q;
}

void DtwScratch::fit(std::size_t dim, std::size_t window) {
    if (lanes.size() < dim * kPairs) lanes.resize(dim * kPairs);
    if (cost.size() < window * kPairs) {
        cost.resize(window * kPairs);
        prev.resize(window * kPairs);
        cur.resize(window * kPairs);
    }
}

void score_range(const PreparedQuery& query, const StoredView& stored, std::size_t begin, std::size_t end,
                 double* out, DtwScratch& scratch) {
    double sim[kLanes];
    for (std::size_t i = begin; i < end; i += kLanes) {
        const Group g = make_group(stored, i, std::min(kLanes, end - i));
        switch (query.metric) {
            case Metric::Cosine: cosine_group(query, g, stored.dim, sim); break;
            case Metric::Euclid: euclid_group(query, g, stored.dim, sim); break;
            case Metric::Dtw: dtw_group(query, g, stored.dim, scratch, sim); break;
        }
        for (std::size_t l = 0; l < g.count; ++l) out[i + l] = round_similarity(sim[l]);
    }
}

}  // namespace plenko
