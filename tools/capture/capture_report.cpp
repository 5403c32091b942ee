#include "tools/capture/capture_report.h"

#include <algorithm>
#include <cstdio>

const std::array<TimelineSpan, 8> kTimelineSpans = {{
    {"welcome", 0.0f, 10.0f},
    {"tile dissolve", 10.0f, 15.0f},
    {"deform", 15.0f, 85.0f},
    {"fade to tunnel", 85.0f, 88.0f},
    {"tunnel", 88.0f, 120.0f},
    {"fade to softface", 120.0f, 123.0f},
    {"softface", 123.0f, 180.0f},
    {"held picture", 180.0f, 190.0f},
}};

void CaptureReport::addFrame(float t, double milliseconds) {
    ++frameTotal;
    for (size_t i = 0; i < kTimelineSpans.size(); ++i) {
        if (t >= kTimelineSpans[i].after && t < kTimelineSpans[i].before) {
            spanMilliseconds[i].push_back(milliseconds);
            return;
        }
    }
}

void CaptureReport::addStep(const std::string& name, double milliseconds) {
    partNamed(steps, name).milliseconds.push_back(milliseconds);
}

void CaptureReport::addKernel(const std::string& name, double milliseconds) {
    partNamed(kernels, name).milliseconds.push_back(milliseconds);
}

void CaptureReport::addOutput(const std::string& name, double milliseconds) {
    partNamed(outputs, name).milliseconds.push_back(milliseconds);
}

void CaptureReport::setStartUp(double loadMilliseconds, double musicMilliseconds) {
    loadMs = loadMilliseconds;
    musicMs = musicMilliseconds;
}

PartTimes& partNamed(std::vector<PartTimes>& parts, const std::string& name) {
    for (PartTimes& part : parts) {
        if (part.name == name) {
            return part;
        }
    }
    parts.push_back({name, {}});
    return parts.back();
}

namespace {

std::string partLines(const char* heading, const std::vector<PartTimes>& parts) {
    if (parts.empty()) {
        return "";
    }
    std::string text = heading;
    char line[160];
    for (const PartTimes& part : parts) {
        const std::vector<double>& values = part.milliseconds;
        const double worst = *std::max_element(values.begin(), values.end());
        std::snprintf(line, sizeof line, "  %-29s %6zu frames  median %8.3f ms  worst %8.3f ms\n",
                      part.name.c_str(), values.size(), median(values), worst);
        text += line;
    }
    return text;
}

}  // namespace

void CaptureReport::setSeek(double milliseconds, int64_t framesPlayed) {
    seekMs = milliseconds;
    seekFrames = framesPlayed;
}

std::string CaptureReport::summary(double wallSeconds) const {
    char line[160];
    std::string text;
    if (loadMs >= 0.0) {
        std::snprintf(line, sizeof line,
                      "start-up %.1f ms (textures and scenes %.1f ms, music %.1f ms)\n",
                      loadMs + musicMs, loadMs, musicMs);
        text += line;
    }
    if (seekFrames > 0) {
        std::snprintf(line, sizeof line, "seek %.1f ms (%lld frames played without drawing)\n",
                      seekMs, static_cast<long long>(seekFrames));
        text += line;
    }
    const double rate = wallSeconds > 0.0 ? static_cast<double>(frameTotal) / wallSeconds : 0.0;
    std::snprintf(line, sizeof line, "frames %lld, wall %.2f s, %.1f frames/s\n",
                  static_cast<long long>(frameTotal), wallSeconds, rate);
    text += line;
    for (size_t i = 0; i < kTimelineSpans.size(); ++i) {
        const std::vector<double>& values = spanMilliseconds[i];
        if (values.empty()) {
            continue;
        }
        const double worst = *std::max_element(values.begin(), values.end());
        std::snprintf(line, sizeof line,
                      "  %-17s %5.1f-%5.1f s  %6zu frames  median %7.2f ms  worst %7.2f ms\n",
                      kTimelineSpans[i].name, static_cast<double>(kTimelineSpans[i].after),
                      static_cast<double>(kTimelineSpans[i].before), values.size(), median(values),
                      worst);
        text += line;
    }
    text += partLines("steps\n", steps);
    text += partLines("kernels\n", kernels);
    text += partLines("outputs\n", outputs);
    if (peakKilobytes > 0) {
        std::snprintf(line, sizeof line, "peak resident memory %.1f MB\n",
                      static_cast<double>(peakKilobytes) / 1024.0);
        text += line;
    }
    return text;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2.0;
}

std::string progressLine(int64_t done, int64_t total, double elapsedSeconds) {
    constexpr int32_t kBarWidth = 30;
    const double fraction =
        total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    const int32_t filled = static_cast<int32_t>(fraction * kBarWidth);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '.');
    const double left =
        done > 0 ? elapsedSeconds / static_cast<double>(done) * static_cast<double>(total - done)
                 : 0.0;
    const int64_t leftSeconds = static_cast<int64_t>(left + 0.5);
    char line[160];
    std::snprintf(line, sizeof line, "[%s] %3d%%  frame %lld/%lld  ETA %lld:%02lld", bar.c_str(),
                  static_cast<int32_t>(fraction * 100.0), static_cast<long long>(done),
                  static_cast<long long>(total), static_cast<long long>(leftSeconds / 60),
                  static_cast<long long>(leftSeconds % 60));
    return line;
}
