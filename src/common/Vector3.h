// Vector3: a point or direction in world units, with the few operations shots need.
#pragma once

struct Vector3 {
    float x, y, z;

    Vector3() {}  // left unset on purpose: most vectors are filled right after
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

inline Vector3 operator-(const Vector3& a, const Vector3& b) { return Vector3(a.x - b.x, a.y - b.y, a.z - b.z); }
inline Vector3 operator+(const Vector3& a, const Vector3& b) { return Vector3(a.x + b.x, a.y + b.y, a.z + b.z); }
inline Vector3 operator*(const Vector3& v, float s) { return Vector3(v.x * s, v.y * s, v.z * s); }
inline Vector3 operator/(const Vector3& v, float s) { return v * (1.0f / s); }  // by the reciprocal, as the shots do
