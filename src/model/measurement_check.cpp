// The measurement check: a least-squares fit of the outline to the measured lengths, the
// leave-one-out statistics of that fit to pick the candidates, and a real refit without each
// candidate to rank them.

#include "model/measurement_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "model/ceiling.h"
#include "model/names.h"

namespace tenzora {

namespace {

// How many of the most suspect records get a refit of their own; the rest are ranked by the
// linear estimate only and not reported.
constexpr int kRefitCandidates = 6;
// Gauss-Newton steps of the full fit and of each refit (warm-started, so few are needed).
constexpr int kFullFitIterations = 30;
constexpr int kRefitIterations = 15;
// A step that moves no point by more than this (cm) ends the iteration.
constexpr double kConvergedStep = 1e-7;
// Records whose redundancy number is below this are not controlled by the others: nothing can
// tell whether they are right.
constexpr double kMinRedundancyNumber = 1e-3;
// The fit's error below this (per cent) means the measurements agree.
constexpr double kConsistentError = 0.01;
// Leaving a record out must lower the error by at least this (per cent) to name it.
constexpr double kMeaningfulDrop = 0.005;
// A further suspect must leave at most this share of the error.
constexpr double kSecondSuspectShare = 0.5;
// The longest side of a triangle may come this close (cm) to the other two together before the
// triangle is called impossible: a real room is never that flat.
constexpr double kFlatTriangleTolerance = 0.05;

struct Record {
    int index; // into the document's diagonals
    int a, b;
    double length;
};

// A small dense symmetric matrix with a Cholesky solver: the normal equations of the fit.
class Normal {
  public:
    explicit Normal(int n) : n_(n), m_(static_cast<std::size_t>(n) * n, 0.0) {}
    double& at(int i, int j) { return m_[static_cast<std::size_t>(i) * n_ + j]; }
    int size() const { return n_; }
    void clear() { std::fill(m_.begin(), m_.end(), 0.0); }

    // In place; false when the matrix is not positive definite.
    bool factor() {
        for (int j = 0; j < n_; ++j) {
            double d = at(j, j);
            for (int k = 0; k < j; ++k)
                d -= at(j, k) * at(j, k);
            if (!(d > 0)) return false;
            d = std::sqrt(d);
            at(j, j) = d;
            for (int i = j + 1; i < n_; ++i) {
                double s = at(i, j);
                for (int k = 0; k < j; ++k)
                    s -= at(i, k) * at(j, k);
                at(i, j) = s / d;
            }
        }
        return true;
    }
    // Solves with the factor in place.
    void solve(std::vector<double>& x) {
        for (int i = 0; i < n_; ++i) {
            double s = x[static_cast<std::size_t>(i)];
            for (int k = 0; k < i; ++k)
                s -= at(i, k) * x[static_cast<std::size_t>(k)];
            x[static_cast<std::size_t>(i)] = s / at(i, i);
        }
        for (int i = n_ - 1; i >= 0; --i) {
            double s = x[static_cast<std::size_t>(i)];
            for (int k = i + 1; k < n_; ++k)
                s -= at(k, i) * x[static_cast<std::size_t>(k)];
            x[static_cast<std::size_t>(i)] = s / at(i, i);
        }
    }

