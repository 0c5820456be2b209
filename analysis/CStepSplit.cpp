#include "CStepSplit.h"

#include "CSelection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace analysis {

namespace {

// The most steps one stretch is fitted with.
constexpr int kMaxSteps = 5;
// Columns of the fit: the line's level and slope, then one per step.
constexpr int kMaxColumns = 2 + kMaxSteps;
// A step counts where it stands this many standard deviations out of the
// noise, and exceeds the smallest step by this many.
constexpr double kStepZ = 5.0;
constexpr double kMarginZ = 1.0;
constexpr double kMadToSigma = 1.4826;
// Points to a pulse length where the trace has more samples than that.
constexpr double kPointsPerPulse = 8.0;
// Points a stretch is fitted on at the most (each the mean of its samples).
constexpr qint64 kMaxPoints = 1024;

using tMatrix = std::array<std::array<double, kMaxColumns>, kMaxColumns>;
using tVector = std::array<double, kMaxColumns>;

// Cholesky factor of the m x m matrix `a` in place (lower triangle); false
// where it is not positive definite.
bool Factor(tMatrix& a, int m)
{
    for (int j = 0; j < m; ++j) {
        double d = a[size_t(j)][size_t(j)];
        for (int k = 0; k < j; ++k)
            d -= a[size_t(j)][size_t(k)] * a[size_t(j)][size_t(k)];
        if (!(d > 1e-12))
            return false;
        a[size_t(j)][size_t(j)] = std::sqrt(d);
        for (int i = j + 1; i < m; ++i) {
            double v = a[size_t(i)][size_t(j)];
            for (int k = 0; k < j; ++k)
                v -= a[size_t(i)][size_t(k)] * a[size_t(j)][size_t(k)];
            a[size_t(i)][size_t(j)] = v / a[size_t(j)][size_t(j)];
        }
    }
    return true;
}

// Solves L z = b with the factor from Factor().
tVector Forward(const tMatrix& l, int m, tVector b)
{
    for (int i = 0; i < m; ++i) {
        for (int k = 0; k < i; ++k)
            b[size_t(i)] -= l[size_t(i)][size_t(k)] * b[size_t(k)];
        b[size_t(i)] /= l[size_t(i)][size_t(i)];
    }
    return b;
}

// Solves L^T x = z.
tVector Back(const tMatrix& l, int m, tVector z)
{
    for (int i = m - 1; i >= 0; --i) {
        for (int k = i + 1; k < m; ++k)
            z[size_t(i)] -= l[size_t(k)][size_t(i)] * z[size_t(k)];
        z[size_t(i)] /= l[size_t(i)][size_t(i)];
    }
    return z;
}

// One stretch of trace, indices t = 0 ... n-1 from its first sample, values
// about their mean; running sums make each fit's normal equations a few
// operations whatever the stretch's length.
class CStretch
{
public:
    // Each point the mean of `merge` samples; `pulse` in points.
    CStretch(const std::vector<quint16>& samples, qint64 first, qint64 last, qint64 merge, double pulse)
        : m_n((last - first) / merge), m_fPulse(pulse), m_nRamp(qint64(std::ceil(pulse)))
    {
        std::vector<double> points(size_t(m_n), 0.0);
        double mean = 0;
        for (qint64 t = 0; t < m_n; ++t) {
            for (qint64 i = first + t * merge; i < first + (t + 1) * merge; ++i)
                points[size_t(t)] += double(samples[size_t(i)]);
            points[size_t(t)] /= double(merge);
            mean += points[size_t(t)];
        }
        mean /= double(m_n);
        m_y.reserve(size_t(m_n));
        m_sumY.assign(size_t(m_n) + 1, 0.0);
        m_sumTY.assign(size_t(m_n) + 1, 0.0);
        for (qint64 t = 0; t < m_n; ++t) {
            const double y = points[size_t(t)] - mean;
            m_y.push_back(y);
            m_sumY[size_t(t) + 1] = m_sumY[size_t(t)] + y;
            m_sumTY[size_t(t) + 1] = m_sumTY[size_t(t)] + double(t) * y;
            m_sumYY += y * y;
        }
    }

