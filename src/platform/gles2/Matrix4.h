// A 4 by 4 float matrix in GL's column order, with GL 1.1's and GLU's operations done the way Mesa does them
// (the same float steps), so the matrices the game reads back are the ones the desktop driver would give.
#pragma once

namespace gles2 {

struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    // this = this * other
    void multiply(const float other[16]);
    void translate(float x, float y, float z);
    void scale(float x, float y, float z);
    void rotate(float degrees, float x, float y, float z);
    void perspective(double fovyDegrees, double aspect, double zNear, double zFar);
    void lookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ, double upX,
                double upY, double upZ);

    // out = this * (x, y, z, w)
    void transform(const float in[4], float out[4]) const;
    // The inverse transpose of the upper 3 by 3, column order: what carries normals to the eye.
    void normalMatrix(float out[9]) const;
};

// a * b
Matrix4 operator*(const Matrix4& a, const Matrix4& b);

}  // namespace gles2