  private:
    int n_;
    std::vector<double> m_;
};

using Points = std::vector<double>; // x0, y0, x1, y1, …

double distance(const Points& p, int a, int b) {
    return std::hypot(p[2 * a] - p[2 * b], p[2 * a + 1] - p[2 * b + 1]);
}

// The unit vector from b to a, the derivative of |a − b| by a.
std::pair<double, double> direction(const Points& p, int a, int b) {
    const double dx = p[2 * a] - p[2 * b];
    const double dy = p[2 * a + 1] - p[2 * b + 1];
    const double d = std::hypot(dx, dy);
    if (!(d > 1e-9)) return {1.0, 0.0};
    return {dx / d, dy / d};
}

// Adds the normal equations of the records (all but `skip`) at the points `p`; `rhs` gets Jᵀv.
void buildNormal(const std::vector<Record>& records, int skip, const Points& p, Normal& n,
                 std::vector<double>& rhs) {
    n.clear();
    std::fill(rhs.begin(), rhs.end(), 0.0);
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        if (r == skip) continue;
        const Record& rec = records[static_cast<std::size_t>(r)];
        const auto [ux, uy] = direction(p, rec.a, rec.b);
        const double v = rec.length - distance(p, rec.a, rec.b);
        const int idx[4] = {2 * rec.a, 2 * rec.a + 1, 2 * rec.b, 2 * rec.b + 1};
        const double j[4] = {ux, uy, -ux, -uy};
        for (int s = 0; s < 4; ++s) {
            rhs[static_cast<std::size_t>(idx[s])] += j[s] * v;
            for (int t = 0; t < 4; ++t)
                n.at(idx[s], idx[t]) += j[s] * j[t];
        }
    }
}

// The damping that fixes the free motions of the outline (shift and turn) and points no record
// reaches: small against the records' own stiffness of 1 per record.
constexpr double kGaugeDamping = 1e-6;

// Gauss-Newton from `p`, leaving record `skip` out (−1: none). Each step is damped just enough to
// keep the system solvable; a step that would raise the squared error is halved.
void fit(const std::vector<Record>& records, int skip, Points& p, int iterations) {
    const int unknowns = static_cast<int>(p.size());
    Normal n(unknowns);
    std::vector<double> rhs(p.size());
    const auto squaredError = [&](const Points& q) {
        double s = 0;
        for (int r = 0; r < static_cast<int>(records.size()); ++r) {
            if (r == skip) continue;
            const Record& rec = records[static_cast<std::size_t>(r)];
            const double v = rec.length - distance(q, rec.a, rec.b);
            s += v * v;
        }
        return s;
    };
    double current = squaredError(p);
    for (int it = 0; it < iterations; ++it) {
        buildNormal(records, skip, p, n, rhs);
        for (int i = 0; i < unknowns; ++i)
            n.at(i, i) += kGaugeDamping;
        if (!n.factor()) return;
        n.solve(rhs);
        double scale = 1.0;
        Points trial(p.size());
        bool improved = false;
        for (int halving = 0; halving < 20; ++halving) {
            for (std::size_t i = 0; i < p.size(); ++i)
                trial[i] = p[i] + scale * rhs[i];
            const double e = squaredError(trial);
            if (e <= current) {
                current = e;
                improved = true;
                break;
            }
            scale *= 0.5;
        }
        if (!improved) return;
        double largest = 0;
        for (std::size_t i = 0; i < p.size(); ++i)
            largest = std::max(largest, std::fabs(trial[i] - p[i]));
        p.swap(trial);
        if (largest < kConvergedStep) return;
    }
}

// Σ|L − d| / ΣL in per cent over the records (all but `skip`), as the program's error figure
// counts the deviation of the built outline from the measurements.
double errorOf(const std::vector<Record>& records, int skip, const Points& p) {
    double sum = 0, deviation = 0;
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        if (r == skip) continue;
        const Record& rec = records[static_cast<std::size_t>(r)];
        sum += rec.length;
        deviation += std::fabs(rec.length - distance(p, rec.a, rec.b));
    }
    return sum > 0 ? deviation / sum * 100.0 : 0.0;
}

// The measured records of the outline that the check can use: a positive length between two
// distinct points of the outline.
std::vector<Record> measuredRecords(const TZCeiling& doc) {
    std::vector<Record> records;
    const int n = doc.polygon.count();
    for (int i = 0; i < doc.diagonals.count(); ++i) {
        const Diagonal& d = doc.diagonals.at(i);
        if (!(d.length > 0) || !std::isfinite(d.length)) continue;
        if (d.a < 0 || d.b < 0 || d.a >= n || d.b >= n || d.a == d.b) continue;
        records.push_back({i, d.a, d.b, d.length});
    }
    return records;
}

std::wstring recordName(const Record& r) {
    return pairName(r.a, r.b);
}

