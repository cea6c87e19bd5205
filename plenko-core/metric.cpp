#include "plenko-core/metric.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plenko {

namespace {

// Stored fingerprints scored side by side; each lane is one fingerprint with
// its own accumulators.
constexpr std::size_t kLanes = 4;
constexpr double kInf = std::numeric_limits<double>::infinity();

// (cos + 1) / 2 without overflowing for huge |cos|.
double cosine_similarity_of(double cos) {
    return std::fabs(cos) <= 8.988465674311579e307 ? (cos + 1.0) * 0.5 : cos * 0.5 + 0.5;
}

double distance_similarity(double d) { return 1.0 / (d + 1.0); }

// The smaller predecessor, ignoring a NaN candidate; `p` itself is never NaN.
inline double smaller(double p, double x) { return x < p ? x : p; }

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

void cosine_group(const PreparedQuery& q, const Group& g, std::size_t dim, double* sim) {
    double dot[kLanes] = {0.0, 0.0, 0.0, 0.0};
    const double* qv = q.values.data();
    for (std::size_t m = 0; m < dim; ++m) {
        const double a = qv[m];
        for (std::size_t l = 0; l < kLanes; ++l) dot[l] += a * g.c[l][m];
    }
    for (std::size_t l = 0; l < kLanes; ++l) {
        const double den = q.root_sq * g.root_norm[l];
        const double cos = den == 0.0 ? 0.0 : dot[l] / den;
        sim[l] = cosine_similarity_of(cos);
    }
}

void euclid_group(const PreparedQuery& q, const Group& g, std::size_t dim, double* sim) {
    double acc[kLanes] = {0.0, 0.0, 0.0, 0.0};
    const double* qv = q.values.data();
    for (std::size_t m = 0; m < dim; ++m) {
        const double a = qv[m];
        for (std::size_t l = 0; l < kLanes; ++l) {
            const double d = a - g.c[l][m];
            acc[l] += d * d;
        }
    }
    for (std::size_t l = 0; l < kLanes; ++l) sim[l] = distance_similarity(std::sqrt(acc[l]));
}

// Dynamic time warping over the window's steps, row by row: a cell needs only
// its upper, left and upper-left neighbours, so two rows give the same
// results as the whole matrix.
void dtw_group(const PreparedQuery& q, const Group& g, std::size_t dim, DtwScratch& s, double* sim) {
    const std::size_t w = q.window;
    const std::size_t stored_step_len = dim / w;
    const std::size_t len = std::min(q.step_len, stored_step_len);
    double* lanes = s.lanes.data();
    for (std::size_t x = 0; x < len * w; ++x)
        for (std::size_t l = 0; l < kLanes; ++l) lanes[x * kLanes + l] = g.c[l][x];
    double* cost = s.cost.data();
    double* prev = s.prev.data();
    double* cur = s.cur.data();
    for (std::size_t j = 0; j < w; ++j) {
        // Local costs of row j: element m of step k sits at m * w + k.
        std::fill(cost, cost + w * kLanes, 0.0);
        const double* a = q.steps.data() + j * q.step_len;
        for (std::size_t m = 0; m < len; ++m) {
            const double am = a[m];
            const double* b = lanes + m * w * kLanes;
            for (std::size_t x = 0; x < w * kLanes; ++x) {
                const double d = am - b[x];
                cost[x] += d * d;
            }
        }
        for (std::size_t x = 0; x < w * kLanes; ++x) cost[x] = std::sqrt(cost[x]);

        if (j == 0) {
            for (std::size_t l = 0; l < kLanes; ++l) cur[l] = cost[l] + 0.0;
            for (std::size_t k = 1; k < w; ++k)
                for (std::size_t l = 0; l < kLanes; ++l)
                    cur[k * kLanes + l] = cost[k * kLanes + l] + smaller(kInf, cur[(k - 1) * kLanes + l]);
        } else {
            for (std::size_t l = 0; l < kLanes; ++l) cur[l] = cost[l] + smaller(kInf, prev[l]);
            for (std::size_t k = 1; k < w; ++k) {
                for (std::size_t l = 0; l < kLanes; ++l) {
                    const std::size_t x = k * kLanes + l;
                    double p = smaller(kInf, prev[x]);
                    p = smaller(p, cur[x - kLanes]);
                    p = smaller(p, prev[x - kLanes]);
                    cur[x] = cost[x] + p;
                }
            }
        }
        std::swap(prev, cur);
    }
    for (std::size_t l = 0; l < kLanes; ++l) sim[l] = distance_similarity(prev[(w - 1) * kLanes + l]);
}

}  // namespace

double round_similarity(double s) {
    const double x = s * 100000000.0;
    return std::trunc(x + std::copysign(0.49999999999999994, x)) / 100000000.0;
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
    if (lanes.size() < dim * kLanes) lanes.resize(dim * kLanes);
    if (cost.size() < window * kLanes) {
        cost.resize(window * kLanes);
        prev.resize(window * kLanes);
        cur.resize(window * kLanes);
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