    qint64 Count() const { return m_n; }

    struct tFit
    {
        int columns = 0;
        tMatrix factor {};
        // L^-1 of the right-hand side: the fit's coefficients are
        // L^-T of it, its explained sum of squares the square of its length.
        tVector projected {};
        double sse = 0;

        tVector Beta() const { return Back(factor, columns, projected); }
    };

    // The line with a ramp starting at each of `starts` (ascending, apart
    // by more than a ramp), or nothing where the equations are singular.
    std::optional<tFit> Fit(const qint64* starts, int count) const
    {
        const int m = 2 + count;
        const double n = double(m_n);
        tMatrix a {};
        tVector g {};
        a[0][0] = n;
        a[0][1] = S1(0, m_n) / n;
        a[1][1] = S2(0, m_n) / (n * n);
        g[0] = Y(0, m_n);
        g[1] = TY(0, m_n) / n;
        for (int k = 0; k < count; ++k) {
            const double x = double(starts[k]);
            const qint64 a0 = starts[k];
            const qint64 e = std::min(m_n, a0 + m_nRamp);
            const double p = m_fPulse;
            const double sum = (S1(a0, e) - x * S0(a0, e)) / p + S0(e, m_n);
            const double sumT = (S2(a0, e) - x * S1(a0, e)) / p + S1(e, m_n);
            const double sumSq = (S2(a0, e) - 2 * x * S1(a0, e) + x * x * S0(a0, e)) / (p * p) + S0(e, m_n);
            const size_t c = size_t(2 + k);
            a[0][c] = sum;
            a[1][c] = sumT / n;
            a[c][c] = sumSq;
            g[c] = (TY(a0, e) - x * Y(a0, e)) / p + Y(e, m_n);
            // An earlier ramp is 1 all along a later one.
            for (int j = 0; j < k; ++j)
                a[size_t(2 + j)][c] = sum;
        }
        for (int i = 0; i < m; ++i)
            for (int j = i + 1; j < m; ++j)
                a[size_t(j)][size_t(i)] = a[size_t(i)][size_t(j)];
        tFit fit;
        fit.columns = m;
        fit.factor = a;
        if (!Factor(fit.factor, m))
            return std::nullopt;
        fit.projected = Forward(fit.factor, m, g);
        double explained = 0;
        for (int i = 0; i < m; ++i)
            explained += fit.projected[size_t(i)] * fit.projected[size_t(i)];
        fit.sse = std::max(0.0, m_sumYY - explained);
        return fit;
    }

    // The noise about the fit, as one sample's standard deviation that gives
    // the scatter of means over stretches from half a pulse to a sixth of
    // the stretch: slow wander of the trace counts as much as the scatter of
    // single samples.
    double Noise(const std::vector<qint64>& starts, const tFit& fit) const
    {
        const tVector beta = fit.Beta();
        std::vector<double> residual(static_cast<size_t>(m_n));
        for (qint64 t = 0; t < m_n; ++t) {
            double model = beta[0] + beta[1] * double(t) / double(m_n);
            for (size_t k = 0; k < starts.size(); ++k)
                model += beta[2 + k] * std::clamp((double(t) - double(starts[k])) / m_fPulse, 0.0, 1.0);
            residual[size_t(t)] = m_y[size_t(t)] - model;
        }
        double sigma = 0;
        std::vector<double> means;
        for (qint64 block = std::max<qint64>(2, qint64(std::lround(0.5 * m_fPulse))); block <= m_n / 6; block *= 2) {
            means.clear();
            for (qint64 k = 0; k + block <= m_n; k += block) {
                double sum = 0;
                for (qint64 t = k; t < k + block; ++t)
                    sum += residual[size_t(t)];
                means.push_back(std::abs(sum) / double(block));
            }
            sigma = std::max(sigma, kMadToSigma * CSelection::Kth(means.data(), means.size(), means.size() / 2) * std::sqrt(double(block)));
        }
        return sigma;
    }

private:
    static double S0(qint64 a, qint64 b) { return double(b - a); }
    static double S1(qint64 a, qint64 b) { return 0.5 * (double(b) * double(b - 1) - double(a) * double(a - 1)); }
    static double S2(qint64 a, qint64 b)
    {
        const auto f = [](qint64 m) { return double(m - 1) * double(m) * double(2 * m - 1) / 6.0; };
        return f(b) - f(a);
    }
    double Y(qint64 a, qint64 b) const { return m_sumY[size_t(b)] - m_sumY[size_t(a)]; }
    double TY(qint64 a, qint64 b) const { return m_sumTY[size_t(b)] - m_sumTY[size_t(a)]; }

