#pragma once
// The JSON object vesprin-cast writes for one cast. Key names are an
// interface: other programs read them.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/cast_pipeline.h"

namespace vesprin {

nlohmann::json castToJson(const CastOutcome& outcome, const std::vector<std::string>& messages);
nlohmann::json errorJson(const std::string& reason, const std::vector<std::string>& messages = {});

}  // namespace vesprin
