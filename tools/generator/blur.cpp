#include "tools/generator/blur.h"

#include <cmath>
#include <vector>

#include "tools/generator/portable_math.h"

namespace {

std::vector<float> boxKernel(int32_t radius) {
    const int32_t size = 2 * radius + 1;
    return std::vector<float>(static_cast<size_t>(size), 1.0f / static_cast<float>(size));
}

std::vector<float> gaussianKernel(float sigma) {
    const int32_t radius = static_cast<int32_t>(std::ceil(3.0f * sigma));
    std::vector<double> weights(static_cast<size_t>(2 * radius + 1));
    double sum = 0.0;
    for (int32_t i = -radius; i <= radius; ++i) {
        const double w = portableExp(-0.5 * i * i / (static_cast<double>(sigma) * sigma));
        weights[static_cast<size_t>(i + radius)] = w;
        sum += w;
    }
    std::vector<float> kernel(weights.size());
    for (size_t i = 0; i < weights.size(); ++i) {
        kernel[i] = static_cast<float>(weights[i] / sum);
    }
    return kernel;
}

// Index of sample `i` along an axis of `size` pixels, or -1 when it lies in empty space.
int32_t sampleIndex(int32_t i, int32_t size, Edge edge) {
    if (i >= 0 && i < size) {
        return i;
    }
    switch (edge) {
        case Edge::Wrap:
            return ((i % size) + size) % size;
        case Edge::Clamp:
            return i < 0 ? 0 : size - 1;
        case Edge::Zero:
            break;
    }
    return -1;
}

// The line of `length` samples at `source` (every `stride` cells), extended by `radius` samples
// on both sides as `edge` says.
template <typename T>
void padLine(const T* source, int32_t length, int32_t stride, int32_t radius, Edge edge,
             std::vector<T>& padded) {
    padded.assign(static_cast<size_t>(length + 2 * radius), T{});
    for (int32_t i = -radius; i < length + radius; ++i) {
        const int32_t from = sampleIndex(i, length, edge);
        if (from >= 0) {
            padded[static_cast<size_t>(i + radius)] = source[static_cast<ptrdiff_t>(from) * stride];
        }
    }
}

// Convolves one padded line into `out`. NOTE: the kernel tap is the outer loop so every
// output sums its taps in the same order whatever the compiler vectorises.
template <typename T>
void convolveLine(const std::vector<T>& padded, const std::vector<float>& kernel, int32_t length,
                  std::vector<T>& out) {
    out.assign(static_cast<size_t>(length), T{});
    for (size_t k = 0; k < kernel.size(); ++k) {
        const float weight = kernel[k];
        const T* in = padded.data() + k;
        for (int32_t i = 0; i < length; ++i) {
            out[static_cast<size_t>(i)] = out[static_cast<size_t>(i)] + in[i] * weight;
        }
    }
}

// One pass along x (horizontal) or y with a centred, odd-length kernel.
template <typename T>
Grid<T> convolve(const Grid<T>& source, const std::vector<float>& kernel, bool horizontal,
                 Edge edge) {
    Grid<T> result(source.width, source.height);
    const int32_t radius = static_cast<int32_t>(kernel.size() / 2);
    const int32_t length = horizontal ? source.width : source.height;
    const int32_t lines = horizontal ? source.height : source.width;
    const int32_t stride = horizontal ? 1 : source.width;
    std::vector<T> padded;
    std::vector<T> out;
    for (int32_t line = 0; line < lines; ++line) {
        const size_t first = horizontal ? static_cast<size_t>(line) * source.width : line;
        padLine(source.cells.data() + first, length, stride, radius, edge, padded);
        convolveLine(padded, kernel, length, out);
        for (int32_t i = 0; i < length; ++i) {
            result.cells[first + static_cast<size_t>(i) * stride] = out[static_cast<size_t>(i)];
        }
    }
    return result;
}

template <typename T>
Grid<T> separable(const Grid<T>& source, const std::vector<float>& kernel, Edge edgeX, Edge edgeY) {
    return convolve(convolve(source, kernel, true, edgeX), kernel, false, edgeY);
}

}  // namespace

Mask boxBlur(const Mask& mask, int32_t radius, Edge edgeX, Edge edgeY) {
    return separable(mask, boxKernel(radius), edgeX, edgeY);
}

Raster boxBlur(const Raster& raster, int32_t radius, Edge edgeX, Edge edgeY) {
    return separable(raster, boxKernel(radius), edgeX, edgeY);
}

Mask gaussianBlur(const Mask& mask, float sigma, Edge edgeX, Edge edgeY) {
    return separable(mask, gaussianKernel(sigma), edgeX, edgeY);
}

Raster gaussianBlur(const Raster& raster, float sigma, Edge edgeX, Edge edgeY) {
    return separable(raster, gaussianKernel(sigma), edgeX, edgeY);
}

void addGlow(Raster& target, const Mask& shape, Color color, float sigma, Edge edgeX, Edge edgeY) {
    paintAdd(target, gaussianBlur(shape, sigma, edgeX, edgeY), color);
}