    qint64 m_n;
    double m_fPulse;
    qint64 m_nRamp;
    std::vector<double> m_y;
    std::vector<double> m_sumY;
    std::vector<double> m_sumTY;
    double m_sumYY = 0;
};

// The standard deviation of step k of a fit whose points scatter by `sigma`.
double StepSigma(const CStretch::tFit& fit, size_t k, double sigma)
{
    tVector unit {};
    unit[2 + k] = 1.0;
    const tVector z = Forward(fit.factor, fit.columns, unit);
    return sigma * std::sqrt(std::max(0.0, Back(fit.factor, fit.columns, z)[2 + k]));
}

} // namespace

CStepSplit::CStepSplit(const std::vector<quint16>& samples, double pulseSamples)
    : m_samples(samples), m_fPulse(std::max(1.0, pulseSamples))
{
}

std::vector<CStepSplit::tStep> CStepSplit::Steps(qint64 first, qint64 last, double minStep, size_t minSteps) const
{
    first = std::max<qint64>(first, 0);
    last = std::min(last, qint64(m_samples.size()));
    // Room for two steps and a line on either side.
    if (last - first < qint64(std::ceil((kSeparation + 3.0) * m_fPulse)) || last - first < 12)
        return {};
    // A long pulse is fitted on means of samples, eight or more to a pulse
    // (its steps are no sharper than that), and a long stretch on no more
    // than about kMaxPoints of them.
    const qint64 merge
        = std::max<qint64>({ 1, qint64(m_fPulse / kPointsPerPulse), (last - first) / kMaxPoints });
    const double pulse = m_fPulse / double(merge);
    const CStretch stretch(m_samples, first, last, merge, pulse);
    const qint64 n = stretch.Count();
    // A ramp starts half a pulse in at the earliest and ends half a pulse
    // before the stretch does at the latest.
    const qint64 lowest = qint64(std::ceil(0.5 * pulse));
    const qint64 highest = n - qint64(std::ceil(1.5 * pulse));
    const double separation = kSeparation * pulse;

    const auto sse = [&](const std::vector<qint64>& trial) {
        std::array<qint64, kMaxSteps> starts {};
        const int count = int(std::min(trial.size(), starts.size()));
        // In order, by insertion: three at the most.
        for (int k = 0; k < count; ++k) {
            int j = k;
            for (; j > 0 && starts[size_t(j - 1)] > trial[size_t(k)]; --j)
                starts[size_t(j)] = starts[size_t(j - 1)];
            starts[size_t(j)] = trial[size_t(k)];
        }
        for (int k = 1; k < count; ++k)
            if (double(starts[size_t(k)] - starts[size_t(k - 1)]) < separation)
                return -1.0;
        const std::optional<CStretch::tFit> fit = stretch.Fit(starts.data(), count);
        return fit ? fit->sse : -1.0;
    };
    // The best place for step k of `trial`, the others held: every few
    // points first (a ramp moved by a fraction of a pulse changes little),
    // then each point about the best of those. `current` (its error `error`,
    // negative for none) stays unless a place does better.
    const qint64 stride = std::max<qint64>(1, qint64(0.5 * pulse));
    const auto best = [&](std::vector<qint64>& trial, size_t k, double error, qint64 current) {
        qint64 at = current;
        const auto look = [&](qint64 q) {
            trial[k] = q;
            const double value = sse(trial);
            if (value >= 0 && (error < 0 || value < error - 1e-9)) {
                error = value;
                at = q;
            }
        };
        for (qint64 q = lowest; q <= highest; q += stride)
            look(q);
        const qint64 coarse = at;
        if (coarse >= 0)
            for (qint64 q = std::max(lowest, coarse - stride + 1); q <= std::min(highest, coarse + stride - 1); ++q)
                look(q);
        return at;
    };
    // Each step in turn moved to its best place with the others held.
    const auto refine = [&](std::vector<qint64> starts) {
        for (int sweep = 0; sweep < 3; ++sweep) {
            bool moved = false;
            for (size_t k = 0; k < starts.size(); ++k) {
                std::vector<qint64> trial = starts;
                const qint64 was = starts[k];
                starts[k] = best(trial, k, sse(starts), starts[k]);
                moved = moved || starts[k] != was;
            }
            if (!moved)
                break;
        }
        std::sort(starts.begin(), starts.end());
        return starts;
    };

    // Steps added one at a time where they explain most, up to the most a
    // stretch is fitted with, then each moved to its best place...
    const size_t least = std::max<size_t>(1, minSteps);
    std::vector<qint64> starts;
    while (int(starts.size()) < kMaxSteps) {
        std::vector<qint64> trial = starts;
        trial.push_back(-1);
        const qint64 at = best(trial, trial.size() - 1, -1.0, -1);
        if (at < 0)
            break;
        starts.push_back(at);
        // Where no step need be there, a step under half the smallest step,
        // or a first one standing out of the noise less than a third as far
        // as a step must, is no step: the search ends with it. Most
        // stretches end at their first.
        if (least > 1)
            continue;
        std::vector<qint64> sorted = starts;
        std::sort(sorted.begin(), sorted.end());
        const std::optional<CStretch::tFit> fit = stretch.Fit(sorted.data(), int(sorted.size()));
        const double sigma = fit ? stretch.Noise(sorted, *fit) : 0.0;
        if (!(sigma > 0))
            return {};
        const size_t k = size_t(std::find(sorted.begin(), sorted.end(), at) - sorted.begin());
        const double size = std::abs(fit->Beta()[2 + k]);
        if (size < 0.5 * minStep || (starts.size() == 1 && size < kStepZ / 3.0 * StepSigma(*fit, k, sigma))) {
            starts.pop_back();
            break;
        }
    }
    if (starts.size() < least)
        return {};
    starts = refine(starts);
    // ...then the least certain one taken out while any does not count.
    while (starts.size() >= least) {
        const std::optional<CStretch::tFit> fit = stretch.Fit(starts.data(), int(starts.size()));
        if (!fit)
            return {};
        const double sigma = stretch.Noise(starts, *fit);
        if (!(sigma > 0))
            return {};
        const tVector beta = fit->Beta();
        double worst = 0;
        size_t weakest = 0;
        std::vector<tStep> steps;
        for (size_t k = 0; k < starts.size(); ++k) {
            const double stepSigma = StepSigma(*fit, k, sigma);
            const double size = beta[2 + k];
            const double score = std::min(std::abs(size) / (kStepZ * stepSigma),
                minStep > 0 ? (std::abs(size) - kMarginZ * stepSigma) / minStep : 1.0);
            if (k == 0 || score < worst) {
                worst = score;
                weakest = k;
            }
            steps.push_back({ first + starts[k] * merge, size, stepSigma });
        }
        if (worst >= 1.0)
            return steps;
        starts.erase(starts.begin() + std::ptrdiff_t(weakest));
        if (starts.size() >= std::max<size_t>(2, least))
            starts = refine(starts);
    }
    return {};
}

} // namespace analysis
