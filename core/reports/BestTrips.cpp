#include "core/reports/BestTrips.h"

#include <algorithm>

namespace qv::reports {

std::vector<PointsColumn> bestTrips(std::vector<PointsColumn> candidates, int n, int32_t totalId) {
    PointsColumn total{totalId, "Total", Decimal::fromUnits(0, 2)};
    std::vector<PointsColumn> trips;
    for (PointsColumn& c : candidates) {
        if (c.id == totalId)
            total.name = std::move(c.name);
        else
            trips.push_back(std::move(c));
    }
    std::stable_sort(trips.begin(), trips.end(), [](const PointsColumn& a, const PointsColumn& b) {
        if (a.points != b.points) return a.points > b.points;
        return a.id < b.id;
    });
    if (n < 1) n = 1;
    if (trips.size() > static_cast<size_t>(n)) trips.resize(static_cast<size_t>(n));
    std::vector<PointsColumn> out;
    out.reserve(trips.size() + 1);
    for (const PointsColumn& t : trips) total.points += t.points;
    out.push_back(std::move(total));
    for (PointsColumn& t : trips) out.push_back(std::move(t));
    return out;
}

}  // namespace qv::reports