void findImpossibleTriangles(const std::vector<Record>& records, MeasurementCheck& check) {
    // The first measured record of every pair, as the program looks a pair up.
    std::map<std::pair<int, int>, int> byPair;
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        const Record& rec = records[static_cast<std::size_t>(r)];
        byPair.emplace(std::minmax(rec.a, rec.b), r);
    }
    std::vector<bool> named(records.size(), false);
    for (const auto& [ab, r] : byPair) {
        const auto [a, b] = ab;
        // Every third point joined to both ends, each triangle once (a < b < c).
        for (auto it = byPair.lower_bound({b, b + 1}); it != byPair.end() && it->first.first == b; ++it) {
            const int c = it->first.second;
            const auto ac = byPair.find({a, c});
            if (ac == byPair.end()) continue;
            const int rs[3] = {r, it->second, ac->second}; // ab, bc, ac
            int longest = 0;
            for (int k = 1; k < 3; ++k)
                if (records[static_cast<std::size_t>(rs[k])].length >
                    records[static_cast<std::size_t>(rs[longest])].length)
                    longest = k;
            const Record& big = records[static_cast<std::size_t>(rs[longest])];
            const Record& s1 = records[static_cast<std::size_t>(rs[(longest + 1) % 3])];
            const Record& s2 = records[static_cast<std::size_t>(rs[(longest + 2) % 3])];
            if (big.length < s1.length + s2.length - kFlatTriangleTolerance) continue;
            if (named[static_cast<std::size_t>(rs[longest])]) continue;
            named[static_cast<std::size_t>(rs[longest])] = true;
            ImpossibleTriangle t;
            t.record = big.index;
            t.name = recordName(big);
            t.length = big.length;
            t.sideNames[0] = recordName(s1);
            t.sideNames[1] = recordName(s2);
            t.sideLengths[0] = s1.length;
            t.sideLengths[1] = s2.length;
            t.triangle = vertexName(a) + vertexName(b) + vertexName(c);
            check.impossible.push_back(std::move(t));
        }
    }
    std::sort(check.impossible.begin(), check.impossible.end(),
              [](const ImpossibleTriangle& x, const ImpossibleTriangle& y) { return x.record < y.record; });
}

std::wstring oneDecimal(double value) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.1f", value);
    return buffer;
}

} // namespace

MeasurementCheck checkMeasurements(const TZCeiling& doc) {
    MeasurementCheck check;
    const std::vector<Record> records = measuredRecords(doc);
    const int n = doc.polygon.count();
    if (records.empty() || n < 3) return check;
    check.checked = true;
    findImpossibleTriangles(records, check);
    if (n > kMaxCheckedPoints) {
        check.tooLarge = true;
        return check;
    }

    Points p(static_cast<std::size_t>(2 * n));
    for (int i = 0; i < n; ++i) {
        const Vertex& v = doc.polygon.at(i);
        p[2 * i] = std::isfinite(v.x) ? v.x : 0.0;
        p[2 * i + 1] = std::isfinite(v.y) ? v.y : 0.0;
    }
    fit(records, -1, p, kFullFitIterations);
    check.error = errorOf(records, -1, p);

    // The hat matrix of the linearised fit: h = jᵀ N⁻¹ j per record; 1 − h is how much of the
    // record the others control (its redundancy number), and their sum is the redundancy.
    const int unknowns = 2 * n;
    Normal normal(unknowns);
    std::vector<double> rhs(static_cast<std::size_t>(unknowns));
    buildNormal(records, -1, p, normal, rhs);
    for (int i = 0; i < unknowns; ++i)
        normal.at(i, i) += kGaugeDamping;
    if (!normal.factor()) return check;
    const int m = static_cast<int>(records.size());
    std::vector<double> redundancy(static_cast<std::size_t>(m), 0.0);
    std::vector<double> column(static_cast<std::size_t>(unknowns));
    double totalRedundancy = 0;
    for (int r = 0; r < m; ++r) {
        const Record& rec = records[static_cast<std::size_t>(r)];
        const auto [ux, uy] = direction(p, rec.a, rec.b);
        std::fill(column.begin(), column.end(), 0.0);
        column[static_cast<std::size_t>(2 * rec.a)] = ux;
        column[static_cast<std::size_t>(2 * rec.a + 1)] = uy;
        column[static_cast<std::size_t>(2 * rec.b)] = -ux;
        column[static_cast<std::size_t>(2 * rec.b + 1)] = -uy;
        normal.solve(column);
        const double h = ux * column[static_cast<std::size_t>(2 * rec.a)] +
                         uy * column[static_cast<std::size_t>(2 * rec.a + 1)] -
                         ux * column[static_cast<std::size_t>(2 * rec.b)] -
                         uy * column[static_cast<std::size_t>(2 * rec.b + 1)];
        redundancy[static_cast<std::size_t>(r)] = std::clamp(1.0 - h, 0.0, 1.0);
        totalRedundancy += redundancy[static_cast<std::size_t>(r)];
    }
    // More records than a rigid outline needs (2n − 3), and the fit says they overlap: a flat or
    // flexible outline has a singular fit whose hat matrix alone would overstate the redundancy.
    check.redundant = m > 2 * n - 3 && totalRedundancy > 0.5;
    if (!check.redundant || check.error < kConsistentError) return check;

    // Candidates by the normalised residual of the linear fit, the most suspect first.
    std::vector<std::pair<double, int>> ranked;
    for (int r = 0; r < m; ++r) {
        const double rr = redundancy[static_cast<std::size_t>(r)];
        if (rr < kMinRedundancyNumber) continue;
        const Record& rec = records[static_cast<std::size_t>(r)];
        const double v = rec.length - distance(p, rec.a, rec.b);
        ranked.emplace_back(std::fabs(v) / std::sqrt(rr), r);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& x, const auto& y) { return x.first > y.first; });
    if (static_cast<int>(ranked.size()) > kRefitCandidates) ranked.resize(kRefitCandidates);

    for (const auto& [statistic, r] : ranked) {
        (void)statistic;
        Points q = p;
        fit(records, r, q, kRefitIterations);
        const Record& rec = records[static_cast<std::size_t>(r)];
        MeasurementSuspect s;
        s.record = rec.index;
        s.name = recordName(rec);
        s.measured = rec.length;
        s.fitted = distance(q, rec.a, rec.b);
        s.errorWithout = errorOf(records, r, q);
        if (s.errorWithout <= check.error - kMeaningfulDrop) check.suspects.push_back(std::move(s));
    }
    // The record whose absence lowers the error most comes first; equal drops keep the order
    // of the linear estimate.
    std::stable_sort(check.suspects.begin(), check.suspects.end(),
                     [](const MeasurementSuspect& x, const MeasurementSuspect& y) {
                         return x.errorWithout < y.errorWithout - 1e-9;
                     });
    // Beyond the first, only records whose absence removes most of the error are named: with one
    // wrong record, leaving out its neighbours lowers the error a little too, and naming them all
    // would send the measurer to re-measure the wrong walls.
    for (std::size_t i = 1; i < check.suspects.size(); ++i) {
        if (check.suspects[i].errorWithout > check.error * kSecondSuspectShare) {
            check.suspects.resize(i);
            break;
        }
    }
    return check;
}

