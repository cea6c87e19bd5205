#include "factory/families.hpp"

namespace plenko {

// Each family folder under indicators/ provides one registration function.
// Add a line here (declaration and call) when a family lands.
void register_statistics(FamilyRows& rows);
void register_moving_averages(FamilyRows& rows);
void register_volatility(FamilyRows& rows);

void register_families(std::vector<IndicatorRow>& rows) {
    { FamilyRows family(rows, "statistics"); register_statistics(family); }
    { FamilyRows family(rows, "moving_averages"); register_moving_averages(family); }
    { FamilyRows family(rows, "volatility"); register_volatility(family); }
}

}  // namespace plenko
