// The matrix steps of GL 1.1 and GLU, in Mesa's order of float operations.
#include "platform/gles2/Matrix4.h"

#include <cmath>

namespace gles2 {

namespace {
constexpr double pi = 3.14159265358979323846;
constexpr double radiansPerDegree = pi / 180;

float& at(float* m, int row, int column) { return m[column * 4 + row]; }
float at(const float* m, int row, int column) { return m[column * 4 + row]; }

// GLU's normalize: the length's square in float, its root in double.
void normalize(float v[3]) {
    const float r = float(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    if (r == 0.0f) return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}
}  // namespace

void Matrix4::multiply(const float b[16]) {
    float product[16];
    for (int i = 0; i < 4; ++i) {
        const float ai0 = at(m, i, 0), ai1 = at(m, i, 1), ai2 = at(m, i, 2), ai3 = at(m, i, 3);
        for (int j = 0; j < 4; ++j)
            at(product, i, j) = ai0 * at(b, 0, j) + ai1 * at(b, 1, j) + ai2 * at(b, 2, j) + ai3 * at(b, 3, j);
    }
    for (int i = 0; i < 16; ++i) m[i] = product[i];
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
    Matrix4 product = a;
    product.multiply(b.m);
    return product;
}

void Matrix4::translate(float x, float y, float z) {
    for (int row = 0; row < 4; ++row) m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
}

void Matrix4::scale(float x, float y, float z) {
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

void Matrix4::rotate(float degrees, float x, float y, float z) {
    const float s = float(std::sin(degrees * radiansPerDegree));
    const float c = float(std::cos(degrees * radiansPerDegree));
    Matrix4 r;
    float* q = r.m;
    // Turns about one axis are written out, as the driver does; any other axis takes the general form.
    if (x == 0 && y == 0 && z != 0) {
        at(q, 0, 0) = c;
        at(q, 1, 1) = c;
        at(q, 0, 1) = z < 0 ? s : -s;
        at(q, 1, 0) = z < 0 ? -s : s;
    } else if (x == 0 && z == 0 && y != 0) {
        at(q, 0, 0) = c;
        at(q, 2, 2) = c;
        at(q, 0, 2) = y < 0 ? -s : s;
        at(q, 2, 0) = y < 0 ? s : -s;
    } else if (y == 0 && z == 0 && x != 0) {
        at(q, 1, 1) = c;
        at(q, 2, 2) = c;
        at(q, 1, 2) = x < 0 ? s : -s;
        at(q, 2, 1) = x < 0 ? -s : s;
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f) return;  // no axis: no turn
        x /= length;
        y /= length;
        z /= length;
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, oneC = 1.0f - c;
        at(q, 0, 0) = (oneC * xx) + c;
        at(q, 0, 1) = (oneC * xy) - zs;
        at(q, 0, 2) = (oneC * zx) + ys;
        at(q, 1, 0) = (oneC * xy) + zs;
        at(q, 1, 1) = (oneC * yy) + c;
        at(q, 1, 2) = (oneC * yz) - xs;
        at(q, 2, 0) = (oneC * zx) - ys;
        at(q, 2, 1) = (oneC * yz) + xs;
        at(q, 2, 2) = (oneC * zz) + c;
    }
    multiply(q);
}

void Matrix4::perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double radians = fovyDegrees / 2 * radiansPerDegree;
    const double deltaZ = zFar - zNear, sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = std::cos(radians) / sine;
    float p[16] = {};
    at(p, 0, 0) = float(cotangent / aspect);
    at(p, 1, 1) = float(cotangent);
    at(p, 2, 2) = float(-(zFar + zNear) / deltaZ);
    at(p, 3, 2) = -1;
    at(p, 2, 3) = float(-2 * zNear * zFar / deltaZ);
    multiply(p);
}

void Matrix4::lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ, double upX,
                     double upY, double upZ) {
    float forward[3] = {float(centreX - eyeX), float(centreY - eyeY), float(centreZ - eyeZ)};
    float up[3] = {float(upX), float(upY), float(upZ)};
    float side[3];
    normalize(forward);
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, up);
    float v[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 3; ++i) {
        at(v, 0, i) = side[i];
        at(v, 1, i) = up[i];
        at(v, 2, i) = -forward[i];
    }
    multiply(v);
    translate(float(-eyeX), float(-eyeY), float(-eyeZ));
}

void Matrix4::transform(const float in[4], float out[4]) const {
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

void Matrix4::normalMatrix(float out[9]) const {
    const float a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
    const float cofactors[9] = {e * i - f * h, f * g - d * i, d * h - e * g,  // rows of the cofactor matrix
                                c * h - b * i, a * i - c * g, b * g - a * h,
                                b * f - c * e, c * d - a * f, a * e - b * d};
    const float determinant = a * cofactors[0] + b * cofactors[1] + c * cofactors[2];
    const float scale = determinant != 0 ? 1 / determinant : 0;
    // (M^-1)^T = cofactors / det; column order puts the cofactor matrix's row r in out[r], out[3 + r], ...
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) out[column * 3 + row] = cofactors[row * 3 + column] * scale;
}

}  // namespace gles2