std::vector<std::wstring> measurementCheckLines(const MeasurementCheck& check) {
    std::vector<std::wstring> lines;
    if (!check.checked) {
        lines.emplace_back(kCheckNothingToCheck);
        return lines;
    }
    for (const ImpossibleTriangle& t : check.impossible) {
        lines.push_back(t.name + L": " + oneDecimal(t.length) + L" не короче " + t.sideNames[0] + L" и " +
                        t.sideNames[1] + L" вместе (" + oneDecimal(t.sideLengths[0]) + L" + " +
                        oneDecimal(t.sideLengths[1]) + L"), треугольник " + t.triangle + L" не замыкается");
    }
    if (check.tooLarge) {
        lines.emplace_back(kCheckTooLarge);
        return lines;
    }
    if (!check.redundant) {
        lines.emplace_back(kCheckNeedsRedundancy);
        return lines;
    }
    for (const MeasurementSuspect& s : check.suspects) {
        const double change = s.fitted - s.measured;
        lines.push_back(s.name + L": измерено " + oneDecimal(s.measured) + L", по остальным " +
                        oneDecimal(s.fitted) + L" (" + (change < 0 ? L"\u2212" : L"+") +
                        oneDecimal(std::fabs(change)) + L")");
    }
    if (check.suspects.empty() && check.impossible.empty()) lines.emplace_back(kCheckConsistent);
    return lines;
}

int measurementCheckLineRecord(const MeasurementCheck& check, int line) {
    if (line < 0 || !check.checked) return -1;
    if (line < static_cast<int>(check.impossible.size()))
        return check.impossible[static_cast<std::size_t>(line)].record;
    line -= static_cast<int>(check.impossible.size());
    if (check.tooLarge || !check.redundant) return -1;
    if (line < static_cast<int>(check.suspects.size()))
        return check.suspects[static_cast<std::size_t>(line)].record;
    return -1;
}

} // namespace tenzora
