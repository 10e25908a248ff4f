#include "runtime_services.h"

#include "conversions.h"

namespace varvik {

bool StandardRunTimeServices::IsNumeric(std::string_view text) const { return varvik::IsNumeric(text); }
double StandardRunTimeServices::TextToDouble(std::string_view text) const { return varvik::TextToDouble(text); }
std::int32_t StandardRunTimeServices::TextToInt32(std::string_view text) const { return varvik::TextToInt32(text); }
std::int32_t StandardRunTimeServices::DoubleToInt32(double value) const { return varvik::DoubleToInt32(value); }
std::string StandardRunTimeServices::Int32ToText(std::int32_t value) const { return varvik::Int32ToText(value); }

} // namespace varvik
