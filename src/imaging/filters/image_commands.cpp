#include "imaging/filters/image_commands.h"

#include <array>

namespace imaging {

namespace {

struct KernelFilter {
    int code;
    int size;
    std::array<int, 25> kernel;
    int divisor;
    int offset;
};

// Kernels row by row; the first row meets the picture row with the lower number.
constexpr std::array<KernelFilter, 7> kKernelFilters{{
    {kCommandSoften, 3, {1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0},
    {kCommandSharpen, 3, {-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0},
    {kCommandLinearEdge, 3, {-1, -1, -1, -1, 8, -1, -1, -1, -1}, -1, 255},
    {kCommandEmboss, 3, {0, 0, -1, 0, 0, 0, 1, 0, 0}, 0, 127},
    {kCommandBlur, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0},
    {kCommandGaussian3, 3, {1, 2, 1, 2, 4, 2, 1, 2, 1}, 16, 0},
    {kCommandGaussian5,
     5,
     {0, 1, 2, 1, 0, 1, 3, 4, 3, 1, 2, 4, 8, 4, 2, 1, 3, 4, 3, 1, 0, 1, 2, 1, 0},
     52,
     0},
}};

const KernelFilter* kernelFilter(int code) {
    for (const KernelFilter& filter : kKernelFilters) {
        if (filter.code == code)
            return &filter;
    }
    return nullptr;
}

struct FilterMenuEntry {
    FilterMenu menu;
    const char* text;
    int code;
};

constexpr std::array<FilterMenuEntry, 14> kFilterMenuEntries{{
    {FilterMenu::Linear, "Soften", kCommandSoften},
    {FilterMenu::Linear, "Sharpen", kCommandSharpen},
    {FilterMenu::Linear, "Edge", kCommandLinearEdge},
    {FilterMenu::Linear, "Emboss", kCommandEmboss},
    {FilterMenu::Linear, "Blur", kCommandBlur},
    {FilterMenu::Linear, "Gaussian3*3", kCommandGaussian3},
    {FilterMenu::Linear, "Gaussian5*5", kCommandGaussian5},
    {FilterMenu::NonLinear, "Erode", kCommandErode},
    {FilterMenu::NonLinear, "Dilate", kCommandDilate},
    {FilterMenu::NonLinear, "Noise", kCommandNoise},
    {FilterMenu::NonLinear, "Edge", kCommandEdge},
    {FilterMenu::NonLinear, "Jitter", kCommandJitter},
    {FilterMenu::NonLinear, "Median", kCommandMedian},
    {FilterMenu::NonLinear, "Contour", kCommandContour},
}};

} // namespace

int filterMenuOperation(FilterMenu menu, QStringView text) {
    for (const FilterMenuEntry& entry : kFilterMenuEntries) {
        if (entry.menu == menu && text == QLatin1String(entry.text))
            return entry.code;
    }
    return 0;
}

FilterMenuName filterMenuNameOf(int operationCode) {
    for (const FilterMenuEntry& entry : kFilterMenuEntries) {
        if (entry.code == operationCode)
            return {entry.menu, entry.text};
    }
    return {};
}

bool isImageCommand(int operationCode) {
    switch (operationCode) {
    case kCommandErode:
    case kCommandDilate:
    case kCommandNoise:
    case kCommandEdge:
    case kCommandJitter:
    case kCommandMedian:
    case kCommandContour:
        return true;
    default:
        return kernelFilter(operationCode) != nullptr;
    }
}

bool RunImageCommand(Picture& picture, int operationCode) {
    if (const KernelFilter* filter = kernelFilter(operationCode))
        return picture.Filter(filter->kernel.data(), filter->size, filter->divisor, filter->offset);
    switch (operationCode) {
    case kCommandErode:
        return picture.Erode(2);
    case kCommandDilate:
        return picture.Dilate(2);
    case kCommandNoise:
        return picture.Noise(50);
    case kCommandEdge:
        return picture.Edge(2);
    case kCommandJitter:
        return picture.Jitter(2);
    case kCommandMedian:
        return picture.Median(3);
    case kCommandContour:
        return picture.Contour();
    default:
        return false;
    }
}

} // namespace imaging
