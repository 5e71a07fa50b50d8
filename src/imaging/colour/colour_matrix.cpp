#include "imaging/colour/colour_matrix.h"

#include <cmath>

namespace imaging {

namespace {

// Degrees to radians, held in single precision.
const float kRadiansPerDegree = static_cast<float>(4.0 * std::atan(1.0) * 0.0055555557f);

constexpr float kRedWeight = 0.3086f;
constexpr float kGreenWeight = 0.6094f;
constexpr float kBlueWeight = 0.082f;

struct HueMatrices {
    ColorMatrix pre;
    ColorMatrix post;
};

// The turns and shears that put the grey axis on the blue axis (pre) and back (post), with the shear
// chosen so that turning about that axis keeps luminance. Made once, on first use.
const HueMatrices& hueMatrices() {
    static const HueMatrices matrices = [] {
        HueMatrices made;
        made.pre.RotateColor(45, 2, 1, MatrixOrder::Prepend);
        made.pre.RotateColor(-35, 0, 2, MatrixOrder::Append);
        std::array<float, 4> lum{kRedWeight, kGreenWeight, kBlueWeight, 1.0f};
        made.pre.TransformVector(lum);
        const float red = lum[0] / lum[2];
        const float green = lum[1] / lum[2];
        made.pre.ShearColor(2, 0, red, 1, green, MatrixOrder::Append);
        made.post.ShearColor(2, 0, -red, 1, -green, MatrixOrder::Prepend);
        made.post.RotateColor(35, 0, 2, MatrixOrder::Append);
        made.post.RotateColor(-45, 2, 1, MatrixOrder::Append);
        return made;
    }();
    return matrices;
}

} // namespace

void ColorMatrix::Reset() {
    for (std::size_t row = 0; row < 5; ++row)
        for (std::size_t column = 0; column < 5; ++column)
            m_[row][column] = row == column ? 1.0f : 0.0f;
}

void ColorMatrix::Multiply(const ColorMatrix& n, MatrixOrder order) {
    const Rows& left = order == MatrixOrder::Prepend ? n.m_ : m_;
    const Rows& right = order == MatrixOrder::Prepend ? m_ : n.m_;
    Rows product = m_; // column 4 keeps M's values
    for (std::size_t row = 0; row < 5; ++row) {
        for (std::size_t column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (std::size_t k = 0; k < 5; ++k)
                sum += left[row][k] * right[k][column];
            product[row][column] = sum;
        }
    }
    m_ = product;
}

void ColorMatrix::Scale(float r, float g, float b, float a, MatrixOrder order) {
    ColorMatrix n;
    n.m_[0][0] = r;
    n.m_[1][1] = g;
    n.m_[2][2] = b;
    n.m_[3][3] = a;
    Multiply(n, order);
}

void ColorMatrix::Translate(float r, float g, float b, float a, MatrixOrder order) {
    ColorMatrix n;
    n.m_[4][0] = r;
    n.m_[4][1] = g;
    n.m_[4][2] = b;
    n.m_[4][3] = a;
    Multiply(n, order);
}

void ColorMatrix::Saturate(float s, MatrixOrder order) {
    const float k = 1.0f - s;
    const float red = kRedWeight * k;
    const float green = kGreenWeight * k;
    const float blue = kBlueWeight * k;
    ColorMatrix n;
    n.m_[0] = {s + red, red, red, 0, 0};
    n.m_[1] = {green, s + green, green, 0, 0};
    n.m_[2] = {blue, blue, s + blue, 0, 0};
    Multiply(n, order);
}

void ColorMatrix::RotateColor(float degrees, int x, int y, MatrixOrder order) {
    const float theta = degrees * kRadiansPerDegree;
    const float cosine = static_cast<float>(std::cos(theta));
    const float sine = static_cast<float>(std::sin(theta));
    ColorMatrix n;
    n.at(x, x) = cosine;
    n.at(y, y) = cosine;
    n.at(y, x) = sine;
    n.at(x, y) = -sine;
    Multiply(n, order);
}

void ColorMatrix::ShearColor(int x, int p, float valueP, int q, float valueQ, MatrixOrder order) {
    ColorMatrix n;
    n.at(p, x) = valueP;
    n.at(q, x) = valueQ;
    Multiply(n, order);
}

void ColorMatrix::TransformVector(std::array<float, 4>& c) const {
    std::array<float, 4> result{};
    for (std::size_t i = 0; i < 4; ++i) {
        float sum = m_[4][i];
        for (std::size_t j = 0; j < 4; ++j)
            sum += c[j] * m_[j][i];
        result[i] = sum;
    }
    c = result;
}

void ColorMatrix::RotateHue(float degrees) {
    const HueMatrices& hue = hueMatrices();
    Multiply(hue.pre, MatrixOrder::Append);
    RotateColor(degrees, 1, 0, MatrixOrder::Append);
    Multiply(hue.post, MatrixOrder::Append);
}

} // namespace imaging
