// Any command line at all through both programs' option parsers and the capture's frame plan:
// the input's bytes, cut at each NUL, are the arguments. Parsing must fail with a reason or
// succeed with values in their documented ranges, and a plan must hold only frames of its range.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/demo_options.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/frame_plan.h"

namespace {

std::vector<std::string> splitArguments(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(static_cast<char>(data[i]));
        }
    }
    return arguments;
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkCapture(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<CaptureOptions> options = parseCaptureOptions(arguments, error);
    require(options.has_value() == error.empty());
    if (!options) {
        return;
    }
    require(std::isfinite(options->framesPerSecond) && options->framesPerSecond > 0.0);
    require(std::isfinite(options->from) && std::isfinite(options->to) && options->from >= 0.0);
    require(options->spanIndex >= 1 && options->spanIndex <= options->spanCount);
    require(options->width >= 4 && options->height >= 3 && options->shutter >= 1);
    const std::optional<FramePlan> plan = planFrames(*options, error);
    if (!plan) {
        require(!error.empty());
        return;
    }
    require(plan->count > 0 && plan->first >= 0 && plan->first + plan->count <= plan->rangeFrames);
    require(std::isfinite(frameTime(*plan, plan->first + plan->count - 1)));
}

void checkDemo(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<DemoOptions> options = parseDemoOptions(arguments, error);
    require(options.has_value() == error.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> arguments = splitArguments(data, size);
    checkCapture(arguments);
    checkDemo(arguments);
    return 0;
}
