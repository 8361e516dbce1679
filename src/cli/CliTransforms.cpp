// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "cli/CliTransforms.h"

namespace tolv::cli {

StepResult RunTransform(const TransformStep& step, const CliOptions&, std::string& message)
{
    message = step.option + " is not available yet";
    return StepResult::Usage;
}

bool HasSplit(const CliOptions& options)
{
    for (const TransformStep& s : options.steps)
        if (s.option == "--split") return true;
    return false;
}

StepResult RunStitch(const CliOptions&, std::string& message)
{
    message = "--stitch is not available yet";
    return StepResult::Usage;
}

} // namespace tolv::cli
