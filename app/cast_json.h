#pragma once
// The JSON object vesprin-cast writes for one cast. Key names are an
// interface: other programs read them. Objects list their keys in ascending
// byte order, so that the text of a chart never depends on how it was built.
#include <string>
#include <string_view>
#include <vector>

#include "app/cast_pipeline.h"

namespace vesprin {

// Appends the object of one cast, on one line without its line end, to `out`.
void appendCastJson(std::string& out, const CastOutcome& outcome,
                    const std::vector<std::string>& messages);
// Appends {"error": reason} (with "messages" when there are any).
void appendErrorJson(std::string& out, std::string_view reason,
                     const std::vector<std::string>& messages = {});

}  // namespace vesprin
