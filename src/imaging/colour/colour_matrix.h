#pragma once
// The 5 × 5 colour matrix of the colour tool. A colour is the row vector (r, g, b, a, 1) with components
// in 0 … 1 and is transformed as v × M; row 4 holds the offsets. Every operation builds a matrix N and
// combines it with M by prepending (M := N × M, the new step acts first) or appending (M := M × N, the new
// step acts last). Products compute columns 0 … 3 only; column 4 of M keeps its values. Single precision
// throughout, as the drawing library takes it.

#include <array>

namespace imaging {

enum class MatrixOrder { Prepend, Append };

class ColorMatrix {
public:
    using Rows = std::array<std::array<float, 5>, 5>;

    ColorMatrix() { Reset(); }

    // Identity.
    void Reset();
    void Multiply(const ColorMatrix& n, MatrixOrder order);
    void Scale(float r, float g, float b, float a, MatrixOrder order);
    void Translate(float r, float g, float b, float a, MatrixOrder order);
    // Towards grey (s = 0) or away from it (s > 1), with the luminance weights 0.3086, 0.6094, 0.082.
    void Saturate(float s, MatrixOrder order);
    // Turns the colour in the plane of channels x and y.
    void RotateColor(float degrees, int x, int y, MatrixOrder order);
    // Adds value p times channel p and value q times channel q to channel x.
    void ShearColor(int x, int p, float valueP, int q, float valueQ, MatrixOrder order);
    // c′[i] = M[4][i] + Σ c[j] × M[j][i], in place.
    void TransformVector(std::array<float, 4>& c) const;
    // Turns the hue about the grey axis while keeping luminance (appended).
    void RotateHue(float degrees);

    float at(int row, int column) const {
        return m_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    float& at(int row, int column) {
        return m_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    const Rows& rows() const { return m_; }

private:
    Rows m_;
};

} // namespace imaging
