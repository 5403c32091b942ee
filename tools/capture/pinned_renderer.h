#pragma once
// The one renderer every machine can draw identical pixels with: Mesa's llvmpipe, reached
// through Mesa's own EGL, with its vectors at 256 bits. Left alone, llvmpipe's vector width
// follows the CPU (128 or 256 bits) and a machine with a GPU picks its own driver, and each of
// those draws slightly other pixels, so captures made on several machines, or golden frames
// recorded on one, would not match. The settings are environment variables that EGL and Mesa
// read when they start, so they must be set before the first EGL call.

#include <string>
#include <vector>

struct RendererSetting {
    std::string name;
    std::string value;
};

// The pinned settings, in the order they are set and printed.
std::vector<RendererSetting> pinnedRendererSettings();

// Sets them in this process's environment, replacing other values. False, with the reason in
// `error`, when Mesa's EGL is not installed, since the pin would then leave no driver at all.
bool pinRenderer(std::string& error);

// One "pinned NAME=VALUE" line per setting, as the capture prints them.
std::string describePinnedRenderer();
